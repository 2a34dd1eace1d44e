// The main window's hand-over of a document to something outside the editor: the full-screen
// preview, the document in a browser, and the external replace tool.
#include "app/mainwindow/MainWin.h"

#include "app/preview/FSControlWin.h"
#include "app/preview/PreviewWin.h"
#include "app/preview/ViewModes.h"
#include "app/preview/WebEnginePreviewBrowser.h"
#include "platform/AppPaths.h"
#include "platform/SilentAbort.h"

#include <QAction>
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>
#include <QProcess>
#include <QPushButton>
#include <QTimer>

void Tmain::BuildExternalCommands() {
    FSControl = new TFSControl(&boxes_, this);
    MakePreviewBrowser = [] { return std::make_unique<TWebEnginePreviewBrowser>(); };
    StartProgram = [](const QString& program, const QStringList& arguments) {
        return QProcess::startDetached(program, arguments);
    };

    connect(Views->btnPreviewFullscreen, &QPushButton::clicked, this,
            [this] { RunCommand([this] { FullscreenPreview(); }); });
    QAction* browser =
        AddAction(QStringLiteral("VShowInBrowser"), QStringLiteral("Visa i webbläsare"),
                  QKeySequence(QStringLiteral("Ctrl+F9")), [this] { ShowInBrowser(); });
    if (QMenu* visa = menuBar()->findChild<QMenu*>(QStringLiteral("Visa1"))) {
        visa->addSeparator();
        visa->addAction(browser);
    }
    AdvancedReplaceHook = [this] { AdvancedReplace(); };
}

TPreviewFrm* Tmain::PreviewFrm() const {
    return FSControl ? FSControl->Preview() : nullptr;
}

void Tmain::FullscreenPreview() {
    FSControl->SetAlphaBlendValue(150);
    FSControl->AlphaChanger->stop();
    // One preview at a time: a new one replaces the one still up.
    delete PreviewFrm();
    auto* preview = new TPreviewFrm(MakePreviewBrowser(), FSControl, this);
    preview->MainCaption = windowTitle();
    const TFileData& doc = Current();
    preview->Target = doc.HasFile && !doc.Modified
                          ? doc.FileName
                          : AppPaths::DataFile(QStringLiteral("_preview.html"));
    preview->show();
    preview->activateWindow();
    preview->setFocus();
}

void Tmain::ShowInBrowser() {
    const TFileData& doc = Current();
    if (!doc.HasFile) {
        kvMessageBox(
            QStringLiteral("Dokumentet kan ej visas eftersom det inte är sparat till en fil."));
        return;
    }
    if (doc.Modified) {
        kvMessageBox(QStringLiteral(
            "Du måste spara ändringarna gjorda i filen innan dokumentet kan visas."));
        return;
    }
    // The file name is one argument of its own; no shell splits it, so it needs no quotes.
    if (UseOtherBrowser) {
        if (StartProgram)
            StartProgram(BrowserFileName, {doc.FileName});
    } else if (OpenWithSystemHandler) {
        OpenWithSystemHandler(doc.FileName);
    }
}

void Tmain::AdvancedReplace() {
    const QFileInfo tool(TextToolPath);
    if (TextToolPath.isEmpty() || !tool.isFile()) {
        kvMessageBox(QStringLiteral("Mervanta hittades inte. Kör installationsprogrammet igen."));
        return;
    }
    if (StartProgram)
        StartProgram(tool.absoluteFilePath(), {});
}
