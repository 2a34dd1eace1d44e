#pragma once

#include <QWidget>

class QTextBrowser;

// The program's own help window: one HTML file of ours at a time, its links followed inside
// the window, web links handed to the desktop.
class THelpWin : public QWidget {
    Q_OBJECT

public:
    explicit THelpWin(QWidget* parent = nullptr);

    QTextBrowser* Browser = nullptr;

    // Shows the file and brings the window up.
    void ShowFile(const QString& fileName);
};
