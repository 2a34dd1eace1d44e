#include "app/core/Program.h"

#include "app/dialogs/SplashWin.h"
#include "app/dialogs/options/OptionsCommands.h"
#include "app/mainwindow/MainWin.h"
#include "platform/ProgramLocale.h"

#include <QApplication>
#include <QEvent>
#include <QLabel>
#include <QTimer>
#include <QToolTip>
#include <csignal>

namespace {

bool g_hintsShown = true;

// Swallows tool tips while hints are off and keeps the others up for the hint pause.
class THintFilter : public QObject {
public:
    using QObject::QObject;

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::ToolTip)
            return false;
        if (!g_hintsShown) {
            QToolTip::hideText();
            return true;
        }
        if (auto* widget = qobject_cast<QWidget*>(watched); widget && widget->toolTipDuration() < 0)
            widget->setToolTipDuration(kHintHidePause);
        return false;
    }
};

} // namespace

void InitApplication() {
    // A write past the file-size limit fails with an error like a full disk, instead of ending
    // the process with the unsaved work of every document.
    std::signal(SIGXFSZ, SIG_IGN);
    QApplication::setOrganizationName(QStringLiteral("Tolvane"));
    QApplication::setApplicationName(QStringLiteral("Kelvora"));
    // No display name: the platform would append it to every window title.
    ProgramLocale::Install();
    static THintFilter* filter = nullptr;
    if (!filter) {
        filter = new THintFilter(qApp);
        qApp->installEventFilter(filter);
    }
}

void SetHintsShown(bool shown) {
    g_hintsShown = shown;
}

bool HintsShown() {
    return g_hintsShown;
}

TProgram::TProgram(QStringList arguments) : arguments_(std::move(arguments)) {}

TProgram::~TProgram() {
    delete launcher_;
    delete splash_;
    main_.reset();
}

QWidget* TProgram::Commands() const {
    return main_ ? main_->SubroutineWindow.data() : nullptr;
}

bool TProgram::Start() {
    splash_ = new Tsplash;
    // The splash never keeps the program running.
    splash_->setAttribute(Qt::WA_QuitOnClose, false);
    splash_->show();
    splash_->repaint();

    if (arguments_.value(0) == kLauncherArgument) {
        // The launcher is the main window of this run: closing it ends the program. The first
        // splash stays beneath it and its timer never runs.
        launcher_ = new Tsplash;
        launcher_->ShowAsLauncher();
        launcher_->show();
        return true;
    }

    main_ = std::make_unique<Tmain>();
    main_->CommandLineArguments = arguments_;
    OptionsDialog(*main_);
    splash_->l->setText(QStringLiteral("Färdigt."));
    splash_->Timer->start();

    main_->show();
    return !main_->Terminated;
}
