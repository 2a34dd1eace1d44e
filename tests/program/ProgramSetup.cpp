// Every test of the whole program runs with all subsystems installed, as the program does.
#include "program/Assembly.h"

namespace {
const bool installed = (InstallAllSubsystems(), true);
}
