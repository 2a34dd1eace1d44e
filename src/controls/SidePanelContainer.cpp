#include "controls/SidePanelContainer.h"

#include "controls/PanelCaption.h"
#include "platform/Dialogs.h"
#include "platform/SilentAbort.h"

#include <QAction>
#include <QGuiApplication>
#include <QLayout>
#include <QMenu>
#include <QMessageBox>
#include <QMouseEvent>

namespace {
constexpr int kSplitterSize = 3;
constexpr int kMinPanelSize = 30;
} // namespace

// ---- Splitter

TSidePanelContainer::Splitter::Splitter(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_MouseNoMask);
    SetAlign(alLeft);
}

void TSidePanelContainer::Splitter::SetAlign(TAlign value) {
    align_ = value;
    setCursor(Vertical() ? Qt::SplitHCursor : Qt::SplitVCursor);
    if (Vertical())
        resize(kSplitterSize, height());
    else
        resize(width(), kSplitterSize);
}

void TSidePanelContainer::Splitter::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return QWidget::mousePressEvent(event);
    dragging_ = true;
    last_ = event->globalPosition().toPoint();
}

void TSidePanelContainer::Splitter::mouseMoveEvent(QMouseEvent* event) {
    if (!dragging_)
        return QWidget::mouseMoveEvent(event);
    const QPoint now = event->globalPosition().toPoint();
    const int delta = Vertical() ? now.x() - last_.x() : now.y() - last_.y();
    last_ = now;
    if (delta != 0 && OnMoved)
        OnMoved(delta);
}

void TSidePanelContainer::Splitter::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        dragging_ = false;
    QWidget::mouseReleaseEvent(event);
}

// ---- The stack

TSidePanelContainer::TSidePanelContainer(QWidget* parent) : QWidget(parent) {}

QString TSidePanelContainer::DuplicateMessage() {
    return QStringLiteral("SidePanelContainer: Sidopanelen är redan integrerad.");
}

QString TSidePanelContainer::BadIndexMessage() {
    return QStringLiteral("SidePanelContainer: Det finns ingen sidopanel med angivet matrisindex.");
}

void TSidePanelContainer::ShowPlainMessage(const QString& text) {
    QMessageBox box(QMessageBox::NoIcon, QGuiApplication::applicationDisplayName(), text,
                    QMessageBox::Ok);
    box.setTextFormat(Qt::PlainText);
    Dialogs::RunModal(&box);
}

TAlign TSidePanelContainer::ChildAlign(const QWidget* child) const {
    return aligns_.value(child, alNone);
}

void TSidePanelContainer::SetChildAlign(QWidget* child, TAlign align) {
    aligns_[child] = align;
}

void TSidePanelContainer::AddPanel(QWidget* panel) {
    for (const TPanelEntry& e : panels_) {
        if (e.Panel->objectName() == panel->objectName()) {
            ShowPlainMessage(DuplicateMessage());
            Abort();
        }
    }
    const int index = PanelCount();
    // Kept hidden only when the caller hid it.
    const bool hidden = panel->testAttribute(Qt::WA_WState_ExplicitShowHide) && panel->isHidden();
    panel->setParent(this);
    if (!hidden)
        panel->show();
    panels_.append({panel, nullptr, nullptr});
    order_.append(panel);
    SetChildAlign(panel, alClient);
    ArrangePanels();

    if (PanelCount() > 1) {
        auto* splitter = new Splitter(this);
        splitter->setObjectName(QStringLiteral("splitter%1").arg(PanelCount() - 1));
        splitter->SetAlign(alTop);
        splitter->SetTag(index);
        splitter->setToolTip(QString());
        splitter->setStatusTip(QStringLiteral("Drag för att ändra storlek på panelen."));
        splitter->OnMoved = [this, splitter](int delta) { DragSplitter(splitter, delta); };
        SetChildAlign(splitter, alTop);
        splitters_.append(splitter);
        order_.insert(order_.indexOf(panel), splitter);
        splitter->show();
    }

    auto* caption = new TPanelCaption(panel);
    caption->setGeometry(0, -1, panel->width(), caption->height());
    caption->SetCaptionText(panel->windowTitle());
    caption->raise();
    caption->show();
    // The bar stands above the panel's own controls.
    if (QLayout* layout = panel->layout()) {
        QMargins margins = layout->contentsMargins();
        margins.setTop(margins.top() + caption->height() - 1);
        layout->setContentsMargins(margins);
    }
    auto* menu = new QMenu(this);
    QAction* close = menu->addAction(QStringLiteral("Stäng panel"));
    close->setToolTip(QStringLiteral("Stäng panel"));
    close->setStatusTip(QStringLiteral("Stänger sidopanelen."));
    close->setData(index);
    connect(close, &QAction::triggered, this, [this, close] { HidePanel(close->data().toInt()); });
    caption->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(caption, &QWidget::customContextMenuRequested, menu,
            [caption, menu](const QPoint& at) { menu->popup(caption->mapToGlobal(at)); });
    panels_.last().Caption = caption;
    panels_.last().Menu = menu;
    panel->installEventFilter(this);

    panel->setWindowTitle(QString());
    Realign();
}

