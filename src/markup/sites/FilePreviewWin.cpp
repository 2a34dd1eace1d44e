#include "markup/sites/FilePreviewWin.h"

#include "app/mainwindow/MainWin.h"
#include "app/preview/PreviewBrowser.h"
#include "markup/common/PrivatePreview.h"
#include "markup/sites/FilePreviewPage.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

TFilePreview::TFilePreview(Tmain& window, QWidget* parent)
    : QDialog(parent ? parent : &window),
      preview_(std::make_unique<TPrivatePreview>(window, QStringLiteral("_filepreview.html"))) {
    setObjectName(QStringLiteral("FilePreview"));
    setWindowTitle(QStringLiteral("Förhandsgranskning"));
    auto* layout = new QVBoxLayout(this);
    if (QWidget* browser = preview_->Widget()) {
        browser->setObjectName(QStringLiteral("FilePreviewBrowser"));
        layout->addWidget(browser, 1);
    }
    btnClose = new QPushButton(QStringLiteral("Stäng"), this);
    btnClose->setDefault(true);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnClose);
    layout->addLayout(buttons);
    connect(btnClose, &QPushButton::clicked, this, &QDialog::accept);
    resize(640, 480);

    // A file the browser cannot open gets the failure page in its place.
    if (TPreviewBrowser* browser = preview_->Browser()) {
        auto failed = browser->OnLoadFailed;
        browser->OnLoadFailed = [this, failed](const QString& target, const QString& error) {
            if (failed)
                failed(target, error);
            if (!file_.isEmpty() &&
                QFileInfo(target).absoluteFilePath() == QFileInfo(file_).absoluteFilePath())
                ShowPage(FilePreviewPage::FailurePage());
        };
    }
}

TFilePreview::~TFilePreview() = default;

void TFilePreview::Preview(const QString& fileName) {
    const FilePreviewPage::TPreview preview = FilePreviewPage::For(fileName);
    if (!preview.ShowsFile()) {
        ShowPage(preview.Page);
        return;
    }
    file_ = fileName;
    preview_->ShowFile(fileName);
}

void TFilePreview::ShowPage(const QByteArray& page) {
    file_.clear();
    if (preview_->Write(page) || preview_->Write(FilePreviewPage::FailurePage()))
        preview_->Show();
}
