#include "ChangedSettings.h"
#include "TestSupport.h"

#include "app/core/SettingsStore.h"
#include "editor/view/TextEditorEx.h"
#include "platform/AppPaths.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QWidget>
#include <gtest/gtest.h>
#include <string_view>

namespace {

using S = TSettingsValues;

// A store of its own for each test, in a file below the test folder.
class SettingsStoreTest : public ::testing::Test {
protected:
    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        QString name = QString::fromLatin1(info->test_suite_name()) + QLatin1Char('_') +
                       QString::fromLatin1(info->name());
        name.replace(QLatin1Char('/'), QLatin1Char('_'));
        path_ = QDir(TestRootDir()).filePath(QStringLiteral("settings/") + name + ".ini");
        QDir().mkpath(QFileInfo(path_).path());
        QFile::remove(path_);
    }

    // A fresh store object on the file, as the next start would open it.
    std::unique_ptr<QSettings> Open() const {
        return std::make_unique<QSettings>(path_, QSettings::IniFormat);
    }
    void WriteIni(const QByteArray& settingsLines) const {
        QFile f(path_);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("[Settings]\n" + settingsLines);
    }
    TSettingsReadResult Read() const { return ReadSettings(*Open()); }

    QString path_;
};

// The value of one descriptor's field, for comparisons driven by the table.
QVariant FieldValue(const S& v, const TSettingDescriptor& d) {
    return std::visit(
        [&](auto field) -> QVariant {
            using F = decltype(field);
            if constexpr (std::is_same_v<F, bool S::*>)
                return v.*field;
            else if constexpr (std::is_same_v<F, int S::*>)
                return v.*field;
            else if constexpr (std::is_same_v<F, TColor S::*>)
                return QVariant::fromValue<quint32>(v.*field);
            else if constexpr (std::is_same_v<F, QString S::*>)
                return v.*field;
            else if constexpr (std::is_same_v<F, QStringList S::*>)
                return v.*field;
            else if constexpr (std::is_same_v<F, std::array<QString, 10> S::*>)
                return (v.*field)[d.Index];
            else
                return static_cast<int>((v.*field).size());
        },
        d.Field);
}

// Gives every value of the table something other than its default.
S EveryValueChanged() {
    return EveryValueChangedBy([](S& values, const TSettingDescriptor& d, auto field, int n) {
        using F = decltype(field);
        if constexpr (std::is_same_v<F, TColor S::*>)
            values.*field = std::get<TColor>(d.Default) ^ (0x010203u * n);
        else if constexpr (std::is_same_v<F, QString S::*>)
            values.*field = QStringLiteral("värde, \"%1\" ").arg(d.Name);
        else if constexpr (std::is_same_v<F, QStringList S::*>)
            values.*field = QStringList{d.Name, "två ord", "a,b", "\"q\"", QString(), "@x"};
        else {
            for (int i = 0; i < 3; ++i) {
                TCustomKeywordGroup g;
                g.Keywords = QStringList{QStringLiteral("ord%1").arg(i), "med blank"};
                g.Color = 0x102030u + i;
                g.Bold = i == 0;
                g.Italic = i == 1;
                g.Underline = i != 2;
                (values.*field).push_back(g);
            }
        }
    });
}

