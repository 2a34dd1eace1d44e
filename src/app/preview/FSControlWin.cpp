#include "app/preview/FSControlWin.h"

#include "app/dialogs/Boxes.h"
#include "app/preview/PreviewWin.h"
#include "platform/SilentAbort.h"

#include <QApplication>
#include <QComboBox>
#include <QCursor>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QStyle>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

const QChar kTimes(0x00D7);
const QString kWholeScreen = QStringLiteral("Aktuell, helskärm");
const QString kDefineSize = QStringLiteral("Definiera ny storlek...");

// A size as the list holds it; false when a part is not a whole number of pixels.
bool ParseDimension(const QString& text, int* value) {
    bool ok = false;
    *value = text.trimmed().toInt(&ok);
    return ok && *value > 0;
}

} // namespace

TFSControl::TFSControl(TBoxes* boxes, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::Tool),
      boxes_(boxes) {
    setObjectName(QStringLiteral("FSControl"));
    CursorPos = [] { return QCursor::pos(); };

    FSControls = new QWidget(this);
    FSControls->setObjectName(QStringLiteral("FSControls"));
    auto* row = new QHBoxLayout(FSControls);
    row->setContentsMargins(6, 4, 6, 4);
    Logo = new QLabel(FSControls);
    Logo->setObjectName(QStringLiteral("Logo"));
    const QIcon icon = QApplication::windowIcon();
    const int side = style()->pixelMetric(QStyle::PM_SmallIconSize);
    Logo->setFixedSize(side, side);
    if (!icon.isNull())
        Logo->setPixmap(icon.pixmap(side, side));
    Label = new QLabel(QStringLiteral("Skärmstorlek:"), FSControls);
    Label->setObjectName(QStringLiteral("Label"));
    reses = new QComboBox(FSControls);
    reses->setObjectName(QStringLiteral("reses"));
    reses->addItems({kWholeScreen, QStringLiteral("640") + kTimes + QStringLiteral("480"),
                     QStringLiteral("800") + kTimes + QStringLiteral("600"),
                     QStringLiteral("1024") + kTimes + QStringLiteral("768"),
                     QStringLiteral("1152") + kTimes + QStringLiteral("864"),
                     QStringLiteral("1280") + kTimes + QStringLiteral("1024"), kDefineSize});
    CloseBtn = new QToolButton(FSControls);
    CloseBtn->setObjectName(QStringLiteral("CloseBtn"));
    CloseBtn->setText(QStringLiteral("X"));
    CloseBtn->setAutoRaise(true);
    DragInfo = new QLabel(QStringLiteral("Drag för att flytta panelen"), FSControls);
    DragInfo->setObjectName(QStringLiteral("DragInfo"));
    DragInfo->hide();
    row->addWidget(Logo);
    row->addWidget(Label);
    row->addWidget(reses);
    row->addWidget(CloseBtn);
    row->addWidget(DragInfo, 1);

    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(FSControls);
    // The panel is as large as its content, and keeps that size while dragging.
    setFixedSize(sizeHint());

    AlphaChanger = new QTimer(this);
    AlphaChanger->setObjectName(QStringLiteral("AlphaChanger"));
    AlphaChanger->setInterval(100);
    connect(AlphaChanger, &QTimer::timeout, this,
            [this] { RunCommand([this] { AlphaChangerTimer(); }); });

    connect(reses, &QComboBox::activated, this,
            [this](int) { RunCommand([this] { UpdateRes(); }); });
    connect(CloseBtn, &QToolButton::clicked, this,
            [this] { RunCommand([this] { ClosePreview(); }); });

    for (QWidget* w : std::initializer_list<QWidget*>{this, FSControls, Logo, Label, DragInfo}) {
        w->setMouseTracking(true);
        w->installEventFilter(this);
    }
    SetAlphaBlendValue(150);
}

void TFSControl::SetAlphaBlendValue(int value) {
    value = qBound(0, value, 255);
    if (value == alpha_ && windowOpacity() == alpha_ / 255.0)
        return;
    alpha_ = value;
    setWindowOpacity(alpha_ / 255.0);
}

void TFSControl::AlphaChangerTimer() {
    const QPoint p = CursorPos();
    const QRect r = geometry();
    const bool inside = p.x() > r.left() && p.x() < r.left() + r.width() && p.y() > r.top() &&
                        p.y() < r.top() + r.height();
    // Lowering in steps of one within the tick draws no frame in between: the end value is
    // what shows.
    SetAlphaBlendValue(inside ? 255 : 0);
}

void TFSControl::UpdateRes() {
    if (!preview_)
        return;
    const QString item = reses->currentText();
    if (item == kWholeScreen) {
        preview_->FillWindow();
        return;
    }
    if (item == kDefineSize) {
        QString width, height;
        boxes_->kvInputBox(QStringLiteral("Ange bredd:"), QString(), &width);
        boxes_->kvInputBox(QStringLiteral("Ange höjd:"), QString(), &height);
        int w = 0, h = 0;
        if (!ParseDimension(width, &w) || !ParseDimension(height, &h)) {
            boxes_->kvMessageBox(QStringLiteral("Ogiltigt mått. Ange korrekt heltalsvärde."));
            return;
        }
        reses->addItem(QString::number(w) + kTimes + QString::number(h));
        return;
    }
    const qsizetype at = item.indexOf(kTimes);
    int w = 0, h = 0;
    if (at < 0 || !ParseDimension(item.left(at), &w) || !ParseDimension(item.mid(at + 1), &h)) {
        boxes_->kvMessageBox(
            QStringLiteral("Ogiltig skärmstorlek. Ange väre med syntaxen \"bredd×höjd\"."));
        return;
    }
    preview_->PlaceBrowser(w, h);
}

void TFSControl::ClosePreview() {
    AlphaChanger->stop();
    delete preview_.data();
    close();
}

void TFSControl::BeginDrag(const QPoint& globalPos) {
    dragging_ = true;
    dragStart_ = globalPos;
    Label->hide();
    reses->hide();
    CloseBtn->hide();
    DragInfo->show();
}

void TFSControl::EndDrag() {
    dragging_ = false;
    DragInfo->hide();
    Label->show();
    reses->show();
    CloseBtn->show();
}

bool TFSControl::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
            BeginDrag(static_cast<QMouseEvent*>(event)->globalPosition().toPoint());
            return true;
        }
        break;
    case QEvent::MouseMove: {
        if (!AlphaChanger->isActive())
            AlphaChanger->start();
        if (dragging_) {
            const QPoint now = static_cast<QMouseEvent*>(event)->globalPosition().toPoint();
            move(pos() + (now - dragStart_));
            dragStart_ = now;
            return true;
        }
        break;
    }
    case QEvent::MouseButtonRelease:
        if (dragging_ && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
            EndDrag();
            return true;
        }
        break;
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}
