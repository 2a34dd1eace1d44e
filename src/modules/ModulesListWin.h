#pragma once

#include <QDialog>
#include <QStringList>

class QListWidget;
class QPushButton;
class TPanelCaption;

// "Tilläggsmoduler": the loaded modules by the names they were loaded with. "&Frånkoppla"
// (enabled once a module is selected) closes with mrOk, "&Stäng" with mrCancel; the caller
// frees the selected module.
class TModulesList : public QDialog {
    Q_OBJECT
public:
    explicit TModulesList(const QStringList& paths, QWidget* parent = nullptr);

    // The selected row; -1 when none is.
    int SelectedIndex() const;

    TPanelCaption* Caption = nullptr;
    QListWidget* ModulesListBox = nullptr;
    QPushButton* btnDisconnect = nullptr;
    QPushButton* btnClose = nullptr;
};
