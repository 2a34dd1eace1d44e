#pragma once

class Tmain;

// Installs the typed-tag actions and the tag strip, the tag reference, the element, list and
// table dialogs and the class picker into a main window.
void InstallTagTools(Tmain& window);
