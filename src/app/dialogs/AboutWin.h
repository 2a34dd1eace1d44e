#pragma once

#include <QDialog>

class QLabel;
class QPushButton;
class QTextBrowser;

// The program's version text.
inline const QString kKelvoraVersion = QStringLiteral("7.0.0.2");

// "Om Kelvora": the product name, its version and a few words about it.
class Tabout : public QDialog {
    Q_OBJECT

public:
    explicit Tabout(QWidget* parent = nullptr);

    QLabel* ProductName = nullptr;
    QLabel* Version = nullptr;
    QTextBrowser* AboutText = nullptr;
    QPushButton* OkBtn = nullptr;

    // Shows the words of an HTML file below the version; without the file there are none.
    void LoadAbout(const QString& fileName);

protected:
    void showEvent(QShowEvent* event) override;
};
