#pragma once

#include <QDialog>
#include <QStringList>

class QLabel;
class QLineEdit;
class QPushButton;

// The one-line prompt: a question `Q`, the answer `A`, "OK" (result 1, Enter), "Avbryt"
// (result 2; also Esc and closing the window, each emptying the answer) and, when asked for,
// "&Bläddra..." which puts a chosen file's full path into the answer.
class TInternalFunctionInput : public QDialog {
    Q_OBJECT
public:
    explicit TInternalFunctionInput(QWidget* parent = nullptr);

    void SetQuestion(const QString& text);
    void SetShowBrowse(bool show);
    // The kept filter index k: the browse dialog preselects document filter k + 1 (counted
    // from 1; 11 selects the twelfth, the plug-in modules); 0 preselects none.
    void SetFilterIndex(int index) { filterIndex_ = index; }
    int FilterIndex() const { return filterIndex_; }

    // Masks the answer with bullets (passwords).
    void SetPasswordMode(bool on);

    // Runs the prompt modally: true and the edit's text when accepted, false and an empty
    // answer for every other way out.
    bool Run(QString* answer);

    // The document filters of the browse dialog (Qt filter strings, in the order of the main
    // window's document filter list), installed by the main window; empty until then.
    static QStringList DocumentFilters();
    static void SetDocumentFilters(const QStringList& filters);

    QLabel* Q;
    QLineEdit* A;
    QPushButton* btnOk;
    QPushButton* btnCancel;
    QPushButton* btnSearch;

public slots:
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void Browse();

    QString question_;
    int filterIndex_ = 0;
};
