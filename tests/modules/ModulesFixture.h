#pragma once

// A main window with the modules installed, the paths of the built test modules, and the
// sample module's own log read straight from the loaded library.

#include "app/MainWinFixture.h"
#include "app/dialogs/ExceptionMessageBox.h"
#include "kelvora/module.h"
#include "modules/ExportProcs.h"
#include "modules/ModuleHandouts.h"
#include "modules/ModuleHost.h"
#include "modules/ModulesInstall.h"

#include <QCoreApplication>
#include <QFile>
#include <QLineEdit>
#include <QToolBar>
#include <dlfcn.h>

// Bytes as C text: printable ASCII as it is, the rest as \xNN.
inline void PrintTo(const QByteArray& bytes, std::ostream* os) {
    *os << '"';
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        if (b >= 0x20 && b < 0x7F && b != '\\')
            *os << c;
        else
            *os << "\\x"
                << "0123456789ABCDEF"[b >> 4] << "0123456789ABCDEF"[b & 15];
    }
    *os << '"';
}
inline void PrintTo(const QByteArrayList& list, std::ostream* os) {
    *os << "{\n";
    for (const QByteArray& line : list) {
        *os << "  ";
        PrintTo(line, os);
        *os << "\n";
    }
    *os << "}";
}

inline QString SampleModulePath() {
    return QStringLiteral(KV_SAMPLE_MODULE);
}
inline QString RefusingModulePath() {
    return QStringLiteral(KV_REFUSING_MODULE);
}
inline QString NoConnectModulePath() {
    return QStringLiteral(KV_NO_CONNECT_MODULE);
}

// Whether a library is mapped into the process now.
inline bool LibraryMapped(const QString& path) {
    void* handle = dlopen(path.toUtf8().constData(), RTLD_LAZY | RTLD_NOLOAD);
    if (handle)
        dlclose(handle);
    return handle != nullptr;
}

class ModulesTest : public MainWinTest {
protected:
    void SetUp() override {
        InstallModules();
        // The test keeps the sample mapped, so that its log outlives an unload by the program.
        sampleRef = dlopen(QFile::encodeName(SampleModulePath()).constData(), RTLD_NOW);
        ASSERT_NE(sampleRef, nullptr) << dlerror();
        SampleCall("SampleClearLog");
        MainWinTest::SetUp();
        host = TModuleHost::Of(*win);
        ASSERT_NE(host, nullptr);
        modal.reset();
        modal = ScriptBoxes(seen, answers, [this](QDialog* d) {
            if (auto* box = qobject_cast<TExceptionMessageBox*>(d)) {
                seen << QStringLiteral("E:") + box->exceptionmessage->text();
                return 1;
            }
            return other ? other(d) : -1;
        });
    }
    void TearDown() override {
        MainWinTest::TearDown();
        ReleaseSample();
    }

    // Lets the program's unload be the last one.
    void ReleaseSample() {
        if (sampleRef)
            dlclose(sampleRef);
        sampleRef = nullptr;
    }
    void SampleCall(const char* name) {
        auto fn = reinterpret_cast<void (*)()>(dlsym(sampleRef, name));
        ASSERT_NE(fn, nullptr) << name;
        fn();
    }
    // The sample's log since the last read, one entry per line.
    QByteArrayList TakeLog() {
        auto fn = reinterpret_cast<const char* (*)()>(dlsym(sampleRef, "SampleLog"));
        if (!fn)
            return {};
        QByteArray text(fn());
        SampleCall("SampleClearLog");
        if (text.endsWith('\n'))
            text.chop(1);
        return text.isEmpty() ? QByteArrayList() : text.split('\n');
    }

    // Loads the sample and returns its handle (0 when it is not listed afterwards).
    kv_module LoadSample(const QString& name = SampleModulePath()) {
        host->LoadModule(name);
        for (const TModuleData& m : host->LoadedModules())
            if (m.Path == name)
                return m.Handle;
        return 0;
    }
    // A toolbar procedure of a module, run as its button's click runs it.
    void Click(kv_module module, const char* procedure) {
        host->HandleModuleToolButtonClick(module, procedure);
    }
    QStringList ListedPaths() const {
        QStringList out;
        for (const TModuleData& m : host->LoadedModules())
            out << m.Path;
        return out;
    }
    // The module toolbars on the window: caption, then the button captions.
    QStringList Toolbars() {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QStringList out;
        for (QToolBar* bar : win->findChildren<QToolBar*>(QStringLiteral("ModuleToolbar"))) {
            QStringList parts{bar->windowTitle()};
            for (QAction* a : bar->actions())
                if (a->objectName() == QLatin1String("ModuleToolButton"))
                    parts << a->text();
            out << parts.join(QLatin1Char('|'));
        }
        return out;
    }
    QToolBar* ToolbarOf(int index) {
        const auto bars = win->findChildren<QToolBar*>(QStringLiteral("ModuleToolbar"));
        return bars.value(index);
    }

    TModuleHost* host = nullptr;
    void* sampleRef = nullptr;
    // Answers dialogs other than the message, question and exception boxes.
    std::function<int(QDialog*)> other;
};
