// The main window's start and shut-down: creation, the first show, the close question and the
// close.
#include "app/mainwindow/MainWin.h"

#include "app/commands/HelpCommands.h"
#include "app/commands/WebSiteCommands.h"
#include "controls/TabControlEx.h"
#include "editor/view/TextEditorEx.h"
#include "platform/Dialogs.h"
#include "platform/FlagScope.h"
#include "platform/SilentAbort.h"

#include <QAction>
#include <QCloseEvent>
#include <QFileInfo>
#include <QMenu>
#include <QScopedValueRollback>
#include <QShowEvent>
#include <QSignalBlocker>
#include <algorithm>

namespace {

// The stored size is kept within what a window can sensibly have.
constexpr int kMinWindowSide = 200;
constexpr int kMaxWindowSide = 16384;

// The stored size becomes the window's normal size, also when it starts maximized.
void ApplyWindowState(QWidget* window, const TSettingsValues& v) {
    window->resize(std::clamp(v.Width, kMinWindowSide, kMaxWindowSide),
                   std::clamp(v.Height, kMinWindowSide, kMaxWindowSide));
    if (v.Maximized)
        window->setWindowState(window->windowState() | Qt::WindowMaximized);
    else
        window->setWindowState(window->windowState() & ~Qt::WindowMaximized);
}

} // namespace

void Tmain::FormCreate() {
    const FlagScope starting(StartingUp);

    WebExtensionsList =
        QStringLiteral(".html .htm .shtml .asp .aspx .pl .cgi .php .php3 .php4 .php5 .jsp")
            .split(QLatin1Char(' '));
    LastTabIndex = 0;
    NewDocTab(0, QStringLiteral("Nytt dokument"));

    // A value that cannot be read takes its default and the reading goes on; the first show
    // tells the user. Running lists this instance at once, so that a crash is noticed next time.
    TSettingsValues values;
    {
        const std::unique_ptr<QSettings> store = OpenKelvoraStore();
        IsFirstRun = ::IsFirstRun(*store);
        TSettingsReadResult read = ReadSettings(*store);
        SettingsReadFailed = read.SettingsReadFailed;
        values = std::move(read.Values);
        PreviousRunUnfinished = Instance.Take(*store).PreviousRunUnfinished;
    }
    Backups.SetInstance(Instance.Slot());
    TextToolPath = ReadTpPath(*OpenMervantaStore());
    ApplyWindowState(this, values);
    ApplySettings(values);
    CreateTimersAndData();
    RunCommand([this] { WebSites->Load(); });

    Boxes().InstallExceptionHandler();
}

void Tmain::setVisible(bool visible) {
    // After the base class has put the window on the screen, so that the questions of the
    // first show stand over the window rather than before it.
    QMainWindow::setVisible(visible);
    if (!visible || shown_)
        return;
    shown_ = true;
    RunCommand([this] { FormShow(); });
}

void Tmain::FormShow() {
    const FlagScope starting(StartingUp);
    if (SettingsReadFailed)
        kvMessageBox(kSettingsReadFailedText);

    CodeEditor->EditorFont.setFamily(EditorFontName);
    CodeEditor->EditorFont.setPointSize(EditorFontSize);
    CodeEditor->UpdateFont();

    if (!CommandLineArguments.isEmpty()) {
        const QString file = CommandLineArguments.first();
        const QFileInfo info(file);
        // A folder is opened as well, so that the refusal says it is a folder.
        if (info.exists()) {
            RunCommand([&] { NewDocTab(1, file); });
        } else {
            LastQuestionResult = kvQuestionBox(QStringLiteral("Det gick inte att hitta filen ") +
                                                   info.fileName() + QLatin1Char('.'),
                                               QStringLiteral("Vill du leta efter den?"));
            if (LastQuestionResult != Dialogs::mrYes) {
                // Nothing more of the start runs, and this run leaves no mark of a crash: a
                // mark of an earlier run that did not end stays for the next start.
                Terminated = true;
                if (!PreviousRunUnfinished)
                    Instance.Release(*OpenKelvoraStore());
                return;
            }
            RunCommand([&] { SearchDocument(file); });
        }
    }
    if (IsFirstRun)
        RunCommand([this] { HelpCommands::ShowIntroduction(*this, true); });

    // The start-event subroutine edits like the user: its changes mark the document.
    if (Hooks.StartEvent) {
        const QScopedValueRollback running(StartingUp, false);
        RunCommand(Hooks.StartEvent);
    }
    if (Terminated)
        return;

    ShowTimersAndData();
    SelectCodeEditor();
}

bool Tmain::FormCloseQuery() {
    const int count = FilesList->count();
    for (int i = 0; i < count; ++i) {
        SelectTab(i);
        UpdateEditor();
        if (FileCommands->AskToSave() != TSaveResult::Saved)
            return false;
    }
    return true;
}

void Tmain::closeEvent(QCloseEvent* e) {
    if (Terminated) {
        e->accept();
        return;
    }
    bool allowed = false;
    RunCommand([&] { allowed = FormCloseQuery(); });
    if (!allowed) {
        e->ignore();
        return;
    }
    for (const auto& hook : Hooks.StopWork)
        RunCommand(hook);
    RunCommand([this] { FormClose(); });
    e->accept();
}

void Tmain::FormClose() {
    if (Hooks.EndEvent)
        RunCommand(Hooks.EndEvent);
    {
        const std::unique_ptr<QSettings> store = OpenKelvoraStore();
        const bool released = Instance.Release(*store);
        if (!WriteSettings(*store, CurrentSettings()) || !released)
            kvMessageBox(kSettingsWriteFailedText);
    }
    if (Hooks.SaveDataFiles)
        RunCommand(Hooks.SaveDataFiles);
    RunCommand([this] { WebSites->Save(); });
    if (Hooks.UnloadModules)
        RunCommand(Hooks.UnloadModules);
    {
        const QSignalBlocker block(FilesList);
        while (FilesList->count() > 0)
            FilesList->removeTab(FilesList->count() - 1);
    }
    OpenFiles.clear();
    LastTabIndex = -1;
}
