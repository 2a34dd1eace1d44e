// The main window's insert commands: simple elements, comments, the hard space, anchors,
// links to scripts and style sheets and the built-in style block, all in the tag case.
#include "app/mainwindow/MainWin.h"

#include "app/commands/InsertCommands.h"
#include "app/core/StringHelpers.h"
#include "app/dialogs/InternalFunctionInputWin.h"
#include "app/preview/ViewModes.h"
#include "controls/HexColorDialog.h"
#include "editor/model/TagUnderConstruction.h"
#include "editor/view/TextEditorEx.h"
#include "platform/Cp1252.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>

namespace {

// The browse dialog's kept filter index for the two link prompts (the filter list counts
// from 0 here): "JavaScript (*.js)" and "Stilmall (*.css)".
constexpr int kScriptFilterIndex = 1;
constexpr int kStyleFilterIndex = 3;

// The case mode the builder gets for a TagCase value.
quint8 CaseMode(int tagCase) {
    return tagCase == TagCase::Upper || tagCase == TagCase::Lower ? static_cast<quint8>(tagCase)
                                                                  : 0;
}

// Writes `before` + selection + `after` in place of the selection and selects the wrapped
// text again.
void Wrap(TTextEditorEx& editor, const QByteArray& before, const QByteArray& after) {
    const int start = editor.GetSelStart();
    editor.SetSelText(before + editor.GetSelText() + after);
    const int inner = start + static_cast<int>(before.size());
    const int length = editor.GetSelStart() - static_cast<int>(after.size()) - inner;
    editor.SetSelStart(inner);
    editor.SetSelLength(length);
}

// Without a selection writes `empty` and puts the caret `back` characters before its end;
// with one, wraps it.
void WriteComment(TTextEditorEx& editor, const QByteArray& empty, int back,
                  const QByteArray& before, const QByteArray& after) {
    if (editor.Settings()->ReadOnly)
        return;
    if (editor.GetSelLength() > 0) {
        Wrap(editor, before, after);
        return;
    }
    editor.SetSelText(empty);
    editor.SetSelStart(editor.GetSelStart() - back);
}

// The one-line prompt; the answer in the document's encoding, empty when cancelled.
QByteArray Ask(QWidget* owner, const QString& prompt, bool browse, int filterIndex) {
    TInternalFunctionInput box(owner);
    box.SetQuestion(prompt);
    box.SetShowBrowse(browse);
    box.SetFilterIndex(filterIndex);
    QString answer;
    box.Run(&answer);
    return Cp1252::Encode(answer);
}

// Fires the insert commands whose keys the window may not see as their key sequence (see
// InsertCommands.h). A key that matched a shortcut never arrives here as a key press, so no
// command runs twice.
class TPhysicalKeys : public QObject {
public:
    explicit TPhysicalKeys(Tmain* window) : QObject(window), w_(window) {}

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyPress || !watched->isWidgetType() ||
            static_cast<QWidget*>(watched)->window() != w_)
            return false;
        const auto* key = static_cast<QKeyEvent*>(event);
        const QString name = InsertCommands::MatchPhysicalShortcut(key->key(), key->modifiers(),
                                                                   key->nativeScanCode());
        QAction* action = name.isEmpty() ? nullptr : w_->Action(name);
        if (!action || !action->isEnabled())
            return false;
        action->trigger();
        return true;
    }

private:
    Tmain* w_;
};

} // namespace

QByteArray Tmain::FCC(const QByteArray& text) const {
    return TagCase::Cased(text, CaseMode(TagCase));
}

// --- simple elements ---------------------------------------------------------------------------

void Tmain::InsertParaP() {
    CodeEditor->InsertSimpleTag("P", true, CaseMode(TagCase));
}

void Tmain::InsertParaD() {
    CodeEditor->InsertSimpleTag("DIV", true, CaseMode(TagCase));
}

void Tmain::InsertRaised() {
    CodeEditor->InsertSimpleTag("SUP", true, CaseMode(TagCase));
}

void Tmain::InsertLowered() {
    CodeEditor->InsertSimpleTag("SUB", true, CaseMode(TagCase));
}

void Tmain::InsertBold() {
    CodeEditor->InsertSimpleTag(Cp1252::Encode(BoldTagName), true, CaseMode(TagCase));
}

void Tmain::InsertItalic() {
    CodeEditor->InsertSimpleTag(Cp1252::Encode(ItalicTagName), true, CaseMode(TagCase));
}

void Tmain::InsertUnderlined() {
    CodeEditor->InsertSimpleTag("U", true, CaseMode(TagCase));
}

void Tmain::InsertHeading(QObject* sender) {
    const auto* action = qobject_cast<QAction*>(sender);
    const int level = action ? action->data().toInt() : 0;
    if (level < 1 || level > 6)
        return;
    CodeEditor->InsertSimpleTag("H" + QByteArray::number(level), true, CaseMode(TagCase));
}

void Tmain::InsertBreakB() {
    CodeEditor->InsertSimpleTag("BR", false, CaseMode(TagCase));
}

// --- fixed texts -------------------------------------------------------------------------------

