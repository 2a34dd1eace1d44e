#pragma once

#include <QApplication>
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cstdlib>

// Benchmarks run offscreen: no display is needed and nothing is shown.
inline void UseOffscreenPlatform() {
    if (!std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
}

// Setup of the benchmark programs that need a whole window: an offscreen Qt application whose
// settings and data live in a temporary folder.
namespace BenchSupport {

inline QTemporaryDir& Root() {
    static QTemporaryDir dir;
    return dir;
}

// A document of `lines` lines of about 50 bytes, with a title near the top.
inline QByteArray MakeDocument(int lines) {
    QByteArray text;
    text.reserve(static_cast<qsizetype>(lines) * 52);
    text += "<html><head><title>Benchmark</title></head><body>\r\n";
    for (int i = 1; i < lines; ++i)
        text += "<p class=\"row\">line " + QByteArray::number(i) + " of the document</p>\r\n";
    return text;
}

inline QString WriteFile(const QString& name, const QByteArray& bytes) {
    const QString path = QDir(Root().path()).filePath(name);
    QFile f(path);
    if (f.open(QIODevice::WriteOnly))
        f.write(bytes);
    return path;
}

// Runs the registered benchmarks inside a QApplication.
inline int Main(int argc, char** argv) {
    UseOffscreenPlatform();
    const QByteArray root = Root().path().toLocal8Bit();
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

} // namespace BenchSupport
