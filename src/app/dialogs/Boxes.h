#pragma once

#include <QString>
#include <functional>

class QWidget;

// The main window's boxes: messages, questions, input prompts, the compatibility warnings and
// the handler of unexpected exceptions. Every box is created when needed, run modally through
// the program's dialog interface and freed.
class TBoxes {
public:
    // Shows a text in the status bar: simple mode on with the text, or off (text empty).
    using StatusHook = std::function<void(const QString& text, bool simpleMode)>;
    // Backs up every open document; false when that failed (after its own message).
    using BackupHook = std::function<bool()>;

    explicit TBoxes(QWidget* owner = nullptr);
    ~TBoxes();
    TBoxes(const TBoxes&) = delete;
    TBoxes& operator=(const TBoxes&) = delete;

    void SetStatusHook(StatusHook hook) { status_ = std::move(hook); }
    void SetBackupHook(BackupHook hook) { backup_ = std::move(hook); }
    // How "Avbryt Kelvora" starts the program again and ends this run (tests replace them).
    void SetRestartHooks(std::function<void()> startProgram, std::function<void()> terminate);

    // True when closed with OK (also Enter or Esc), false when the window was closed.
    bool kvMessageBox(const QString& text);
    // 6 Ja, 7 Nej, 2 Avbryt (also Esc and closing the window).
    int kvQuestionBox(const QString& information, const QString& question);
    // True and the typed text when accepted; false and an empty answer otherwise.
    bool kvInputBox(const QString& prompt, const QString& defaultText, QString* answer);
    bool kvInputBoxPsw(const QString& prompt, const QString& defaultText, QString* answer);

    bool CompatWarning(const QString& text);
    int CompatWarningQ(const QString& information, const QString& question);

    // The handler of every unexpected exception: counts it and shows the exception box.
    void HandleIt(const QString& className, const QString& message);
    // The status text, the backup and the exception box. While one exception box is up no
    // second one opens.
    void ExceptionMessage(const QString& className, const QString& message);

    int ExceptionCount() const { return exceptionCount_; }

    // Makes HandleIt the receiver of every exception that reaches a command boundary; undone
    // when this object goes.
    void InstallExceptionHandler();

private:
    bool InputBox(const QString& prompt, const QString& defaultText, bool password,
                  QString* answer);

    QWidget* owner_;
    StatusHook status_;
    BackupHook backup_;
    std::function<void()> startProgram_;
    std::function<void()> terminate_;
    int exceptionCount_ = 0;
    bool exceptionBoxUp_ = false;
    bool installed_ = false;
};
