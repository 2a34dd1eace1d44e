#include "program/Assembly.h"

#include "ftp/FtpInstall.h"
#include "markup/MarkupInstall.h"
#include "modules/ModulesInstall.h"
#include "subroutines/SubroutinesInstall.h"

void InstallAllSubsystems() {
    InstallSubroutines();
    InstallMarkup();
    InstallModules();
    InstallFtp();
}
