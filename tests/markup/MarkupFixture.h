#pragma once

// A main window with the markup tools installed, whose dialogs are answered by scripts in
// the order they come up.
#include "ByteText.h"
#include "app/MainWinFixture.h"
#include "app/MarkedText.h"
#include "app/dialogs/InternalFunctionInputWin.h"
#include "markup/MarkupInstall.h"
#include "platform/Cp1252.h"

#include <QLineEdit>
#include <QPushButton>
#include <deque>
#include <functional>

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
