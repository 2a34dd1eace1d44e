#pragma once

class Tmain;

// The style-sheet commands of a main window: "IInsertCSSBlock" (a rule), "IInsertCSSSpanStyle"
// (a span with a style attribute, the caret left inside it) and "IInsertCSSXStyle" (a style
// attribute, also run by "=" typed after " STYLE"); and the style editor behind the "CSS"
// buttons of the element, list and table dialogs.
void InstallStyleEditor(Tmain& window);
