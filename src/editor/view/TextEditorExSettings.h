#pragma once

#include "platform/Graphics.h"

#include <QByteArray>

class TTextEditorEx;

// Behaviour and colours of one editor.
class TTextEditorExSettings {
public:
    TTextEditorExSettings() = default;
    explicit TTextEditorExSettings(TTextEditorEx* owner) : TextEditorEx(owner) {}

    // The 35 characters that end a word for Ctrl+arrow moves, besides blanks.
    static QByteArray DefaultObjStopChars();

    TTextEditorEx* TextEditorEx = nullptr;

    TColor BkColor() const { return bkColor_; }
    // Also sets the owning editor's colour and repaints it.
    void SetBkColor(TColor value);
    bool OverwriteMode() const { return overwriteMode_; }
    // Also recreates the owning editor's caret.
    void SetOverwriteMode(bool value);

    int TabLength() const { return tabLength_; }
    // Kept within 0 .. 100.
    void SetTabLength(int value);

    QByteArray ObjStopChars = DefaultObjStopChars();
    bool AutoIndent = true;
    bool AutoEncode = true;
    bool AutoCloseQts = true;
    TColor HighlightColor = clHighlight;
    TColor HighlightTextColor = clHighlightText;
    bool ShowHiddenChars = false;
    TColor HiddenCharsColor = clBlack;
    bool InteractiveFormatting = true;
    int SpeedJump = 150;
    bool ReadOnly = false;
    bool ListMenuHelper = false;
    bool ListMenuHelperAutoPopup = false;
    bool HideHelperOnClick = false;

    // Copies every setting but the owning editor; the background also goes to the owner's
    // colour, without a repaint.
    void Assign(const TTextEditorExSettings& source);

private:
    TColor bkColor_ = clWindow;
    bool overwriteMode_ = false;
    int tabLength_ = 4;
};
