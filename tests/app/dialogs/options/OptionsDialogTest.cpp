// The options dialog: loading the running state, applying it back, the number boxes, the
// keyword groups, "&Verkställ" and the HTML-ground subroutine.
#include "MainWinFixture.h"

#include "app/dialogs/options/OptionBindings.h"
#include "app/dialogs/options/OptionsCommands.h"
#include "app/dialogs/options/OptionsHelpers.h"
#include "app/dialogs/options/OptionsWin.h"
#include "controls/ColorContainer.h"
#include "controls/IntegerEdit.h"
#include "controls/SerieEdit.h"
#include "editor/colouring/CustomFormattingProcessor.h"
#include "editor/colouring/HTMLFormattingProcessor.h"
#include "platform/AppPaths.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>
#include <functional>

namespace {

const QByteArray kHtmlGround = "// HTML-grund\r\nInsertText <html>\r\n";

class OptionsTest : public MainWinTest {
protected:
    void SetUp() override {
        WriteFile(Toptions::HtmlGroundFile(), kHtmlGround);
        MainWinTest::SetUp();
        dlg = &OptionsDialog(*win);
        dlg->FormShow();
    }

    static void WriteFile(const QString& path, const QByteArray& bytes) {
        QDir().mkpath(QFileInfo(path).path());
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }

    template <typename T = QWidget> T* C(const char* name) const {
        T* control = dynamic_cast<T*>(dlg->findChild<QWidget*>(QLatin1String(name)));
        EXPECT_NE(control, nullptr) << name;
        return control;
    }

    // The store as the close would write it now.
    QByteArray Ini(const QString& name) {
        const QString path = File(name);
        {
            QSettings store(path, QSettings::IniFormat);
            EXPECT_TRUE(WriteSettings(store, win->CurrentSettings()));
        }
        return ReadTestFile(path);
    }
    QString IniValue(const QString& key) {
        Ini(QStringLiteral("values.ini"));
        return QSettings(File(QStringLiteral("values.ini")), QSettings::IniFormat)
            .value(kSettingsGroup + QLatin1Char('/') + key)
            .toString();
    }

    // Runs the dialog modally; `user` acts in it and says how it was closed.
    bool Execute(QWidget* page, std::function<int(Toptions*)> user) {
        modal.reset();
        modal = ScriptBoxes(seen, answers, [user](QDialog* d) {
            if (auto* options = qobject_cast<Toptions*>(d))
                return user(options);
            return -1;
        });
        return dlg->Execute(page);
    }
    static int ClickOk(Toptions* d) {
        d->btnOk->click();
        return d->result();
    }

