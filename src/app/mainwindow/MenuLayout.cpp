#include "app/mainwindow/MenuLayout.h"

#include <QAction>
#include <QVariant>

namespace MenuLayout {

namespace {

const TItem Separator{};

} // namespace

const std::vector<TMenu>& MenuBar() {
    static const std::vector<TMenu> menus = {
        {"Arkiv1",
         "&Arkiv",
         false,
         {{"Nytt1"},
          {"Oppna1"},
          Separator,
          {"ASaveDoc"},
          {"ASaveDocAs"},
          {"ASaveAllDoc"},
          {"ASaveAllDocAs"},
          Separator,
          {"APrintDoc"},
          {"APrinterSettings"},
          {"AXHTMLExport"},
          Separator,
          {"ADocClose"},
          {"AAllDocClose"},
          Separator,
          {"ADocProperties"},
          Separator,
          {"ACloseMain"}}},
        {"Visa1",
         "&Visa",
         false,
         {{"VUserGoEditMode"},
          {"VUserGoPreviewPageMode"},
          {"VUserGoCombinationMode"},
          Separator,
          {"VViewPage"},
          Separator,
          {"VSetOrientationH"},
          {"VSetOrientationV"},
          Separator,
          {"VPreviewPage"},
          {"VToggleAutoPreviewUpdate"},
          {"VToggleAutoSaveOnUpdate"},
          Separator,
          {"VToggleCommonDocs"},
          {"VToggleBookmarks"},
          Separator,
          {"VShowInBrowser"}}},
        {"Infoga1",
         "&Infoga",
         true,
         {{"IInsertParaP"},
          {"IInsertParaD"},
          {"IInsertBreakB"},
          Separator,
          {"IInsertBold"},
          {"IInsertItalic"},
          {"IInsertUnderlined"},
          {"IInsertRaised"},
          {"IInsertLowered"},
          Separator,
          {"IInsertHeading1"},
          {"IInsertHeading2"},
          {"IInsertHeading3"},
          {"IInsertHeading4"},
          {"IInsertHeading5"},
          {"IInsertHeading6"},
          Separator,
          {"IInsertSpace"},
          {"IInsertAnchor"},
          {"IInsertColor"},
          Separator,
          {"IInsertHTMLComment"},
          {"IInsertJSComment"},
          {"IInsertVBComment"},
          Separator,
          {"IInsertBuiltinStyle"},
          {"IInsertLinkStyle"},
          {"IInsertLinkScript"}}},
        {"Redigera1", "&Redigera", true, {{"RDocUndo"},          {"RDocRedo"},     Separator,
                                          {"RDocCut"},           {"RDocCopy"},     {"RDocPaste"},
                                          {"mnuPaste"},          {"RDocDelSel"},   Separator,
                                          {"RExportText"},       {"RImportText"},  Separator,
                                          {"RSelectCurrentTag"}, {"RSelectAll"},   Separator,
                                          {"RCopyAll"},          {"RClearAll"},    Separator,
                                          {"RDocFind"},          {"RDocReplace"},  {"RDocGoTo"},
                                          {"RDocFindNext"},      {"VToggleSearch"}}},
        {"Format1",
         "&Format",
         true,
         {{"FConvUpperCase"},
          {"FConvLowerCase"},
          {"FConvOppositCase"},
          Separator,
          {"FAddIndent"},
          {"FDelIndent"},
          {"FDelAllIndent"},
          Separator,
          {"VApplyROT13"}}},
        {"Verktyg1", "&Verktyg", true, {{"VSortRows"}, {"ACompareFiles"}}},
        // The documents follow the separator; the window lists them as the menu opens.
        {"mnuDocTabs", "&Dokumentflikar", false, {{"WPrevDoc"}, {"WNextDoc"}, Separator}},
    };
    return menus;
}

const std::vector<TMenu>& Submenus() {
    static const std::vector<TMenu> menus = {
        {"Nytt1", "&Nytt", false, {{"ANewDoc"}}},
        {"Oppna1",
         "&Öppna",
         false,
         {{"RoAlfa1"}, {"RoBeta1"}, {"RoGamma1"}, {"RoDelta1"}, Separator, {"AOpenDoc"}}},
        // The clips; the window fills it as "&Redigera" opens.
        {"mnuPaste", "K&listra in", false, {}},
    };
    return menus;
}

const TMenu& MainToolbar() {
    static const TMenu toolbar = {
        "Toolbar",
        "Verktygsfält",
        false,
        {{"ANewDoc"}, {"AOpenDoc"}, {"ASaveDoc"}, {"ASaveAllDoc"}, {"RDocPaste", true}}};
    return toolbar;
}

const TMenu& InsertToolbar() {
    static const TMenu toolbar = {"InsertToolbar",
                                  "Infogafält",
                                  false,
                                  {{"IInsertParaP", true},
                                   {"IInsertParaD", true},
                                   {"IInsertBreakB", true},
                                   Separator,
                                   {"IInsertBold", true},
                                   {"IInsertItalic", true},
                                   {"IInsertUnderlined", true},
                                   {"IInsertRaised", true},
                                   {"IInsertLowered", true},
                                   Separator,
                                   {"IInsertSpace", true},
                                   {"IInsertAnchor", true},
                                   {"IInsertHTMLComment", true},
                                   Separator,
                                   {"IInsertBuiltinStyle", true},
                                   {"IInsertLinkStyle", true},
                                   {"IInsertLinkScript", true}}};
    return toolbar;
}

const TMenu& TabsPopup() {
    static const TMenu popup = {"TabsPopup",
                                "",
                                false,
                                {{"ARecreateDoc"},
                                 {"ASaveDoc"},
                                 {"ASaveDocAs"},
                                 {"ASaveToFTP"},
                                 Separator,
                                 {"ADocClose"},
                                 {"ADocDel"},
                                 Separator,
                                 {"ADocProperties"}}};
    return popup;
}

const TMenu& DocumentPopup() {
    static const TMenu popup = {"documentPopup",
                                "",
                                false,
                                {{"RDocUndo"},
                                 {"RDocRedo"},
                                 Separator,
                                 {"RDocCut"},
                                 {"RDocCopy"},
                                 {"RDocPaste"},
                                 {"RDocDelSel"},
                                 Separator,
                                 {"RSelectCurrentTag"},
                                 {"RSelectAll"}}};
    return popup;
}

} // namespace MenuLayout

namespace MenuLayout {

namespace {
const char* const kRunTimeItem = "kvRunTimeItem";
} // namespace

void MarkRunTimeItem(QAction* item) {
    item->setProperty(kRunTimeItem, true);
}

bool IsRunTimeItem(const QAction* item) {
    return item->property(kRunTimeItem).toBool();
}

} // namespace MenuLayout
