#pragma once

#include <QDialog>
#include <QString>
#include <functional>

class LineStore;
class QLineEdit;
class QPushButton;
class TCaptionGroup;

// The counts of the code statistics.
struct TCodeStatistics {
    qint64 Tags = 0;    // "<"
    qint64 Links = 0;   // "<A", any case
    qint64 Images = 0;  // "<IMG", any case
    qint64 Scripts = 0; // "<SCRIPT", any case
    qint64 Rows = 0;
    qint64 Chars = 0; // without line breaks
};

// Counts everything in one pass over the lines. A sought text holds no line break, so a hit
// never spans two lines and counting per line equals counting in the text form.
TCodeStatistics CountCodeStatistics(const LineStore& lines);

// The statistics window "Kodstatistik": the counts of one document, computed when the window
// is shown.
class Tstat : public QDialog {
public:
    Tstat(const LineStore& lines, const QString& fileName, QWidget* parent = nullptr);

    TCaptionGroup* Group = nullptr;
    QLineEdit* Tags = nullptr;
    QLineEdit* Links = nullptr;
    QLineEdit* Images = nullptr;
    QLineEdit* Scripts = nullptr;
    QLineEdit* Rows = nullptr;
    QLineEdit* Chars = nullptr;
    QPushButton* OkBtn = nullptr;

    // Shows a status text in simple mode; an empty text ends simple mode.
    std::function<void(const QString&)> OnStatus;

    // Fills the fields from the document, telling each count in the status bar.
    void CalcTimesOf();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void Status(const QString& text);

    const LineStore& lines_;
    bool calculated_ = false;
};
