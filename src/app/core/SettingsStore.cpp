#include "app/core/SettingsStore.h"

#include "editor/view/TextEditorEx.h"
#include "platform/AppPaths.h"

#include <QDir>
#include <QHash>
#include <QVariant>
#include <QWidget>
#include <algorithm>
#include <limits>

namespace {

using S = TSettingsValues;
using O = TSettingOwner;
using T = TSettingType;

constexpr int kIntMin = std::numeric_limits<int>::min();
constexpr int kIntMax = std::numeric_limits<int>::max();
constexpr TColor kBtnShadow = clSystemColor | 16;
constexpr TColor kDarkRed = 153;
// The main window's size at design time, used until a size is stored.
constexpr int kDesignWidth = 800;
constexpr int kDesignHeight = 600;

TSettingDescriptor Bool(const char* name, bool S::*field, bool def, O owner,
                        bool readOnly = false) {
    TSettingDescriptor d;
    d.Name = QString::fromLatin1(name);
    d.Type = T::Boolean;
    d.Field = field;
    d.Default = def;
    d.Owner = owner;
    d.ReadOnly = readOnly;
    return d;
}

TSettingDescriptor Int(const char* name, int S::*field, int def, O owner, int min = kIntMin,
                       int max = kIntMax) {
    TSettingDescriptor d;
    d.Name = QString::fromLatin1(name);
    d.Type = T::Integer;
    d.Field = field;
    d.Default = def;
    d.Owner = owner;
    d.Min = min;
    d.Max = max;
    return d;
}

// An integer whose stored value outside [min, max] reads as fallback instead of being clamped.
TSettingDescriptor IntOr(const char* name, int S::*field, int def, O owner, int min, int max,
                         int fallback) {
    TSettingDescriptor d = Int(name, field, def, owner, min, max);
    d.OutOfRange = TOutOfRange::Fallback;
    d.Fallback = fallback;
    return d;
}

TSettingDescriptor Str(const char* name, QString S::*field, const QString& def, O owner,
                       bool emptyGivesDefault = false) {
    TSettingDescriptor d;
    d.Name = QString::fromLatin1(name);
    d.Type = T::String;
    d.Field = field;
    d.Default = def;
    d.Owner = owner;
    d.EmptyGivesDefault = emptyGivesDefault;
    return d;
}

TSettingDescriptor Col(const char* name, TColor S::*field, TColor def, O owner) {
    TSettingDescriptor d;
    d.Name = QString::fromLatin1(name);
    d.Type = T::Colour;
    d.Field = field;
    d.Default = def;
    d.Owner = owner;
    return d;
}

// A list; `def` is what a missing value gives (a stored empty list stays empty).
TSettingDescriptor List(const char* name, QStringList S::*field, O owner,
                        const QStringList& def = {}) {
    TSettingDescriptor d;
    d.Name = QString::fromLatin1(name);
    d.Type = T::CommaText;
    d.Field = field;
    d.Default = def;
    d.Owner = owner;
    return d;
}

std::vector<TSettingDescriptor> BuildDescriptors() {
    std::vector<TSettingDescriptor> t;
    t.push_back(Bool("ShowReopen", &S::ShowReopen, true, O::MainWindow));
    {
        // The Windows temporary folder stands for the system's one.
        TSettingDescriptor d = Str("WinTMPDir", &S::WinTMPDir, QString(), O::MainWindow, true);
        d.Default = QDir::tempPath() + QLatin1Char('/');
        d.ReadOnly = true;
        t.push_back(d);
    }
    t.push_back(Bool("DefaultBrw", &S::DefaultBrw, true, O::MainWindow));
    t.push_back(Str("BrwFileName", &S::BrwFileName, QString(), O::MainWindow));
    t.push_back(Str("ItalicTag", &S::ItalicTag, QStringLiteral("EM"), O::MainWindow, true));
    t.push_back(Str("BoldTag", &S::BoldTag, QStringLiteral("STRONG"), O::MainWindow, true));
    t.push_back(Bool("Maximized", &S::Maximized, true, O::MainWindow));
    t.push_back(Int("Width", &S::Width, kDesignWidth, O::MainWindow));
    t.push_back(Int("Height", &S::Height, kDesignHeight, O::MainWindow));
    t.push_back(Bool("ShowToolbar", &S::ShowToolbar, true, O::MainWindow));
    t.push_back(Bool("ShowInsertToolbar", &S::ShowInsertToolbar, false, O::MainWindow));
    t.push_back(Bool("ShowModifyToolbar", &S::ShowModifyToolbar, false, O::MainWindow));
    t.push_back(Bool("ShowStatus", &S::ShowStatus, true, O::MainWindow));
    t.push_back(Bool("ShowCommonDocs", &S::ShowCommonDocs, false, O::SidePanels));
    t.push_back(Bool("ShowSearch", &S::ShowSearch, false, O::SidePanels));
    t.push_back(Bool("ShowBookmarks", &S::ShowBookmarks, false, O::SidePanels));
    t.push_back(Bool("ShowFTP", &S::ShowFTP, false, O::SidePanels));
    t.push_back(IntOr("LayoutOrientation", &S::LayoutOrientation, 1, O::Preview, 1, 2, 1));
    {
        TSettingDescriptor d = IntOr("kvKvDefault", &S::kvKvDefault, 1, O::MainWindow, 1, 2, 0);
        d.WrittenOnlyInRange = true;
        t.push_back(d);
    }
    t.push_back(Bool("APUEnabled", &S::APUEnabled, false, O::Preview));
    t.push_back(Bool("AutoSaveOnUpdate", &S::AutoSaveOnUpdate, false, O::Preview));
    t.push_back(Bool("AutoBackup", &S::AutoBackup, true, O::MainWindow));
    t.push_back(Bool("ShowTagRef", &S::ShowTagRef, false, O::SidePanels));
    t.push_back(Int("TabLength", &S::TabLength, 4, O::Editor, 0, 100));
    t.push_back(Bool("ShowToolHelp", &S::ShowToolHelp, true, O::MainWindow));
    t.push_back(Bool("ShowToolExp", &S::ShowToolExp, true, O::MainWindow));
    t.push_back(Bool("FlatBtns", &S::FlatBtns, true, O::MainWindow));
    t.push_back(Bool("ShowCaptions", &S::ShowCaptions, false, O::MainWindow));
    t.push_back(List("SearchMRU", &S::SearchMRU, O::Search));
    t.push_back(List("ReplaceMRU", &S::ReplaceMRU, O::Search));
    t.push_back(Str("FontName", &S::FontName, QStringLiteral("Courier New"), O::Editor, true));
    t.push_back(IntOr("FontSize", &S::FontSize, 10, O::Editor, 4, 72, 10));
    t.push_back(Int("TextXSpace", &S::TextXSpace, 3, O::Editor, 0, 100));
    t.push_back(Int("TextYSpace", &S::TextYSpace, 5, O::Editor, 0, 100));
    t.push_back(Col("BgColor", &S::BgColor, clWindow, O::Editor));
    t.push_back(Col("FgColor", &S::FgColor, clWindowText, O::Editor));
    t.push_back(Col("SelBgColor", &S::SelBgColor, clHighlight, O::Editor));
    t.push_back(Col("SelFgColor", &S::SelFgColor, clHighlightText, O::Editor));
    t.push_back(Bool("HiddenChrs", &S::HiddenChrs, false, O::Editor));
    t.push_back(Bool("AutoCode", &S::AutoCode, true, O::Editor));
    t.push_back(Bool("AutoIndent", &S::AutoIndent, true, O::Editor));
    t.push_back(Bool("AutoCloseQts", &S::AutoCloseQts, true, O::Editor));
    t.push_back(Bool("AutoWiz", &S::AutoWiz, true, O::MainWindow));
    t.push_back(Bool("AutoClose", &S::AutoClose, true, O::MainWindow));
    t.push_back(Bool("ChangeElements", &S::ChangeElements, true, O::MainWindow));
    t.push_back(Bool("ListMenuHelper", &S::ListMenuHelper, true, O::Editor));
    t.push_back(Bool("ListMenuHelperAutoPopup", &S::ListMenuHelperAutoPopup, true, O::Editor));
    t.push_back(Bool("HideHelperOnClick", &S::HideHelperOnClick, true, O::Editor));
    t.push_back(Bool("ShowReplaceProgress", &S::ShowReplaceProgress, false, O::Search, true));
    t.push_back(List("caEdit", &S::caEdit, O::MainWindow));
    t.push_back(List("caPreview", &S::caPreview, O::MainWindow));
    t.push_back(List("caCombination", &S::caCombination, O::MainWindow));
    t.push_back(Bool("InteractiveFormatting", &S::InteractiveFormatting, true, O::MainWindow));
    t.push_back(List("synHTMLext", &S::synHTMLext, O::Processors,
                     {"htm", "html", "xhtml", "shtml", "php", "asp"}));
    t.push_back(Col("synHTMLTag", &S::synHTMLTag, clBlue, O::Processors));
    t.push_back(Col("synHTMLName", &S::synHTMLName, kDarkRed, O::Processors));
    t.push_back(Col("synHTMLVal", &S::synHTMLVal, clGreen, O::Processors));
    t.push_back(Bool("synHTMLNameBold", &S::synHTMLNameBold, true, O::Processors));
    t.push_back(Bool("synHTMLValBold", &S::synHTMLValBold, false, O::Processors));
    t.push_back(List("synCSSext", &S::synCSSext, O::Processors, {"css"}));
    t.push_back(Col("synCSSGroup", &S::synCSSGroup, kDarkRed, O::Processors));
    t.push_back(Col("synCSSSep", &S::synCSSSep, clBlue, O::Processors));
    t.push_back(Bool("synCSSGroupBold", &S::synCSSGroupBold, true, O::Processors));
    t.push_back(List("synJSext", &S::synJSext, O::Processors, {"js"}));
    t.push_back(Col("synJSKeyword", &S::synJSKeyword, kDarkRed, O::Processors));
    t.push_back(Col("synJSBlockSep", &S::synJSBlockSep, clBlue, O::Processors));
    t.push_back(Col("synJSComment", &S::synJSComment, clGreen, O::Processors));
    t.push_back(Bool("synJSKeywordBold", &S::synJSKeywordBold, true, O::Processors));
    t.push_back(List("synSUBext", &S::synSUBext, O::Processors, {"sub"}));
    t.push_back(Col("synSUBKeyword", &S::synSUBKeyword, kDarkRed, O::Processors));
    t.push_back(Col("synSUBPHolder", &S::synSUBPHolder, clBlue, O::Processors));
    t.push_back(Col("synSUBComment", &S::synSUBComment, clGreen, O::Processors));
    t.push_back(Bool("synSUBKeywordBold", &S::synSUBKeywordBold, true, O::Processors));
    t.push_back(List("synPASCALext", &S::synPASCALext, O::Processors, {"pas", "dpr", "inc"}));
    t.push_back(Col("synPASCALKeyword", &S::synPASCALKeyword, kDarkRed, O::Processors));
    t.push_back(Col("synPASCALComment", &S::synPASCALComment, clGreen, O::Processors));
    t.push_back(Col("synPASCALNumber", &S::synPASCALNumber, clRed, O::Processors));
    t.push_back(Col("synPASCALString", &S::synPASCALString, clBlue, O::Processors));
    t.push_back(Bool("synPASCALKeywordBold", &S::synPASCALKeywordBold, true, O::Processors));
    t.push_back(List("synTXTEXext", &S::synTXTEXext, O::Processors));
    t.push_back(List("synCUSText", &S::synCUSText, O::Processors));
    {
        TSettingDescriptor d;
        d.Name = QStringLiteral("synCUSTNumGroups");
        d.Type = T::GroupCount;
        d.Field = &S::CustomGroups;
        d.Default = 0;
        d.Owner = O::Processors;
        d.Min = 0;
        d.Max = kMaxCustomGroups;
        t.push_back(d);
    }
    t.push_back(Bool("RulerVisible", &S::RulerVisible, true, O::Ruler));
    t.push_back(Int("RulerLineNumberEvery", &S::RulerLineNumberEvery, 1, O::Ruler, 1, 10));
    t.push_back(Bool("RulerShowLineNumbers", &S::RulerShowLineNumbers, true, O::Ruler));
    t.push_back(Bool("RulerGradient", &S::RulerGradient, false, O::Ruler));
    t.push_back(Col("RulerColor", &S::RulerColor, kBtnShadow, O::Ruler));
    t.push_back(Col("RulerGradientColor", &S::RulerGradientColor, clBtnFace, O::Ruler));
    t.push_back(Bool("OverwriteMode", &S::OverwriteMode, false, O::Editor));
    t.push_back(Int("SpeedJump", &S::SpeedJump, 150, O::Editor, 1, 500));
    for (QString S::*field : {&S::PreviewSaveFile, &S::PreviewOpenFile}) {
        TSettingDescriptor d =
            Str(field == &S::PreviewSaveFile ? "PreviewSaveFile" : "PreviewOpenFile", field,
                QStringLiteral("_preview.html"), O::Preview, true);
        d.DefaultInDataDir = true;
        t.push_back(d);
    }
    t.push_back(Str("EventOnBeforeProgstart", &S::EventOnBeforeProgstart, QString(), O::Events));
    t.push_back(Str("EventOnProgend", &S::EventOnProgend, QString(), O::Events));
    t.push_back(Str("EventOnAfterHtmlWiz", &S::EventOnAfterHtmlWiz, QString(), O::Events));
    for (int i = 0; i < 10; ++i) {
        TSettingDescriptor d;
        d.Name = QStringLiteral("ShortCutKey%1").arg(i);
        d.Type = T::String;
        d.Field = &S::ShortCutKey;
        d.Index = i;
        d.Default = QString();
        d.Owner = O::Events;
        t.push_back(d);
    }
    return t;
}

QStringList BuildWriteOrder() {
    QStringList order = {
        "ShowReopen",        "Width",          "Height",
        "Maximized",         "ShowToolbar",    "ShowInsertToolbar",
        "ShowModifyToolbar", "ShowStatus",     "ShowCommonDocs",
        "ShowSearch",        "ShowBookmarks",  "ShowFTP",
        "LayoutOrientation", "kvKvDefault",    "APUEnabled",
        "AutoSaveOnUpdate",  "AutoBackup",     "ShowTagRef",
        "ShowToolHelp",      "ShowToolExp",    "FlatBtns",
        "ShowCaptions",      "AutoCode",       "AutoIndent",
        "AutoCloseQts",      "AutoWiz",        "AutoClose",
        "ChangeElements",    "ListMenuHelper", "ListMenuHelperAutoPopup",
        "HideHelperOnClick", "FontName",       "FontSize",
        "TextXSpace",        "TextYSpace",     "BgColor",
        "FgColor",           "SelBgColor",     "SelFgColor",
        "HiddenChrs",        "DefaultBrw",     "BrwFileName",
        "TabLength",         "ItalicTag",      "BoldTag",
        "SearchMRU",         "ReplaceMRU",     "caEdit",
        "caPreview",         "caCombination",  "InteractiveFormatting",
    };
    // The colouring values in the table's order, the groups with their count, then the rest.
    bool inColouring = false;
    for (const TSettingDescriptor& d : SettingsDescriptors()) {
        if (d.Name == QLatin1String("synHTMLext"))
            inColouring = true;
        if (inColouring)
            order << d.Name;
        if (d.Type == T::GroupCount)
            break;
    }
    order << QStringList{
        "RulerVisible",       "RulerLineNumberEvery", "RulerShowLineNumbers",   "RulerGradient",
        "RulerColor",         "RulerGradientColor",   "OverwriteMode",          "SpeedJump",
        "PreviewSaveFile",    "PreviewOpenFile",      "EventOnBeforeProgstart", "EventOnProgend",
        "EventOnAfterHtmlWiz"};
    for (int i = 0; i < 10; ++i)
        order << QStringLiteral("ShortCutKey%1").arg(i);
    return order;
}

// Lenient readers of stored values; false when the value cannot be read as the type.

bool ParseLongLong(const QVariant& v, qlonglong* out) {
    if (v.typeId() == QMetaType::Bool) {
        *out = v.toBool() ? 1 : 0;
        return true;
    }
    if (v.typeId() == QMetaType::QStringList || v.typeId() == QMetaType::QByteArray)
        return false;
    bool ok = false;
    const QString text = v.toString().trimmed();
    qlonglong n = text.toLongLong(&ok, 10);
    if (!ok && (text.startsWith(QLatin1String("0x"), Qt::CaseInsensitive) ||
                text.startsWith(QLatin1Char('$')))) {
        n = static_cast<qlonglong>(
            text.mid(text.startsWith(QLatin1Char('$')) ? 1 : 2).toULongLong(&ok, 16));
    }
    if (ok)
        *out = n;
    return ok;
}

bool ParseBool(const QVariant& v, bool* out) {
    const QString text = v.toString().trimmed();
    if (v.typeId() != QMetaType::Bool) {
        if (text.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0) {
            *out = true;
            return true;
        }
        if (text.compare(QLatin1String("false"), Qt::CaseInsensitive) == 0) {
            *out = false;
            return true;
        }
    }
    qlonglong n = 0;
    if (!ParseLongLong(v, &n))
        return false;
    *out = n != 0;
    return true;
}

bool ParseColour(const QVariant& v, TColor* out) {
    qlonglong n = 0;
    if (!ParseLongLong(v, &n))
        return false;
    // A signed 32-bit number reads as its unsigned pattern.
    if (n < std::numeric_limits<qint32>::min() || n > std::numeric_limits<quint32>::max())
        return false;
    *out = static_cast<TColor>(static_cast<quint32>(n));
    return true;
}

bool ParseString(const QVariant& v, QString* out) {
    // An unquoted comma in the file makes a list of the text's parts.
    if (v.typeId() == QMetaType::QStringList) {
        *out = v.toStringList().join(QStringLiteral(", "));
        return true;
    }
    if (!v.canConvert<QString>())
        return false;
    *out = v.toString();
    return true;
}

// The blanks that separate comma-text entries.
bool IsCommaTextBlank(QChar c) {
    return c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QLatin1Char('\n') ||
           c == QLatin1Char('\r');
}

// A list reads as far as it is valid: up to a NUL or a control character that is no blank.
bool ParseList(const QVariant& v, QStringList* out) {
    if (v.typeId() == QMetaType::QStringList) {
        out->clear();
        for (const QString& entry : v.toStringList()) {
            const auto bad = std::find_if(entry.begin(), entry.end(), [](QChar c) {
                return c.unicode() < ' ' && !IsCommaTextBlank(c);
            });
            if (bad != entry.end()) {
                if (bad != entry.begin())
                    *out << entry.first(bad - entry.begin());
                return false;
            }
            *out << entry;
        }
        return true;
    }
    if (!v.canConvert<QString>())
        return false;
    bool valid = true;
    *out = FromCommaText(v.toString(), &valid);
    return valid;
}

QString& StringField(TSettingsValues* values, const TSettingDescriptor& d) {
    if (auto* field = std::get_if<QString S::*>(&d.Field))
        return values->**field;
    return (values->*std::get<std::array<QString, 10> S::*>(d.Field))[d.Index];
}

const QString& StringField(const TSettingsValues& values, const TSettingDescriptor& d) {
    if (auto* field = std::get_if<QString S::*>(&d.Field))
        return values.**field;
    return (values.*std::get<std::array<QString, 10> S::*>(d.Field))[d.Index];
}

QString DefaultString(const TSettingDescriptor& d) {
    const QString def = std::get<QString>(d.Default);
    return d.DefaultInDataDir ? AppPaths::DataFile(def) : def;
}

void SetDefault(TSettingsValues* values, const TSettingDescriptor& d) {
    switch (d.Type) {
    case T::Boolean:
        values->*std::get<bool S::*>(d.Field) = std::get<bool>(d.Default);
        break;
    case T::Integer:
        values->*std::get<int S::*>(d.Field) = std::get<int>(d.Default);
        break;
    case T::Colour:
        values->*std::get<TColor S::*>(d.Field) = std::get<TColor>(d.Default);
        break;
    case T::String:
        StringField(values, d) = DefaultString(d);
        break;
    case T::CommaText:
        values->*std::get<QStringList S::*>(d.Field) = std::get<QStringList>(d.Default);
        break;
    case T::GroupCount:
        (values->*std::get<std::vector<TCustomKeywordGroup> S::*>(d.Field))
            .assign(std::get<int>(d.Default), TCustomKeywordGroup());
        break;
    }
}

// Reads one group value into its field; false when it is stored but unreadable.
bool ReadGroupValue(QSettings& store, const TGroupDescriptor& g, int index,
                    TCustomKeywordGroup* group) {
    const QString name = g.Prefix + QString::number(index);
    if (!store.contains(name))
        return true;
    const QVariant v = store.value(name);
    switch (g.Type) {
    case T::CommaText:
        return ParseList(v, &(group->*std::get<QStringList TCustomKeywordGroup::*>(g.Field)));
    case T::Colour:
        return ParseColour(v, &(group->*std::get<TColor TCustomKeywordGroup::*>(g.Field)));
    default:
        return ParseBool(v, &(group->*std::get<bool TCustomKeywordGroup::*>(g.Field)));
    }
}

int ReadInteger(const TSettingDescriptor& d, qlonglong n) {
    if (n >= d.Min && n <= d.Max)
        return static_cast<int>(n);
    if (d.OutOfRange == TOutOfRange::Fallback)
        return d.Fallback;
    return static_cast<int>(std::clamp<qlonglong>(n, d.Min, d.Max));
}

// Reads one value into its field; false when it is stored but unreadable (the field then keeps
// its default, a list what could be read of it).
bool ReadValue(QSettings& store, const TSettingDescriptor& d, TSettingsValues* values) {
    if (!store.contains(d.Name))
        return true;
    const QVariant v = store.value(d.Name);
    switch (d.Type) {
    case T::Boolean: {
        bool b = false;
        if (!ParseBool(v, &b))
            return false;
        values->*std::get<bool S::*>(d.Field) = b;
        return true;
    }
    case T::Integer: {
        qlonglong n = 0;
        if (!ParseLongLong(v, &n))
            return false;
        values->*std::get<int S::*>(d.Field) = ReadInteger(d, n);
        return true;
    }
    case T::Colour:
        return ParseColour(v, &(values->*std::get<TColor S::*>(d.Field)));
    case T::String: {
        QString s;
        if (!ParseString(v, &s))
            return false;
        StringField(values, d) = s.isEmpty() && d.EmptyGivesDefault ? DefaultString(d) : s;
        return true;
    }
    case T::CommaText:
        return ParseList(v, &(values->*std::get<QStringList S::*>(d.Field)));
    case T::GroupCount: {
        qlonglong n = 0;
        if (!ParseLongLong(v, &n))
            return false;
        (values->*std::get<std::vector<TCustomKeywordGroup> S::*>(d.Field))
            .assign(ReadInteger(d, n), TCustomKeywordGroup());
        return true;
    }
    }
    return true;
}

void WriteValue(QSettings& store, const TSettingDescriptor& d, const TSettingsValues& values) {
    switch (d.Type) {
    case T::Boolean:
        store.setValue(d.Name, values.*std::get<bool S::*>(d.Field) ? 1 : 0);
        break;
    case T::Integer: {
        const int n = values.*std::get<int S::*>(d.Field);
        if (!d.WrittenOnlyInRange || (n >= d.Min && n <= d.Max))
            store.setValue(d.Name, n);
        break;
    }
    case T::Colour:
        store.setValue(d.Name, QString::number(values.*std::get<TColor S::*>(d.Field)));
        break;
    case T::String:
        store.setValue(d.Name, StringField(values, d));
        break;
    case T::CommaText:
        store.setValue(d.Name, ToCommaText(values.*std::get<QStringList S::*>(d.Field)));
        break;
    case T::GroupCount: {
        const auto& groups = values.*std::get<std::vector<TCustomKeywordGroup> S::*>(d.Field);
        for (size_t i = 0; i < groups.size(); ++i) {
            for (const TGroupDescriptor& g : CustomGroupDescriptors()) {
                const QString name = g.Prefix + QString::number(i);
                if (g.Type == T::CommaText)
                    store.setValue(
                        name, ToCommaText(groups[i].*
                                          std::get<QStringList TCustomKeywordGroup::*>(g.Field)));
                else if (g.Type == T::Colour)
                    store.setValue(
                        name, QString::number(groups[i].*
                                              std::get<TColor TCustomKeywordGroup::*>(g.Field)));
                else
                    store.setValue(
                        name, groups[i].*std::get<bool TCustomKeywordGroup::*>(g.Field) ? 1 : 0);
            }
        }
        store.setValue(d.Name, static_cast<int>(groups.size()));
        break;
    }
    }
}

bool IsQuoteNeeded(const QString& s) {
    if (s.isEmpty())
        return true;
    for (const QChar c : s)
        if (c.unicode() <= ' ' || c == QLatin1Char('"') || c == QLatin1Char(','))
            return true;
    return false;
}

// Writes the store's pending changes to disk. A format error read from the file stays in
// status() and hides later access errors, so writability is tested before.
bool Flush(QSettings& store) {
    store.sync();
    return store.status() != QSettings::AccessError;
}

const QString kRunning = QStringLiteral("Running");
const QString kFirstRun = QStringLiteral("FirstRun");

} // namespace

