#include "app/mainwindow/MainWin.h"

#include "app/core/FileFilters.h"
#include "app/core/SettingsStore.h"
#include "app/dialogs/InternalFunctionInputWin.h"
#include "app/mainwindow/Extensions.h"
#include "app/preview/ViewModes.h"
#include "controls/HexColorDialog.h"
#include "controls/TabControlEx.h"
#include "editor/colouring/CSSFormattingProcessor.h"
#include "editor/colouring/CustomFormattingProcessor.h"
#include "editor/colouring/DIRUZFormattingProcessor.h"
#include "editor/colouring/HTMLFormattingProcessor.h"
#include "editor/colouring/JSFormattingProcessor.h"
#include "editor/colouring/PascalFormattingProcessor.h"
#include "editor/colouring/SUBFormattingProcessor.h"
#include "editor/text/TextSearcher.h"
#include "editor/view/Ruler.h"
#include "editor/view/TextEditorEx.h"
#include "platform/Cp1252.h"
#include "platform/Dialogs.h"
#include "platform/SilentAbort.h"

#include <QAction>
#include <QDockWidget>
#include <QFileInfo>
#include <QLabel>
#include <QMenuBar>
#include <QSettings>
#include <QSignalBlocker>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <string_view>

namespace {

// A title longer than this is cut in the window caption.
constexpr int MaxTitleLength = 120;

// Sets a flag for a scope and clears it again, also when the scope ends in an exception.
class FlagGuard {
public:
    explicit FlagGuard(bool& flag) : flag_(flag) { flag_ = true; }
    ~FlagGuard() { flag_ = false; }
    FlagGuard(const FlagGuard&) = delete;
    FlagGuard& operator=(const FlagGuard&) = delete;

private:
    bool& flag_;
};

// Looks for the text between the first `open` tag and the first `close` tag after it, line
// breaks dropped and cut to MaxTitleLength bytes.
struct TitleSearch {
    TitleSearch(std::string_view openTag, std::string_view closeTag)
        : open(openTag), close(closeTag) {}
    std::string_view open, close;
    bool inside = false;
    bool found = false;
    QByteArray title;

    bool Done() const { return found; }
    void Scan(std::string_view line) {
        size_t from = 0;
        if (!inside) {
            const size_t at = line.find(open);
            if (at == std::string_view::npos)
                return;
            inside = true;
            from = at + open.size();
        }
        const size_t end = line.find(close, from);
        const size_t stop = end == std::string_view::npos ? line.size() : end;
        if (title.size() < MaxTitleLength)
            title.append(line.data() + from,
                         std::min<qsizetype>(static_cast<qsizetype>(stop - from),
                                             MaxTitleLength - title.size()));
        found = end != std::string_view::npos;
    }
};

// Both spellings of the title: the first line that holds each opening tag is found in the
// text form (the tag holds no line break), and the title is read from that line on.
void FindTitles(const LineStore& lines, TitleSearch* upper, TitleSearch* lower) {
    for (TitleSearch* t : {upper, lower}) {
        const QByteArray open(t->open.data(), static_cast<qsizetype>(t->open.size()));
        const qint64 at = TTextSearcher(lines, open, SearchFlags::MatchCase).FindFrom(0);
        for (int i = at < 0 ? lines.Count() : lines.LineAtOffset(at);
             i >= 0 && i < lines.Count() && !t->Done(); ++i) {
            const LineView line = lines.Get(i);
            t->Scan(std::string_view(line.data(), static_cast<size_t>(line.size())));
        }
    }
}

constexpr int ReopenCount = 4;

QString ReopenKey(int i) {
    return QStringLiteral("Reopen/Reopen%1").arg(i);
}

// Empties the editor's undo history and takes the loaded text as its first snapshot, so that
// undo never reaches across a switch.
void RestartUndo(TTextEditorEx& editor) {
    editor.ClearUndoData();
    editor.AddUndoData();
}

bool InList(const QStringList& list, const QString& ext) {
    return list.contains(ext, Qt::CaseInsensitive);
}

// A file name as a menu caption ("&" is not an accelerator there).
QString MenuText(const QString& text) {
    QString out = text;
    return out.replace(QLatin1Char('&'), QStringLiteral("&&"));
}

} // namespace

