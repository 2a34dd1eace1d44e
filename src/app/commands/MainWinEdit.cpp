// The main window's edit and format commands on the editor: cut, copy and paste with the
// clipboard history, the paste menus, deleting, selecting, copying and clearing the whole
// text, letter case, indentation, ROT13, and import and export of text files.
#include "app/mainwindow/MainWin.h"

#include "app/core/FileFilters.h"
#include "app/preview/ViewModes.h"
#include "editor/text/LineStore.h"
#include "editor/view/TextEditorEx.h"
#include "platform/Cp1252.h"
#include "platform/Dialogs.h"
#include "platform/SilentAbort.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QToolBar>
#include <QToolButton>
#include <algorithm>

namespace {

// Menu item tags: the sender's data.
constexpr int kNoTag = -1;

// A top-level menu of the window by object name; made (before `before`) when it is missing.
QMenu* TopMenu(Tmain& w, const char* objectName, const QString& caption, QMenu* before) {
    auto* menu =
        w.menuBar()->findChild<QMenu*>(QLatin1String(objectName), Qt::FindDirectChildrenOnly);
    if (menu)
        return menu;
    menu = new QMenu(caption, w.menuBar());
    menu->setObjectName(QLatin1String(objectName));
    w.menuBar()->insertMenu(before->menuAction(), menu);
    w.Views->AddEditOnly(menu);
    return menu;
}

// A caption shows "&" as it is and no tab (which would start the shortcut column).
QString MenuCaption(QString text) {
    text.replace(QLatin1Char('&'), QStringLiteral("&&"));
    text.replace(QLatin1Char('\t'), QLatin1Char(' '));
    return text;
}

QString PlainClipboardText() {
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    return data && data->hasText() ? data->text() : QString();
}

bool ClipboardHasText() {
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    return data && data->hasText();
}

} // namespace

void Tmain::BuildEditCommands() {
    const auto add = [this](const char* name, const char* caption, const char* key,
                            std::function<void()> command) {
        return AddAction(QLatin1String(name), QString::fromUtf8(caption),
                         QKeySequence(QLatin1String(key)), std::move(command));
    };
    const auto forward = [this](void (TTextEditorEx::*operation)()) {
        return [this, operation] {
            if (Views->IsPreviewMode())
                return;
            BeforeEditorChange();
            (CodeEditor->*operation)();
        };
    };

    add("RDocUndo", "Ångra", "Ctrl+Z", [this] { DocUndo(); });
    add("RDocRedo", "Gör om", "Ctrl+Y", [this] { DocRedo(); });
    add("RDocCut", "Klipp ut", "Ctrl+X", [this] {
        DocCut();
    })->setStatusTip(QStringLiteral("Klipp ut|Flyttar aktuell markering till urklipp."));
    add("RDocCopy", "Kopiera", "Ctrl+C", [this] { DocCopy(); });
    add("RDocPaste", "Klistra in", "Ctrl+V", [this] { DocPaste(); });
    add("RDocDelSel", "Ta bort", "", [this] { DocDelSel(); });
    add("RExportText", "Exportera markering...", "", [this] { ExportText(); });
    add("RImportText", "Importera text från fil...", "", [this] { ImportText(); });
    add("RSelectCurrentTag", "Markera tagg", "Ctrl+Shift+A", [this] { SelectCurrentTag(); });
    add("RSelectAll", "Markera allt", "Ctrl+A", [this] { SelectAll(); });
    add("RCopyAll", "Kopiera allt", "", [this] { CopyAll(); });
    add("RClearAll", "Rensa allt", "", [this] { ClearAll(); });
    add("FConvUpperCase", "Ändra till &versaler", "Ctrl+Alt+U",
        forward(&TTextEditorEx::UpperCaseSelection));
    add("FConvLowerCase", "Ändra till &gemener", "Ctrl+Alt+L",
        forward(&TTextEditorEx::LowerCaseSelection));
    add("FConvOppositCase", "Invertera skiftläge", "Ctrl+Alt+I",
        forward(&TTextEditorEx::InvertCaseSelection));
    add("FAddIndent", "Indentera markering", "Ctrl+Alt+Space",
        forward(&TTextEditorEx::IndentSelection));
    add("FDelIndent", "Avindentera markering", "Ctrl+Alt+Backspace",
        forward(&TTextEditorEx::UnindentSelection));
    add("FDelAllIndent", "Ta bort indentering", "", forward(&TTextEditorEx::RemoveIndentation));
    add("VApplyROT13", "Utför ROT-13", "Ctrl+Q", forward(&TTextEditorEx::ROT13));

    // "&Redigera": these commands come first, before what is on the menu already.
    QMenu* edit = TopMenu(*this, "Redigera1", QStringLiteral("&Redigera"), mnuDocTabs);
    QAction* first = edit->actions().value(0);
    const auto put = [&](QAction* item) { edit->insertAction(first, item); };
    const auto separator = [&] { edit->insertSeparator(first); };
    put(Action(QStringLiteral("RDocUndo")));
    put(Action(QStringLiteral("RDocRedo")));
    separator();
    put(Action(QStringLiteral("RDocCut")));
    put(Action(QStringLiteral("RDocCopy")));
    put(Action(QStringLiteral("RDocPaste")));
    mnuPaste = new QMenu(QStringLiteral("K&listra in"), edit);
    mnuPaste->setObjectName(QStringLiteral("mnuPaste"));
    put(mnuPaste->menuAction());
    put(Action(QStringLiteral("RDocDelSel")));
    separator();
    put(Action(QStringLiteral("RExportText")));
    put(Action(QStringLiteral("RImportText")));
    separator();
    put(Action(QStringLiteral("RSelectCurrentTag")));
    put(Action(QStringLiteral("RSelectAll")));
    separator();
    put(Action(QStringLiteral("RCopyAll")));
    put(Action(QStringLiteral("RClearAll")));
    if (first)
        separator();
    connect(edit, &QMenu::aboutToShow, this, [this] { RunCommand([this] { InitPastes(); }); });

    // "&Format", after the menus before "&Dokumentflikar".
    QMenu* format = TopMenu(*this, "Format1", QStringLiteral("&Format"), mnuDocTabs);
    if (!format->isEmpty())
        format->addSeparator();
    for (const char* name : {"FConvUpperCase", "FConvLowerCase", "FConvOppositCase"})
        format->addAction(Action(QLatin1String(name)));
    format->addSeparator();
    for (const char* name : {"FAddIndent", "FDelIndent", "FDelAllIndent"})
        format->addAction(Action(QLatin1String(name)));
    format->addSeparator();
    format->addAction(Action(QStringLiteral("VApplyROT13")));

    // The toolbar's paste button and its drop-down of the clips.
    PasteDataPopup = new QMenu(this);
    PasteDataPopup->setObjectName(QStringLiteral("PasteDataPopup"));
    connect(PasteDataPopup, &QMenu::aboutToShow, this,
            [this] { RunCommand([this] { InitPastes2(); }); });
    QAction* paste = Action(QStringLiteral("RDocPaste"));
    Toolbar->addAction(paste);
    if (auto* button = qobject_cast<QToolButton*>(Toolbar->widgetForAction(paste))) {
        button->setObjectName(QStringLiteral("PasteButton"));
        button->setMenu(PasteDataPopup);
        button->setPopupMode(QToolButton::MenuButtonPopup);
        Views->AddEditOnly(button);
    }
}

