#pragma once

// Installs the subroutine window, statements and events into every main window made after.
void InstallSubroutines();
