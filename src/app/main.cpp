#include <QApplication>
#include <QLabel>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Tolvane"));
    QApplication::setApplicationName(QStringLiteral("Kelvora"));
    QLabel label(QStringLiteral("Kelvora"));
    label.show();
    return app.exec();
}
