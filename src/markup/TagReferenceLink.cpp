#include "markup/TagReferenceLink.h"

#include "app/mainwindow/MainWin.h"

void OpenTagReference(Tmain& window, const QString& elementName) {
    const QString command = QStringLiteral("ShowTagReference");
    if (window.Commands().Has(command))
        window.Commands().Run(command, elementName);
}
