#include "app/dialogs/AboutWin.h"

#include <QFile>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

Tabout::Tabout(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("about"));
    setWindowTitle(QStringLiteral("Om Kelvora"));
    auto* layout = new QVBoxLayout(this);
    ProductName = new QLabel(QStringLiteral("Kelvora"), this);
    QFont big = ProductName->font();
    big.setPointSize(big.pointSize() + 8);
    big.setBold(true);
    ProductName->setFont(big);
    layout->addWidget(ProductName);
    auto* row = new QHBoxLayout;
    row->addWidget(new QLabel(QStringLiteral("Version:"), this));
    Version = new QLabel(kKelvoraVersion, this);
    Version->setObjectName(QStringLiteral("Version"));
    row->addWidget(Version);
    row->addStretch();
    layout->addLayout(row);
    AboutText = new QTextBrowser(this);
    AboutText->setObjectName(QStringLiteral("AboutText"));
    AboutText->setOpenExternalLinks(true);
    AboutText->hide();
    layout->addWidget(AboutText, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    OkBtn = new QPushButton(QStringLiteral("OK"), this);
    OkBtn->setObjectName(QStringLiteral("okBtn"));
    OkBtn->setDefault(true);
    connect(OkBtn, &QPushButton::clicked, this, &QDialog::accept);
    buttons->addWidget(OkBtn);
    layout->addLayout(buttons);
    resize(440, 320);
}

void Tabout::LoadAbout(const QString& fileName) {
    const bool there = QFile::exists(fileName);
    if (there)
        AboutText->setSource(QUrl::fromLocalFile(fileName));
    AboutText->setVisible(there);
}

void Tabout::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    OkBtn->setFocus();
}