Tmain::Tmain(QWidget* parent) : QMainWindow(parent) {
    setObjectName(QStringLiteral("main"));
    commands_ = new TCommandRegistry(this);
    resize(900, 650);

    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    FilesList = new TTabControlEx(central);
    FilesList->setObjectName(QStringLiteral("FilesList"));
    CodeEditor = new TTextEditorEx(central);
    CodeEditor->setObjectName(QStringLiteral("CodeEditor"));
    auto* ruler = new TRuler(central);
    ruler->setObjectName(QStringLiteral("Ruler1"));
    // The ruler asks for its background colours through the colour dialog.
    TRuler::ColorQuery = [](const QString& title, const QString& button,
                            TColor start) -> std::optional<TColor> {
        THexColorDialog dialog;
        dialog.Title = title;
        dialog.BtnCaption = button;
        dialog.CurrentColor = start;
        if (!dialog.Execute())
            return std::nullopt;
        return dialog.CurrentColor;
    };
    ruler->SetTextEditorEx(CodeEditor);
    CodeEditor->SetRuler(ruler);
    HTMLFormattingProcessor1 = new THTMLFormattingProcessor(this);
    HTMLFormattingProcessor1->SetTextEditorEx(CodeEditor);
    CSSFormattingProcessor1 = new TCSSFormattingProcessor(this);
    CSSFormattingProcessor1->SetTextEditorEx(CodeEditor);
    JSFormattingProcessor1 = new TJSFormattingProcessor(this);
    JSFormattingProcessor1->SetTextEditorEx(CodeEditor);
    SUBFormattingProcessor1 = new TSUBFormattingProcessor(this);
    SUBFormattingProcessor1->SetTextEditorEx(CodeEditor);
    PascalFormattingProcessor1 = new TPascalFormattingProcessor(this);
    PascalFormattingProcessor1->SetTextEditorEx(CodeEditor);
    TXTEXFormattingProcessor1 = new TTXTEXFormattingProcessor(this);
    TXTEXFormattingProcessor1->SetTextEditorEx(CodeEditor);
    CustomFormattingProcessor1 = new TCustomFormattingProcessor(this);
    CustomFormattingProcessor1->SetTextEditorEx(CodeEditor);
    layout->addWidget(FilesList);
    BuildViews(layout);
    setCentralWidget(central);

    // The status bar shows and hides its panels: a message (simple mode) covers them.
    for (size_t i = 0; i < panels_.size(); ++i) {
        panels_[i] = new QLabel(this);
        panels_[i]->setObjectName(QStringLiteral("StatusPanel%1").arg(i));
        panels_[i]->setTextFormat(Qt::PlainText);
        statusBar()->addWidget(panels_[i]);
    }

    boxes_.SetStatusHook([this](const QString& text, bool simpleMode) {
        if (simpleMode)
            statusBar()->showMessage(text);
        else
            statusBar()->clearMessage();
    });

    BuildActions();
    BuildMenus();
    BuildInsertCommands();
    // The prompt's browse dialog lists the documents as the open dialog does.
    TInternalFunctionInput::SetDocumentFilters(FileFilters::QtFilters(FileFilters::FilterCount));

    connect(FilesList, &QTabBar::currentChanged, this,
            [this](int) { RunCommand([this] { UpdateEditor(); }); });
    CodeEditor->OnChange = [this](QObject*) { CodeEditorChange(); };
    CreateStatusBar();
    CreateSearchPanel();
    CreateBookmarksPanel();
    CreateWebSitesPanel();
    BuildEditCommands();
    BuildPrintCommands();
    BuildToolCommands();
    BuildExternalCommands();
    Extensions::InstallInto(*this);

    FormCreate();
}

Tmain::~Tmain() {
    CodeEditor->OnChange = nullptr;
    CodeEditor->OnSelChange = nullptr;
}

// --- actions and menus ---------------------------------------------------------------------

QAction* Tmain::AddAction(const QString& name, const QString& caption, const QKeySequence& key,
                          std::function<void()> command) {
    return commands_->Add(name, caption, key, std::move(command));
}

