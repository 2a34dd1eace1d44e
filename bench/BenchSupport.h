#pragma once

// Shared helpers of the benchmark programs: generated documents in a temporary folder.

#include <QApplication>
#include <QByteArray>
#include <QDir>
#include <QEvent>
#include <QFile>
#include <QObject>
#include <QString>
#include <QTemporaryDir>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <malloc.h>
#include <map>
#include <string>
#include <unistd.h>
#include <vector>

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

// Line `i` of a generated HTML page of about 92 bytes: the lines of HtmlLine with more text.
inline QByteArray LongHtmlLine(int i) {
    const QByteArray n = QByteArray::number(i);
    switch (i % 8) {
    case 0:
        return "  <div class=\"row\" id=\"r" + n +
               "\" style=\"margin: 0 auto; padding: 4px 8px;\">";
    case 1:
        return "    <p>Rad " + n +
               ": lite text om sidan och dess delar, med lite mer text efter det.</p>";
    case 2:
        return "    <a href=\"sida" + n +
               ".html\" title=\"Till sidan med nummer\" class=\"lnk\">L&auml;nk hit</a>";
    case 3:
        return "    <img src=\"bild" + n +
               ".png\" alt=\"En bild av n\xE5got fint\" width=\"64\" height=\"48\">";
    case 4:
        return "    <!-- kommentar " + n +
               " om det som f\xF6ljer h\xE4r nedan i texten p\xE5 sidan, och mer -->";
    case 5:
        return "    <span style=\"color: #336699; font-weight: bold\">" + n +
               " &amp; mer text h\xE4r och d\xE4r</span>";
    case 6:
        return "    <ul><li>Punkt " + n +
               "</li><li>och en till</li><li>och en tredje</li><li>fyra</li></ul>";
    default:
        return "  </div> <!-- slut p\xE5 raden " + n + " i dokumentet som \xE4r mycket stort -->";
    }
}

// A generated page of `lines` lines of about 92 bytes (1,000,000 lines make about 92 MB),
// written into the temporary folder; returns its path.
inline QString MakeLongHtmlFile(int lines, const QString& name) {
    const QString path = TempDir() + QLatin1Char('/') + name;
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        return path;
    QByteArray block;
    block.append("<html><head><title>Test</title></head><body>\r\n");
    for (int i = 1; i < lines - 1; ++i) {
        block.append(LongHtmlLine(i)).append("\r\n", 2);
        if (block.size() > (1 << 22)) {
            f.write(block);
            block.clear();
        }
    }
    block.append("</body></html>\r\n");
    f.write(block);
    return path;
}

// Drops a file's pages from the page cache, so that the next read comes from the disk.
inline void DropFromPageCache(const QString& path) {
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY);
    if (fd < 0)
        return;
    ::fdatasync(fd);
    ::posix_fadvise(fd, 0, 0, POSIX_FADV_DONTNEED);
    ::close(fd);
}

// A value of /proc/self/status in bytes ("VmRSS", "VmHWM").
inline long long ProcStatusBytes(const char* key) {
    std::ifstream in("/proc/self/status");
    std::string k;
    while (in >> k) {
        if (k == std::string(key) + ":") {
            long long kb = 0;
            in >> kb;
            return kb * 1024;
        }
        in.ignore(1 << 16, '\n');
    }
    return 0;
}

// Gives freed memory back to the system and restarts the peak of the resident memory from
// what is resident now.
inline void ResetPeakMemory() {
    malloc_trim(0);
    std::ofstream("/proc/self/clear_refs") << "5";
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

// The machine's load (the 1-minute average of runnable tasks) and its number of processors,
// printed with every summary: other programs share the machine.
inline std::string MachineLoad() {
    double load[3] = {0, 0, 0};
    if (getloadavg(load, 3) < 0)
        return "load unknown";
    char buf[96];
    std::snprintf(buf, sizeof buf, "load average %.2f %.2f %.2f on %ld processors", load[0],
                  load[1], load[2], sysconf(_SC_NPROCESSORS_ONLN));
    return buf;
}

// Prints the runs as the console does and ends with one table, "operation  ours  peer
// ours/peer": one row per operation, from the median of its repetitions (every run of a
// benchmark counts, so --benchmark_repetitions gives the median of that many). A benchmark is
// ours, the peer's or the floor's by a segment "ours", "peer" or "floor" of its name; the
// other segments name the operation. Times are the CPU time of the benchmark's thread per
// iteration, or for benchmarks that time themselves (manual time) their wall time; those rows
// say "wall". Below 1 means faster than the peer. Rows with a floor get a table of their own
// before it.
class Summary : public benchmark::ConsoleReporter {
public:
    // A figure measured outside the benchmark timer, in seconds.
    void Add(const std::string& operation, const std::string& side, double seconds,
             bool wall = true) {
        Slot& slot = slots_[Key(operation, wall)];
        if (slot.order == 0)
            slot.order = ++count_;
        slot.values[side].push_back(seconds);
    }

    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& r : runs) {
            if (r.run_type != Run::RT_Iteration || r.error_occurred || r.iterations <= 0)
                continue;
            std::string name = r.run_name.function_name;
            if (!r.run_name.args.empty())
                name += "/" + r.run_name.args;
            std::string side, operation;
            size_t from = 0;
            while (from <= name.size()) {
                const size_t slash = std::min(name.find('/', from), name.size());
                const std::string part = name.substr(from, slash - from);
                if (part == "ours" || part == "peer" || part == "floor")
                    side = part;
                else
                    operation += (operation.empty() ? "" : "/") + part;
                from = slash + 1;
            }
            if (side.empty())
                continue;
            const bool wall = r.run_name.time_type == "manual_time";
            const double seconds = (wall ? r.real_accumulated_time : r.cpu_accumulated_time) /
                                   static_cast<double>(r.iterations);
            Add(operation, side, seconds, wall);
        }
    }

    void Finalize() override {
        ConsoleReporter::Finalize();
        Print();
    }

    void Print() const {
        std::vector<std::pair<int, std::string>> rows;
        for (const auto& [key, slot] : slots_)
            rows.emplace_back(slot.order, key);
        std::sort(rows.begin(), rows.end());
        const auto table = [&](const char* other) {
            bool any = false;
            for (const auto& [order, key] : rows) {
                const Slot& slot = slots_.at(key);
                const double ours = Median(slot, "ours"), theirs = Median(slot, other);
                if (ours < 0 || theirs < 0)
                    continue;
                if (!any) {
                    std::printf("\n%-44s %12s %12s %10s\n", "operation", "ours", other,
                                (std::string("ours/") + other).c_str());
                    any = true;
                }
                std::printf("%-44s %12s %12s %10.2f\n", key.c_str(), Time(ours).c_str(),
                            Time(theirs).c_str(), ours / theirs);
            }
            return any;
        };
        std::printf("\n(%s; median of every run; CPU time of the benchmark thread, \"wall\" rows "
                    "wall time)\n",
                    MachineLoad().c_str());
        table("floor");
        table("peer");
        std::fflush(stdout);
    }

