#pragma once

#include <QFileDialog>
#include <QString>
#include <QStringList>
#include <functional>

class QDialog;
class QFont;
class QHBoxLayout;
class QLabel;
class QPushButton;
class QWidget;

// The one way every modal dialog, box, prompt and file dialog of the program is run. Tests
// install handlers that answer in place of the user, so no test waits on a real modal window.
namespace Dialogs {

// Runs a dialog modally and returns its result. With a handler installed the dialog is shown
// (so its show handling runs), handed to the handler, hidden again afterwards, and the
// handler's value is the result; without one the dialog runs its own event loop (exec()).
using ModalHandler = std::function<int(QDialog* dialog)>;
int RunModal(QDialog* dialog);
void SetModalHandler(ModalHandler handler);
bool HasModalHandler();

// Runs each time a modal dialog or a file dialog has closed, whoever answered it (the main
// window gives the keyboard focus back to its editor).
using ClosedHandler = std::function<void()>;

// One file-dialog question as the handler sees it.
struct FileRequest {
    enum class Kind { Open, OpenMany, Save, Folder };
    Kind kind = Kind::Open;
    QWidget* parent = nullptr;
    QString caption;
    QString fileName;       // the folder or file the dialog starts at
    QString filter;         // Qt filter string ("Caption (*.a *.b);;...")
    QString selectedFilter; // in: the filter to preselect; out: the filter chosen
    QFileDialog::Options options;
};

// Answers a file question: the chosen paths, empty for a cancelled dialog.
using FileHandler = std::function<QStringList(FileRequest& request)>;
void SetFileHandler(FileHandler handler);

QString GetOpenFileName(QWidget* parent, const QString& caption, const QString& fileName,
                        const QString& filter, QString* selectedFilter = nullptr,
                        QFileDialog::Options options = {});
QStringList GetOpenFileNames(QWidget* parent, const QString& caption, const QString& fileName,
                             const QString& filter, QString* selectedFilter = nullptr,
                             QFileDialog::Options options = {});
QString GetSaveFileName(QWidget* parent, const QString& caption, const QString& fileName,
                        const QString& filter, QString* selectedFilter = nullptr,
                        QFileDialog::Options options = {});
// A folder chooser starting at `folder`: the chosen folder, empty on cancel.
QString GetExistingDirectory(QWidget* parent, const QString& caption, const QString& folder);

// Turns a filter list of pairs ("Caption|*.a;*.b|Caption 2|*.*") into Qt filter strings, one
// per pair: the caption kept whole, followed by its patterns in parentheses. "*.*" becomes
// "*", so that names without a dot are listed.
QStringList FilterList(const QString& pairs);

// Plays one of the named system sounds ("SystemExclamation", "SystemHand", ...): remembered
// for tests, heard as the desktop's beep.
void PlaySystemSound(const QString& name);
QString LastSystemSound();
void ClearLastSystemSound();

// The modal results the program's own boxes close with.
enum ModalResult { mrNone = 0, mrOk = 1, mrCancel = 2, mrAbort = 3, mrYes = 6, mrNo = 7 };

// Layout of the program's boxes: the widest client area a box may take on the screen of a
// widget, a text broken into lines no wider than a width (at word boundaries, or anywhere in a
// word that is wider on its own), and centring a window on its screen.
int MaxClientWidth(const QWidget* widget);
QString WrapToWidth(const QString& text, const QFont& font, int width);
void CentreOnScreen(QWidget* window);

// Gives a label its text so that it is at most maxWidth wide: unchanged when it fits, broken
// into lines otherwise. Returns the label's resulting width.
int FitLabelText(QLabel* label, const QString& text, int maxWidth);

// Installs handlers for the lifetime of a scope and puts the previous ones back after it.
class ScopedModalHandler {
public:
    explicit ScopedModalHandler(ModalHandler handler);
    ~ScopedModalHandler();
    ScopedModalHandler(const ScopedModalHandler&) = delete;
    ScopedModalHandler& operator=(const ScopedModalHandler&) = delete;

private:
    ModalHandler previous_;
};

class ScopedClosedHandler {
public:
    explicit ScopedClosedHandler(ClosedHandler handler);
    ~ScopedClosedHandler();
    ScopedClosedHandler(const ScopedClosedHandler&) = delete;
    ScopedClosedHandler& operator=(const ScopedClosedHandler&) = delete;

private:
    ClosedHandler previous_;
};

class ScopedFileHandler {
public:
    explicit ScopedFileHandler(FileHandler handler);
    ~ScopedFileHandler();
    ScopedFileHandler(const ScopedFileHandler&) = delete;
    ScopedFileHandler& operator=(const ScopedFileHandler&) = delete;

private:
    FileHandler previous_;
};

// A right-aligned row of a default button (`okCaption`, closes with mrOk, named "okBtn")
// and "Avbryt" (closes with mrCancel, named "cancelBtn"); the buttons are handed out through
// `ok` and `cancel` where given. A button inserted at 0 stands at the row's left end.
QHBoxLayout* OkCancelRow(QDialog* dialog, const QString& okCaption, QPushButton** ok = nullptr,
                         QPushButton** cancel = nullptr);

} // namespace Dialogs
