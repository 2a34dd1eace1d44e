#pragma once

#include <QApplication>

// The application object. Its event delivery is the last guard: an exception that escapes an
// event handler (every command boundary catches its own first) ends there, a silent abort
// quietly, anything else in the program's exception box.
class TKelvoraApplication : public QApplication {
    Q_OBJECT
public:
    TKelvoraApplication(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;
};
