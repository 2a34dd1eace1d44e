#include "app/KelvoraApplication.h"
#include "app/MainWin.h"
#include "platform/SilentAbort.h"

int main(int argc, char** argv) {
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    TKelvoraApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Tolvane"));
    QApplication::setApplicationName(QStringLiteral("Kelvora"));
    Tmain main;
    main.Boxes().InstallExceptionHandler();
    main.show();
    const QStringList args = QApplication::arguments();
    if (args.size() > 1) {
        const QString file = args.at(1);
        RunCommand([&] { main.NewDocTab(1, file); });
    }
    return app.exec();
}
