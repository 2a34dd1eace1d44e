#pragma once

#include "editor/model/EditorModel.h"
#include "platform/FlagScope.h"

// Scope guards of the editor's input handlers: both undo their step also when an exception
// passes.
namespace EditScopes {

// Sets a flag for a scope.
using ::FlagScope;

// Hides the system caret for a scope.
class CaretHidden {
public:
    explicit CaretHidden(TEditorModel* e) : e_(e) { e_->HideSystemCaret(); }
    ~CaretHidden() { e_->ShowSystemCaret(); }
    CaretHidden(const CaretHidden&) = delete;
    CaretHidden& operator=(const CaretHidden&) = delete;

private:
    TEditorModel* e_;
};

} // namespace EditScopes
