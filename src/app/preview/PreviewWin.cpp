#include "app/preview/PreviewWin.h"

#include "app/preview/FSControlWin.h"
#include "app/preview/PreviewBrowser.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QTimer>

namespace {
// The panel's distance from the preview's bottom-right corner.
constexpr int kPanelMargin = 10;
} // namespace

TPreviewFrm::TPreviewFrm(std::unique_ptr<TPreviewBrowser> browser, TFSControl* control,
                         QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint), browser_(std::move(browser)),
      control_(control) {
    setObjectName(QStringLiteral("PreviewFrm"));
    PreviewIE = browser_->Widget();
    PreviewIE->setParent(this);
    PreviewIE->setObjectName(QStringLiteral("PreviewIE"));
    PreviewIE->setGeometry(rect());
    if (control_)
        control_->SetPreview(this);
}

TPreviewFrm::~TPreviewFrm() {
    // The browser deletes its own widget.
    browser_.reset();
}

void TPreviewFrm::FormShow() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QSize size = screen ? screen->size() : QSize(800, 600);
    setGeometry(0, 0, size.width(), size.height());
    setWindowTitle(MainCaption + QStringLiteral(" (Förhandsgranskning)"));
    browser_->NavigateToFile(Target);
    if (control_) {
        control_->move(x() + width() - control_->width() - kPanelMargin,
                       y() + height() - control_->height() - kPanelMargin);
        control_->show();
        control_->raise();
    }
}

void TPreviewFrm::FillWindow() {
    aligned_ = true;
    PreviewIE->setGeometry(rect());
}

void TPreviewFrm::PlaceBrowser(int width, int height) {
    aligned_ = false;
    PreviewIE->setGeometry(0, 0, width, height);
}

void TPreviewFrm::showEvent(QShowEvent* e) {
    QWidget::showEvent(e);
    if (shown_)
        return;
    shown_ = true;
    FormShow();
}

void TPreviewFrm::resizeEvent(QResizeEvent* e) {
    QWidget::resizeEvent(e);
    if (aligned_)
        PreviewIE->setGeometry(rect());
}

void TPreviewFrm::closeEvent(QCloseEvent* e) {
    // Closed from the keyboard or the desktop: the panel goes with it.
    if (control_) {
        control_->AlphaChanger->stop();
        control_->close();
    }
    e->accept();
    deleteLater();
}
