#pragma once

// Shared helpers of the benchmark programs: generated documents in a temporary folder.

#include <QApplication>
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cstdlib>
#include <malloc.h>

// Benchmarks run offscreen: no display is needed and nothing is shown.
inline void UseOffscreenPlatform() {
    if (!std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
}

namespace bench {

// A folder for the files of one benchmark run, removed when the program ends.
inline QString TempDir() {
    static QTemporaryDir dir;
    return dir.path();
}

// Line `i` of a generated HTML page: tags, attributes, text and entities, about 50 bytes.
inline QByteArray HtmlLine(int i) {
    const QByteArray n = QByteArray::number(i);
    switch (i % 8) {
    case 0:
        return "  <div class=\"row\" id=\"r" + n + "\">";
    case 1:
        return "    <p>Rad " + n + ": lite text om sidan och dess delar.</p>";
    case 2:
        return "    <a href=\"sida" + n + ".html\" title=\"Till sida\">L&auml;nk</a>";
    case 3:
        return "    <img src=\"bild" + n + ".png\" alt=\"En bild\" width=\"64\">";
    case 4:
        return "    <!-- kommentar " + n + " om det som f\xF6ljer h\xE4r -->";
    case 5:
        return "    <span style=\"color: #336699\">" + n + " &amp; mer</span>";
    case 6:
        return "    <ul><li>Punkt " + n + "</li><li>och en till</li></ul>";
    default:
        return "  </div>";
    }
}

// The text of a generated page of `lines` lines, each followed by CR LF.
inline QByteArray HtmlText(int lines) {
    QByteArray out;
    out.reserve(static_cast<qsizetype>(lines) * 52);
    out.append("<html><head><title>Test</title></head><body>\r\n");
    for (int i = 1; i < lines - 1; ++i) {
        out.append(HtmlLine(i));
        out.append("\r\n", 2);
    }
    out.append("</body></html>\r\n");
    return out;
}

// Writes a generated page of `lines` lines (1,000,000 lines make about 50 MB) into the
// temporary folder and returns its path.
inline QString MakeHtmlFile(int lines = 1000000, const QString& name = QStringLiteral("big.html")) {
    const QString path = TempDir() + QLatin1Char('/') + name;
    QFile f(path);
    if (f.open(QIODevice::WriteOnly))
        f.write(HtmlText(lines));
    return path;
}

// The bytes the allocator has handed out and not got back.
inline long long HeapInUse() {
    return static_cast<long long>(mallinfo2().uordblks);
}

// Writes bytes to a file of the temporary folder and returns its path.
inline QString WriteFile(const QString& name, const QByteArray& bytes) {
    const QString path = QDir(TempDir()).filePath(name);
    QFile f(path);
    if (f.open(QIODevice::WriteOnly))
        f.write(bytes);
    return path;
}

// Runs the registered benchmarks inside an offscreen QApplication whose settings and data
// live in the temporary folder.
inline int RunInApplication(int argc, char** argv) {
    UseOffscreenPlatform();
    const QByteArray root = TempDir().toLocal8Bit();
    for (const char* var : {"XDG_CONFIG_HOME", "XDG_DATA_HOME"})
        setenv(var, root.constData(), 1);
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Tolvane"));
    QApplication::setApplicationName(QStringLiteral("Kelvora"));
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

} // namespace bench
