#pragma once

#include <QGroupBox>
#include <QString>

class TPanelCaption;

// A group box headed by a caption bar as wide as itself; its own title stays empty.
class TCaptionGroup : public QGroupBox {
public:
    explicit TCaptionGroup(QWidget* parent = nullptr);

    QString CaptionText() const { return captionText_; }
    void SetCaptionText(const QString& value);

    TPanelCaption* Caption() const { return caption_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void LayoutCaption();

    QString captionText_;
    TPanelCaption* caption_;
};
