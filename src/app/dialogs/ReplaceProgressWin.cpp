#include "app/dialogs/ReplaceProgressWin.h"

#include "app/dialogs/ProgressRows.h"
#include "platform/Dialogs.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

Treplaceprogress::Treplaceprogress(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("replaceprogress"));
    setWindowTitle(QStringLiteral("Ersättningsprocess"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint);

    PanelCaption1 = new QLabel(QStringLiteral("Ersättningsprocess"), this);
    PanelCaption1->setObjectName(QStringLiteral("PanelCaption1"));
    PanelCaption1->setFixedHeight(23);
    PanelCaption1->setStyleSheet(QStringLiteral(
        "QLabel { background: #2b3a55; color: white; font-weight: bold; padding-left: 6px; }"));

    auto* grid = new QGridLayout;
    grid->setColumnStretch(1, 1);
    const auto pair = [this, grid](const char* caption, const char* objectName) {
        return ProgressRows::AddValueRow(grid, this, caption, objectName, 220);
    };
    ProcessValue = pair("Process:", "ProcessValue");
    SearchValue = pair("Söktext:", "SearchValue");
    ReplaceValue = pair("Ersättningstext:", "ReplaceValue");
    OptionsValue = pair("Sökalternativ:", "OptionsValue");
    TotalValue = pair("Förekomster:", "TotalValue");
    DoneValue = pair("Varav ersatta:", "DoneValue");
    ProgressValue = pair("Progress:", "ProgressValue");

    // Esc rejects the dialog, which closes it as the button does.
    auto* buttons = new QHBoxLayout;
    CloseBtn = ProgressRows::AddCloseButton(this, buttons, QStringLiteral("Stäng"));

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 8);
    layout->addWidget(PanelCaption1);
    auto* body = new QVBoxLayout;
    body->setContentsMargins(10, 4, 10, 0);
    body->addLayout(grid);
    body->addLayout(buttons);
    layout->addLayout(body);
}

void Treplaceprogress::SetValue(QLabel* label, const QString& text) {
    if (label->text() == text)
        return;
    label->setText(text);
    if (label->isVisible())
        label->repaint();
}
