#include "app/commands/InsertCommands.h"

#include "app/commands/CommandRegistry.h"
#include "app/commands/CommandWindow.h"
#include "app/commands/Requests.h"
#include "app/dialogs/InternalFunctionInputWin.h"
#include "controls/HexColorDialog.h"
#include "editor/model/EditorModel.h"
#include "editor/model/TagUnderConstruction.h"
#include "editor/view/TextEditorExSettings.h"
#include "platform/ColorText.h"
#include "platform/Cp1252.h"

#include <QAction>
#include <functional>

namespace {

// The browse dialog's kept filter index for the two link prompts (the filter list counts
// from 0 here): "JavaScript (*.js)" and "Stilmall (*.css)".
constexpr int kScriptFilterIndex = 1;
constexpr int kStyleFilterIndex = 3;

// Writes `before` + selection + `after` in place of the selection and selects the wrapped
// text again.
void Wrap(TEditorModel& editor, const QByteArray& before, const QByteArray& after) {
    const int start = editor.GetSelStart();
    editor.SetSelText(before + editor.GetSelText() + after);
    const int inner = start + static_cast<int>(before.size());
    const int length = editor.GetSelStart() - static_cast<int>(after.size()) - inner;
    editor.SetSelStart(inner);
    editor.SetSelLength(length);
}

// Writes a tag as a whole new line above the caret's line; the caret keeps its line and
// column numbers and the selection is left as it is.
void WriteLineAbove(TEditorModel& editor, const QByteArray& tag) {
    if (tag.isEmpty())
        return;
    editor.InsertLines(QPoint(0, editor.GetCaretPos().y()), {tag}, true);
    editor.UpdateView();
}

// The text a request gives, in the document's encoding; null without a request.
const QString* GivenText(const TCommandRequest& request) {
    const auto* given = RequestOf<TInsertTextRequest>(request);
    return given ? &given->Text : nullptr;
}

} // namespace

quint8 TTagStyle::CaseMode() const {
    return Case == TagCase::Upper || Case == TagCase::Lower ? static_cast<quint8>(Case) : 0;
}

QByteArray TTagStyle::Cased(const QByteArray& text) const {
    return TagCase::Cased(text, CaseMode());
}

TInsertCommands::TInsertCommands(TEditorModel& editor, TCommandWindow& window,
                                 const TTagStyle& style)
    : editor_(editor), window_(window), style_(style) {}

void TInsertCommands::Register(TCommandRegistry& commands) {
    // Preview mode hides the editor: its shortcuts write nothing.
    const auto add = [&](const char* name, const char* caption, const char* key,
                         std::function<void(const TCommandRequest&)> command) {
        QList<QKeySequence> keys{QKeySequence(QLatin1String(key))};
        // Enter on the keypad as well.
        if (QByteArray(key).endsWith("Return"))
            keys << QKeySequence(
                QString::fromLatin1(key).replace(QLatin1String("Return"), QLatin1String("Enter")));
        commands.AddWithRequest(QLatin1String(name), {QString::fromUtf8(caption), keys},
                                [this, command](const TCommandRequest& request) {
                                    if (!window_.EditorHidden())
                                        command(request);
                                });
    };
    const auto element = [this](QByteArray name, bool hasEndTag) {
        return [this, name, hasEndTag](const TCommandRequest&) { InsertElement(name, hasEndTag); };
    };
    const auto comment = [this](QByteArray empty, int back, QByteArray before, QByteArray after) {
        return [=, this](const TCommandRequest&) { InsertComment(empty, back, before, after); };
    };

    add("IInsertParaP", "Paragraf (P)", "Alt+Return", element("P", true));
    add("IInsertParaD", "Stycke (DIV)", "Ctrl+Alt+Return", element("DIV", true));
    add("IInsertBreakB", "Radbrytning", "Ctrl+Return", element("BR", false));
    add("IInsertBold", "Stark emfas (betoning; fet stil)", "Ctrl+B",
        [this](const TCommandRequest&) { InsertElement(Cp1252::Encode(style_.BoldTag), true); });
    add("IInsertItalic", "Emfas (betoning; kursiv stil)", "Ctrl+K",
        [this](const TCommandRequest&) { InsertElement(Cp1252::Encode(style_.ItalicTag), true); });
    add("IInsertUnderlined", "Understruken", "Ctrl+U", element("U", true));
    add("IInsertRaised", "Upphöjd text", "Ctrl+Shift+U", element("SUP", true));
    add("IInsertLowered", "Nedsänkt text", "Ctrl+Shift+L", element("SUB", true));
    add("IInsertSpace", "Hårt mellanslag", "Ctrl+Space",
        [this](const TCommandRequest&) { editor_.SetSelText("&nbsp;"); });
    add("IInsertAnchor", "Ankare", "", [this](const TCommandRequest& request) {
        const QString* given = GivenText(request);
        InsertAnchor(given ? Cp1252::Encode(*given)
                           : Ask(QStringLiteral("Ange namn på ankaret:"), false, 0));
    });
    add("IInsertHTMLComment", "Kommentar (&HTML)", "Ctrl+E",
        comment("<!--  -->", 4, "<!-- ", " -->"));
    add("IInsertJSComment", "Kommentar (&JavaScript/CSS)", "", comment("/*  */", 3, "/* ", " */"));
    add("IInsertVBComment", "Kommentar (&VB-skript)", "", comment("' ", 0, "'", ""));
    add("IInsertBuiltinStyle", "Inbyggd stilmall (STYLE)", "",
        [this](const TCommandRequest&) { InsertBuiltinStyle(); });
    add("IInsertLinkStyle", "Länk till stilmall...", "", [this](const TCommandRequest& request) {
        const QString* given = GivenText(request);
        InsertLinkStyle(
            given ? Cp1252::Encode(*given)
                  : Ask(QStringLiteral("Ange relativ eller absolut sökväg till stilmallen:"), true,
                        kStyleFilterIndex));
    });
    add("IInsertLinkScript", "Länk till skript...", "", [this](const TCommandRequest& request) {
        const QString* given = GivenText(request);
        InsertLinkScript(
            given ? Cp1252::Encode(*given)
                  : Ask(QStringLiteral("Ange relativ eller absolut sökväg till skriptfilen:"), true,
                        kScriptFilterIndex));
    });
    add("IInsertColor", "Färg i hexadecimal...", "Ctrl+R", [this](const TCommandRequest& request) {
        const auto* given = RequestOf<TColorRequest>(request);
        InsertColor(given ? &given->Color : nullptr);
    });
    for (int level = 1; level <= 6; ++level) {
        const QByteArray key = "Ctrl+Shift+" + QByteArray::number(level);
        const QByteArray caption = "Rubrik &" + QByteArray::number(level);
        add(("IInsertHeading" + QByteArray::number(level)).constData(), caption.constData(),
            key.constData(), element("H" + QByteArray::number(level), true));
    }
}

