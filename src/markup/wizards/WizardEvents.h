#pragma once

class Tmain;

// The subroutines the wizards run: the event after a page wizard and the HTML-ground
// subroutine of a new page.
namespace WizardEvents {

// Runs the subroutine file of the after-wizard event when one is set.
void AfterWizard(Tmain& window);
// Fills the current document with the HTML-ground subroutine.
void HtmlGround(Tmain& window);

} // namespace WizardEvents
