// The keys go to the editor: after start, after opening or switching a document, and after a
// dialog has closed, whatever had the focus before.
#include "MainWinFixture.h"

#include <functional>

namespace {

class FocusTest : public MainWinTest {
protected:
    // Somewhere else than the editor: the tab strip.
    void FocusElsewhere() {
        win->FilesList->setFocus();
        ASSERT_NE(win->focusWidget(), win->CodeEditor);
    }
    bool EditorHasFocus() const { return win->focusWidget() == win->CodeEditor; }
};

TEST_F(FocusTest, TheEditorTakesTheKeys) {
    const QString a = Make("a.html", "<p>a</p>");
    win->CommandLineArguments = {a};
    win->show();
    EXPECT_TRUE(EditorHasFocus()) << "after start";

    const struct {
        const char* what;
        std::function<void()> step;
    } steps[] = {
        {"opening a document", [&] { Open(Make("b.txt", "b")); }},
        {"switching by a click", [&] { Click("a.html (S)"); }},
        {"switching by the keys", [&] { Run("WNextDoc"); }},
        {"a question answered",
         [&] {
             answers = {Dialogs::mrNo};
             Run("RClearAll");
         }},
        {"the open dialog cancelled",
         [&] {
             fileAnswers = {FileAnswer{}};
             Run("AOpenDoc");
         }},
    };
    for (const auto& s : steps) {
        SCOPED_TRACE(s.what);
        FocusElsewhere();
        s.step();
        EXPECT_TRUE(EditorHasFocus());
    }
}

} // namespace
