#include "app/dialogs/HelpWin.h"

#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

THelpWin::THelpWin(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("HelpWin"));
    setWindowTitle(QStringLiteral("Hjälp för Kelvora"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    Browser = new QTextBrowser(this);
    Browser->setObjectName(QStringLiteral("Browser"));
    Browser->setOpenExternalLinks(true);
    layout->addWidget(Browser);
    resize(720, 560);
}

void THelpWin::ShowFile(const QString& fileName) {
    Browser->setSource(QUrl::fromLocalFile(fileName));
    setWindowTitle(Browser->documentTitle().isEmpty() ? QStringLiteral("Hjälp för Kelvora")
                                                      : Browser->documentTitle());
    show();
    raise();
    activateWindow();
}
