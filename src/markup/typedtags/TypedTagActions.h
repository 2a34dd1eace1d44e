#pragma once

#include <QObject>
#include <functional>

class Tmain;
class TTagStrip;

// The typed-tag actions of the main editor and the tag strip: on the release of a key the
// text before the caret may open an element dialog (Space after "<A ", "<IMG ", ...), warn
// about a typed "<FONT " or close the start tag a ">" just ended. Dialogs and the warning open
// once the key event is over. Every check reads only the few characters before the caret.
// Also the commands RModifyTag and VToggleEditBar, and the strip's refresh (one second after
// the caret last moved, on a mouse release in the editor and when the Help menu opens).
class TTypedTagActions : public QObject {
public:
    // Installs the commands, the strip and the editor hooks into the window.
    explicit TTypedTagActions(Tmain& window);

    TTagStrip* Strip() const { return strip_; }

    // The editor's key-up: the virtual-key code of the released key.
    void VerifyTagActions(int key);
    // Writes the end tag of the start tag just typed, the caret between the two.
    void AutoCloseTag();
    // Shows the tag at the caret in the strip and on the two actions' captions.
    void TagSelectionUpdate();
    // Opens the dialog of the element at the caret in edit mode, or says there is none.
    void ModifyTag();
    void ToggleEditBar();

private:
    void OpenTypedElement();
    void WarnAboutFont();

    Tmain& w_;
    TTagStrip* strip_ = nullptr;
    // A ">" was typed since the last key release.
    bool greaterTyped_ = false;
};
