#pragma once

#include "app/preview/PreviewBrowser.h"

#include <QObject>
#include <QPointer>
#include <QUrl>

class QWebEngineLoadingInfo;
class QWebEngineView;

// The preview browser over the embedded web engine. Pages that declare no charset are read
// as windows-1252, the documents' own encoding. The engine starts with the first page: a
// window that never previews does not pay for it.
class TWebEnginePreviewBrowser : public QObject, public TPreviewBrowser {
public:
    explicit TWebEnginePreviewBrowser(QWidget* parent = nullptr);
    ~TWebEnginePreviewBrowser() override;

    QWidget* Widget() override;
    // The engine's view, created on first use.
    QWebEngineView* View();
    void NavigateToFile(const QString& fileName) override;
    void Reload() override;
    // The window system makes windows that draw through OpenGL (not so offscreen).
    static bool GLWindowsSupported();

private:
    void LoadingChanged(const QWebEngineLoadingInfo& info);

    QPointer<QWidget> frame_;
    QPointer<QWebEngineView> view_;
    // The load the program asked for and whose end is not reported yet.
    QUrl requested_;
    bool waiting_ = false;
};