TEST_F(SettingsStoreTest, EmptyStoreGivesTheDefaults) {
    const TSettingsReadResult r = Read();
    EXPECT_FALSE(r.SettingsReadFailed);
    EXPECT_EQ(r.Values, S());
    const S& v = r.Values;
    EXPECT_TRUE(v.Maximized);
    EXPECT_TRUE(v.ShowToolbar);
    EXPECT_TRUE(v.ShowStatus);
    EXPECT_FALSE(v.ShowInsertToolbar || v.ShowModifyToolbar);
    EXPECT_FALSE(v.ShowCommonDocs || v.ShowSearch || v.ShowBookmarks || v.ShowFTP || v.ShowTagRef);
    EXPECT_EQ(v.kvKvDefault, 1);
    EXPECT_EQ(v.FontName, "Courier New");
    EXPECT_EQ(v.FontSize, 10);
    EXPECT_TRUE(v.AutoBackup);
    EXPECT_EQ(v.TabLength, 4);
    // A new store colours the usual file types; the user's lists start empty.
    EXPECT_EQ(v.synHTMLext, (QStringList{"htm", "html", "xhtml", "shtml", "php", "asp"}));
    EXPECT_EQ(v.synCSSext, QStringList{"css"});
    EXPECT_EQ(v.synJSext, QStringList{"js"});
    EXPECT_EQ(v.synSUBext, QStringList{"sub"});
    EXPECT_EQ(v.synPASCALext, (QStringList{"pas", "dpr", "inc"}));
    EXPECT_TRUE(v.synTXTEXext.isEmpty() && v.synCUSText.isEmpty());
    EXPECT_TRUE(v.CustomGroups.empty());
    EXPECT_EQ(v.BgColor, clWindow);
    EXPECT_EQ(v.RulerColor, 0xFF000010u);
    EXPECT_EQ(v.synPASCALNumber, 255u);
    EXPECT_EQ(v.PreviewSaveFile, AppPaths::DataFile("_preview.html"));
    EXPECT_EQ(v.PreviewOpenFile, AppPaths::DataFile("_preview.html"));
    EXPECT_FALSE(QFileInfo::exists(path_)) << "reading must not create the store";
}

TEST_F(SettingsStoreTest, EveryValueSurvivesARoundTrip) {
    const S written = EveryValueChanged();
    {
        auto store = Open();
        store->setValue("Settings/Running", 1);
        store->setValue("Settings/FirstRun", 1);
        ASSERT_TRUE(WriteSettings(*store, written));
    }
    const TSettingsReadResult r = Read();
    EXPECT_FALSE(r.SettingsReadFailed) << r.BadValues.join(", ").toStdString();
    const S defaults;
    for (const TSettingDescriptor& d : SettingsDescriptors()) {
        const QVariant expected = FieldValue(d.ReadOnly ? defaults : written, d);
        EXPECT_EQ(FieldValue(r.Values, d), expected) << d.Name.toStdString();
    }
    EXPECT_EQ(r.Values.CustomGroups, written.CustomGroups);

    auto store = Open();
    store->beginGroup(kSettingsGroup);
    EXPECT_EQ(store->value("Running").toInt(), 1) << "the instances' marks are their own";
    EXPECT_FALSE(store->contains("FirstRun"));
    EXPECT_FALSE(store->contains("WinTMPDir"));
    EXPECT_FALSE(store->contains("ShowReplaceProgress"));
    // Stored forms: Booleans 0/1, colours unsigned, lists as comma text.
    EXPECT_EQ(store->value("ShowReopen").toString(), written.ShowReopen ? "1" : "0");
    EXPECT_EQ(store->value("BgColor").toString(), QString::number(written.BgColor));
    EXPECT_EQ(store->value("caEdit").toString(), ToCommaText(written.caEdit));
}

TEST_F(SettingsStoreTest, EveryWrittenValueIsInTheWritingOrderOnce) {
    // A value missing from the writing order would be lost at every end of the program.
    const QStringList& order = SettingsWriteOrder();
    for (const TSettingDescriptor& d : SettingsDescriptors())
        EXPECT_EQ(order.count(d.Name), d.ReadOnly ? 0 : 1) << d.Name.toStdString();
    for (const QString& name : order)
        EXPECT_NE(FindSettingDescriptor(name), nullptr) << name.toStdString();
}

struct TStoredCase {
    const char* Line; // as it stands in the file
    const char* Name;
    QVariant Expected;
    bool Bad;
};

// Stands for the preview file of the data folder, which is known only once the test runs.
const QVariant kPreview = QStringLiteral("<data folder>/_preview.html");

void PrintTo(const TStoredCase& c, std::ostream* os) {
    *os << c.Line;
}

class StoredValueTest : public SettingsStoreTest,
                        public ::testing::WithParamInterface<TStoredCase> {};

