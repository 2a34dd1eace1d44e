// The class names of a document: its STYLE blocks, its linked style sheets, and the picker.
#include "MarkupFixture.h"

#include "editor/text/LineStore.h"
#include "markup/classes/CSSGroupsWin.h"
#include "markup/classes/ClassNames.h"

#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <sys/stat.h>

namespace {

TEST(ClassNamesTest, TakesNamesFromSelectorsOnly) {
    const struct {
        const char* css;
        QByteArrayList names;
    } cases[] = {
        {".rubrik { color: red }\r\n.rubrik{x:y}", {"rubrik", "rubrik"}},
        {".a .b { }", {"a", "b"}},
        {"p.intro { } .x>.y, .z+.w { }", {"x", "y", "z", "w"}},
        {"div { padding:0 .5em; margin: .2em } .ok {}", {"ok"}},
        {"/* .no { } */ .yes {} a[title=\".no\"] {}", {"yes"}},
        {"@media print { .p { } } .q { } @font-face { src: x.y } .r{}", {"p", "q", "r"}},
        {"@import \"a.css\"; .s {}", {"s"}},
        {".open", {}}, // no block follows
        {".5x {} .-1 {} .\xe5t {}", {"\xe5t"}},
        {"<!--\r\n.gammal { }\r\n-->", {"gammal"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.css);
        EXPECT_EQ(ClassNames::FromStyleSheet(c.css), c.names);
    }
}

TEST(ClassNamesTest, ScansStyleBlocksAndStyleSheetLinksInOnePass) {
    LineStore lines;
    lines.SetText("<html><head><STYLE type=text/css>\r\n.a { } .b {}\r\n</STYLE>\r\n"
                  "<link rel=\"stylesheet\" href=\"one.css\">\r\n"
                  "<LINK REL=\"Stylesheet\" HREF=\"skipped.css\">\r\n"
                  "<link rel=stylesheet href='two.css' <p>\r\n"
                  "<style>.c {}</style><style>.dot. without end\r\n"
                  "<stylesheet>.no{}</stylesheet>\r\n"
                  "<link href=\"three.css\" rel=\"stylesheet\" />");
    const ClassNames::TDocumentScan scan = ClassNames::ScanDocument(lines);
    EXPECT_EQ(scan.StyleNames, (QByteArrayList{"a", "b", "c"}));
    EXPECT_EQ(scan.LinkedSheets, (QByteArrayList{"one.css", "three.css"}));
}

class ClassPickerTest : public MarkupWinTest {
protected:
    QString Css(const QString& name, const QByteArray& text) { return Make(name, text); }
};

TEST_F(ClassPickerTest, CountsAndListsTheNamesOfTheDocumentAndItsSheets) {
    Css(QStringLiteral("sheet.css"), ".ext {} .a {}");
    QDir().mkpath(File(QStringLiteral("css")));
    Css(QStringLiteral("css/more.css"), ".more {}");
    const QString page = Make(QStringLiteral("page.html"), "");
    Open(page);
    SetText("<style>.a {}</style>\r\n"
            "<link rel=\"stylesheet\" href=\"sheet.css\">\r\n"
            "<link rel=\"stylesheet\" href=\"http://example.com/x.css\">\r\n"
            "<link rel=\"stylesheet\" href=\"css/more.css?v=2\">\r\n"
            "<link rel=\"stylesheet\" href=\"missing.css\">\r\n"
            "<link rel=\"stylesheet\" href=\"" +
            File(QStringLiteral("css/more.css")).toUtf8() + "\">\r\n");
    Answer<TCSSGROUPS>([](TCSSGROUPS* d) {
        EXPECT_EQ(d->windowTitle(), QStringLiteral("Stilmallsgrupper"));
        QStringList items;
        for (int i = 0; i < d->GROUPS->count(); ++i)
            items << d->GROUPS->item(i)->text();
        EXPECT_EQ(items, (QStringList{"a", "ext", "a", "more", "more"}));
        EXPECT_EQ(d->lblnl->text(), QStringLiteral("1"));
        EXPECT_EQ(d->lblne->text(), QStringLiteral("4"));
        d->GROUPS->item(3)->setSelected(true);
        d->GROUPS->item(1)->setSelected(true);
        d->btnOk->click();
        return 1;
    });
    win->CodeEditor->SetSelStart(0);
    ASSERT_TRUE(win->Commands().Run(QStringLiteral("IInsertCSSClass")));
    EXPECT_EQ(seen, QStringList{QStringLiteral(
                        "M:Externa stilmallsgrupper kan ej läsas in eftersom den angivna externa "
                        "CSS-filen inte existerar.")});
    EXPECT_TRUE(Text().startsWith(" CLASS=\"ext more\"<style>"));
}

TEST_F(ClassPickerTest, ReadsOnlyRegularFilesAndScansOncePerChange) {
    const QString fifo = File(QStringLiteral("pipe.css"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    SetText("<style>.a{}</style><link rel=\"stylesheet\" href=\"" + fifo.toUtf8() +
            "\"><link rel=\"stylesheet\" href=\"/dev/zero\">");
    EXPECT_EQ(TCSSGROUPS::AssembleGroups(*win, nullptr), QByteArrayList{"a"});
    const QString unreadable =
        QStringLiteral("M:Det gick inte att öppna och läsa från den angivna externa CSS-filen.");
    EXPECT_EQ(seen, (QStringList{unreadable, unreadable}));

    // The document is scanned again only after a change of its text.
    SetText("<style>.a{}</style>");
    EXPECT_EQ(TCSSGROUPS::AssembleGroups(*win, nullptr), QByteArrayList{"a"});
    win->CodeEditor->SetSelStart(11);
    win->CodeEditor->SetSelText(" .b{}");
    EXPECT_EQ(TCSSGROUPS::AssembleGroups(*win, nullptr), (QByteArrayList{"a", "b"}));
}

TEST_F(ClassPickerTest, TheElementDialogsOfferTheClasses) {
    SetText("<style>.x{} .y{}</style>\r\n|");
    Answer<QDialog>([](QDialog* d) {
        auto* combo = d->findChild<QComboBox*>(QStringLiteral("pCLASS"));
        EXPECT_TRUE(combo);
        if (combo) {
            EXPECT_EQ(combo->count(), 2);
            EXPECT_EQ(combo->itemText(1), QStringLiteral("y"));
            EXPECT_EQ(combo->currentText(), QString());
        }
        return 2;
    });
    ASSERT_TRUE(win->Commands().Run(QStringLiteral("IInsertImage")));
}

} // namespace
