#pragma once

#include "MainWinFixture.h"
#include "app/dialogs/ReplaceProgressWin.h"
#include "app/panels/SearchPanel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QStatusBar>

// The main window with its search panel; message boxes and the replace progress window answer
// from here and are written down.
class SearchTest : public MainWinTest {
protected:
    void SetUp() override {
        MainWinTest::SetUp();
        handler = std::make_unique<Dialogs::ScopedModalHandler>([this](QDialog* d) {
            if (auto* m = qobject_cast<TMessageBox*>(d)) {
                seen << QStringLiteral("M:") + m->Text();
                return int(Dialogs::mrOk);
            }
            if (auto* r = dynamic_cast<Treplaceprogress*>(d)) {
                progress << ProgressText(*r);
                statusDuring << win->statusBar()->currentMessage();
                return int(Dialogs::mrOk);
            }
            ADD_FAILURE() << "unexpected dialog";
            return int(Dialogs::mrCancel);
        });
        p = win->searchpn;
    }
    void TearDown() override {
        handler.reset();
        MainWinTest::TearDown();
    }

    // The labels of a progress window as it runs modally, and whether "Stäng" shows.
    static QString ProgressText(const Treplaceprogress& r) {
        QStringList parts;
        for (const QLabel* l : {r.ProcessValue, r.SearchValue, r.ReplaceValue, r.OptionsValue,
                                r.TotalValue, r.DoneValue, r.ProgressValue})
            parts << l->text();
        if (r.CloseBtn->isVisibleTo(&r))
            parts << QStringLiteral("Stäng");
        return parts.join(QLatin1Char('|'));
    }

    void SetText(const QByteArray& text) {
        win->CodeEditor->SetText(text);
        win->CodeEditor->SetSelStart(0);
        // As if the text had been loaded.
        win->Current().Modified = false;
        win->UpdateTab(win->CurrentTab());
    }
    // Types into the search box and presses "Sök nästa".
    void FindNext(const QString& text) {
        p->searchtext->setEditText(text);
        p->SearchBtn->click();
    }
    std::pair<int, int> Sel() const {
        return {win->CodeEditor->GetSelStart(), win->CodeEditor->GetSelLength()};
    }
    void ShowPanel() {
        if (!win->SidePanelVisible(win->searchpn))
            Run("VToggleSearch");
    }

    TSearchPanel* p = nullptr;
    QStringList progress;     // one entry per progress window run modally
    QStringList statusDuring; // the status bar's text while it ran
    std::unique_ptr<Dialogs::ScopedModalHandler> handler;
};