    Toptions* dlg = nullptr;
};

TEST_F(OptionsTest, EveryBindingNamesAControlAndAStoredSetting) {
    for (const TOptionBinding& b : OptionBindings()) {
        SCOPED_TRACE(b.Control);
        EXPECT_NE(dlg->findChild<QWidget*>(QLatin1String(b.Control)), nullptr);
        const TSettingDescriptor* d = FindSettingDescriptor(QLatin1String(b.Setting));
        ASSERT_NE(d, nullptr) << b.Setting;
        EXPECT_FALSE(d->ReadOnly);
    }
}

TEST_F(OptionsTest, LoadsTheRunningStateEveryTimeItIsShown) {
    TSettingsValues v = win->CurrentSettings();
    v.ShowReopen = false;
    v.TabLength = 7;
    v.kvKvDefault = 0;
    v.FlatBtns = false;
    v.AutoIndent = false;
    v.FontName = QStringLiteral("Liberation Mono");
    v.FontSize = 13;
    v.FgColor = RGBColor(1, 2, 3);
    v.synHTMLext = {QStringLiteral("html"), QStringLiteral("htm")};
    v.synHTMLNameBold = false;
    v.ItalicTag = QStringLiteral("I");
    v.DefaultBrw = false;
    v.BrwFileName = QStringLiteral("/usr/bin/webb");
    v.ShortCutKey[0] = QStringLiteral("noll.sub");
    v.caCombination = {QStringLiteral("php")};
    v.PreviewSaveFile = QStringLiteral("/tmp/p.html");
    v.SpeedJump = 222;
    win->ApplySettings(v);
    win->DataFiles.DocTypesList = {QStringLiteral("html")};
    dlg->FormShow();

    EXPECT_FALSE(C<QCheckBox>("ShowReopen")->isChecked());
    EXPECT_EQ(C<QLineEdit>("DefNumSpace")->text(), "7");
    EXPECT_EQ(dlg->DefECC->currentText(), "Gemener"); // names as written show as Gemener
    EXPECT_FALSE(C<QCheckBox>("flatbtns")->isChecked());
    EXPECT_FALSE(C<QCheckBox>("AutoIndent")->isChecked());
    EXPECT_EQ(C<QComboBox>("ce_name")->currentText(), "Liberation Mono");
    EXPECT_EQ(C<QComboBox>("ce_size")->currentText(), "13");
    EXPECT_EQ(C<TColorContainer>("ce_fgc")->CurrentColor(), RGBColor(1, 2, 3));
    // A system colour is shown as the colour it is now.
    EXPECT_EQ(C<TColorContainer>("ce_bgc")->CurrentColor(), ColorToRGB(clWindow));
    EXPECT_EQ(SerieValues(C<TSerieEdit>("psynHTMLext")->GetValues()), v.synHTMLext);
    EXPECT_FALSE(C<QCheckBox>("pHTMLsynNameBold")->isChecked());
    EXPECT_EQ(C<QComboBox>("I")->currentText(), "I");
    EXPECT_TRUE(C<QRadioButton>("brwOther")->isChecked());
    EXPECT_FALSE(C<QRadioButton>("brwDef")->isChecked());
    EXPECT_TRUE(C<QLineEdit>("brwSRC")->isEnabled());
    EXPECT_EQ(C<QLineEdit>("brwSRC")->text(), "/usr/bin/webb");
    EXPECT_EQ(C<QLineEdit>("key0")->text(), "noll.sub");
    EXPECT_EQ(SerieValues(C<TSerieEdit>("pCombinationExt")->GetValues()), v.caCombination);
    EXPECT_EQ(dlg->PreviewSaveFile->text(), "/tmp/p.html");
    EXPECT_EQ(C<QLineEdit>("pSpeedUpdate")->text(), "222");
    EXPECT_EQ(dlg->DTDlist->toPlainText(), "html");
    EXPECT_FALSE(dlg->btnApply->isEnabled());
}

// Each page: a control changed and applied reaches the running program and the stored value.
TEST_F(OptionsTest, EachPageAppliesItsControlsToTheirStoredValues) {
    const auto check = [](bool on) {
        return [on](QWidget* w) { static_cast<QAbstractButton*>(w)->setChecked(on); };
    };
    const auto text = [](const char* t) {
        return [t](QWidget* w) {
            if (auto* combo = qobject_cast<QComboBox*>(w))
                combo->setEditText(QString::fromUtf8(t));
            else
                static_cast<QLineEdit*>(w)->setText(QString::fromUtf8(t));
        };
    };
    const auto colour = [](TColor c) {
        return [c](QWidget* w) { dynamic_cast<TColorContainer*>(w)->SetCurrentColor(c); };
    };
    const auto serie = [](const char* first) {
        return [first](QWidget* w) {
            dynamic_cast<TSerieEdit*>(w)->Edit(0)->setText(QString::fromUtf8(first));
        };
    };
    const struct {
        const char* control;
        std::function<void(QWidget*)> change;
        const char* key;
        const char* stored;
    } cases[] = {
        {"ShowReopen", check(false), "ShowReopen", "0"},
        {"BackupFilesAuto", check(false), "AutoBackup", "0"},
        {"DefNumSpace", text("8"), "TabLength", "8"},
        {"DefECC", [](QWidget* w) { static_cast<QComboBox*>(w)->setCurrentIndex(1); },
         "kvKvDefault", "2"},
        {"flatbtns", check(false), "FlatBtns", "0"},
        {"ShowToolExp", check(false), "ShowToolExp", "0"},
        {"hexcode", check(false), "AutoCode", "0"},
        {"ShowListMenuAuto", check(false), "ListMenuHelperAutoPopup", "0"},
        {"ce_name", text("Liberation Sans"), "FontName", "Liberation Sans"},
        {"ce_size", text("14"), "FontSize", "14"},
        {"ce_sbgc", colour(0x123456), "SelBgColor", "1193046"},
        {"ce_dy", text("7"), "TextYSpace", "7"},
        {"ce_hidden", check(true), "HiddenChrs", "1"},
        {"pSYN", check(false), "InteractiveFormatting", "0"},
        {"psynCSSext", serie("less"), "synCSSext", "less"},
        {"pJSsynKeywordBold", check(false), "synJSKeywordBold", "0"},
        {"pPASCALsynStr", colour(0x0000AA), "synPASCALString", "170"},
        {"I", text("i"), "ItalicTag", "I"},
        {"B", text("b"), "BoldTag", "B"},
        {"brwOther", check(true), "DefaultBrw", "0"},
        {"brwSRC", text("/usr/bin/webb"), "BrwFileName", "/usr/bin/webb"},
        {"key3", text("tre.sub"), "ShortCutKey3", "tre.sub"},
        {"event_htmlwizafter", text("efter.sub"), "EventOnAfterHtmlWiz", "efter.sub"},
        {"pPreviewExt", serie("gif"), "caPreview", "gif"},
        {"PreviewOpenFile", text("/tmp/x.html"), "PreviewOpenFile", "/tmp/x.html"},
        {"pSpeedUpdate", text("300"), "SpeedJump", "300"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.control);
        dlg->FormShow();
        QWidget* control = C(c.control);
        ASSERT_NE(control, nullptr);
        c.change(control);
        ASSERT_TRUE(dlg->ApplyToMain());
        EXPECT_EQ(IniValue(QLatin1String(c.key)), QString::fromUtf8(c.stored));
    }
    // The running program has them too.
    EXPECT_EQ(win->CodeEditor->Settings()->TabLength(), 8);
    EXPECT_EQ(win->CodeEditor->EditorFont.pointSize(), 14);
    EXPECT_EQ(win->TagCase, 2);
    EXPECT_EQ(win->ItalicTagName, "I");
    EXPECT_TRUE(win->UseOtherBrowser);
    EXPECT_TRUE(win->CodeEditor->Settings()->ShowHiddenChars);
    EXPECT_EQ(win->synCSSext, QStringList{"less"});
}

// OK on an unchanged dialog writes back exactly what was there: system colours, names as
// written, lower-case tag names, a keyword group too long for its value series.
TEST_F(OptionsTest, OkWithoutChangesLeavesTheStoreIdentical) {
    TSettingsValues v = win->CurrentSettings();
    v.kvKvDefault = 0;
    v.ItalicTag = QStringLiteral("em");
    v.FontName = QStringLiteral("Liberation Mono");
    v.FontSize = 13;
    v.SelBgColor = clHighlight;
    v.synHTMLTag = clWindowText;
    v.synHTMLext = {QStringLiteral("html"), QStringLiteral("htm")};
    v.ShortCutKey[5] = QStringLiteral("fem.sub");
    QStringList many;
    for (int i = 0; i < 120; ++i)
        many << QStringLiteral("ord%1").arg(i);
    v.CustomGroups = {{{QStringLiteral("a"), QStringLiteral("b")}, clHighlight, true, false, true},
                      {many, 153, false, true, false}};
    win->ApplySettings(v);
    win->DataFiles.AutoCloseTagsList = {QStringLiteral("p"), QStringLiteral("div")};
    const QStringList types = win->DataFiles.DocTypesList;
    const QByteArray before = Ini(QStringLiteral("before.ini"));

    EXPECT_TRUE(Execute(nullptr, ClickOk));
    EXPECT_EQ(Ini(QStringLiteral("after.ini")), before);
    EXPECT_EQ(win->TagCase, 0);
    EXPECT_EQ(win->CustomFormattingProcessor1->GetGroupColor(0), clHighlight);
    EXPECT_EQ(win->CustomFormattingProcessor1->GetGroupKeywords(1), many);
    EXPECT_EQ(win->DataFiles.AutoCloseTagsList, (QStringList{"p", "div"}));
    EXPECT_EQ(win->DataFiles.DocTypesList, types);
    EXPECT_TRUE(seen.isEmpty()) << seen.join('\n').toStdString();
}

// A number box that holds no valid number is named, shown, and nothing at all is applied.
TEST_F(OptionsTest, ABadNumberIsNamedAndNothingIsApplied) {
    const struct {
        const char* box;
        const char* text;
        const char* page;
        const char* message;
    } cases[] = {
        {"ce_size", "abc", "KodFormatering",
         "Värdet i rutan \"Storlek\" måste vara ett heltal från 4 till 72."},
        {"ce_size", "80", "KodFormatering",
         "Värdet i rutan \"Storlek\" måste vara ett heltal från 4 till 72."},
        {"ce_dx", "", "KodFormatering",
         "Värdet i rutan \"X-avstånd\" måste vara ett heltal från 0 till 100."},
        {"DefNumSpace", "", "Allmant",
         "Värdet i rutan \"Tabblängd\" måste vara ett heltal från 0 till 100."},
        {"psynCUSTNumTabs", "", "KodInteraktiv",
         "Värdet i rutan \"Antal nyckelordsgrupper\" måste vara ett heltal från 1 till 32."},
        {"pSpeedUpdate", "0", "Prestanda",
         "Värdet i rutan \"Uppdateringshopp\" måste vara ett heltal från 1 till 500."},
    };
    const QByteArray before = Ini(QStringLiteral("before.ini"));
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.box) + "=" + c.text);
        seen.clear();
        QString page;
        const bool ok = Execute(dlg->Prestanda, [&](Toptions* d) {
            // A good change on another page comes first in the order of applying.
            C<QCheckBox>("ShowReopen")->setChecked(false);
            C<QLineEdit>("ce_dy")->setText(QStringLiteral("9"));
            auto* box = C(c.box);
            if (auto* combo = qobject_cast<QComboBox*>(box))
                combo->setEditText(QString::fromUtf8(c.text));
            else
                static_cast<QLineEdit*>(box)->setText(QString::fromUtf8(c.text));
            d->btnOk->click();
            page = d->CurrentPage()->objectName();
            EXPECT_EQ(d->result(), 0); // still open
            d->btnCancel->click();
            return d->result();
        });
        EXPECT_FALSE(ok);
        EXPECT_EQ(seen, QStringList{QStringLiteral("M:") + QString::fromUtf8(c.message)});
        EXPECT_EQ(page, QLatin1String(c.page));
        EXPECT_EQ(Ini(QStringLiteral("after.ini")), before);
        EXPECT_TRUE(win->ShowReopenEnabled);
    }
}

