#pragma once

#include <QPointer>
#include <QWidget>
#include <memory>

class TFSControl;
class TPreviewBrowser;

// The borderless full-screen preview: one browser that fills the window, or stands at its
// top-left corner at a chosen size. The control panel floats over it.
class TPreviewFrm : public QWidget {
public:
    TPreviewFrm(std::unique_ptr<TPreviewBrowser> browser, TFSControl* control,
                QWidget* parent = nullptr);
    ~TPreviewFrm() override;

    QWidget* PreviewIE = nullptr;
    TPreviewBrowser* Browser() const { return browser_.get(); }
    // The window title is the main window's caption and " (Förhandsgranskning)"; the file
    // is the one the browser is sent to when the window shows.
    QString MainCaption;
    QString Target;

    // Covers the screen, sends the browser to Target and shows the panel in the corner.
    void FormShow();
    // The browser fills the window again.
    void FillWindow();
    // The browser at (0, 0) with the given size, no longer following the window's size.
    void PlaceBrowser(int width, int height);

protected:
    void showEvent(QShowEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void closeEvent(QCloseEvent* e) override;

private:
    std::unique_ptr<TPreviewBrowser> browser_;
    QPointer<TFSControl> control_;
    bool aligned_ = true;
    bool shown_ = false;
};
