#pragma once

#include "platform/Graphics.h"

#include <QFont>
#include <QPointer>
#include <QString>
#include <QWidget>
#include <functional>
#include <optional>
#include <vector>

class QAction;
class QActionGroup;
class QMenu;
class TTextEditorEx;

enum class TSurfaceType { stGradient = 0, stSolid = 1 };

// Asks the user for a colour: the dialog's title, its confirm button's caption and the colour
// it starts from (plain RGB). Empty when the user cancels.
using TRulerColorQuery =
    std::function<std::optional<TColor>(const QString& title, const QString& button, TColor start)>;

// One number the ruler shows: the 1-based screen row it stands in and the line number.
struct TRulerLabel {
    int Row;
    int Number;
    bool operator==(const TRulerLabel&) const = default;
};

// The line-number ruler beside an editor: numbers of the editor's visible rows on a gradient
// or solid background, a menu for its look, and a left click that selects the line of a row.
class TRuler : public QWidget {
public:
    explicit TRuler(QWidget* parent = nullptr);
    ~TRuler() override;

    // Menu tags of the colour schemes.
    enum { SchemeCaption = 100, SchemeControl = 101, SchemeDark = 102 };
    // A scheme's two colours (background, gradient end); false for an unknown tag.
    static bool SchemeColors(int tag, TColor* color, TColor* gradientColor);

    // Properties: a changed value repaints; the value already held does nothing.
    TSurfaceType SurfaceType() const { return surfaceType_; }
    void SetSurfaceType(TSurfaceType value);
    TColor Color() const { return color_; }
    void SetColor(TColor value);
    TColor GradientColor() const { return gradientColor_; }
    void SetGradientColor(TColor value);
    bool UseEditorFont() const { return useEditorFont_; }
    void SetUseEditorFont(bool value);
    TTextEditorEx* TextEditorEx() const { return editor_; }
    void SetTextEditorEx(TTextEditorEx* editor);
    bool ShowLineNumbers() const { return showLineNumbers_; }
    void SetShowLineNumbers(bool value);
    int LineNumberEvery() const { return lineNumberEvery_; }
    void SetLineNumberEvery(int value);
    // The ruler's own number font (used unless UseEditorFont).
    QFont Font() const { return font_; }
    void SetFont(const QFont& font);

    // Black or white, whichever stands out against the background behind the numbers.
    TColor NumberColor() const { return numberColor_; }

    // Copies the look and the number settings of another ruler, then repaints.
    void Assign(const TRuler& source);

    // Repaints when numbers are shown and an editor is set (quickly while the editor's
    // RulerFastMode is on).
    virtual void RepaintNumbers();

    // The width at which the largest number the ruler can show (the row below the editor's
    // last line, the ruler's height further down) stands whole; 33 pixels at the least.
    int FittingWidth() const;
    // Takes the fitting width; the editor calls it when its line count or font changes.
    void FitWidth();

    // The numbers a ruler of `height` pixels shows over rows of `lineHeight` pixels whose top
    // row holds the 0-based line `topLine`. Fast mode gives only the first and the last row.
    static std::vector<TRulerLabel> VisibleLabels(int height, int lineHeight, int topLine,
                                                  int every, bool fast);
    // The numbers the ruler paints now, for its height and its editor's view.
    std::vector<TRulerLabel> Labels() const;
    // The caption of the menu item that shows a number every n-th row.
    static QString EveryCaption(int n);

    // The ruler's popup menu; RefreshMenu sets its check marks (run each time it opens).
    QMenu* PopupMenu() const { return menu_; }
    void RefreshMenu();

    // The colour dialog's question; the menu offers to choose colours only while it is set.
    static TRulerColorQuery ColorQuery;
    // Asks for the background and then the gradient colour; each can be cancelled alone.
    void ChooseColors();
    void ApplyScheme(int tag);

protected:
    QSize sizeHint() const override { return QSize(width(), 480); }
    void paintEvent(QPaintEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void contextMenuEvent(QContextMenuEvent* e) override;

private:
    void BuildMenu();
    void UpdateNumberColor();
    void PaintBackground(QPainter& p, int y1, int y2, bool solid) const;
    QFont NumberFont() const;
    int LineHeight() const;
    int TopLine() const;

    TSurfaceType surfaceType_ = TSurfaceType::stGradient;
    TColor color_ = clBtnShadow;
    TColor gradientColor_ = clBtnFace;
    bool useEditorFont_ = false;
    QPointer<TTextEditorEx> editor_;
    bool showLineNumbers_ = true;
    int lineNumberEvery_ = 1;
    QFont font_;
    TColor numberColor_ = clBlack;
    // FittingWidth's last answer and what it depended on.
    mutable int fitDigits_ = -1;
    mutable QFont fitFont_;
    mutable int fitWidth_ = 0;

    QMenu* menu_ = nullptr;
    QAction* showNumbersItem_ = nullptr;
    std::vector<QAction*> everyItems_;
    QAction* gradientItem_ = nullptr;
    QAction* chooseColorsItem_ = nullptr;
    std::vector<QAction*> schemeItems_;
};
