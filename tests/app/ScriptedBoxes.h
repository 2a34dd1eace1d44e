#pragma once

// The program's own boxes answered by a script: every message box is recorded as "M:text"
// and closed with OK; every question is recorded as "Q:info|question" and answered with the
// next of `answers`. Any other dialog, or a question without an answer left, fails the test.
#include "app/MessageBox.h"
#include "app/QuestionBox.h"
#include "platform/Dialogs.h"

#include <QLabel>
#include <QStringList>
#include <deque>
#include <gtest/gtest.h>
#include <memory>

inline QString OneLine(QString s) {
    return s.replace(QLatin1Char('\n'), QLatin1Char(' '));
}

inline std::unique_ptr<Dialogs::ScopedModalHandler> ScriptBoxes(QStringList& seen,
                                                                std::deque<int>& answers) {
    return std::make_unique<Dialogs::ScopedModalHandler>([&seen, &answers](QDialog* d) {
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
        ADD_FAILURE() << "unexpected dialog";
        return int(Dialogs::mrCancel);
    });
}
