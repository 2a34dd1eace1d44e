#include "markup/wizards/WizardStyles.h"

#include "markup/css/CSSWin.h"

namespace WizardStyles {

std::optional<QString> FixedRule(Tmain& window, QWidget* parent, const QString& selector) {
    TCSS editor(window, TCSSMode::FixedRule, parent);
    editor.LockGroup(selector);
    if (!editor.Run())
        return std::nullopt;
    return editor.Result();
}

std::optional<QString> Declarations(Tmain& window, QWidget* parent, const QString& initial) {
    TCSS editor(window, TCSSMode::Declarations, parent);
    editor.SetInitialText(initial);
    if (!editor.Run())
        return std::nullopt;
    return editor.Result();
}

} // namespace WizardStyles
