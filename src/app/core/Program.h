#pragma once

#include "app/dialogs/SplashWin.h"

#include <QPointer>
#include <QString>
#include <QStringList>
#include <memory>

class Tmain;

// The first argument that starts only the launcher.
inline const QString kLauncherArgument = QStringLiteral("KV_INTERNAL_MESSAGE_NOENTER");
// How long a hint stays up, in ms.
constexpr int kHintHidePause = 12000;

// The application's identity, language, hint handling and signal dispositions; once, right
// after the application object. Window titles stay exactly as the windows set them.
void InitApplication();
// The application's hint switch: tool tips shown at all or not.
void SetHintsShown(bool shown);
bool HintsShown();

// The program block: the splash, then the windows in their order, or the launcher alone.
class TProgram {
public:
    // The arguments after the program's name.
    explicit TProgram(QStringList arguments);
    ~TProgram();
    TProgram(const TProgram&) = delete;
    TProgram& operator=(const TProgram&) = delete;

    // Shows the splash and creates and shows the windows (or the launcher). False when the
    // program ends right here because the user chose so: no message loop may run then.
    bool Start();

    // The windows; the splash frees itself once loading is done.
    Tsplash* Splash() const { return splash_; }
    Tsplash* Launcher() const { return launcher_; }
    Tmain* Main() const { return main_.get(); }
    // The subroutine window, when the subroutines are installed.
    QWidget* Commands() const;

private:
    QStringList arguments_;
    QPointer<Tsplash> splash_;
    QPointer<Tsplash> launcher_;
    std::unique_ptr<Tmain> main_;
};
