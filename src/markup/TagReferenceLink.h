#pragma once

#include <QString>

class Tmain;

// The "&Taggreferens" buttons of the markup dialogs: the modal tag reference of an element,
// run through the command registry ("ShowTagReference" with the element name); nothing
// happens while no tag reference is installed.
void OpenTagReference(Tmain& window, const QString& elementName);
