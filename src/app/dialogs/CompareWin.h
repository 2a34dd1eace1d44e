#pragma once

#include <QDialog>
#include <QString>
#include <QStringList>
#include <array>
#include <functional>

class LineStore;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QStackedWidget;
class QTextEdit;
class TCaptionGroup;

// What the comparison report says about two files: their properties, a verdict on each and
// the lines compared at equal positions from the start and from the end (there is no
// difference algorithm). Sizes are text lengths with CR LF after every line.
QStringList CompareReport(const QString& path1, const LineStore& file1, const QString& path2,
                          const LineStore& file2);
// The occurrence analysis of `text`: counts with the search options 0 .. 3 (whole word 1,
// exact case 2) in file 1 and file 2.
QStringList OccurrenceReport(const QString& text, const std::array<int, 4>& counts1,
                             const std::array<int, 4>& counts2);

// The comparison window "Jämför filer": in its input state it asks for the second file, in its
// result state it shows both files side by side and the report.
class Tcompare : public QDialog {
public:
    // file1: the file of the current document.
    explicit Tcompare(const QString& file1, QWidget* parent = nullptr);
    ~Tcompare() override;

    // Input state.
    TCaptionGroup* Files = nullptr;
    QLineEdit* File1Edit = nullptr;
    QLineEdit* File2Edit = nullptr;
    QPushButton* CompareBtn = nullptr;
    QPushButton* CancelBtn = nullptr;
    // Result state.
    TCaptionGroup* Result = nullptr;
    QLabel* Name1 = nullptr;
    QLabel* Name2 = nullptr;
    QTextEdit* Left = nullptr;
    QTextEdit* Right = nullptr;
    QLabel* Heading = nullptr;
    QPlainTextEdit* results = nullptr;
    QPushButton* CloseBtn = nullptr;
    // Both states.
    QPushButton* OccurBtn = nullptr;

    // Shows a message; asks for a text (false when the user gave none).
    std::function<void(const QString&)> OnMessage;
    std::function<bool(const QString& prompt, QString* answer)> OnGetInput;

    bool InResultState() const;
    // "&Jämför": loads both files and writes the report; a file that cannot be read is
    // reported and the window goes back to its input state.
    void CompareNow();
    // "&Förekomster": counts a text the user gives in both files and appends the counts.
    void CompareOccurences();

private:
    void SetResultState(bool on);
    void Message(const QString& text);

    QString file1_;
    QStackedWidget* states_ = nullptr;
    LineStore* left_;
    LineStore* right_;
};