TEST_F(OptionsTest, KeywordGroupsGrowShrinkAndKeepWhatWasTyped) {
    TSettingsValues v = win->CurrentSettings();
    v.CustomGroups = {{{QStringLiteral("if"), QStringLiteral("then")}, clBlue, true, false, false},
                      {{QStringLiteral("x")}, clRed, false, false, false}};
    win->ApplySettings(v);
    dlg->FormShow();
    EXPECT_EQ(dlg->psynCUSTNumTabs->text(), "2");
    ASSERT_EQ(dlg->CustomTabs->count(), 2);
    EXPECT_EQ(dlg->CustomTabs->tabText(1), "Nyckelordsgrupp #2");
    EXPECT_EQ(SerieValues(dlg->pCUSTKeywords->GetValues()), (QStringList{"if", "then"}));

    // Typed into group 1, kept across a switch of tabs.
    dlg->pCUSTKeywords->Edit(2)->setText(QStringLiteral("else"));
    dlg->CustomTabs->setCurrentIndex(1);
    EXPECT_EQ(SerieValues(dlg->pCUSTKeywords->GetValues()), QStringList{"x"});
    dlg->pCUSTBold->setChecked(true);
    dlg->CustomTabs->setCurrentIndex(0);
    EXPECT_EQ(SerieValues(dlg->pCUSTKeywords->GetValues()), (QStringList{"if", "then", "else"}));

    // 2 -> 4: two new groups, dark red and without styles.
    dlg->psynCUSTNumTabs->setText(QStringLiteral("4"));
    ASSERT_EQ(dlg->CustomTabs->count(), 4);
    EXPECT_EQ(dlg->CustomTabs->tabText(3), "Nyckelordsgrupp #4");
    ASSERT_EQ(dlg->CustomGroupsEdit.size(), 4u);
    EXPECT_EQ(dlg->CustomGroupsEdit[2], (TCustomKeywordGroup{{}, 153, false, false, false}));
    EXPECT_EQ(dlg->CustomGroupsEdit[1].Bold, true);

    // An empty box while typing and a number out of range change nothing.
    for (const char* t : {"", "0"}) {
        dlg->psynCUSTNumTabs->setText(QString::fromLatin1(t));
        EXPECT_EQ(dlg->CustomTabs->count(), 4) << t;
    }

    // 4 -> 1 from the last tab: only the first group is left, with its keywords.
    dlg->CustomTabs->setCurrentIndex(3);
    dlg->psynCUSTNumTabs->setText(QStringLiteral("1"));
    ASSERT_EQ(dlg->CustomTabs->count(), 1);
    EXPECT_EQ(dlg->CustomTabs->currentIndex(), 0);
    EXPECT_TRUE(dlg->pCUSTKeywords->isEnabled());
    EXPECT_EQ(SerieValues(dlg->pCUSTKeywords->GetValues()), (QStringList{"if", "then", "else"}));

    ASSERT_TRUE(dlg->ApplyToMain());
    EXPECT_EQ(win->CustomFormattingProcessor1->HighGroup(), 0);
    EXPECT_EQ(win->CustomFormattingProcessor1->GetGroupKeywords(0),
              (QStringList{"if", "then", "else"}));
    EXPECT_EQ(IniValue(QStringLiteral("synCUSTNumGroups")), "1");
}

