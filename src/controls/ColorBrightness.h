#pragma once

#include "controls/ColorMap.h"

// A map of one colour: black at the left edge, the colour at the top of the middle column,
// white at the right edge, each column fading toward grey (127, 127, 127) at the bottom.
// Built in an off-screen image and shown in one step.
class TColorBrightness : public TColorMap {
public:
    explicit TColorBrightness(QWidget* parent = nullptr);

    TColor OriginalColor() const { return original_; }
    // Renders the map afresh and reports the colour at the marker.
    void SetOriginalColor(TColor value);
    // Kept for the forms; the map is always built off screen and shown in one step.
    bool SpeedUpdate() const { return speedUpdate_; }
    void SetSpeedUpdate(bool value) { speedUpdate_ = value; }

    TNotifyEvent OnBeginRender;
    TNotifyEvent OnDoneRender;

    // The map of a colour in an image of the given size.
    static QImage Render(TColor original, int width, int height);

protected:
    QImage RenderMap() override;
    int MarkerOffset() const override { return 0; }
    int ClipRightInset() const override { return 2; }
    bool FocusOnPress() const override { return false; }

private:
    TColor original_ = clRed;
    bool speedUpdate_ = true;
};
