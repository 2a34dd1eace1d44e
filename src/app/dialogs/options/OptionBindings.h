#pragma once

#include "app/core/SettingsStore.h"

#include <QVariant>
#include <vector>

class QWidget;

// One control of the options dialog and the stored setting it shows.
struct TOptionBinding {
    const char* Control; // the control's object name
    const char* Setting; // the setting's name in the store
    // A change of the control enables "&Verkställ".
    bool AllowsApply = true;
    // Text settings that are applied in upper case.
    bool UpperCase = false;
};

// Every control of the options dialog that shows one stored setting, page by page. The tag
// case, the keyword groups, the two data lists and the HTML-ground subroutine are handled by
// the dialog itself.
const std::vector<TOptionBinding>& OptionBindings();

// How a control shows a setting: check boxes and radio buttons a Boolean, number edits and
// combo boxes a number or a text, line edits a text, colour fields a colour (system colours
// resolved), value series a list. Loading sets the control without its change signals.
void LoadOptionControl(QWidget* control, const TSettingDescriptor& descriptor,
                       const TSettingsValues& values);
// What the control holds, in a form that compares equal when it shows the same thing.
QVariant ShownOptionValue(const QWidget* control);
// Stores the control's value into the setting. A number control must hold a valid number
// (see OptionNumberError).
void StoreOptionControl(const QWidget* control, const TSettingDescriptor& descriptor,
                        bool upperCase, TSettingsValues* values);

// An integer setting's text as typed into a number control: the error when it is no whole
// number within [min, max], else empty.
QString OptionNumberError(const QString& text, const QString& caption, int min, int max);
// The values of a value series without its empty edits, each trimmed.
QStringList SerieValues(const QStringList& shown);
