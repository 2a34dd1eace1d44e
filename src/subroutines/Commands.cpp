#include "subroutines/Commands.h"

#include "app/dialogs/InternalFunctionInputWin.h"

Tcommands::Tcommands(QWidget* parent) : QWidget(parent, Qt::Tool | Qt::WindowStaysOnTopHint) {
    setObjectName(QStringLiteral("commands"));
    setWindowTitle(QStringLiteral("Subrutiner"));
}

bool Tcommands::InternalGetInput(const QString& prompt, bool showBrowse, int filterIndex,
                                 QString* answer) {
    TInternalFunctionInput dialog(this);
    dialog.SetQuestion(prompt);
    dialog.SetShowBrowse(showBrowse);
    dialog.SetFilterIndex(filterIndex);
    return dialog.Run(answer);
}