TSettingsValues::TSettingsValues() {
    for (const TSettingDescriptor& d : SettingsDescriptors())
        SetDefault(this, d);
}

const std::vector<TSettingDescriptor>& SettingsDescriptors() {
    static const std::vector<TSettingDescriptor> table = BuildDescriptors();
    return table;
}

const QStringList& SettingsWriteOrder() {
    static const QStringList order = BuildWriteOrder();
    return order;
}

const std::vector<TGroupDescriptor>& CustomGroupDescriptors() {
    using G = TCustomKeywordGroup;
    static const std::vector<TGroupDescriptor> table = {
        {QStringLiteral("synCUSTKeywords"), T::CommaText, &G::Keywords, QStringList()},
        {QStringLiteral("synCUSTKeyword"), T::Colour, &G::Color, TColor(kDarkRed)},
        {QStringLiteral("synCUSTKeywordBold"), T::Boolean, &G::Bold, false},
        {QStringLiteral("synCUSTKeywordItalic"), T::Boolean, &G::Italic, false},
        {QStringLiteral("synCUSTKeywordUnderline"), T::Boolean, &G::Underline, false},
    };
    return table;
}

const TSettingDescriptor* FindSettingDescriptor(const QString& name) {
    static const QHash<QString, const TSettingDescriptor*> index = [] {
        QHash<QString, const TSettingDescriptor*> h;
        for (const TSettingDescriptor& d : SettingsDescriptors())
            h.insert(d.Name, &d);
        return h;
    }();
    return index.value(name, nullptr);
}

