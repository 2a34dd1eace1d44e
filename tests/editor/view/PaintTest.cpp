#include "PaintSpy.h"

#include "editor/colouring/CSSFormattingProcessor.h"
#include "editor/colouring/HTMLFormattingProcessor.h"
#include "editor/view/TextEditorEx.h"
#include "platform/KeyCodes.h"

#include <QApplication>
#include <QImage>
#include <QPaintEvent>
#include <QScrollBar>
#include <QWheelEvent>
#include <functional>
#include <gtest/gtest.h>

namespace {

class PaintTest : public ::testing::Test {
protected:
    TTextEditorEx editor;
    THTMLFormattingProcessor html;

    void SetUp() override {
        editor.resize(420, 240);
        editor.FontColor = clBlack;
        editor.Settings()->SetBkColor(clWhite);
        editor.Settings()->HighlightColor = RGBColor(0, 128, 0);
        editor.Settings()->HighlightTextColor = clYellow;
        html.TagColor = clBlue;
        html.TagNameColor = clRed;
        html.TagValColor = clGreen;
        html.SetTextEditorEx(&editor);
        editor.SetFormattingProcessor(&html);
    }

    QImage Grab() {
        return editor.viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    }

    QRect Cell(int column, int row) const {
        return QRect(column * editor.CharWidth(), row * editor.LineHeight(), editor.CharWidth(),
                     editor.LineHeight());
    }

    static int Count(const QImage& image, const QRect& r, const std::function<bool(QColor)>& pred) {
        int n = 0;
        for (int y = r.top(); y <= r.bottom(); ++y)
            for (int x = r.left(); x <= r.right(); ++x)
                n += pred(image.pixelColor(x, y));
        return n;
    }
    static bool Ink(QColor c) { return c != QColor(Qt::white); }
    static bool Bluish(QColor c) { return c.blue() > 150 && c.red() < 110 && c.green() < 110; }
    static bool Reddish(QColor c) { return c.red() > 150 && c.blue() < 110 && c.green() < 110; }
    static bool SelBk(QColor c) { return c == QColor(0, 128, 0); }
    static bool Yellowish(QColor c) { return c.red() > 150 && c.green() > 150 && c.blue() < 110; }
    static bool Dark(QColor c) { return c.red() < 60 && c.green() < 60 && c.blue() < 60; }

    void Wheel(int delta, Qt::KeyboardModifiers mods = Qt::NoModifier) {
        QWheelEvent e(QPointF(10, 10), QPointF(10, 10), QPoint(), QPoint(0, delta), Qt::NoButton,
                      mods, Qt::NoScrollPhase, false);
        QApplication::sendEvent(editor.viewport(), &e);
    }

