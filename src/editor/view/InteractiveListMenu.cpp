#include "editor/view/InteractiveListMenu.h"

#include "editor/view/TextEditorEx.h"
#include "platform/FlagScope.h"
#include "platform/KeyCodes.h"

#include <QApplication>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyleHints>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>

namespace {

const QString kFilterCaption = QStringLiteral("Filter: ");

} // namespace

TInteractiveListMenu::TInteractiveListMenu(QWidget* parent)
    : QAbstractScrollArea(parent), borderStyle_(TBorderStyle::bsSingle) {
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setFocusPolicy(Qt::ClickFocus);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    SetBorderStyle(TBorderStyle::bsSingle);
    verticalScrollBar()->setSingleStep(1);
    connect(verticalScrollBar(), &QScrollBar::valueChanged, this, [this](int value) {
        if (settingBar_)
            return;
        ScrollTo(value);
        if (topIndex_ != value)
            UpdateScrollBar();
    });
    Refilter();
}

// --- properties -------------------------------------------------------------------------------

void TInteractiveListMenu::SetItemList(const QStringList& list) {
    if (&list != &items_)
        items_ = list;
    Refilter();
}

void TInteractiveListMenu::SetFilter(const QString& filter) {
    if (filter == filter_)
        return;
    filter_ = filter;
    Refilter();
}

void TInteractiveListMenu::TypeChar(QChar ch) {
    filter_.append(ch);
    Refilter();
}

void TInteractiveListMenu::ClearFilter() {
    filter_.clear();
    Refilter();
}

void TInteractiveListMenu::SetSelection(int value) {
    if (value < 0 || value >= filtered_.size() || value == selection_)
        return;
    selection_ = value;
    MakeSelectionVisible();
}

void TInteractiveListMenu::SetIndent(int value) {
    if (value == indent_)
        return;
    indent_ = value;
    viewport()->update();
}

void TInteractiveListMenu::SetLineSpace(int value) {
    if (value == lineSpace_)
        return;
    lineSpace_ = value;
    viewport()->update();
    UpdateScrollBar();
}

void TInteractiveListMenu::SetColor(TColor color) {
    color_ = color;
    viewport()->update();
}

void TInteractiveListMenu::SetBorderStyle(TBorderStyle style) {
    borderStyle_ = style;
    ApplyBorderStyle(this, style);
}

void TInteractiveListMenu::SetUseCaret(bool value) {
    useCaret_ = value;
    setFocusPolicy(value ? Qt::ClickFocus : Qt::NoFocus);
    viewport()->update();
}

// --- metrics ----------------------------------------------------------------------------------

int TInteractiveListMenu::TextHeight() const {
    return QFontMetrics(font()).boundingRect(QStringLiteral("Hj")).height();
}

int TInteractiveListMenu::RowHeight() const {
    return std::max(TextHeight() + lineSpace_, 1);
}

int TInteractiveListMenu::ListTop() const {
    return filter_.isEmpty() ? 0 : TextHeight() + lineSpace_ + 3;
}

int TInteractiveListMenu::VisibleRows() const {
    return std::max(viewport()->height() - ListTop(), 0) / RowHeight();
}

int TInteractiveListMenu::IndexAt(int y) const {
    return static_cast<int>(std::floor(static_cast<double>(y - ListTop()) / RowHeight())) +
           topIndex_;
}

// --- filtering and scrolling ------------------------------------------------------------------

void TInteractiveListMenu::Refilter() {
    filtered_.clear();
    const QString prefix = filter_.toLower();
    for (const QString& item : items_)
        if (item.left(filter_.size()).toLower() == prefix)
            filtered_.append(item);
    topIndex_ = 0;
    selection_ = 0;
    viewport()->update();
    UpdateScrollBar();
}

void TInteractiveListMenu::UpdateScrollBar() {
    QScrollBar* bar = verticalScrollBar();
    const FlagScope setting(settingBar_);
    bar->setRange(0, std::max(static_cast<int>(filtered_.size()) - 1, 0));
    bar->setPageStep(std::max(VisibleRows(), 1));
    bar->setValue(topIndex_);
}

void TInteractiveListMenu::ScrollTo(int topIndex) {
    const int count = static_cast<int>(filtered_.size());
    if (topIndex < 0 || topIndex > count - VisibleRows() || topIndex == topIndex_)
        return;
    topIndex_ = topIndex;
    viewport()->update();
    const FlagScope setting(settingBar_);
    verticalScrollBar()->setValue(topIndex_);
}

void TInteractiveListMenu::MakeSelectionVisible() {
    const int rows = VisibleRows();
    if (selection_ < topIndex_)
        ScrollTo(selection_);
    else if (selection_ > topIndex_ + rows - 1)
        ScrollTo(selection_ - rows + 1);
    viewport()->update();
}

// --- keys -------------------------------------------------------------------------------------

void TInteractiveListMenu::ReportSelection() {
    if (OnItemSelected && selection_ >= 0 && selection_ < filtered_.size()) {
        const QString item = filtered_[selection_];
        OnItemSelected(item, item.mid(filter_.size()));
    }
}

