#include "app/dialogs/WelcomeWin.h"

#include "controls/GradientControl.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

Twelcome::Twelcome(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("welcome"));
    setWindowTitle(QStringLiteral("Kelvora"));
    setAutoFillBackground(true);
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);

    auto* outer = new QHBoxLayout(this);
    outer->setContentsMargins(0, 0, 12, 12);
    auto* band = new TGradientControl(this);
    band->SetGradientDirection(gdVertical);
    band->SetColor1(RGBColor(0, 51, 153));
    band->SetColor2(clWhite);
    band->setFixedWidth(40);
    outer->addWidget(band);

    auto* column = new QVBoxLayout;
    column->setContentsMargins(8, 12, 0, 0);
    auto* welcome = new QLabel(QStringLiteral("Välkommen till"), this);
    Heading = new QLabel(QStringLiteral("Kelvora"), this);
    QFont big = Heading->font();
    big.setPointSize(big.pointSize() + 10);
    big.setBold(true);
    Heading->setFont(big);
    column->addWidget(welcome);
    column->addWidget(Heading);
    IntroText = new QTextBrowser(this);
    IntroText->setObjectName(QStringLiteral("IntroText"));
    IntroText->setOpenExternalLinks(true);
    IntroText->setContextMenuPolicy(Qt::ActionsContextMenu);
    CopyAllItem = new QAction(QStringLiteral("&Kopiera all text"), IntroText);
    CopyAllItem->setShortcut(QKeySequence(QStringLiteral("Ctrl+C")));
    CopyAllItem->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    IntroText->addAction(CopyAllItem);
    connect(CopyAllItem, &QAction::triggered, this, [this] { CopyAll(); });
    column->addWidget(IntroText, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    btnStartECNow = new QPushButton(QStringLiteral("Starta Kelvora"), this);
    btnStartECNow->setObjectName(QStringLiteral("btnStartECNow"));
    btnStartECNow->setDefault(true);
    connect(btnStartECNow, &QPushButton::clicked, this, &QDialog::accept);
    buttons->addWidget(btnStartECNow);
    column->addLayout(buttons);
    outer->addLayout(column, 1);
    resize(620, 460);
}

bool Twelcome::LoadIntroduction(const QString& fileName) {
    if (!QFile::exists(fileName))
        return false;
    IntroText->setSource(QUrl::fromLocalFile(fileName));
    return true;
}

QString Twelcome::CopyText() const {
    return IntroText->toPlainText() +
           QStringLiteral("\n\n(Texten kommer från introduktionen till Kelvora.)");
}

void Twelcome::CopyAll() {
    QApplication::clipboard()->setText(CopyText());
}
