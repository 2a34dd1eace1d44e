#include "app/dialogs/options/OptionBindings.h"

#include "controls/ColorContainer.h"
#include "controls/SerieEdit.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QSignalBlocker>

namespace {

template <typename T> T* FieldOf(const TSettingDescriptor& d, TSettingsValues* values) {
    if (const auto* field = std::get_if<T TSettingsValues::*>(&d.Field))
        return &(values->**field);
    return nullptr;
}

template <typename T> const T* FieldOf(const TSettingDescriptor& d, const TSettingsValues& values) {
    return FieldOf<T>(d, const_cast<TSettingsValues*>(&values));
}

// The text setting of a descriptor: a plain string or one entry of ShortCutKey.
QString* TextOf(const TSettingDescriptor& d, TSettingsValues* values) {
    if (QString* text = FieldOf<QString>(d, values))
        return text;
    if (auto* array = FieldOf<std::array<QString, 10>>(d, values))
        return &(*array)[static_cast<size_t>(d.Index)];
    return nullptr;
}

QString ShownText(const TSettingDescriptor& d, const TSettingsValues& values) {
    if (const int* number = FieldOf<int>(d, values))
        return QString::number(*number);
    const QString* text = TextOf(d, const_cast<TSettingsValues*>(&values));
    return text ? *text : QString();
}

void StoreText(const TSettingDescriptor& d, const QString& text, bool upperCase,
               TSettingsValues* values) {
    if (int* number = FieldOf<int>(d, values)) {
        *number = text.trimmed().toInt();
        return;
    }
    if (QString* target = TextOf(d, values))
        *target = upperCase ? text.toUpper() : text;
}

} // namespace

const std::vector<TOptionBinding>& OptionBindings() {
    static const std::vector<TOptionBinding> table = {
        // "Allmänt"
        {"ShowReopen", "ShowReopen"},
        {"ChangeElements", "ChangeElements"},
        {"BackupFilesAuto", "AutoBackup"},
        {"DefNumSpace", "TabLength"},
        // "Verktygsfält"
        {"ShowToolhelp", "ShowToolHelp"},
        {"flatbtns", "FlatBtns"},
        {"ShowToolExp", "ShowToolExp"},
        // "Kodredigerare - Inställningar"
        {"hexcode", "AutoCode"},
        {"AutoIndent", "AutoIndent"},
        {"AutoWiz", "AutoWiz"},
        {"AutoClose", "AutoClose"},
        {"AutoCloseQts", "AutoCloseQts"},
        {"ShowListMenu", "ListMenuHelper"},
        {"ShowListMenuAuto", "ListMenuHelperAutoPopup"},
        {"HideHelperOnClick", "HideHelperOnClick"},
        // "Kodredigerare - Formatering"
        {"ce_name", "FontName"},
        {"ce_size", "FontSize"},
        {"ce_bgc", "BgColor"},
        {"ce_fgc", "FgColor"},
        {"ce_sbgc", "SelBgColor"},
        {"ce_sfgc", "SelFgColor"},
        {"ce_dx", "TextXSpace"},
        {"ce_dy", "TextYSpace"},
        {"ce_hidden", "HiddenChrs"},
        // "Kodredigerare - Interaktiv Formatering"
        {"pSYN", "InteractiveFormatting"},
        {"psynHTMLext", "synHTMLext", false},
        {"pHTMLsynTag", "synHTMLTag"},
        {"pHTMLsynName", "synHTMLName"},
        {"pHTMLsynVal", "synHTMLVal"},
        {"pHTMLsynNameBold", "synHTMLNameBold"},
        {"pHTMLsynValBold", "synHTMLValBold"},
        {"psynCSSext", "synCSSext", false},
        {"pCSSsynGroup", "synCSSGroup"},
        {"pCSSsynSep", "synCSSSep"},
        {"pCSSsynGroupBold", "synCSSGroupBold"},
        {"psynJSext", "synJSext", false},
        {"pJSsynKeyword", "synJSKeyword"},
        {"pJSsynBlockSep", "synJSBlockSep"},
        {"pJSsynKeywordBold", "synJSKeywordBold"},
        {"pJSsynComment", "synJSComment"},
        {"psynSUBext", "synSUBext", false},
        {"pSUBsynKeyword", "synSUBKeyword"},
        {"pSUBsynPHolder", "synSUBPHolder"},
        {"pSUBsynKeywordBold", "synSUBKeywordBold"},
        {"pSUBsynComment", "synSUBComment"},
        {"psynPASCALext", "synPASCALext", false},
        {"pPASCALsynKeyword", "synPASCALKeyword"},
        {"pPASCALsynKeywordBold", "synPASCALKeywordBold"},
        {"pPASCALsynComment", "synPASCALComment"},
        {"pPASCALsynNum", "synPASCALNumber"},
        {"pPASCALsynStr", "synPASCALString"},
        {"psynTXTEXext", "synTXTEXext", false},
        {"psynCUSText", "synCUSText", false},
        // "Formateringstaggar"
        {"I", "ItalicTag", true, true},
        {"B", "BoldTag", true, true},
        // "Webbläsare"
        {"brwDef", "DefaultBrw", false},
        {"brwSRC", "BrwFileName", false},
        // "Subrutiner"
        {"event_progstart", "EventOnBeforeProgstart"},
        {"event_progend", "EventOnProgend"},
        {"key1", "ShortCutKey1"},
        {"key2", "ShortCutKey2"},
        {"key3", "ShortCutKey3"},
        {"key4", "ShortCutKey4"},
        {"key5", "ShortCutKey5"},
        {"key6", "ShortCutKey6"},
        {"key7", "ShortCutKey7"},
        {"key8", "ShortCutKey8"},
        {"key9", "ShortCutKey9"},
        {"key0", "ShortCutKey0"},
        {"event_htmlwizafter", "EventOnAfterHtmlWiz"},
        // "Automatiska arbetsytor"
        {"pEditExt", "caEdit", false},
        {"pPreviewExt", "caPreview", false},
        {"pCombinationExt", "caCombination", false},
        // "Förhandsgranskning"
        {"PreviewSaveFile", "PreviewSaveFile", false},
        {"PreviewOpenFile", "PreviewOpenFile", false},
        // "Prestanda"
        {"pSpeedUpdate", "SpeedJump", false},
    };
    return table;
}