bool TSidePanelContainer::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Resize) {
        for (const TPanelEntry& e : panels_) {
            if (e.Panel == watched && e.Caption)
                e.Caption->setGeometry(0, -1, e.Panel->width(), e.Caption->height());
        }
    }
    return QWidget::eventFilter(watched, event);
}

bool TSidePanelContainer::AnyPanelVisible() const {
    for (const TPanelEntry& e : panels_) {
        if (!e.Panel->isHidden())
            return true;
    }
    return false;
}

void TSidePanelContainer::ArrangePanels() {
    const int n = PanelCount();
    if (n >= 2) {
        for (int i = 0; i < n - 1; ++i) {
            QWidget* p = panels_[i].Panel;
            SetChildAlign(p, alTop);
            p->resize(p->width(), height() / n);
        }
    }
    for (int i = n - 1; i >= 0; --i) {
        if (!panels_[i].Panel->isHidden()) {
            SetChildAlign(panels_[i].Panel, alClient);
            break;
        }
    }
    Realign();
    FollowVSplitter();
}

void TSidePanelContainer::PlaceSplitters() {
    if (PanelCount() < 2)
        return;
    order_.clear();
    for (int i = 0; i < PanelCount(); ++i) {
        for (Splitter* s : splitters_) {
            if (s->Tag() == i)
                order_.append(s);
        }
        order_.append(panels_[i].Panel);
    }
    Realign();
}

// Top-aligned children stack from the top in their order; the client child takes the rest.
void TSidePanelContainer::Realign() {
    int top = 0;
    for (QWidget* w : order_) {
        if (w->isHidden() || ChildAlign(w) != alTop)
            continue;
        w->setGeometry(0, top, width(), w->height());
        top += w->height();
    }
    for (QWidget* w : order_) {
        if (!w->isHidden() && ChildAlign(w) == alClient)
            w->setGeometry(0, top, width(), qMax(0, height() - top));
    }
}

void TSidePanelContainer::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    Realign();
}

// The visible panel above a splitter grows or shrinks by the distance dragged; neither it nor
// the panel that takes the rest becomes smaller than the splitter's minimum.
void TSidePanelContainer::DragSplitter(Splitter* splitter, int delta) {
    const qsizetype at = order_.indexOf(splitter);
    QWidget* above = nullptr;
    for (qsizetype i = at - 1; i >= 0 && !above; --i) {
        QWidget* w = order_[i];
        if (!w->isHidden() && ChildAlign(w) == alTop && !dynamic_cast<Splitter*>(w))
            above = w;
    }
    if (!above)
        return;
    int rest = height();
    for (QWidget* w : order_) {
        if (!w->isHidden() && ChildAlign(w) == alTop)
            rest -= w->height();
    }
    const int h = above->height();
    const int most = h + qMax(0, rest - kMinPanelSize);
    above->resize(above->width(), qMax(kMinPanelSize, qMin(most, h + delta)));
    Realign();
}

void TSidePanelContainer::ShowPanel(int index) {
    if (index < 0 || index >= PanelCount()) {
        ShowPlainMessage(BadIndexMessage());
        return;
    }
    panels_[index].Panel->show();
    for (Splitter* s : splitters_) {
        if (s->Tag() == index)
            s->show();
    }
    ArrangePanels();
    PlaceSplitters();
    show();
    FollowVSplitter();
}

void TSidePanelContainer::HidePanel(int index) {
    if (index < 0 || index >= PanelCount()) {
        ShowPlainMessage(BadIndexMessage());
        return;
    }
    panels_[index].Panel->hide();
    for (Splitter* s : splitters_) {
        if (s->Tag() == index)
            s->hide();
    }
    ArrangePanels();
    PlaceSplitters();
    if (!AnyPanelVisible()) {
        hide();
        FollowVSplitter();
    }
}

void TSidePanelContainer::TogglePanel(int index) {
    if (PanelVisible(index))
        HidePanel(index);
    else
        ShowPanel(index);
}

void TSidePanelContainer::SetPanelVisible(int index, bool visible) {
    if (visible)
        ShowPanel(index);
    else
        HidePanel(index);
}

bool TSidePanelContainer::PanelVisible(int index) const {
    return index >= 0 && index < PanelCount() && !panels_[index].Panel->isHidden();
}

void TSidePanelContainer::SetAlign(TAlign value) {
    align_ = value;
    FollowVSplitter();
}

void TSidePanelContainer::SetVSplitter(Splitter* splitter) {
    vsplitter_ = splitter;
    if (splitter) {
        splitter->OnMoved = [this](int delta) {
            if (align_ == alLeft)
                resize(qMax(0, width() + delta), height());
            else if (align_ == alRight)
                resize(qMax(0, width() - delta), height());
        };
    }
    FollowVSplitter();
}

void TSidePanelContainer::FollowVSplitter() {
    if (!vsplitter_)
        return;
    vsplitter_->SetAlign(align_);
    if (align_ == alLeft)
        vsplitter_->move(x() + width() + 1, vsplitter_->y());
    else if (align_ == alRight)
        vsplitter_->move(x() - 1, vsplitter_->y());
    vsplitter_->setVisible(AnyPanelVisible());
}
