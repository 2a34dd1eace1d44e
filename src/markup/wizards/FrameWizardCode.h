#pragma once

#include "markup/wizards/WizardHead.h"

#include <QByteArrayList>
#include <QString>
#include <vector>

// One frame of a frameset: its name, its page, its size (an entry of the ROWS or COLS list,
// "20%" or "*"), its border and whether the user may resize it.
struct TFrameData {
    QString Name;
    QString Src;
    QString Size;
    QString FrameBorder;
    bool Resizable = false;
    bool operator==(const TFrameData&) const = default;
};

// Everything the frameset wizard's controls hold.
struct TFrameWizardFields {
    TPageHead Head = WizardHead::Defaults(WizardHead::FramesetDoctype());
    bool Horizontal = true; // rows; else columns
    QString Border;
    QString FrameSpacing;
    std::vector<TFrameData> Frames;
};

// The frameset page the frameset wizard writes.
namespace FrameWizardCode {

// The page, one entry per line. `indent` is one indentation unit.
QByteArrayList WriteCode(const TFrameWizardFields& fields, int tagCase, const QByteArray& indent);

// The file name of a frame's page without its folders (split at "/" and "\").
QString FileNamePart(const QString& src);

} // namespace FrameWizardCode