TEST_P(StoredValueTest, ReadsAs) {
    const TStoredCase& c = GetParam();
    WriteIni(QByteArray(c.Line) + "\n");
    const TSettingsReadResult r = Read();
    const TSettingDescriptor* d = FindSettingDescriptor(c.Name);
    ASSERT_NE(d, nullptr);
    const QVariant expected =
        c.Expected == kPreview ? QVariant(AppPaths::DataFile("_preview.html")) : c.Expected;
    EXPECT_EQ(FieldValue(r.Values, *d), expected) << c.Line;
    EXPECT_EQ(r.SettingsReadFailed, c.Bad) << c.Line;
    EXPECT_EQ(r.BadValues.contains(c.Name), c.Bad) << c.Line;
}

QVariant Colour(quint32 c) {
    return QVariant::fromValue<quint32>(c);
}

INSTANTIATE_TEST_SUITE_P(
    Table, StoredValueTest,
    ::testing::Values(
        // Missing values give their defaults.
        TStoredCase{"Other=1", "FontSize", 10, false},
        TStoredCase{"Other=1", "Maximized", true, false},
        TStoredCase{"Other=1", "synCSSext", QStringList{"css"}, false},
        // A stored colouring list, even an empty one, is never replaced by the seeded one.
        TStoredCase{"synHTMLext=", "synHTMLext", QStringList(), false},
        TStoredCase{"synJSext=mjs", "synJSext", QStringList{"mjs"}, false},
        // Numbers outside their ranges.
        TStoredCase{"FontSize=3", "FontSize", 10, false},
        TStoredCase{"FontSize=80", "FontSize", 10, false},
        TStoredCase{"FontSize=14", "FontSize", 14, false},
        TStoredCase{"TabLength=1000", "TabLength", 100, false},
        TStoredCase{"TabLength=-5", "TabLength", 0, false},
        TStoredCase{"SpeedJump=0", "SpeedJump", 1, false},
        TStoredCase{"SpeedJump=99999999999", "SpeedJump", 500, false},
        TStoredCase{"RulerLineNumberEvery=0", "RulerLineNumberEvery", 1, false},
        TStoredCase{"RulerLineNumberEvery=11", "RulerLineNumberEvery", 10, false},
        TStoredCase{"TextXSpace=-1", "TextXSpace", 0, false},
        TStoredCase{"TextYSpace=500", "TextYSpace", 100, false},
        TStoredCase{"synCUSTNumGroups=1000", "synCUSTNumGroups", 32, false},
        TStoredCase{"synCUSTNumGroups=-3", "synCUSTNumGroups", 0, false},
        TStoredCase{"LayoutOrientation=2", "LayoutOrientation", 2, false},
        TStoredCase{"LayoutOrientation=7", "LayoutOrientation", 1, false},
        TStoredCase{"kvKvDefault=2", "kvKvDefault", 2, false},
        TStoredCase{"kvKvDefault=5", "kvKvDefault", 0, false},
        TStoredCase{"Width=640", "Width", 640, false},
        // Wrong-typed values take their defaults and raise the flag.
        TStoredCase{"FontSize=abc", "FontSize", 10, true},
        TStoredCase{"Width=", "Width", 800, true},
        TStoredCase{"TabLength=4.5", "TabLength", 4, true},
        TStoredCase{"ShowToolbar=maybe", "ShowToolbar", true, true},
        TStoredCase{"BgColor=red", "BgColor", Colour(clWindow), true},
        TStoredCase{"BgColor=99999999999", "BgColor", Colour(clWindow), true},
        TStoredCase{"synCUSTNumGroups=x", "synCUSTNumGroups", 0, true},
        TStoredCase{"FontName=@Rect(1 2 3 4)", "FontName", "Courier New", true},
        // Lenient forms.
        TStoredCase{"ShowToolbar=false", "ShowToolbar", false, false},
        TStoredCase{"ShowStatus=0", "ShowStatus", false, false},
        TStoredCase{"HiddenChrs=TRUE", "HiddenChrs", true, false},
        TStoredCase{"HiddenChrs=2", "HiddenChrs", true, false},
        TStoredCase{"BgColor=4278190085", "BgColor", Colour(clWindow), false},
        TStoredCase{"BgColor=-16777211", "BgColor", Colour(clWindow), false},
        TStoredCase{"BgColor=0xFF0000", "BgColor", Colour(0xFF0000), false},
        TStoredCase{"caEdit=htm, html", "caEdit", QStringList{"htm", "html"}, false},
        TStoredCase{"caEdit=\"htm html\"", "caEdit", QStringList{"htm", "html"}, false},
        TStoredCase{"BrwFileName=a, b", "BrwFileName", "a, b", false},
        // Empty texts.
        TStoredCase{"PreviewSaveFile=", "PreviewSaveFile", kPreview, false},
        TStoredCase{"PreviewOpenFile=", "PreviewOpenFile", kPreview, false},
        TStoredCase{"PreviewOpenFile=/tmp/p.html", "PreviewOpenFile", "/tmp/p.html", false},
        TStoredCase{"FontName=", "FontName", "Courier New", false},
        TStoredCase{"ItalicTag=", "ItalicTag", "EM", false},
        TStoredCase{"BoldTag=", "BoldTag", "STRONG", false},
        TStoredCase{"BrwFileName=", "BrwFileName", "", false},
        TStoredCase{"ShortCutKey3=/s/k.sub", "ShortCutKey3", "/s/k.sub", false}));

