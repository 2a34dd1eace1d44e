// The subroutine tests run with the subroutines installed into every main window.
#include "subroutines/SubroutinesInstall.h"

namespace {
const bool installed = (InstallSubroutines(), true);
}
