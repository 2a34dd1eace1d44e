#include "app/dialogs/PrintProgressWin.h"

#include "app/dialogs/ProgressRows.h"
#include "platform/Dialogs.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TPrintProgress::TPrintProgress(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("PrintProgress"));
    setWindowTitle(QStringLiteral("Utskriftsprocess"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint);

    auto* grid = new QGridLayout;
    grid->setColumnStretch(1, 1);
    const auto pair = [this, grid](const char* caption, const char* objectName) {
        return ProgressRows::AddValueRow(grid, this, caption, objectName, 200);
    };
    ProcessValue = pair("Process:", "ProcessValue");
    PagesValue = pair("Antal sidor:", "PagesValue");
    DoneValue = pair("Färdigställda:", "DoneValue");
    ProgressValue = pair("Progress:", "ProgressValue");

    auto* buttons = new QHBoxLayout;
    CloseBtn = ProgressRows::AddCloseButton(this, buttons, QStringLiteral("&Stäng"));

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(buttons);
}

void TPrintProgress::SetValue(QLabel* label, const QString& text) {
    label->setText(text);
    if (label->isVisible())
        label->repaint();
}
