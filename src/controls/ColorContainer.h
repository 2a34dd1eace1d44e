#pragma once

#include "platform/Graphics.h"

#include <QFont>
#include <QWidget>
#include <functional>

class QAction;
class QMenu;

enum TEditEvent : quint8 { eeClick = 1, eeDblClick = 2 };
using TEditEvents = quint8;
enum TBevelStyle { bsOutset, bsInset };
enum TFontColorMode { fcmInverted, fcmBlackOrWhite, fcmAllwaysWhite, fcmAllwaysBlack };

// A focusable field that shows one colour, optionally with its colour text, and lets the
// user change it with the colour dialog or from its own context menu.
class TColorContainer : public QWidget {
public:
    using TNotifyEvent = std::function<void(QObject* Sender)>;

    explicit TColorContainer(QWidget* parent = nullptr);

    TColor CurrentColor() const { return color_; }
    void SetCurrentColor(TColor value);
    TEditEvents EditEvents() const { return editEvents_; }
    void SetEditEvents(TEditEvents value);
    TBevelStyle BevelStyle() const { return bevelStyle_; }
    void SetBevelStyle(TBevelStyle value);
    bool UseLabel() const { return useLabel_; }
    void SetUseLabel(bool value);
    const QFont& Font() const { return font_; }
    void SetFont(const QFont& value);
    TFontColorMode FontColorMode() const { return fontColorMode_; }
    void SetFontColorMode(TFontColorMode value);

    // Fires after the user changed the colour.
    TNotifyEvent OnChange;
    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;

    QMenu* PopupMenu() const { return menu_; }
    QAction* ChangeItem() const { return changeItem_; }
    QAction* InvertItem() const { return invertItem_; }
    QAction* WebSafeItem() const { return webSafeItem_; }

    // The colour the label is drawn in, and the field's face as painted.
    TColor LabelColor() const;
    TColor FaceColor() const;

    // The click action: OnClick, then the dialog when eeClick is in EditEvents.
    void Click();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void OpenDialog();
    void ChangeByUser(TColor color);

    TColor color_ = clActiveCaption;
    TEditEvents editEvents_ = eeClick;
    TBevelStyle bevelStyle_ = bsOutset;
    bool useLabel_ = false;
    QFont font_;
    TFontColorMode fontColorMode_ = fcmBlackOrWhite;
    QMenu* menu_ = nullptr;
    QAction* changeItem_ = nullptr;
    QAction* invertItem_ = nullptr;
    QAction* webSafeItem_ = nullptr;
    bool pressed_ = false;
};
