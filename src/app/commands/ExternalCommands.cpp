#include "app/commands/ExternalCommands.h"

#include "app/commands/CommandRegistry.h"
#include "app/commands/CommandWindow.h"
#include "app/commands/DocumentTable.h"
#include "app/core/FileData.h"
#include "app/dialogs/Boxes.h"
#include "app/preview/FSControlWin.h"
#include "app/preview/PreviewBrowser.h"
#include "app/preview/PreviewWin.h"
#include "app/preview/ViewModes.h"
#include "editor/model/EditorModel.h"
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

QString TExternalCommands::PreviewCopyFile() {
    return AppPaths::DataFile(QStringLiteral("_preview.html"));
}

bool TExternalCommands::IsWebPage(const QString& fileName) const {
    const QString ext = DocFileExt(fileName).mid(1);
    return !ext.isEmpty() && (programs_.HTMLExtensions.contains(ext, Qt::CaseInsensitive) ||
                              programs_.PreviewExtensions.contains(ext, Qt::CaseInsensitive));
}

bool TExternalCommands::WritePreviewCopy() {
    if (ctx_.Editor.Lines.SaveToFile(PreviewCopyFile(), nullptr))
        return true;
    ctx_.Boxes.kvMessageBox(TViewModes::CopyNotWrittenText());
    return false;
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
    // A document that is not on disk as it stands is shown from a copy of its text now, as the
    // other previews show it; a copy that cannot be written is reported, the older one shown.
    const bool fromFile = doc.HasFile && !doc.Modified;
    if (!fromFile)
        WritePreviewCopy();
    preview->Target = fromFile ? doc.FileName : PreviewCopyFile();
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
    if (programs_.UseOtherBrowser) {
        ctx_.Window.StartProgram(programs_.BrowserFileName, {doc.FileName});
        return;
    }
    // The desktop opens a file by its type: a script or a launcher would be run. Only a web
    // page goes to it as it is; any other document is shown through the preview copy.
    if (IsWebPage(doc.FileName))
        ctx_.Window.OpenWithSystem(doc.FileName);
    else if (WritePreviewCopy())
        ctx_.Window.OpenWithSystem(PreviewCopyFile());
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
