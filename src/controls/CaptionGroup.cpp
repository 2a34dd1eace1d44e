#include "controls/CaptionGroup.h"

#include "controls/PanelCaption.h"

TCaptionGroup::TCaptionGroup(QWidget* parent) : QGroupBox(parent) {
    caption_ = new TPanelCaption(this);
    LayoutCaption();
}

void TCaptionGroup::SetCaptionText(const QString& value) {
    captionText_ = value;
    LayoutCaption();
}

void TCaptionGroup::LayoutCaption() {
    if (!title().isEmpty())
        setTitle(QString());
    caption_->setGeometry(0, 0, width(), caption_->height());
    caption_->SetCaptionText(captionText_);
}

void TCaptionGroup::paintEvent(QPaintEvent* event) {
    QGroupBox::paintEvent(event);
    LayoutCaption();
}