std::unique_ptr<QSettings> OpenKelvoraStore() {
    return std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope,
                                       QStringLiteral("Tolvane"), QStringLiteral("Kelvora"));
}

std::unique_ptr<QSettings> OpenMervantaStore() {
    return std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope,
                                       QStringLiteral("Tolvane"), QStringLiteral("Mervanta"));
}

TSettingsReadResult ReadSettings(QSettings& store) {
    TSettingsReadResult result;
    TSettingsValues& values = result.Values;
    // A file that cannot be read or parsed counts as one bad value.
    if (store.status() != QSettings::NoError) {
        result.SettingsReadFailed = true;
        result.BadValues << store.fileName();
    }
    store.beginGroup(kSettingsGroup);
    for (const TSettingDescriptor& d : SettingsDescriptors()) {
        if (!ReadValue(store, d, &values)) {
            result.SettingsReadFailed = true;
            result.BadValues << d.Name;
        }
        if (d.Type != T::GroupCount)
            continue;
        auto& groups = values.*std::get<std::vector<TCustomKeywordGroup> S::*>(d.Field);
        for (int i = 0; i < static_cast<int>(groups.size()); ++i)
            for (const TGroupDescriptor& g : CustomGroupDescriptors())
                if (!ReadGroupValue(store, g, i, &groups[i])) {
                    result.SettingsReadFailed = true;
                    result.BadValues << g.Prefix + QString::number(i);
                }
    }
    store.endGroup();
    return result;
}

