#include "app/dialogs/XHTMLExpInfoWin.h"

#include "platform/Dialogs.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TXHTMLExpInfo::TXHTMLExpInfo(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("XHTMLExpInfo"));
    setWindowTitle(QStringLiteral("Exportera till XHTML"));

    auto* text = new QLabel(
        QStringLiteral("Du kan välja mellan att skapa ett komplett XHTML-dokument med den "
                       "formaterade texten i brödtextområdet (inom body) eller att enbart skapa "
                       "den formaterade texten som sedan kopieras till urklipp och kan infogas i "
                       "en XHTML-editor (såsom Kelvora)."),
        this);
    text->setObjectName(QStringLiteral("InfoText"));
    text->setTextFormat(Qt::PlainText);
    text->setWordWrap(true);
    text->setMinimumWidth(360);

    DocumentBtn = new QPushButton(QStringLiteral("&Skapa komplett XHTML-dokument"), this);
    DocumentBtn->setObjectName(QStringLiteral("DocumentBtn"));
    DocumentBtn->setDefault(true);
    connect(DocumentBtn, &QPushButton::clicked, this, [this] { done(Dialogs::mrYes); });
    ClipboardBtn = new QPushButton(QStringLiteral("&Kopiera endast brödtext"), this);
    ClipboardBtn->setObjectName(QStringLiteral("ClipboardBtn"));
    connect(ClipboardBtn, &QPushButton::clicked, this, [this] { done(Dialogs::mrNo); });
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(DocumentBtn);
    buttons->addWidget(ClipboardBtn);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text);
    layout->addLayout(buttons);
}

void TXHTMLExpInfo::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    Dialogs::PlaySystemSound(QStringLiteral("SystemExclamation"));
}
