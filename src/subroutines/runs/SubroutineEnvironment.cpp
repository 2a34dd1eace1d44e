#include "subroutines/runs/SubroutineEnvironment.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QThread>
#include <QUrl>

TSubroutineEnvironment TSubroutineEnvironment::Defaults() {
    TSubroutineEnvironment e;
    e.Beep = [] { QApplication::beep(); };
    e.OpenTarget = [](const QString& target) {
        QDesktopServices::openUrl(QUrl::fromUserInput(target, QDir::currentPath()));
    };
    e.StartProgram = [](const QString& program, const QStringList& arguments) {
        QProcess::startDetached(program, arguments);
    };
    e.Terminate = [] { QCoreApplication::exit(0); };
    e.ProgramFile = [] { return QCoreApplication::applicationFilePath(); };
    e.Sleep = [](int milliseconds) { QThread::msleep(static_cast<unsigned long>(milliseconds)); };
    return e;
}

TSubroutineEnvironment& SubroutineEnvironment() {
    static TSubroutineEnvironment environment = TSubroutineEnvironment::Defaults();
    return environment;
}
