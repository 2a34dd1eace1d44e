#include "app/commands/PanelToggles.h"

#include "app/commands/CommandWindow.h"

namespace PanelToggles {

void Register(TCommandRegistry& commands, TCommandWindow& window, const QString& name,
              const TCommandInfo& info, QWidget* panel) {
    TCommandInfo checkable = info;
    checkable.Checkable = true;
    commands.Add(name, checkable, [&window, panel] {
        window.SetSidePanelVisible(panel, !window.SidePanelVisible(panel));
        window.RequestActionUpdate();
    });
}

} // namespace PanelToggles
