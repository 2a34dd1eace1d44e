#pragma once

#include <QLocale>
#include <memory>

class QTranslator;

// The language of the program: every text is Swedish, and so are the texts of Qt's own
// dialogs and the dates and times that no fixed pattern describes.
namespace ProgramLocale {

// Swedish as written in Sweden.
QLocale Locale();

// Qt's own Swedish translations (file dialogs, the print dialog, standard buttons) from Qt's
// translations folder; null when they are not installed.
std::unique_ptr<QTranslator> LoadQtTranslations();

// Makes the Swedish locale the default and installs Qt's Swedish translations into the
// application, once. False when the translations are missing (the dialogs then stay as Qt
// writes them).
bool Install();

} // namespace ProgramLocale
