#include "app/dialogs/Boxes.h"
#include "app/dialogs/ExceptionMessageBox.h"
#include "app/dialogs/MessageBox.h"
#include "app/dialogs/QuestionBox.h"
#include "platform/Dialogs.h"
#include "platform/SilentAbort.h"

#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <functional>
#include <gtest/gtest.h>
#include <vector>

namespace {

// How a scripted user leaves a box.
using WayOut = std::function<void(QDialog*)>;

WayOut Click(const char* button) {
    return [button](QDialog* d) {
        auto* b = d->findChild<QPushButton*>(QLatin1String(button));
        ASSERT_NE(b, nullptr) << button;
        b->click();
    };
}

WayOut Key(Qt::Key key, const char* target = nullptr,
           Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    return [key, target, modifiers](QDialog* d) {
        QWidget* w = target ? d->findChild<QWidget*>(QLatin1String(target)) : d;
        ASSERT_NE(w, nullptr);
        QTest::keyClick(w, key, modifiers);
    };
}

// A way out that must not close the box: afterwards the box is still up, unanswered, and is
// then left as an unanswered box is.
WayOut Unanswered(WayOut out) {
    return [out](QDialog* d) {
        out(d);
        EXPECT_TRUE(d->isVisible());
        EXPECT_EQ(d->result(), 0);
    };
}

void CloseWindow(QDialog* d) {
    d->close();
}

// Answers every box with one way out and keeps what the boxes showed.
struct Script {
    explicit Script(WayOut out)
        : guard([this, out](QDialog* d) {
              seen.push_back(d->metaObject()->className());
              if (before)
                  before(d);
              out(d);
              return d->result();
          }) {}
    std::vector<QString> seen;
    std::function<void(QDialog*)> before;
    Dialogs::ScopedModalHandler guard;
};

QString LabelText(QDialog* d, const char* name) {
    auto* l = d->findChild<QLabel*>(QLatin1String(name));
    return l ? l->text() : QStringLiteral("<none>");
}

TEST(MessageBox, ResultForEachWayOut) {
    const struct {
        const char* name;
        WayOut out;
        bool result;
    } cases[] = {
        {"OK", Click("Button1"), true},
        {"Enter", Key(Qt::Key_Return, "Button1"), true},
        {"Esc", Key(Qt::Key_Escape), true},
        {"close", CloseWindow, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Script script(c.out);
        QString shown;
        script.before = [&](QDialog* d) { shown = LabelText(d, "info"); };
        TBoxes boxes;
        EXPECT_EQ(boxes.kvMessageBox(QStringLiteral("Filen <b>a.htm</b> har sparats.")), c.result);
        ASSERT_EQ(script.seen.size(), 1u);
        EXPECT_EQ(shown, QStringLiteral("Filen <b>a.htm</b> har sparats."));
    }
}

TEST(MessageBox, TextDecidesWidthAndButtonStaysCentred) {
    Dialogs::ClearLastSystemSound();
    int shortWidth = 0, longWidth = 0;
    for (const QString& text :
         {QStringLiteral("Kort."), QStringLiteral("Ett betydligt längre meddelande som gör rutan "
                                                  "bredare än den ursprungliga bredden.")}) {
        Script script([&](QDialog* d) {
            auto* box = static_cast<TMessageBox*>(d);
            const int width = box->width();
            EXPECT_EQ(width, 58 + box->info->width() + 30);
            EXPECT_EQ(box->info->text(), text) << "a text that fits is not broken";
            EXPECT_NEAR(box->Button1->geometry().center().x(), width / 2, 1);
            EXPECT_TRUE(box->Button1->isDefault());
            (shortWidth ? longWidth : shortWidth) = width;
            box->Button1->click();
        });
        TBoxes().kvMessageBox(text);
    }
    EXPECT_GT(longWidth, shortWidth);
    EXPECT_GT(longWidth, 251);
    EXPECT_EQ(Dialogs::LastSystemSound(), QStringLiteral("SystemExclamation"));
}

TEST(MessageBox, TextWiderThanTheScreenWraps) {
    const QString words = QStringLiteral("ord ").repeated(400).trimmed();
    const QString path = QStringLiteral("/mapp").repeated(300);
    for (const QString& text : {words, path}) {
        Script script([&](QDialog* d) {
            auto* box = static_cast<TMessageBox*>(d);
            const int maxWidth = Dialogs::MaxClientWidth(box);
            EXPECT_LE(box->width(), maxWidth);
            EXPECT_GT(box->width(), maxWidth / 2);
            const QString shown = box->info->text();
            EXPECT_TRUE(shown.contains(QLatin1Char('\n')));
            QString joined = shown;
            joined.remove(QLatin1Char('\n'));
            EXPECT_EQ(joined.remove(QLatin1Char(' ')), QString(text).remove(QLatin1Char(' ')));
            for (const QString& line : shown.split(QLatin1Char('\n')))
                EXPECT_LE(box->info->fontMetrics().horizontalAdvance(line), box->info->width());
            EXPECT_GE(box->height(), box->info->height());
            box->Button1->click();
        });
        EXPECT_TRUE(TBoxes().kvMessageBox(text));
    }
}

TEST(QuestionBox, ResultForEachWayOut) {
    const struct {
        const char* name;
        WayOut out;
        int result;
    } cases[] = {
        {"Ja", Click("btnYes"), 6},
        {"Nej", Click("btnNo"), 7},
        {"Avbryt", Click("btnCancel"), 2},
        {"Esc", Key(Qt::Key_Escape), 2},
        {"Enter", Key(Qt::Key_Return, "btnYes"), 6},
        {"close", CloseWindow, 2},
        // The underlined letters, typed on the button that has the focus.
        {"n", Key(Qt::Key_N, "btnYes"), 7},
        {"Shift+J", Key(Qt::Key_J, "btnNo", Qt::ShiftModifier), 6},
        {"Alt+N", Key(Qt::Key_N, "btnYes", Qt::AltModifier), 7},
        // Other letters and Ctrl with a letter answer nothing: the box stays up.
        {"x", Unanswered(Key(Qt::Key_X, "btnYes")), 2},
        {"Ctrl+N", Unanswered(Key(Qt::Key_N, "btnYes", Qt::ControlModifier)), 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Script script(c.out);
        QString info, question;
        script.before = [&](QDialog* d) {
            info = LabelText(d, "info");
            question = LabelText(d, "question");
        };
        TBoxes boxes;
        EXPECT_EQ(boxes.kvQuestionBox(QStringLiteral("Den aktuella subrutinen kommer att raderas."),
                                      QStringLiteral("Vill du fortsätta?")),
                  c.result);
        EXPECT_EQ(info, QStringLiteral("Den aktuella subrutinen kommer att raderas."));
        EXPECT_EQ(question, QStringLiteral("Vill du fortsätta?"));
    }
}

TEST(QuestionBox, WidthFollowsTheWiderTextAndKeepsItsMinimum) {
    const QString wide = QStringLiteral("En informationstext som är mycket bredare än frågan "
                                        "och därför bestämmer bredden.");
    const struct {
        QString info, question;
    } cases[] = {{QStringLiteral("Kort."), QStringLiteral("Ja?")},
                 {wide, QStringLiteral("Ja?")},
                 {QStringLiteral("Kort."), wide}};
    for (const auto& c : cases) {
        Script script([&](QDialog* d) {
            auto* box = static_cast<TQuestionBox*>(d);
            const int wider = qMax(box->info->width(), box->question->width());
            EXPECT_EQ(box->width(), qMax(295, wider + 53 + 55));
            EXPECT_NEAR(box->btnPanel->geometry().center().x(), box->width() / 2, 1);
            EXPECT_TRUE(box->btnYes->isDefault());
            box->btnNo->click();
        });
        EXPECT_EQ(TBoxes().kvQuestionBox(c.info, c.question), 7);
    }
}

TEST(CompatWarning, PrefixesTheTextAndPassesTheResultOn) {
    {
        Script script(Click("Button1"));
        QString shown;
        script.before = [&](QDialog* d) { shown = LabelText(d, "info"); };
        EXPECT_TRUE(TBoxes().CompatWarning(QStringLiteral("Taggen stöds inte.")));
        EXPECT_EQ(shown, QStringLiteral("Kompatibilitetsvarning: Taggen stöds inte."));
    }
    {
        Script script(Click("btnNo"));
        QString info, question;
        script.before = [&](QDialog* d) {
            info = LabelText(d, "info");
            question = LabelText(d, "question");
        };
        EXPECT_EQ(TBoxes().CompatWarningQ(QStringLiteral("Taggen stöds inte."),
                                          QStringLiteral("Vill du fortsätta?")),
                  7);
        EXPECT_EQ(info, QStringLiteral("Kompatibilitetsvarning: Taggen stöds inte."));
        EXPECT_EQ(question, QStringLiteral("Vill du fortsätta?"));
    }
}

// Types a text into the edit before leaving.
WayOut TypeThen(const char* text, WayOut out) {
    return [text, out](QDialog* d) {
        auto* edit = d->findChild<QLineEdit*>(QStringLiteral("A"));
        ASSERT_NE(edit, nullptr);
        if (text) {
            edit->clear();
            QTest::keyClicks(edit, QString::fromUtf8(text));
        }
        out(d);
    };
}

TEST(InputBox, AnswerForEachWayOut) {
    const struct {
        const char* name;
        WayOut out;
        bool result;
        const char* answer;
    } cases[] = {
        {"OK untouched", TypeThen(nullptr, Click("btnOk")), true, "Ny katalog"},
        {"Enter untouched", TypeThen(nullptr, Key(Qt::Key_Return, "A")), true, "Ny katalog"},
        {"OK typed", TypeThen("bilder", Click("btnOk")), true, "bilder"},
        {"Enter typed", TypeThen("bilder", Key(Qt::Key_Return, "A")), true, "bilder"},
        {"Avbryt", TypeThen(nullptr, Click("btnCancel")), false, ""},
        {"Avbryt typed", TypeThen("bilder", Click("btnCancel")), false, ""},
        {"Esc typed", TypeThen("bilder", Key(Qt::Key_Escape, "A")), false, ""},
        {"close typed", TypeThen("bilder", CloseWindow), false, ""},
    };
    for (bool password : {false, true}) {
        for (const auto& c : cases) {
            SCOPED_TRACE(testing::Message() << c.name << (password ? " (password)" : ""));
            Script script(c.out);
            QString prompt, preset;
            QLineEdit::EchoMode mode = QLineEdit::Normal;
            script.before = [&](QDialog* d) {
                prompt = LabelText(d, "Q");
                auto* edit = d->findChild<QLineEdit*>(QStringLiteral("A"));
                preset = edit->text();
                mode = edit->echoMode();
            };
            TBoxes boxes;
            QString answer = QStringLiteral("old");
            const QString q = QStringLiteral("Ange katalogens namn:");
            const QString def = QStringLiteral("Ny katalog");
            const bool ok =
                password ? boxes.kvInputBoxPsw(q, def, &answer) : boxes.kvInputBox(q, def, &answer);
            EXPECT_EQ(ok, c.result);
            EXPECT_EQ(answer, QString::fromUtf8(c.answer));
            EXPECT_EQ(prompt, q);
            EXPECT_EQ(preset, def);
            EXPECT_EQ(mode, password ? QLineEdit::Password : QLineEdit::Normal);
        }
    }
}

// A main window's worth of hooks around the exception handler.
class ExceptionHandlerTest : public testing::Test {
protected:
    void SetUp() override {
        boxes.SetStatusHook([this](const QString& text, bool simple) {
            statusText = text;
            simpleMode = simple;
        });
        boxes.SetBackupHook([this] {
            ++backups;
            if (backupThrows)
                throw std::runtime_error("disk full");
            return backupResult;
        });
        boxes.SetRestartHooks([this] { calls.push_back(QStringLiteral("start")); },
                              [this] { calls.push_back(QStringLiteral("terminate")); });
        boxes.InstallExceptionHandler();
    }

    // Runs a command that throws while the user leaves the box with `out`; records the box.
    void Throw(WayOut out, const std::function<void()>& command) {
        Dialogs::ScopedModalHandler handler([&](QDialog* d) {
            auto* box = qobject_cast<TExceptionMessageBox*>(d);
            EXPECT_NE(box, nullptr);
            if (!box)
                return 0;
            ++boxesShown;
            className = box->exceptionclassname->text();
            message = box->exceptionmessage->text();
            number = box->exceptionnumber->text();
            addText = box->AddLbl->text();
            statusWhileShown = statusText;
            if (whileShown)
                whileShown();
            out(d);
            return d->result();
        });
        EXPECT_FALSE(RunCommand(command));
    }

    static void ThrowKelvoraError() {
        throw EKelvoraError(QStringLiteral("EAccessViolation"), QStringLiteral("Ogiltig adress."));
    }

    TBoxes boxes;
    QString statusText = QStringLiteral("Klar"), statusWhileShown;
    bool simpleMode = false;
    int backups = 0;
    bool backupResult = true, backupThrows = false;
    std::vector<QString> calls;
    int boxesShown = 0;
    QString className, message, number, addText;
    std::function<void()> whileShown;
};

TEST_F(ExceptionHandlerTest, ShowsClassMessageNumberAndBacksUp) {
    Dialogs::ClearLastSystemSound();
    Throw(Click("btnClose"), ThrowKelvoraError);
    EXPECT_EQ(boxes.ExceptionCount(), 1);
    EXPECT_EQ(boxesShown, 1);
    EXPECT_EQ(className, QStringLiteral("EAccessViolation"));
    EXPECT_EQ(message, QStringLiteral("Ogiltig adress."));
    EXPECT_EQ(number, QStringLiteral("1"));
    EXPECT_EQ(backups, 1);
    EXPECT_EQ(addText, QStringLiteral("Alla dokument har säkerhetskopierats för att reducera "
                                      "risken av dataförlust."));
    EXPECT_EQ(statusWhileShown, QStringLiteral("Programfel: EAccessViolation"));
    EXPECT_EQ(Dialogs::LastSystemSound(), QStringLiteral("SystemHand"));
    // "Fortsätt session" clears the status bar and leaves simple mode.
    EXPECT_EQ(statusText, QString());
    EXPECT_FALSE(simpleMode);
    EXPECT_TRUE(calls.empty());
}

TEST_F(ExceptionHandlerTest, CountsEveryExceptionOfTheRun) {
    Throw(Click("btnClose"), [] { throw std::runtime_error("ett"); });
    EXPECT_EQ(className, QStringLiteral("runtime_error"));
    EXPECT_EQ(message, QStringLiteral("ett"));
    Throw(Click("btnClose"), [] { throw std::logic_error("två"); });
    EXPECT_EQ(className, QStringLiteral("logic_error"));
    Throw(Click("btnClose"), ThrowKelvoraError);
    EXPECT_EQ(boxes.ExceptionCount(), 3);
    EXPECT_EQ(number, QStringLiteral("3"));
    EXPECT_EQ(backups, 3);
}

TEST_F(ExceptionHandlerTest, ClosingTheWindowLeavesTheStatusText) {
    for (const WayOut& out : {WayOut(CloseWindow), Key(Qt::Key_Escape)}) {
        Throw(out, ThrowKelvoraError);
        EXPECT_EQ(statusText, QStringLiteral("Programfel: EAccessViolation"));
        EXPECT_TRUE(simpleMode);
    }
    EXPECT_TRUE(calls.empty());
}

TEST_F(ExceptionHandlerTest, FailedOrThrowingBackupLeavesTheNoteEmpty) {
    backupResult = false;
    Throw(Click("btnClose"), ThrowKelvoraError);
    EXPECT_EQ(addText, QString());
    backupThrows = true;
    Throw(Click("btnClose"), ThrowKelvoraError);
    EXPECT_EQ(addText, QString());
    EXPECT_EQ(backups, 2);
    EXPECT_EQ(boxesShown, 2);
}

TEST_F(ExceptionHandlerTest, TerminateStartsTheProgramAgainAndEnds) {
    Throw(Click("btnTerminate"), ThrowKelvoraError);
    EXPECT_EQ(calls, (std::vector<QString>{QStringLiteral("start"), QStringLiteral("terminate")}));
    EXPECT_EQ(backups, 1);
}

TEST_F(ExceptionHandlerTest, SilentAbortNeverReachesTheBox) {
    Dialogs::ScopedModalHandler handler([this](QDialog*) {
        ++boxesShown;
        return 0;
    });
    EXPECT_FALSE(RunCommand([] { Abort(); }));
    EXPECT_EQ(boxesShown, 0);
    EXPECT_EQ(boxes.ExceptionCount(), 0);
    EXPECT_EQ(backups, 0);
    EXPECT_EQ(statusText, QStringLiteral("Klar"));
}

TEST_F(ExceptionHandlerTest, ExceptionWhileTheBoxIsUpOpensNoSecondBox) {
    whileShown = [] {
        // A timer command that fails inside the box's own event loop.
        EXPECT_FALSE(RunCommand([] { throw std::runtime_error("inuti"); }));
    };
    Throw(Click("btnClose"), ThrowKelvoraError);
    EXPECT_EQ(boxesShown, 1);
    EXPECT_EQ(boxes.ExceptionCount(), 2);
    EXPECT_EQ(backups, 1);
    EXPECT_EQ(className, QStringLiteral("EAccessViolation"));
    // The next exception after the box has gone gets its own box again.
    whileShown = nullptr;
    Throw(Click("btnClose"), ThrowKelvoraError);
    EXPECT_EQ(boxesShown, 2);
    EXPECT_EQ(number, QStringLiteral("3"));
}

TEST(ExceptionHandler, UninstalledWhenTheBoxesGo) {
    int shown = 0;
    Dialogs::ScopedModalHandler handler([&](QDialog*) {
        ++shown;
        return 0;
    });
    {
        TBoxes boxes;
        boxes.InstallExceptionHandler();
        RunCommand([] { throw std::runtime_error("x"); });
        EXPECT_EQ(shown, 1);
    }
    RunCommand([] { throw std::runtime_error("y"); });
    EXPECT_EQ(shown, 1);
}

} // namespace
