#include "app/mainwindow/SidePanelArea.h"

#include "controls/SidePanelContainer.h"
#include "platform/FlagScope.h"

#include <QEvent>
#include <algorithm>

namespace {

constexpr int kSplitterWidth = 3;

} // namespace

TSidePanelArea::TSidePanelArea(QWidget* centre, QWidget* parent)
    : QWidget(parent), left_(new TSidePanelContainer(this)), right_(new TSidePanelContainer(this)),
      centre_(centre) {
    centre_->setParent(this);
    const struct {
        TSidePanelContainer* stack;
        const char* name;
        const char* splitter;
        TAlign align;
    } sides[] = {{left_, "SideBarL", "RS", alLeft}, {right_, "SideBarR", "RS2", alRight}};
    for (const auto& side : sides) {
        side.stack->setObjectName(QLatin1String(side.name));
        side.stack->resize(DefaultStackWidth, side.stack->height());
        side.stack->SetAlign(side.align);
        auto* splitter = new TSidePanelContainer::Splitter(this);
        splitter->setObjectName(QLatin1String(side.splitter));
        side.stack->SetVSplitter(splitter);
        // Empty until a panel shows.
        side.stack->hide();
        splitter->hide();
        side.stack->installEventFilter(this);
        splitter->installEventFilter(this);
    }
    centre_->show();
}

int TSidePanelArea::StackWidth(const TSidePanelContainer* stack) const {
    if (stack->isHidden())
        return 0;
    return std::max(stack->width(), MinStackWidth);
}

QSize TSidePanelArea::sizeHint() const {
    const QSize centre = centre_->sizeHint();
    return {centre.width() + StackWidth(left_) + StackWidth(right_), centre.height()};
}

QSize TSidePanelArea::minimumSizeHint() const {
    const QSize centre = centre_->minimumSizeHint();
    const int stacks = (left_->isHidden() ? 0 : MinStackWidth + kSplitterWidth) +
                       (right_->isHidden() ? 0 : MinStackWidth + kSplitterWidth);
    return {std::max(centre.width(), 0) + stacks, std::max(centre.height(), 0)};
}

void TSidePanelArea::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    Arrange();
}

bool TSidePanelArea::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::Resize:
    case QEvent::ShowToParent:
    case QEvent::HideToParent:
        if (!arranging_)
            Arrange();
        break;
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

void TSidePanelArea::Arrange() {
    const FlagScope arranging(arranging_);
    const int h = height();
    // A stack never takes the room the documents need; the left one is served first.
    const int room = std::max(width() - MinCentreWidth, 0);
    int leftWidth = 0, rightWidth = 0;
    if (!left_->isHidden())
        leftWidth = std::clamp(left_->width(), std::min(MinStackWidth, room),
                               std::max(room - kSplitterWidth, 0));
    if (!right_->isHidden()) {
        const int rest = std::max(room - leftWidth - 2 * kSplitterWidth, 0);
        rightWidth = std::clamp(right_->width(), std::min(MinStackWidth, rest), rest);
    }
    int x = 0;
    if (!left_->isHidden()) {
        left_->setGeometry(0, 0, leftWidth, h);
        x = leftWidth;
    }
    if (auto* rs = left_->VSplitter(); rs && !rs->isHidden()) {
        rs->setGeometry(x, 0, kSplitterWidth, h);
        x += kSplitterWidth;
    }
    int end = width();
    if (!right_->isHidden()) {
        right_->setGeometry(end - rightWidth, 0, rightWidth, h);
        end -= rightWidth;
    }
    if (auto* rs2 = right_->VSplitter(); rs2 && !rs2->isHidden()) {
        rs2->setGeometry(end - kSplitterWidth, 0, kSplitterWidth, h);
        end -= kSplitterWidth;
    }
    centre_->setGeometry(x, 0, std::max(end - x, 0), h);
}