TEST_F(SettingsStoreTest, ABadValueDoesNotStopTheReading) {
    // ShowToolbar and FontSize come early in the reading order, the others after them.
    WriteIni("ShowToolbar=maybe\nShowStatus=0\nFontSize=zz\nTabLength=8\n"
             "synCUSTNumGroups=2\nsynCUSTKeyword0=blue\nsynCUSTKeywordBold0=1\n"
             "ShortCutKey9=/k9.sub\n");
    const TSettingsReadResult r = Read();
    EXPECT_TRUE(r.SettingsReadFailed);
    EXPECT_EQ(r.BadValues, (QStringList{"ShowToolbar", "FontSize", "synCUSTKeyword0"}));
    EXPECT_TRUE(r.Values.ShowToolbar);
    EXPECT_FALSE(r.Values.ShowStatus);
    EXPECT_EQ(r.Values.FontSize, 10);
    EXPECT_EQ(r.Values.TabLength, 8);
    ASSERT_EQ(r.Values.CustomGroups.size(), 2u);
    EXPECT_EQ(r.Values.CustomGroups[0].Color, 153u);
    EXPECT_TRUE(r.Values.CustomGroups[0].Bold);
    EXPECT_EQ(r.Values.ShortCutKey[9], "/k9.sub");
}

TEST_F(SettingsStoreTest, AListValueReadsUpToAControlCharacter) {
    // Every control character inside an unquoted entry, once through the store's own escapes
    // (as a QString) and once with a comma that the store splits itself (as a string list).
    for (ushort c = 0; c < 0x20; ++c) {
        SCOPED_TRACE(c);
        const QString value = QStringLiteral("abc") + QChar(c) + QStringLiteral("def");
        {
            auto store = Open();
            store->clear();
            store->setValue("Settings/SearchMRU", value);
            store->setValue("Settings/ReplaceMRU", QStringList{"x", value, "y"});
            store->setValue("Settings/synCUSTNumGroups", 1);
            store->setValue("Settings/synCUSTKeywords0", value);
        }
        const TSettingsReadResult r = Read();
        const bool blank = c == '\t' || c == '\n' || c == '\r';
        const QStringList list = blank ? QStringList{"abc", "def"} : QStringList{"abc"};
        const QStringList split = blank ? QStringList{"x", value, "y"} : QStringList{"x", "abc"};
        const QStringList bad = {"SearchMRU", "ReplaceMRU", "synCUSTKeywords0"};
        EXPECT_EQ(r.Values.SearchMRU, list);
        EXPECT_EQ(r.Values.ReplaceMRU, split);
        ASSERT_EQ(r.Values.CustomGroups.size(), 1u);
        EXPECT_EQ(r.Values.CustomGroups[0].Keywords, list);
        EXPECT_EQ(r.SettingsReadFailed, !blank);
        EXPECT_EQ(r.BadValues, blank ? QStringList() : bad);
    }
}

