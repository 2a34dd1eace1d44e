#include "controls/HintShadow.h"

#include "platform/Graphics.h"

#include <QFontMetrics>
#include <QPalette>
#include <QToolTip>

namespace {
constexpr int kMargin = 2;
}

TShadowedHintWindow::TShadowedHintWindow(QWidget* parent)
    : QLabel(parent, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus |
                         Qt::BypassGraphicsProxyWidget) {
    setAttribute(Qt::WA_ShowWithoutActivating);
    setTextFormat(Qt::PlainText);
    setWordWrap(true);
    setFont(QToolTip::font());
    setPalette(QToolTip::palette());
    setAutoFillBackground(true);
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setLineWidth(1);
    setMargin(kMargin);
}

QRect TShadowedHintWindow::CalcHintRect(int maxWidth, const QString& text) const {
    const QFontMetrics fm(font());
    const int room = 2 * (kMargin + lineWidth());
    const QRect bounds =
        fm.boundingRect(QRect(0, 0, qMax(1, maxWidth - room), 10000), Qt::TextWordWrap, text);
    return QRect(0, 0, bounds.width() + room, bounds.height() + room);
}

void TShadowedHintWindow::ActivateHint(const QRect& rect, const QString& text) {
    setText(text);
    setGeometry(rect);
    show();
    raise();
}
