#include "subroutines/statements/InterimCommands.h"

#include "app/mainwindow/MainWin.h"

void RegisterStatementCommands(Tmain& main) {
    TCommandRegistry& commands = main.Commands();
    if (!commands.Has(QStringLiteral("ClearDoc")))
        commands.Add(QStringLiteral("ClearDoc"), QStringLiteral("Töm dokumentet"), {},
                     [&main] { main.ClearDoc(); });
}
