#include "markup/wizards/WizardStyles.h"

namespace WizardStyles {

std::optional<QString> FixedRule(Tmain&, QWidget*, const QString&) {
    return std::nullopt;
}

std::optional<QString> Declarations(Tmain&, QWidget*, const QString&) {
    return std::nullopt;
}

} // namespace WizardStyles
