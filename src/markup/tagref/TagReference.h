#pragma once

#include <QObject>
#include <QString>

class Tmain;
class TTagRefPanel;

// The tag reference in the main window: the side panel on the right and the commands
// HShowCurrentTagRef (the tag at the caret) and VToggleReflist (the panel), with the panel's
// "&Slå upp tagg..." and "&Om referensdatabasen".
class TTagReference : public QObject {
public:
    explicit TTagReference(Tmain& window);

    TTagRefPanel* Panel() const { return panel_; }

    static QString ReadFailureMessage();

    // Shows the entry of the element of a tag text (a whole tag or "<" + name + ">") in the
    // panel, or why there is none.
    void TagReference(const QString& tag);
    void ShowCurrentTagRef();
    // Asks for a tag and shows it.
    void ShowOtherTagReference();
    void ShowAbout();
    void ToggleReflist();

private:
    Tmain& w_;
    TTagRefPanel* panel_;
};