private:
    struct Slot {
        int order = 0;
        std::map<std::string, std::vector<double>> values;
    };
    static std::string Key(const std::string& operation, bool wall) {
        return wall ? operation + " (wall)" : operation;
    }
    static double Median(const Slot& slot, const std::string& side) {
        const auto it = slot.values.find(side);
        if (it == slot.values.end() || it->second.empty())
            return -1;
        std::vector<double> v = it->second;
        std::sort(v.begin(), v.end());
        const size_t n = v.size();
        return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
    }
    static std::string Time(double seconds) {
        char buf[32];
        if (seconds >= 1)
            std::snprintf(buf, sizeof buf, "%.2f s", seconds);
        else if (seconds >= 1e-3)
            std::snprintf(buf, sizeof buf, "%.2f ms", seconds * 1e3);
        else
            std::snprintf(buf, sizeof buf, "%.1f us", seconds * 1e6);
        return buf;
    }
    std::map<std::string, Slot> slots_;
    int count_ = 0;
};

// Counts the paint events of the object it filters (a viewport, an editor), so that a figure
// shows the repaint really ran.
class PaintCounter : public QObject {
public:
    int paints = 0;
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};

// Takes the first argument that `matches` out of argv (before the benchmark library reads
// them) and returns it; nullptr when there is none.
template <typename Matches> const char* TakeArgument(int& argc, char** argv, Matches matches) {
    for (int i = 1; i < argc; ++i)
        if (matches(argv[i])) {
            const char* taken = argv[i];
            for (int j = i; j + 1 < argc; ++j)
                argv[j] = argv[j + 1];
            --argc;
            return taken;
        }
    return nullptr;
}

// Takes the flag `name` (such as "--no_undo") out of argv; whether it was given.
inline bool TakeFlag(int& argc, char** argv, const char* name) {
    return TakeArgument(argc, argv, [name](const char* a) { return std::strcmp(a, name) == 0; });
}

// Takes "--lines=N" out of argv into *lines (at least 10); *lines stays without it.
inline void TakeLinesOption(int& argc, char** argv, int* lines) {
    constexpr const char* kPrefix = "--lines=";
    const size_t n = std::strlen(kPrefix);
    if (const char* arg = TakeArgument(
            argc, argv, [n, kPrefix](const char* a) { return std::strncmp(a, kPrefix, n) == 0; }))
        *lines = std::max(10, std::atoi(arg + n));
}

// Keeps the program's settings and data in the temporary folder; before the application.
inline void UseTemporaryUserFolders() {
    const QByteArray root = TempDir().toLocal8Bit();
    for (const char* var : {"XDG_CONFIG_HOME", "XDG_DATA_HOME"})
        setenv(var, root.constData(), 1);
}

// The names the program's settings are kept under; after the application is made.
inline void NameApplication() {
    QApplication::setOrganizationName(QStringLiteral("Tolvane"));
    QApplication::setApplicationName(QStringLiteral("Kelvora"));
}

// Runs the benchmarks the command line selects and ends with the summary table.
inline int RunWithSummary() {
    Summary summary;
    benchmark::RunSpecifiedBenchmarks(&summary);
    benchmark::Shutdown();
    return 0;
}

// Runs the registered benchmarks inside an offscreen QApplication whose settings and data
// live in the temporary folder.
inline int RunInApplication(int argc, char** argv) {
    UseOffscreenPlatform();
    UseTemporaryUserFolders();
    QApplication app(argc, argv);
    NameApplication();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

} // namespace bench