    void Lines(int count) {
        QByteArray text;
        for (int i = 0; i < count; ++i)
            text += "line " + QByteArray::number(i) + "\r\n";
        editor.SetText(text);
    }
};

TEST_F(PaintTest, TagDelimiterInTagColourAndNameInNameColour) {
    editor.SetText("<b>x</b>");
    const QImage image = Grab();
    EXPECT_GT(Count(image, Cell(0, 0), Bluish), 0);
    EXPECT_EQ(Count(image, Cell(0, 0), Reddish), 0);
    EXPECT_GT(Count(image, Cell(1, 0), Reddish), 0);
    EXPECT_GT(Count(image, Cell(3, 0), Dark), 0); // text keeps the editor colour
    EXPECT_EQ(Count(image, Cell(3, 0), Bluish) + Count(image, Cell(3, 0), Reddish), 0);
}

TEST_F(PaintTest, SelectionColoursWinOverTheProcessor) {
    editor.SetText("<b>x</b>");
    editor.Caret.SetPos(QPoint(1, 0));
    editor.ShiftHeld = true;
    editor.SelEnd.SetPos(QPoint(4, 0)); // "b>x"
    editor.ShiftHeld = false;
    const QImage image = Grab();
    for (int col : {1, 2, 3}) {
        EXPECT_GT(Count(image, Cell(col, 0), SelBk), editor.CharWidth() * editor.LineHeight() / 3)
            << col;
        EXPECT_GT(Count(image, Cell(col, 0), Yellowish), 0) << col;
        EXPECT_EQ(Count(image, Cell(col, 0), Reddish) + Count(image, Cell(col, 0), Bluish), 0)
            << col;
    }
    EXPECT_EQ(Count(image, Cell(4, 0), SelBk), 0);
    EXPECT_EQ(Count(image, Cell(0, 0), SelBk), 0);
}

TEST_F(PaintTest, HiddenCharacterGlyphs) {
    editor.SetText("a b\tc");
    editor.Settings()->ShowHiddenChars = false;
    QImage image = Grab();
    EXPECT_EQ(Count(image, Cell(1, 0), Ink), 0);
    EXPECT_EQ(Count(image, Cell(3, 0), Ink), 0);
    EXPECT_GT(Count(image, Cell(4, 0), Ink), 0);
    editor.Settings()->ShowHiddenChars = true;
    image = Grab();
    const int dot = Count(image, Cell(1, 0), Ink), bullet = Count(image, Cell(3, 0), Ink);
    EXPECT_GT(dot, 0);
    EXPECT_GT(bullet, dot); // the bullet is the bigger mark
}

TEST_F(PaintTest, BackgroundAfterDeletingTheLastCharacter) {
    editor.SetText("abc");
    editor.show();
    QApplication::processEvents();
    PaintSpy spy;
    editor.viewport()->installEventFilter(&spy);
    editor.DeleteRange(QPoint(2, 0), QPoint(3, 0));
    QApplication::processEvents();
    EXPECT_TRUE(spy.painted.contains(Cell(2, 0)));
    const QImage image = Grab();
    EXPECT_EQ(Count(image, Cell(2, 0), Ink), 0);
    EXPECT_GT(Count(image, Cell(1, 0), Ink), 0);
}

TEST_F(PaintTest, DisabledEditorPaintsButtonFace) {
    editor.SetText("x");
    editor.setEnabled(false);
    const QImage image = Grab();
    EXPECT_EQ(image.pixelColor(Cell(5, 2).center()), ToQColor(clBtnFace));
}

TEST_F(PaintTest, RepaintsCoverOnlyWhatChanged) {
    Lines(1000);
    editor.show();
    QApplication::processEvents();
    PaintSpy spy;
    editor.viewport()->installEventFilter(&spy);

    editor.PaintLine(2); // "line 2": its cells and the two after it
    QApplication::processEvents();
    EXPECT_EQ(spy.painted.boundingRect(),
              QRect(0, 2 * editor.LineHeight(), 8 * editor.CharWidth(), editor.LineHeight()));

    spy.painted = QRegion();
    editor.ScrollBy(0, 1);
    QApplication::processEvents();
    // The row that came into view (and the caret's cell), not the screen.
    int area = 0;
    for (const QRect& r : spy.painted)
        area += r.width() * r.height();
    EXPECT_LE(area, (editor.viewport()->width() + editor.CharWidth()) * editor.LineHeight());

    spy.painted = QRegion();
    editor.MoveToTextEnd();
    QApplication::processEvents();
    EXPECT_TRUE(editor.viewport()->rect().contains(spy.painted.boundingRect()));
    EXPECT_EQ(editor.ScrollPos.Y, 1000 - editor.ClientRows());
}

TEST_F(PaintTest, ScrollBarRequests) {
    Lines(100000); // past 16-bit positions
    const int rows = editor.ClientRows();
    QScrollBar* v = editor.verticalScrollBar();
    v->triggerAction(QAbstractSlider::SliderToMaximum);
    EXPECT_EQ(editor.ScrollPos.Y, 99999); // the last line at the top
    v->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(editor.ScrollPos.Y, 100000 - rows); // ScrollBy never goes past one page
    v->triggerAction(QAbstractSlider::SliderToMinimum);
    EXPECT_EQ(editor.ScrollPos.Y, 0);
    v->triggerAction(QAbstractSlider::SliderPageStepAdd);
    EXPECT_EQ(editor.ScrollPos.Y, rows);
    v->setSliderPosition(90000);
    EXPECT_EQ(editor.ScrollPos.Y, 90000);
    EXPECT_EQ(v->value(), 90000);

    editor.SetText("");
    editor.horizontalScrollBar()->triggerAction(QAbstractSlider::SliderToMaximum);
    EXPECT_EQ(editor.ScrollPos.X, 0); // never column -1
}

TEST_F(PaintTest, WheelScrollsZoomsAndMovesTheCaret) {
    Lines(500);
    const int l = std::max(QApplication::wheelScrollLines(), 1);
    Wheel(-120);
    EXPECT_EQ(editor.ScrollPos.Y, l);
    Wheel(240);
    EXPECT_EQ(editor.ScrollPos.Y, 0);
    for (int i = 0; i < 3; ++i)
        Wheel(-40); // a touchpad's small steps add up to one notch
    EXPECT_EQ(editor.ScrollPos.Y, l);
    Wheel(-60);
    EXPECT_EQ(editor.ScrollPos.Y, l);

    const int size = editor.EditorFont.pointSize();
    Wheel(120, Qt::ControlModifier);
    EXPECT_EQ(editor.EditorFont.pointSize(), size + 2);
    Wheel(-120, Qt::ControlModifier);
    EXPECT_EQ(editor.EditorFont.pointSize(), size);

    editor.Caret.SetPos(QPoint(0, 0));
    Wheel(-120, Qt::AltModifier | Qt::ShiftModifier);
    EXPECT_EQ(editor.SelEnd.Y, l) << "Shift moves the selection end";
    EXPECT_EQ(editor.Caret.GetPos(), QPoint(0, 0));
    Wheel(-120, Qt::AltModifier);
    EXPECT_EQ(editor.Caret.Y, l) << "without Shift the caret moves and the selection goes";
    EXPECT_FALSE(editor.HasSelection());
}

TEST_F(PaintTest, PixelToPosition) {
    Lines(50);
    editor.ScrollBy(0, 10);
    const int cw = editor.CharWidth(), lh = editor.LineHeight();
    EXPECT_EQ(editor.PixelToPos(QPoint(cw + cw / 2 + 1, lh / 2)),
              QPoint(2, 10)); // right half: after
    EXPECT_EQ(editor.PixelToPos(QPoint(cw + 1, lh / 2)), QPoint(1, 10));
    EXPECT_EQ(editor.PixelToPos(QPoint(100 * cw, lh + 1)), QPoint(7, 11)); // the line's end
    EXPECT_EQ(editor.PixelToPos(QPoint(5, -lh - 1)), QPoint(0, 0));
    EXPECT_EQ(editor.PixelToPos(QPoint(5, -1)), QPoint(0, 10)); // truncated towards zero
}

TEST_F(PaintTest, DegenerateSpacingsAreClamped) {
    editor.SetTextXSpace(-1000);
    editor.SetTextYSpace(-1000);
    EXPECT_EQ(editor.CharWidth(), 1);
    EXPECT_EQ(editor.LineHeight(), 1);
    editor.Settings()->SpeedJump = 0;
    editor.SetText("abc");
    editor.ShowControlPoints();
    EXPECT_FALSE(Grab().isNull());
}

// A brace typed or deleted in a style sheet moves every later line into or out of a block:
// the visible lines after it are repainted; in markup a change stays on its line.
TEST_F(PaintTest, BraceEditRepaintsTheVisibleLinesAfterIt) {
    struct Case {
        const char* name;
        bool css;
        QByteArray firstLine;
        int caretX;
        int vk; // a key, or 0 to type `typed`
        char typed;
    };
    const Case cases[] = {
        {"type at line end", true, "p ", 2, 0, '{'},
        {"type inside line", true, "p x", 1, 0, '{'},
        {"backspace at line end", true, "p {", 3, KeyCode::Backspace, 0},
        {"backspace inside line", true, "p {x", 3, KeyCode::Backspace, 0},
        {"delete", true, "p {", 2, KeyCode::Delete, 0},
        {"closing brace", true, "}", 1, KeyCode::Backspace, 0},
        {"markup", false, "<b ", 3, 0, '>'},
    };
    TCSSFormattingProcessor css;
    css.GroupColor = clRed;
    css.GroupSepColor = clBlue;
    css.SetTextEditorEx(&editor);
    editor.Settings()->AutoCloseQts = false;
    editor.show();
    for (const Case& c : cases) {
        editor.SetFormattingProcessor(c.css ? static_cast<TFormattingProcessor*>(&css) : &html);
        QByteArray text = c.firstLine + "\r\n";
        for (int i = 1; i < 40; ++i)
            text += "sel" + QByteArray::number(i) + "\r\n";
        editor.SetText(text);
        editor.Caret.SetPos(QPoint(c.caretX, 0));
        QApplication::processEvents();
        PaintSpy spy;
        editor.viewport()->installEventFilter(&spy);
        if (c.vk) {
            int key = c.vk;
            editor.KeyDown(key, Qt::NoModifier);
        } else {
            char key = c.typed;
            editor.KeyPress(key, Qt::NoModifier);
        }
        QApplication::processEvents();
        editor.viewport()->removeEventFilter(&spy);
        int first, last;
        editor.VisibleLines(&first, &last);
        ASSERT_GT(last, 5) << c.name;
        for (int line = 1; line <= last; ++line) {
            const QRect row(0, line * editor.LineHeight(), 5 * editor.CharWidth(),
                            editor.LineHeight());
            EXPECT_EQ(spy.painted.contains(row), c.css) << c.name << ", line " << line;
        }
    }
}

} // namespace