bool WriteSettings(QSettings& store, const TSettingsValues& values) {
    if (!store.isWritable())
        return false;
    store.beginGroup(kSettingsGroup);
    store.remove(kFirstRun);
    for (const QString& name : SettingsWriteOrder())
        WriteValue(store, *FindSettingDescriptor(name), values);
    store.endGroup();
    return Flush(store);
}

QList<int> RunningSlots(QSettings& store) {
    // Another instance may have changed the list since this store was read.
    store.sync();
    QList<int> marks;
    const QVariant v = store.value(kSettingsGroup + QLatin1Char('/') + kRunning);
    if (!v.isValid())
        return marks;
    const QStringList entries =
        v.typeId() == QMetaType::QStringList ? v.toStringList() : FromCommaText(v.toString());
    for (const QString& entry : entries) {
        bool ok = false;
        const int slot = entry.trimmed().toInt(&ok);
        // A mark that is no slot number is the mark of a single run: the first slot.
        const int listed = ok && slot > 0 ? slot : 1;
        if (!marks.contains(listed))
            marks << listed;
    }
    if (marks.isEmpty())
        marks << 1;
    std::sort(marks.begin(), marks.end());
    return marks;
}

namespace {

// Stores the list: one slot as a number, several as a list, none as no value.
bool WriteRunningSlots(QSettings& store, const QList<int>& marks) {
    const bool writable = store.isWritable();
    store.beginGroup(kSettingsGroup);
    if (marks.isEmpty()) {
        store.remove(kRunning);
    } else if (marks.size() == 1) {
        store.setValue(kRunning, marks.first());
    } else {
        QStringList entries;
        for (const int slot : marks)
            entries << QString::number(slot);
        store.setValue(kRunning, entries);
    }
    store.endGroup();
    return Flush(store) && writable;
}

} // namespace