TEST_F(SettingsStoreTest, TagCaseOutsideOneAndTwoIsNotWrittenBack) {
    WriteIni("kvKvDefault=5\n");
    S v = Read().Values;
    ASSERT_TRUE(WriteSettings(*Open(), v));
    EXPECT_EQ(Open()->value("Settings/kvKvDefault").toInt(), 5);
    v.kvKvDefault = 2;
    ASSERT_TRUE(WriteSettings(*Open(), v));
    EXPECT_EQ(Open()->value("Settings/kvKvDefault").toInt(), 2);
}

TEST_F(SettingsStoreTest, FewerGroupsLeaveTheOldOnesStoredAndIgnored) {
    S v;
    v.CustomGroups.resize(6);
    for (int i = 0; i < 6; ++i)
        v.CustomGroups[i].Keywords = QStringList{QStringLiteral("w%1").arg(i)};
    ASSERT_TRUE(WriteSettings(*Open(), v));
    v.CustomGroups.resize(2);
    ASSERT_TRUE(WriteSettings(*Open(), v));

    auto store = Open();
    EXPECT_EQ(store->value("Settings/synCUSTNumGroups").toInt(), 2);
    for (int i = 2; i < 6; ++i)
        EXPECT_TRUE(store->contains(QStringLiteral("Settings/synCUSTKeywords%1").arg(i)));
    EXPECT_EQ(ReadSettings(*store).Values.CustomGroups, v.CustomGroups);
}

TEST_F(SettingsStoreTest, RunningAndFirstRun) {
    {
        auto store = Open();
        EXPECT_FALSE(IsFirstRun(*store));
        store->setValue("Settings/FirstRun", QString());
        store->sync();
        EXPECT_TRUE(IsFirstRun(*store));

        const TRunningMark first = MarkRunning(*store, 1);
        EXPECT_FALSE(first.PreviousRunUnfinished);
        EXPECT_TRUE(first.Written);
        // On disk at once: a crash now is seen by the next start.
        EXPECT_TRUE(Open()->contains("Settings/Running"));
        // The store object is dropped without an orderly end.
    }
    {
        auto store = Open();
        EXPECT_TRUE(MarkRunning(*store, 1).PreviousRunUnfinished);
        EXPECT_TRUE(ClearRunning(*store, 1));
        EXPECT_FALSE(Open()->contains("Settings/Running"));
        EXPECT_TRUE(IsFirstRun(*Open())) << "an end at start keeps the first run";
    }
    {
        auto store = Open();
        EXPECT_FALSE(MarkRunning(*store, 1).PreviousRunUnfinished);
        ASSERT_TRUE(ClearRunning(*store, 1));
        ASSERT_TRUE(WriteSettings(*store, S()));
    }
    auto store = Open();
    EXPECT_FALSE(IsFirstRun(*store));
    EXPECT_FALSE(MarkRunning(*store, 1).PreviousRunUnfinished);
}

// Each instance lists its own slot; one that leaves takes only its own off the list, and a
// store object sees what another one wrote meanwhile.
TEST_F(SettingsStoreTest, RunningListsEachInstancesSlot) {
    auto first = Open();
    auto second = Open();
    EXPECT_FALSE(MarkRunning(*first, 1).PreviousRunUnfinished);
    EXPECT_FALSE(MarkRunning(*second, 2).PreviousRunUnfinished);
    EXPECT_EQ(RunningSlots(*first), (QList<int>{1, 2}));
    EXPECT_TRUE(MarkRunning(*first, 2).PreviousRunUnfinished);
    ASSERT_TRUE(ClearRunning(*first, 1));
    EXPECT_EQ(Open()->value("Settings/Running").toInt(), 2);
    ASSERT_TRUE(ClearRunning(*second, 2));
    EXPECT_FALSE(Open()->contains("Settings/Running"));

    // What an earlier single run left: any value marks the first slot.
    const struct {
        QByteArray Stored;
        QList<int> Slots;
    } cases[] = {
        {"Running=1\n", {1}},       {"Running=true\n", {1}},       {"Running=\n", {1}},
        {"Running=3, 1\n", {1, 3}}, {"Running=\"2,x\"\n", {1, 2}}, {"Other=1\n", {}},
    };
    for (const auto& c : cases) {
        WriteIni(c.Stored);
        EXPECT_EQ(RunningSlots(*Open()), c.Slots) << c.Stored.toStdString();
    }
}

