#include "app/dialogs/Boxes.h"

#include "app/dialogs/ExceptionMessageBox.h"
#include "app/dialogs/InternalFunctionInputWin.h"
#include "app/dialogs/MessageBox.h"
#include "app/dialogs/QuestionBox.h"
#include "platform/Dialogs.h"
#include "platform/FlagScope.h"
#include "platform/SilentAbort.h"

#include <QCoreApplication>
#include <QDebug>
#include <QLineEdit>
#include <QProcess>

namespace {

const QString kCompat = QStringLiteral("Kompatibilitetsvarning: ");

} // namespace

TBoxes::TBoxes(QWidget* owner)
    : owner_(owner),
      startProgram_([] { QProcess::startDetached(QCoreApplication::applicationFilePath(), {}); }),
      terminate_([] { QCoreApplication::exit(0); }) {}

TBoxes::~TBoxes() {
    if (installed_)
        SetUnexpectedExceptionHandler({});
}

void TBoxes::SetRestartHooks(std::function<void()> startProgram, std::function<void()> terminate) {
    startProgram_ = std::move(startProgram);
    terminate_ = std::move(terminate);
}

bool TBoxes::kvMessageBox(const QString& text) {
    TMessageBox box(owner_);
    box.SetText(text);
    return Dialogs::RunModal(&box) == Dialogs::mrOk;
}

int TBoxes::kvQuestionBox(const QString& information, const QString& question) {
    TQuestionBox box(owner_);
    box.SetTexts(information, question);
    const int result = Dialogs::RunModal(&box);
    return result == Dialogs::mrYes || result == Dialogs::mrNo ? result : Dialogs::mrCancel;
}

bool TBoxes::InputBox(const QString& prompt, const QString& defaultText, bool password,
                      QString* answer) {
    TInternalFunctionInput box(owner_);
    box.SetQuestion(prompt);
    box.SetPasswordMode(password);
    box.A->setText(defaultText);
    return box.Run(answer);
}

bool TBoxes::kvInputBox(const QString& prompt, const QString& defaultText, QString* answer) {
    return InputBox(prompt, defaultText, false, answer);
}

bool TBoxes::kvInputBoxPsw(const QString& prompt, const QString& defaultText, QString* answer) {
    return InputBox(prompt, defaultText, true, answer);
}

bool TBoxes::CompatWarning(const QString& text) {
    return kvMessageBox(kCompat + text);
}

int TBoxes::CompatWarningQ(const QString& information, const QString& question) {
    return kvQuestionBox(kCompat + information, question);
}

void TBoxes::HandleIt(const QString& className, const QString& message) {
    ++exceptionCount_;
    ExceptionMessage(className, message);
}

void TBoxes::ExceptionMessage(const QString& className, const QString& message) {
    if (exceptionBoxUp_) {
        // Raised while the box (or its backup) is running: noted, not shown in a second box.
        qWarning().noquote() << "Programfel:" << className << message;
        return;
    }
    const FlagScope guard(exceptionBoxUp_);

    if (status_)
        status_(QStringLiteral("Programfel: ") + className, true);

    bool backedUp = false;
    if (backup_) {
        try {
            backedUp = backup_();
        } catch (...) {
            backedUp = false;
        }
    }

    TExceptionMessageBox box(owner_);
    box.SetException(className, message, exceptionCount_);
    box.SetBackedUp(backedUp);
    const int result = Dialogs::RunModal(&box);
    if (result == Dialogs::mrOk) {
        if (status_)
            status_(QString(), false);
    } else if (result == Dialogs::mrAbort) {
        if (startProgram_)
            startProgram_();
        if (terminate_)
            terminate_();
    }
}

void TBoxes::InstallExceptionHandler() {
    SetUnexpectedExceptionHandler(
        [this](const QString& className, const QString& message) { HandleIt(className, message); });
    installed_ = true;
}