void Tmain::BeforeEditorChange() {
    // One undo step takes back the command alone, not what was typed just before it.
    if (CodeEditor->Settings()->ReadOnly)
        return;
    if (CodeEditor->UndoStore.Count() == 0 || CodeEditor->UndoStore.ChangedSinceShown(*CodeEditor))
        CodeEditor->AddUndoData();
}

void Tmain::AddToClipboardHistory() {
    DataFiles.ClipboardHistory.Add(CodeEditor->GetSelText());
}

void Tmain::DocCut() {
    if (Views->IsPreviewMode() || !CodeEditor->hasFocus())
        return;
    AddToClipboardHistory();
    BeforeEditorChange();
    CodeEditor->CutToClipboard();
}

void Tmain::DocCopy() {
    if (Views->IsPreviewMode())
        return;
    CodeEditor->CopyToClipboard();
    AddToClipboardHistory();
}

void Tmain::DocPaste() {
    if (Views->IsPreviewMode())
        return;
    BeforeEditorChange();
    CodeEditor->PasteFromClipboard();
}

void Tmain::DocDelSel() {
    if (Views->IsPreviewMode())
        return;
    BeforeEditorChange();
    CodeEditor->DeleteSelection();
}

void Tmain::SelectCurrentTag() {
    if (!Views->IsPreviewMode())
        CodeEditor->SelectCurrentTag();
}

void Tmain::SelectAll() {
    if (!Views->IsPreviewMode())
        CodeEditor->SelectAll();
}

void Tmain::CopyAll() {
    if (Views->IsPreviewMode())
        return;
    QGuiApplication::clipboard()->setText(Cp1252::Decode(CodeEditor->Text()));
}

void Tmain::ClearAll() {
    // A read-only text is not cleared (the editor's Clear would do it regardless).
    if (Views->IsPreviewMode() || CodeEditor->Settings()->ReadOnly)
        return;
    LastQuestionResult = kvQuestionBox(QStringLiteral("All text i dokumentet kommer att raderas."),
                                       QStringLiteral("Vill du fortsätta?"));
    if (LastQuestionResult != Dialogs::mrYes)
        return;
    BeforeEditorChange();
    CodeEditor->Clear();
}

