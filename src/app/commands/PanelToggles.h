#pragma once

#include "app/commands/CommandRegistry.h"

class TCommandWindow;
class QWidget;

// The check commands of the "&Visa" menu that show or hide one side panel each.
namespace PanelToggles {

// Registers a toggle of `panel`; its check mark comes from the table of action states.
void Register(TCommandRegistry& commands, TCommandWindow& window, const QString& name,
              const TCommandInfo& info, QWidget* panel);

} // namespace PanelToggles