void Tmain::BuildActions() {
    AddAction(QStringLiteral("ANewDoc"), QStringLiteral("Tomt dokument"), QKeySequence("Ctrl+N"),
              [this] { NewDoc(); });
    AddAction(QStringLiteral("AOpenDoc"), QStringLiteral("Annat dokument..."),
              QKeySequence("Ctrl+O"), [this] { OpenDoc(); });
    AddAction(QStringLiteral("ASaveDoc"), QStringLiteral("Spara"), QKeySequence("Ctrl+S"),
              [this] { SaveDoc(); });
    AddAction(QStringLiteral("ASaveDocAs"), QStringLiteral("Spara som..."),
              QKeySequence("Ctrl+Alt+S"), [this] { SaveDocAs(); });
    AddAction(QStringLiteral("ASaveAllDoc"), QStringLiteral("Spara alla"),
              QKeySequence("Shift+Ctrl+S"), [this] { SaveAllDoc(); });
    AddAction(QStringLiteral("ASaveAllDocAs"), QStringLiteral("Spara alla som..."),
              QKeySequence("Shift+Ctrl+Alt+S"), [this] { SaveAllDocAs(); });
    AddAction(QStringLiteral("ADocClose"), QStringLiteral("Stäng"), QKeySequence("Ctrl+F4"),
              [this] { DocClose(); });
    AddAction(QStringLiteral("AAllDocClose"), QStringLiteral("Stäng alla"),
              QKeySequence("Shift+Ctrl+F4"), [this] { AllDocClose(); });
    AddAction(QStringLiteral("WPrevDoc"), QStringLiteral("Föregående dokument"),
              QKeySequence("Alt+Left"), [this] { PrevDoc(); });
    AddAction(QStringLiteral("WNextDoc"), QStringLiteral("Nästa dokument"),
              QKeySequence("Alt+Right"), [this] { NextDoc(); });

    static const char* const names[] = {"RoAlfa1", "RoBeta1", "RoGamma1", "RoDelta1"};
    for (size_t i = 0; i < Reopen.size(); ++i) {
        QAction* item = new QAction(this);
        item->setObjectName(QLatin1String(names[i]));
        item->setVisible(false);
        connect(item, &QAction::triggered, this, [this, item] {
            const QString file = item->data().toString();
            RunCommand([this, file] { OpenFromReopen(file); });
        });
        Reopen[i] = item;
    }
}

void Tmain::BuildMenus() {
    Arkiv1 = menuBar()->addMenu(QStringLiteral("&Arkiv"));
    Arkiv1->setObjectName(QStringLiteral("Arkiv1"));
    connect(Arkiv1, &QMenu::aboutToShow, this, [this] { InitReopenNs(); });
    QMenu* newMenu = Arkiv1->addMenu(QStringLiteral("&Nytt"));
    newMenu->setObjectName(QStringLiteral("Nytt1"));
    newMenu->addAction(Action(QStringLiteral("ANewDoc")));
    QMenu* openMenu = Arkiv1->addMenu(QStringLiteral("&Öppna"));
    for (QAction* item : Reopen)
        openMenu->addAction(item);
    openMenu->addSeparator();
    openMenu->addAction(Action(QStringLiteral("AOpenDoc")));
    Arkiv1->addSeparator();
    for (const char* name : {"ASaveDoc", "ASaveDocAs", "ASaveAllDoc", "ASaveAllDocAs"})
        Arkiv1->addAction(Action(QLatin1String(name)));
    Arkiv1->addSeparator();
    Arkiv1->addAction(Action(QStringLiteral("ADocClose")));
    Arkiv1->addAction(Action(QStringLiteral("AAllDocClose")));

    BuildViewMenu();

    mnuDocTabs = menuBar()->addMenu(QStringLiteral("&Dokumentflikar"));
    mnuDocTabs->setObjectName(QStringLiteral("mnuDocTabs"));
    mnuDocTabs->addAction(Action(QStringLiteral("WPrevDoc")));
    mnuDocTabs->addAction(Action(QStringLiteral("WNextDoc")));
    mnuDocTabs->addSeparator();
    connect(mnuDocTabs, &QMenu::aboutToShow, this, [this] { InitDocTabs(); });

    Toolbar = addToolBar(QStringLiteral("Verktygsfält"));
    Toolbar->setObjectName(QStringLiteral("Toolbar"));
    Toolbar->addAction(Action(QStringLiteral("ANewDoc")));
    ReopenPopup = new QMenu(this);
    ReopenPopup->setObjectName(QStringLiteral("ReopenPopup"));
    for (QAction* item : Reopen)
        ReopenPopup->addAction(item);
    connect(ReopenPopup, &QMenu::aboutToShow, this, [this] { InitReopenNs(); });
    QAction* open = Action(QStringLiteral("AOpenDoc"));
    Toolbar->addAction(open);
    if (auto* button = qobject_cast<QToolButton*>(Toolbar->widgetForAction(open))) {
        button->setMenu(ReopenPopup);
        button->setPopupMode(QToolButton::MenuButtonPopup);
    }
    Toolbar->addAction(Action(QStringLiteral("ASaveDoc")));
    Toolbar->addAction(Action(QStringLiteral("ASaveAllDoc")));

    TabsPopup = new QMenu(this);
    TabsPopup->setObjectName(QStringLiteral("TabsPopup"));
    TabsPopup->addAction(Action(QStringLiteral("ASaveDoc")));
    TabsPopup->addAction(Action(QStringLiteral("ASaveDocAs")));
    TabsPopup->addSeparator();
    TabsPopup->addAction(Action(QStringLiteral("ADocClose")));
    FilesList->SetTabPopupMenu(TabsPopup);
    FilesList->SetPopupActivatesTab(true);
}

