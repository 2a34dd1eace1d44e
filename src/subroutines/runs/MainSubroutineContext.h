#pragma once

#include "subroutines/SubroutineContext.h"

class Tcommands;
class Tmain;

// The main window as the line expansion reads it: its editor, the current document's record,
// the tag case, and the one-line prompt of the subroutine window.
class TMainSubroutineContext : public TSubroutineContext {
public:
    TMainSubroutineContext(Tmain& main, Tcommands& window) : main_(main), window_(window) {}

    TEditorModel& Editor() override;
    TSubroutineDocument CurrentDocument() const override;
    int TagCase() const override;
    QString Input(const QString& question) override;

private:
    Tmain& main_;
    Tcommands& window_;
};
