#pragma once

// Installs the FTP accounts, the FTP panel and its transfers into every main window made after.
void InstallFtp();
