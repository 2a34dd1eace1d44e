#pragma once

#include <QDateTime>
#include <QDialog>
#include <functional>

class QListWidget;
class QPushButton;
class QTimer;
class TPanelCaption;

// "Datum och tid": the current time in the nine formats, refreshed every second with the
// chosen row kept. "&Infoga" (and a double click on a row) closes with 1, "Stäng" with 2.
class Tdate : public QDialog {
public:
    explicit Tdate(QWidget* parent = nullptr);

    // Where the time comes from (tests set a fixed clock before the dialog is shown).
    std::function<QDateTime()> Clock = [] { return QDateTime::currentDateTime(); };

    TPanelCaption* Caption = nullptr;
    QListWidget* ListBox1 = nullptr;
    QPushButton* InsertBtn = nullptr;
    QPushButton* CloseBtn = nullptr;
    QTimer* UpdateTime = nullptr;

    // Fills the list from the clock again, keeping the chosen row.
    void UpdateTimeTimer();
    // The chosen row's text; empty when no row is chosen.
    QString SelectedText() const;

protected:
    void showEvent(QShowEvent* event) override;
};
