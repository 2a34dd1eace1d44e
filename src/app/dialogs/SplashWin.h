#pragma once

#include <QWidget>
#include <functional>

class QLabel;
class QPushButton;
class QTimer;

// The splash window shown while the program loads; with its buttons shown it is the small
// launcher of the launcher argument.
class Tsplash : public QWidget {
    Q_OBJECT
public:
    explicit Tsplash(QWidget* parent = nullptr);

    QLabel* l = nullptr;      // the status line ("Laddar...")
    QPushButton* b = nullptr; // "&Starta Kelvora", hidden until the launcher shows it
    QPushButton* e = nullptr; // "&Avsluta Kelvora"
    QTimer* Timer = nullptr;  // 1500 ms, off until loading is done; its tick frees the splash

    // The launcher: the status line hidden, the two buttons shown.
    void ShowAsLauncher();

    // What b and e do: start the program's own executable without arguments, and end this
    // run of the program (tests replace them).
    std::function<void()> StartProgram;
    std::function<void()> Terminate;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    void Release();
};
