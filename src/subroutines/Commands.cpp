#include "subroutines/Commands.h"

#include "app/dialogs/InternalFunctionInputWin.h"
#include "app/mainwindow/MainWin.h"
#include "controls/CaptionGroup.h"
#include "controls/PanelCaption.h"
#include "editor/colouring/SUBFormattingProcessor.h"
#include "editor/view/Ruler.h"
#include "editor/view/TextEditorEx.h"
#include "platform/AppPaths.h"
#include "platform/Dialogs.h"
#include "platform/SilentAbort.h"
#include "subroutines/runs/SubroutineRunner.h"

#include <QAction>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QStatusBar>
#include <QTimer>
#include <QVBoxLayout>

namespace {

const char* const kFilter = "KV subrutiner|*.sub|Alla filer|*.*";
const char* const kNewName = "Ny subrutin.sub";

QString Msg(const char* utf8) {
    return QString::fromUtf8(utf8);
}

QString QtFilter() {
    return Dialogs::FilterList(QLatin1String(kFilter)).join(QStringLiteral(";;"));
}

bool ClipboardHasText() {
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    return data && data->hasText();
}

// The digit key of a key press, matched on the physical key where the platform reports it
// (Shift turns the digits into other symbols on most layouts); -1 for any other key.
int DigitKey(const QKeyEvent* e) {
    constexpr quint32 kFirstDigitScanCode = 10; // the "1" key; "0" follows "9"
    const quint32 scan = e->nativeScanCode();
    if (scan >= kFirstDigitScanCode && scan < kFirstDigitScanCode + 10)
        return static_cast<int>((scan - kFirstDigitScanCode + 1) % 10);
    if (e->key() >= Qt::Key_0 && e->key() <= Qt::Key_9)
        return e->key() - Qt::Key_0;
    switch (e->key()) {
    case Qt::Key_Exclam:
        return 1;
    case Qt::Key_At:
    case Qt::Key_QuoteDbl:
        return 2;
    case Qt::Key_Percent:
        return 5;
    default:
        return -1;
    }
}

bool IsEmptyText(const TTextEditorEx& editor) {
    return editor.Lines.Count() < 2 && (editor.Lines.IsEmpty() || editor.Lines.Length(0) == 0);
}

} // namespace