QMenu* Tmain::Menu(const QString& objectName) const {
    // Some menus of the bar are children of the window itself ("Infoga1").
    if (QMenu* menu = menuBar()->findChild<QMenu*>(objectName))
        return menu;
    return findChild<QMenu*>(objectName);
}

void Tmain::AddToMenu(const QString& menu, const QString& command, const QString& before,
                      const QString& caption) {
    QMenu* target = Menu(menu);
    if (!target) {
        target = menuBar()->addMenu(caption.isEmpty() ? menu : caption);
        target->setObjectName(menu);
    }
    QAction* action = commands_->Slot(command);
    QAction* anchor = nullptr;
    if (!before.isEmpty())
        for (QAction* item : target->actions())
            if (item->objectName() == before)
                anchor = item;
    target->insertAction(anchor, action);
}

void Tmain::AddMenuSeparator(const QString& menu) {
    if (QMenu* target = Menu(menu))
        target->addSeparator();
}

void Tmain::AddSidePanel(QWidget* panel, bool right, std::function<void()> visibilityChanged) {
    auto* dock = new QDockWidget(panel->windowTitle(), this);
    dock->setObjectName(panel->objectName() + QStringLiteral("Dock"));
    dock->setAllowedAreas(Qt::LeftDockWidgetArea | Qt::RightDockWidgetArea);
    dock->setFeatures(QDockWidget::DockWidgetClosable | QDockWidget::DockWidgetMovable);
    dock->setWidget(panel);
    addDockWidget(right ? Qt::RightDockWidgetArea : Qt::LeftDockWidgetArea, dock);
    dock->hide();
    if (visibilityChanged)
        connect(dock, &QDockWidget::visibilityChanged, this,
                [changed = std::move(visibilityChanged)](bool) { changed(); });
}

void Tmain::SetSidePanelVisible(QWidget* panel, bool visible) {
    if (auto* dock = qobject_cast<QDockWidget*>(panel->parentWidget()))
        dock->setVisible(visible);
}

bool Tmain::SidePanelVisible(const QWidget* panel) const {
    const auto* dock = qobject_cast<const QDockWidget*>(panel->parentWidget());
    return dock && dock->isVisibleTo(this);
}

QString Tmain::StatusPanel(int index) const {
    return index >= 0 && index < static_cast<int>(panels_.size()) ? panels_[index]->text()
                                                                  : QString();
}

void Tmain::SetStatusPanel(int index, const QString& text) {
    if (index < 0 || index >= static_cast<int>(panels_.size()))
        return;
    QLabel* panel = panels_[index];
    // The panel's size is fixed to what its text needs (its own width at least): a new text of
    // the same width repaints the panel alone instead of laying out the status bar and with it
    // the whole window. A text as long as the one before (the digits of a number are as wide
    // as each other) keeps the size without measuring the text again.
    const bool fitted = panel->minimumSize() == panel->maximumSize();
    const bool sameLength = panel->text().size() == text.size();
    panel->setText(text);
    if (fitted && sameLength)
        return;
    const QSize hint = panel->sizeHint();
    const QSize size(std::max(panel->property("baseWidth").toInt(), hint.width()), hint.height());
    if (panel->minimumSize() != size || panel->maximumSize() != size)
        panel->setFixedSize(size);
}

// --- the document table ----------------------------------------------------------------------

int Tmain::CurrentTab() const {
    return FilesList->currentIndex();
}

TFileData& Tmain::Current() {
    const int t = CurrentTab();
    if (t < 0 || t >= OpenFilesCount())
        throw EKelvoraError(QStringLiteral("ERangeError"),
                            QStringLiteral("Ingen dokumentflik är vald."));
    return OpenFiles[static_cast<size_t>(t)];
}

const TFileData& Tmain::Current() const {
    return const_cast<Tmain*>(this)->Current();
}

void Tmain::SelectTab(int index) {
    const QSignalBlocker block(FilesList);
    FilesList->setCurrentIndex(index);
}

