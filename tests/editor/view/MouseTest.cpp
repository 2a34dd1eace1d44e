// The mouse on the editor's viewport: clicks, selecting, dragging text.
#include "KeysFixture.h"

#include <QFocusEvent>
#include <QMouseEvent>

namespace {

class Mouse : public EditorFixture {
protected:
    QWidget* vp() const { return ed->viewport(); }
    // A pixel in the left half of the cell of a position: it maps back to that position.
    QPoint At(int x, int y) const {
        return ed->PosToPixel(QPoint(x, y)) + QPoint(1, ed->LineHeight() / 2);
    }
    void Press(QPoint pt, Qt::KeyboardModifiers mods = {}, Qt::MouseButton b = Qt::LeftButton) {
        QTest::mousePress(vp(), b, mods, pt);
    }
    void Release(QPoint pt, Qt::KeyboardModifiers mods = {}, Qt::MouseButton b = Qt::LeftButton) {
        QTest::mouseRelease(vp(), b, mods, pt);
    }
    // A move with the button held (QTest does not move real pointers on this platform).
    void Drag(QPoint pt, Qt::KeyboardModifiers mods = {}, Qt::MouseButtons held = Qt::LeftButton) {
        QMouseEvent e(QEvent::MouseMove, pt, vp()->mapToGlobal(pt), Qt::NoButton, held, mods);
        QApplication::sendEvent(vp(), &e);
    }
    void Select(QPoint from, QPoint to) {
        ed->Caret.SetPosAndNotify(from);
        ed->SelEnd.SetPos(to);
    }
};

TEST_F(Mouse, ClickPlacesCaret) {
    Set("abc\nde");
    Press(At(2, 0));
    Release(At(2, 0));
    EXPECT_EQ(CaretPos(), QPoint(2, 0));
    // The right half of a cell goes after its character; right of the end to the end.
    const QPoint right = ed->PosToPixel(QPoint(0, 1)) + QPoint(ed->CharWidth() * 3 / 4, 2);
    Press(right);
    Release(right);
    EXPECT_EQ(CaretPos(), QPoint(1, 1));
    Press(At(30, 1));
    Release(At(30, 1));
    EXPECT_EQ(CaretPos(), QPoint(2, 1));
}

TEST_F(Mouse, DragSelectsAndShiftClickExtends) {
    Set("abcdef\nghijkl");
    Press(At(1, 0));
    Drag(At(4, 1));
    Release(At(4, 1));
    EXPECT_EQ(CaretPos(), QPoint(1, 0));
    EXPECT_EQ(SelEndPos(), QPoint(4, 1));
    EXPECT_FALSE(ed->MouseSelecting);
    Drag(At(5, 1), {}, Qt::NoButton); // hovering selects nothing
    EXPECT_EQ(SelEndPos(), QPoint(4, 1));
    Press(At(5, 1), Qt::ShiftModifier);
    Release(At(5, 1), Qt::ShiftModifier);
    EXPECT_EQ(CaretPos(), QPoint(1, 0));
    EXPECT_EQ(SelEndPos(), QPoint(5, 1));
}

TEST_F(Mouse, ClickCollapsesSelectionAtCaretPlace) {
    Set("abcdef");
    Select(QPoint(5, 0), QPoint(1, 0));
    Press(At(5, 0));
    Release(At(5, 0));
    EXPECT_FALSE(ed->HasSelection());
}

TEST_F(Mouse, CtrlClickSelectsWord) {
    Set("one two three");
    Press(At(5, 0), Qt::ControlModifier);
    Release(At(5, 0), Qt::ControlModifier);
    EXPECT_EQ(ed->GetSelText(), "two");
}

TEST_F(Mouse, DoubleClickSelectsNothing) {
    Set("one two");
    // The platform sends a click, then a second press (and a double-click event).
    QTest::mouseClick(vp(), Qt::LeftButton, {}, At(5, 0));
    Press(At(5, 0));
    Release(At(5, 0));
    EXPECT_FALSE(ed->HasSelection());
    EXPECT_EQ(CaretPos(), QPoint(5, 0));
}

TEST_F(Mouse, RightClickLeavesCaretUnlessReadOnly) {
    Set("abcdef", 1, 0);
    Press(At(4, 0), {}, Qt::RightButton);
    Release(At(4, 0), {}, Qt::RightButton);
    EXPECT_EQ(CaretPos(), QPoint(1, 0));
    ed->Settings()->ReadOnly = true;
    Press(At(4, 0), {}, Qt::RightButton);
    EXPECT_EQ(CaretPos(), QPoint(4, 0));
    Release(At(4, 0), {}, Qt::RightButton);
    // The release ended selecting: a later move selects nothing.
    EXPECT_FALSE(ed->MouseSelecting);
    Drag(At(6, 0), {}, Qt::LeftButton);
    EXPECT_FALSE(ed->HasSelection());
}

TEST_F(Mouse, MouseUpFiresForTheLeftButtonOnly) {
    Set("abc");
    int ups = 0;
    ed->OnMouseUp = [&](QObject*, Qt::MouseButton b, Qt::KeyboardModifiers, int, int) {
        EXPECT_EQ(b, Qt::LeftButton);
        ++ups;
    };
    Press(At(1, 0), {}, Qt::RightButton);
    Release(At(1, 0), {}, Qt::RightButton);
    EXPECT_EQ(ups, 0);
    Press(At(1, 0));
    Release(At(1, 0));
    EXPECT_EQ(ups, 1);
}

struct DropCase {
    const char* name;
    QByteArray text;
    QPoint selFrom, selTo, pressAt, dropAt;
    bool copy;
    QByteArray expected;
    QPoint caret; // the start of the dropped text
};

class Drops : public Mouse, public ::testing::WithParamInterface<DropCase> {};

TEST_P(Drops, DragAndDrop) {
    const DropCase& c = GetParam();
    Set(c.text);
    Select(c.selFrom, c.selTo);
    const Qt::KeyboardModifiers mods = c.copy ? Qt::ControlModifier : Qt::NoModifier;
    Press(At(c.pressAt.x(), c.pressAt.y()), mods);
    ASSERT_TRUE(ed->Dragging);
    // Nothing leaves its place before the drop.
    EXPECT_EQ(Text(), c.text.toStdString());
    Drag(At(c.dropAt.x(), c.dropAt.y()), mods);
    Release(At(c.dropAt.x(), c.dropAt.y()), mods);
    EXPECT_FALSE(ed->Dragging);
    EXPECT_EQ(Text(), c.expected.toStdString());
    EXPECT_EQ(CaretPos(), c.caret);
    EXPECT_FALSE(ed->HasSelection());
}

const DropCase kDropCases[] = {
    {"MoveForward", "abc def", {0, 0}, {3, 0}, {1, 0}, {7, 0}, false, " defabc", {4, 0}},
    {"MoveBackward", "abc def", {4, 0}, {7, 0}, {5, 0}, {0, 0}, false, "defabc ", {0, 0}},
    {"MoveOverLines", "ab\ncd\nef", {1, 0}, {1, 1}, {1, 0}, {2, 2}, false, "ad\nefb\nc", {2, 1}},
    {"MoveIntoItselfChangesNothing",
     "abc def",
     {0, 0},
     {3, 0},
     {1, 0},
     {2, 0},
     false,
     "abc def",
     {2, 0}},
    {"ReleaseInPlace", "abc def", {0, 0}, {3, 0}, {1, 0}, {1, 0}, false, "abc def", {1, 0}},
    {"CopyKeepsOriginal", "abc def", {0, 0}, {3, 0}, {1, 0}, {7, 0}, true, "abc defabc", {7, 0}},
    {"CopyIntoItself", "abc", {0, 0}, {2, 0}, {1, 0}, {1, 0}, true, "aabbc", {1, 0}},
};

INSTANTIATE_TEST_SUITE_P(Mouse, Drops, ::testing::ValuesIn(kDropCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(Mouse, EscDuringDragLeavesTextAndSelection) {
    Set("abc def");
    Select(QPoint(0, 0), QPoint(3, 0));
    Press(At(1, 0));
    Drag(At(6, 0));
    Keys("<Esc>");
    EXPECT_FALSE(ed->Dragging);
    Release(At(6, 0));
    EXPECT_EQ(Text(), "abc def");
    EXPECT_EQ(ed->GetSelText(), "abc");
}

TEST_F(Mouse, LostFocusOrGrabCancelsDrag) {
    Set("abc def");
    Select(QPoint(0, 0), QPoint(3, 0));
    Press(At(1, 0));
    QFocusEvent out(QEvent::FocusOut, Qt::PopupFocusReason);
    QApplication::sendEvent(ed.get(), &out);
    EXPECT_FALSE(ed->Dragging);
    Release(At(7, 0));
    EXPECT_EQ(Text(), "abc def");

    Press(At(1, 0));
    ASSERT_TRUE(ed->Dragging);
    Drag(At(7, 0), {}, Qt::NoButton); // the release never came
    EXPECT_FALSE(ed->Dragging);
    EXPECT_EQ(Text(), "abc def");
}

TEST_F(Mouse, TextChangedDuringDragDropsNothing) {
    Set("abc def");
    Select(QPoint(0, 0), QPoint(3, 0));
    Press(At(1, 0));
    Drag(At(7, 0));
    Keys("x");
    Release(At(7, 0));
    EXPECT_EQ(Text(), "abc defx");
}

TEST_F(Mouse, ReadOnlyDoesNotDrag) {
    Set("abc def");
    Select(QPoint(0, 0), QPoint(3, 0));
    ed->Settings()->ReadOnly = true;
    Press(At(1, 0));
    EXPECT_FALSE(ed->Dragging);
    Drag(At(5, 0));
    Release(At(5, 0));
    EXPECT_EQ(Text(), "abc def");
    EXPECT_EQ(CaretPos(), QPoint(1, 0));
    EXPECT_EQ(SelEndPos(), QPoint(5, 0));
}

TEST_F(Mouse, HoverCursorShowsMoveOrCopy) {
    Set("abc def");
    Select(QPoint(0, 0), QPoint(3, 0));
    const QPoint over = At(1, 0) + QPoint(ed->CharWidth() / 2, 0);
    Drag(over, {}, Qt::NoButton);
    EXPECT_EQ(vp()->cursor().shape(), Qt::DragMoveCursor);
    Drag(over, Qt::ControlModifier, Qt::NoButton);
    EXPECT_EQ(vp()->cursor().shape(), Qt::DragCopyCursor);
    Drag(At(6, 0), {}, Qt::NoButton);
    EXPECT_EQ(vp()->cursor().shape(), Qt::IBeamCursor);
}

} // namespace
