#include "controls/Hyperlink.h"

#include <QDesktopServices>
#include <QMouseEvent>
#include <QUrl>

namespace {

void OpenWithDesktop(const QString& url) {
    QDesktopServices::openUrl(QUrl::fromUserInput(url));
}

THyperlink::OpenHook& Hook() {
    static THyperlink::OpenHook hook = OpenWithDesktop;
    return hook;
}

} // namespace

THyperlink::THyperlink(QWidget* parent) : QLabel(parent) {
    setTextFormat(Qt::PlainText);
    setCursor(Qt::PointingHandCursor);
    QFont f = font();
    f.setUnderline(true);
    setFont(f);
    QPalette pal = palette();
    pal.setColor(QPalette::WindowText, Qt::blue);
    setPalette(pal);
}

void THyperlink::SetOpenHook(OpenHook hook) {
    Hook() = hook ? std::move(hook) : OpenWithDesktop;
}

void THyperlink::Open(const QString& url) {
    Hook()(url);
}

void THyperlink::mousePressEvent(QMouseEvent* event) {
    QLabel::mousePressEvent(event);
    if (event->button() == Qt::LeftButton)
        pressed_ = true;
}

void THyperlink::mouseReleaseEvent(QMouseEvent* event) {
    QLabel::mouseReleaseEvent(event);
    const bool click = pressed_ && event->button() == Qt::LeftButton &&
                       rect().contains(event->position().toPoint());
    if (event->button() == Qt::LeftButton)
        pressed_ = false;
    if (click)
        Click();
}

void THyperlink::Click() {
    if (OnClick)
        OnClick(this);
    if (!url_.isEmpty())
        Open(url_);
}
