// The line-number ruler: which numbers it shows, its background, its menu and its click.
#include "editor/view/Ruler.h"
#include "editor/view/TextEditorEx.h"

#include <QAction>
#include <QImage>
#include <QMenu>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>
#include <numeric>

namespace {

using L = std::vector<TRulerLabel>;

QByteArray NumberedLines(int count) {
    QByteArray text;
    for (int i = 1; i <= count; ++i)
        text += "line " + QByteArray::number(i) + (i < count ? "\n" : "");
    return text;
}

// Black on a light colour, white on a dark one, by the mean of the three channels.
TColor Contrast(TColor color) {
    const QColor c = ToQColor(color);
    return (c.red() + c.green() + c.blue()) / 3 >= 128 ? clBlack : clWhite;
}

class RulerTest : public ::testing::Test {
protected:
    TTextEditorEx editor;
    std::unique_ptr<TRuler> ruler = std::make_unique<TRuler>();

    void SetUp() override {
        editor.resize(300, 200);
        editor.SetText(NumberedLines(100));
        ruler->SetTextEditorEx(&editor);
        editor.SetRuler(ruler.get());
        ruler->resize(ruler->width(), 10 * editor.LineHeight() + 3);
    }

    void TearDown() override { TRuler::ColorQuery = nullptr; }

    int Rows() const { return ruler->height() / editor.LineHeight(); }

    QImage Grab() const { return ruler->grab().toImage().convertToFormat(QImage::Format_RGB32); }

    // The 1-based rows of a solid ruler that hold pixels other than the background.
    std::vector<int> InkedRows(const QImage& image) const {
        std::vector<int> rows;
        const int lh = editor.LineHeight();
        const TColor rgb = ColorToRGB(ruler->Color());
        const QColor background(rgb & 0xFF, (rgb >> 8) & 0xFF, (rgb >> 16) & 0xFF);
        for (int r = 1; r * lh <= image.height(); ++r) {
            bool ink = false;
            for (int y = (r - 1) * lh; y < r * lh && !ink; ++y)
                for (int x = 0; x < image.width() && !ink; ++x)
                    ink = image.pixelColor(x, y) != background;
            if (ink)
                rows.push_back(r);
        }
        return rows;
    }

    // The visible menu as "caption|long hint" lines, separators as "-".
    QStringList MenuLines() const {
        QStringList out;
        for (QAction* a : ruler->PopupMenu()->actions())
            if (a->isVisible())
                out << (a->isSeparator() ? QStringLiteral("-") : a->text() + "|" + a->statusTip());
        return out;
    }

    QAction* Item(const QString& caption) const {
        for (QAction* a : ruler->PopupMenu()->actions())
            if (a->text() == caption)
                return a;
        ADD_FAILURE() << "no menu item " << caption.toStdString();
        return nullptr;
    }

