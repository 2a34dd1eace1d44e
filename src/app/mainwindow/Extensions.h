#pragma once

#include <QString>
#include <functional>

class Tmain;

// The subsystems above the main window (subroutines, markup, modules, FTP) install themselves
// into every main window as it is made: their commands into its registry, their panels, their
// hooks. The program adds every installer before it makes the window; a test adds the ones it
// needs.
namespace Extensions {
using Installer = std::function<void(Tmain& window)>;
// Adds an installer under a name; adding a name again replaces it, keeping its place.
void Add(const QString& name, Installer installer);
void Remove(const QString& name);
// Runs every installer on a new window, in the order they were added.
void InstallInto(Tmain& window);
} // namespace Extensions