Tcommands::Tcommands(QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::WindowStaysOnTopHint), main_(dynamic_cast<Tmain*>(parent)) {
    setObjectName(QStringLiteral("commands"));
    setWindowTitle(QStringLiteral("Subrutiner"));
    resize(640, 420);

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);

    auto* left = new QVBoxLayout;
    left->setSpacing(0);
    CaptionBar = new TPanelCaption(this);
    CaptionBar->SetCaptionText(QStringLiteral("Aktuell subrutin"));
    CaptionBar->setFixedHeight(23);
    left->addWidget(CaptionBar);
    CurrentSubroutine = new TTextEditorEx(this);
    CurrentSubroutine->setObjectName(QStringLiteral("CurrentSubroutine"));
    CurrentSubroutine->EditorFont = QFont(QStringLiteral("Courier New"), 10);
    CurrentSubroutine->EditorFont.setStyleHint(QFont::Monospace);
    CurrentSubroutine->UpdateFont();
    Ruler1 = new TRuler(this);
    Ruler1->setObjectName(QStringLiteral("Ruler1"));
    Ruler1->SetTextEditorEx(CurrentSubroutine);
    CurrentSubroutine->SetRuler(Ruler1);
    SUBFormattingProcessor1 = new TSUBFormattingProcessor(this);
    SUBFormattingProcessor1->SetTextEditorEx(CurrentSubroutine);
    CurrentSubroutine->SetFormattingProcessor(SUBFormattingProcessor1);
    auto* editorRow = new QHBoxLayout;
    editorRow->setContentsMargins(0, 0, 0, 0);
    editorRow->setSpacing(0);
    editorRow->addWidget(Ruler1);
    editorRow->addWidget(CurrentSubroutine, 1);
    left->addLayout(editorRow, 1);
    layout->addLayout(left, 1);

    auto* right = new QVBoxLayout;
    const auto button = [this](QWidget* group, const char* caption, const char* name) {
        auto* b = new QPushButton(Msg(caption), group);
        b->setObjectName(QLatin1String(name));
        b->installEventFilter(this);
        return b;
    };
    LoadSaveGroup = new TCaptionGroup(this);
    LoadSaveGroup->SetCaptionText(QStringLiteral("Ladda och Spara"));
    auto* loadSave = new QVBoxLayout(LoadSaveGroup);
    loadSave->setContentsMargins(8, 30, 8, 8);
    Button1 = button(LoadSaveGroup, "&Ny", "Button1");
    Button2 = button(LoadSaveGroup, "&Öppna", "Button2");
    Button3 = button(LoadSaveGroup, "&Spara", "Button3");
    loadSave->addWidget(Button1);
    loadSave->addWidget(Button2);
    loadSave->addWidget(Button3);
    right->addWidget(LoadSaveGroup);
    ExecuteGroup = new TCaptionGroup(this);
    ExecuteGroup->SetCaptionText(QStringLiteral("Exekvera"));
    auto* execute = new QVBoxLayout(ExecuteGroup);
    execute->setContentsMargins(8, 30, 8, 8);
    Button5 = button(ExecuteGroup, "&Exekvera", "Button5");
    execute->addWidget(Button5);
    right->addWidget(ExecuteGroup);
    right->addStretch(1);
    kvlogo = new QLabel(QStringLiteral("Kelvora"), this);
    kvlogo->setObjectName(QStringLiteral("kvlogo"));
    kvlogo->setAlignment(Qt::AlignCenter);
    QFont logoFont = kvlogo->font();
    logoFont.setBold(true);
    logoFont.setItalic(true);
    logoFont.setPointSize(logoFont.pointSize() + 6);
    kvlogo->setFont(logoFont);
    right->addWidget(kvlogo);
    for (QWidget* w : {static_cast<QWidget*>(LoadSaveGroup), static_cast<QWidget*>(ExecuteGroup)})
        w->setMinimumWidth(150);
    layout->addLayout(right);

    const auto command = [this](QPushButton* b, void (Tcommands::*handler)()) {
        connect(b, &QPushButton::clicked, this,
                [this, handler] { RunCommand([this, handler] { (this->*handler)(); }); });
    };
    command(Button1, &Tcommands::Button1Click);
    command(Button2, &Tcommands::Button2Click);
    command(Button3, &Tcommands::Button3Click);
    command(Button5, &Tcommands::Button5Click);

    // The context menu of the editor.
    SubEdPopup = new QMenu(this);
    SubEdPopup->setObjectName(QStringLiteral("SubEdPopup"));
    const auto item = [this](const char* caption, const char* key, std::function<void()> run) {
        QAction* a = SubEdPopup->addAction(Msg(caption));
        if (*key)
            a->setShortcut(QKeySequence(QLatin1String(key)));
        connect(a, &QAction::triggered, this, [run] { RunCommand(run); });
        return a;
    };
    TTextEditorEx* e = CurrentSubroutine;
    UndoItem = item("&Ångra", "Ctrl+Z", [e] { e->Undo(); });
    SubEdPopup->addSeparator();
    CutItem = item("&Klipp ut", "Ctrl+X", [e] { e->CutToClipboard(); });
    CopyItem = item("K&opiera", "Ctrl+C", [e] { e->CopyToClipboard(); });
    PasteItem = item("K&listra in", "Ctrl+V", [e] { e->PasteFromClipboard(); });
    DeleteItem = item("&Ta bort", "", [e] { e->DeleteSelection(); });
    SubEdPopup->addSeparator();
    SelectAllItem = item("&Markera allt", "Ctrl+A", [e] { e->SelectAll(); });
    SubEdPopup->addSeparator();
    OpenInMainItem = item("&Öppna i huvudeditor...", "Ctrl+F12", [this] { OpenInMainEditor(); });
    CurrentSubroutine->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(CurrentSubroutine, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& pos) {
                PrepareSubEdPopup();
                SubEdPopup->popup(CurrentSubroutine->mapToGlobal(pos));
            });
    CurrentSubroutine->installEventFilter(this);

    NeutralizeStatusTimer = new QTimer(this);
    NeutralizeStatusTimer->setObjectName(QStringLiteral("NeutralizeStatusTimer"));
    NeutralizeStatusTimer->setSingleShot(true);
    connect(NeutralizeStatusTimer, &QTimer::timeout, this, [this] {
        NeutralizeStatusTimer->stop();
        if (main_)
            main_->statusBar()->clearMessage();
    });

    if (main_)
        runner_ = std::make_unique<TSubroutineRunner>(*main_, *this);
}

