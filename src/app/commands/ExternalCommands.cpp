#include "app/commands/ExternalCommands.h"

#include "app/commands/CommandRegistry.h"
#include "app/commands/CommandWindow.h"
#include "app/commands/DocumentTable.h"
#include "app/dialogs/Boxes.h"
#include "app/preview/FSControlWin.h"
#include "app/preview/PreviewBrowser.h"
#include "app/preview/PreviewWin.h"
#include "platform/AppPaths.h"
#include "platform/SilentAbort.h"

#include <QAction>
#include <QFileInfo>
#include <QTimer>
#include <QWidget>

TExternalCommands::TExternalCommands(const TCommandContext& context,
                                     const TExternalPrograms& programs, TFSControl& control,
                                     const BrowserFactory& makeBrowser)
    : ctx_(context), programs_(programs), control_(control), makeBrowser_(makeBrowser) {}

void TExternalCommands::Register(TCommandRegistry& commands) {
    commands.Add(QStringLiteral("FullscreenPreview"), {QStringLiteral("&Helskärm")},
                 [this] { FullscreenPreview(); });
    commands.Add(QStringLiteral("VShowInBrowser"),
                 {QStringLiteral("Visa i webbläsare"), {QKeySequence(QStringLiteral("Ctrl+F9"))}},
                 [this] { ShowInBrowser(); });
    commands.Add(QStringLiteral("AdvancedReplace"),
                 {QStringLiteral("Avancerad ersättning i filer")}, [this] { AdvancedReplace(); });
}

void TExternalCommands::FullscreenPreview() {
    const int t = ctx_.Documents.CurrentIndex();
    if (t < 0 || !makeBrowser_)
        return;
    control_.SetAlphaBlendValue(150);
    control_.AlphaChanger->stop();
    // One preview at a time: a new one replaces the one still up.
    delete control_.Preview();
    QWidget* owner = ctx_.Window.Owner();
    auto* preview = new TPreviewFrm(makeBrowser_(), &control_, owner);
    preview->MainCaption = owner ? owner->windowTitle() : QString();
    const TFileData& doc = ctx_.Documents.Record(t);
    preview->Target = doc.HasFile && !doc.Modified
                          ? doc.FileName
                          : AppPaths::DataFile(QStringLiteral("_preview.html"));
    preview->show();
    preview->activateWindow();
    preview->setFocus();
}

void TExternalCommands::ShowInBrowser() {
    const int t = ctx_.Documents.CurrentIndex();
    if (t < 0)
        return;
    const TFileData& doc = ctx_.Documents.Record(t);
    if (!doc.HasFile) {
        ctx_.Boxes.kvMessageBox(
            QStringLiteral("Dokumentet kan ej visas eftersom det inte är sparat till en fil."));
        return;
    }
    if (doc.Modified) {
        ctx_.Boxes.kvMessageBox(QStringLiteral(
            "Du måste spara ändringarna gjorda i filen innan dokumentet kan visas."));
        return;
    }
    // The file name is one argument of its own; no shell splits it, so it needs no quotes.
    if (programs_.UseOtherBrowser)
        ctx_.Window.StartProgram(programs_.BrowserFileName, {doc.FileName});
    else
        ctx_.Window.OpenWithSystem(doc.FileName);
}

void TExternalCommands::AdvancedReplace() {
    const QFileInfo tool(programs_.TextToolPath);
    if (programs_.TextToolPath.isEmpty() || !tool.isFile()) {
        ctx_.Boxes.kvMessageBox(
            QStringLiteral("Mervanta hittades inte. Kör installationsprogrammet igen."));
        return;
    }
    ctx_.Window.StartProgram(tool.absoluteFilePath(), {});
}
