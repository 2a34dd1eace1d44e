#include "SubroutineFixture.h"

#include "app/core/Backups.h"
#include "app/core/SettingsStore.h"
#include "app/dialogs/ExceptionMessageBox.h"
#include "controls/TabControlEx.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>

namespace {

using SubroutineEvents_ = SubroutineTest;

const QByteArray kOwnText = "// min egen subrutin\r\nwrite egen";

// The window's own text and buttons, as an event run must leave them.
void ExpectWindowAsBefore(Tcommands& w) {
    EXPECT_EQ(w.CurrentSubroutine->Text(), kOwnText + "\r\n");
    for (QPushButton* b : {w.Button1, w.Button2, w.Button3, w.Button5})
        EXPECT_TRUE(b->isEnabled()) << b->objectName().toStdString();
}

TEST_F(SubroutineEvents_, AnEventRunBorrowsTheWindowAndGivesItBack) {
    Window().CurrentSubroutine->SetText(kOwnText);
    bool buttonsDuring = true;
    QByteArray textDuring;
    Dialogs::ScopedModalHandler box([&](QDialog* d) {
        buttonsDuring = Window().Button5->isEnabled();
        textDuring = Window().CurrentSubroutine->Lines.Get(0);
        if (auto* m = qobject_cast<TMessageBox*>(d))
            seen << QStringLiteral("M:") + m->Text();
        if (qobject_cast<TExceptionMessageBox*>(d))
            seen << QStringLiteral("exception box");
        return int(Dialogs::mrOk);
    });
    const struct {
        const char* name;
        QByteArray file; // "" for a file that does not exist
        TRunEnd end;
        const char* doc;
        QStringList messages;
    } cases[] = {
        {"completes", "write a\r\nmessage klar", TRunEnd::Completed, "a", {"M:klar"}},
        {"break", "write a\r\nmessage b\r\nbreak\r\nwrite b", TRunEnd::Stopped, "a", {"M:b"}},
        {"an error",
         "write a\r\nmessage c\r\nfel",
         TRunEnd::Failed,
         "a",
         {"M:c", Rad(3, "Okänt kommando.")}},
        {"an exception",
         "write a\r\nmessage d\r\ndebug.RaiseException\r\nwrite b",
         TRunEnd::Thrown,
         "a",
         {"M:d", "exception box"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        seen.clear();
        SetDoc("");
        const QString file = Make("event.sub", c.file);
        EXPECT_EQ(Runner().ExecuteEvent(file), c.end);
        EXPECT_EQ(Doc(), c.doc);
        EXPECT_EQ(seen, c.messages);
        EXPECT_FALSE(buttonsDuring);
        EXPECT_EQ(textDuring, c.file.left(7));
        ExpectWindowAsBefore(Window());
        EXPECT_FALSE(Window().isVisible());
        EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    }
}

TEST_F(SubroutineEvents_, AMissingOrUnreadableFileIsReportedOnceAndNothingRuns) {
    Window().CurrentSubroutine->SetText(kOwnText);
    const struct {
        QString file;
        const char* message;
    } cases[] = {
        {File("saknas.sub"), "M:Det gick inte att hitta filen med subrutinen för händelsen."},
        {QStringLiteral("~/event.sub"),
         "M:Det gick inte att hitta filen med subrutinen för händelsen."},
        {dir, "M:Det gick inte att öppna filen med subrutinen för händelsen."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file.toStdString());
        seen.clear();
        SetDoc("");
        EXPECT_EQ(Runner().ExecuteEvent(c.file), TRunEnd::NotStarted);
        EXPECT_EQ(seen, QStringList{QString::fromUtf8(c.message)});
        EXPECT_EQ(Doc(), QByteArray()) << "the window's own text did not run";
        ExpectWindowAsBefore(Window());
    }
}

// No event or hot key starts while a run is active.
TEST_F(SubroutineEvents_, NoEventDuringARun) {
    const QString event = Make("event.sub", "write E");
    win->Settings.ShortCutKey[3] = event;
    TRunEnd inner = TRunEnd::Completed;
    Dialogs::ScopedModalHandler box([&](QDialog*) {
        inner = Runner().ExecuteEvent(event);
        SubroutineEvents::ExecuteStrings(*win, {"write S"});
        QKeyEvent key(QEvent::KeyPress, Qt::Key_3,
                      Qt::ControlModifier | Qt::AltModifier | Qt::KeypadModifier, "3");
        QCoreApplication::sendEvent(win->CodeEditor, &key);
        return int(Dialogs::mrOk);
    });
    SetDoc("");
    EXPECT_EQ(RunWindow("message vänta\r\nwrite W"), TRunEnd::Completed);
    EXPECT_EQ(inner, TRunEnd::NotStarted);
    EXPECT_EQ(Doc(), "W");
}

TEST_F(SubroutineEvents_, HotKeysRunTheirEntries) {
    for (int d = 0; d < 10; ++d)
        win->Settings.ShortCutKey[static_cast<size_t>(d)] =
            Make(QStringLiteral("hot%1.sub").arg(d), "write " + QByteArray::number(d));
    const Qt::KeyboardModifiers hot = Qt::ControlModifier | Qt::AltModifier | Qt::KeypadModifier;
    const auto press = [this](int key, Qt::KeyboardModifiers mods) {
        QKeyEvent e(QEvent::KeyPress, key, mods, QString());
        QCoreApplication::sendEvent(win->CodeEditor, &e);
    };
    SetDoc("");
    for (int d = 0; d < 10; ++d)
        press(Qt::Key_0 + d, hot);
    EXPECT_EQ(Doc(), "0123456789");

    // Shift, the main row's digits and other keys run nothing.
    SetDoc("");
    press(Qt::Key_3, hot | Qt::ShiftModifier);
    press(Qt::Key_3, Qt::ControlModifier | Qt::AltModifier);
    press(Qt::Key_3, Qt::ControlModifier | Qt::KeypadModifier);
    press(Qt::Key_A, hot);
    EXPECT_EQ(Doc(), QByteArray());
    EXPECT_TRUE(seen.isEmpty());

    // An empty entry does nothing; a missing file is reported once per press.
    win->Settings.ShortCutKey[3].clear();
    win->Settings.ShortCutKey[4] = File("borta.sub");
    press(Qt::Key_3, hot);
    press(Qt::Key_4, hot);
    EXPECT_EQ(seen, QStringList{"M:Det gick inte att hitta filen med subrutinen för händelsen."});
}

TEST_F(SubroutineEvents_, HotKeyDigit) {
    using SubroutineEvents::HotKeyDigit;
    const Qt::KeyboardModifiers ca = Qt::ControlModifier | Qt::AltModifier;
    EXPECT_EQ(HotKeyDigit(Qt::Key_7, ca | Qt::KeypadModifier), 7);
    EXPECT_EQ(HotKeyDigit(Qt::Key_0, ca | Qt::KeypadModifier), 0);
    EXPECT_EQ(HotKeyDigit(Qt::Key_7, ca), -1);
    EXPECT_EQ(HotKeyDigit(Qt::Key_7, ca | Qt::KeypadModifier | Qt::ShiftModifier), -1);
    EXPECT_EQ(HotKeyDigit(Qt::Key_7, ca | Qt::KeypadModifier | Qt::MetaModifier), -1);
    EXPECT_EQ(HotKeyDigit(Qt::Key_7, Qt::ControlModifier | Qt::KeypadModifier), -1);
    EXPECT_EQ(HotKeyDigit(Qt::Key_End, ca | Qt::KeypadModifier), -1);
}

// The start event runs after the command-line file and before the backup offer; its edits
// mark the document, and a "break" in it leaves the rest of the start to run.
TEST_F(SubroutineEvents_, StartEvent) {
    win->Settings.EventOnBeforeProgstart =
        Make("start.sub", "write startad\r\nmessage start\r\nbreak\r\nwrite nej");
    win->PreviousRunUnfinished = true;
    win->AutoBackupEnabled = true;
    answers = {Dialogs::mrNo};
    win->show();
    // The box breaks its information into lines (at blanks or after a hyphen).
    ASSERT_EQ(seen.size(), 2);
    EXPECT_EQ(seen[0], "M:start");
    QString offer =
        "Q:" + TBackupService::OfferInformation() + "|" + TBackupService::OfferQuestion();
    EXPECT_EQ(seen[1].remove(' '), offer.remove(' '));
    EXPECT_EQ(Doc(), "startad");
    EXPECT_TRUE(win->Current().Modified);
    EXPECT_TRUE(win->BackupTimer.IsActive());
    EXPECT_FALSE(win->StartingUp);
}

// The end event is the first step of the close: the settings are written after it, also
// when it ends with "break" or an error.
TEST_F(SubroutineEvents_, EndEventRunsBeforeTheSettingsAreWritten) {
    for (const char* tail : {"", "\r\nbreak\r\nwrite nej", "\r\nfel"}) {
        SCOPED_TRACE(tail);
        seen.clear();
        win.reset(); // one instance at a time
        win = std::make_unique<Tmain>();
        win->Settings.EventOnProgend = Make("slut.sub", QByteArray("message slut") + tail);
        win->PreviousRunUnfinished = false;
        win->show();
        QVariant runningDuring;
        Dialogs::ScopedModalHandler box([&](QDialog* d) {
            if (auto* m = qobject_cast<TMessageBox*>(d)) {
                seen << QStringLiteral("M:") + m->Text();
                if (m->Text() == "slut")
                    runningDuring = OpenKelvoraStore()->value(kSettingsGroup + "/Running");
            }
            return int(Dialogs::mrOk);
        });
        win->close();
        EXPECT_EQ(seen.value(0), "M:slut");
        EXPECT_EQ(runningDuring.toInt(), 1) << "not written yet";
        EXPECT_FALSE(OpenKelvoraStore()->contains(kSettingsGroup + "/Running"));
        EXPECT_EQ(win->OpenFilesCount(), 0) << "the close went on";
    }
}

// A new page from the HTML-ground subroutine.
TEST_F(SubroutineEvents_, NewPageFromTheHtmlGroundSubroutine) {
    Window().CurrentSubroutine->SetText(kOwnText);
    win->Action(QStringLiteral("ANewDocTpl"))->trigger();
    EXPECT_EQ(Captions().last(), "Ny webbsida.html (M)");
    EXPECT_EQ(Doc(), "<!DOCTYPE html>\r\n"
                     "<HTML LANG=\"sv\">\r\n"
                     "<HEAD>\r\n"
                     "  <META CHARSET=\"windows-1252\">\r\n"
                     "  <TITLE>Ny webbsida</TITLE>\r\n"
                     "</HEAD>\r\n"
                     "<BODY>\r\n"
                     "\r\n"
                     "</BODY>\r\n"
                     "</HTML>");
    EXPECT_EQ(Editor().GetCaretPos(), QPoint(0, 7));
    ExpectWindowAsBefore(Window());

    // The text the main window holds, in lower case.
    win->TagCase = 2;
    win->HtmlGroundText = [] { return QByteArray("write <{FCC(P)}>\r\nadd line slut"); };
    win->Action(QStringLiteral("ANewDocTpl"))->trigger();
    EXPECT_EQ(Captions().size(), 3);
    EXPECT_EQ(Doc(), "<p>\r\nslut");
    EXPECT_TRUE(seen.isEmpty());
}

} // namespace