TRunningMark MarkRunning(QSettings& store, int slot) {
    TRunningMark mark;
    QList<int> marks = RunningSlots(store);
    mark.PreviousRunUnfinished = marks.contains(slot);
    if (!mark.PreviousRunUnfinished) {
        marks << slot;
        std::sort(marks.begin(), marks.end());
    }
    mark.Written = WriteRunningSlots(store, marks);
    return mark;
}

bool ClearRunning(QSettings& store, int slot) {
    QList<int> marks = RunningSlots(store);
    marks.removeAll(slot);
    return WriteRunningSlots(store, marks);
}

bool IsFirstRun(QSettings& store) {
    return store.contains(kSettingsGroup + QLatin1Char('/') + kFirstRun);
}

QString ReadTpPath(QSettings& mervantaStore) {
    if (!mervantaStore.childGroups().contains(kSettingsGroup))
        return QString();
    const QString key = kSettingsGroup + QLatin1String("/TpPath");
    if (!mervantaStore.contains(key))
        return kDefaultTextToolPath;
    QString path;
    return ParseString(mervantaStore.value(key), &path) ? path : kDefaultTextToolPath;
}

QString ToCommaText(const QStringList& list) {
    QStringList parts;
    parts.reserve(list.size());
    for (const QString& s : list) {
        if (!IsQuoteNeeded(s)) {
            parts << s;
            continue;
        }
        QString quoted = s;
        quoted.replace(QLatin1Char('"'), QLatin1String("\"\""));
        parts << QLatin1Char('"') + quoted + QLatin1Char('"');
    }
    return parts.join(QLatin1Char(','));
}

