// The page wizard's settings files: the INI codec, comma text, and saving and loading every
// field with its group file.
#include "markup/wizards/PageWizardSettings.h"
#include "markup/wizards/CommaText.h"
#include "markup/wizards/IniFile.h"

#include "ByteLines.h"
#include "TestSupport.h"
#include "platform/AppPaths.h"
#include "platform/Cp1252.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

namespace {

// A set of fields that differs from the defaults everywhere.
TPageWizardFields Filled() {
    TPageWizardFields f;
    f.Head.Doctype = QStringLiteral("html PUBLIC \"-//W3C//DTD HTML 4.01//EN\"");
    f.Head.Title = QStringLiteral("  Räksmörgås, \"bästa\" = 1  ");
    f.Head.Language = QStringLiteral("sv");
    f.Head.AddXmlHeader = true; // not stored: the wizard's state stays as it is
    f.Head.MetaName = {{"description", "a=b"}, {"keywords", ""}, {"ny nyckel", "x"}};
    f.Head.MetaHttp = {{"Content-Type", "text/html"}, {"Refresh", "5"}};
    f.LinkedCSS = QStringList{"a.css", "mapp med blank/b.css", "c,d.css", ""};
    f.LinkedJS = QStringList{"\"citat\".js"};
    f.UseBgColor = false;
    f.BgColor = 0x0080FF;
    f.BgImage = QStringLiteral("bilder/bakgrund.png");
    f.BgRepeat = QStringLiteral("Repeat-x");
    f.BgPosition = QStringLiteral("X% Y%");
    f.UseMargins = true;
    f.MarginRight = "1";
    f.MarginLeft = "22";
    f.MarginTop = "333";
    f.MarginBottom = "99999";
    f.StyleGroups =
        QStringList{"h1=h1 {\\n  color:#FF0000;\\n\\n}", "a:link=a:link {\\n  x:\"\\\\n\";\\n}"};
    f.Content = Cp1252::Encode(QStringLiteral("<p>Första, \"andra\"</p>\r\n\r\n  indrag\r\n"));
    return f;
}

QString Folder(const char* name) {
    const QString dir = QDir(TestRootDir()).filePath(QLatin1String(name));
    QDir(dir).removeRecursively();
    QDir().mkpath(dir);
    return dir;
}

} // namespace

TEST(IniFile, KeepsValuesVerbatimAndFindsNamesInAnyCase) {
    const TIniFile ini = TIniFile::Parse("; comment\r\n"
                                         "before=ignored\r\n"
                                         "[Information]\n"
                                         "Title=  \"quoted\" ; not a comment \r\n"
                                         "title=second\n"
                                         " Empty =\r"
                                         "no equals sign\r\n"
                                         "[information]\r\n"
                                         "More=a=b\r\n"
                                         "[Content]\r\n"
                                         "Text=\xE5\xE4\xF6");
    EXPECT_EQ(ini.Value("INFORMATION", "TITLE"), "  \"quoted\" ; not a comment ");
    EXPECT_TRUE(ini.Has("Information", "Empty"));
    EXPECT_EQ(ini.Value("Information", "Empty", "fallback"), "");
    EXPECT_EQ(ini.Value("Information", "More"), "a=b");
    EXPECT_EQ(ini.Value("Information", "before", "none"), "none");
    EXPECT_EQ(ini.Value("Content", "Text"), "\xE5\xE4\xF6");
    EXPECT_FALSE(ini.Has("Background", "Title"));

    TIniFile out;
    out.SetValue("B", "k", "1");
    out.SetValue("A", "k", "line\r\nbreak");
    out.SetValue("b", "K", "2");
    EXPECT_EQ(out.ToBytes(), "[B]\r\nk=2\r\n\r\n[A]\r\nk=line break\r\n");
    out.EraseSection("a");
    EXPECT_EQ(out.ToBytes(), "[B]\r\nk=2\r\n");
}

TEST(CommaText, RoundTripsEveryEntry) {
    const QStringList cases[] = {
        {},           {""},
        {"a", "b"},   {"med blank", "komma,inne", "\"citat\"", "", "tab\there", "slut "},
        {"", "", ""},
    };
    for (const QStringList& entries : cases) {
        SCOPED_TRACE(entries.join('|').toStdString());
        EXPECT_EQ(CommaText::Split(CommaText::Join(entries)), entries);
    }
    EXPECT_EQ(CommaText::Join({"a b", "c", "d\"e"}), QStringLiteral("\"a b\",c,\"d\"\"e\""));
    EXPECT_EQ(CommaText::Split(QStringLiteral("\"a\"x,b,")), (QStringList{"a", "b", ""}));
}

