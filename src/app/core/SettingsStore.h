#pragma once

#include "platform/Graphics.h"

#include <QSettings>
#include <QString>
#include <QStringList>
#include <array>
#include <memory>
#include <variant>
#include <vector>

class QWidget;
class TTextEditorEx;

// One keyword group of the user-defined colouring processor.
struct TCustomKeywordGroup {
    QStringList Keywords;
    TColor Color = 153;
    bool Bold = false;
    bool Italic = false;
    bool Underline = false;

    bool operator==(const TCustomKeywordGroup&) const = default;
};

// Every value of the settings store, named as it is stored. A default-constructed object holds
// every default of the descriptor table.
struct TSettingsValues {
    TSettingsValues();

    // Window, bars and panels.
    bool ShowReopen{};
    bool Maximized{};
    int Width{};
    int Height{};
    bool ShowToolbar{};
    bool ShowInsertToolbar{};
    bool ShowModifyToolbar{};
    bool ShowStatus{};
    bool ShowCommonDocs{};
    bool ShowSearch{};
    bool ShowBookmarks{};
    bool ShowFTP{};
    bool ShowTagRef{};
    int LayoutOrientation{}; // 1 horizontal split, 2 vertical (SplitVertical)
    bool ShowToolHelp{};
    bool ShowToolExp{};
    bool FlatBtns{};
    bool ShowCaptions{};

    // Editor.
    int TabLength{};
    QString FontName;
    int FontSize{};
    int TextXSpace{};
    int TextYSpace{};
    TColor BgColor{};
    TColor FgColor{};
    TColor SelBgColor{};
    TColor SelFgColor{};
    bool HiddenChrs{};
    bool AutoCode{};
    bool AutoIndent{};
    bool AutoCloseQts{};
    bool ListMenuHelper{};
    bool ListMenuHelperAutoPopup{};
    bool HideHelperOnClick{};
    bool OverwriteMode{};
    int SpeedJump{};
    bool RulerVisible{};
    int RulerLineNumberEvery{};
    bool RulerShowLineNumbers{};
    bool RulerGradient{};
    TColor RulerColor{};
    TColor RulerGradientColor{};

    // Markup and preview.
    QString ItalicTag;
    QString BoldTag;
    int kvKvDefault{}; // TagCase: 1 upper case, 2 lower case, 0 names as written
    bool AutoWiz{};
    bool AutoClose{};
    bool ChangeElements{};
    bool APUEnabled{};
    bool AutoSaveOnUpdate{};
    bool DefaultBrw{}; // UseOtherBrowser = !DefaultBrw
    QString BrwFileName;
    QString WinTMPDir;
    QString PreviewSaveFile;
    QString PreviewOpenFile;

    // Documents, search and backups.
    QStringList SearchMRU;
    QStringList ReplaceMRU;
    bool ShowReplaceProgress{};
    QStringList caEdit;
    QStringList caPreview;
    QStringList caCombination;
    bool AutoBackup{};

    // Colouring.
    bool InteractiveFormatting{};
    QStringList synHTMLext;
    TColor synHTMLTag{};
    TColor synHTMLName{};
    TColor synHTMLVal{};
    bool synHTMLNameBold{};
    bool synHTMLValBold{};
    QStringList synCSSext;
    TColor synCSSGroup{};
    TColor synCSSSep{};
    bool synCSSGroupBold{};
    QStringList synJSext;
    TColor synJSKeyword{};
    TColor synJSBlockSep{};
    TColor synJSComment{};
    bool synJSKeywordBold{};
    QStringList synSUBext;
    TColor synSUBKeyword{};
    TColor synSUBPHolder{};
    TColor synSUBComment{};
    bool synSUBKeywordBold{};
    QStringList synPASCALext;
    TColor synPASCALKeyword{};
    TColor synPASCALComment{};
    TColor synPASCALNumber{};
    TColor synPASCALString{};
    bool synPASCALKeywordBold{};
    QStringList synTXTEXext;
    QStringList synCUSText;
    // synCUSTNumGroups is the number of groups.
    std::vector<TCustomKeywordGroup> CustomGroups;

    // Event subroutines.
    QString EventOnBeforeProgstart;
    QString EventOnProgend;
    QString EventOnAfterHtmlWiz;
    std::array<QString, 10> ShortCutKey; // ShortCutKey0 .. ShortCutKey9

    bool operator==(const TSettingsValues&) const = default;
};

enum class TSettingType { Boolean, Integer, String, Colour, CommaText, GroupCount };

// Who applies a value in the running program.
enum class TSettingOwner {
    MainWindow, // window, bars, hints, tag names, browser, backups, view-mode lists
    SidePanels,
    Editor,
    Ruler,
    Preview,
    Search,
    Processors,
    Events,
};

using TSettingField =
    std::variant<bool TSettingsValues::*, int TSettingsValues::*, TColor TSettingsValues::*,
                 QString TSettingsValues::*, QStringList TSettingsValues::*,
                 std::vector<TCustomKeywordGroup> TSettingsValues::*,
                 std::array<QString, 10> TSettingsValues::*>;
using TSettingDefault = std::variant<bool, int, TColor, QString, QStringList>;

// How a stored integer outside [Min, Max] is read.
enum class TOutOfRange { Clamp, Fallback };