TEST_F(SettingsStoreTest, TextToolPath) {
    const QString mervanta = QFileInfo(path_).path() + "/Mervanta.ini";
    QFile::remove(mervanta);
    {
        QSettings store(mervanta, QSettings::IniFormat);
        EXPECT_EQ(ReadTpPath(store), QString());
    }
    EXPECT_FALSE(QFileInfo::exists(mervanta)) << "the other program's store is never created";

    WriteTestFile(QDir(TestRootDir()).relativeFilePath(mervanta), "[Other]\nTpPath=/x\n");
    {
        QSettings store(mervanta, QSettings::IniFormat);
        EXPECT_EQ(ReadTpPath(store), QString());
    }
    WriteTestFile(QDir(TestRootDir()).relativeFilePath(mervanta), "[Settings]\nLang=sv\n");
    {
        QSettings store(mervanta, QSettings::IniFormat);
        EXPECT_EQ(ReadTpPath(store), kDefaultTextToolPath);
    }
    WriteTestFile(QDir(TestRootDir()).relativeFilePath(mervanta),
                  "[Settings]\nTpPath=/opt/mervanta/mervanta\n");
    {
        QSettings store(mervanta, QSettings::IniFormat);
        EXPECT_EQ(ReadTpPath(store), "/opt/mervanta/mervanta");
    }
    EXPECT_EQ(ReadTestFile(mervanta), "[Settings]\nTpPath=/opt/mervanta/mervanta\n");
}

// A store whose file cannot be written: every write reports the failure.
void ExpectWritesFail(QSettings& store) {
    EXPECT_FALSE(WriteSettings(store, S()));
    EXPECT_FALSE(MarkRunning(store, 1).Written);
    EXPECT_FALSE(ClearRunning(store, 1));
}

