#include "ChangedSettings.h"
#include "StartupFixture.h"

#include "app/dialogs/WelcomeWin.h"
#include "app/preview/ViewModes.h"
#include "editor/colouring/CSSFormattingProcessor.h"
#include "editor/colouring/HTMLFormattingProcessor.h"
#include "editor/view/TextEditorEx.h"
#include "platform/SilentAbort.h"

#include <QAction>
#include <QLabel>
#include <QPushButton>
#include <QStatusBar>
#include <QToolBar>

namespace {

using S = TSettingsValues;

// One descriptor's value as text, for messages that name what differs.
QString FieldText(const S& v, const TSettingDescriptor& d) {
    return std::visit(
        [&](auto field) -> QString {
            using F = decltype(field);
            if constexpr (std::is_same_v<F, bool S::*> || std::is_same_v<F, int S::*> ||
                          std::is_same_v<F, TColor S::*>)
                return QString::number(v.*field);
            else if constexpr (std::is_same_v<F, QString S::*>)
                return v.*field;
            else if constexpr (std::is_same_v<F, QStringList S::*>)
                return ToCommaText(v.*field);
            else if constexpr (std::is_same_v<F, std::array<QString, 10> S::*>)
                return (v.*field)[d.Index];
            else
                return QString::number((v.*field).size());
        },
        d.Field);
}

// The names whose values differ.
QStringList Differences(const S& a, const S& b) {
    QStringList out;
    for (const TSettingDescriptor& d : SettingsDescriptors())
        if (FieldText(a, d) != FieldText(b, d))
            out << d.Name + ": " + FieldText(a, d) + " / " + FieldText(b, d);
    if (a.CustomGroups != b.CustomGroups)
        out << QStringLiteral("keyword groups");
    return out;
}

// Every value other than its default (plain colours, a font family that exists by name).
S EveryValueChanged() {
    S v = EveryValueChangedBy([](S& values, const TSettingDescriptor& d, auto field, int n) {
        using F = decltype(field);
        if constexpr (std::is_same_v<F, TColor S::*>)
            values.*field = 0x010203u * static_cast<TColor>(n);
        else if constexpr (std::is_same_v<F, QString S::*>)
            values.*field = QStringLiteral("/värde, \"%1\" ").arg(d.Name);
        else if constexpr (std::is_same_v<F, QStringList S::*>)
            values.*field = QStringList{d.Name.toLower(), "två ord", "a,b"};
        else
            for (int i = 0; i < 3; ++i)
                (values.*field)
                    .push_back(
                        {{QStringLiteral("ord%1").arg(i)}, 0x102030u + i, i == 0, i == 1, i != 2});
    });
    v.FontName = QStringLiteral("DejaVu Sans Mono");
    v.Width = 640;
    v.Height = 560; // room for every side panel shown at once
    return v;
}

} // namespace

// Every stored value reaches the running program or is kept, is written back at the close,
// and a second window reading the same store has it all again.
TEST_F(StartupTest, EverySettingSurvivesACloseAndARestart) {
    S written = EveryValueChanged();
    {
        const auto store = OpenKelvoraStore();
        store->setValue("Settings/FirstRun", 1);
        ASSERT_TRUE(WriteSettings(*store, written));
        store->setValue("Settings/FirstRun", 1);
        store->sync();
        const auto mervanta = OpenMervantaStore();
        mervanta->setValue("Settings/TpPath", "/opt/mervanta/mervanta");
        mervanta->sync();
    }
    // Values never written come back as their defaults.
    const S defaults;
    for (const TSettingDescriptor& d : SettingsDescriptors())
        if (d.ReadOnly)
            std::visit(
                [&](auto field) {
                    using F = decltype(field);
                    if constexpr (std::is_same_v<F, bool S::*> || std::is_same_v<F, QString S::*>)
                        written.*field = defaults.*field;
                },
                d.Field);

    win = std::make_unique<Tmain>();
    EXPECT_FALSE(win->SettingsReadFailed);
    EXPECT_TRUE(win->IsFirstRun);
    EXPECT_EQ(win->TextToolPath, "/opt/mervanta/mervanta");
    // What the running program has.
    EXPECT_FALSE(win->ShowReopenEnabled);
    EXPECT_FALSE(HintsShown());
    EXPECT_FALSE(win->Toolbar->isVisibleTo(win.get()));
    EXPECT_FALSE(win->statusBar()->isVisibleTo(win.get()));
    EXPECT_FALSE(win->isMaximized());
    EXPECT_EQ(win->size(), QSize(640, 560));
    EXPECT_EQ(win->CodeEditor->Settings()->TabLength(), written.TabLength);
    EXPECT_EQ(win->CodeEditor->Settings()->SpeedJump, written.SpeedJump);
    EXPECT_EQ(win->CodeEditor->FontColor, written.FgColor);
    EXPECT_EQ(win->CodeEditor->TextYSpace(), written.TextYSpace);
    EXPECT_EQ(win->TagCase, 2);
    EXPECT_TRUE(win->UseOtherBrowser);
    EXPECT_EQ(win->BoldTagName, written.BoldTag);
    EXPECT_EQ(win->synCSSext, written.synCSSext);
    EXPECT_FALSE(win->InteractiveFormattingEnabled);
    EXPECT_EQ(win->HTMLFormattingProcessor1->TagValColor, written.synHTMLVal);
    EXPECT_EQ(win->HTMLFormattingProcessor1->TagNameBold, written.synHTMLNameBold);
    EXPECT_EQ(win->CSSFormattingProcessor1->GroupSepColor, written.synCSSSep);
    // The first run greets the user with the welcome window.
    QStringList welcomed;
    modal.reset();
    modal = ScriptBoxes(seen, answers, [&welcomed](QDialog* d) {
        if (auto* w = qobject_cast<Twelcome*>(d)) {
            welcomed << w->btnStartECNow->text();
            return int(Dialogs::mrOk);
        }
        return -1;
    });
    win->show();
    EXPECT_EQ(welcomed, QStringList{QStringLiteral("Starta Kelvora")});
    EXPECT_EQ(win->CodeEditor->EditorFont.family(), written.FontName);
    EXPECT_EQ(win->CodeEditor->EditorFont.pointSize(), written.FontSize);
    EXPECT_EQ(Differences(win->CurrentSettings(), written), QStringList());

    ASSERT_TRUE(win->close());
    win.reset();
    EXPECT_FALSE(Stored("FirstRun").isValid());
    EXPECT_FALSE(Stored("Running").isValid());
    const TSettingsReadResult read = ReadSettings(*OpenKelvoraStore());
    EXPECT_FALSE(read.SettingsReadFailed);
    EXPECT_EQ(Differences(read.Values, written), QStringList());

    SetHintsShown(true);
    win = std::make_unique<Tmain>();
    EXPECT_FALSE(win->IsFirstRun);
    EXPECT_FALSE(win->PreviousRunUnfinished);
    EXPECT_FALSE(HintsShown());
    EXPECT_EQ(Differences(win->CurrentSettings(), written), QStringList());
}

