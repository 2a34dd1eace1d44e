#pragma once

#include <QString>
#include <functional>

class QWidget;

// The browser that shows the preview. Navigation is asynchronous: a load reports its end
// through OnLoadFinished or OnLoadFailed, once per load the program asked for. A load that a
// newer one replaced reports nothing, and so do loads the user starts inside the page.
class TPreviewBrowser {
public:
    virtual ~TPreviewBrowser();

    // The widget that shows the page; the view area takes it into its layout.
    virtual QWidget* Widget() = 0;
    // Shows a local file.
    virtual void NavigateToFile(const QString& fileName) = 0;
    // Loads the current page again (it is not navigated anew).
    virtual void Reload() = 0;

    // The file (or page address) of the load that ended.
    std::function<void(const QString& target)> OnLoadFinished;
    std::function<void(const QString& target, const QString& error)> OnLoadFailed;

protected:
    void ReportFinished(const QString& target);
    void ReportFailed(const QString& target, const QString& error);
};
