#include "subroutines/runs/EscapeWatch.h"

#include <QCoreApplication>
#include <QEvent>
#include <QKeyEvent>
#include <QWidget>

TEscapeWatch::TEscapeWatch(int intervalMs) : intervalMs_(intervalMs) {
    since_.start();
}

void TEscapeWatch::Restart() {
    escape_ = false;
    since_.restart();
}

bool TEscapeWatch::Pending(bool now) {
    if (escape_)
        return true;
    if (!now && since_.elapsed() < intervalMs_)
        return false;
    QCoreApplication* app = QCoreApplication::instance();
    if (!app)
        return false;
    app->installEventFilter(this);
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    app->removeEventFilter(this);
    since_.restart();
    return escape_;
}

bool TEscapeWatch::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::KeyPress:
        if (static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape)
            escape_ = true;
        return true;
    case QEvent::ShortcutOverride:
        // Accepted, so that no shortcut fires for the key; the press itself is dropped.
        event->accept();
        return true;
    case QEvent::KeyRelease:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::Wheel:
    case QEvent::ContextMenu:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::TabletPress:
    case QEvent::TabletRelease:
    case QEvent::TabletMove:
    case QEvent::Shortcut:
        return true;
    case QEvent::Close:
        if (event->spontaneous() && watched->isWidgetType()) {
            event->ignore();
            return true;
        }
        return false;
    default:
        return false;
    }
}
