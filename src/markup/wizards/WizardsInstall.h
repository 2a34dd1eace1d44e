#pragma once

class Tmain;

// The page and frameset wizards of a main window: "ANewDocWiz" ("Webbsideguiden...": a new
// page "Ny webbsida.html" written by the page wizard) and "ANewFrameWiz" ("Ramguiden...": a new
// page "Ny ramsida.html" written by the frameset wizard), at the end of the "&Nytt" menu.
void InstallWizards(Tmain& window);
