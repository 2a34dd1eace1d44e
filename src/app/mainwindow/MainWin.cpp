#include "app/mainwindow/MainWin.h"

#include "app/commands/BarCommands.h"
#include "app/commands/BookmarkCommands.h"
#include "app/commands/DocumentFileCommands.h"
#include "app/commands/EditCommands.h"
#include "app/commands/ExternalCommands.h"
#include "app/commands/HelpCommands.h"
#include "app/commands/InsertCommands.h"
#include "app/commands/PrintCommands.h"
#include "app/commands/SearchCommands.h"
#include "app/commands/ToolCommands.h"
#include "app/commands/WebSiteCommands.h"
#include "app/core/FileFilters.h"
#include "app/core/RecentFiles.h"
#include "app/core/SettingsStore.h"
#include "app/dialogs/InternalFunctionInputWin.h"
#include "app/dialogs/options/OptionsCommands.h"
#include "app/mainwindow/Extensions.h"
#include "app/mainwindow/MainCommandWindow.h"
#include "app/panels/BookmarksPanel.h"
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
#include "platform/FlagScope.h"
#include "platform/SilentAbort.h"

#include <QFileInfo>
#include <QLabel>
#include <QSignalBlocker>
#include <QStatusBar>
#include <QVBoxLayout>
#include <string_view>

namespace {

// A title longer than this is cut in the window caption.
constexpr int MaxTitleLength = 120;

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

bool InList(const QStringList& list, const QString& ext) {
    return list.contains(ext, Qt::CaseInsensitive);
}

} // namespace

Tmain::Tmain(QWidget* parent) : QMainWindow(parent) {
    setObjectName(QStringLiteral("main"));
    commands_ = new TCommandRegistry(this);
    link_ = std::make_unique<TMainCommandWindow>(*this);
    resize(900, 650);

    // The documents: the tab strip above the view area of the editor and the preview.
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
    // The histories of all documents keep within one budget.
    CodeEditor->UndoStore.SetBudget(&UndoBudget);
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
    // The side-panel stacks on both sides of the documents.
    BuildSidePanels(central);

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

    BuildCommands();
    BuildMenus();
    // The prompt's browse dialog lists the documents as the open dialog does.
    TInternalFunctionInput::SetDocumentFilters(FileFilters::QtFilters(FileFilters::FilterCount));

    connect(FilesList, &QTabBar::currentChanged, this,
            [this](int) { RunCommand([this] { UpdateEditor(); }); });
    CodeEditor->OnChange = [this](QObject*) { CodeEditorChange(); };
    CreateStatusBar();
    InstallOptionsCommands(*this);
    HelpCommands::Install(*this);
    BarCommands::Install(*this);
    DocumentFileCommands::Install(*this);
    Extensions::InstallInto(*this);

    // A closed dialog leaves the keyboard with the editor.
    focusAfterDialogs_ =
        std::make_unique<Dialogs::ScopedClosedHandler>([this] { SelectCodeEditor(); });

    FormCreate();
}

Tmain::~Tmain() {
    focusAfterDialogs_.reset();
    CodeEditor->OnChange = nullptr;
    CodeEditor->OnSelChange = nullptr;
    CodeEditor->OnReplaceProgress = nullptr;
    CodeEditor->OnPrintProgress = nullptr;
    CodeEditor->OnXHTMLExportProgress = nullptr;
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
        record.Undo->SetBudget(&UndoBudget);
        record.FileName = name;
        AddDocumentTab(name);
        UpdateEditor();
        return;
    }
    // A folder or a file with a NUL byte is refused with the reason; other failures (the
    // system's reasons are not Swedish) with the plain message.
    auto lines = std::make_unique<LineStore>();
    QString error;
    const bool folder = QFileInfo(name).isDir();
    if (folder || !lines->LoadFromFile(name, &error)) {
        QString message =
            QStringLiteral("Det gick inte att öppna filen \"%1\".").arg(DocFileName(name));
        if (folder)
            message += QStringLiteral(" Det är en mapp, inte en fil.");
        else if (error == LineStore::NulByteText())
            message += QLatin1Char(' ') + error;
        kvMessageBox(message);
        Abort();
    }
    TFileData& record = OpenFiles.emplace_back();
    record.Undo->SetBudget(&UndoBudget);
    record.FileName = QFileInfo(name).absoluteFilePath();
    record.HasFile = true;
    record.Lines = std::move(lines);
    AddDocumentTab(record.FileName);
    RecentFiles::Add(record.FileName);
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
        const FlagScope switching(SwitchingTab);
        if (LastTabIndex >= 0 && LastTabIndex < OpenFilesCount()) {
            TFileData& left = OpenFiles[static_cast<size_t>(LastTabIndex)];
            left.SelStart = CodeEditor->GetSelStart();
            left.SelLength = CodeEditor->GetSelLength();
            left.Lines->Swap(CodeEditor->Lines);
            left.Undo->SwapHistory(CodeEditor->UndoStore);
            left.ViewMode = Views->ViewMode();
            left.Bookmarks = bmpn->Entries();
        } else {
            // The document the editor held is gone, and its history with it.
            CodeEditor->ClearUndoData();
        }
        CodeEditor->Settings()->InteractiveFormatting = false;
        TFileData& record = OpenFiles[static_cast<size_t>(t)];
        LoadRecord(record);
        // Each document keeps its own history; a document new to the editor starts one with
        // its text as the first snapshot.
        CodeEditor->UndoStore.SwapHistory(*record.Undo);
        if (CodeEditor->UndoStore.Count() == 0)
            CodeEditor->AddUndoData();
        bmpn->SetEntries(record.Bookmarks);
        Views->PgmGoMode(record.ViewMode);
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
    // The document opened or switched to takes the keys.
    SelectCodeEditor();
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

void Tmain::GotoTabFromTag(int tag) {
    const int k = tag - 1000;
    if (k < 0 || k > FilesList->count() - 1 || k == CurrentTab())
        return;
    SelectTab(k);
    UpdateEditor();
}

// --- closing -----------------------------------------------------------------------------------

void Tmain::CloseCurrentDocument() {
    const int t = CurrentTab();
    OpenFiles.erase(OpenFiles.begin() + t);
    {
        const QSignalBlocker block(FilesList);
        FilesList->removeTab(t);
    }
    const FlagScope closing(ClosingDocument);
    LastTabIndex = -1;
    if (OpenFiles.empty())
        NewDocTab(0, QStringLiteral("Nytt dokument"));
    else
        SelectTab(0);
    UpdateEditor();
}

void Tmain::CloseAllDocuments() {
    {
        const QSignalBlocker block(FilesList);
        while (FilesList->count() > 0)
            FilesList->removeTab(FilesList->count() - 1);
    }
    OpenFiles.clear();
    const FlagScope closing(ClosingDocument);
    LastTabIndex = -1;
    NewDocTab(0, QStringLiteral("Nytt dokument"));
}

// --- files -----------------------------------------------------------------------------------

void Tmain::SearchDocument(const QString& fileName) {
    FileCommands->SearchDocument(fileName);
}

void Tmain::PrevDoc() {
    commands_->Run(QStringLiteral("WPrevDoc"));
}

void Tmain::NextDoc() {
    commands_->Run(QStringLiteral("WNextDoc"));
}

void Tmain::DocClose() {
    FileCommands->DocClose();
}

TSaveResult Tmain::SaveDoc() {
    return FileCommands->SaveDoc();
}

void Tmain::BeforeEditorChange() {
    TEditCommands::BeforeEditorChange(*CodeEditor);
}