    // The captions of the checked visible items.
    QStringList Checked() {
        ruler->RefreshMenu();
        QStringList out;
        for (QAction* a : ruler->PopupMenu()->actions())
            if (a->isVisible() && a->isChecked())
                out << a->text();
        return out;
    }
};

struct TLabelCase {
    int height, lineHeight, topLine, every;
    bool fast;
    L expected;
};

// Rows are counted from the ruler's top, not by line number; only full rows are numbered.
TEST(RulerLabels, NumbersForScrollPositionsAndSteps) {
    const TLabelCase cases[] = {
        {100, 20, 0, 1, false, {{1, 1}, {2, 2}, {3, 3}, {4, 4}, {5, 5}}},
        {119, 20, 0, 2, false, {{2, 2}, {4, 4}}},
        {120, 20, 0, 2, false, {{2, 2}, {4, 4}, {6, 6}}},
        {120, 20, 1, 2, false, {{2, 3}, {4, 5}, {6, 7}}},
        {200, 20, 41, 3, false, {{3, 44}, {6, 47}, {9, 50}}},
        {200, 20, 7, 10, false, {{10, 17}}},
        {180, 20, 7, 10, false, {}},
        {19, 20, 0, 1, false, {}},
        {100, 20, 0, 0, false, {{1, 1}, {2, 2}, {3, 3}, {4, 4}, {5, 5}}},
        // Fast mode: the first row and the last full row, whatever the step.
        {200, 20, 41, 3, true, {{1, 42}, {10, 51}}},
        {39, 20, 5, 1, true, {{1, 6}}},
        {100, 0, 0, 1, false, {}},
    };
    for (const TLabelCase& c : cases)
        EXPECT_EQ(TRuler::VisibleLabels(c.height, c.lineHeight, c.topLine, c.every, c.fast),
                  c.expected)
            << c.height << "/" << c.lineHeight << " top " << c.topLine << " every " << c.every
            << (c.fast ? " fast" : "");
}

TEST(RulerLabels, EveryCaptions) {
    EXPECT_EQ(TRuler::EveryCaption(1), "Visa nummer på varje rad");
    EXPECT_EQ(TRuler::EveryCaption(2), "Visa nummer på varannan rad");
    EXPECT_EQ(TRuler::EveryCaption(3), "Visa nummer på var 3:e rad");
    EXPECT_EQ(TRuler::EveryCaption(10), "Visa nummer på var 10:e rad");
}

// What the ruler paints follows the editor's scroll position and the step; the painted rows
// are the listed ones.
TEST_F(RulerTest, PaintedNumbersFollowScrollingAndStep) {
    ruler->SetSurfaceType(TSurfaceType::stSolid);
    ruler->SetLineNumberEvery(2);
    EXPECT_EQ(ruler->Labels(), (L{{2, 2}, {4, 4}, {6, 6}, {8, 8}, {10, 10}}));
    EXPECT_EQ(InkedRows(Grab()), (std::vector<int>{2, 4, 6, 8, 10}));

    editor.ScrollBy(0, 1);
    editor.ScrollTimerTimer();
    EXPECT_EQ(ruler->Labels(), (L{{2, 3}, {4, 5}, {6, 7}, {8, 9}, {10, 11}}));
    EXPECT_EQ(InkedRows(Grab()), (std::vector<int>{2, 4, 6, 8, 10}));

    ruler->SetShowLineNumbers(false);
    EXPECT_TRUE(ruler->Labels().empty());
    EXPECT_TRUE(InkedRows(Grab()).empty());
}

TEST_F(RulerTest, ShortDocumentStillNumbersEveryRow) {
    editor.SetText("a\nb\nc");
    const L labels = ruler->Labels();
    ASSERT_EQ(static_cast<int>(labels.size()), Rows());
    EXPECT_EQ(labels.back(), (TRulerLabel{Rows(), Rows()}));
}

// At the end of a million lines every row's number stands whole: the ruler has widened for
// the digits, and goes back to its width for a short text.
TEST_F(RulerTest, WidensForTheDigitsOfTheLastLines) {
    ruler->SetSurfaceType(TSurfaceType::stSolid);
    EXPECT_EQ(ruler->width(), 33);
    editor.SetText(NumberedLines(1000000));
    editor.MoveDocEnd(false);
    editor.ScrollTimerTimer();
    ASSERT_GT(editor.ScrollPos.Y, 999000);
    EXPECT_GT(ruler->width(), 33);
    const QImage image = Grab();
    std::vector<int> all(static_cast<size_t>(Rows()));
    std::iota(all.begin(), all.end(), 1);
    EXPECT_EQ(InkedRows(image), all);
    const QColor background = image.pixelColor(0, 0);
    for (int y = 0; y < image.height(); ++y)
        ASSERT_EQ(image.pixelColor(0, y), background)
            << "a number is cut at row " << y / editor.LineHeight() + 1;
    editor.SetText(NumberedLines(100));
    EXPECT_EQ(ruler->width(), 33);
}

// While the editor scrolls only the first and last numbers show on a plain background; the
// editor's timer brings the full ruler back.
TEST_F(RulerTest, FastModeWhileScrolling) {
    ruler->SetColor(RGBColor(10, 20, 30));
    ruler->SetGradientColor(clWhite);
    editor.ScrollBy(0, 5);
    ASSERT_TRUE(editor.RulerFastMode);
    EXPECT_EQ(ruler->Labels(), (L{{1, 6}, {Rows(), 5 + Rows()}}));
    const QImage fast = Grab();
    // Solid in the ruler's colour though it is a gradient ruler.
    EXPECT_EQ(fast.pixelColor(fast.width() - 1, fast.height() - 1), QColor(10, 20, 30));
    EXPECT_EQ(InkedRows(fast), (std::vector<int>{1, Rows()}));

    editor.ScrollTimerTimer();
    EXPECT_FALSE(editor.RulerFastMode);
    EXPECT_EQ(static_cast<int>(ruler->Labels().size()), Rows());
    const QImage full = Grab();
    EXPECT_NE(full.pixelColor(full.width() - 1, full.height() - 1), QColor(10, 20, 30));
}

// The gradient runs from Color at column 0 towards GradientColor; the menu item switches it.
TEST_F(RulerTest, GradientAndSolidBackground) {
    ruler->SetShowLineNumbers(false);
    ruler->SetColor(RGBColor(0, 0, 200));
    ruler->SetGradientColor(RGBColor(66, 33, 200));
    ASSERT_EQ(ruler->width(), 33);
    QImage image = Grab();
    for (int x = 0; x < image.width(); ++x) {
        const QColor expected(2 * x, x, 200);
        EXPECT_EQ(image.pixelColor(x, 0), expected) << "column " << x;
        EXPECT_EQ(image.pixelColor(x, image.height() - 1), expected) << "column " << x;
    }

    EXPECT_EQ(Checked(), (QStringList{TRuler::EveryCaption(1), "Gradient bakgrund"}));
    Item("Gradient bakgrund")->trigger();
    EXPECT_EQ(ruler->SurfaceType(), TSurfaceType::stSolid);
    image = Grab();
    for (int x = 0; x < image.width(); ++x)
        EXPECT_EQ(image.pixelColor(x, image.height() / 2), QColor(0, 0, 200));
    Item("Gradient bakgrund")->trigger();
    EXPECT_EQ(ruler->SurfaceType(), TSurfaceType::stGradient);
}

struct TContrastCase {
    TSurfaceType surface;
    TColor color, gradient, expected;
};

// The colour behind the numbers decides: the gradient's end for a gradient, else Color.
TEST(RulerContrast, NumbersAreBlackOrWhite) {
    const TContrastCase cases[] = {
        {TSurfaceType::stSolid, 0x444444, clWhite, clWhite},
        {TSurfaceType::stGradient, clWhite, 0x444444, clWhite},
        {TSurfaceType::stGradient, clBlack, RGBColor(128, 128, 128), clBlack},
        {TSurfaceType::stSolid, RGBColor(127, 128, 128), clBlack, clWhite},
        {TSurfaceType::stSolid, RGBColor(255, 0, 129), clBlack, clBlack},
    };
    for (const TContrastCase& c : cases) {
        TRuler r;
        r.SetSurfaceType(c.surface);
        r.SetColor(c.color);
        r.SetGradientColor(c.gradient);
        EXPECT_EQ(r.NumberColor(), c.expected) << std::hex << c.color << " " << c.gradient;
    }
    // A light theme's button face.
    TRuler r;
    r.SetGradientColor(clBlack);
    r.SetGradientColor(clBtnFace);
    EXPECT_EQ(r.NumberColor(), Contrast(clBtnFace));
}

// Created as a gradient in the control colours, 33 pixels wide, every row numbered.
TEST(RulerCreation, Defaults) {
    TRuler r;
    EXPECT_EQ(r.width(), 33);
    EXPECT_EQ(r.height(), 480);
    EXPECT_EQ(r.SurfaceType(), TSurfaceType::stGradient);
    EXPECT_EQ(r.Color(), 0xFF000010u);
    EXPECT_EQ(r.GradientColor(), clBtnFace);
    EXPECT_TRUE(r.ShowLineNumbers());
    EXPECT_EQ(r.LineNumberEvery(), 1);
    EXPECT_FALSE(r.UseEditorFont());
    EXPECT_TRUE(r.Font().bold());
    EXPECT_EQ(r.Font().pointSize(), 10);
    EXPECT_TRUE(r.Labels().empty()) << "no editor, no numbers";
}

struct TClickCase {
    int top;
    int row;
    Qt::MouseButton button;
    int selectedLine; // -1: the selection stays as it was
};

// A left click selects the line of its row; below the text or with another button nothing.
TEST_F(RulerTest, ClickSelectsTheLineOfItsRow) {
    const TClickCase cases[] = {
        {0, 0, Qt::LeftButton, 0},   {0, 4, Qt::LeftButton, 4},   {3, 2, Qt::LeftButton, 5},
        {93, 6, Qt::LeftButton, 99}, {93, 7, Qt::LeftButton, -1}, {3, 2, Qt::MiddleButton, -1},
    };
    for (const TClickCase& c : cases) {
        editor.Caret.SetPosAndNotify(QPoint(1, 1));
        editor.SelEnd.SetPos(QPoint(1, 1));
        editor.ScrollPos.SetY(c.top);
        const int y = c.row * editor.LineHeight() + editor.LineHeight() - 1;
        QTest::mouseClick(ruler.get(), c.button, {}, QPoint(4, y));
        if (c.selectedLine < 0) {
            EXPECT_EQ(editor.Caret.GetPos(), QPoint(1, 1)) << c.top << "/" << c.row;
            EXPECT_EQ(editor.SelEnd.GetPos(), QPoint(1, 1)) << c.top << "/" << c.row;
        } else {
            const int length = editor.Lines.Length(c.selectedLine);
            EXPECT_EQ(editor.Caret.GetPos(), QPoint(0, c.selectedLine)) << c.top << "/" << c.row;
            EXPECT_EQ(editor.SelEnd.GetPos(), QPoint(length, c.selectedLine))
                << c.top << "/" << c.row;
        }
    }
}

// The menu's items in order with their hints; choosing colours appears once a colour dialog
// can answer.
TEST_F(RulerTest, MenuItems) {
    QStringList expected = {"Visa radnummer|Visar eller döljer radnummer.", "-"};
    for (int n = 1; n <= 10; ++n)
        expected << TRuler::EveryCaption(n) + "|Anger avståndet mellan radnumren.";
    const QString scheme = "|Sätter linjalens bakgrundsfärger till standardvärdena.";
    expected << "-"
             << "Gradient bakgrund|Anger huruvida linjalens bakgrund ska vara en färggradient."
             << "Standardfärgschema: Standard (titelfärger)" + scheme
             << "Standardfärgschema: Standard (kontrollfärg)" + scheme
             << "Standardfärgschema: Standard (Zaziriziva svart)" + scheme;
    ruler->RefreshMenu();
    EXPECT_EQ(MenuLines(), expected);
    for (QAction* a : ruler->PopupMenu()->actions()) {
        if (!a->isSeparator()) {
            EXPECT_EQ(a->property("Hint").toString(), "|" + a->statusTip());
        }
    }

    TRuler::ColorQuery = [](const QString&, const QString&, TColor) {
        return std::optional<TColor>();
    };
    ruler->RefreshMenu();
    expected.insert(14, "Ange bakgrundsfärger...|Anger linjalens bakgrundsfärger.");
    EXPECT_EQ(MenuLines(), expected);
}

// Each item sets what it names, and the check marks follow the ruler's state.
TEST_F(RulerTest, MenuItemsToggleAndCheck) {
    TRuler::ColorQuery = [](const QString&, const QString&, TColor) {
        return std::optional<TColor>();
    };
    const QString every1 = TRuler::EveryCaption(1);
    const QString control = "Standardfärgschema: Standard (kontrollfärg)";
    EXPECT_EQ(Checked(), (QStringList{"Visa radnummer", every1, "Gradient bakgrund", control}));

    Item("Visa radnummer")->trigger();
    EXPECT_FALSE(ruler->ShowLineNumbers());
    Item(TRuler::EveryCaption(7))->trigger();
    EXPECT_EQ(ruler->LineNumberEvery(), 7);
    EXPECT_EQ(Checked(), (QStringList{TRuler::EveryCaption(7), "Gradient bakgrund", control}));
    Item("Visa radnummer")->trigger();
    EXPECT_TRUE(ruler->ShowLineNumbers());

    struct TScheme {
        QString caption;
        TColor color, gradient;
    };
    const TScheme schemes[] = {
        {"Standardfärgschema: Standard (titelfärger)", 0xFF000002, 0xFF00001B},
        {"Standardfärgschema: Standard (Zaziriziva svart)", 0x444444, clBlack},
        {control, 0xFF000010, clBtnFace},
    };
    for (const TScheme& s : schemes) {
        Item(s.caption)->trigger();
        EXPECT_EQ(ruler->Color(), s.color) << s.caption.toStdString();
        EXPECT_EQ(ruler->GradientColor(), s.gradient) << s.caption.toStdString();
        EXPECT_EQ(Checked(), (QStringList{"Visa radnummer", TRuler::EveryCaption(7),
                                          "Gradient bakgrund", s.caption}));
    }
    EXPECT_EQ(ruler->NumberColor(), Contrast(clBtnFace));

    // A colour of one's own: no scheme matches, the colour item is checked.
    ruler->SetColor(RGBColor(1, 2, 3));
    EXPECT_EQ(Checked(), (QStringList{"Visa radnummer", TRuler::EveryCaption(7),
                                      "Gradient bakgrund", "Ange bakgrundsfärger..."}));
    // The same colours given as plain RGB still match their scheme.
    ruler->SetColor(ColorToRGB(clBtnShadow));
    ruler->SetGradientColor(ColorToRGB(clBtnFace));
    EXPECT_TRUE(Checked().contains(control));
}

struct TColorAnswers {
    std::optional<TColor> background, gradient;
};

// Both colours are asked in turn, starting from the current ones; each answer stands alone.
TEST_F(RulerTest, ChoosingColours) {
    const TColorAnswers cases[] = {
        {RGBColor(1, 2, 3), RGBColor(4, 5, 6)},
        {std::nullopt, RGBColor(4, 5, 6)},
        {RGBColor(1, 2, 3), std::nullopt},
        {std::nullopt, std::nullopt},
    };
    for (const TColorAnswers& c : cases) {
        ruler->SetColor(0x444444);
        ruler->SetGradientColor(clBtnFace);
        QStringList asked;
        std::vector<std::optional<TColor>> answers = {c.background, c.gradient};
        TRuler::ColorQuery = [&](const QString& title, const QString& button, TColor start) {
            asked << title + "|" + button + "|" + QString::number(start, 16);
            const std::optional<TColor> a = answers.front();
            answers.erase(answers.begin());
            return a;
        };
        ruler->RefreshMenu();
        Item("Ange bakgrundsfärger...")->trigger();
        EXPECT_EQ(asked, (QStringList{"Ange bakgrundsfärg|Ange|444444",
                                      "Ange gradient bakgrundsfärg|Ange|" +
                                          QString::number(ColorToRGB(clBtnFace), 16)}));
        EXPECT_EQ(ruler->Color(), c.background.value_or(0x444444));
        EXPECT_EQ(ruler->GradientColor(), c.gradient.value_or(clBtnFace));
    }
}

TEST_F(RulerTest, AssignCopiesLookAndNumbering) {
    TRuler other;
    QFont font("DejaVu Sans", 7);
    other.SetFont(font);
    other.SetColor(clBlack);
    other.SetGradientColor(0x444444);
    other.SetSurfaceType(TSurfaceType::stSolid);
    other.SetUseEditorFont(true);
    other.SetShowLineNumbers(false);
    other.SetLineNumberEvery(4);
    ruler->Assign(other);
    EXPECT_EQ(ruler->Color(), clBlack);
    EXPECT_EQ(ruler->GradientColor(), 0x444444u);
    EXPECT_EQ(ruler->SurfaceType(), TSurfaceType::stSolid);
    EXPECT_TRUE(ruler->UseEditorFont());
    EXPECT_EQ(ruler->Font(), font);
    EXPECT_FALSE(ruler->ShowLineNumbers());
    EXPECT_EQ(ruler->LineNumberEvery(), 4);
    EXPECT_EQ(ruler->NumberColor(), clWhite);
    EXPECT_EQ(ruler->TextEditorEx(), &editor) << "the editor is not copied";
}

// Either side may go first without leaving the other a dangling link.
TEST_F(RulerTest, EditorAndRulerOutliveEachOther) {
    ruler.reset();
    EXPECT_EQ(editor.Ruler(), nullptr);
    editor.ScrollBy(0, 3); // would repaint a ruler that is gone

    TRuler survivor;
    {
        TTextEditorEx gone;
        survivor.SetTextEditorEx(&gone);
        gone.SetRuler(&survivor);
    }
    EXPECT_EQ(survivor.TextEditorEx(), nullptr);
    survivor.RepaintNumbers();
    EXPECT_TRUE(survivor.Labels().empty());
    QTest::mouseClick(&survivor, Qt::LeftButton, {}, QPoint(3, 3));
}

} // namespace
