#pragma once

#include <QDialog>
#include <QString>

class QLineEdit;
class QListWidget;
class QPushButton;
class TCaptionGroup;
class TPanelCaption;
class Tmain;

// "Infoga färdigt skript": the ready-made scripts of the "skript" folder, in name order, with
// the language and content type their extension tells. "&Infoga" (enabled once an entry is
// chosen) closes with 1, "Avbryt" with 2; the opener writes the script.
class Timscr : public QDialog {
public:
    // `folder`: the scripts' folder; empty means "skript" in the per-user data folder.
    Timscr(Tmain& window, const QString& folder = QString(), QWidget* parent = nullptr);

    // "skript" in the per-user data folder.
    static QString DefaultFolder();
    // The language and content type of a file name by its extension (".js", ".vbs", exactly);
    // false, with "Okänt" and "Okänd", for any other.
    static bool Identify(const QString& fileName, QString* language, QString* type);

    TPanelCaption* ListCaption = nullptr;
    QListWidget* scripts = nullptr;
    TCaptionGroup* Information = nullptr;
    QLineEdit* lblFilename = nullptr;
    QLineEdit* lblLang = nullptr;
    QLineEdit* lblCT = nullptr;
    QPushButton* btnInsert = nullptr;
    QPushButton* btnCancel = nullptr;
    QPushButton* btnRef = nullptr;

    // The chosen entry's path; empty when none is chosen.
    QString ChosenFile() const;
    QString ChosenName() const;
    // Shows what the chosen entry is.
    void GetInfo();

protected:
    void showEvent(QShowEvent* event) override;

private:
    Tmain& window_;
    QString folder_;
};
