#pragma once

class Tmain;

// Registers, under the names the statements run, the main-window commands that exist as
// handlers but have no registered command yet ("ClearDoc"). A name that is registered already
// is left as it is.
void RegisterStatementCommands(Tmain& main);
