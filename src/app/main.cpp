#include "app/KelvoraApplication.h"

#include <QLabel>

int main(int argc, char** argv) {
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    TKelvoraApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Tolvane"));
    QApplication::setApplicationName(QStringLiteral("Kelvora"));
    QLabel label(QStringLiteral("Kelvora"));
    label.show();
    return app.exec();
}
