#include "markup/wizards/WizardEvents.h"

#include "app/mainwindow/MainWin.h"

namespace WizardEvents {

void AfterWizard(Tmain& window) {
    const QString file = window.Settings.EventOnAfterHtmlWiz;
    if (!file.isEmpty() && window.Commands().Has(QStringLiteral("ExecuteEvent")))
        window.Commands().Run(QStringLiteral("ExecuteEvent"), file);
}

void HtmlGround(Tmain& window) {
    if (window.Commands().Has(QStringLiteral("RariViduzeTpl")))
        window.Commands().Run(QStringLiteral("RariViduzeTpl"));
}

} // namespace WizardEvents
