// The main window's settings: what the running program takes from a set of stored values and
// what it gives back for writing.
#include "app/mainwindow/MainWin.h"

#include "app/core/Program.h"
#include "app/panels/BookmarksPanel.h"
#include "app/panels/SearchPanel.h"
#include "app/panels/WebSitesPanel.h"
#include "app/preview/ViewModes.h"
#include "editor/colouring/CSSFormattingProcessor.h"
#include "editor/colouring/CustomFormattingProcessor.h"
#include "editor/colouring/HTMLFormattingProcessor.h"
#include "editor/colouring/JSFormattingProcessor.h"
#include "editor/colouring/PascalFormattingProcessor.h"
#include "editor/colouring/SUBFormattingProcessor.h"
#include "editor/view/Ruler.h"
#include "editor/view/TextEditorEx.h"

#include <QComboBox>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>

namespace {

// The main toolbar's look: flat (raised only under the mouse) buttons, and captions or not.
void ApplyToolbarLook(QToolBar* toolbar, bool flat, bool captions) {
    toolbar->setToolButtonStyle(captions ? Qt::ToolButtonTextUnderIcon : Qt::ToolButtonIconOnly);
    for (QToolButton* button : toolbar->findChildren<QToolButton*>())
        button->setAutoRaise(flat);
}

} // namespace

void Tmain::ApplySettings(const TSettingsValues& values) {
    Settings = values;
    const TSettingsValues& v = Settings;

    AutoBackupEnabled = v.AutoBackup;
    // The first show starts the backup timer; later it follows the setting at once.
    if (!StartingUp) {
        if (!AutoBackupEnabled)
            BackupTimer.Stop();
        else if (!BackupTimer.IsActive())
            BackupTimer.Start();
    }
    ShowReopenEnabled = v.ShowReopen;
    SetHintsShown(v.ShowToolHelp);
    ShowToolExpEnabled = v.ShowToolExp;
    ApplyToolbarLook(Toolbar, v.FlatBtns, v.ShowCaptions);
    Toolbar->setVisible(v.ShowToolbar);
    InsertToolbar->setVisible(v.ShowInsertToolbar);
    statusBar()->setVisible(v.ShowStatus);

    EditorFontName = v.FontName;
    EditorFontSize = v.FontSize;
    ApplyToEditor(v, CodeEditor);
    TRuler* ruler = CodeEditor->Ruler();
    ruler->setVisible(v.RulerVisible);
    ruler->SetLineNumberEvery(v.RulerLineNumberEvery);
    ruler->SetShowLineNumbers(v.RulerShowLineNumbers);
    ruler->SetSurfaceType(v.RulerGradient ? TSurfaceType::stGradient : TSurfaceType::stSolid);
    ruler->SetColor(v.RulerColor);
    ruler->SetGradientColor(v.RulerGradientColor);

    TagCase = v.kvKvDefault;
    ItalicTagName = v.ItalicTag;
    BoldTagName = v.BoldTag;
    AutoWizEnabled = v.AutoWiz;
    AutoCloseEnabled = v.AutoClose;
    ChangeElementsEnabled = v.ChangeElements;
    UseOtherBrowser = !v.DefaultBrw;
    BrowserFileName = v.BrwFileName;
    WinTempDir = v.WinTMPDir;
    ApplyToViews(v, Views);

    caEdit = v.caEdit;
    caPreview = v.caPreview;
    caCombination = v.caCombination;
    InteractiveFormattingEnabled = v.InteractiveFormatting;
    synHTMLext = v.synHTMLext;
    synCSSext = v.synCSSext;
    synJSext = v.synJSext;
    synSUBext = v.synSUBext;
    synPASCALext = v.synPASCALext;
    synTXTEXext = v.synTXTEXext;
    synCUSText = v.synCUSText;
    HTMLFormattingProcessor1->TagColor = v.synHTMLTag;
    HTMLFormattingProcessor1->TagNameColor = v.synHTMLName;
    HTMLFormattingProcessor1->TagNameBold = v.synHTMLNameBold;
    HTMLFormattingProcessor1->TagValColor = v.synHTMLVal;
    HTMLFormattingProcessor1->TagValBold = v.synHTMLValBold;
    CSSFormattingProcessor1->GroupColor = v.synCSSGroup;
    CSSFormattingProcessor1->GroupBold = v.synCSSGroupBold;
    CSSFormattingProcessor1->GroupSepColor = v.synCSSSep;
    JSFormattingProcessor1->KeywordColor = v.synJSKeyword;
    JSFormattingProcessor1->KeywordBold = v.synJSKeywordBold;
    JSFormattingProcessor1->BlockSepColor = v.synJSBlockSep;
    JSFormattingProcessor1->CommentColor = v.synJSComment;
    SUBFormattingProcessor1->KeywordColor = v.synSUBKeyword;
    SUBFormattingProcessor1->KeywordBold = v.synSUBKeywordBold;
    SUBFormattingProcessor1->PHolderColor = v.synSUBPHolder;
    SUBFormattingProcessor1->CommentColor = v.synSUBComment;
    PascalFormattingProcessor1->KeywordColor = v.synPASCALKeyword;
    PascalFormattingProcessor1->KeywordBold = v.synPASCALKeywordBold;
    PascalFormattingProcessor1->CommentColor = v.synPASCALComment;
    PascalFormattingProcessor1->NumberColor = v.synPASCALNumber;
    PascalFormattingProcessor1->StringColor = v.synPASCALString;
    for (size_t i = 0; i < v.CustomGroups.size(); ++i) {
        const TCustomKeywordGroup& g = v.CustomGroups[i];
        const int index = static_cast<int>(i);
        CustomFormattingProcessor1->SetGroupKeywords(index, g.Keywords);
        CustomFormattingProcessor1->SetGroupColor(index, g.Color);
        CustomFormattingProcessor1->SetGroupBold(index, g.Bold);
        CustomFormattingProcessor1->SetGroupItalic(index, g.Italic);
        CustomFormattingProcessor1->SetGroupUnderline(index, g.Underline);
    }
    CustomFormattingProcessor1->SetHighGroup(static_cast<int>(v.CustomGroups.size()) - 1);
    InitInteractiveFormatting();
    TSearchPanel::SetHistory(searchpn->searchtext, v.SearchMRU);
    TSearchPanel::SetHistory(searchpn->ReplaceText, v.ReplaceMRU);
    SetSidePanelVisible(projectpn, v.ShowCommonDocs);
    SetSidePanelVisible(searchpn, v.ShowSearch);
    SetSidePanelVisible(bmpn, v.ShowBookmarks);
    for (const auto& apply : Hooks.ApplySettings)
        apply(v);
}

