#pragma once

#include <QByteArray>
#include <QString>
#include <functional>
#include <memory>

class QTemporaryDir;
class QWidget;
class TPreviewBrowser;
class Tmain;

// The preview of one window: the window's browser and a page file in a private temporary
// folder of its own, removed with it, so that no two views ever share or delete each other's
// file. While the browser loads a page the main window's status bar says so.
class TPrivatePreview {
public:
    // `fileName` names the page file inside the private folder.
    TPrivatePreview(Tmain& window, const QString& fileName);
    ~TPrivatePreview();
    TPrivatePreview(const TPrivatePreview&) = delete;
    TPrivatePreview& operator=(const TPrivatePreview&) = delete;

    TPreviewBrowser* Browser() const { return browser_.get(); }
    // The browser's widget; null when the window has no browser.
    QWidget* Widget() const;

    // The page file's full path; empty when no private folder could be made.
    QString FileName() const { return file_; }
    // Writes the page file; false when that failed.
    bool Write(const QByteArray& page);
    // Shows the page file: navigates to it when the browser shows something else, else loads
    // it again.
    void Show();
    // Navigates to any file.
    void ShowFile(const QString& fileName);

private:
    void Loading(bool on);

    Tmain& window_;
    std::unique_ptr<TPreviewBrowser> browser_;
    std::unique_ptr<QTemporaryDir> dir_;
    QString file_;
    QString shown_;
    bool loading_ = false;
};
