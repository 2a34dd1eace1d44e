#include "app/core/KelvoraApplication.h"

#include "platform/SilentAbort.h"

TKelvoraApplication::TKelvoraApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool TKelvoraApplication::notify(QObject* receiver, QEvent* event) {
    bool handled = false;
    RunCommand([&] { handled = QApplication::notify(receiver, event); });
    return handled;
}