TEST_F(OptionsTest, WithoutGroupsTheGroupEditorsAreDisabledAndOneCanBeAdded) {
    EXPECT_EQ(dlg->psynCUSTNumTabs->text(), "0");
    EXPECT_EQ(dlg->CustomTabs->count(), 0);
    EXPECT_FALSE(dlg->pCUSTKeywords->isEnabled());
    EXPECT_FALSE(dlg->pCUSTColor->isEnabled());
    dlg->psynCUSTNumTabs->setText(QStringLiteral("1"));
    ASSERT_EQ(dlg->CustomTabs->count(), 1);
    EXPECT_TRUE(dlg->pCUSTKeywords->isEnabled());
    EXPECT_EQ(dlg->pCUSTColor->CurrentColor(), TColor(153));
    dlg->pCUSTKeywords->Edit(0)->setText(QStringLiteral("BEGIN"));
    ASSERT_TRUE(dlg->ApplyToMain());
    EXPECT_EQ(win->CustomFormattingProcessor1->GetGroupKeywords(0), QStringList{"BEGIN"});
}

TEST_F(OptionsTest, OnlyTheListedControlsEnableApply) {
    const struct {
        const char* control;
        bool enables;
    } cases[] = {
        {"ShowReopen", true},       {"hexcode", true},         {"ce_hidden", true},
        {"pHTMLsynNameBold", true}, {"brwOther", false},       {"pCUSTBold", false},
        {"pCUSTItalic", false},     {"pCUSTUnderline", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.control);
        dlg->FormShow();
        C<QAbstractButton>(c.control)->click();
        EXPECT_EQ(dlg->btnApply->isEnabled(), c.enables);
    }
    const struct {
        const char* control;
        bool enables;
    } typed[] = {
        {"DefNumSpace", true},      {"key1", true},
        {"event_progend", true},    {"brwSRC", false},
        {"PreviewSaveFile", false}, {"pSpeedUpdate", false},
        {"psynCUSTNumTabs", false},
    };
    for (const auto& c : typed) {
        SCOPED_TRACE(c.control);
        dlg->FormShow();
        C(c.control)->setEnabled(true);
        QTest::keyClicks(C(c.control), QStringLiteral("1"));
        EXPECT_EQ(dlg->btnApply->isEnabled(), c.enables);
    }
    dlg->FormShow();
    QTest::keyClicks(dlg->DTDlist, QStringLiteral("x"));
    EXPECT_TRUE(dlg->btnApply->isEnabled());

    // "&Verkställ" applies and disables itself; the dialog stays.
    dlg->FormShow();
    C<QCheckBox>("ShowReopen")->setChecked(false);
    ASSERT_TRUE(dlg->btnApply->isEnabled());
    dlg->btnApply->click();
    EXPECT_FALSE(win->ShowReopenEnabled);
    EXPECT_FALSE(dlg->btnApply->isEnabled());
}

