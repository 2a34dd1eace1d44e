#pragma once

#include "markup/wizards/PageWizardCode.h"

#include <QString>
#include <QStringList>

// The page wizard's settings files: a ".htw" file of sections and keys holding every field,
// and beside it a group file (same base name, ".ssw") with one "selector=rule" line per style
// rule. They live in "Inställningar för HTML-guiden" in the data folder.
namespace PageWizardSettings {

// The settings folder, and the settings file of a name listed in it.
QString Folder();
QString FileOf(const QString& name);
// The group file of a settings file: its base name (without the last extension) + ".ssw".
QString GroupFileName(const QString& settingsFile);
// The names of the settings files in a folder (without ".htw"), sorted.
QStringList Names(const QString& folder);

// The file a save writes: a name without extension gets ".htw".
QString WithExtension(const QString& fileName);

// The settings file's text and the group file's text of the fields.
QByteArray SettingsBytes(const TPageWizardFields& fields);
QByteArray GroupBytes(const TPageWizardFields& fields);
// Writes the group file and then the settings file, each through a temporary file, so that
// neither is ever left half written nor merged with what the file held before. False and a
// message on failure.
bool Save(const QString& fileName, const TPageWizardFields& fields, QString* message);

// Fills the fields from a settings file in the order of its keys, the group file between the
// margins and the content. Stops at the first failure (an unreadable settings or group file,
// a colour text that is no colour) and returns false; the fields read until then keep their
// new values. Every META row up to the first missing index is read.
bool Load(const QString& fileName, TPageWizardFields* fields);

} // namespace PageWizardSettings
