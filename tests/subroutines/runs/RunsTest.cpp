#include "SubroutineFixture.h"

#include "app/dialogs/ExceptionMessageBox.h"
#include "platform/SilentAbort.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace {

using SubroutineRuns = SubroutineTest;

TEST_F(SubroutineRuns, RepeatHeader) {
    const QString headerError =
        QStringLiteral("M:Fel i subrutin på rad 1: Ogiltigt begränsat heltalsvärde (0..2999) eller "
                       "oändlighetskonstant.");
    const struct {
        const char* header;
        TRunEnd end;
        int passes;
        QStringList messages;
    } cases[] = {
        {"", TRunEnd::Completed, 1, {}},
        {"repeat 3\r\n", TRunEnd::Completed, 3, {}},
        {"repeat  4\r\n", TRunEnd::Completed, 4, {}},
        {"repeat 2999\r\n", TRunEnd::Completed, 2999, {}},
        {"repeat 0\r\n", TRunEnd::Completed, 0, {}},
        {"repeat -3\r\n", TRunEnd::Completed, 0, {}},
        {"repeat 3000\r\n", TRunEnd::HeaderFailed, 0, {headerError}},
        {"repeat x\r\n", TRunEnd::HeaderFailed, 0, {headerError}},
        {"repeat 3 \r\n", TRunEnd::HeaderFailed, 0, {headerError}},
        {"repeat\r\n", TRunEnd::HeaderFailed, 0, {headerError}},
        // Not a header: one pass, and that line is an unknown statement.
        {"Repeat 5\r\n", TRunEnd::Failed, 0, {Rad(1, "Okänt kommando.")}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.header);
        seen.clear();
        SetDoc("");
        EXPECT_EQ(RunWindow(QByteArray(c.header) + "write x"), c.end);
        EXPECT_EQ(Doc(), QByteArray(c.passes, 'x'));
        EXPECT_EQ(seen, c.messages);
    }
}

TEST_F(SubroutineRuns, PassCounterAndEndlessRunWithBreak) {
    SetDoc("");
    EXPECT_EQ(RunWindow("repeat 5\r\nwrite [C],"), TRunEnd::Completed);
    EXPECT_EQ(Doc(), "1,2,3,4,5,");

    // "break" ends an endless run, inside a condition as well; nothing after it runs.
    SetDoc("");
    EXPECT_EQ(RunWindow("repeat infinitive\r\nwrite x\r\nunless {IsZero({Occurrences(x-x-x-x)})}:"
                        "break\r\nwrite -"),
              TRunEnd::Stopped);
    EXPECT_EQ(Doc(), "x-x-x-x");
    EXPECT_TRUE(seen.isEmpty());
}

// The line count is read before every line: a statement that changes the subroutine's own
// lines (here the prompt's answer is pasted in) is followed.
TEST_F(SubroutineRuns, LinesAddedDuringTheRunAreRun) {
    SetDoc("");
    Dialogs::ScopedModalHandler prompt([this](QDialog*) {
        Window().CurrentSubroutine->AppendLine("write tillagd");
        return int(Dialogs::mrCancel);
    });
    EXPECT_EQ(RunWindow("write {Input(Fråga)}start"), TRunEnd::Completed);
    EXPECT_EQ(Doc(), "starttillagd");
}

