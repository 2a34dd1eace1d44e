#pragma once

#include "platform/SilentAbort.h"

// Ends a run early, without an error message: "break", an Esc between two statements, or a
// statement that ends the program. Should it ever pass a run, it is a silent abort.
class ESubroutineStop : public ESilentAbort {
public:
    enum class TReason { Break, Escape, Exit, Terminate };
    explicit ESubroutineStop(TReason reason) : reason_(reason) {}
    TReason Reason() const { return reason_; }
    const char* what() const noexcept override { return "ESubroutineStop"; }

private:
    TReason reason_;
};
