#include "app/KelvoraApplication.h"
#include "app/Program.h"

int main(int argc, char** argv) {
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    TKelvoraApplication app(argc, argv);
    InitApplication();
    QStringList arguments = QApplication::arguments();
    arguments.removeFirst();
    TProgram program(arguments);
    // A program ended at start runs no message loop (a quit before the loop would do nothing).
    if (!program.Start())
        return 0;
    return app.exec();
}
