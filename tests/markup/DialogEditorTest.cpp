#include "markup/DialogEditor.h"
#include "MarkupFixture.h"
#include "editor/view/Ruler.h"

#include <QDialog>
#include <QTest>

namespace {

TEST_F(MarkupTest, DialogEditorsFlipTheMainTogglesAndFollowTheMainEditor) {
    TDialogEditor dialog(*win, TDialogEditor::TColouring::HTML);
    TTextEditorEx& main = *win->CodeEditor;
    TTextEditorEx& editor = *dialog.Editor;
    main.Settings()->AutoEncode = true;
    main.Settings()->AutoIndent = true;
    main.Settings()->ReadOnly = true;
    main.EditorFont.setPointSize(17);
    const Qt::KeyboardModifiers three = Qt::ControlModifier | Qt::AltModifier | Qt::ShiftModifier;
    // 1 and 2 (or their shifted symbols) flip the main window's switches and show it.
    QTest::keyClick(&editor, Qt::Key_1, three);
    EXPECT_FALSE(main.Settings()->AutoEncode);
    EXPECT_EQ(win->StatusPanel(6), QStringLiteral("Automatisk teckenkodning inaktiverad"));
    QTest::keyClick(&editor, Qt::Key_At, three);
    EXPECT_FALSE(main.Settings()->AutoIndent);
    EXPECT_EQ(win->StatusPanel(6), QStringLiteral("Automatisk indentering inaktiverad"));
    // Every key with the three takes the main editor's look and switches again; the dialog's
    // own text stays writable.
    EXPECT_EQ(editor.EditorFont.pointSize(), 17);
    EXPECT_FALSE(editor.Settings()->AutoIndent);
    EXPECT_FALSE(editor.Settings()->ReadOnly);
    QTest::keyClick(&editor, Qt::Key_1, three);
    EXPECT_TRUE(main.Settings()->AutoEncode);
    EXPECT_TRUE(editor.Settings()->AutoEncode);
    EXPECT_EQ(win->StatusPanel(6), QStringLiteral("Automatisk teckenkodning aktiverad"));
}

} // namespace

namespace {

TEST_F(MarkupTest, EscapeInADialogEditorClosesItsDialog) {
    QDialog dialog(win.get());
    auto* editor = new TDialogEditor(*win, TDialogEditor::TColouring::JavaScript, &dialog);
    dialog.show();
    dialog.setResult(-1);
    QTest::keyClick(editor->Editor, Qt::Key_A);
    EXPECT_EQ(dialog.result(), -1);
    QTest::keyClick(editor->Editor, Qt::Key_Escape);
    EXPECT_EQ(dialog.result(), int(QDialog::Rejected));
    EXPECT_FALSE(dialog.isVisible());
}

} // namespace
