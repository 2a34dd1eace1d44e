#include "platform/Dialogs.h"

#include <QDialog>
#include <QLabel>
#include <gtest/gtest.h>

namespace {

class ShowCounter : public QDialog {
public:
    int shows = 0;

protected:
    void showEvent(QShowEvent* e) override {
        ++shows;
        QDialog::showEvent(e);
    }
};

TEST(Dialogs, RunModalHandsTheShownDialogToTheHandler) {
    ShowCounter dialog;
    bool visibleInHandler = false;
    {
        Dialogs::ScopedModalHandler handler([&](QDialog* d) {
            visibleInHandler = d->isVisible();
            return 42;
        });
        EXPECT_TRUE(Dialogs::HasModalHandler());
        EXPECT_EQ(Dialogs::RunModal(&dialog), 42);
    }
    EXPECT_FALSE(Dialogs::HasModalHandler());
    EXPECT_TRUE(visibleInHandler);
    EXPECT_EQ(dialog.shows, 1);
    EXPECT_FALSE(dialog.isVisible());
}

// The closed handler runs once a dialog or a file dialog is gone, never while it is up.
TEST(Dialogs, ClosedHandlerRunsAfterEveryDialog) {
    QDialog dialog;
    QStringList events;
    Dialogs::ScopedModalHandler modal([&](QDialog*) {
        events << "modal";
        return 1;
    });
    Dialogs::ScopedFileHandler files([&](Dialogs::FileRequest&) {
        events << "file";
        return QStringList();
    });
    {
        Dialogs::ScopedClosedHandler closed([&] {
            events << QStringLiteral("closed, dialog %1").arg(dialog.isVisible() ? "up" : "gone");
        });
        Dialogs::RunModal(&dialog);
        Dialogs::GetOpenFileName(nullptr, "Öppna", QString(), QString());
        Dialogs::GetExistingDirectory(nullptr, "Mapp", QString());
    }
    Dialogs::RunModal(&dialog);
    EXPECT_EQ(events, (QStringList{"modal", "closed, dialog gone", "file", "closed, dialog gone",
                                   "file", "closed, dialog gone", "modal"}));
}

TEST(Dialogs, ScopedHandlersNestAndRestore) {
    QDialog dialog;
    Dialogs::ScopedModalHandler outer([](QDialog*) { return 1; });
    {
        Dialogs::ScopedModalHandler inner([](QDialog*) { return 2; });
        EXPECT_EQ(Dialogs::RunModal(&dialog), 2);
    }
    EXPECT_EQ(Dialogs::RunModal(&dialog), 1);
}

TEST(Dialogs, FileHandlerSeesTheRequestAndAnswers) {
    using Kind = Dialogs::FileRequest::Kind;
    const struct {
        Kind kind;
        QStringList answer;
    } cases[] = {
        {Kind::Open, {QStringLiteral("/a/b.htm")}},
        {Kind::OpenMany, {QStringLiteral("/a/b.htm"), QStringLiteral("/a/c.htm")}},
        {Kind::Save, {QStringLiteral("/a/d.htm")}},
        {Kind::Open, {}},
        {Kind::OpenMany, {}},
        {Kind::Save, {}},
    };
    for (const auto& c : cases) {
        Dialogs::FileRequest seen;
        Dialogs::ScopedFileHandler handler([&](Dialogs::FileRequest& r) {
            seen = r;
            r.selectedFilter = QStringLiteral("B (*.b)");
            return c.answer;
        });
        QString selected = QStringLiteral("A (*.a)");
        const QString filter = QStringLiteral("A (*.a);;B (*.b)");
        const QString caption = QStringLiteral("Öppna"), start = QStringLiteral("/a");
        QStringList got;
        switch (c.kind) {
        case Kind::Open:
            got << Dialogs::GetOpenFileName(nullptr, caption, start, filter, &selected);
            break;
        case Kind::OpenMany:
            got = Dialogs::GetOpenFileNames(nullptr, caption, start, filter, &selected);
            break;
        case Kind::Save:
            got << Dialogs::GetSaveFileName(nullptr, caption, start, filter, &selected);
            break;
        case Kind::Folder: // no filters: FolderChooserAsksTheHandler
            break;
        }
        got.removeAll(QString());
        EXPECT_EQ(seen.kind, c.kind);
        EXPECT_EQ(seen.caption, caption);
        EXPECT_EQ(seen.fileName, start);
        EXPECT_EQ(seen.filter, filter);
        EXPECT_EQ(seen.selectedFilter, QStringLiteral("A (*.a)"));
        EXPECT_EQ(got, c.answer);
        // The chosen filter comes back only with a chosen file.
        EXPECT_EQ(selected,
                  c.answer.isEmpty() ? QStringLiteral("A (*.a)") : QStringLiteral("B (*.b)"));
    }
}

TEST(Dialogs, FolderChooserAsksTheHandler) {
    for (const QStringList& answer : {QStringList{QStringLiteral("/a/b")}, QStringList()}) {
        Dialogs::FileRequest seen;
        Dialogs::ScopedFileHandler handler([&](Dialogs::FileRequest& r) {
            seen = r;
            return answer;
        });
        const QString got =
            Dialogs::GetExistingDirectory(nullptr, QStringLiteral("Välj"), QStringLiteral("/a"));
        EXPECT_EQ(seen.kind, Dialogs::FileRequest::Kind::Folder);
        EXPECT_EQ(seen.caption, QStringLiteral("Välj"));
        EXPECT_EQ(seen.fileName, QStringLiteral("/a"));
        EXPECT_EQ(got, answer.value(0));
    }
}

TEST(Dialogs, FilterListTable) {
    const struct {
        const char* pairs;
        QStringList filters;
    } cases[] = {
        {"KV subrutiner|*.sub|Alla filer|*.*",
         {QStringLiteral("KV subrutiner (*.sub)"), QStringLiteral("Alla filer (*)")}},
        {"Webb|*.htm;*.html;", {QStringLiteral("Webb (*.htm *.html)")}},
        {"", {}},
        {"Utan mönster", {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Dialogs::FilterList(QString::fromUtf8(c.pairs)), c.filters) << c.pairs;
}

TEST(Dialogs, SystemSoundIsRecorded) {
    Dialogs::ClearLastSystemSound();
    EXPECT_EQ(Dialogs::LastSystemSound(), QString());
    Dialogs::PlaySystemSound(QStringLiteral("SystemHand"));
    EXPECT_EQ(Dialogs::LastSystemSound(), QStringLiteral("SystemHand"));
}

TEST(Dialogs, WrapToWidthBreaksWordsAndLongRuns) {
    QLabel label;
    const QFont font = label.font();
    const QFontMetrics fm(font);
    const int width = 120;
    for (const QString& text :
         {QStringLiteral("ett två tre fyra fem sex sju åtta nio tio elva tolv"),
          QStringLiteral("x").repeated(200), QStringLiteral("kort\n\nrad")}) {
        const QString wrapped = Dialogs::WrapToWidth(text, font, width);
        for (const QString& line : wrapped.split(QLatin1Char('\n')))
            EXPECT_LE(fm.horizontalAdvance(line), width) << line.toStdString();
        QString a = wrapped, b = text;
        EXPECT_EQ(a.remove(QLatin1Char('\n')).remove(QLatin1Char(' ')),
                  b.remove(QLatin1Char('\n')).remove(QLatin1Char(' ')));
    }
    EXPECT_EQ(Dialogs::WrapToWidth(QStringLiteral("kort\n\nrad"), font, width),
              QStringLiteral("kort\n\nrad"));
}

} // namespace
