// Key to screen: from the moment a typed key reaches the program to the end of the window's
// next paint (the pixels handed to the window system, and under X a round trip that makes sure
// the server has them), in the main window with a 1,000,000-line HTML file open, and the same
// in the peer component with its HTML lexer. Besides the time, each row counts what a key
// paints: paint events, the widgets painted and the pixels, and the time the program stays busy
// after the paint.
//
// With DISPLAY set (for example a virtual X server with a window manager) the keys go through
// the X server (its test extension, or xdotool); without it the program runs offscreen and the keys
// are posted as key events. --lines=N changes the document's size.
#include "BenchSupport.h"

#include "app/mainwindow/MainWin.h"
#include "editor/view/TextEditorEx.h"
#include "platform/Dialogs.h"
#include "platform/SilentAbort.h"
#include "program/Assembly.h"

#include <QAbstractEventDispatcher>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QKeyEvent>
#include <QPaintEvent>
#include <QProcess>
#include <QTimer>
#include <map>
#include <memory>

#include <dlfcn.h>

#ifdef KV_HAVE_XCB
#include <QGuiApplication>
#include <QtGui/qguiapplication_platform.h>
#include <xcb/xcb.h>
#endif

#ifdef KV_HAVE_QSCINTILLA
#include <Qsci/qscilexerhtml.h>
#include <Qsci/qsciscintilla.h>
#endif

namespace {

int gLines = 1000000;
bool gX11 = false;

qint64 Now() {
    static QElapsedTimer clock = [] {
        QElapsedTimer c;
        c.start();
        return c;
    }();
    return clock.nsecsElapsed();
}

// Makes sure the X server has handled every request sent so far.
void RoundTrip() {
#ifdef KV_HAVE_XCB
    if (!gX11)
        return;
    if (auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>()) {
        xcb_connection_t* c = x11->connection();
        free(xcb_get_input_focus_reply(c, xcb_get_input_focus(c), nullptr));
    }
#endif
}

// Watches one key at a time: its arrival, the paints that follow, and the end of the outermost
// event during which the first of them ran.
class ProbeApplication : public QApplication {
public:
    using QApplication::QApplication;

    struct Key {
        // The key's arrival, the end of its handling, the start of the first paint after
        // it, the end of that paint's event, and the end of the X round trip after it.
        qint64 arrived = -1, handled = -1, paintStarted = -1, flushed = -1, painted = -1;
        int paints = 0;
        qint64 pixels = 0;
        std::map<std::string, int> widgets;
    };

    void Expect() {
        key_ = Key();
        waiting_ = true;
    }
    const Key& Last() const { return key_; }
    bool Painted() const { return key_.painted >= 0; }

