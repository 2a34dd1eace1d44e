#include "markup/DialogEditor.h"

#include "app/commands/InsertShortcuts.h"
#include "app/mainwindow/MainWin.h"
#include "editor/colouring/HTMLFormattingProcessor.h"
#include "editor/colouring/JSFormattingProcessor.h"
#include "editor/view/InteractiveListMenu.h"
#include "editor/view/Ruler.h"
#include "editor/view/TextEditorEx.h"
#include "platform/SilentAbort.h"

#include <QAction>
#include <QClipboard>
#include <QDialog>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>

namespace {

bool ClipboardHasText() {
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    return data && data->hasText();
}

} // namespace

TDialogEditor::TDialogEditor(Tmain& window, TColouring colouring, QWidget* parent)
    : QWidget(parent), window_(window), colouring_(colouring) {
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    Editor = new TTextEditorEx(this);
    Ruler = new TRuler(this);
    Ruler->SetTextEditorEx(Editor);
    Editor->SetRuler(Ruler);
    row->addWidget(Ruler);
    row->addWidget(Editor, 1);
    if (colouring == TColouring::JavaScript)
        Processor = new TJSFormattingProcessor(this);
    else
        Processor = new THTMLFormattingProcessor(this);
    Processor->SetTextEditorEx(Editor);
    Editor->SetFormattingProcessor(Processor);

    Popup = new QMenu(this);
    const auto item = [this](const QString& caption, const char* key, auto operation) {
        QAction* action = Popup->addAction(caption);
        if (key) {
            action->setShortcut(QKeySequence(QLatin1String(key)));
            action->setShortcutContext(Qt::WidgetShortcut);
            Editor->addAction(action);
        }
        connect(action, &QAction::triggered, this,
                [this, operation] { RunCommand([this, operation] { operation(*Editor); }); });
        return action;
    };
    UndoItem = item(QStringLiteral("&Ångra"), "Ctrl+Z", [](TTextEditorEx& e) { e.Undo(); });
    Popup->addSeparator();
    CutItem =
        item(QStringLiteral("&Klipp ut"), "Ctrl+X", [](TTextEditorEx& e) { e.CutToClipboard(); });
    CopyItem =
        item(QStringLiteral("K&opiera"), "Ctrl+C", [](TTextEditorEx& e) { e.CopyToClipboard(); });
    PasteItem = item(QStringLiteral("K&listra in"), "Ctrl+V", [](TTextEditorEx& e) {
        if (ClipboardHasText())
            e.PasteFromClipboard();
    });
    DeleteItem =
        item(QStringLiteral("&Ta bort"), nullptr, [](TTextEditorEx& e) { e.DeleteSelection(); });
    Popup->addSeparator();
    SelectAllItem =
        item(QStringLiteral("&Markera allt"), "Ctrl+A", [](TTextEditorEx& e) { e.SelectAll(); });
    Editor->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(Editor, &QWidget::customContextMenuRequested, this, [this](const QPoint& pos) {
        UpdatePopup();
        Popup->popup(Editor->mapToGlobal(pos));
    });
    Editor->installEventFilter(this);
    TakeOverMainLook();
}

void TDialogEditor::TakeOverMainLook() {
    const TTextEditorEx& main = *window_.CodeEditor;
    Editor->Settings()->Assign(*main.Settings());
    Editor->Settings()->ReadOnly = false; // the dialog's own text
    Editor->FontColor = main.FontColor;
    Editor->EditorFont = main.EditorFont;
    Editor->SetTextXSpace(main.TextXSpace());
    Editor->SetTextYSpace(main.TextYSpace());
    if (colouring_ == TColouring::JavaScript)
        static_cast<TJSFormattingProcessor*>(Processor)->Assign(*window_.JSFormattingProcessor1);
    else
        static_cast<THTMLFormattingProcessor*>(Processor)->Assign(
            *window_.HTMLFormattingProcessor1);
    if (main.Ruler()) {
        Ruler->Assign(*main.Ruler());
        Ruler->setVisible(main.Ruler()->isVisibleTo(main.Ruler()->parentWidget()));
    }
    Editor->UpdateFont();
    Editor->UpdateScrollBars();
    Editor->RepaintAll();
}

void TDialogEditor::UpdatePopup() {
    const bool selection = Editor->HasSelection();
    UndoItem->setEnabled(Editor->CanUndo());
    CutItem->setEnabled(selection);
    CopyItem->setEnabled(selection);
    DeleteItem->setEnabled(selection);
    PasteItem->setEnabled(ClipboardHasText());
    SelectAllItem->setEnabled(Editor->TextLength() > 2);
}

void TDialogEditor::ToggleMainSetting(Tmain& window, const QString& toggle) {
    if (window.Commands().Has(toggle))
        window.Commands().Trigger(toggle);
}

bool TDialogEditor::eventFilter(QObject* watched, QEvent* event) {
    if (watched != Editor || event->type() != QEvent::KeyPress)
        return QWidget::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    // Esc closes the dialog as it does from its other controls, unless the editor's list is
    // open.
    TInteractiveListMenu* list = Editor->ListMenu();
    if (key->key() == Qt::Key_Escape &&
        (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier &&
        !(list && list->isVisible())) {
        if (auto* dialog = qobject_cast<QDialog*>(window())) {
            dialog->reject();
            return true;
        }
        return false;
    }
    const Qt::KeyboardModifiers three = Qt::ControlModifier | Qt::AltModifier | Qt::ShiftModifier;
    if ((key->modifiers() & three) != three)
        return false;
    const QString toggle =
        InsertShortcuts::MatchPhysicalShortcut(key->key(), key->modifiers(), key->nativeScanCode());
    const bool known = toggle == QLatin1String("ChSettA") || toggle == QLatin1String("ChSettB");
    if (known)
        ToggleMainSetting(window_, toggle);
    TakeOverMainLook();
    return known;
}