void Tmain::AddDocumentTab(const QString& fileName) {
    int index;
    {
        const QSignalBlocker block(FilesList);
        index = FilesList->addTab(DocFileName(fileName));
    }
    UpdateTab(index);
    SelectTab(index);
}

void Tmain::NewDocTab(int mode, const QString& name) {
    if (mode == 0) {
        TFileData& record = OpenFiles.emplace_back();
        record.FileName = name;
        AddDocumentTab(name);
        UpdateEditor();
        return;
    }
    auto lines = std::make_unique<LineStore>();
    if (!lines->LoadFromFile(name, nullptr)) {
        kvMessageBox(
            QStringLiteral("Det gick inte att öppna filen \"%1\".").arg(DocFileName(name)));
        Abort();
    }
    TFileData& record = OpenFiles.emplace_back();
    record.FileName = QFileInfo(name).absoluteFilePath();
    record.HasFile = true;
    record.Lines = std::move(lines);
    AddDocumentTab(record.FileName);
    RegSaveReopen();
    UpdateEditor();
    ViewModeFromExtension(Current().FileName);
}

void Tmain::LoadRecord(TFileData& record) {
    CodeEditor->HideSystemCaret();
    record.Lines->Swap(CodeEditor->Lines);
    // What the editor gave back is out of date; the record's text lives in the editor now.
    record.Lines->Clear();
    if (CodeEditor->Lines.IsEmpty())
        CodeEditor->Lines.Add(QByteArray());
    CodeEditor->ScrollPos.SetPos(QPoint(0, 0));
    CodeEditor->SelEnd.SetPosSilently(QPoint(0, 0));
    CodeEditor->ForceCollapse = true;
    CodeEditor->Caret.SetPosAndNotify(QPoint(0, 0));
    CodeEditor->ShowSystemCaret();
    CodeEditor->UpdateView();
    CodeEditor->SetSelStart(record.SelStart);
    CodeEditor->SetSelLength(record.SelLength);
}

void Tmain::UpdateEditor() {
    const int t = CurrentTab();
    if (t < 0 || t >= OpenFilesCount())
        return;
    Views->LeaveDocument();
    {
        FlagGuard switching(SwitchingTab);
        if (LastTabIndex >= 0 && LastTabIndex < OpenFilesCount()) {
            TFileData& left = OpenFiles[static_cast<size_t>(LastTabIndex)];
            left.SelStart = CodeEditor->GetSelStart();
            left.SelLength = CodeEditor->GetSelLength();
            left.Lines->Swap(CodeEditor->Lines);
            left.ViewMode = Views->ViewMode();
            left.Bookmarks = BookmarksEntries();
        }
        CodeEditor->Settings()->InteractiveFormatting = false;
        LoadRecord(OpenFiles[static_cast<size_t>(t)]);
        SetBookmarksEntries(OpenFiles[static_cast<size_t>(t)].Bookmarks);
        Views->PgmGoMode(OpenFiles[static_cast<size_t>(t)].ViewMode);
        RestartUndo(*CodeEditor);
        ChangeAppTitle();
        LastTabIndex = t;
        // The mode change has shown the page already, unless the program is starting.
        if (StartingUp && !Views->IsEditMode())
            PreviewPage();
    }
    InitInteractiveFormatting();
    SetStatusPanel(5, QStringLiteral("Filer öppna: %1").arg(OpenFilesCount()));
    Action(QStringLiteral("WPrevDoc"))->setEnabled(t > 0);
    Action(QStringLiteral("WNextDoc"))->setEnabled(t < FilesList->count() - 1);
    // The per-document items carry the Ctrl+digit shortcuts, so they follow every change.
    InitDocTabs();
    SelectionChange();
}

void Tmain::SetModified() {
    if (StartingUp || SwitchingTab || ClosingDocument)
        return;
    const int t = CurrentTab();
    if (t < 0 || t >= OpenFilesCount() || OpenFiles[static_cast<size_t>(t)].Modified)
        return;
    // Also with automatic saving on preview: only a save that succeeds clears the mark.
    OpenFiles[static_cast<size_t>(t)].Modified = true;
    UpdateTab(t);
    Views->DocumentMarkedModified();
}

void Tmain::CodeEditorChange() {
    SetModified();
    Debounce.EditorChanged({StartingUp, SwitchingTab, ClosingDocument});
    RequestActionUpdate();
    Views->EditorChanged();
}