TEST(PageWizardSettings, SaveAndLoadRoundTripEveryField) {
    const QString dir = Folder("roundtrip");
    const QString file = QDir(dir).filePath("mall.htw");
    QString message;
    ASSERT_TRUE(PageWizardSettings::Save(file, Filled(), &message)) << message.toStdString();
    EXPECT_TRUE(QFileInfo::exists(QDir(dir).filePath("mall.ssw")));

    TPageWizardFields loaded;
    ASSERT_TRUE(PageWizardSettings::Load(file, &loaded));
    TPageWizardFields expected = Filled();
    EXPECT_EQ(loaded.Head, expected.Head);
    EXPECT_EQ(loaded.LinkedCSS, expected.LinkedCSS);
    EXPECT_EQ(loaded.LinkedJS, expected.LinkedJS);
    EXPECT_EQ(loaded.StyleGroups, expected.StyleGroups);
    EXPECT_EQ(loaded.Content, expected.Content);
    EXPECT_EQ(loaded, expected);

    // Key by key as the file holds them.
    TIniFile ini;
    ASSERT_TRUE(TIniFile::Load(file, &ini));
    const struct {
        const char* section;
        const char* key;
        QByteArray value;
    } keys[] = {
        {"Information", "Title", Cp1252::Encode(Filled().Head.Title)},
        {"Information", "MetaName1", "keywords"},
        {"Information", "MetaNameValue1", ""},
        {"Information", "MetaName2", "ny nyckel"},
        {"Information", "MetaHttpValue1", "5"},
        {"Information", "LinkedCSS", "a.css,\"mapp med blank/b.css\",\"c,d.css\",\"\""},
        {"Background", "UseBgColor", "0"},
        {"Background", "BgColor", "#FF8000"},
        {"Background", "UseMargins", "1"},
        {"Background", "MARGINBOTTOM", "99999"},
        {"Content", "Text",
         Cp1252::Encode(QStringLiteral("\"<p>Första, \"\"andra\"\"</p>\",\"\",\"  indrag\""))},
    };
    for (const auto& k : keys) {
        SCOPED_TRACE(k.key);
        EXPECT_EQ(ini.Value(k.section, k.key, "<missing>"), k.value);
    }
    EXPECT_EQ(ReadTestFile(QDir(dir).filePath("mall.ssw")),
              "h1=h1 {\\n  color:#FF0000;\\n\\n}\r\na:link=a:link {\\n  x:\"\\\\n\";\\n}\r\n");
}

TEST(PageWizardSettings, AllThirtyMetaRowsSurviveLoadAndSave) {
    const QString dir = Folder("meta30");
    TPageWizardFields f;
    f.Head.MetaName.clear();
    for (int i = 0; i < 30; ++i)
        f.Head.MetaName.push_back({QStringLiteral("k%1").arg(i), QStringLiteral("v%1").arg(i)});
    const QString file = QDir(dir).filePath("m.htw");
    ASSERT_TRUE(PageWizardSettings::Save(file, f, nullptr));
    TPageWizardFields loaded;
    ASSERT_TRUE(PageWizardSettings::Load(file, &loaded));
    EXPECT_EQ(loaded.Head.MetaName, f.Head.MetaName);
}

TEST(PageWizardSettings, SavingReplacesTheWholeFileAndNamesTheGroupFileByBaseName) {
    const QString dir = Folder("replace");
    const QString file = WriteTestFile("replace/x.html", "[Other]\r\nKeep=1\r\n[Information]\r\n"
                                                         "Title=old\r\nStray=yes\r\n");
    ASSERT_TRUE(PageWizardSettings::Save(file, TPageWizardFields(), nullptr));
    TIniFile ini;
    ASSERT_TRUE(TIniFile::Load(file, &ini));
    EXPECT_FALSE(ini.Has("Other", "Keep"));
    EXPECT_FALSE(ini.Has("Information", "Stray"));
    EXPECT_EQ(ini.Value("Information", "Title", "<missing>"), "");
    EXPECT_TRUE(QFileInfo::exists(QDir(dir).filePath("x.ssw")));
    EXPECT_FALSE(QFileInfo::exists(QDir(dir).filePath("x..ssw")));

    EXPECT_EQ(PageWizardSettings::GroupFileName("/a/b.c/mall.htw"),
              QStringLiteral("/a/b.c/mall.ssw"));
    EXPECT_EQ(PageWizardSettings::GroupFileName("/a/b.c/mall"), QStringLiteral("/a/b.c/mall.ssw"));
    EXPECT_EQ(PageWizardSettings::WithExtension("/a/mall"), QStringLiteral("/a/mall.htw"));
    EXPECT_EQ(PageWizardSettings::WithExtension("/a/mall.txt"), QStringLiteral("/a/mall.txt"));

    // A folder that cannot be written: a message, nothing half written.
    QString message;
    EXPECT_FALSE(PageWizardSettings::Save(QDir(dir).filePath("saknas/y.htw"), TPageWizardFields(),
                                          &message));
    EXPECT_TRUE(message.startsWith(QStringLiteral("Det gick inte att spara inställningsfilen \"")));
}

