#include "app/dialogs/ExportProgressWin.h"

#include "app/dialogs/ProgressRows.h"
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
    const auto pair = [grid, group](const char* caption, const char* objectName) {
        return ProgressRows::AddValueRow(grid, group, caption, objectName, 180);
    };
    lblOp = pair("Operation:", "lblOp");
    lblProgress = pair("Procent klart:", "lblProgress");

    auto* buttons = new QHBoxLayout;
    CloseBtn = ProgressRows::AddCloseButton(this, buttons, QStringLiteral("Stäng"));
    CloseBtn->hide();

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
