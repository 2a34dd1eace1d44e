#include "markup/wizards/WizardEvents.h"

#include "app/mainwindow/MainWin.h"
#include "subroutines/events/SubroutineEvents.h"

namespace WizardEvents {

void AfterWizard(Tmain& window) {
    const QString file = window.Settings.EventOnAfterHtmlWiz;
    if (!file.isEmpty())
        SubroutineEvents::ExecuteEvent(window, file);
}

void HtmlGround(Tmain& window) {
    SubroutineEvents::RariViduzeTpl(window);
}

} // namespace WizardEvents