// What changes while the program runs is what the close writes.
TEST_F(StartupTest, RunningChangesAreWritten) {
    win = std::make_unique<Tmain>();
    win->show();
    win->CodeEditor->EditorFont.setPointSize(14); // as zooming does
    win->CodeEditor->Settings()->SetOverwriteMode(true);
    win->Toolbar->hide();
    win->TagCase = 0; // names as written: not stored
    ASSERT_TRUE(win->close());
    EXPECT_EQ(Stored("FontSize").toInt(), 14);
    EXPECT_EQ(Stored("OverwriteMode").toInt(), 1);
    EXPECT_EQ(Stored("ShowToolbar").toInt(), 0);
    EXPECT_FALSE(Stored("kvKvDefault").isValid());
}

// An empty store: a maximized window whose normal size is kept, and what it writes back is
// that normal size, not the maximized one.
TEST_F(StartupTest, WindowNormalSizeIsWrittenWhenMaximized) {
    Store("Width", 700);
    Store("Height", 500);
    win = std::make_unique<Tmain>();
    EXPECT_TRUE(win->isMaximized());
    EXPECT_TRUE(win->Toolbar->isVisibleTo(win.get()));
    EXPECT_TRUE(win->statusBar()->isVisibleTo(win.get()));
    EXPECT_EQ(win->TagCase, 1);
    EXPECT_EQ(win->CodeEditor->EditorFont.family(), "Courier New");
    win->show();
    ASSERT_TRUE(win->close());
    EXPECT_EQ(Stored("Maximized").toInt(), 1);
    EXPECT_EQ(Stored("Width").toInt(), 700);
    EXPECT_EQ(Stored("Height").toInt(), 500);
}

// Unreadable and out-of-range values take their defaults, the reading goes on, and the first
// show says so once.
TEST_F(StartupTest, BadValuesAreReportedOnceAndTakeTheirDefaults) {
    Store("TabLength", "fyra");
    Store("FontSize", 99);
    Store("SpeedJump", 0);
    Store("TextXSpace", 9);
    Store("Width", -20);
    win = std::make_unique<Tmain>();
    EXPECT_TRUE(win->SettingsReadFailed);
    EXPECT_TRUE(seen.isEmpty()) << "nothing is shown before the window";
    EXPECT_EQ(win->CodeEditor->Settings()->TabLength(), 4);
    EXPECT_EQ(win->EditorFontSize, 10);
    EXPECT_EQ(win->CodeEditor->Settings()->SpeedJump, 1);
    EXPECT_EQ(win->CodeEditor->TextXSpace(), 9) << "values after the bad one are read";
    win->show();
    win->hide();
    win->show();
    EXPECT_EQ(seen, QStringList{"M:" + kSettingsReadFailedText});
}

