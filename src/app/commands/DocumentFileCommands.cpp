#include "app/commands/DocumentFileCommands.h"

#include "app/mainwindow/MainWin.h"
#include "app/preview/ViewModes.h"
#include "editor/view/TextEditorEx.h"
#include "platform/AppPaths.h"
#include "platform/Dialogs.h"
#include "platform/SilentAbort.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMenu>
#include <QScopedValueRollback>

namespace DocumentFileCommands {

namespace {

QString Quoted(const QString& text) {
    return QLatin1Char('"') + text + QLatin1Char('"');
}

// The status panels and, outside the edit view, the preview follow the document's file.
void Refresh(Tmain& main) {
    main.SelectionChange();
    if (!main.Views->IsEditMode())
        main.PreviewPage();
    main.RequestActionUpdate();
}

} // namespace

QString CopiesFolder() {
    return AppPaths::DataFile(QStringLiteral("kopior"));
}

QString UniqueCopyPath(const QString& folder, const QString& fileName) {
    const QDir dir(folder);
    const QString name = QStringLiteral("Copy of ") + fileName;
    if (!QFileInfo::exists(dir.filePath(name)))
        return dir.filePath(name);
    const QFileInfo info(name);
    const QString base = info.completeBaseName();
    const QString suffix = info.suffix().isEmpty() ? QString() : QLatin1Char('.') + info.suffix();
    for (int n = 2;; ++n) {
        const QString candidate =
            dir.filePath(QStringLiteral("%1 (%2)%3").arg(base).arg(n).arg(suffix));
        if (!QFileInfo::exists(candidate))
            return candidate;
    }
}

void DocDel(Tmain& main) {
    TFileData& doc = main.Current();
    if (!doc.HasFile)
        return;
    const QString path = doc.FileName;
    const QString name = QFileInfo(path).fileName();
    main.LastQuestionResult =
        main.kvQuestionBox(QStringLiteral("Filen ") + Quoted(name) +
                               QStringLiteral(" kommer att tas bort från datorn."),
                           QStringLiteral("Vill du fortsätta?"));
    if (main.LastQuestionResult != Dialogs::mrYes)
        return;
    // A file that is still there afterwards was not deleted: the document keeps its file.
    QFile::remove(path);
    if (QFileInfo::exists(path) || QFileInfo(path).isSymLink()) {
        main.kvMessageBox(QStringLiteral("Det gick inte att ta bort filen ") + Quoted(name) +
                          QLatin1Char('.'));
        return;
    }
    main.kvMessageBox(QStringLiteral("Filen ") + Quoted(name) +
                      QStringLiteral(" togs bort från datorn. Du kan fortfarande redigera texten "
                                     "i Kelvora och sedan spara dokumentet till en ny fil."));
    doc.HasFile = false;
    doc.Modified = true;
    main.UpdateTab(main.CurrentTab());
    Refresh(main);
}

void RecreateDoc(Tmain& main) {
    TFileData& doc = main.Current();
    main.LastQuestionResult = main.kvQuestionBox(
        QStringLiteral("Dokumentet kommer att återställas."), QStringLiteral("Vill du fortsätta?"));
    if (main.LastQuestionResult == Dialogs::mrYes) {
        // The text on screen is kept in a file of its own before the saved one replaces it.
        const QString folder = CopiesFolder();
        const QString copy = UniqueCopyPath(folder, QFileInfo(doc.FileName).fileName());
        bool copied = QDir().mkpath(folder);
        if (copied) {
            try {
                main.CodeEditor->SaveToFile(copy);
            } catch (const EKelvoraError&) {
                copied = false;
            }
        }
        if (!copied) {
            main.kvMessageBox(
                QStringLiteral("Det gick inte att säkerhetskopiera den nya versionen "
                               "av dokumentet. Öppna den sparade versionen manuellt."));
            Abort();
        }
        // A document without a file has no saved version.
        bool loaded = doc.HasFile;
        if (loaded) {
            try {
                // The editor's change is the saved text, not an edit.
                const QScopedValueRollback switching(main.SwitchingTab, true);
                main.CodeEditor->LoadFromFile(doc.FileName);
            } catch (const EKelvoraError&) {
                loaded = false;
            }
        }
        if (loaded) {
            main.CodeEditor->ClearUndoData();
            main.CodeEditor->AddUndoData();
            doc.HasFile = true;
            doc.Modified = false;
            main.UpdateTab(main.CurrentTab());
            main.ChangeAppTitle();
            main.kvMessageBox(QStringLiteral("Den ändrade texten sparades som ") + Quoted(copy) +
                              QStringLiteral(" innan dokumentet återställdes."));
        } else {
            main.kvMessageBox(
                QStringLiteral("Det gick inte att öppna den sparade versionen av dokumentet."));
        }
    }
    Refresh(main);
}

void OpenFileFolder(Tmain& main) {
    const TFileData& doc = main.Current();
    if (!doc.HasFile || !main.OpenWithSystemHandler)
        return;
    main.OpenWithSystemHandler(QFileInfo(doc.FileName).absolutePath());
}

void Install(Tmain& main) {
    TCommandRegistry& commands = main.Commands();
    commands.Add(QStringLiteral("ADocDel"), QStringLiteral("Ta bort fil"), {},
                 [&main] { DocDel(main); });
    commands.Add(QStringLiteral("ARecreateDoc"), QStringLiteral("Återställ"),
                 QKeySequence(QStringLiteral("Ctrl+Shift+O")), [&main] { RecreateDoc(main); });
    commands.Add(QStringLiteral("AOpenFileFolder"), QStringLiteral("Öppna mapp"), {},
                 [&main] { OpenFileFolder(main); });

    // On "&Arkiv", before "Stäng".
    if (QMenu* file = main.Arkiv1) {
        QAction* close = main.Action(QStringLiteral("ADocClose"));
        const bool inMenu = close && file->actions().contains(close);
        for (const char* name : {"ARecreateDoc", "ADocDel", "AOpenFileFolder"})
            main.AddToMenu(QStringLiteral("Arkiv1"), QLatin1String(name),
                           inMenu ? QStringLiteral("ADocClose") : QString());
        if (inMenu)
            file->insertSeparator(close);
    }

    // The open button's drop-down: the recent files, then "Annat dokument...".
    if (QMenu* popup = main.ReopenPopup) {
        QAction* separator = popup->addSeparator();
        QAction* open = main.Action(QStringLiteral("AOpenDoc"));
        if (open) {
            popup->addAction(open);
            popup->setDefaultAction(open);
        }
        QObject::connect(popup, &QMenu::aboutToShow, popup, [&main, separator] {
            bool any = false;
            for (const QAction* item : main.Reopen)
                any = any || (item && item->isVisible());
            separator->setVisible(any);
        });
    }
}

} // namespace DocumentFileCommands
