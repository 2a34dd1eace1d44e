#pragma once

#include <QDialog>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QStackedWidget;
class TValueListEditor;
class Tmain;

// "Ny webbplats": registers a web site in four steps: import an existing root folder or make a
// new one, name the folder, check (or create) it, and enter the site's properties; "Skapa"
// hands folder and properties to the web-site panel. There is no step back.
class TNewSite : public QDialog {
public:
    explicit TNewSite(Tmain& window, QWidget* parent = nullptr);

    QStackedWidget* Steps = nullptr;
    QRadioButton* radioImportSite = nullptr;
    QRadioButton* radioNewSite = nullptr;
    QLabel* DirText = nullptr;
    QLineEdit* SiteRootDir = nullptr;
    QPushButton* btnBrowse = nullptr;
    QLineEdit* SelectedDir = nullptr;
    QLabel* DirStatusReport = nullptr;
    TValueListEditor* SiteInfo = nullptr;
    QPushButton* btnok = nullptr;
    QPushButton* btnCancel = nullptr;

    // The step shown, from 1.
    int Step() const;
    bool Import() const { return import_; }

    // The folder of the path field: a relative path is taken from the home folder, "~" is
    // the home folder; empty for an empty field.
    QString RootDir() const;

    void EnableProceed();
    void BrowseDir();
    void Proceed();
    void VerifyDir();
    void SiteInfoStringsChange();
    void CreateSiteData();

private:
    Tmain& window_;
    bool import_ = false;
};