    bool notify(QObject* receiver, QEvent* e) override {
        if (waiting_ && e->type() == QEvent::KeyPress && key_.arrived < 0)
            key_.arrived = Now();
        if (key_.arrived >= 0 && key_.painted < 0 && e->type() == QEvent::LayoutRequest &&
            std::getenv("KV_PROBE_DETAIL"))
            std::printf("  layout %s '%s'\n", receiver->metaObject()->className(),
                        qPrintable(receiver->objectName()));
        if (key_.arrived >= 0 && key_.paintStarted < 0 && e->type() == QEvent::Paint)
            key_.paintStarted = Now();
        ++depth_;
        const bool result = QApplication::notify(receiver, e);
        --depth_;
        if (key_.arrived >= 0 && key_.handled < 0 && depth_ == 0 && e->type() == QEvent::KeyPress)
            key_.handled = Now();
        if (key_.arrived >= 0 && key_.painted < 0 && e->type() == QEvent::Paint) {
            ++key_.paints;
            const QRegion& r = static_cast<QPaintEvent*>(e)->region();
            for (const QRect& rect : r)
                key_.pixels += static_cast<qint64>(rect.width()) * rect.height();
            QObject* w = receiver;
            // A viewport is named after its scroll area.
            if (w->parent() && w->objectName() == QLatin1String("qt_scrollarea_viewport"))
                w = w->parent();
            ++key_.widgets[w->metaObject()->className()];
            if (std::getenv("KV_PROBE_DETAIL")) {
                const QRect b = r.boundingRect();
                std::printf("  paint %s '%s' %dx%d+%d+%d\n", w->metaObject()->className(),
                            qPrintable(receiver->objectName()), b.width(), b.height(), b.x(),
                            b.y());
            }
            sawPaint_ = true;
        }
        if (sawPaint_ && depth_ == 0 && key_.painted < 0) {
            key_.flushed = Now();
            RoundTrip();
            key_.painted = Now();
            sawPaint_ = false;
            waiting_ = false;
        }
        return result;
    }

private:
    Key key_;
    bool waiting_ = false;
    bool sawPaint_ = false;
    int depth_ = 0;
};

ProbeApplication* App() {
    return static_cast<ProbeApplication*>(QCoreApplication::instance());
}

// Runs the event loop until the loop would wait with nothing to do; after `needPaint`, only
// once the key has been painted. Returns that moment (-1 after 10 s).
qint64 RunUntilIdle(bool needPaint) {
    QEventLoop loop;
    qint64 idleAt = -1;
    const auto conn = QObject::connect(QAbstractEventDispatcher::instance(),
                                       &QAbstractEventDispatcher::aboutToBlock, &loop, [&] {
                                           if ((!needPaint || App()->Painted()) && idleAt < 0) {
                                               idleAt = Now();
                                               loop.quit();
                                           }
                                       });
    QTimer::singleShot(10000, &loop, &QEventLoop::quit);
    QTimer::singleShot(0, &loop, [] {}); // the loop runs at least once
    loop.exec();
    QObject::disconnect(conn);
    return idleAt;
}

// The document of `lines` lines (written once).
QString File(int lines) {
    static std::map<int, QString> paths;
    QString& path = paths[lines];
    if (path.isEmpty())
        path = bench::MakeLongHtmlFile(lines, QStringLiteral("latency%1.html").arg(lines));
    return path;
}

void Pause(int ms) {
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

// Key presses made by the X server's test extension over a connection of their own, as a
// keyboard would make them (no other process is started). The X libraries are loaded when
// there (their headers' names clash with Qt's).
struct FakeKeys {
    static constexpr unsigned long kA = 0x61, kBackSpace = 0xff08; // keysyms
    void* display = nullptr;
    int (*fake)(void*, unsigned int, int, unsigned long) = nullptr;
    unsigned char (*keycode)(void*, unsigned long) = nullptr;
    int (*flush)(void*) = nullptr;
    FakeKeys() {
        void* x11 = dlopen("libX11.so.6", RTLD_NOW);
        void* xtst = dlopen("libXtst.so.6", RTLD_NOW);
        if (!x11 || !xtst)
            return;
        auto* open = reinterpret_cast<void* (*)(const char*)>(dlsym(x11, "XOpenDisplay"));
        keycode = reinterpret_cast<decltype(keycode)>(dlsym(x11, "XKeysymToKeycode"));
        flush = reinterpret_cast<decltype(flush)>(dlsym(x11, "XFlush"));
        fake = reinterpret_cast<decltype(fake)>(dlsym(xtst, "XTestFakeKeyEvent"));
        if (open && keycode && flush && fake)
            display = open(nullptr);
    }
    bool Press(unsigned long keysym) {
        if (!display)
            return false;
        const unsigned int code = keycode(display, keysym);
        fake(display, code, 1, 0);
        fake(display, code, 0, 0);
        flush(display);
        return true;
    }
};

// Types "a", or with `erase` a Backspace.
void SendKey(QWidget* target, bool erase = false) {
    if (gX11) {
        static FakeKeys keys;
        if (keys.Press(erase ? FakeKeys::kBackSpace : FakeKeys::kA))
            return;
        QProcess::startDetached(
            QStringLiteral("xdotool"),
            {QStringLiteral("key"), erase ? QStringLiteral("BackSpace") : QStringLiteral("a")});
        return;
    }
    const Qt::Key key = erase ? Qt::Key_Backspace : Qt::Key_A;
    const QString text = erase ? QStringLiteral("\b") : QStringLiteral("a");
    QCoreApplication::postEvent(target, new QKeyEvent(QEvent::KeyPress, key, Qt::NoModifier, text));
    QCoreApplication::postEvent(target,
                                new QKeyEvent(QEvent::KeyRelease, key, Qt::NoModifier, text));
}

// Puts the window in front with the keyboard focus on `focus`.
void Activate(QWidget* window, QWidget* focus) {
    window->show();
    window->raise();
    window->activateWindow();
    focus->setFocus();
    if (gX11)
        QProcess::execute(QStringLiteral("xdotool"),
                          {QStringLiteral("windowactivate"), QStringLiteral("--sync"),
                           QString::number(window->winId())});
    RunUntilIdle(false);
}

void TypeKeys(benchmark::State& state, QWidget* focus) {
    // Out of the way: the first key after the setup, with its one-time work.
    App()->Expect();
    SendKey(focus);
    RunUntilIdle(true);
    Pause(30);
    RunUntilIdle(false);
    SendKey(focus, true);
    Pause(30);
    RunUntilIdle(false);
    std::map<std::string, double> widgets;
    double paints = 0, pixels = 0, busy = 0, handling = 0, waiting = 0, painting = 0, roundTrip = 0;
    int keys = 0;
    for (auto _ : state) {
        App()->Expect();
        SendKey(focus);
        const qint64 idle = RunUntilIdle(true);
        const ProbeApplication::Key& k = App()->Last();
        if (k.arrived < 0 || k.painted < 0 || idle < 0) {
            state.SkipWithError("a key was not painted");
            return;
        }
        state.SetIterationTime((k.painted - k.arrived) / 1e9);
        paints += k.paints;
        pixels += static_cast<double>(k.pixels);
        busy += (idle - k.painted) / 1e6;
        handling += (k.handled - k.arrived) / 1e3;
        waiting += (k.paintStarted - k.handled) / 1e3;
        painting += (k.flushed - k.paintStarted) / 1e3;
        roundTrip += (k.painted - k.flushed) / 1e3;
        for (const auto& [name, n] : k.widgets)
            widgets[name] += n;
        ++keys;
        // What follows the key's paint (its release, timers) ends before the next key, and
        // a Backspace (not measured) takes the character away again: every key meets the
        // same line.
        Pause(30);
        RunUntilIdle(false);
        SendKey(focus, true);
        Pause(30);
        RunUntilIdle(false);
    }
    if (keys == 0)
        return;
    state.counters["paints/key"] = paints / keys;
    state.counters["pixels/key"] = pixels / keys;
    state.counters["busy_after_ms"] = busy / keys;
    // Where the time goes (microseconds): handling the key, waiting for the paint, painting
    // and handing the pixels over, the X round trip.
    state.counters["key_us"] = handling / keys;
    state.counters["wait_us"] = waiting / keys;
    state.counters["paint_us"] = painting / keys;
    state.counters["x_us"] = roundTrip / keys;
    std::string label;
    for (const auto& [name, n] : widgets)
        label += name + ":" + std::to_string(n / keys).substr(0, 4) + " ";
    state.SetLabel(label);
}

void Ours(benchmark::State& state, int lines) {
    auto win = std::make_unique<Tmain>();
    win->resize(1200, 900);
    win->show();
    if (!RunCommand([&] { win->NewDocTab(1, File(lines)); }))
        std::abort();
    win->CodeEditor->SetSelStart(static_cast<int>(win->CodeEditor->Lines.LineStart(lines / 2)) +
                                 20);
    Activate(win.get(), win->CodeEditor);
    TypeKeys(state, win->CodeEditor);
}

#ifdef KV_HAVE_QSCINTILLA
void Peer(benchmark::State& state, int lines) {
    QsciScintilla editor;
    QsciLexerHTML lexer;
    editor.setUtf8(false);
    if (!std::getenv("KV_PEER_PLAIN"))
        editor.setLexer(&lexer);
    editor.resize(1200, 900);
    QFile f(File(lines));
    if (f.open(QIODevice::ReadOnly))
        editor.SendScintilla(QsciScintillaBase::SCI_SETTEXT, 0UL, f.readAll().constData());
    editor.setCursorPosition(lines / 2, 20);
    editor.ensureCursorVisible();
    Activate(&editor, &editor);
    TypeKeys(state, &editor);
}
#endif

} // namespace

int main(int argc, char** argv) {
    gX11 = std::getenv("DISPLAY") && !std::getenv("QT_QPA_PLATFORM");
    if (!gX11)
        UseOffscreenPlatform();
    bench::TakeLinesOption(argc, argv, &gLines);
    bench::UseTemporaryUserFolders();
    ProbeApplication app(argc, argv);
    bench::NameApplication();
    Dialogs::SetModalHandler([](QDialog*) { return int(Dialogs::mrNo); });
    InstallAllSubsystems();
    std::printf("keys through %s\n", gX11 ? "the X server" : "posted key events (offscreen)");
    benchmark::Initialize(&argc, argv);
    // The document of --lines lines, and one of 1,000 lines: the peer's best case, where
    // nothing it does per key grows with the document.
    for (const int lines : {gLines, 1000}) {
        const std::string name = lines == 1000 ? "type_key_1000_lines" : "type_key";
        benchmark::RegisterBenchmark((name + "/ours").c_str(),
                                     [lines](benchmark::State& s) { Ours(s, lines); })
            ->UseManualTime()
            ->Iterations(60)
            ->Unit(benchmark::kMicrosecond);
#ifdef KV_HAVE_QSCINTILLA
        benchmark::RegisterBenchmark((name + "/peer").c_str(),
                                     [lines](benchmark::State& s) { Peer(s, lines); })
            ->UseManualTime()
            ->Iterations(60)
            ->Unit(benchmark::kMicrosecond);
#endif
    }
    return bench::RunWithSummary();
}
