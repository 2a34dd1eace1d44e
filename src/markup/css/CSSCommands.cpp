#include "markup/css/CSSCommands.h"

#include "app/mainwindow/MainWin.h"
#include "editor/view/TextEditorEx.h"
#include "markup/MarkupCommand.h"
#include "markup/common/ElementDialog.h"
#include "markup/css/CSSWin.h"

namespace {

// Runs the editor in a mode that writes into the document; false when it was cancelled.
bool InsertCSS(Tmain& window, TCSSMode mode) {
    TCSS css(window, mode, &window);
    if (!css.Run())
        return false;
    window.BeforeEditorChange();
    window.CodeEditor->SetSelText(css.Code());
    return true;
}

} // namespace

void InstallStyleEditor(Tmain& window) {
    AddMarkupCommand(window, QStringLiteral("IInsertCSSBlock"),
                     QStringLiteral("Stilmallsgrupp (inom STYLE)..."), {},
                     QStringLiteral("Skapar en stilmallsgrupp."),
                     [&window] { InsertCSS(window, TCSSMode::RuleBlock); });
    AddMarkupCommand(window, QStringLiteral("IInsertCSSSpanStyle"),
                     QStringLiteral("Stilmallsattribut (SPAN STYLE)..."), {},
                     QStringLiteral("Infogar ett SPAN-element med ett stilmallsattribut."),
                     [&window] {
                         // The caret goes in front of the end tag "</span>".
                         if (InsertCSS(window, TCSSMode::SpanElement) &&
                             !window.CodeEditor->Settings()->ReadOnly)
                             window.CodeEditor->SetSelStart(window.CodeEditor->GetSelStart() - 7);
                     });
    AddMarkupCommand(window, QStringLiteral("IInsertCSSXStyle"),
                     QStringLiteral("Stilmallsattribut (X STYLE)..."), {},
                     QStringLiteral("Infogar ett stilmallsattribut."),
                     [&window] { InsertCSS(window, TCSSMode::StyleAttribute); });
    // The "CSS" buttons of the element, list and table dialogs.
    TElementDialog::StyleEditor = &TCSS::EditDeclarations;
    window.InsertCSSXStyle = [&window] {
        window.Commands().Trigger(QStringLiteral("IInsertCSSXStyle"));
    };
}
