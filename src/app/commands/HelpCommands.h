#pragma once

#include <QString>

class Tmain;

// The Help menu: the help topics and the short-cut keys in the program's own help window, the
// introduction, the about box and the two web pages.
namespace HelpCommands {

// The HTML files of ours beside the program: help topics, short-cut keys, the introduction and
// the words of the about box.
QString HelpFile(const QString& name);
inline const QString kTopics = QStringLiteral("kelvora.html");
inline const QString kHotKeys = QStringLiteral("kvhotkeys.html");
inline const QString kIntroduction = QStringLiteral("introduktion.html");
inline const QString kAbout = QStringLiteral("om.html");
inline const QString kNotInstalled = QStringLiteral(
    "Hjälpfiler för Kelvora har inte installerats. Kör installationsprogrammet igen.");
inline const QString kProductPage = QStringLiteral("https://www.tolvane.se/Kelvora");
inline const QString kHomePage = QStringLiteral("https://www.tolvane.se/varek/");

// Shows a help file in the help window; a missing file gives the not-installed message.
void ShowHelpContent(Tmain& main, const QString& fileName);
// The welcome window; from the Help menu its button says "OK".
void ShowIntroduction(Tmain& main, bool firstRun);

// Registers HShowHelp, HShowHelpB, HShowIntroduction, HAboutDlg and the web pages
// (Kelvoraswebbplats1, VarekTolvanesHemsida1) and builds the "&Hjälp" menu.
void Install(Tmain& main);

} // namespace HelpCommands