struct TSettingDescriptor {
    QString Name;
    TSettingType Type = TSettingType::Boolean;
    TSettingField Field;
    // What a missing value gives. For PreviewSaveFile and PreviewOpenFile the text is a file
    // name in the per-user data folder.
    TSettingDefault Default;
    TSettingOwner Owner = TSettingOwner::MainWindow;
    // The entry of an array field (ShortCutKey<i>).
    int Index = 0;
    // Integers only.
    int Min = 0;
    int Max = 0;
    TOutOfRange OutOfRange = TOutOfRange::Clamp;
    int Fallback = 0;
    // Strings: a stored empty text reads as the default.
    bool EmptyGivesDefault = false;
    // The default is a file of the per-user data folder.
    bool DefaultInDataDir = false;
    // Read only, never written.
    bool ReadOnly = false;
    // Integers: not written when the value is outside [Min, Max] (kvKvDefault 0).
    bool WrittenOnlyInRange = false;
};

// The five values of keyword group i: synCUSTKeywords<i>, synCUSTKeyword<i>,
// synCUSTKeywordBold<i>, synCUSTKeywordItalic<i>, synCUSTKeywordUnderline<i>.
using TGroupField = std::variant<QStringList TCustomKeywordGroup::*, TColor TCustomKeywordGroup::*,
                                 bool TCustomKeywordGroup::*>;
struct TGroupDescriptor {
    QString Prefix; // the value name without the group number
    TSettingType Type;
    TGroupField Field;
    TSettingDefault Default;
};

// The descriptor table, in reading order.
const std::vector<TSettingDescriptor>& SettingsDescriptors();
// The names of the table in writing order (read-only values left out).
const QStringList& SettingsWriteOrder();
const std::vector<TGroupDescriptor>& CustomGroupDescriptors();
const TSettingDescriptor* FindSettingDescriptor(const QString& name);
constexpr int kMaxCustomGroups = 32;

// The group of the Kelvora store that holds the settings.
inline const QString kSettingsGroup = QStringLiteral("Settings");
inline const QString kSettingsReadFailedText =
    QStringLiteral("Det gick inte att hämta programinställningar från registret.");
inline const QString kSettingsWriteFailedText =
    QStringLiteral("Det gick inte att spara programinställningar i registret.");
// TpPath when the Mervanta store has a Settings group without it.
inline const QString kDefaultTextToolPath = QStringLiteral("C:\\Program\\Mervanta\\Mervanta.exe");

// The per-user stores (INI format): "Tolvane"/"Kelvora" and the read-only "Tolvane"/"Mervanta".
std::unique_ptr<QSettings> OpenKelvoraStore();
std::unique_ptr<QSettings> OpenMervantaStore();

struct TSettingsReadResult {
    TSettingsValues Values;
    // At least one value was stored with a type or text that cannot be read; it took its
    // default and reading went on. Show kSettingsReadFailedText once when the window appears.
    bool SettingsReadFailed = false;
    // The names of those values; the store's file name when the file could not be parsed.
    QStringList BadValues;
};

// Reads every value of the Settings group in reading order. Missing values give their defaults,
// integers are brought into their ranges, unreadable values give their defaults and set the
// flag. Running and FirstRun are left alone.
TSettingsReadResult ReadSettings(QSettings& store);

// Deletes FirstRun, writes every value in writing order and flushes the store. False when the
// store could not be written to disk. Running belongs to the instances' marks.
bool WriteSettings(QSettings& store, const TSettingsValues& values);

// Running lists the slots of the instances that started and have not closed in order (one
// number, or several as a list); a value that is no list of slot numbers marks slot 1.
struct TRunningMark {
    bool PreviousRunUnfinished = false; // the slot was listed before
    bool Written = false;               // the list with the slot reached the disk
};
// The listed slots in ascending order, as the store's file holds them now.
QList<int> RunningSlots(QSettings& store);
// Lists a slot and flushes at once.
TRunningMark MarkRunning(QSettings& store, int slot);
// Takes a slot off the list (an orderly end, or an end at start) and flushes. False on failure.
bool ClearRunning(QSettings& store, int slot);
// FirstRun exists (never written; deleted by WriteSettings).
bool IsFirstRun(QSettings& store);

// TextToolPath from the Mervanta store: its TpPath; kDefaultTextToolPath when the Settings group
// exists without it; empty when there is no such group. Never writes.
QString ReadTpPath(QSettings& mervantaStore);

// Comma text: entries separated by commas or blanks (space, tab, CR, LF); an entry with blanks,
// control characters, commas or quotes (or an empty one) in double quotes, a quote inside
// doubled. Reading ends at a NUL and, outside quotes, at any other control character: *valid
// then says that the text was not read to its end.
QString ToCommaText(const QStringList& list);
QStringList FromCommaText(const QString& text, bool* valid = nullptr);

// Gives the editor the values it has: its settings, font, colour and cell spacing.
void ApplyToEditor(const TSettingsValues& values, TTextEditorEx* editor);
// Takes back what the editor may have changed while running (zoomed font size, overwrite mode).
void TakeFromEditor(TSettingsValues* values, const TTextEditorEx& editor);
// Takes the main window's state for writing: Maximized, and as Width and Height its normal
// size (the size it returns to), never the maximized size.
void TakeWindowState(TSettingsValues* values, const QWidget& window);
