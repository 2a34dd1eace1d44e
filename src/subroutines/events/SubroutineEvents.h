#pragma once

#include <QByteArray>
#include <QString>
#include <vector>

class Tcommands;
class Tmain;

// The subroutines that the program runs by itself: the start and end events, the ten hot
// keys, the event after the page wizards and the HTML-ground subroutine of a new page. Each
// does nothing while another run is active; an error, a "break" or an exception ends only the
// subroutine, never the caller's own steps.
namespace SubroutineEvents {

// The subroutine window of a main window; null when the subroutines are not installed.
Tcommands* WindowOf(Tmain& main);

// Runs a ".sub" file in the subroutine window (ExecuteEvent).
void ExecuteEvent(Tmain& main, const QString& fileName);
// Runs lines handed over by the program (ExecuteStrings).
void ExecuteStrings(Tmain& main, const std::vector<QByteArray>& lines);
// Fills the current document with the HTML-ground subroutine (RariViduzeTpl).
void RariViduzeTpl(Tmain& main);
// The lines of the HTML-ground subroutine: the main window's text when it holds one, else
// "RariViduze.sub" of the data folder (a file that cannot be read is reported; no lines).
std::vector<QByteArray> HtmlGroundLines(Tmain& main);

// The hot key of a key press: the digit 0 to 9 for Ctrl+Alt with a keypad digit (nothing
// else held), else -1.
int HotKeyDigit(int key, Qt::KeyboardModifiers modifiers);

// Wires the start and end events into the main window's start and close, and the hot keys
// into its editor.
void Install(Tmain& main);

} // namespace SubroutineEvents
