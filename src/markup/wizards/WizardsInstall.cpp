#include "markup/wizards/WizardsInstall.h"

#include "app/mainwindow/MainWin.h"
#include "app/preview/ViewModes.h"
#include "editor/view/TextEditorEx.h"
#include "markup/wizards/FrameWiz.h"
#include "markup/wizards/HTMLWiz.h"

namespace {

void FocusEditor(Tmain& w) {
    if (!w.Views->IsPreviewMode())
        w.CodeEditor->setFocus(Qt::OtherFocusReason);
}

} // namespace

void InstallWizards(Tmain& window) {
    Tmain& w = window;
    TCommandRegistry& commands = w.Commands();
    commands.Add(QStringLiteral("ANewDocWiz"), QStringLiteral("Webbsideguiden..."), {}, [&w] {
        w.NewDocTab(0, QStringLiteral("Ny webbsida.html"));
        THTMLWiz::Execute(w, &w);
        FocusEditor(w);
    });
    commands.Add(QStringLiteral("ANewFrameWiz"), QStringLiteral("Ramguiden..."), {}, [&w] {
        w.NewDocTab(0, QStringLiteral("Ny ramsida.html"));
        TFrameWiz::Execute(w);
        FocusEditor(w);
    });
    // After "Tomt dokument" and "HTML-grund".
    w.AddToMenu(QStringLiteral("Nytt1"), QStringLiteral("ANewDocWiz"), {}, QStringLiteral("&Nytt"));
    w.AddToMenu(QStringLiteral("Nytt1"), QStringLiteral("ANewFrameWiz"), {},
                QStringLiteral("&Nytt"));
}