Tcommands::~Tcommands() = default;

bool Tcommands::InternalGetInput(const QString& prompt, bool showBrowse, int filterIndex,
                                 QString* answer) {
    TInternalFunctionInput dialog(this);
    dialog.SetQuestion(prompt);
    dialog.SetShowBrowse(showBrowse);
    dialog.SetFilterIndex(filterIndex);
    return dialog.Run(answer);
}

QString Tcommands::SubroutineFolder() {
    return AppPaths::DataFile(QStringLiteral("subrutiner"));
}

// --- showing and keys --------------------------------------------------------------------------

void Tcommands::TakeMainEditorLook() {
    if (!main_)
        return;
    const TTextEditorEx& source = *main_->CodeEditor;
    CurrentSubroutine->Settings()->Assign(*source.Settings());
    CurrentSubroutine->Settings()->ListMenuHelper = false;
    CurrentSubroutine->Settings()->ListMenuHelperAutoPopup = false;
    const bool fontChanged = CurrentSubroutine->EditorFont != source.EditorFont ||
                             CurrentSubroutine->TextXSpace() != source.TextXSpace() ||
                             CurrentSubroutine->TextYSpace() != source.TextYSpace();
    if (fontChanged) {
        CurrentSubroutine->EditorFont = source.EditorFont;
        CurrentSubroutine->SetTextXSpace(source.TextXSpace());
        CurrentSubroutine->SetTextYSpace(source.TextYSpace());
        CurrentSubroutine->UpdateFont();
    }
    if (main_->SUBFormattingProcessor1)
        SUBFormattingProcessor1->Assign(*main_->SUBFormattingProcessor1);
    if (const TRuler* ruler = source.Ruler()) {
        Ruler1->SetColor(ruler->Color());
        Ruler1->SetGradientColor(ruler->GradientColor());
        Ruler1->SetSurfaceType(ruler->SurfaceType());
    }
    CurrentSubroutine->RepaintAll();
}

void Tcommands::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!placed_) {
        placed_ = true;
        Dialogs::CentreOnScreen(this);
    }
    RunCommand([this] { TakeMainEditorLook(); });
}

void Tcommands::keyPressEvent(QKeyEvent* event) {
    if (!HandleKey(event))
        QWidget::keyPressEvent(event);
}

bool Tcommands::eventFilter(QObject* watched, QEvent* event) {
    if (!watched->isWidgetType())
        return QWidget::eventFilter(watched, event);
    if (event->type() == QEvent::ShortcutOverride && OwnShortcut(static_cast<QKeyEvent*>(event))) {
        // The window's own keys come before the main window's commands of the same keys.
        event->accept();
        return true;
    }
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (QAction* item = OwnShortcut(key)) {
            PrepareSubEdPopup();
            if (item->isEnabled())
                item->trigger();
            return true;
        }
        return HandleKey(key);
    }
    return QWidget::eventFilter(watched, event);
}

QAction* Tcommands::OwnShortcut(const QKeyEvent* event) const {
    const QKeySequence pressed(event->keyCombination());
    for (QAction* item : SubEdPopup->actions())
        if (!item->shortcut().isEmpty() && item->shortcut() == pressed)
            return item;
    return nullptr;
}

bool Tcommands::HandleKey(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape &&
        !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::ShiftModifier))) {
        hide();
        return true;
    }
    const Qt::KeyboardModifiers mods = event->modifiers() & (Qt::ControlModifier | Qt::AltModifier |
                                                             Qt::ShiftModifier | Qt::MetaModifier);
    if (mods != (Qt::ControlModifier | Qt::AltModifier | Qt::ShiftModifier) || !main_)
        return false;
    const char* command = nullptr;
    switch (DigitKey(event)) {
    case 1:
        command = "ChSettA";
        break;
    case 2:
        command = "ChSettB";
        break;
    case 5:
        command = "ChSettE";
        break;
    default:
        break;
    }
    if (!command)
        return false;
    main_->Commands().Trigger(QLatin1String(command));
    // The toggled setting reaches this editor at once.
    RunCommand([this] { TakeMainEditorLook(); });
    return true;
}

