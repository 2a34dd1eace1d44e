#include "app/preview/PreviewBrowser.h"

TPreviewBrowser::~TPreviewBrowser() = default;

void TPreviewBrowser::ReportFinished(const QString& target) {
    if (OnLoadFinished)
        OnLoadFinished(target);
}

void TPreviewBrowser::ReportFailed(const QString& target, const QString& error) {
    if (OnLoadFailed)
        OnLoadFailed(target, error);
}
