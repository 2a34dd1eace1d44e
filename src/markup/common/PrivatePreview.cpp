#include "markup/common/PrivatePreview.h"

#include "app/mainwindow/MainWin.h"
#include "app/preview/PreviewBrowser.h"

#include <QSaveFile>
#include <QStatusBar>
#include <QTemporaryDir>

TPrivatePreview::TPrivatePreview(Tmain& window, const QString& fileName)
    : window_(window), dir_(std::make_unique<QTemporaryDir>()) {
    if (window.MakePreviewBrowser)
        browser_ = window.MakePreviewBrowser();
    if (dir_->isValid())
        file_ = dir_->filePath(fileName);
    if (browser_) {
        browser_->OnLoadFinished = [this](const QString&) { Loading(false); };
        browser_->OnLoadFailed = [this](const QString&, const QString&) { Loading(false); };
    }
}

TPrivatePreview::~TPrivatePreview() {
    if (browser_) {
        browser_->OnLoadFinished = nullptr;
        browser_->OnLoadFailed = nullptr;
    }
    Loading(false);
}

QWidget* TPrivatePreview::Widget() const {
    return browser_ ? browser_->Widget() : nullptr;
}

bool TPrivatePreview::Write(const QByteArray& page) {
    if (file_.isEmpty())
        return false;
    QSaveFile file(file_);
    return file.open(QIODevice::WriteOnly) && file.write(page) == page.size() && file.commit();
}

void TPrivatePreview::Show() {
    if (!browser_ || file_.isEmpty())
        return;
    Loading(true);
    if (shown_ != file_) {
        shown_ = file_;
        browser_->NavigateToFile(file_);
    } else {
        browser_->Reload();
    }
}

void TPrivatePreview::ShowFile(const QString& fileName) {
    if (!browser_)
        return;
    Loading(true);
    shown_ = fileName;
    browser_->NavigateToFile(fileName);
}

void TPrivatePreview::Loading(bool on) {
    if (on == loading_)
        return;
    loading_ = on;
    if (on)
        window_.statusBar()->showMessage(QStringLiteral("Förhandsgranskar..."));
    else
        window_.statusBar()->clearMessage();
}