void Tcommands::PrepareSubEdPopup() {
    const bool selection = CurrentSubroutine->HasSelection();
    UndoItem->setEnabled(CurrentSubroutine->CanUndo());
    CutItem->setEnabled(selection);
    CopyItem->setEnabled(selection);
    DeleteItem->setEnabled(selection);
    PasteItem->setEnabled(ClipboardHasText());
    SelectAllItem->setEnabled(!IsEmptyText(*CurrentSubroutine));
    OpenInMainItem->setEnabled(main_ != nullptr);
}

void Tcommands::SetButtonsEnabled(bool enabled) {
    for (QPushButton* b : {Button1, Button2, Button3, Button5})
        b->setEnabled(enabled);
}

// --- buttons -----------------------------------------------------------------------------------

bool Tcommands::ConfirmReplace() {
    if (!main_)
        return false;
    main_->LastQuestionResult = main_->kvQuestionBox(
        Msg("Den aktuella subrutinen kommer att raderas."), Msg("Vill du fortsätta?"));
    return main_->LastQuestionResult == Dialogs::mrYes;
}

void Tcommands::Button1Click() {
    SubroutineFileKnown = false;
    if (!ConfirmReplace())
        return;
    CurrentSubroutine->Clear();
    CurrentSubroutine->setFocus(Qt::OtherFocusReason);
}

void Tcommands::Button2Click() {
    if (!ConfirmReplace())
        return;
    const QString start =
        OpenDialogFileName.isEmpty() ? SubroutineFolder() + QLatin1Char('/') : OpenDialogFileName;
    const QString file =
        Dialogs::GetOpenFileName(this, QStringLiteral("Välj subrutin"), start, QtFilter());
    if (file.isEmpty())
        return;
    OpenDialogFileName = file;
    try {
        CurrentSubroutine->LoadFromFile(file);
    } catch (const EKelvoraError&) {
        main_->kvMessageBox(Msg("Det gick inte att öppna filen med subrutinen (") + file +
                            Msg("). Den används av systemet."));
        return;
    }
    main_->kvMessageBox(Msg("Subrutinen ") + QFileInfo(file).fileName() + Msg(" har laddats."));
    SubroutineFileKnown = true;
}

void Tcommands::ProposeSaveName() {
    SaveDialogFileName = SubroutineFileKnown && !OpenDialogFileName.isEmpty()
                             ? OpenDialogFileName
                             : SubroutineFolder() + QLatin1Char('/') + QLatin1String(kNewName);
}

void Tcommands::Button3Click() {
    if (!main_)
        return;
    ProposeSaveName();
    const QString file =
        Dialogs::GetSaveFileName(this, QStringLiteral("Spara subrutin"), SaveDialogFileName,
                                 QtFilter(), nullptr, QFileDialog::DontConfirmOverwrite);
    if (file.isEmpty())
        return;
    if (QFileInfo::exists(file)) {
        main_->LastQuestionResult =
            main_->kvQuestionBox(Msg("Filen ") + QFileInfo(file).fileName() + Msg(" finns redan."),
                                 Msg("Vill du ersätta den?"));
        if (main_->LastQuestionResult != Dialogs::mrYes)
            return;
    }
    try {
        CurrentSubroutine->SaveToFile(file);
    } catch (const EKelvoraError&) {
        main_->kvMessageBox(Msg("Det gick inte att spara subrutinen till filen \"") + file +
                            Msg("\"."));
        return;
    }
    main_->kvMessageBox(Msg("Subrutinen har sparats."));
}

void Tcommands::Button5Click() {
    if (runner_)
        runner_->RunFromWindow();
}

// --- to and from the main editor -----------------------------------------------------------------

void Tcommands::OpenInMainEditor() {
    if (!main_)
        return;
    const QByteArray text = CurrentSubroutine->Text();
    main_->NewDocTab(0, QStringLiteral("subrutin.sub"));
    main_->CodeEditor->SetText(text);
}

void Tcommands::CopyFromDocument() {
    if (!main_ || main_->CurrentTab() < 0 || main_->CurrentTab() >= main_->OpenFilesCount())
        return;
    ProposeSaveName();
    const TFileData& doc = main_->Current();
    if (!IsEmptyText(*CurrentSubroutine) && SaveDialogFileName != doc.FileName && !ConfirmReplace())
        return;
    CurrentSubroutine->SetText(main_->CodeEditor->Text());
    CurrentSubroutine->UpdateView();
    show();
    raise();
    if (doc.HasFile) {
        OpenDialogFileName = doc.FileName;
        SubroutineFileKnown = true;
    } else {
        SubroutineFileKnown = false;
    }
}
