#pragma once

// The program's own boxes answered by a script: every message box is recorded as "M:text"
// and closed with OK; every question is recorded as "Q:info|question" and answered with the
// next of `answers`. Any other dialog goes to `other` (which returns -1 for one it does not
// know); an unknown dialog, or a question without an answer left, fails the test.
#include "app/dialogs/MessageBox.h"
#include "app/dialogs/QuestionBox.h"
#include "platform/Dialogs.h"

#include <QLabel>
#include <QStringList>
#include <deque>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

inline QString OneLine(QString s) {
    return s.replace(QLatin1Char('\n'), QLatin1Char(' '));
}

inline std::unique_ptr<Dialogs::ScopedModalHandler>
ScriptBoxes(QStringList& seen, std::deque<int>& answers,
            std::function<int(QDialog*)> other = nullptr) {
    return std::make_unique<Dialogs::ScopedModalHandler>([&seen, &answers, other](QDialog* d) {
        if (auto* m = qobject_cast<TMessageBox*>(d)) {
            seen << QStringLiteral("M:") + m->Text();
            return int(Dialogs::mrOk);
        }
        if (auto* q = qobject_cast<TQuestionBox*>(d)) {
            seen << QStringLiteral("Q:") + OneLine(q->info->text()) + QLatin1Char('|') +
                        OneLine(q->question->text());
            if (answers.empty()) {
                ADD_FAILURE() << "unexpected question";
                return int(Dialogs::mrCancel);
            }
            const int a = answers.front();
            answers.pop_front();
            return a;
        }
        if (other) {
            const int r = other(d);
            if (r >= 0)
                return r;
        }
        ADD_FAILURE() << "unexpected dialog " << d->metaObject()->className();
        return int(Dialogs::mrCancel);
    });
}
