#include "app/commands/CommandContext.h"

#include "app/commands/CommandWindow.h"
#include "app/dialogs/Boxes.h"

int TCommandContext::Ask(const QString& information, const QString& question) const {
    const int result = Boxes.kvQuestionBox(information, question);
    Window.KeepQuestionResult(result);
    return result;
}
