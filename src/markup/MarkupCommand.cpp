#include "markup/MarkupCommand.h"

#include "app/mainwindow/MainWin.h"
#include "app/preview/ViewModes.h"

#include <QAction>

QAction* AddMarkupCommand(Tmain& window, const QString& name, const QString& caption,
                          const QKeySequence& key, const QString& hint,
                          std::function<void()> handler) {
    QAction* action =
        window.Commands().Add(name, caption, key, [&window, handler = std::move(handler)] {
            if (!window.Views || !window.Views->IsPreviewMode())
                handler();
        });
    if (!hint.isEmpty())
        action->setStatusTip(caption + QLatin1Char('|') + hint);
    return action;
}
