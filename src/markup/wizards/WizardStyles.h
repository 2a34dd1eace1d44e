#pragma once

#include <QString>
#include <optional>

class QWidget;
class Tmain;

// The wizards' calls into the style-sheet editor.
namespace WizardStyles {

// A rule for a fixed selector (the page wizard's formatting buttons); none when the user
// cancelled.
std::optional<QString> FixedRule(Tmain& window, QWidget* parent, const QString& selector);
// Declarations for a style field (the layout guide's "CSS" buttons), starting from the
// field's text; none when the user cancelled.
std::optional<QString> Declarations(Tmain& window, QWidget* parent, const QString& initial);

} // namespace WizardStyles
