#pragma once

#include <QDialog>
#include <memory>

class QPushButton;
class TPrivatePreview;
class Tmain;

// "Förhandsgranskning": one file of a web site in the browser: a picture wrapped in a small
// page, any other file opened directly, a missing file or one the browser cannot open shown
// as an error page. The pages are written to a private file of this window.
class TFilePreview : public QDialog {
public:
    explicit TFilePreview(Tmain& window, QWidget* parent = nullptr);
    ~TFilePreview() override;

    // Shows a file.
    void Preview(const QString& fileName);

    TPrivatePreview* Browser() const { return preview_.get(); }
    QPushButton* btnClose = nullptr;

private:
    void ShowPage(const QByteArray& page);

    std::unique_ptr<TPrivatePreview> preview_;
    QString file_; // the file shown directly; empty while a page of ours is shown
};
