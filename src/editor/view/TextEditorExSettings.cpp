#include "editor/view/TextEditorExSettings.h"

#include "editor/view/TextEditorEx.h"

#include <algorithm>

QByteArray TTextEditorExSettings::DefaultObjStopChars() {
    // The slash twice; 0x80 euro, 0xA4 currency, 0xA7 section, 0x89 per mille.
    static const QByteArray chars = QByteArray("<([{|}])>\"'/\\=+-*/,.:;^~$\x80\xA4@\xA7!?%\x89#&");
    return chars;
}

void TTextEditorExSettings::SetBkColor(TColor value) {
    bkColor_ = value;
    if (TextEditorEx) {
        TextEditorEx->SetColor(value);
        TextEditorEx->RepaintAll();
    }
}

void TTextEditorExSettings::SetOverwriteMode(bool value) {
    overwriteMode_ = value;
    if (TextEditorEx)
        TextEditorEx->UpdateCaret();
}

void TTextEditorExSettings::SetTabLength(int value) {
    tabLength_ = std::clamp(value, 0, 100);
}

void TTextEditorExSettings::Assign(const TTextEditorExSettings& source) {
    if (&source == this)
        return;
    bkColor_ = source.bkColor_;
    if (TextEditorEx)
        TextEditorEx->SetColor(bkColor_);
    ObjStopChars = source.ObjStopChars;
    tabLength_ = source.tabLength_;
    AutoIndent = source.AutoIndent;
    AutoEncode = source.AutoEncode;
    AutoCloseQts = source.AutoCloseQts;
    HighlightColor = source.HighlightColor;
    HighlightTextColor = source.HighlightTextColor;
    ShowHiddenChars = source.ShowHiddenChars;
    HiddenCharsColor = source.HiddenCharsColor;
    InteractiveFormatting = source.InteractiveFormatting;
    overwriteMode_ = source.overwriteMode_;
    SpeedJump = source.SpeedJump;
    ReadOnly = source.ReadOnly;
    ListMenuHelper = source.ListMenuHelper;
    ListMenuHelperAutoPopup = source.ListMenuHelperAutoPopup;
    HideHelperOnClick = source.HideHelperOnClick;
}