void Tmain::ImportText() {
    if (Views->IsPreviewMode() || CodeEditor->Settings()->ReadOnly)
        return;
    const QStringList filters = FileFilters::QtFilters(FileFilters::FilterCount);
    SetFilterIndex();
    QString selected = filters.value(std::clamp(filterIndex_, 1, FileFilters::FilterCount) - 1);
    const QString name =
        Dialogs::GetOpenFileName(this, QStringLiteral("Importera från fil"), openDialogFile_,
                                 filters.join(QStringLiteral(";;")), &selected);
    if (name.isEmpty())
        return;
    try {
        BeforeEditorChange();
        CodeEditor->InsertFromFile(name);
    } catch (const EKelvoraError&) {
        kvMessageBox(QStringLiteral("Det gick inte att importera text från filen \"%1\".")
                         .arg(QFileInfo(name).absoluteFilePath()));
    }
}

void Tmain::ExportText() {
    if (Views->IsPreviewMode())
        return;
    const QStringList filters = FileFilters::QtFilters(FileFilters::SaveFilterCount);
    SetFilterIndex();
    QString selected = filters.value(std::clamp(filterIndex_, 1, FileFilters::SaveFilterCount) - 1);
    const QString name = Dialogs::GetSaveFileName(this, QStringLiteral("Exportera markering"),
                                                  QString(), filters.join(QStringLiteral(";;")),
                                                  &selected, QFileDialog::DontConfirmOverwrite);
    if (name.isEmpty())
        return;
    if (QFileInfo::exists(name)) {
        LastQuestionResult =
            kvQuestionBox(QStringLiteral("Filen %1 finns redan.").arg(QFileInfo(name).fileName()),
                          QStringLiteral("Vill du ersätta den?"));
        if (LastQuestionResult != Dialogs::mrYes)
            return;
    }
    // The selected lines, each followed by CR LF; a selection that ends at a line start
    // has no empty last line.
    QPoint from, to;
    CodeEditor->SelectionBounds(&from, &to);
    std::vector<QByteArray> lines = CodeEditor->GetTextRange(from, to);
    if (!lines.empty() && lines.back().isEmpty())
        lines.pop_back();
    LineStore out;
    out.SetStyle(LineStore::BreakStyle::CrLf);
    out.Replace(0, 0, std::move(lines));
    QString error;
    if (!out.SaveToFile(name, &error))
        kvMessageBox(QStringLiteral("Det gick inte att spara till filen \"%1\".")
                         .arg(QFileInfo(name).absoluteFilePath()));
}

QString Tmain::ClipCaption(const QString& text) {
    const QChar quote = QLatin1Char('"');
    if (text.size() < 31)
        return quote + text + quote;
    return quote + text.left(30) + QStringLiteral("...") + quote;
}

void Tmain::InitPastes() {
    mnuPaste->clear();
    if (ClipboardHasText()) {
        QAction* item = mnuPaste->addAction(
            MenuCaption(ClipCaption(PlainClipboardText()) + QStringLiteral(" (Systemurklipp)")));
        item->setData(kNoTag);
        item->setStatusTip(QStringLiteral("|Infogar innehållet i systemurklipp vid markören."));
        item->setShortcut(QKeySequence(QStringLiteral("Ctrl+V")));
        // The window's paste action owns the key; this one only shows it.
        item->setShortcutContext(Qt::WidgetShortcut);
        connect(item, &QAction::triggered, this, [this] { RunCommand([this] { DocPaste(); }); });
        mnuPaste->addSeparator();
    }
    const QList<QByteArray>& entries = DataFiles.ClipboardHistory.Entries();
    for (int i = 0; i < entries.size(); ++i) {
        QByteArray shown = entries[i];
        shown.replace("\r\n", "\\n");
        QAction* item = mnuPaste->addAction(MenuCaption(ClipCaption(Cp1252::Decode(shown))));
        item->setData(i);
        item->setStatusTip(
            QStringLiteral("|Infogar innehållet i det här Kelvora-urklippet vid markören."));
        connect(item, &QAction::triggered, this,
                [this, i] { RunCommand([this, i] { PasteItem(i); }); });
    }
    if (mnuPaste->isEmpty()) {
        QAction* item = mnuPaste->addAction(QStringLiteral("Det finns inga urklipp i minnet."));
        item->setData(kNoTag);
        item->setStatusTip(
            QStringLiteral("|Det finns inget systemurklipp och inga Kelvora-urklipp."));
        item->setEnabled(false);
    }
}

void Tmain::InitPastes2() {
    InitPastes();
    PasteDataPopup->clear();
    const bool systemClip = ClipboardHasText();
    bool firstItem = true;
    for (QAction* source : mnuPaste->actions()) {
        if (source->isSeparator()) {
            PasteDataPopup->addSeparator();
            continue;
        }
        QAction* item = PasteDataPopup->addAction(source->text());
        item->setData(source->data());
        item->setStatusTip(source->statusTip());
        connect(item, &QAction::triggered, source, &QAction::trigger);
        if (firstItem && systemClip)
            PasteDataPopup->setDefaultAction(item);
        firstItem = false;
    }
}

void Tmain::PasteItem(int tag) {
    const QList<QByteArray>& entries = DataFiles.ClipboardHistory.Entries();
    if (tag < 0 || tag >= entries.size())
        return;
    QGuiApplication::clipboard()->setText(Cp1252::Decode(entries[tag]));
    DocPaste();
}