TSettingsValues Tmain::CurrentSettings() const {
    TSettingsValues v = Settings;

    v.ShowReopen = ShowReopenEnabled;
    v.AutoBackup = AutoBackupEnabled;
    v.ShowToolHelp = HintsShown();
    v.ShowToolExp = ShowToolExpEnabled;
    v.ShowToolbar = Toolbar->isVisibleTo(this);
    v.ShowInsertToolbar = InsertToolbar->isVisibleTo(this);
    v.ShowStatus = statusBar()->isVisibleTo(this);
    TakeWindowState(&v, *this);

    v.FontName = EditorFontName;
    v.FontSize = EditorFontSize;
    // The editor's own font wins: zooming changes it.
    TakeFromEditor(&v, *CodeEditor);
    const TRuler* ruler = CodeEditor->Ruler();
    v.RulerVisible = ruler->isVisibleTo(this);
    v.RulerLineNumberEvery = ruler->LineNumberEvery();
    v.RulerShowLineNumbers = ruler->ShowLineNumbers();
    v.RulerGradient = ruler->SurfaceType() == TSurfaceType::stGradient;
    v.RulerColor = ruler->Color();
    v.RulerGradientColor = ruler->GradientColor();

    v.kvKvDefault = TagCase;
    v.ItalicTag = ItalicTagName;
    v.BoldTag = BoldTagName;
    v.AutoWiz = AutoWizEnabled;
    v.AutoClose = AutoCloseEnabled;
    v.ChangeElements = ChangeElementsEnabled;
    v.DefaultBrw = !UseOtherBrowser;
    v.BrwFileName = BrowserFileName;
    TakeFromViews(&v, *Views);

    v.caEdit = caEdit;
    v.caPreview = caPreview;
    v.caCombination = caCombination;
    v.InteractiveFormatting = InteractiveFormattingEnabled;
    v.synHTMLext = synHTMLext;
    v.synCSSext = synCSSext;
    v.synJSext = synJSext;
    v.synSUBext = synSUBext;
    v.synPASCALext = synPASCALext;
    v.synTXTEXext = synTXTEXext;
    v.synCUSText = synCUSText;
    v.synHTMLTag = HTMLFormattingProcessor1->TagColor;
    v.synHTMLName = HTMLFormattingProcessor1->TagNameColor;
    v.synHTMLNameBold = HTMLFormattingProcessor1->TagNameBold;
    v.synHTMLVal = HTMLFormattingProcessor1->TagValColor;
    v.synHTMLValBold = HTMLFormattingProcessor1->TagValBold;
    v.synCSSGroup = CSSFormattingProcessor1->GroupColor;
    v.synCSSGroupBold = CSSFormattingProcessor1->GroupBold;
    v.synCSSSep = CSSFormattingProcessor1->GroupSepColor;
    v.synJSKeyword = JSFormattingProcessor1->KeywordColor;
    v.synJSKeywordBold = JSFormattingProcessor1->KeywordBold;
    v.synJSBlockSep = JSFormattingProcessor1->BlockSepColor;
    v.synJSComment = JSFormattingProcessor1->CommentColor;
    v.synSUBKeyword = SUBFormattingProcessor1->KeywordColor;
    v.synSUBKeywordBold = SUBFormattingProcessor1->KeywordBold;
    v.synSUBPHolder = SUBFormattingProcessor1->PHolderColor;
    v.synSUBComment = SUBFormattingProcessor1->CommentColor;
    v.synPASCALKeyword = PascalFormattingProcessor1->KeywordColor;
    v.synPASCALKeywordBold = PascalFormattingProcessor1->KeywordBold;
    v.synPASCALComment = PascalFormattingProcessor1->CommentColor;
    v.synPASCALNumber = PascalFormattingProcessor1->NumberColor;
    v.synPASCALString = PascalFormattingProcessor1->StringColor;
    v.CustomGroups.clear();
    for (int i = 0; i <= CustomFormattingProcessor1->HighGroup(); ++i)
        v.CustomGroups.push_back({CustomFormattingProcessor1->GetGroupKeywords(i),
                                  CustomFormattingProcessor1->GetGroupColor(i),
                                  CustomFormattingProcessor1->GetGroupBold(i),
                                  CustomFormattingProcessor1->GetGroupItalic(i),
                                  CustomFormattingProcessor1->GetGroupUnderline(i)});
    v.SearchMRU = TSearchPanel::History(searchpn->searchtext);
    v.ReplaceMRU = TSearchPanel::History(searchpn->ReplaceText);
    v.ShowCommonDocs = SidePanelVisible(projectpn);
    v.ShowSearch = SidePanelVisible(searchpn);
    v.ShowBookmarks = SidePanelVisible(bmpn);
    for (const auto& take : Hooks.TakeSettings)
        take(v);
    return v;
}