TEST_F(OptionsTest, ColourSchemesFillTheFourFieldsAndWaitForApply) {
    const TColor background = win->CodeEditor->Settings()->BkColor();
    dlg->btnZaziriziva->click();
    EXPECT_EQ(C<TColorContainer>("ce_bgc")->CurrentColor(), clBlack);
    EXPECT_EQ(C<TColorContainer>("ce_fgc")->CurrentColor(), clWhite);
    EXPECT_EQ(C<TColorContainer>("ce_sfgc")->CurrentColor(), clWhite);
    EXPECT_TRUE(dlg->btnApply->isEnabled());
    EXPECT_EQ(win->CodeEditor->Settings()->BkColor(), background);

    ASSERT_TRUE(dlg->ApplyToMain());
    EXPECT_EQ(win->CodeEditor->Settings()->BkColor(), clBlack);
    EXPECT_EQ(win->CodeEditor->FontColor, clWhite);

    dlg->FormShow();
    dlg->btnWinDefault->click();
    EXPECT_EQ(C<TColorContainer>("ce_bgc")->CurrentColor(), ColorToRGB(clWindow));
    EXPECT_EQ(C<TColorContainer>("ce_sbgc")->CurrentColor(), ColorToRGB(clHighlight));
    ASSERT_TRUE(dlg->ApplyToMain());
    // Applied as the plain colours the system has now.
    EXPECT_EQ(win->CodeEditor->Settings()->BkColor(), ColorToRGB(clWindow));
    EXPECT_EQ(win->CodeEditor->FontColor, ColorToRGB(clWindowText));
}

