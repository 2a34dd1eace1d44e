#include "MainWinFixture.h"

#include "app/core/SettingsStore.h"
#include "editor/colouring/CustomFormattingProcessor.h"
#include "editor/colouring/DIRUZFormattingProcessor.h"
#include "editor/colouring/JSFormattingProcessor.h"
#include "editor/colouring/PascalFormattingProcessor.h"
#include "editor/colouring/SUBFormattingProcessor.h"

TEST_F(MainWinTest, KeywordColouringChosenByExtension) {
    win->synJSext = QStringList{"js"};
    win->synSUBext = QStringList{"sub"};
    win->synPASCALext = QStringList{"pas", "dpr"};
    win->synTXTEXext = QStringList{"txt"};
    win->synCUSText = QStringList{"ini"};
    const std::pair<const char*, TFormattingProcessor*> cases[] = {
        {"a.js", win->JSFormattingProcessor1},      {"b.sub", win->SUBFormattingProcessor1},
        {"c.DPR", win->PascalFormattingProcessor1}, {"d.txt", win->TXTEXFormattingProcessor1},
        {"e.ini", win->CustomFormattingProcessor1},
    };
    for (const auto& [name, processor] : cases) {
        Open(Make(name, "var x = 1;"));
        EXPECT_EQ(win->CodeEditor->FormattingProcessor(), processor) << name;
        EXPECT_NE(processor, nullptr) << name;
        EXPECT_EQ(processor->TextEditorEx(), win->CodeEditor) << name;
    }
    EXPECT_EQ(win->CurrentProcessorKind(), TProcessorKind::Custom);
    Open(Make("f.js", "if (a) {}"));
    EXPECT_EQ(win->CurrentProcessorKind(), TProcessorKind::JS);
    EXPECT_EQ(win->CodeEditor->FormattingProcessor(), win->JSFormattingProcessor1);
}

TEST_F(MainWinTest, KeywordColouringTakesItsSettings) {
    TSettingsValues v = win->CurrentSettings();
    v.synJSKeyword = 0x010101;
    v.synJSBlockSep = 0x020202;
    v.synJSComment = 0x030303;
    v.synJSKeywordBold = false;
    v.synSUBKeyword = 0x040404;
    v.synSUBPHolder = 0x050505;
    v.synSUBComment = 0x060606;
    v.synSUBKeywordBold = false;
    v.synPASCALKeyword = 0x070707;
    v.synPASCALComment = 0x080808;
    v.synPASCALNumber = 0x090909;
    v.synPASCALString = 0x0A0A0A;
    v.synPASCALKeywordBold = false;
    v.CustomGroups = {{{"alfa", "beta"}, clRed, true, false, true},
                      {{"gamma"}, clBlue, false, true, false},
                      {{}, clGreen, false, false, false}};
    win->ApplySettings(v);
    EXPECT_EQ(win->JSFormattingProcessor1->BlockSepColor, 0x020202u);
    EXPECT_EQ(win->SUBFormattingProcessor1->PHolderColor, 0x050505u);
    EXPECT_EQ(win->PascalFormattingProcessor1->StringColor, 0x0A0A0Au);
    EXPECT_FALSE(win->PascalFormattingProcessor1->KeywordBold);
    TCustomFormattingProcessor& custom = *win->CustomFormattingProcessor1;
    EXPECT_EQ(custom.HighGroup(), 2);
    EXPECT_EQ(custom.GetGroupKeywords(0), QStringList({"alfa", "beta"}));
    EXPECT_TRUE(custom.GetGroupItalic(1));
    const TSettingsValues back = win->CurrentSettings();
    EXPECT_EQ(back.CustomGroups, v.CustomGroups);
    EXPECT_EQ(back.synJSComment, v.synJSComment);
    EXPECT_EQ(back.synSUBKeyword, v.synSUBKeyword);
    EXPECT_EQ(back.synPASCALNumber, v.synPASCALNumber);

    // A shorter configuration drops the groups left over from the longer one.
    v.CustomGroups.resize(1);
    win->ApplySettings(v);
    EXPECT_EQ(custom.GroupCount(), 1);
    EXPECT_EQ(win->CurrentSettings().CustomGroups, v.CustomGroups);
    v.CustomGroups.clear();
    win->ApplySettings(v);
    EXPECT_EQ(custom.GroupCount(), 0);
}

TEST_F(MainWinTest, KeywordColouringDefaults) {
    // The stored defaults of a fresh store reach the processors.
    EXPECT_EQ(win->JSFormattingProcessor1->CommentColor, clGreen);
    EXPECT_EQ(win->JSFormattingProcessor1->KeywordColor, 153u);
    EXPECT_TRUE(win->JSFormattingProcessor1->KeywordBold);
    EXPECT_EQ(win->SUBFormattingProcessor1->PHolderColor, clBlue);
    EXPECT_EQ(win->PascalFormattingProcessor1->NumberColor, clRed);
    EXPECT_EQ(win->PascalFormattingProcessor1->StringColor, clBlue);
}