void Tmain::InsertHTMLComment() {
    WriteComment(*CodeEditor, "<!--  -->", 4, "<!-- ", " -->");
}

void Tmain::InsertJSComment() {
    WriteComment(*CodeEditor, "/*  */", 3, "/* ", " */");
}

void Tmain::InsertVBComment() {
    WriteComment(*CodeEditor, "' ", 0, "'", "");
}

void Tmain::InsertSpace() {
    CodeEditor->SetSelText("&nbsp;");
}

void Tmain::InsertColor() {
    if (!ColorDialog) {
        ColorDialog = new THexColorDialog(this);
        ColorDialog->Title = QStringLiteral("Färg");
        ColorDialog->BtnCaption = QStringLiteral("&Infoga kod");
    }
    // A selected colour text presets the dialog; anything else gives the last colour.
    const QByteArray selected = CodeEditor->GetSelText();
    std::optional<TColor> preset;
    if (selected.size() == 7 && selected.startsWith('#'))
        preset = HTMLToColor(QString::fromLatin1(selected));
    ColorDialog->CurrentColor = preset.value_or(LastColor);
    if (!ColorDialog->Execute())
        return;
    LastColor = ColorDialog->CurrentColor;
    CodeEditor->SetSelText(ColorToHTML(LastColor).toLatin1());
}

// --- one-tag commands --------------------------------------------------------------------------

void Tmain::InsertAnchor() {
    const QByteArray name = Ask(this, QStringLiteral("Ange namn på ankaret:"), false, 0);
    if (name.isEmpty())
        return;
    CodeEditor->BeginBuildingTag("a", true, QByteArray());
    CodeEditor->AddTagAttribute("id", name);
    CodeEditor->AddTagAttribute("name", name);
    QByteArray tag;
    CodeEditor->EndBuildingTag(CaseMode(TagCase), tag);
    CodeEditor->SetSelText(tag);
}

namespace {

// Writes a tag as a whole new line above the caret's line; the caret keeps its line and
// column numbers and the selection is left as it is.
void WriteLineAbove(TTextEditorEx& editor, const QByteArray& tag) {
    if (tag.isEmpty())
        return;
    editor.InsertLines(QPoint(0, editor.GetCaretPos().y()), {tag}, true);
    editor.UpdateView();
}

} // namespace

void Tmain::InsertLinkScript() {
    const QByteArray path =
        Ask(this, QStringLiteral("Ange relativ eller absolut sökväg till skriptfilen:"), true,
            kScriptFilterIndex);
    if (path.isEmpty())
        return;
    CodeEditor->BeginBuildingTag("script", true, QByteArray());
    CodeEditor->AddTagAttribute("language", "JavaScript");
    CodeEditor->AddTagAttribute("type", "text/javascript");
    CodeEditor->AddTagAttribute("src", path);
    QByteArray tag;
    CodeEditor->EndBuildingTag(CaseMode(TagCase), tag);
    WriteLineAbove(*CodeEditor, tag);
}

void Tmain::InsertLinkStyle() {
    const QByteArray path =
        Ask(this, QStringLiteral("Ange relativ eller absolut sökväg till stilmallen:"), true,
            kStyleFilterIndex);
    if (path.isEmpty())
        return;
    CodeEditor->BeginBuildingTag("link", false, QByteArray());
    CodeEditor->AddTagAttribute("rel", "stylesheet");
    CodeEditor->AddTagAttribute("type", "text/css");
    CodeEditor->AddTagAttribute("href", path);
    QByteArray tag;
    CodeEditor->EndBuildingTag(CaseMode(TagCase), tag);
    WriteLineAbove(*CodeEditor, tag);
}

void Tmain::InsertBuiltinStyle() {
    CodeEditor->BeginBuildingTag("style", true, "\r\n\r\n\r\n\r\n");
    CodeEditor->AddTagAttribute("type", "text/css");
    QByteArray tag;
    CodeEditor->EndBuildingTag(CaseMode(TagCase), tag);
    if (tag.isEmpty())
        return; // read-only
    CodeEditor->SetSelText("\r\n" + tag + "\r\n");
    // The start of the middle one of the three empty lines.
    CodeEditor->SetSelStart(CodeEditor->GetSelStart() - 13);
}

// --- actions, menu and toolbar -----------------------------------------------------------------

