#include "app/dialogs/InternalFunctionInputWin.h"
#include "platform/Dialogs.h"
#include "subroutines/Commands.h"

#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <functional>
#include <gtest/gtest.h>

namespace {

// Answers the prompt: `act` plays the user on the real dialog.
struct Prompt {
    explicit Prompt(std::function<void(TInternalFunctionInput*)> act)
        : guard([this, act](QDialog* d) {
              auto* dialog = qobject_cast<TInternalFunctionInput*>(d);
              EXPECT_NE(dialog, nullptr);
              if (!dialog)
                  return 0;
              ++shown;
              question = dialog->Q->text();
              browseVisible = dialog->btnSearch->isVisible();
              startText = dialog->A->text();
              focused = dialog->focusWidget() == dialog->A;
              act(dialog);
              return dialog->result();
          }) {}
    int shown = 0;
    QString question, startText;
    bool browseVisible = false, focused = false;
    Dialogs::ScopedModalHandler guard;
};

TEST(InternalGetInput, AnswerForEachWayOut) {
    const struct {
        const char* name;
        std::function<void(TInternalFunctionInput*)> leave;
        bool result;
        const char* answer;
    } cases[] = {
        {"OK", [](TInternalFunctionInput* d) { d->btnOk->click(); }, true, "index.htm"},
        {"Enter", [](TInternalFunctionInput* d) { QTest::keyClick(d->A, Qt::Key_Return); }, true,
         "index.htm"},
        {"Avbryt", [](TInternalFunctionInput* d) { d->btnCancel->click(); }, false, ""},
        {"Esc", [](TInternalFunctionInput* d) { QTest::keyClick(d->A, Qt::Key_Escape); }, false,
         ""},
        {"close", [](TInternalFunctionInput* d) { d->close(); }, false, ""},
    };
    Tcommands commands;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Prompt prompt([&](TInternalFunctionInput* d) {
            QTest::keyClicks(d->A, QStringLiteral("index.htm"));
            c.leave(d);
        });
        QString answer = QStringLiteral("old");
        EXPECT_EQ(commands.InternalGetInput(QStringLiteral("Ange filens namn:"), false, 0, &answer),
                  c.result);
        EXPECT_EQ(answer, QString::fromUtf8(c.answer));
        EXPECT_EQ(prompt.shown, 1);
        EXPECT_EQ(prompt.question, QStringLiteral("Ange filens namn:"));
        EXPECT_EQ(prompt.startText, QString());
        EXPECT_TRUE(prompt.focused);
        EXPECT_FALSE(prompt.browseVisible);
    }
}

TEST(InternalGetInput, PromptIsPlainText) {
    Tcommands commands;
    Prompt prompt([](TInternalFunctionInput* d) {
        EXPECT_EQ(d->Q->textFormat(), Qt::PlainText);
        d->btnOk->click();
    });
    QString answer;
    commands.InternalGetInput(QStringLiteral("<b>Namn</b> &amp;"), false, 0, &answer);
    EXPECT_EQ(prompt.question, QStringLiteral("<b>Namn</b> &amp;"));
}

TEST(InternalGetInput, BrowsePutsTheChosenPathIntoTheAnswer) {
    // The list the main window installs; here twelve entries of its form.
    QStringList filters;
    for (int i = 1; i <= 12; ++i)
        filters << QStringLiteral("Filter %1 (*.f%1)").arg(i);
    TInternalFunctionInput::SetDocumentFilters(filters);
    const struct {
        int filterIndex;
        const char* typed;
        QString chosen;
        QString expectedFilter;
        const char* answer;
    } cases[] = {
        {11, "", QStringLiteral("/opt/moduler/tillagg.dll"), filters[11],
         "/opt/moduler/tillagg.dll"},
        {0, "gammal.htm", QStringLiteral("/var/www/ny.htm"), QString(), "/var/www/ny.htm"},
        {3, "gammal.htm", QString(), filters[3], "gammal.htm"},
    };
    Tcommands commands;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.filterIndex);
        Dialogs::FileRequest seen;
        Dialogs::ScopedFileHandler files([&](Dialogs::FileRequest& r) {
            seen = r;
            return c.chosen.isEmpty() ? QStringList() : QStringList{c.chosen};
        });
        Prompt prompt([&](TInternalFunctionInput* d) {
            QTest::keyClicks(d->A, QString::fromUtf8(c.typed));
            d->btnSearch->click();
            d->btnOk->click();
        });
        QString answer;
        EXPECT_TRUE(commands.InternalGetInput(QStringLiteral("Ange modulens namn:"), true,
                                              c.filterIndex, &answer));
        EXPECT_TRUE(prompt.browseVisible);
        EXPECT_EQ(seen.kind, Dialogs::FileRequest::Kind::Open);
        EXPECT_EQ(seen.caption, QStringLiteral("Bläddra"));
        EXPECT_EQ(seen.fileName, QString::fromUtf8(c.typed));
        EXPECT_EQ(seen.selectedFilter, c.expectedFilter);
        EXPECT_EQ(seen.filter, filters.join(QLatin1String(";;")));
        EXPECT_EQ(answer, QString::fromUtf8(c.answer));
    }
    TInternalFunctionInput::SetDocumentFilters({});
}

TEST(InternalGetInput, RelativeChoiceBecomesAFullPath) {
    Dialogs::ScopedFileHandler files(
        [](Dialogs::FileRequest&) { return QStringList{QStringLiteral("sida.htm")}; });
    Prompt prompt([](TInternalFunctionInput* d) {
        d->btnSearch->click();
        d->btnOk->click();
    });
    QString answer;
    Tcommands commands;
    commands.InternalGetInput(QStringLiteral("Fil:"), true, 0, &answer);
    EXPECT_EQ(answer, QDir::current().absoluteFilePath(QStringLiteral("sida.htm")));
}

TEST(InternalGetInput, WideQuestionWrapsAtTheScreen) {
    const QString wide = QStringLiteral("mycket ").repeated(300);
    Prompt prompt([&](TInternalFunctionInput* d) {
        EXPECT_LE(d->width(), Dialogs::MaxClientWidth(d));
        EXPECT_TRUE(d->Q->text().contains(QLatin1Char('\n')));
        d->btnOk->click();
    });
    QString answer;
    Tcommands commands;
    commands.InternalGetInput(wide, false, 0, &answer);
    EXPECT_EQ(prompt.shown, 1);
}

} // namespace
