#pragma once

#include "app/commands/CommandContext.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

class TCommandRegistry;
class TFSControl;
class TPreviewBrowser;

// The programs outside the editor a document is handed to, as the settings name them: another
// browser than the system's (and its program file), and the external replace tool; and the
// extensions (without dot) that make a file a web page: those coloured as HTML and those
// opened in preview mode.
struct TExternalPrograms {
    const bool& UseOtherBrowser;
    const QString& BrowserFileName;
    const QString& TextToolPath;
    const QStringList& HTMLExtensions;
    const QStringList& PreviewExtensions;
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

    // The copy of the current text that the previews show, in the data folder.
    static QString PreviewCopyFile();

private:
    bool IsWebPage(const QString& fileName) const;
    // Writes the editor's text to the preview copy; false (after the message) on failure.
    bool WritePreviewCopy();

    TCommandContext ctx_;
    TExternalPrograms programs_;
    TFSControl& control_;
    const BrowserFactory& makeBrowser_;
};
