#include "MarkupFixture.h"
#include "editor/text/LineStore.h"
#include "markup/scripts/ImScrWin.h"
#include "platform/AppPaths.h"

#include <QDir>
#include <QListWidget>

namespace {

class ReadyScriptTest : public MarkupTest {
protected:
    void SetUp() override {
        MarkupTest::SetUp();
        QDir folder(Timscr::DefaultFolder());
        folder.removeRecursively();
        QDir().mkpath(folder.path());
        for (const auto& [name, text] : std::initializer_list<std::pair<const char*, QByteArray>>{
                 {"b.vbs", "MsgBox \"b\"\r\n"}, {"a.js", "alert(1);\r\n"}, {"C.JS", "c();\r\n"}})
            WriteFile(folder.filePath(QLatin1String(name)), text);
        folder.mkdir(QStringLiteral("mapp"));
    }
    static void WriteFile(const QString& path, const QByteArray& text) {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(text);
    }
    // Chooses the entry `name` and closes with "&Infoga".
    void Choose(const QString& name) {
        Expect<Timscr>([name](Timscr& d) {
            const auto found = d.scripts->findItems(name, Qt::MatchExactly);
            EXPECT_EQ(found.size(), 1);
            if (found.isEmpty())
                return int(Dialogs::mrCancel);
            d.scripts->setCurrentItem(found.first());
            return int(Dialogs::mrOk);
        });
    }
};

TEST_F(ReadyScriptTest, TheFolderIsListedInNameOrderWithWhatItsExtensionsTell) {
    Expect<Timscr>([](Timscr& d) {
        QStringList listed, info;
        for (int i = 0; i < d.scripts->count(); ++i) {
            listed << d.scripts->item(i)->text();
            d.scripts->setCurrentRow(i);
            info << d.lblFilename->text() + "|" + d.lblLang->text() + "|" + d.lblCT->text();
        }
        EXPECT_EQ(listed, (QStringList{"a.js", "b.vbs", "C.JS", "mapp"}));
        EXPECT_EQ(info,
                  (QStringList{"a.js|JavaScript|text/javascript", "b.vbs|VBScript|text/vbscript",
                               "C.JS|Okänt|Okänd", "mapp|Okänt|Okänd"}));
        EXPECT_TRUE(d.btnInsert->isEnabled());
        return int(Dialogs::mrCancel);
    });
    ASSERT_TRUE(Run("IImplementJavaScript"));
}

TEST_F(ReadyScriptTest, AKnownScriptGoesInsideANewElement) {
    win->TagCase = 1;
    Start("<head>\r\n[x]\r\n</head>");
    Choose(QStringLiteral("a.js"));
    ASSERT_TRUE(Run("IImplementJavaScript"));
    EXPECT_EQ(Marks(), QByteArray("<head>\r\n<SCRIPT LANGUAGE=\"JavaScript\" "
                                  "TYPE=\"text/javascript\">\r\n\r\nalert(1);\r\n|\r\n"
                                  "</SCRIPT>\r\n</head>"));
    EXPECT_TRUE(seen.isEmpty());
}

TEST_F(ReadyScriptTest, AnUnknownLanguageIsAskedForAndAFolderIsRefused) {
    win->TagCase = 2;
    Start("|");
    Choose(QStringLiteral("C.JS"));
    Prompt(QStringLiteral("JavaScript"));
    Prompt(QString()); // the content type left empty: written empty
    ASSERT_TRUE(Run("IImplementJavaScript"));
    EXPECT_EQ(seen, (QStringList{"M:Skriptspråket kunde inte identifieras.",
                                 "P:Ange skriptspråk:", "P:Ange innehållstyp:"}));
    EXPECT_EQ(Marks(), QByteArray("<script language=\"JavaScript\" type=\"\">\r\n\r\nc();\r\n|"
                                  "\r\n</script>"));

    seen.clear();
    Start("x|y");
    Choose(QStringLiteral("mapp"));
    ASSERT_TRUE(Run("IImplementJavaScript"));
    ASSERT_EQ(seen.size(), 1);
    EXPECT_TRUE(seen[0].startsWith("M:Det gick inte att öppna skriptfilen \"mapp\"."))
        << seen[0].toStdString();
    EXPECT_EQ(Marks(), QByteArray("x|y"));
}

TEST(ShippedScripts, EachIsAKnownLanguageAndReads) {
    const QDir shipped(AppPaths::ProgramFile(QStringLiteral("defaults/skript")));
    const QStringList names = shipped.entryList(QDir::Files);
    EXPECT_GE(names.size(), 3);
    for (const QString& name : names) {
        QString language, type;
        EXPECT_TRUE(Timscr::Identify(name, &language, &type)) << name.toStdString();
        LineStore lines;
        QString error;
        EXPECT_TRUE(lines.LoadFromFile(shipped.filePath(name), &error)) << name.toStdString();
        EXPECT_GT(lines.Count(), 0);
    }
}

} // namespace
