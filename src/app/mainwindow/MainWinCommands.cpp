// The main window's command units: made on the window's documents, editor, boxes and panels,
// registered in its registry and wired to the panels and the editor's progress events.
#include "app/mainwindow/MainWin.h"

#include "app/commands/BookmarkCommands.h"
#include "app/commands/EditCommands.h"
#include "app/commands/ExternalCommands.h"
#include "app/commands/InsertCommands.h"
#include "app/commands/PanelToggles.h"
#include "app/commands/PrintCommands.h"
#include "app/commands/SearchCommands.h"
#include "app/commands/ToolCommands.h"
#include "app/commands/WebSiteCommands.h"
#include "app/mainwindow/MainCommandWindow.h"
#include "app/mainwindow/PhysicalKeys.h"
#include "app/panels/BookmarksPanel.h"
#include "app/panels/SearchPanel.h"
#include "app/panels/WebSitesPanel.h"
#include "app/preview/FSControlWin.h"
#include "app/preview/PreviewWin.h"
#include "app/preview/ViewModes.h"
#include "app/preview/WebEnginePreviewBrowser.h"
#include "editor/view/TextEditorEx.h"
#include "platform/SilentAbort.h"

#include <QApplication>
#include <QComboBox>
#include <QDesktopServices>
#include <QProcess>
#include <QPushButton>
#include <QUrl>

void Tmain::BuildCommands() {
    TMainCommandWindow& link = *link_;
    const TCommandContext context{link, *CodeEditor, boxes_, link};

    FSControl = new TFSControl(&boxes_, this);
    MakePreviewBrowser = [] { return std::make_unique<TWebEnginePreviewBrowser>(); };
    StartProgram = [](const QString& program, const QStringList& arguments) {
        return QProcess::startDetached(program, arguments);
    };
    OpenWithSystemHandler = [](const QString& fileName) {
        QDesktopServices::openUrl(QUrl::fromLocalFile(fileName));
    };

    FileCommands = std::make_unique<TFileCommands>(context);
    SearchCommands = std::make_unique<TSearchCommands>(context, Settings.ShowReplaceProgress);
    InsertCommands = std::make_unique<TInsertCommands>(
        *CodeEditor, link, TTagStyle{TagCase, BoldTagName, ItalicTagName});
    EditCommands = std::make_unique<TEditCommands>(context, *CodeEditor, DataFiles.ClipboardHistory,
                                                   FileCommands->OpenDialogFile);
    PrintCommands = std::make_unique<TPrintCommands>(context, *CodeEditor);
    ToolCommands = std::make_unique<TToolCommands>(context, *CodeEditor);
    ExternalCommands = std::make_unique<TExternalCommands>(
        context,
        TExternalPrograms{UseOtherBrowser, BrowserFileName, TextToolPath, synHTMLext, caPreview},
        *FSControl, MakePreviewBrowser);
    BookmarkCommands = std::make_unique<TBookmarkCommands>(*CodeEditor, *bmpn);
    WebSites = std::make_unique<TWebSiteCommands>(boxes_);

    TCommandRegistry& commands = *commands_;
    FileCommands->Register(commands);
    SearchCommands->Register(commands);
    InsertCommands->Register(commands);
    EditCommands->Register(commands);
    PrintCommands->Register(commands);
    ToolCommands->Register(commands);
    ExternalCommands->Register(commands);
    BookmarkCommands->Register(commands);
    WebSites->Register(commands);
    PanelToggles::Register(commands, link, QStringLiteral("VToggleCommonDocs"),
                           {QStringLiteral("Projekthanterare")}, projectpn);
    PanelToggles::Register(commands, link, QStringLiteral("VToggleSearch"),
                           {QStringLiteral("Kodsökning")}, searchpn);
    PanelToggles::Register(commands, link, QStringLiteral("VToggleBookmarks"),
                           {QStringLiteral("Bokmärken")}, bmpn);

    // The panels fill the requests of their commands and run them by name.
    searchpn->SetCommands(commands_);
    SearchCommands->SetForm(searchpn);
    for (QComboBox* box : {searchpn->searchtext, searchpn->ReplaceText})
        connect(box, &QComboBox::editTextChanged, this,
                [this] { RunCommand([this] { TestSearchButtonsEnabled(); }); });
    connect(searchpn->btnAdvReplace, &QPushButton::clicked, this,
            [this] { commands_->Trigger(QStringLiteral("AdvancedReplace")); });
    bmpn->SetCommands(commands_);
    projectpn->SetSites(&WebSites->Sites);
    projectpn->SetCommands(commands_);
    WebSites->SetList(projectpn);
    connect(Views->btnPreviewFullscreen, &QPushButton::clicked, this,
            [this] { commands_->Trigger(QStringLiteral("FullscreenPreview")); });

    CodeEditor->OnReplaceProgress = [this](int total, int done, int progress) {
        SearchCommands->ReplaceProgress(total, done, progress);
    };
    CodeEditor->OnPrintProgress = [this](int total, int done, int progress) {
        PrintCommands->PrintProgressChanged(total, done, progress);
    };
    CodeEditor->OnXHTMLExportProgress = [this](int total, int done, int progress) {
        PrintCommands->ExportProgressChanged(total, done, progress);
    };

    // Application-wide, so that the key is seen whichever widget of the window has the focus.
    qApp->installEventFilter(new TPhysicalKeys(this, commands));
}
