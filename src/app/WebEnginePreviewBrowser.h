#pragma once

#include "app/PreviewBrowser.h"

#include <QObject>
#include <QPointer>
#include <QUrl>

class QWebEngineLoadingInfo;
class QWebEngineView;

// The preview browser over the embedded web engine. Pages that declare no charset are read
// as windows-1252, the documents' own encoding.
class TWebEnginePreviewBrowser : public QObject, public TPreviewBrowser {
public:
    explicit TWebEnginePreviewBrowser(QWidget* parent = nullptr);
    ~TWebEnginePreviewBrowser() override;

    QWidget* Widget() override;
    QWebEngineView* View() const { return view_; }
    void NavigateToFile(const QString& fileName) override;
    void Reload() override;

private:
    void LoadingChanged(const QWebEngineLoadingInfo& info);

    QPointer<QWebEngineView> view_;
    // The load the program asked for and whose end is not reported yet.
    QUrl requested_;
    bool waiting_ = false;
};
