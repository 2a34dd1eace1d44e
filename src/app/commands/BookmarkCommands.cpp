#include "app/commands/BookmarkCommands.h"

#include "app/commands/CommandRegistry.h"
#include "app/commands/Requests.h"
#include "editor/model/EditorModel.h"

#include <QAction>

TBookmarkCommands::TBookmarkCommands(TEditorModel& editor, TBookmarkList& list)
    : editor_(editor), list_(list) {}

void TBookmarkCommands::Register(TCommandRegistry& commands) {
    commands.Add(QStringLiteral("AddBookmark"),
                 {QStringLiteral("Lägg till aktuell rad"),
                  {},
                  QStringLiteral("Lägger till aktuell rad i listan.")},
                 [this] { AddBookmark(); });
    commands.AddWithRequest(QStringLiteral("GotoBookmark"), {QStringLiteral("Gå till bokmärke")},
                            [this](const TCommandRequest& request) {
                                if (const auto* line = RequestOf<TLineRequest>(request))
                                    GotoBookmark(line->Line);
                            });
}

void TBookmarkCommands::AddBookmark() {
    const int line = editor_.GetCaretPos().y();
    list_.AddLine(line, editor_.Lines[line]);
}

void TBookmarkCommands::GotoBookmark(int line) {
    if (line > 0)
        editor_.SelectLine(line - 1);
}