void Tmain::UpdateTab(int index) {
    if (index < 0 || index >= OpenFilesCount() || index >= FilesList->count())
        return;
    const TFileData& record = OpenFiles[static_cast<size_t>(index)];
    FilesList->setTabText(index, TabCaption(record));
    if (index == CurrentTab())
        SelectionChange(); // the saved or modified mark
}

void Tmain::ChangeAppTitle() {
    const QString fileName = Current().FileName;
    QString caption = QStringLiteral("Kelvora - ") + DocFileName(fileName);
    if (InList(WebExtensionsList, DocFileExt(fileName))) {
        TitleSearch upper("<TITLE>", "</TITLE>"), lower("<title>", "</title>");
        FindTitles(CodeEditor->Lines, &upper, &lower);
        for (const TitleSearch* t : {&upper, &lower})
            if (t->found)
                caption += QStringLiteral(" [") + Cp1252::Decode(t->title) + QLatin1Char(']');
    }
    setWindowTitle(caption);
}

TProcessorKind Tmain::ProcessorKindFor(const QString& fileName) const {
    const QString ext = DocFileExt(fileName).mid(1);
    if (ext.isEmpty())
        return TProcessorKind::HTML;
    const std::pair<const QStringList*, TProcessorKind> lists[] = {
        {&synHTMLext, TProcessorKind::HTML},     {&synCSSext, TProcessorKind::CSS},
        {&synJSext, TProcessorKind::JS},         {&synSUBext, TProcessorKind::SUB},
        {&synPASCALext, TProcessorKind::Pascal}, {&synTXTEXext, TProcessorKind::DIRUZ},
        {&synCUSText, TProcessorKind::Custom},
    };
    for (const auto& [list, kind] : lists)
        if (InList(*list, ext))
            return kind;
    return TProcessorKind::None;
}

void Tmain::InitInteractiveFormatting() {
    const bool before = CodeEditor->Settings()->InteractiveFormatting;
    CodeEditor->Settings()->InteractiveFormatting = InteractiveFormattingEnabled;
    processorKind_ = ProcessorKindFor(Current().FileName);
    TFormattingProcessor* processor = ProcessorFor(processorKind_);
    if (processor != CodeEditor->FormattingProcessor())
        CodeEditor->SetFormattingProcessor(processor); // repaints
    else if (before || InteractiveFormattingEnabled)
        CodeEditor->RepaintAll();
}

TFormattingProcessor* Tmain::ProcessorFor(TProcessorKind kind) const {
    switch (kind) {
    case TProcessorKind::HTML:
        return HTMLFormattingProcessor1;
    case TProcessorKind::CSS:
        return CSSFormattingProcessor1;
    case TProcessorKind::JS:
        return JSFormattingProcessor1;
    case TProcessorKind::SUB:
        return SUBFormattingProcessor1;
    case TProcessorKind::Pascal:
        return PascalFormattingProcessor1;
    case TProcessorKind::DIRUZ:
        return TXTEXFormattingProcessor1;
    case TProcessorKind::Custom:
        return CustomFormattingProcessor1;
    case TProcessorKind::None:
        break;
    }
    return nullptr;
}

void Tmain::ClearDoc() {
    CodeEditor->Clear();
}

void Tmain::InitDocTabs() {
    const QList<QAction*> items = mnuDocTabs->actions();
    for (qsizetype i = items.size() - 1; i >= 0; --i) {
        if (items[i]->data().toInt() != 0) {
            // The item may be the one whose click is being handled.
            items[i]->setShortcut(QKeySequence());
            mnuDocTabs->removeAction(items[i]);
            items[i]->deleteLater();
        }
    }
    const int current = CurrentTab();
    for (int i = 0; i < FilesList->count() && i < OpenFilesCount(); ++i) {
        const QString& fileName = OpenFiles[static_cast<size_t>(i)].FileName;
        auto* item = new QAction(
            QStringLiteral("%1: %2").arg(i + 1).arg(MenuText(DocFileName(fileName))), mnuDocTabs);
        item->setStatusTip(QStringLiteral("Visar dokumentfliken för filen %1.").arg(fileName));
        item->setData(1000 + i);
        if (i < 9)
            item->setShortcut(QKeySequence(Qt::CTRL | static_cast<Qt::Key>(Qt::Key_1 + i)));
        item->setCheckable(true);
        item->setChecked(i == current);
        const int tag = 1000 + i;
        connect(item, &QAction::triggered, this,
                [this, tag] { RunCommand([this, tag] { GotoTabFromTag(tag); }); });
        mnuDocTabs->addAction(item);
    }
}

