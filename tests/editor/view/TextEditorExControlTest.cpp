#include "editor/view/TextEditorEx.h"

#include "editor/view/InteractiveListMenu.h"

#include <QApplication>
#include <QFontMetrics>
#include <QKeyEvent>
#include <gtest/gtest.h>
#include <vector>

namespace {

TEST(TextEditorExControl, CreationDefaults) {
    TTextEditorEx e;
    EXPECT_EQ(e.TextXSpace(), 1);
    EXPECT_EQ(e.TextYSpace(), 0);
    EXPECT_EQ(e.BorderStyle(), TBorderStyle::bsSingle);
    EXPECT_EQ(e.FormattingProcessor(), nullptr);
    EXPECT_EQ(e.Ruler(), nullptr);
    EXPECT_NE(e.ListMenu(), nullptr);
    EXPECT_FALSE(e.ListMenu()->isVisible());
    ASSERT_NE(e.ScrollTimer(), nullptr);
    EXPECT_FALSE(e.ScrollTimer()->isActive());
    EXPECT_EQ(e.ScrollTimer()->interval(), 1000);
    EXPECT_EQ(e.EditorFont.family(), QStringLiteral("Courier New"));
    EXPECT_EQ(e.EditorFont.pointSize(), 12);
    EXPECT_EQ(e.Color(), clWindow);
    EXPECT_FALSE(e.Creating);
    EXPECT_EQ(e.Lines.Count(), 1);
    EXPECT_EQ(e.GetCaretPos(), QPoint(0, 0));

    const TTextEditorExSettings& s = *e.Settings();
    EXPECT_EQ(s.TextEditorEx, &e);
    EXPECT_EQ(s.BkColor(), clWindow);
    EXPECT_EQ(s.TabLength(), 4);
    EXPECT_TRUE(s.AutoIndent);
    EXPECT_TRUE(s.AutoEncode);
    EXPECT_TRUE(s.AutoCloseQts);
    EXPECT_EQ(s.HighlightColor, clHighlight);
    EXPECT_EQ(s.HighlightTextColor, clHighlightText);
    EXPECT_FALSE(s.ShowHiddenChars);
    EXPECT_EQ(s.HiddenCharsColor, clBlack);
    EXPECT_TRUE(s.InteractiveFormatting);
    EXPECT_FALSE(s.OverwriteMode());
    EXPECT_EQ(s.SpeedJump, 150);
    EXPECT_FALSE(s.ReadOnly);
    EXPECT_FALSE(s.ListMenuHelper);
    EXPECT_FALSE(s.ListMenuHelperAutoPopup);
    EXPECT_FALSE(s.HideHelperOnClick);

    const TTextEditorExPrintingSettings& p = e.PrintingSettings;
    EXPECT_EQ(p.MarginTop, 500);
    EXPECT_EQ(p.MarginLeft, 250);
    EXPECT_EQ(p.MarginBottom, 500);
    EXPECT_EQ(p.MarginRight, 250);
    EXPECT_EQ(p.HeaderMarginTop, 250);
    EXPECT_EQ(p.FooterMarginBottom, 250);
    EXPECT_FALSE(p.ShowHiddenChars);
    EXPECT_TRUE(p.InteractiveFormatting);
    EXPECT_TRUE(p.Header.isEmpty() && p.Footer.isEmpty());
}

// A missing family, with or without a hint, is drawn in a fixed-pitch face; the name stays.
TEST(TextEditorExControl, MissingFamilyFallsBackToFixedPitch) {
    const struct {
        const char* family;
        QFont::StyleHint hint;
    } cases[] = {
        {"Kelvora Saknad Familj", QFont::AnyStyle},
        {"Kelvora Saknad Familj", QFont::SansSerif},
        {"Courier New", QFont::AnyStyle},
        {"Courier New", QFont::TypeWriter},
    };
    for (const auto& c : cases) {
        TTextEditorEx e;
        e.EditorFont = QFont(QString::fromLatin1(c.family), 14);
        e.EditorFont.setStyleHint(c.hint);
        e.EditorFont.setBold(true);
        e.UpdateFont();
        const QFontMetrics fm(e.DrawingFont());
        const int cell = fm.horizontalAdvance(QLatin1Char('M'));
        for (const char ch : {'i', 'W', '.'})
            EXPECT_EQ(fm.horizontalAdvance(QLatin1Char(ch)), cell) << c.family << " " << ch;
        EXPECT_EQ(e.CharWidth(), cell + e.TextXSpace()) << c.family;
        EXPECT_EQ(e.DrawingFont().pointSize(), 14);
        EXPECT_TRUE(e.DrawingFont().bold());
        EXPECT_EQ(e.EditorFont.family(), QString::fromLatin1(c.family));
    }
}

TEST(TextEditorExControl, ObjStopCharsAreTheThirtyFiveCharacters) {
    TTextEditorEx e;
    const QByteArray expected = QByteArray("<([{|}])>") + '"' + '\'' +
                                QByteArray("/\\=+-*/,.:;^~$") + '\x80' + '\xA4' + '@' + '\xA7' +
                                QByteArray("!?%") + '\x89' + QByteArray("#&");
    EXPECT_EQ(expected.size(), 35);
    EXPECT_EQ(e.Settings()->ObjStopChars, expected);
    EXPECT_EQ(TTextEditorExSettings().ObjStopChars, expected);
}

TEST(TextEditorExControl, ZoomStaysWithinFourToHundred) {
    struct Case {
        int size;
        bool in;
        int after;
    };
    const Case cases[] = {
        {98, true, 100}, {99, true, 99}, {100, true, 100}, {12, true, 14},
        {6, false, 4},   {5, false, 5},  {4, false, 4},    {12, false, 10},
    };
    for (const Case& c : cases) {
        TTextEditorEx e;
        e.EditorFont.setPointSize(c.size);
        e.UpdateFont();
        std::vector<int> fired;
        e.OnFontSizeChange = [&](int size) { fired.push_back(size); };
        if (c.in)
            e.ZoomIn();
        else
            e.ZoomOut();
        EXPECT_EQ(e.EditorFont.pointSize(), c.after) << c.size;
        const std::vector<int> expected =
            c.after == c.size ? std::vector<int>{} : std::vector<int>{c.after};
        EXPECT_EQ(fired, expected) << c.size;
    }
}

TEST(TextEditorExControl, AssignCopiesEverySettingButTheOwner) {
    TTextEditorEx a, b;
    TTextEditorExSettings& s = *a.Settings();
    s.SetBkColor(clRed);
    s.ObjStopChars = "<>";
    s.SetTabLength(8);
    s.AutoIndent = s.AutoEncode = s.AutoCloseQts = false;
    s.HighlightColor = clYellow;
    s.HighlightTextColor = clNavy;
    s.ShowHiddenChars = true;
    s.HiddenCharsColor = clGreen;
    s.InteractiveFormatting = false;
    s.SetOverwriteMode(true);
    s.SpeedJump = 20;
    s.ReadOnly = true;
    s.ListMenuHelper = s.ListMenuHelperAutoPopup = s.HideHelperOnClick = true;

    TTextEditorExSettings& t = *b.Settings();
    t.Assign(s);
    EXPECT_EQ(t.TextEditorEx, &b);
    EXPECT_EQ(s.TextEditorEx, &a);
    EXPECT_EQ(b.Color(), clRed);
    EXPECT_EQ(t.BkColor(), clRed);
    EXPECT_EQ(t.ObjStopChars, QByteArray("<>"));
    EXPECT_EQ(t.TabLength(), 8);
    EXPECT_FALSE(t.AutoIndent || t.AutoEncode || t.AutoCloseQts || t.InteractiveFormatting);
    EXPECT_EQ(t.HighlightColor, clYellow);
    EXPECT_EQ(t.HighlightTextColor, clNavy);
    EXPECT_TRUE(t.ShowHiddenChars);
    EXPECT_EQ(t.HiddenCharsColor, clGreen);
    EXPECT_TRUE(t.OverwriteMode());
    EXPECT_EQ(t.SpeedJump, 20);
    EXPECT_TRUE(t.ReadOnly && t.ListMenuHelper && t.ListMenuHelperAutoPopup && t.HideHelperOnClick);
}

TEST(TextEditorExControl, SettingsWithoutAnEditorDoNotCrash) {
    TTextEditorExSettings s;
    s.SetBkColor(clRed);
    s.SetOverwriteMode(true);
    EXPECT_EQ(s.BkColor(), clRed);
    EXPECT_TRUE(s.OverwriteMode());
    TTextEditorExSettings t;
    t.Assign(s);
    EXPECT_EQ(t.BkColor(), clRed);
    EXPECT_EQ(t.TextEditorEx, nullptr);

    // An editor's settings outlive nothing: after the editor is gone they stand alone.
    TTextEditorExSettings copy;
    {
        TTextEditorEx e;
        copy.Assign(*e.Settings());
    }
    copy.SetBkColor(clBlue);
    EXPECT_EQ(copy.BkColor(), clBlue);
}

TEST(TextEditorExControl, BkColorFollowsToTheControl) {
    TTextEditorEx e;
    e.Settings()->SetBkColor(clAqua);
    EXPECT_EQ(e.Color(), clAqua);
}

TEST(TextEditorExControl, OverwriteModeChangesTheCaretAtOnce) {
    QWidget window;
    TTextEditorEx* e = new TTextEditorEx(&window);
    window.resize(400, 300);
    window.show();
    QApplication::setActiveWindow(&window);
    e->setFocus();
    QApplication::processEvents();
    if (!e->hasFocus())
        GTEST_SKIP() << "the platform gives no focus";
    ASSERT_TRUE(e->CaretCreated());
    EXPECT_EQ(e->CaretRect().width(), 2);
    e->Settings()->SetOverwriteMode(true);
    EXPECT_EQ(e->CaretRect().width(), e->CharWidth());
    EXPECT_EQ(e->CaretRect().height(), e->LineHeight());
    e->Settings()->SetOverwriteMode(false);
    EXPECT_EQ(e->CaretRect().width(), 2);
}

TEST(TextEditorExControl, TakesTabEscAndEnterForItself) {
    TTextEditorEx e;
    for (int key : {Qt::Key_Tab, Qt::Key_Backtab, Qt::Key_Escape, Qt::Key_Return, Qt::Key_Enter}) {
        QKeyEvent override(QEvent::ShortcutOverride, key, Qt::NoModifier);
        override.ignore();
        QApplication::sendEvent(&e, &override);
        EXPECT_TRUE(override.isAccepted()) << key;
    }
}

TEST(TextEditorExControl, WindowMessagesReachTheClipboardOperations) {
    TTextEditorEx e;
    e.SetSelText("abc def");
    e.SetSelStart(0);
    e.SetSelLength(3);
    e.WMCut();
    EXPECT_EQ(e.Text(), QByteArray(" def\r\n"));
    e.SetSelStart(4);
    e.WMPaste();
    EXPECT_EQ(e.Text(), QByteArray(" defabc\r\n"));
    e.SetSelStart(0);
    e.SetSelLength(1);
    e.WMClear();
    EXPECT_EQ(e.Text(), QByteArray("defabc\r\n"));
}

// A caller that shortens the lines and calls UpdateView finds the caret, the selection and
// the view back in the text, and typing lands there.
TEST(TextEditorExControl, UpdateViewBringsTheCaretBackIntoTheText) {
    struct Case {
        const char* name;
        QPoint caret, selEnd;
        int keep; // lines left
        QPoint wantCaret, wantSelEnd;
    };
    const Case cases[] = {
        {"both past the end", {3, 80}, {5, 90}, 10, {5, 9}, {5, 9}},
        {"selection end past the end", {1, 2}, {2, 50}, 10, {1, 2}, {5, 9}},
        {"column past a shorter line", {4, 0}, {4, 0}, 1, {4, 0}, {4, 0}},
        {"all lines gone", {2, 40}, {0, 30}, 0, {0, 0}, {0, 0}},
        {"inside the text", {1, 1}, {3, 4}, 10, {1, 1}, {3, 4}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TTextEditorEx e;
        e.resize(300, 200);
        QByteArray text;
        for (int i = 0; i < 100; ++i)
            text += "line" + QByteArray::number(i % 10) + "\r\n";
        e.SetText(text);
        e.Caret.SetPosSilently(c.caret);
        e.SelEnd.SetPosSilently(c.selEnd);
        e.ScrollPos.SetPos(QPoint(2, 95));
        e.Lines.DeleteLines(c.keep, e.Lines.Count() - c.keep);
        if (c.keep == 1)
            e.Lines.Put(0, "abcd");
        e.UpdateView();
        EXPECT_EQ(e.Caret.GetPos(), c.wantCaret);
        EXPECT_EQ(e.SelEnd.GetPos(), c.wantSelEnd);
        EXPECT_LT(e.ScrollPos.Y, e.Lines.Count());
        EXPECT_LE(e.ScrollPos.Y, e.Caret.Y);
        EXPECT_LE(e.ScrollPos.X, e.GetWidestLine());
        e.SetSelLength(0);
        const int y = e.Caret.Y;
        const QByteArray before = e.Lines.Get(y);
        char key = 'Z';
        e.KeyPress(key, Qt::NoModifier);
        EXPECT_EQ(e.Lines.Get(y), before.left(e.Caret.X - 1) + "Z" + before.mid(e.Caret.X - 1));
    }
}

} // namespace