TEST(ZaziRizivaColoursTest, SelectionStaysVisibleOnBlack) {
    const struct {
        TColor highlight, selection;
    } cases[] = {{clWhite, clBlue}, {clBlack, clBlue}, {0x996633, 0x996633}, {clBlue, clBlue}};
    for (const auto& c : cases) {
        const TEditorColours colours = ZaziRizivaColours(c.highlight);
        EXPECT_EQ(colours, (TEditorColours{clBlack, clWhite, c.selection, clWhite}))
            << std::hex << c.highlight;
    }
}

TEST_F(OptionsTest, TypedAutoCloseTagsBecomeCapitals) {
    dlg->OptionTagClosing->clear();
    QTest::keyClicks(dlg->OptionTagClosing, QStringLiteral("br"));
    EXPECT_EQ(dlg->OptionTagClosing->toPlainText(), "BR");
    ASSERT_TRUE(dlg->ApplyToMain());
    EXPECT_EQ(win->DataFiles.AutoCloseTagsList, QStringList{"BR"});
}

TEST_F(OptionsTest, PreviewPathsBrowseAndReset) {
    fileAnswers.push_back({QStringLiteral("/srv/sidor")});
    dlg->btnBrowseSave->click();
    EXPECT_EQ(dlg->PreviewSaveFile->text(), "/srv/sidor/_preview.html");
    EXPECT_TRUE(requests.value(0).startsWith(QStringLiteral("Välj en katalog:|")));
    fileAnswers.push_back({}); // cancelled
    dlg->btnBrowseOpen->click();
    EXPECT_NE(dlg->PreviewOpenFile->text(), "/srv/sidor/_preview.html");

    dlg->btnResetPreview->click();
    const QString standard = AppPaths::DataFile(QStringLiteral("_preview.html"));
    EXPECT_EQ(dlg->PreviewSaveFile->text(), standard);
    EXPECT_EQ(dlg->PreviewOpenFile->text(), standard);
}