// --- simple elements and fixed texts -------------------------------------------------------------

void TInsertCommands::InsertElement(const QByteArray& name, bool hasEndTag) {
    editor_.InsertSimpleTag(name, hasEndTag, style_.CaseMode());
}

// Without a selection writes `empty` and puts the caret `back` characters before its end;
// with one, wraps it.
void TInsertCommands::InsertComment(const QByteArray& empty, int back, const QByteArray& before,
                                    const QByteArray& after) {
    if (editor_.Settings()->ReadOnly)
        return;
    if (editor_.GetSelLength() > 0) {
        Wrap(editor_, before, after);
        return;
    }
    editor_.SetSelText(empty);
    editor_.SetSelStart(editor_.GetSelStart() - back);
}

void TInsertCommands::InsertColor(const TColor* given) {
    if (given) {
        LastColor = *given;
        editor_.SetSelText(ColorToHTML(LastColor).toLatin1());
        return;
    }
    if (!ColorDialog) {
        ColorDialog = new THexColorDialog(window_.Owner());
        ColorDialog->Title = QStringLiteral("Färg");
        ColorDialog->BtnCaption = QStringLiteral("&Infoga kod");
    }
    // A selected colour text presets the dialog; anything else gives the last colour.
    const QByteArray selected = editor_.GetSelText();
    std::optional<TColor> preset;
    if (selected.size() == 7 && selected.startsWith('#'))
        preset = HTMLToColor(QString::fromLatin1(selected));
    ColorDialog->CurrentColor = preset.value_or(LastColor);
    if (!ColorDialog->Execute())
        return;
    LastColor = ColorDialog->CurrentColor;
    editor_.SetSelText(ColorToHTML(LastColor).toLatin1());
}

// --- one-tag commands --------------------------------------------------------------------------

QByteArray TInsertCommands::Ask(const QString& prompt, bool browse, int filterIndex) {
    TInternalFunctionInput box(window_.Owner());
    box.SetQuestion(prompt);
    box.SetShowBrowse(browse);
    box.SetFilterIndex(filterIndex);
    QString answer;
    box.Run(&answer);
    return Cp1252::Encode(answer);
}

void TInsertCommands::InsertAnchor(const QByteArray& name) {
    if (name.isEmpty())
        return;
    editor_.BeginBuildingTag("a", true, QByteArray());
    editor_.AddTagAttribute("id", name);
    editor_.AddTagAttribute("name", name);
    QByteArray tag;
    editor_.EndBuildingTag(style_.CaseMode(), tag);
    editor_.SetSelText(tag);
}

void TInsertCommands::InsertLinkScript(const QByteArray& path) {
    if (path.isEmpty())
        return;
    editor_.BeginBuildingTag("script", true, QByteArray());
    editor_.AddTagAttribute("language", "JavaScript");
    editor_.AddTagAttribute("type", "text/javascript");
    editor_.AddTagAttribute("src", path);
    QByteArray tag;
    editor_.EndBuildingTag(style_.CaseMode(), tag);
    WriteLineAbove(editor_, tag);
}

void TInsertCommands::InsertLinkStyle(const QByteArray& path) {
    if (path.isEmpty())
        return;
    editor_.BeginBuildingTag("link", false, QByteArray());
    editor_.AddTagAttribute("rel", "stylesheet");
    editor_.AddTagAttribute("type", "text/css");
    editor_.AddTagAttribute("href", path);
    QByteArray tag;
    editor_.EndBuildingTag(style_.CaseMode(), tag);
    WriteLineAbove(editor_, tag);
}

void TInsertCommands::InsertBuiltinStyle() {
    editor_.BeginBuildingTag("style", true, "\r\n\r\n\r\n\r\n");
    editor_.AddTagAttribute("type", "text/css");
    QByteArray tag;
    editor_.EndBuildingTag(style_.CaseMode(), tag);
    if (tag.isEmpty())
        return; // read-only
    editor_.SetSelText("\r\n" + tag + "\r\n");
    // The start of the middle one of the three empty lines.
    editor_.SetSelStart(editor_.GetSelStart() - 13);
}
