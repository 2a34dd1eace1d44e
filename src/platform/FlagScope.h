#pragma once

// Sets a busy flag for a scope and clears it at the scope's end, also when an exception passes:
// the program's "starting", "switching tab" and "closing" flags, and the editor's flags that
// hold for one step of an edit.
class FlagScope {
public:
    explicit FlagScope(bool& flag) : flag_(flag) { flag_ = true; }
    ~FlagScope() { flag_ = false; }
    FlagScope(const FlagScope&) = delete;
    FlagScope& operator=(const FlagScope&) = delete;

private:
    bool& flag_;
};