void Tmain::GotoTabFromTag(int tag) {
    const int k = tag - 1000;
    if (k < 0 || k > FilesList->count() - 1 || k == CurrentTab())
        return;
    SelectTab(k);
    UpdateEditor();
}

// --- commands --------------------------------------------------------------------------------

void Tmain::NewDoc() {
    NewDocTab(0, QStringLiteral("Nytt dokument"));
}

void Tmain::PrevDoc() {
    if (CurrentTab() > 0) {
        SelectTab(CurrentTab() - 1);
        UpdateEditor();
    }
}

void Tmain::NextDoc() {
    if (CurrentTab() < FilesList->count() - 1) {
        SelectTab(CurrentTab() + 1);
        UpdateEditor();
    }
}

void Tmain::DocClose() {
    if (AskToSave() != TSaveResult::Saved)
        Abort();
    const int t = CurrentTab();
    OpenFiles.erase(OpenFiles.begin() + t);
    {
        const QSignalBlocker block(FilesList);
        FilesList->removeTab(t);
    }
    FlagGuard closing(ClosingDocument);
    LastTabIndex = -1;
    if (OpenFiles.empty())
        NewDocTab(0, QStringLiteral("Nytt dokument"));
    else
        SelectTab(0);
    UpdateEditor();
}

void Tmain::AllDocClose() {
    const int count = FilesList->count();
    for (int i = 0; i < count; ++i) {
        SelectTab(i);
        UpdateEditor();
        if (AskToSave() != TSaveResult::Saved)
            Abort();
    }
    {
        const QSignalBlocker block(FilesList);
        while (FilesList->count() > 0)
            FilesList->removeTab(FilesList->count() - 1);
    }
    OpenFiles.clear();
    FlagGuard closing(ClosingDocument);
    LastTabIndex = -1;
    NewDocTab(0, QStringLiteral("Nytt dokument"));
}

// --- files -----------------------------------------------------------------------------------

void Tmain::SetFilterIndex() {
    filterIndex_ = FileFilters::FilterIndexFor(Current().FileName);
}

QString Tmain::RunOpenDialog(const QString& fileName, const QStringList& filters, int index) {
    QString selected = filters.value(std::clamp(index, 1, static_cast<int>(filters.size())) - 1);
    return Dialogs::GetOpenFileName(this, QStringLiteral("Öppna"), fileName,
                                    filters.join(QStringLiteral(";;")), &selected);
}

void Tmain::OpenDoc() {
    SetFilterIndex();
    const QString chosen = RunOpenDialog(
        openDialogFile_, FileFilters::QtFilters(FileFilters::FilterCount), filterIndex_);
    if (chosen.isEmpty())
        return;
    openDialogFile_ = chosen;
    NewDocTab(1, chosen);
}

void Tmain::SearchDocument(const QString& fileName) {
    const QString chosen =
        RunOpenDialog(fileName, {FileFilters::QtNameFilter(DocFileName(fileName))}, 1);
    if (chosen.isEmpty())
        return;
    openDialogFile_ = chosen;
    NewDocTab(1, chosen);
}

bool Tmain::WriteCurrent(const QString& fileName, bool quoted) {
    try {
        CodeEditor->SaveToFile(fileName);
        return true;
    } catch (const EKelvoraError&) {
        const QString name = DocFileName(fileName);
        kvMessageBox(QStringLiteral("Det gick inte att spara till filen %1.")
                         .arg(quoted ? QLatin1Char('"') + name + QLatin1Char('"') : name));
        return false;
    }
}

TSaveResult Tmain::SaveDoc() {
    if (!Current().HasFile)
        return SaveDocAs();
    if (!WriteCurrent(Current().FileName, false))
        return TSaveResult::Failed;
    Current().Modified = false;
    UpdateTab(CurrentTab());
    RegSaveReopen();
    // The page now comes from the file; during a preview's own automatic save that preview
    // goes on to show it.
    if (!Views->IsEditMode())
        PreviewPage();
    return TSaveResult::Saved;
}

