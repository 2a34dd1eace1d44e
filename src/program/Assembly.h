#pragma once

// Installs every subsystem into the main windows made after: subroutines, markup, modules, FTP.
void InstallAllSubsystems();