TEST_F(OptionsTest, TheHtmlGroundIsSavedOnlyWhenChangedAndNeverEmptiedAfterAFailedLoad) {
    EXPECT_EQ(dlg->HtmlGroundText(), kHtmlGround);
    EXPECT_TRUE(dlg->HtmlGroundLoaded());
    // New pages are filled from what the editor holds, saved or not.
    ASSERT_TRUE(win->HtmlGroundText);
    dlg->RARIVIDUZE->SetText("InsertText <p>\r\n");
    EXPECT_EQ(win->HtmlGroundText(), QByteArray("InsertText <p>\r\n"));
    dlg->RARIVIDUZE->SetText(kHtmlGround);

    // Unchanged: the file is not written (a change on disk meanwhile stays).
    WriteFile(Toptions::HtmlGroundFile(), "edited elsewhere\r\n");
    dlg->SaveHtmlGround();
    EXPECT_EQ(ReadTestFile(Toptions::HtmlGroundFile()), QByteArray("edited elsewhere\r\n"));

    // Changed: written at the close, before the data files.
    dlg->RARIVIDUZE->SetText("InsertText <body>\r\n");
    ASSERT_TRUE(win->close());
    EXPECT_EQ(ReadTestFile(Toptions::HtmlGroundFile()), QByteArray("InsertText <body>\r\n"));
}

TEST_F(MainWinTest, AHtmlGroundThatCannotBeReadIsReportedAndNotReplaced) {
    const QString path = Toptions::HtmlGroundFile();
    QFile::remove(path);
    QDir().mkpath(path); // a folder where the file should be: it cannot be read
    Toptions& dlg = OptionsDialog(*win);
    EXPECT_EQ(seen,
              QStringList{QStringLiteral(
                              "M:Det gick inte att öppna filen med subrutinen för HTML-grunden (") +
                          path + QStringLiteral(").")});
    EXPECT_FALSE(dlg.HtmlGroundLoaded());
    seen.clear();
    ASSERT_TRUE(win->close());
    EXPECT_TRUE(seen.isEmpty()) << seen.join('\n').toStdString();
    EXPECT_TRUE(QFileInfo(path).isDir());
    QDir(path).removeRecursively();
}

