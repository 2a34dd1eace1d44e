#include "app/ExportProgressWin.h"

#include "platform/Dialogs.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TExportProgressFrm::TExportProgressFrm(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("ExportProgressFrm"));
    setWindowTitle(QStringLiteral("Exporterar"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint);

    auto* group = new QGroupBox(QStringLiteral("Exportstatus"), this);
    auto* grid = new QGridLayout(group);
    grid->setColumnStretch(1, 1);
    const auto pair = [group, grid](const char* caption, const char* objectName) {
        const int row = grid->rowCount();
        grid->addWidget(new QLabel(QString::fromUtf8(caption), group), row, 0);
        auto* value = new QLabel(group);
        value->setObjectName(QLatin1String(objectName));
        value->setTextFormat(Qt::PlainText);
        value->setMinimumWidth(180);
        grid->addWidget(value, row, 1);
        return value;
    };
    lblOp = pair("Operation:", "lblOp");
    lblProgress = pair("Procent klart:", "lblProgress");

    CloseBtn = new QPushButton(QStringLiteral("Stäng"), this);
    CloseBtn->setObjectName(QStringLiteral("CloseBtn"));
    CloseBtn->setDefault(true);
    CloseBtn->hide();
    connect(CloseBtn, &QPushButton::clicked, this, [this] { done(Dialogs::mrOk); });
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(CloseBtn);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addLayout(buttons);
}

void TExportProgressFrm::SetProgress(int percent) {
    const QString text = QString::number(percent) + QStringLiteral(" %");
    if (lblProgress->text() == text)
        return;
    lblProgress->setText(text);
    if (lblProgress->isVisible())
        lblProgress->repaint();
}
