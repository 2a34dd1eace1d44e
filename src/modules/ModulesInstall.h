#pragma once

// Installs the plug-in module commands and the module list into every main window made after.
void InstallModules();
