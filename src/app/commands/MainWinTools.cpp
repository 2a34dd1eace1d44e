// The main window's document tools: statistics, line sorting, document properties and the
// comparison of two files.
#include "app/mainwindow/MainWin.h"

#include "app/core/FileData.h"
#include "app/dialogs/CompareWin.h"
#include "app/dialogs/InternalFunctionInputWin.h"
#include "app/dialogs/PropertiesWin.h"
#include "app/dialogs/SortRowsWin.h"
#include "app/dialogs/StatWin.h"
#include "app/preview/ViewModes.h"
#include "editor/view/TextEditorEx.h"
#include "platform/Dialogs.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QRadioButton>
#include <QStatusBar>
#include <memory>

void Tmain::BuildToolCommands() {
    QAction* properties =
        AddAction(QStringLiteral("ADocProperties"), QStringLiteral("Egenskaper..."), {},
                  [this] { DocProperties(); });
    Arkiv1->addSeparator();
    Arkiv1->addAction(properties);

    Verktyg1 = menuBar()->findChild<QMenu*>(QStringLiteral("Verktyg1"), Qt::FindDirectChildrenOnly);
    if (!Verktyg1) {
        Verktyg1 = new QMenu(QStringLiteral("&Verktyg"), menuBar());
        Verktyg1->setObjectName(QStringLiteral("Verktyg1"));
        menuBar()->insertMenu(mnuDocTabs->menuAction(), Verktyg1);
        Views->AddEditOnly(Verktyg1);
    }
    Verktyg1->addAction(AddAction(QStringLiteral("ASortRows"), QStringLiteral("Sortera rader..."),
                                  QKeySequence(QStringLiteral("F11")), [this] { SortRows(); }));
    Verktyg1->addAction(AddAction(QStringLiteral("ACompareFiles"),
                                  QStringLiteral("Jämför dokument"), {},
                                  [this] { CompareFiles(); }));
}

void Tmain::ShowStatistics() {
    auto win = std::make_unique<Tstat>(CodeEditor->Lines, DocFileName(Current().FileName), this);
    win->OnStatus = [this](const QString& text) {
        if (text.isEmpty())
            statusBar()->clearMessage();
        else
            statusBar()->showMessage(text);
    };
    Dialogs::RunModal(win.get());
}

void Tmain::SortRows() {
    if (Views->IsPreviewMode())
        return;
    auto win = std::make_unique<TSortRows>(this);
    win->Prepare(CodeEditor->HasSelection());
    if (Dialogs::RunModal(win.get()) != 1 || CodeEditor->Settings()->ReadOnly)
        return;
    const bool all = win->AllRows->isChecked();
    const int selStart = CodeEditor->GetSelStart();
    const int selLength = CodeEditor->GetSelLength();
    if (all)
        CodeEditor->SelectAll();
    QPoint from, to;
    CodeEditor->SelectionBounds(&from, &to);
    // Views of the selected lines, sorted and put back in one splice: no line is copied twice.
    const std::vector<QByteArrayView> sorted = SortedLines(CodeEditor->GetRangeViews(from, to));
    if (sorted.empty() && !CodeEditor->HasSelection()) {
        if (all) {
            CodeEditor->SetSelStart(selStart);
            CodeEditor->SetSelLength(selLength);
        }
        return;
    }
    BeforeEditorChange();
    CodeEditor->BeginUpdate();
    CodeEditor->SetSelLines(sorted);
    if (all) {
        CodeEditor->SetSelStart(selStart);
        CodeEditor->SetSelLength(selLength);
    }
    CodeEditor->EndUpdate();
}

void Tmain::DocProperties() {
    auto win = std::make_unique<Tproperties>(this);
    const TFileData& doc = Current();
    win->Fill(doc.FileName, doc.HasFile, CodeEditor->TextLength());
    Dialogs::RunModal(win.get());
}

void Tmain::CompareFiles() {
    const TFileData& doc = Current();
    if (!doc.HasFile || doc.Modified) {
        kvMessageBox(QStringLiteral("Det aktuella dokumenetet måste vara sparat till en fil och "
                                    "oändrat för att det ska kunna jämföras."));
        return;
    }
    auto win = std::make_unique<Tcompare>(doc.FileName, this);
    win->OnMessage = [this](const QString& text) { kvMessageBox(text); };
    win->OnGetInput = [w = win.get()](const QString& prompt, QString* answer) {
        TInternalFunctionInput input(w);
        input.SetQuestion(prompt);
        input.SetShowBrowse(false);
        return input.Run(answer);
    };
    Dialogs::RunModal(win.get());
}