bool TInteractiveListMenu::SendKey(int key) {
    const int last = static_cast<int>(filtered_.size()) - 1;
    switch (key) {
    case KeyCode::Backspace:
        filter_.chop(1);
        Refilter();
        return true;
    case KeyCode::Enter:
        ReportSelection();
        if (EscCloses)
            hide();
        return true;
    case KeyCode::Escape:
        if (EscCloses)
            hide();
        return true;
    case KeyCode::PageUp:
        SetSelection(std::max(0, selection_ - VisibleRows()));
        return true;
    case KeyCode::PageDown:
        SetSelection(std::min(last, selection_ + VisibleRows()));
        return true;
    case KeyCode::Home:
        SetSelection(0);
        return true;
    case KeyCode::End:
        SetSelection(last);
        return true;
    case KeyCode::Up:
        SetSelection(selection_ - 1);
        return true;
    case KeyCode::Down:
        SetSelection(selection_ + 1);
        return true;
    default:
        return false;
    }
}

void TInteractiveListMenu::KeyPress(QChar ch, Qt::KeyboardModifiers shift) {
    const char16_t c = ch.unicode();
    if (c == 0 || c == '\b' || c == '\t' || c == '\r' || c == 27 || c == 127)
        return;
    if (shift.testFlag(Qt::ControlModifier) && !shift.testFlag(Qt::AltModifier))
        return;
    TypeChar(ch);
}

bool TInteractiveListMenu::event(QEvent* e) {
    // The list wants every key: arrows, tabs, Enter and Escape as well as characters.
    if (e->type() == QEvent::ShortcutOverride) {
        e->accept();
        return true;
    }
    return QAbstractScrollArea::event(e);
}

bool TInteractiveListMenu::focusNextPrevChild(bool) {
    return false;
}

void TInteractiveListMenu::keyPressEvent(QKeyEvent* e) {
    if (!SendKey(KeyCode::FromQt(e->key())))
        for (QChar ch : e->text())
            KeyPress(ch, e->modifiers());
    e->accept();
}

// --- mouse ------------------------------------------------------------------------------------

void TInteractiveListMenu::mousePressEvent(QMouseEvent* e) {
    if (useCaret_ && focusPolicy() != Qt::NoFocus && isEnabled())
        setFocus(Qt::MouseFocusReason);
    SetSelection(IndexAt(static_cast<int>(e->position().y())));
    e->accept();
}

void TInteractiveListMenu::mouseDoubleClickEvent(QMouseEvent* e) {
    ReportSelection();
    if (EscCloses)
        hide();
    e->accept();
}

void TInteractiveListMenu::wheelEvent(QWheelEvent* e) {
    int lines = QApplication::wheelScrollLines();
    if (lines <= 0)
        lines = 1;
    // Turning the wheel towards the user (a negative delta) moves towards the end.
    const int move = -(e->angleDelta().y() / 120) * lines;
    const int maxTop = std::max(static_cast<int>(filtered_.size()) - VisibleRows(), 0);
    ScrollTo(std::clamp(topIndex_ + move, 0, maxTop));
    e->accept();
}

// --- focus and painting -----------------------------------------------------------------------

void TInteractiveListMenu::focusInEvent(QFocusEvent* e) {
    QAbstractScrollArea::focusInEvent(e);
    viewport()->update();
}

void TInteractiveListMenu::focusOutEvent(QFocusEvent* e) {
    QAbstractScrollArea::focusOutEvent(e);
    viewport()->update();
}

void TInteractiveListMenu::resizeEvent(QResizeEvent* e) {
    QAbstractScrollArea::resizeEvent(e);
    UpdateScrollBar();
}

void TInteractiveListMenu::paintEvent(QPaintEvent*) {
    QPainter p(viewport());
    const QRect client = viewport()->rect();
    const QColor background = ToQColor(color_);
    p.fillRect(client, background);
    const int textHeight = TextHeight();
    headerWidth_ = 0;
    if (!filter_.isEmpty()) {
        QFont bold = font();
        bold.setBold(true);
        p.setFont(bold);
        p.setPen(ToQColor(clHighlight));
        const QString header = kFilterCaption + filter_;
        headerWidth_ = QFontMetrics(bold).horizontalAdvance(header);
        p.drawText(QRect(indent_, 0, client.width(), textHeight), Qt::AlignLeft | Qt::AlignTop,
                   header);
        const int y = textHeight + lineSpace_ + 1;
        p.drawLine(0, y, client.width(), y);
        p.setFont(font());
    }
    const int top = ListTop();
    const int row = RowHeight();
    const int last = std::min(static_cast<int>(filtered_.size()) - 1, topIndex_ + VisibleRows());
    for (int i = topIndex_; i <= last; ++i) {
        const QRect r(0, top + row * (i - topIndex_), client.width(), row);
        const bool selected = i == selection_;
        p.fillRect(r, selected ? ToQColor(clHighlight) : background);
        p.setPen(selected ? ToQColor(clHighlightText) : palette().color(QPalette::WindowText));
        p.save();
        p.setClipRect(r);
        p.drawText(r.adjusted(indent_, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter, filtered_[i]);
        p.restore();
    }
    if (useCaret_ && hasFocus() && !filter_.isEmpty())
        p.fillRect(QRect(indent_ + headerWidth_, 0, 2, textHeight),
                   palette().color(QPalette::Text));
}