void LoadOptionControl(QWidget* control, const TSettingDescriptor& d,
                       const TSettingsValues& values) {
    const QSignalBlocker block(control);
    if (auto* radio = qobject_cast<QRadioButton*>(control)) {
        // The other button of the pair is the opposite choice.
        const bool on = *FieldOf<bool>(d, values);
        radio->setChecked(on);
        for (QRadioButton* other : radio->parentWidget()->findChildren<QRadioButton*>(
                 QString(), Qt::FindDirectChildrenOnly))
            if (other != radio) {
                const QSignalBlocker blockOther(other);
                other->setChecked(!on);
            }
    } else if (auto* check = qobject_cast<QCheckBox*>(control)) {
        check->setChecked(*FieldOf<bool>(d, values));
    } else if (auto* colour = dynamic_cast<TColorContainer*>(control)) {
        colour->SetCurrentColor(ColorToRGB(*FieldOf<TColor>(d, values)));
    } else if (auto* serie = dynamic_cast<TSerieEdit*>(control)) {
        QStringList shown = *FieldOf<QStringList>(d, values);
        // A series holds at most 99 values; a longer list is shown in part and kept as it is.
        const bool fits = shown.size() < 99;
        if (!fits)
            shown = shown.mid(0, 99);
        else
            shown.append(QString()); // the empty edit that takes a new value
        serie->SetValues(shown);
        serie->setEnabled(fits);
    } else if (auto* combo = qobject_cast<QComboBox*>(control)) {
        combo->setEditText(ShownText(d, values));
    } else if (auto* edit = qobject_cast<QLineEdit*>(control)) {
        edit->setText(ShownText(d, values));
    }
}

QVariant ShownOptionValue(const QWidget* control) {
    if (const auto* check = qobject_cast<const QAbstractButton*>(control))
        return check->isChecked();
    if (const auto* colour = dynamic_cast<const TColorContainer*>(control))
        return colour->CurrentColor();
    if (const auto* serie = dynamic_cast<const TSerieEdit*>(control))
        return SerieValues(serie->GetValues());
    if (const auto* combo = qobject_cast<const QComboBox*>(control))
        return combo->currentText();
    if (const auto* edit = qobject_cast<const QLineEdit*>(control))
        return edit->text();
    return {};
}

void StoreOptionControl(const QWidget* control, const TSettingDescriptor& d, bool upperCase,
                        TSettingsValues* values) {
    if (const auto* button = qobject_cast<const QAbstractButton*>(control)) {
        *FieldOf<bool>(d, values) = button->isChecked();
    } else if (const auto* colour = dynamic_cast<const TColorContainer*>(control)) {
        *FieldOf<TColor>(d, values) = colour->CurrentColor();
    } else if (const auto* serie = dynamic_cast<const TSerieEdit*>(control)) {
        *FieldOf<QStringList>(d, values) = SerieValues(serie->GetValues());
    } else if (const auto* combo = qobject_cast<const QComboBox*>(control)) {
        StoreText(d, combo->currentText(), upperCase, values);
    } else if (const auto* edit = qobject_cast<const QLineEdit*>(control)) {
        StoreText(d, edit->text(), upperCase, values);
    }
}

QString OptionNumberError(const QString& text, const QString& caption, int min, int max) {
    bool ok = false;
    const int n = text.trimmed().toInt(&ok);
    if (ok && n >= min && n <= max)
        return QString();
    return QStringLiteral("Värdet i rutan \"%1\" måste vara ett heltal från %2 till %3.")
        .arg(caption)
        .arg(min)
        .arg(max);
}

QStringList SerieValues(const QStringList& shown) {
    QStringList values;
    for (const QString& value : shown)
        if (!value.trimmed().isEmpty())
            values.append(value.trimmed());
    return values;
}
