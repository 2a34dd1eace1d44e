#include "app/preview/WebEnginePreviewBrowser.h"

#include <QGuiApplication>
#include <QOpenGLContext>
#include <QOpenGLWidget>
#include <QVBoxLayout>
#include <QWebEngineDownloadRequest>
#include <QWebEngineLoadingInfo>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineSettings>
#include <QWebEngineView>

namespace {

// The engine's code for a load that was cancelled, by a newer one or by a stop.
constexpr int ErrAborted = -3;

QUrl Normalized(const QUrl& url) {
    return url.adjusted(QUrl::NormalizePathSegments | QUrl::StripTrailingSlash);
}

QString Target(const QUrl& url) {
    return url.isLocalFile() ? url.toLocalFile() : url.toString();
}

} // namespace

TWebEnginePreviewBrowser::TWebEnginePreviewBrowser(QWidget* parent) : frame_(new QWidget(parent)) {
    auto* layout = new QVBoxLayout(frame_);
    layout->setContentsMargins(0, 0, 0, 0);
    // The engine's view draws through OpenGL. A window made without it is made anew when the
    // view first appears, and loses its state (a maximized window comes back normal): a
    // hidden GL widget makes the window that takes this frame ready for the view from the
    // start.
    if (GLWindowsSupported()) {
        auto* placeholder = new QOpenGLWidget(frame_);
        placeholder->setObjectName(QStringLiteral("glPlaceholder"));
        placeholder->hide();
    }
}

bool TWebEnginePreviewBrowser::GLWindowsSupported() {
    static const bool supported = [] {
        // The offscreen platform has no GL; a context that cannot be made says so elsewhere.
        if (QGuiApplication::platformName() == QLatin1String("offscreen") ||
            QGuiApplication::platformName() == QLatin1String("minimal"))
            return false;
        QOpenGLContext probe;
        return probe.create();
    }();
    return supported;
}

TWebEnginePreviewBrowser::~TWebEnginePreviewBrowser() {
    delete frame_.data();
}

QWidget* TWebEnginePreviewBrowser::Widget() {
    return frame_;
}

QWebEngineView* TWebEnginePreviewBrowser::View() {
    if (!view_ && frame_) {
        view_ = new QWebEngineView(frame_);
        view_->settings()->setDefaultTextEncoding(QStringLiteral("windows-1252"));
        connect(view_->page(), &QWebEnginePage::loadingChanged, this,
                [this](const QWebEngineLoadingInfo& info) { LoadingChanged(info); });
        // A preview never saves anything: downloads its page asks for are cancelled.
        connect(view_->page()->profile(), &QWebEngineProfile::downloadRequested, this,
                [this](QWebEngineDownloadRequest* download) {
                    if (!view_ || download->page() != view_->page())
                        return;
                    download->cancel();
                    // The page asked for shows nothing: its load failed.
                    if (waiting_ && Normalized(download->url()) == requested_) {
                        waiting_ = false;
                        ReportFailed(Target(requested_), QStringLiteral("download cancelled"));
                    }
                });
        frame_->layout()->addWidget(view_);
    }
    return view_;
}

void TWebEnginePreviewBrowser::NavigateToFile(const QString& fileName) {
    if (!View())
        return;
    requested_ = Normalized(QUrl::fromLocalFile(fileName));
    waiting_ = true;
    view_->load(requested_);
}

void TWebEnginePreviewBrowser::Reload() {
    if (!view_)
        return;
    const QUrl current = view_->url();
    if (current.isEmpty())
        return;
    requested_ = Normalized(current);
    waiting_ = true;
    view_->triggerPageAction(QWebEnginePage::ReloadAndBypassCache);
}

void TWebEnginePreviewBrowser::LoadingChanged(const QWebEngineLoadingInfo& info) {
    // Loads the user started inside the page, and older loads of ours, are not reported.
    if (!waiting_ || Normalized(info.url()) != requested_)
        return;
    switch (info.status()) {
    case QWebEngineLoadingInfo::LoadStartedStatus:
    case QWebEngineLoadingInfo::LoadStoppedStatus:
        return;
    case QWebEngineLoadingInfo::LoadSucceededStatus:
        waiting_ = false;
        ReportFinished(Target(requested_));
        return;
    case QWebEngineLoadingInfo::LoadFailedStatus:
        // A newer load of the same page replaced this one; its own end follows.
        if (info.errorCode() == ErrAborted)
            return;
        waiting_ = false;
        ReportFailed(Target(requested_), info.errorString());
        return;
    }
}
