#pragma once

#include <QPoint>
#include <QPointer>
#include <QWidget>
#include <functional>

class QComboBox;
class QLabel;
class QTimer;
class QToolButton;
class TBoxes;
class TPreviewFrm;

// The floating panel of the full-screen preview: the screen size list and "X". It is
// borderless, stays on top, and fades out while the pointer is away from it.
class TFSControl : public QWidget {
public:
    explicit TFSControl(TBoxes* boxes, QWidget* parent = nullptr);

    QWidget* FSControls = nullptr;
    QLabel* Logo = nullptr;
    QLabel* Label = nullptr;
    QComboBox* reses = nullptr;
    QToolButton* CloseBtn = nullptr;
    // "Drag för att flytta panelen", shown in place of the controls while dragging.
    QLabel* DragInfo = nullptr;
    QTimer* AlphaChanger = nullptr;

    // The preview the panel serves; "X" releases it.
    void SetPreview(TPreviewFrm* preview) { preview_ = preview; }
    TPreviewFrm* Preview() const { return preview_; }

    // The opacity, 0 (invisible) .. 255.
    int AlphaBlendValue() const { return alpha_; }
    void SetAlphaBlendValue(int value);
    // Where the pointer is, in screen coordinates (tests replace it).
    std::function<QPoint()> CursorPos;

    // The handler of the list: a size, a new size, or the whole window.
    void UpdateRes();
    // The handler of "X".
    void ClosePreview();
    // One step of AlphaChanger.
    void AlphaChangerTimer();
    bool Dragging() const { return dragging_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BeginDrag(const QPoint& globalPos);
    void EndDrag();

    TBoxes* boxes_;
    QPointer<TPreviewFrm> preview_;
    int alpha_ = 150;
    bool dragging_ = false;
    QPoint dragStart_;
};
