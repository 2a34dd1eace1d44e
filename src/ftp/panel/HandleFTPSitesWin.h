#pragma once

#include <QDialog>
#include <QList>
#include <functional>

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class TBoxes;

// "Hantera FTP-konton": the account list on the left, the chosen account's values on the
// right. Choosing another account and closing save the values shown; there is no other save.
class THandleFTPSites : public QDialog {
public:
    // `reloadAccounts` rebuilds the main window's account list and gives its names.
    THandleFTPSites(TBoxes& boxes, std::function<QStringList()> reloadAccounts,
                    QWidget* parent = nullptr);

    // The index of the account whose values the editors show; -1 for none.
    int EditedIndex() const { return edited_; }

    void ShowEdits(bool visible);
    // Saves the edited account, then shows the account of a row.
    void EditSite(int row);
    // Writes the editors to the edited account's file; false (after its message) when that
    // failed.
    bool SaveOldFile();
    void AddSite();
    void DelSite();
    void GoAnonymous();
    void ePSWChange();
    void BrowseLocalDir();
    // The manager closes: the edited account is saved.
    void FormClose();

    QListWidget* lbFTPSites;
    QPushButton* btnAddSite;
    QPushButton* btnDelSite;
    QLineEdit* eServerAddr;
    QLineEdit* eUserName;
    QPushButton* btnAnonymous;
    QLineEdit* ePSW;
    QLineEdit* eLocalDir;
    QPushButton* btnBrowseDir;
    QLineEdit* eServerDir;
    QPushButton* btnClose;

private:
    void Relist();

    TBoxes& boxes_;
    std::function<QStringList()> reloadAccounts_;
    QList<QWidget*> editors_; // the account editors and their labels
    int edited_ = -1;
};
