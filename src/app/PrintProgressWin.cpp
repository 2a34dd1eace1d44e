#include "app/PrintProgressWin.h"

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
        const int row = grid->rowCount();
        grid->addWidget(new QLabel(QString::fromUtf8(caption), this), row, 0);
        auto* value = new QLabel(this);
        value->setObjectName(QLatin1String(objectName));
        value->setTextFormat(Qt::PlainText);
        value->setMinimumWidth(200);
        grid->addWidget(value, row, 1);
        return value;
    };
    ProcessValue = pair("Process:", "ProcessValue");
    PagesValue = pair("Antal sidor:", "PagesValue");
    DoneValue = pair("Färdigställda:", "DoneValue");
    ProgressValue = pair("Progress:", "ProgressValue");

    CloseBtn = new QPushButton(QStringLiteral("&Stäng"), this);
    CloseBtn->setObjectName(QStringLiteral("CloseBtn"));
    CloseBtn->setDefault(true);
    connect(CloseBtn, &QPushButton::clicked, this, [this] { done(Dialogs::mrOk); });
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(CloseBtn);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(buttons);
}

void TPrintProgress::SetValue(QLabel* label, const QString& text) {
    label->setText(text);
    if (label->isVisible())
        label->repaint();
}