TSaveResult Tmain::SaveDocAs() {
    const QStringList filters = FileFilters::QtFilters(FileFilters::SaveFilterCount);
    for (;;) {
        SetFilterIndex();
        QString selected = filters.value(std::min(filterIndex_, FileFilters::SaveFilterCount) - 1);
        QString name = Dialogs::GetSaveFileName(this, QStringLiteral("Spara"), Current().FileName,
                                                filters.join(QStringLiteral(";;")), &selected,
                                                QFileDialog::DontConfirmOverwrite);
        if (name.isEmpty())
            return TSaveResult::Cancelled;
        const int chosen = static_cast<int>(filters.indexOf(selected)) + 1;
        if (DocFileExt(name).isEmpty())
            name += FileFilters::DefaultExtension(chosen);
        if (QFileInfo::exists(name)) {
            LastQuestionResult =
                kvQuestionBox(QStringLiteral("Filen \"%1\" finns redan.").arg(DocFileName(name)),
                              QStringLiteral("Vill du ersätta den?"));
            if (LastQuestionResult == Dialogs::mrNo)
                continue;
            if (LastQuestionResult != Dialogs::mrYes)
                return TSaveResult::Cancelled;
        }
        if (!WriteCurrent(name, true))
            return TSaveResult::Failed;
        TFileData& record = Current();
        record.FileName = QFileInfo(name).absoluteFilePath();
        record.HasFile = true;
        record.Modified = false;
        UpdateTab(CurrentTab());
        UpdateEditor();
        RegSaveReopen();
        return TSaveResult::Saved;
    }
}

TSaveResult Tmain::AskToSave() {
    Views->LeaveDocument();
    if (!Current().Modified)
        return TSaveResult::Saved;
    LastQuestionResult = kvQuestionBox(
        QStringLiteral("Texten i filen \"%1\" har ändrats.").arg(DocFileName(Current().FileName)),
        QStringLiteral("Vill du spara ändringarna?"));
    switch (LastQuestionResult) {
    case Dialogs::mrYes:
        return SaveDoc();
    case Dialogs::mrNo:
        return TSaveResult::Saved;
    default:
        return TSaveResult::Cancelled;
    }
}

void Tmain::ForEachDocument(const std::function<TSaveResult()>& command) {
    const int remembered = CurrentTab();
    for (int i = 0; i < FilesList->count(); ++i) {
        SelectTab(i);
        UpdateEditor();
        // A cancel or a failure ends the loop at that document.
        if (command() != TSaveResult::Saved)
            Abort();
    }
    SelectTab(remembered);
    UpdateEditor();
}

void Tmain::SaveAllDoc() {
    ForEachDocument([this] { return SaveDoc(); });
}

void Tmain::SaveAllDocAs() {
    ForEachDocument([this] { return SaveDocAs(); });
}

// --- recent files ------------------------------------------------------------------------------

void Tmain::RegSaveReopen() {
    const std::unique_ptr<QSettings> opened = OpenKelvoraStore();
    QSettings& store = *opened;
    const QString file = Current().FileName;
    if (store.contains(ReopenKey(1)) && store.value(ReopenKey(1)).toString() == file)
        return;
    for (int i = 1; i <= ReopenCount; ++i) {
        if (!store.contains(ReopenKey(i))) {
            store.setValue(ReopenKey(i), file);
            return;
        }
    }
    for (int i = ReopenCount; i > 1; --i)
        store.setValue(ReopenKey(i), store.value(ReopenKey(i - 1)));
    store.setValue(ReopenKey(1), file);
}

QStringList Tmain::ReopenFiles() const {
    const std::unique_ptr<QSettings> opened = OpenKelvoraStore();
    const QSettings& store = *opened;
    QStringList files;
    for (int i = 1; i <= ReopenCount; ++i)
        if (store.contains(ReopenKey(i)))
            files << store.value(ReopenKey(i)).toString();
    return files;
}

void Tmain::InitReopenNs() {
    for (QAction* item : Reopen)
        item->setVisible(false);
    if (!ShowReopenEnabled)
        return;
    const std::unique_ptr<QSettings> opened = OpenKelvoraStore();
    const QSettings& store = *opened;
    for (int i = ReopenCount; i >= 1; --i) {
        if (!store.contains(ReopenKey(i)))
            continue;
        const QString file = store.value(ReopenKey(i)).toString();
        QAction* item = Reopen[static_cast<size_t>(i - 1)];
        item->setText(QStringLiteral("&%1 ").arg(i) + MenuText(DocFileName(file)));
        item->setStatusTip(file);
        item->setData(file);
        item->setVisible(true);
    }
}

void Tmain::OpenFromReopen(const QString& fileName) {
    if (QFileInfo::exists(fileName)) {
        NewDocTab(1, fileName);
        return;
    }
    LastQuestionResult = kvQuestionBox(
        QStringLiteral("Det gick inte att hitta filen \"%1\".").arg(DocFileName(fileName)),
        QStringLiteral("Vill du leta efter filen?"));
    if (LastQuestionResult == Dialogs::mrYes)
        SearchDocument(fileName);
}