TEST_F(SubroutineRuns, AnErrorSelectsItsLineInTheWindow) {
    Window().show();
    SetDoc("");
    EXPECT_EQ(RunWindow("write a\r\nset status Arbetar\r\nnormalize status after 5000\r\n"
                        "felaktig rad\r\nwrite b"),
              TRunEnd::Failed);
    EXPECT_EQ(seen, QStringList{Rad(4, "Okänt kommando.")});
    EXPECT_EQ(Doc(), "a");
    TTextEditorEx& sub = *Window().CurrentSubroutine;
    EXPECT_EQ(sub.GetSelText(), "felaktig rad");
    EXPECT_TRUE(Window().isVisible());
    EXPECT_EQ(Status(), QString()) << "an error clears the status also when it was to be kept";
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(SubroutineRuns, WindowIsHiddenDuringTheRunAndShownAfter) {
    Window().show();
    bool visibleDuring = true;
    QString statusDuring;
    Dialogs::ScopedModalHandler box([&](QDialog*) {
        visibleDuring = Window().isVisible();
        statusDuring = Status();
        EXPECT_NE(QApplication::overrideCursor(), nullptr);
        return int(Dialogs::mrOk);
    });
    EXPECT_EQ(RunWindow("message mitt i"), TRunEnd::Completed);
    EXPECT_FALSE(visibleDuring);
    EXPECT_EQ(statusDuring, "Exekverar subrutin...");
    EXPECT_TRUE(Window().isVisible());
    EXPECT_EQ(Status(), QString());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(SubroutineRuns, BreakInAWindowRun) {
    Window().show();
    SetDoc("");
    EXPECT_EQ(RunWindow("write a\r\nbreak\r\nwrite b"), TRunEnd::Stopped);
    EXPECT_EQ(Doc(), "a");
    EXPECT_TRUE(Window().isVisible());
    EXPECT_TRUE(seen.isEmpty());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

// Esc between two statements stops even an endless run; the other keys pressed meanwhile
// are dropped, not typed.
TEST_F(SubroutineRuns, EscStopsAnEndlessRun) {
    SetDoc("");
    win->CodeEditor->setFocus();
    QCoreApplication::postEvent(win->CodeEditor,
                                new QKeyEvent(QEvent::KeyPress, Qt::Key_Q, Qt::NoModifier, "q"));
    QCoreApplication::postEvent(win->CodeEditor,
                                new QKeyEvent(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier));
    EXPECT_EQ(RunWindow("repeat infinitive\r\nset caretpos 0"), TRunEnd::Escaped);
    EXPECT_EQ(seen, QStringList{"M:Subrutinen avbröts."});
    EXPECT_EQ(Doc(), QByteArray());
    EXPECT_TRUE(Window().isVisible());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);

    // A long wait is cut short as well.
    seen.clear();
    QCoreApplication::postEvent(win->CodeEditor,
                                new QKeyEvent(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier));
    EXPECT_EQ(RunWindow("wait 1000000\r\nwrite nej"), TRunEnd::Escaped);
    EXPECT_EQ(sleeps.size(), 1u);
    EXPECT_EQ(Doc(), QByteArray());
}

// Whatever ends a run, its end steps are carried out; a thrown exception still reaches the
// exception box.
TEST_F(SubroutineRuns, EndStepsAfterACommandThatThrowsOrAborts) {
    QStringList boxes;
    Dialogs::ScopedModalHandler exceptionBox([&](QDialog* d) {
        if (auto* e = qobject_cast<TExceptionMessageBox*>(d)) {
            boxes << e->exceptionclassname->text() + QLatin1Char('|') + e->exceptionmessage->text();
            EXPECT_TRUE(Window().isVisible()) << "the end steps come first";
            EXPECT_EQ(QApplication::overrideCursor(), nullptr);
            return int(Dialogs::mrOk);
        }
        ADD_FAILURE() << "unexpected dialog";
        return int(Dialogs::mrCancel);
    });
    win->Commands().Add(QStringLiteral("IInsertDate"), QStringLiteral("x"), {}, [] {
        throw EKelvoraError(QStringLiteral("EFelTest"), QStringLiteral("gick sönder"));
    });
    win->Commands().Add(QStringLiteral("IInsertAlpha"), QStringLiteral("x"), {}, [] { Abort(); });
    Window().show();
    const struct {
        const char* subroutine;
        TRunEnd end;
        const char* box;
    } cases[] = {
        {"insert date\r\nwrite nej", TRunEnd::Thrown, "EFelTest|gick sönder"},
        {"debug.RaiseException\r\nwrite nej", TRunEnd::Thrown,
         "ETestException|Test exception, raised manually by user."},
        {"insert char\r\nwrite nej", TRunEnd::Aborted, nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.subroutine);
        boxes.clear();
        SetDoc("");
        Window().CurrentSubroutine->SetText(c.subroutine);
        TRunEnd end = TRunEnd::NotStarted;
        // As the button does: the exception reaches its boundary after the end steps.
        RunCommand([&] {
            end = TRunEnd::Thrown;
            end = Runner().RunFromWindow();
        });
        EXPECT_EQ(end, c.end);
        EXPECT_EQ(boxes, c.box ? QStringList{QString::fromUtf8(c.box)} : QStringList());
        EXPECT_EQ(Doc(), QByteArray());
        EXPECT_TRUE(Window().isVisible());
        EXPECT_EQ(Status(), QString());
        EXPECT_EQ(QApplication::overrideCursor(), nullptr);
        EXPECT_FALSE(Runner().Running());
    }
}

// "exit" asks the window to close once the run is over, never inside it.
TEST_F(SubroutineRuns, ExitClosesTheWindowAfterTheRun) {
    win->show();
    win->Settings.EventOnProgend = Make("slut.sub", "beep");
    SetDoc("");
    EXPECT_EQ(RunWindow("write a\r\nexit\r\nwrite b"), TRunEnd::Stopped);
    EXPECT_TRUE(win->isVisible()) << "not inside the run";
    answers = {Dialogs::mrNo}; // the unsaved document
    EXPECT_TRUE(QTest::qWaitFor([this] { return !win->isVisible(); }, 30000));
    EXPECT_EQ(outside, QStringList{"beep"}) << "the end event ran once, after the run";
}

TEST_F(SubroutineRuns, TerminateAndRestartBackUpAndEndWithoutClosing) {
    const struct {
        const char* statement;
        QStringList outside;
    } cases[] = {
        {"terminate application", {"terminate"}},
        {"restart application", {"start /opt/kelvora/kelvora", "terminate"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.statement);
        outside.clear();
        win->Terminated = false;
        SetDoc("ändrad");
        EXPECT_EQ(RunWindow(QByteArray(c.statement) + "\r\nwrite nej"), TRunEnd::Stopped);
        EXPECT_EQ(outside, c.outside);
        EXPECT_TRUE(win->Terminated);
        EXPECT_FALSE(Doc().contains("nej"));
        EXPECT_FALSE(QDir(win->Backups.Folder()).entryList(QDir::Files).isEmpty());
    }
    win->Terminated = false;
}

} // namespace
