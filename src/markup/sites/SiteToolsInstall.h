#pragma once

class Tmain;

// The web-site tools of a main window: "CreateNewSite" ("Ny webbplats...", the new-site
// wizard), "PreviewExternalFile" (the file preview of the file named by its request, a
// QString, or of the web-site panel's selected file) and "StartLayoutGuide" (the layout guide
// with the heading of its request, a QString).
void InstallSiteTools(Tmain& window);