// A list value with a NUL or another control character starts the window with what is valid
// of it; the user hears of it once, and the close writes back what was read.
TEST_F(StartupTest, ListValuesWithControlCharactersStartTheWindow) {
    Store("SearchMRU", QStringLiteral("abc") + QChar(0) + QStringLiteral("def"));
    Store("ReplaceMRU", QStringLiteral("ett,tv\u00e5") + QChar(0x1b) + QStringLiteral("tre"));
    win = std::make_unique<Tmain>();
    EXPECT_EQ(win->CurrentSettings().SearchMRU, QStringList{"abc"});
    EXPECT_EQ(win->CurrentSettings().ReplaceMRU, (QStringList{"ett", "tv\u00e5"}));
    win->show();
    EXPECT_EQ(seen, QStringList{"M:" + kSettingsReadFailedText});
    ASSERT_TRUE(win->close());
    win.reset();
    const TSettingsReadResult read = ReadSettings(*OpenKelvoraStore());
    EXPECT_FALSE(read.SettingsReadFailed);
    EXPECT_EQ(read.Values.SearchMRU, QStringList{"abc"});
}

TEST_F(StartupTest, FailedFinalWriteIsReported) {
    win = std::make_unique<Tmain>();
    win->show();
    // The store's file becomes a folder: it can no longer be written.
    const QString file = OpenKelvoraStore()->fileName();
    ASSERT_TRUE(QFile::remove(file));
    ASSERT_TRUE(QDir().mkpath(file));
    seen.clear();
    EXPECT_TRUE(win->close());
    EXPECT_EQ(seen, QStringList{"M:" + kSettingsWriteFailedText});
    win.reset();
    QDir(file).removeRecursively();
}

// The view and hint values reach the running program, and what it changes while running is
// what the next start finds.
TEST_F(StartupTest, ViewAndHintSettingsApplyAndSurviveARestart) {
    const QString copy = File("copy.html");
    Store("APUEnabled", 1);
    Store("LayoutOrientation", 2);
    Store("caPreview", "htm,php");
    Store("caCombination", "html");
    Store("ShowToolExp", 0);
    Store("PreviewSaveFile", copy);
    win = std::make_unique<Tmain>();
    EXPECT_TRUE(win->Views->VToggleAutoPreviewUpdate->isChecked());
    EXPECT_FALSE(win->Views->VToggleAutoSaveOnUpdate->isChecked());
    EXPECT_TRUE(win->Views->SplitVertical);
    EXPECT_EQ(win->Views->PreviewSaveFileName, copy);
    EXPECT_EQ(win->caPreview, (QStringList{"htm", "php"}));
    EXPECT_FALSE(win->ShowToolExpEnabled);
    win->show();
    ASSERT_TRUE(RunCommand([&] { win->NewDocTab(1, Make("page.htm", "<p>x</p>")); }));
    EXPECT_EQ(win->Views->ViewMode(), vmPreview);
    ASSERT_TRUE(RunCommand([&] { win->NewDocTab(1, Make("page.html", "<p>x</p>")); }));
    EXPECT_EQ(win->Views->ViewMode(), vmCombination);
    win->ApplicationEvents1Hint(QStringLiteral("Spara|Sparar dokumentet"));
    EXPECT_NE(win->statusBar()->currentMessage(), QStringLiteral("Sparar dokumentet"));

    // Changed while running.
    win->Views->VSetOrientationH->trigger();
    win->Views->VToggleAutoPreviewUpdate->trigger();
    win->Views->VToggleAutoSaveOnUpdate->trigger();
    win->caPreview = QStringList{"txt"};
    TSettingsValues options = win->CurrentSettings();
    options.ShowToolExp = true;
    win->ApplySettings(options);
    EXPECT_TRUE(win->ShowToolExpEnabled);
    ASSERT_TRUE(win->close());
    EXPECT_EQ(Stored("LayoutOrientation").toInt(), 1);
    EXPECT_EQ(Stored("APUEnabled").toInt(), 0);
    EXPECT_EQ(Stored("AutoSaveOnUpdate").toInt(), 1);
    EXPECT_EQ(Stored("ShowToolExp").toInt(), 1);
    EXPECT_EQ(Stored("caPreview").toString(), QStringLiteral("txt"));
    EXPECT_EQ(Stored("caCombination").toString(), QStringLiteral("html"));
    EXPECT_EQ(Stored("PreviewSaveFile").toString(), copy);

    win = std::make_unique<Tmain>();
    EXPECT_FALSE(win->Views->SplitVertical);
    EXPECT_FALSE(win->Views->VToggleAutoPreviewUpdate->isChecked());
    EXPECT_TRUE(win->Views->VToggleAutoSaveOnUpdate->isChecked());
    EXPECT_EQ(win->caPreview, QStringList{"txt"});
    EXPECT_TRUE(win->ShowToolExpEnabled);
}

// The options apply the backup setting to the running timer at once.
TEST_F(StartupTest, ApplyingTheBackupSettingStartsAndStopsTheTimer) {
    win = std::make_unique<Tmain>();
    win->show();
    ASSERT_TRUE(win->BackupTimer.IsActive());
    TSettingsValues options = win->CurrentSettings();
    options.AutoBackup = false;
    win->ApplySettings(options);
    EXPECT_FALSE(win->BackupTimer.IsActive());
    options.AutoBackup = true;
    win->ApplySettings(options);
    EXPECT_TRUE(win->BackupTimer.IsActive());
}