TEST(PageWizardSettings, LoadingStopsAtTheFirstFailureKeepingWhatWasRead) {
    const QString dir = Folder("failures");
    const auto write = [&](const char* name, const QByteArray& htw, const char* ssw) {
        const QString file = WriteTestFile(QStringLiteral("failures/") + name, htw);
        if (ssw)
            WriteTestFile(QStringLiteral("failures/") + QFileInfo(file).completeBaseName() + ".ssw",
                          ssw);
        return file;
    };
    const QByteArray head = "[Information]\r\nTitle=T\r\nMetaName0=a\r\n[Background]\r\n";

    TPageWizardFields f;
    f.Content = "kvar\r\n";
    // A colour text that is no colour: the title was read, the margins were not.
    EXPECT_FALSE(PageWizardSettings::Load(
        write("color.htw", head + "BgColor=#GGHHII\r\nUseMargins=1\r\n", ""), &f));
    EXPECT_EQ(f.Head.Title, QStringLiteral("T"));
    EXPECT_FALSE(f.UseMargins);

    // A missing group file: everything before it was read, the content was not.
    f = TPageWizardFields();
    f.Content = "kvar\r\n";
    f.StyleGroups = QStringList{"p=p {}"};
    EXPECT_FALSE(PageWizardSettings::Load(
        write("nogroups.htw", head + "UseMargins=1\r\n[Content]\r\nText=ny\r\n", nullptr), &f));
    EXPECT_TRUE(f.UseMargins);
    EXPECT_EQ(f.Head.MetaName, (TKeyValueRows{{"a", ""}}));
    EXPECT_EQ(f.StyleGroups, QStringList{"p=p {}"});
    EXPECT_EQ(f.Content, "kvar\r\n");

    // Missing keys read as their defaults; a short colour text reads as black.
    f = Filled();
    ASSERT_TRUE(PageWizardSettings::Load(write("sparse.htw",
                                               "[Background]\r\nBgColor=fel\r\n"
                                               "MARGINTOP=abc\r\n",
                                               ""),
                                         &f));
    EXPECT_EQ(f.Head.Title, QString());
    EXPECT_TRUE(f.Head.MetaName.empty());
    EXPECT_EQ(f.BgColor, 0u);
    EXPECT_EQ(f.MarginTop, QStringLiteral("0"));
    EXPECT_TRUE(f.StyleGroups.isEmpty());
    EXPECT_TRUE(f.LinkedCSS.isEmpty());
    EXPECT_EQ(f.Content, "");

    EXPECT_FALSE(PageWizardSettings::Load(QDir(dir).filePath("none.htw"), &f));
}

TEST(PageWizardSettings, ListsTheSettingsFilesSortedWithoutExtension) {
    const QString dir = Folder("list");
    for (const char* name :
         {"list/beta.htw", "list/Alfa.htw", "list/gamma.ssw", "list/delta.HTW", "list/Ö-mall.htw"})
        WriteTestFile(QString::fromUtf8(name), "");
    EXPECT_EQ(PageWizardSettings::Names(dir), (QStringList{"Alfa", "beta", "Ö-mall"}));
}

TEST(PageWizardSettings, TheShippedSetLoadsAndWritesItsRule) {
    const QString file = AppPaths::ProgramFile(
        QStringLiteral("defaults/Inställningar för HTML-guiden/Svensk grundmall.htw"));
    TPageWizardFields f;
    ASSERT_TRUE(PageWizardSettings::Load(file, &f)) << file.toStdString();
    EXPECT_EQ(f.Head.Language, QStringLiteral("sv"));
    EXPECT_EQ(WizardHead::ValueOf(f.Head.MetaHttp, QStringLiteral("Content-Type")),
              QStringLiteral("text/html; charset=windows-1252"));
    const QByteArrayList page = PageWizardCode::WriteCode(f, false, 2, "\t");
    EXPECT_TRUE(page.contains("body {\r\n\tfont-family:Verdana, Arial, sans-serif;\r\n"
                              "\tcolor:#000000;\r\n\r\n}"));
}