TEST_F(SettingsStoreTest, WriteToAReadOnlyFolderIsReported) {
    const QString dir = QFileInfo(path_).path() + "/readonly";
    QDir().mkpath(dir);
    QFile::setPermissions(dir, QFile::ReadOwner | QFile::ExeOwner);
    QFile probe(dir + "/probe");
    if (probe.open(QIODevice::WriteOnly)) {
        probe.remove();
        QFile::setPermissions(dir, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        GTEST_SKIP() << "this user can write into read-only folders";
    }
    {
        QSettings store(dir + "/Kelvora.ini", QSettings::IniFormat);
        ExpectWritesFail(store);
    }
    QFile::setPermissions(dir, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

TEST_F(SettingsStoreTest, WriteBelowAFileIsReported) {
    // The store's folder is a plain file: no user can write there.
    const QString notADir = QFileInfo(path_).path() + "/plainfile";
    WriteTestFile(QDir(TestRootDir()).relativeFilePath(notADir), "x");
    QSettings store(notADir + "/Kelvora.ini", QSettings::IniFormat);
    ExpectWritesFail(store);
}

TEST_F(SettingsStoreTest, ABrokenStoreFileIsReportedAndReplaced) {
    QFile f(path_);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("[Settings\nFontSize=14\n\x01=\n");
    f.close();
    const TSettingsReadResult r = Read();
    EXPECT_TRUE(r.SettingsReadFailed);
    S v = r.Values;
    v.TabLength = 8;
    auto store = Open();
    EXPECT_TRUE(WriteSettings(*store, v));
    EXPECT_TRUE(MarkRunning(*store, 1).Written);
    EXPECT_EQ(Read().Values.TabLength, 8);
}

TEST(CommaTextTest, ParsesAndRoundTrips) {
    using namespace std::string_view_literals;
    const struct {
        std::string_view Text;
        QStringList List;
        bool Valid = true;
    } cases[] = {
        {"", {}},
        {"htm,html", {"htm", "html"}},
        {"  htm html\tphp ", {"htm", "html", "php"}},
        {"a, b ,c", {"a", "b", "c"}},
        {"\"two words\",x", {"two words", "x"}},
        {"\"say \"\"hi\"\"\"", {"say \"hi\""}},
        {"a,,b", {"a", "", "b"}},
        {"a,", {"a", ""}},
        {"\"\"", {""}},
        {"\"open", {"open"}},
        // A NUL ends the text, quoted or not; another control character only outside quotes.
        {"a,\0b"sv, {"a", ""}, false},
        {"\"a\0b\",c"sv, {"a"}, false},
        {"a\x01,b", {"a"}, false},
        {"a,\x1b", {"a", ""}, false},
        {"\"a\x01b\",c", {"a\x01b", "c"}},
    };
    for (const auto& c : cases) {
        bool valid = !c.Valid;
        const QString text = QString::fromUtf8(c.Text.data(), qsizetype(c.Text.size()));
        EXPECT_EQ(FromCommaText(text, &valid), c.List) << c.Text;
        EXPECT_EQ(valid, c.Valid) << c.Text;
    }

    const QStringList lists[] = {
        {},
        {""},
        {"htm"},
        {"två ord", "a,b", "\"q\"", "", "x"},
        {" lead", "trail ", "tab\there", "bell\x07"},
    };
    for (const QStringList& l : lists)
        EXPECT_EQ(FromCommaText(ToCommaText(l)), l) << ToCommaText(l).toStdString();
    EXPECT_EQ(ToCommaText({"htm", "two words", "a,b"}), "htm,\"two words\",\"a,b\"");
}

TEST_F(SettingsStoreTest, EditorTakesItsValuesAndGivesBackTheZoom) {
    S v = EveryValueChanged();
    v.FontName = QStringLiteral("DejaVu Sans Mono");
    v.FontSize = 12;
    TTextEditorEx editor;
    ApplyToEditor(v, &editor);
    const TTextEditorExSettings& s = *editor.Settings();
    EXPECT_EQ(s.TabLength(), v.TabLength);
    EXPECT_EQ(s.BkColor(), v.BgColor);
    EXPECT_EQ(editor.Color(), v.BgColor);
    EXPECT_EQ(s.HighlightColor, v.SelBgColor);
    EXPECT_EQ(s.HighlightTextColor, v.SelFgColor);
    EXPECT_EQ(s.ShowHiddenChars, v.HiddenChrs);
    EXPECT_EQ(s.AutoEncode, v.AutoCode);
    EXPECT_EQ(s.OverwriteMode(), v.OverwriteMode);
    EXPECT_EQ(s.SpeedJump, v.SpeedJump);
    EXPECT_EQ(s.ListMenuHelper, v.ListMenuHelper);
    EXPECT_EQ(editor.FontColor, v.FgColor);
    EXPECT_EQ(editor.EditorFont.family(), v.FontName);
    EXPECT_EQ(editor.EditorFont.pointSize(), 12);
    EXPECT_EQ(editor.TextXSpace(), v.TextXSpace);
    EXPECT_EQ(editor.TextYSpace(), v.TextYSpace);

    S back = v;
    TakeFromEditor(&back, editor);
    EXPECT_EQ(back, v);

    editor.ZoomIn();
    TakeFromEditor(&back, editor);
    EXPECT_EQ(back.FontSize, 14);
    ASSERT_TRUE(WriteSettings(*Open(), back));
    EXPECT_EQ(Read().Values.FontSize, 14);
}

TEST(WindowStateTest, TheNormalSizeIsTakenNotTheMaximizedOne) {
    S v;
    QWidget window;
    window.resize(640, 480);
    window.show();
    TakeWindowState(&v, window);
    EXPECT_FALSE(v.Maximized);
    EXPECT_EQ(v.Width, 640);
    EXPECT_EQ(v.Height, 480);

    window.showMaximized();
    ASSERT_TRUE(window.isMaximized());
    TakeWindowState(&v, window);
    EXPECT_TRUE(v.Maximized);
    EXPECT_EQ(v.Width, 640);
    EXPECT_EQ(v.Height, 480);
}

} // namespace