QStringList FromCommaText(const QString& text, bool* valid) {
    QStringList list;
    // A NUL ends the text; so does, outside quotes, a control character that is no blank.
    const qsizetype nul = text.indexOf(QChar(0));
    const qsizetype n = nul < 0 ? text.size() : nul;
    const auto ends = [&](qsizetype p) {
        return p >= n || (text[p].unicode() < ' ' && !IsCommaTextBlank(text[p]));
    };
    qsizetype p = 0;
    while (!ends(p) && IsCommaTextBlank(text[p]))
        ++p;
    while (!ends(p)) {
        QString item;
        if (text[p] == QLatin1Char('"')) {
            ++p;
            while (p < n) {
                if (text[p] == QLatin1Char('"')) {
                    if (p + 1 < n && text[p + 1] == QLatin1Char('"')) {
                        item += QLatin1Char('"');
                        p += 2;
                        continue;
                    }
                    ++p;
                    break;
                }
                item += text[p++];
            }
        } else {
            const qsizetype start = p;
            while (!ends(p) && text[p].unicode() > ' ' && text[p] != QLatin1Char(','))
                ++p;
            item = text.mid(start, p - start);
        }
        list << item;
        while (!ends(p) && IsCommaTextBlank(text[p]))
            ++p;
        if (!ends(p) && text[p] == QLatin1Char(',')) {
            if (ends(p + 1))
                list << QString();
            do
                ++p;
            while (!ends(p) && IsCommaTextBlank(text[p]));
        }
    }
    if (valid)
        *valid = p == text.size();
    return list;
}

