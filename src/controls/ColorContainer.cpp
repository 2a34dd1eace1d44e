#include "controls/ColorContainer.h"

#include "controls/ColorMath.h"
#include "controls/HexColorDialog.h"

#include <QAction>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>

using namespace ColorMath;

namespace {

QAction* AddItem(QMenu* menu, const QString& caption, const QString& hint) {
    QAction* item = menu->addAction(caption);
    item->setToolTip(QString());
    item->setStatusTip(hint);
    item->setProperty("Hint", QStringLiteral("|") + hint);
    return item;
}

} // namespace

TColorContainer::TColorContainer(QWidget* parent)
    : QWidget(parent), font_(QStringLiteral("Arial")) {
    setFocusPolicy(Qt::StrongFocus);
    setContextMenuPolicy(Qt::CustomContextMenu);
    menu_ = new QMenu(this);
    changeItem_ =
        AddItem(menu_, QStringLiteral("Ändra färgvärde"),
                QStringLiteral("Öppnar färgvalsdialogen för att ange ett nytt färgvärde."));
    menu_->addSeparator();
    invertItem_ = AddItem(
        menu_, QStringLiteral("Invertera färg"),
        QStringLiteral(
            "Inverterar färgens värden för rött, grönt och blått (R=FF-R; G=FF-G; B=FF-B)."));
    webSafeItem_ = AddItem(menu_, QStringLiteral("Avrunda till säkra byten"),
                           QStringLiteral("Avrundar färgens värden för rött, grönt och blått till "
                                          "det närmaste webbsäkra värdet (33, 66, 99, CC, FF)."));
    connect(changeItem_, &QAction::triggered, this, [this] { Click(); });
    connect(invertItem_, &QAction::triggered, this,
            [this] { ChangeByUser(InverseColor(ColorToRGB(color_))); });
    connect(webSafeItem_, &QAction::triggered, this,
            [this] { ChangeByUser(WebSafeColor(ColorToRGB(color_))); });
    connect(this, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { menu_->popup(mapToGlobal(at)); });
}

void TColorContainer::SetCurrentColor(TColor value) {
    color_ = value;
    update();
}

void TColorContainer::SetEditEvents(TEditEvents value) {
    editEvents_ = value;
    update();
}

void TColorContainer::SetBevelStyle(TBevelStyle value) {
    bevelStyle_ = value;
    update();
}

void TColorContainer::SetUseLabel(bool value) {
    useLabel_ = value;
    update();
}

void TColorContainer::SetFont(const QFont& value) {
    font_ = value;
    update();
}

void TColorContainer::SetFontColorMode(TFontColorMode value) {
    fontColorMode_ = value;
    update();
}

void TColorContainer::ChangeByUser(TColor color) {
    SetCurrentColor(color);
    if (OnChange)
        OnChange(this);
}

void TColorContainer::Click() {
    if (OnClick)
        OnClick(this);
    if (editEvents_ & eeClick)
        OpenDialog();
}

void TColorContainer::OpenDialog() {
    THexColorDialog dialog(this);
    dialog.CurrentColor = ColorToRGB(color_);
    dialog.Title = QStringLiteral("Färg");
    dialog.BtnCaption = QStringLiteral("Välj färg");
    if (dialog.Execute())
        ChangeByUser(dialog.CurrentColor);
}

TColor TColorContainer::FaceColor() const {
    return isEnabled() ? color_ : clBtnFace;
}

TColor TColorContainer::LabelColor() const {
    if (!isEnabled())
        return FromQColor(palette().color(QPalette::Disabled, QPalette::WindowText)); // grey text
    const TColor c = ColorToRGB(color_);
    switch (fontColorMode_) {
    case fcmInverted:
        return InverseColor(c);
    case fcmBlackOrWhite:
        return (RedOf(c) + GreenOf(c) + BlueOf(c)) / 3 >= 128 ? clBlack : clWhite;
    case fcmAllwaysWhite:
        return clWhite;
    case fcmAllwaysBlack:
        break;
    }
    return clBlack;
}

void TColorContainer::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setPen(QPen(Qt::SolidLine));
    p.fillRect(rect(), ToQColor(FaceColor()));
    if (useLabel_) {
        p.setFont(font_);
        p.setPen(ToQColor(LabelColor()));
        const QString text = ColorToHTML(ColorToRGB(color_));
        const QFontMetrics fm(font_);
        const int left = width() / 2 - fm.horizontalAdvance(text) / 2;
        const int top = height() / 2 - fm.height() / 2;
        p.drawText(QRect(left, top, fm.horizontalAdvance(text), fm.height()), Qt::AlignLeft, text);
    }
    if (hasFocus()) {
        QStyleOptionFocusRect option;
        option.initFrom(this);
        option.rect = rect().adjusted(2, 2, -2, -2);
        option.backgroundColor = ToQColor(FaceColor());
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &p, this);
    }
}

void TColorContainer::mousePressEvent(QMouseEvent* event) {
    QWidget::mousePressEvent(event);
    setFocus(Qt::MouseFocusReason);
    if (event->button() == Qt::LeftButton)
        pressed_ = true;
}

void TColorContainer::mouseReleaseEvent(QMouseEvent* event) {
    QWidget::mouseReleaseEvent(event);
    const bool click =
        pressed_ && event->button() == Qt::LeftButton && rect().contains(event->pos());
    pressed_ = false;
    if (click)
        Click();
}

void TColorContainer::mouseDoubleClickEvent(QMouseEvent* event) {
    // Not the base handling: that would take the double click as a second press.
    event->accept();
    if (event->button() != Qt::LeftButton)
        return;
    if (OnDblClick)
        OnDblClick(this);
    if (editEvents_ & eeDblClick)
        OpenDialog();
}

void TColorContainer::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Space && !event->isAutoRepeat()) {
        Click();
        return;
    }
    QWidget::keyPressEvent(event);
}

void TColorContainer::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    update();
}

void TColorContainer::focusOutEvent(QFocusEvent* event) {
    QWidget::focusOutEvent(event);
    update();
}

void TColorContainer::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::EnabledChange)
        update();
}
