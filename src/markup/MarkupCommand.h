#pragma once

#include <QKeySequence>
#include <QString>
#include <functional>

class QAction;
class Tmain;

// Registers a markup command of a main window. The hint is the status-bar text after "|".
// While the preview hides the editor the command writes nothing, whatever runs it.
QAction* AddMarkupCommand(Tmain& window, const QString& name, const QString& caption,
                          const QKeySequence& key, const QString& hint,
                          std::function<void()> handler);
