#pragma once

#include "platform/Graphics.h"

#include <QAbstractScrollArea>
#include <QString>
#include <QStringList>
#include <functional>

enum class TBorderStyle;

// Reports the chosen entry and the part of it that the filter has not typed yet.
using TItemSelectedEvent = std::function<void(const QString& Item, const QString& UnTypedPart)>;

// A small owner-drawn list with a type-to-filter header: it keeps the entries that begin with
// the typed filter (ignoring case) and reports the chosen one. The editor shows one below its
// caret and forwards keys to it with SendKey and TypeChar while keeping the focus itself.
class TInteractiveListMenu : public QAbstractScrollArea {
public:
    explicit TInteractiveListMenu(QWidget* parent = nullptr);

    const QStringList& Items() const { return items_; }
    // Replaces the entries and filters them again.
    void SetItemList(const QStringList& list);

    const QString& Filter() const { return filter_; }
    void SetFilter(const QString& filter);
    void TypeChar(QChar ch);
    void ClearFilter();

    // The highlighted entry of the filtered list.
    int Selection() const { return selection_; }
    void SetSelection(int value);
    const QStringList& Filtered() const { return filtered_; }
    int TopIndex() const { return topIndex_; }

    int Indent() const { return indent_; }
    void SetIndent(int value);
    int LineSpace() const { return lineSpace_; }
    void SetLineSpace(int value);
    TColor Color() const { return color_; }
    void SetColor(TColor color);
    TBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TBorderStyle style);

    // Escape hides the list; Enter and a double-click hide it after reporting.
    bool EscCloses = false;
    // The list shows a caret after the filter and takes the focus on a click.
    bool UseCaret() const { return useCaret_; }
    void SetUseCaret(bool value);
    TItemSelectedEvent OnItemSelected;

    // A key (platform/KeyCodes.h) handled as if the list had received it: Backspace, Enter,
    // Escape, Page Up, Page Down, Home, End, Up and Down; false for any other key.
    bool SendKey(int key);
    // A typed character; control characters and Ctrl (without Alt) combinations are ignored.
    void KeyPress(QChar ch, Qt::KeyboardModifiers shift = Qt::NoModifier);

    // Metrics: row height, the top of the rows and the number of whole rows.
    int RowHeight() const;
    int ListTop() const;
    int VisibleRows() const;
    // The filtered entry under a point of the list's viewport (may be out of range).
    int IndexAt(int y) const;

    void ScrollTo(int topIndex);

protected:
    bool event(QEvent* e) override;
    void paintEvent(QPaintEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void wheelEvent(QWheelEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;
    bool focusNextPrevChild(bool next) override;

private:
    void Refilter();
    void ReportSelection();
    void UpdateScrollBar();
    void MakeSelectionVisible();
    int TextHeight() const;

    QStringList items_;
    QStringList filtered_;
    QString filter_;
    int selection_ = 0;
    int topIndex_ = 0;
    int indent_ = 0;
    int lineSpace_ = 0;
    int headerWidth_ = 0;
    bool useCaret_ = true;
    bool settingBar_ = false;
    TColor color_ = clWindow;
    TBorderStyle borderStyle_;
};
