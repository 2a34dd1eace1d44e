#pragma once

#include "app/MainWinFixture.h"
#include "editor/view/TextEditorEx.h"
#include "platform/Cp1252.h"
#include "subroutines/Commands.h"
#include "subroutines/events/SubroutineEvents.h"
#include "subroutines/runs/SubroutineEnvironment.h"
#include "subroutines/runs/SubroutineRunner.h"

#include <QApplication>
#include <QStatusBar>
#include <vector>

// A main window with the subroutines installed, whose boxes and file dialogs answer from
// scripts, and whose runs reach nothing outside the test: the environment writes down what
// the statements asked of it.
class SubroutineTest : public MainWinTest {
protected:
    void SetUp() override {
        saved = SubroutineEnvironment();
        TSubroutineEnvironment& env = SubroutineEnvironment();
        env.Beep = [this] { outside << QStringLiteral("beep"); };
        env.OpenTarget = [this](const QString& t) { outside << QStringLiteral("open ") + t; };
        env.StartProgram = [this](const QString& p, const QStringList& a) {
            outside << (QStringLiteral("start ") + p + QLatin1Char(' ') + a.join(QLatin1Char(' ')))
                           .trimmed();
        };
        env.Terminate = [this] { outside << QStringLiteral("terminate"); };
        env.ProgramFile = [] { return QStringLiteral("/opt/kelvora/kelvora"); };
        env.Sleep = [this](int ms) { sleeps.push_back(ms); };
        MainWinTest::SetUp();
    }

    void TearDown() override {
        MainWinTest::TearDown();
        SubroutineEnvironment() = saved;
    }

    Tcommands& Window() { return *SubroutineEvents::WindowOf(*win); }
    TSubroutineRunner& Runner() { return *Window().Runner(); }
    TTextEditorEx& Editor() { return *win->CodeEditor; }

    // Puts text into the window's editor and runs it as "&Exekvera" does.
    TRunEnd RunWindow(const QByteArray& subroutine) {
        Window().CurrentSubroutine->SetText(subroutine);
        TRunEnd end = TRunEnd::NotStarted;
        RunCommand([&] { end = Runner().RunFromWindow(); });
        return end;
    }
    // The document's text without the break after the last line.
    QByteArray Doc() const {
        QByteArray t = win->CodeEditor->Text();
        t.chop(2);
        return t;
    }
    void SetDoc(const QByteArray& text, int selStart = 0, int selLength = 0) {
        Editor().SetText(text);
        Editor().SetSelStart(selStart);
        Editor().SetSelLength(selLength);
    }
    QString Status() const { return win->statusBar()->currentMessage(); }
    static QString Rad(int line, const char* message) {
        return QStringLiteral("M:Fel i subrutin på rad %1: ").arg(line) +
               QString::fromUtf8(message);
    }

    TSubroutineEnvironment saved;
    QStringList outside;
    std::vector<int> sleeps;
};