TEST_F(OptionsTest, TheMenuCommandOpensOnGeneralAndOkApplies) {
    win->Toolbar->setVisible(true);
    QString page;
    ASSERT_TRUE(RunCommand([&] {
        modal.reset();
        modal = ScriptBoxes(seen, answers, [&](QDialog* d) {
            auto* options = qobject_cast<Toptions*>(d);
            if (!options)
                return -1;
            page = options->CurrentPage()->objectName();
            options->findChild<QCheckBox*>(QStringLiteral("AutoClose"))->setChecked(false);
            return ClickOk(options);
        });
        win->Commands().Run(QStringLiteral("IShowOptions"));
    }));
    EXPECT_EQ(page, "Allmant");
    EXPECT_FALSE(win->AutoCloseEnabled);

    // A double click on a toolbar opens it on "Verktygsfält"; Avbryt applies nothing.
    page.clear();
    modal.reset();
    modal = ScriptBoxes(seen, answers, [&](QDialog* d) {
        auto* options = qobject_cast<Toptions*>(d);
        if (!options)
            return -1;
        page = options->CurrentPage()->objectName();
        options->findChild<QCheckBox*>(QStringLiteral("AutoClose"))->setChecked(true);
        options->btnCancel->click();
        return options->result();
    });
    QTest::mouseDClick(win->Toolbar, Qt::LeftButton);
    EXPECT_EQ(page, "Verktygsflt");
    EXPECT_FALSE(win->AutoCloseEnabled);
}

} // namespace

namespace {

TEST(DeleteBackupFilesTest, OnlyRegularFilesInsideTheFolderGo) {
    QTemporaryDir root;
    const QDir dir(root.path());
    ASSERT_TRUE(dir.mkpath(QStringLiteral("backup/inner")));
    const auto make = [&](const QString& name) {
        QFile f(dir.filePath(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("x");
    };
    make(QStringLiteral("backup/a.html"));
    make(QStringLiteral("backup/.b"));
    make(QStringLiteral("backup/inner/c.html"));
    make(QStringLiteral("outside.html"));
    ASSERT_TRUE(QFile::link(dir.filePath(QStringLiteral("outside.html")),
                            dir.filePath(QStringLiteral("backup/link.html"))));
    ASSERT_TRUE(QFile::link(dir.filePath(QStringLiteral("backup/inner")),
                            dir.filePath(QStringLiteral("backup/innerlink"))));

    EXPECT_EQ(DeleteBackupFiles(dir.filePath(QStringLiteral("backup"))), 2);
    EXPECT_FALSE(QFileInfo::exists(dir.filePath(QStringLiteral("backup/a.html"))));
    EXPECT_FALSE(QFileInfo::exists(dir.filePath(QStringLiteral("backup/.b"))));
    // Folders, links and what they point to stay.
    EXPECT_TRUE(QFileInfo::exists(dir.filePath(QStringLiteral("backup/inner/c.html"))));
    EXPECT_TRUE(QFileInfo(dir.filePath(QStringLiteral("backup/link.html"))).isSymLink());
    EXPECT_TRUE(QFileInfo::exists(dir.filePath(QStringLiteral("outside.html"))));
    EXPECT_EQ(DeleteBackupFiles(dir.filePath(QStringLiteral("missing"))), 0);
    EXPECT_EQ(DeleteBackupFiles(QString()), 0);
}

TEST(ClearRecentFilesTest, ForgetsTheFourRecentFilesOnly) {
    QTemporaryDir root;
    const QString path = QDir(root.path()).filePath(QStringLiteral("store.ini"));
    {
        QSettings store(path, QSettings::IniFormat);
        ClearRecentFiles(store); // no Reopen group: nothing happens
        store.sync();
        EXPECT_TRUE(store.childGroups().isEmpty());
        for (int i = 1; i <= 4; ++i)
            store.setValue(QStringLiteral("Reopen/Reopen%1").arg(i), QStringLiteral("/f%1").arg(i));
        store.setValue(QStringLiteral("Reopen/Other"), 1);
        store.setValue(QStringLiteral("Settings/TabLength"), 8);
        ClearRecentFiles(store);
    }
    QSettings back(path, QSettings::IniFormat);
    EXPECT_EQ(back.allKeys(), (QStringList{"Reopen/Other", "Settings/TabLength"}));
}

} // namespace
