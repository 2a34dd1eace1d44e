#pragma once

// Main windows with the markup tools installed, whose dialogs are answered by the test.
#include "app/MainWinFixture.h"

#include "ByteText.h"
#include "app/MarkedText.h"
#include "app/dialogs/InternalFunctionInputWin.h"
#include "editor/view/TextEditorEx.h"
#include "markup/MarkupInstall.h"
#include "platform/Cp1252.h"

#include <QLineEdit>
#include <QPushButton>

#include <QCoreApplication>
#include <QTest>
#include <deque>
#include <functional>

class MarkupWinTest : public MainWinTest {
protected:
    void SetUp() override {
        InstallMarkup();
        MainWinTest::SetUp();
        // Message boxes and questions as in every window test; any other dialog goes to the
        // next handler given with Answer().
        modal.reset();
        modal = ScriptBoxes(seen, answers, [this](QDialog* d) {
            opened << QString::fromLatin1(d->metaObject()->className()) + QLatin1Char(':') +
                          d->windowTitle();
            if (handlers.empty())
                return -1;
            // Taken off first, so that a dialog opened from inside a handler gets the next.
            const std::function<int(QDialog*)> handler = std::move(handlers.front());
            handlers.pop_front();
            return handler(d);
        });
    }

    void TearDown() override {
        EXPECT_TRUE(handlers.empty()) << "dialogs left unanswered";
        MainWinTest::TearDown();
    }

    // The next dialog, which must be a T, is handed to `handle`; its value closes it.
    template <typename T> void Answer(std::function<int(T*)> handle) {
        handlers.push_back([handle](QDialog* d) {
            const char* name = d->metaObject()->className();
            auto* t = dynamic_cast<T*>(d);
            if (!t) {
                ADD_FAILURE() << "unexpected dialog " << name;
                return 2;
            }
            return handle(t);
        });
    }

    // Sets the editor's text; '|' marks the caret.
    void SetText(QByteArray text) {
        const qsizetype caret = text.indexOf('|');
        if (caret >= 0)
            text.remove(caret, 1);
        win->CodeEditor->SetText(text);
        win->CodeEditor->SetSelStart(static_cast<int>(caret < 0 ? 0 : caret));
    }
    QByteArray Text() const { return win->CodeEditor->Text(); }

    // Types characters into the editor as keys, then lets what they set off run.
    void Keys(const QString& keys) {
        QTest::keyClicks(win->CodeEditor, keys);
        QCoreApplication::processEvents();
    }

    std::deque<std::function<int(QDialog*)>> handlers;
    QStringList opened;
};

// The same, with the dialogs answered in the order they come up and the one-line prompt
// written down.
inline const bool kMarkupInstalled = (InstallMarkup(), true);

class MarkupTest : public MainWinTest {
protected:
    void SetUp() override {
        ASSERT_TRUE(kMarkupInstalled);
        MainWinTest::SetUp();
        modal.reset();
        modal = ScriptBoxes(seen, answers, [this](QDialog* d) {
            if (dialogs.empty())
                return -1;
            const auto next = dialogs.front();
            dialogs.pop_front();
            return next(d);
        });
    }
    void TearDown() override {
        EXPECT_TRUE(dialogs.empty()) << "dialogs left unshown";
        dialogs.clear();
        MainWinTest::TearDown();
    }

    // The next dialog must be a T; `answer` fills it and gives its result.
    template <typename T> void Expect(std::function<int(T&)> answer) {
        dialogs.push_back([answer](QDialog* d) {
            auto* dialog = dynamic_cast<T*>(d);
            if (!dialog) {
                ADD_FAILURE() << "unexpected dialog " << d->metaObject()->className();
                return int(Dialogs::mrCancel);
            }
            return answer(*dialog);
        });
    }
    // The next dialog is the one-line prompt: its question is written down as "P:question";
    // an empty answer cancels it.
    void Prompt(const QString& answer) {
        Expect<TInternalFunctionInput>([this, answer](TInternalFunctionInput& box) {
            seen << QStringLiteral("P:") + box.Q->text();
            if (answer.isEmpty()) {
                box.btnCancel->click();
                return int(Dialogs::mrCancel);
            }
            box.A->setText(answer);
            box.btnOk->click();
            return int(Dialogs::mrOk);
        });
    }

    // Puts a text with "|" for the caret or "[...]" for the selection into the editor.
    void Start(const char* marked) {
        const Marked m = Parse(Cp1252::Encode(QString::fromUtf8(marked)));
        win->CodeEditor->SetText(m.text);
        win->CodeEditor->SetSelStart(m.start);
        win->CodeEditor->SetSelLength(m.length);
    }
    QByteArray Marks() const { return MarkedText(*win->CodeEditor); }
    QByteArray Utf8(const QByteArray& cp1252) const { return Cp1252::Decode(cp1252).toUtf8(); }

    std::deque<std::function<int(QDialog*)>> dialogs;
};
