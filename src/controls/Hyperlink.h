#pragma once

#include <QLabel>
#include <QString>
#include <functional>

using TNotifyEvent = std::function<void(QObject* Sender)>;

// A label that opens its URL when clicked: hand cursor, blue underlined text.
class THyperlink : public QLabel {
public:
    explicit THyperlink(QWidget* parent = nullptr);

    QString URL() const { return url_; }
    void SetURL(const QString& value) { url_ = value; }

    TNotifyEvent OnClick;

    // Opens an address with the desktop's handler; tests put their own in its place.
    using OpenHook = std::function<void(const QString& url)>;
    static void SetOpenHook(OpenHook hook);
    static void Open(const QString& url);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void Click();

    QString url_;
    bool pressed_ = false;
};
