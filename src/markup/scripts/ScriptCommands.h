#pragma once

class Tmain;

// The script commands of a main window: "IInsertJavaScript" (the script editor, also on a
// SCRIPT element to edit it) and "IImplementJavaScript" (a ready-made script of the "skript"
// folder in a new SCRIPT element).
void InstallScriptDialogs(Tmain& window);
