#include "markup/documentdialogs/DateWin.h"

#include "controls/PanelCaption.h"
#include "markup/documentdialogs/DateFormat.h"
#include "platform/Dialogs.h"

#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTimer>
#include <QVBoxLayout>

Tdate::Tdate(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Datum och tid"));
    auto* layout = new QVBoxLayout(this);
    Caption = new TPanelCaption(this);
    Caption->setFixedHeight(23);
    Caption->SetCaptionText(QStringLiteral("Format"));
    layout->addWidget(Caption);
    ListBox1 = new QListWidget(this);
    ListBox1->setObjectName(QStringLiteral("ListBox1"));
    ListBox1->setMinimumSize(260, 180);
    layout->addWidget(ListBox1, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    InsertBtn = new QPushButton(QStringLiteral("&Infoga"), this);
    InsertBtn->setDefault(true);
    CloseBtn = new QPushButton(QStringLiteral("Stäng"), this);
    buttons->addWidget(InsertBtn);
    buttons->addWidget(CloseBtn);
    layout->addLayout(buttons);
    connect(InsertBtn, &QPushButton::clicked, this, [this] { done(Dialogs::mrOk); });
    connect(CloseBtn, &QPushButton::clicked, this, [this] { done(Dialogs::mrCancel); });
    connect(ListBox1, &QListWidget::itemDoubleClicked, this, [this] { done(Dialogs::mrOk); });
    UpdateTime = new QTimer(this);
    UpdateTime->setInterval(1000);
    connect(UpdateTime, &QTimer::timeout, this, [this] { UpdateTimeTimer(); });
}

void Tdate::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    {
        const QSignalBlocker block(ListBox1);
        ListBox1->clear();
    }
    UpdateTimeTimer();
    UpdateTime->start();
    ListBox1->setFocus();
}

void Tdate::UpdateTimeTimer() {
    const QStringList rows = DateFormat::Rows(Clock());
    const QSignalBlocker block(ListBox1);
    const int chosen = ListBox1->currentRow();
    if (ListBox1->count() != rows.size()) {
        ListBox1->clear();
        ListBox1->addItems(rows);
    } else {
        for (int i = 0; i < rows.size(); ++i)
            ListBox1->item(i)->setText(rows[i]);
    }
    if (chosen >= 0 && chosen < ListBox1->count())
        ListBox1->setCurrentRow(chosen);
}

QString Tdate::SelectedText() const {
    const QListWidgetItem* item = ListBox1->currentItem();
    return item && item->isSelected() ? item->text() : QString();
}
