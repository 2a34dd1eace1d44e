#pragma once

#include "app/commands/CommandContext.h"

#include <QString>
#include <functional>
#include <memory>

class TCommandRegistry;
class TFSControl;
class TPreviewBrowser;

// The programs outside the editor a document is handed to, as the settings name them: another
// browser than the system's (and its program file), and the external replace tool.
struct TExternalPrograms {
    const bool& UseOtherBrowser;
    const QString& BrowserFileName;
    const QString& TextToolPath;
};

// The hand-over of a document to something outside the editor: the full-screen preview, the
// document in a browser, and the external replace tool.
class TExternalCommands {
public:
    using BrowserFactory = std::function<std::unique_ptr<TPreviewBrowser>()>;

    // The full-screen preview lives under `control` and shows its page in a browser that
    // `makeBrowser` makes.
    TExternalCommands(const TCommandContext& context, const TExternalPrograms& programs,
                      TFSControl& control, const BrowserFactory& makeBrowser);

    // Registers FullscreenPreview, VShowInBrowser and AdvancedReplace.
    void Register(TCommandRegistry& commands);

    void FullscreenPreview();
    void ShowInBrowser();
    void AdvancedReplace();

private:
    TCommandContext ctx_;
    TExternalPrograms programs_;
    TFSControl& control_;
    const BrowserFactory& makeBrowser_;
};