void ApplyToEditor(const TSettingsValues& values, TTextEditorEx* editor) {
    TTextEditorExSettings* s = editor->Settings();
    s->SetTabLength(values.TabLength);
    s->SetBkColor(values.BgColor);
    s->HighlightColor = values.SelBgColor;
    s->HighlightTextColor = values.SelFgColor;
    s->ShowHiddenChars = values.HiddenChrs;
    s->AutoEncode = values.AutoCode;
    s->AutoIndent = values.AutoIndent;
    s->AutoCloseQts = values.AutoCloseQts;
    s->ListMenuHelper = values.ListMenuHelper;
    s->ListMenuHelperAutoPopup = values.ListMenuHelperAutoPopup;
    s->HideHelperOnClick = values.HideHelperOnClick;
    s->SetOverwriteMode(values.OverwriteMode);
    s->SpeedJump = values.SpeedJump;
    editor->FontColor = values.FgColor;
    editor->EditorFont.setFamily(values.FontName);
    editor->EditorFont.setPointSize(values.FontSize);
    editor->SetTextXSpace(values.TextXSpace);
    editor->SetTextYSpace(values.TextYSpace);
    editor->UpdateFont();
    editor->UpdateScrollBars();
    editor->RepaintAll();
}

void TakeFromEditor(TSettingsValues* values, const TTextEditorEx& editor) {
    const TTextEditorExSettings* s = editor.Settings();
    values->TabLength = s->TabLength();
    values->BgColor = s->BkColor();
    values->SelBgColor = s->HighlightColor;
    values->SelFgColor = s->HighlightTextColor;
    values->HiddenChrs = s->ShowHiddenChars;
    values->AutoCode = s->AutoEncode;
    values->AutoIndent = s->AutoIndent;
    values->AutoCloseQts = s->AutoCloseQts;
    values->ListMenuHelper = s->ListMenuHelper;
    values->ListMenuHelperAutoPopup = s->ListMenuHelperAutoPopup;
    values->HideHelperOnClick = s->HideHelperOnClick;
    values->OverwriteMode = s->OverwriteMode();
    values->SpeedJump = s->SpeedJump;
    values->FgColor = editor.FontColor;
    values->FontName = editor.EditorFont.family();
    if (editor.EditorFont.pointSize() > 0)
        values->FontSize = editor.EditorFont.pointSize();
    values->TextXSpace = editor.TextXSpace();
    values->TextYSpace = editor.TextYSpace();
}

void TakeWindowState(TSettingsValues* values, const QWidget& window) {
    values->Maximized = window.isMaximized();
    const QSize size = window.isMaximized() || window.isFullScreen()
                           ? window.normalGeometry().size()
                           : window.size();
    // A window shown maximized from the start has no normal size of its own yet.
    if (size.isEmpty())
        return;
    values->Width = size.width();
    values->Height = size.height();
}