void Tmain::BuildInsertCommands() {
    struct Command {
        const char* name;
        const char* caption;
        const char* key;
        void (Tmain::*handler)();
    };
    static const Command commands[] = {
        {"IInsertParaP", "Paragraf (P)", "Alt+Return", &Tmain::InsertParaP},
        {"IInsertParaD", "Stycke (DIV)", "Ctrl+Alt+Return", &Tmain::InsertParaD},
        {"IInsertBreakB", "Radbrytning", "Ctrl+Return", &Tmain::InsertBreakB},
        {"IInsertBold", "Stark emfas (betoning; fet stil)", "Ctrl+B", &Tmain::InsertBold},
        {"IInsertItalic", "Emfas (betoning; kursiv stil)", "Ctrl+K", &Tmain::InsertItalic},
        {"IInsertUnderlined", "Understruken", "Ctrl+U", &Tmain::InsertUnderlined},
        {"IInsertRaised", "Upphöjd text", "Ctrl+Shift+U", &Tmain::InsertRaised},
        {"IInsertLowered", "Nedsänkt text", "Ctrl+Shift+L", &Tmain::InsertLowered},
        {"IInsertSpace", "Hårt mellanslag", "Ctrl+Space", &Tmain::InsertSpace},
        {"IInsertAnchor", "Ankare", "", &Tmain::InsertAnchor},
        {"IInsertHTMLComment", "Kommentar (&HTML)", "Ctrl+E", &Tmain::InsertHTMLComment},
        {"IInsertJSComment", "Kommentar (&JavaScript/CSS)", "", &Tmain::InsertJSComment},
        {"IInsertVBComment", "Kommentar (&VB-skript)", "", &Tmain::InsertVBComment},
        {"IInsertBuiltinStyle", "Inbyggd stilmall (STYLE)", "", &Tmain::InsertBuiltinStyle},
        {"IInsertLinkStyle", "Länk till stilmall...", "", &Tmain::InsertLinkStyle},
        {"IInsertLinkScript", "Länk till skript...", "", &Tmain::InsertLinkScript},
        {"IInsertColor", "Färg i hexadecimal...", "Ctrl+R", &Tmain::InsertColor},
    };
    for (const Command& c : commands) {
        QAction* action = AddAction(QLatin1String(c.name), QString::fromUtf8(c.caption),
                                    QKeySequence(QLatin1String(c.key)), [this, h = c.handler] {
                                        // Preview mode hides the editor: its shortcuts write
                                        // nothing.
                                        if (!Views->IsPreviewMode())
                                            (this->*h)();
                                    });
        // Enter on the keypad as well.
        if (QByteArray(c.key).endsWith("Return"))
            action->setShortcuts(
                {action->shortcut(), QKeySequence(QString::fromLatin1(c.key).replace(
                                         QLatin1String("Return"), QLatin1String("Enter")))});
    }
    for (int level = 1; level <= 6; ++level) {
        const QString name = QStringLiteral("IInsertHeading%1").arg(level);
        QAction* action =
            AddAction(name, QStringLiteral("Rubrik &%1").arg(level),
                      QKeySequence(QStringLiteral("Ctrl+Shift+%1").arg(level)), [this, name] {
                          if (!Views->IsPreviewMode())
                              InsertHeading(Action(name));
                      });
        action->setData(level);
    }

    const auto add = [this](QWidget* to, const char* name) {
        to->addAction(Action(QLatin1String(name)));
    };
    Infoga1 = new QMenu(QStringLiteral("&Infoga"), this);
    Infoga1->setObjectName(QStringLiteral("Infoga1"));
    menuBar()->insertMenu(mnuDocTabs->menuAction(), Infoga1);
    for (const char* name : {"IInsertParaP", "IInsertParaD", "IInsertBreakB"})
        add(Infoga1, name);
    Infoga1->addSeparator();
    for (const char* name :
         {"IInsertBold", "IInsertItalic", "IInsertUnderlined", "IInsertRaised", "IInsertLowered"})
        add(Infoga1, name);
    Infoga1->addSeparator();
    for (int level = 1; level <= 6; ++level)
        Infoga1->addAction(Action(QStringLiteral("IInsertHeading%1").arg(level)));
    Infoga1->addSeparator();
    for (const char* name : {"IInsertSpace", "IInsertAnchor", "IInsertColor"})
        add(Infoga1, name);
    Infoga1->addSeparator();
    for (const char* name : {"IInsertHTMLComment", "IInsertJSComment", "IInsertVBComment"})
        add(Infoga1, name);
    Infoga1->addSeparator();
    for (const char* name : {"IInsertBuiltinStyle", "IInsertLinkStyle", "IInsertLinkScript"})
        add(Infoga1, name);
    Views->AddEditOnly(Infoga1);

    InsertToolbar = addToolBar(QStringLiteral("Infogafält"));
    InsertToolbar->setObjectName(QStringLiteral("InsertToolbar"));
    InsertToolbar->hide();
    static const char* const buttons[] = {
        "IInsertParaP",       "IInsertParaD",  "IInsertBreakB",       nullptr,
        "IInsertBold",        "IInsertItalic", "IInsertUnderlined",   "IInsertRaised",
        "IInsertLowered",     nullptr,         "IInsertSpace",        "IInsertAnchor",
        "IInsertHTMLComment", nullptr,         "IInsertBuiltinStyle", "IInsertLinkStyle",
        "IInsertLinkScript",
    };
    for (const char* name : buttons) {
        if (!name) {
            InsertToolbar->addSeparator();
            continue;
        }
        QAction* action = Action(QLatin1String(name));
        InsertToolbar->addAction(action);
        Views->AddEditOnly(InsertToolbar->widgetForAction(action));
    }

    // Application-wide, so that the key is seen whichever widget of the window has the focus.
    qApp->installEventFilter(new TPhysicalKeys(this));
}
