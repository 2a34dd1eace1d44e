#pragma once

// A main window with the markup tools installed, whose dialogs are answered by the test.
#include "app/MainWinFixture.h"

#include "editor/view/TextEditorEx.h"
#include "markup/MarkupInstall.h"

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
