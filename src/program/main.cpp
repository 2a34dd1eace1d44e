#include "app/core/KelvoraApplication.h"
#include "app/core/Program.h"
#include "program/Assembly.h"

int main(int argc, char** argv) {
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    TKelvoraApplication app(argc, argv);
    InitApplication();
    InstallAllSubsystems();
    QStringList arguments = QApplication::arguments();
    arguments.removeFirst();
    TProgram program(arguments);
    // A program ended at start runs no message loop (a quit before the loop would do nothing).
    if (!program.Start())
        return 0;
    return app.exec();
}
