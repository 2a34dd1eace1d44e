// The main window's search, replace and go-to commands: the panel "Kodsökning", the replace
// progress window and the occurrences window.
#include "app/mainwindow/MainWin.h"

#include "app/dialogs/ReplaceProgressWin.h"
#include "app/dialogs/TimesOfWin.h"
#include "app/panels/SearchPanel.h"
#include "app/preview/ViewModes.h"
#include "controls/TabControlEx.h"
#include "editor/view/TextEditorEx.h"
#include "platform/Cp1252.h"
#include "platform/Dialogs.h"
#include "platform/SilentAbort.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDockWidget>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScopeGuard>
#include <QStatusBar>
#include <limits>
#include <memory>

namespace {

QString Quoted(const QString& text) {
    return QLatin1Char('"') + text + QLatin1Char('"');
}

// "Ordet" for a whole-word search, else "Texten".
QString Word(const TSearchPanel& p) {
    return p.whwo->isChecked() ? QStringLiteral("Ordet") : QStringLiteral("Texten");
}

// A box's text after the escapes, as document bytes; false when the text holds a character
// that Windows-1252 cannot hold (no document can contain it).
bool SearchBytes(const QComboBox* box, QByteArray* bytes) {
    bool lossless = true;
    *bytes = Cp1252::Encode(TSearchPanel::Unescape(box->currentText()), &lossless);
    return lossless;
}

QString AnsiLower(const QString& text) {
    return Cp1252::Decode(Cp1252::LowerCase(Cp1252::Encode(text)));
}

// The text of the replacement's "Sökalternativ:".
QString SearchOptions(const TSearchPanel& p) {
    QString out;
    if (p.vers->isChecked())
        out += QStringLiteral("Versalkänslighet");
    if (p.vers->isChecked() && p.whwo->isChecked())
        out += QStringLiteral(", ");
    if (p.whwo->isChecked())
        out += QStringLiteral("Matcha hela ord");
    return out;
}

QMenu* EditMenu(Tmain& w, QMenu* before) {
    auto* menu =
        w.menuBar()->findChild<QMenu*>(QStringLiteral("Redigera1"), Qt::FindDirectChildrenOnly);
    if (menu)
        return menu;
    menu = new QMenu(QStringLiteral("&Redigera"), w.menuBar());
    menu->setObjectName(QStringLiteral("Redigera1"));
    w.menuBar()->insertMenu(before->menuAction(), menu);
    w.Views->AddEditOnly(menu);
    return menu;
}

} // namespace

void Tmain::CreateSearchPanel() {
    SearchDock = new QDockWidget(QStringLiteral("Kodsökning"), this);
    SearchDock->setObjectName(QStringLiteral("SearchDock"));
    SearchDock->setAllowedAreas(Qt::LeftDockWidgetArea | Qt::RightDockWidgetArea);
    SearchDock->setFeatures(QDockWidget::DockWidgetClosable | QDockWidget::DockWidgetMovable);
    searchpn = new TSearchPanel(SearchDock);
    SearchDock->setWidget(searchpn);
    addDockWidget(Qt::LeftDockWidgetArea, SearchDock);
    SearchDock->hide();
    Views->AddEditOnly(searchpn);
    connect(SearchDock, &QDockWidget::visibilityChanged, this, [this](bool) {
        RequestActionUpdate();
        RunCommand([this] { TestSearchButtonsEnabled(); });
    });

    QMenu* edit = EditMenu(*this, mnuDocTabs);
    if (!edit->isEmpty())
        edit->addSeparator();
    edit->addAction(AddAction(QStringLiteral("RDocFind"), QStringLiteral("Sök..."),
                              QKeySequence(QStringLiteral("Ctrl+F")), [this] { DocFind(); }));
    edit->addAction(AddAction(QStringLiteral("RDocReplace"), QStringLiteral("Ersätt..."),
                              QKeySequence(QStringLiteral("Ctrl+H")), [this] { DocReplace(); }));
    edit->addAction(AddAction(QStringLiteral("RDocGoTo"), QStringLiteral("Gå till..."),
                              QKeySequence(QStringLiteral("Ctrl+G")), [this] { DocGoTo(); }));
    edit->addAction(AddAction(QStringLiteral("RDocFindNext"), QStringLiteral("Nästa"),
                              QKeySequence(QStringLiteral("F3")), [this] { DocFindNext(); }));
    QAction* toggle = AddAction(QStringLiteral("VToggleSearch"), QStringLiteral("Kodsökning"), {},
                                [this] { ToggleSearch(); });
    toggle->setCheckable(true);
    edit->addAction(toggle);

    TSearchPanel& p = *searchpn;
    const auto command = [this](auto* sender, auto signal, void (Tmain::*handler)()) {
        connect(sender, signal, this,
                [this, handler] { RunCommand([this, handler] { (this->*handler)(); }); });
    };
    command(p.SearchBtn, &QPushButton::clicked, &Tmain::SearchNext);
    command(p.Replace, &QPushButton::clicked, &Tmain::ReplaceCurrent);
    command(p.GotoBtn, &QPushButton::clicked, &Tmain::GotoSpecified);
    command(p.ReplaceInCurrent, &QAction::triggered, &Tmain::ReplaceAllOccurrences);
    command(p.ReplaceInAll, &QAction::triggered, &Tmain::ReplaceAllOccurrencesAll);
    command(p.OccurInCurrent, &QAction::triggered, &Tmain::ShowOccurrences);
    command(p.OccurInAll, &QAction::triggered, &Tmain::ShowOccurrencesAll);
    command(p.searchtext, &QComboBox::editTextChanged, &Tmain::TestSearchButtonsEnabled);
    command(p.ReplaceText, &QComboBox::editTextChanged, &Tmain::TestSearchButtonsEnabled);
    connect(p.btnAdvReplace, &QPushButton::clicked, this, [this] {
        if (AdvancedReplaceHook)
            RunCommand(AdvancedReplaceHook);
    });

    CodeEditor->OnReplaceProgress = [this](int numTotal, int numDone, int progress) {
        CodeEditorReplaceProgress(numTotal, numDone, progress);
    };
}

void Tmain::ApplySearchSettings(const TSettingsValues& values) {
    TSearchPanel::SetHistory(searchpn->searchtext, values.SearchMRU);
    TSearchPanel::SetHistory(searchpn->ReplaceText, values.ReplaceMRU);
    SearchDock->setVisible(values.ShowSearch);
}

void Tmain::TakeSearchSettings(TSettingsValues* values) const {
    values->SearchMRU = TSearchPanel::History(searchpn->searchtext);
    values->ReplaceMRU = TSearchPanel::History(searchpn->ReplaceText);
    values->ShowSearch = SearchPanelVisible();
}

bool Tmain::SearchPanelVisible() const {
    return SearchDock && SearchDock->isVisibleTo(this);
}

// --- showing the panel -------------------------------------------------------------------------

void Tmain::ToggleSearch() {
    SearchDock->setVisible(!SearchPanelVisible());
    TestSearchButtonsEnabled();
    RequestActionUpdate();
}

namespace {

// Shows the panel when it is hidden and gives a control the focus, when it can take it.
void FocusPanelControl(Tmain& w, QWidget* control) {
    if (!w.SearchPanelVisible())
        w.ToggleSearch();
    if (!w.SearchPanelVisible() || !control->isEnabled() || !control->isVisibleTo(&w))
        return;
    control->setFocus(Qt::OtherFocusReason);
    if (auto* box = qobject_cast<QComboBox*>(control))
        box->lineEdit()->selectAll();
    else if (auto* edit = qobject_cast<QLineEdit*>(control))
        edit->selectAll();
}

} // namespace

void Tmain::DocFind() {
    FocusPanelControl(*this, searchpn->searchtext);
}

void Tmain::DocReplace() {
    FocusPanelControl(*this, searchpn->ReplaceText);
}

void Tmain::DocGoTo() {
    FocusPanelControl(*this, searchpn->value);
}

void Tmain::DocFindNext() {
    if (!searchpn->searchtext->currentText().isEmpty())
        SearchNext();
    else
        DocFind();
}

void Tmain::TestSearchButtonsEnabled() {
    if (!searchpn || !SearchPanelVisible() || !searchpn->isEnabled())
        return;
    searchpn->Replace->setEnabled(!searchpn->ReplaceText->currentText().isEmpty() &&
                                  CodeEditor->HasSelection());
    searchpn->ReplaceAll->setEnabled(!searchpn->searchtext->currentText().isEmpty());
}

// --- find and replace --------------------------------------------------------------------------

void Tmain::SearchNext() {
    TSearchPanel& p = *searchpn;
    // "Börja om" serves one search, found or not.
    const auto untick = qScopeGuard([&p] { p.startover->setChecked(false); });
    const QString word = Word(p);
    TSearchPanel::AddToHistory(p.searchtext);
    QByteArray text;
    const bool valid = SearchBytes(p.searchtext, &text);
    if (!valid || !CodeEditor->FindAndSelect(text, p.Flags(true)))
        kvMessageBox(word + QLatin1Char(' ') + Quoted(p.searchtext->currentText()) +
                     QStringLiteral(" återfinns inte i texten med de valda sökparametrarna."));
}

void Tmain::ReplaceCurrent() {
    TSearchPanel& p = *searchpn;
    TSearchPanel::AddToHistory(p.ReplaceText);
    if (CodeEditor->Settings()->ReadOnly)
        return;
    const QByteArray replacement = Cp1252::Encode(p.ReplaceText->currentText());
    const int length = static_cast<int>(replacement.size());
    CodeEditor->SetSelText(replacement);
    CodeEditor->SetSelStart(CodeEditor->GetSelStart() - length);
    CodeEditor->SetSelLength(length);
}

void Tmain::ReplaceAllOccurrences() {
    TSearchPanel& p = *searchpn;
    TSearchPanel::AddToHistory(p.searchtext);
    TSearchPanel::AddToHistory(p.ReplaceText);
    QByteArray find, replacement;
    const bool valid = SearchBytes(p.searchtext, &find);
    SearchBytes(p.ReplaceText, &replacement);
    const quint8 flags = p.Flags(false);
    if (find.isEmpty())
        return;
    if (find == replacement ||
        (!p.vers->isChecked() && Cp1252::LowerCase(find) == Cp1252::LowerCase(replacement))) {
        kvMessageBox(QStringLiteral("Du kan inte ersätta en sträng med sig själv."));
        return;
    }

    statusBar()->showMessage(QStringLiteral("Ersätter..."));
    std::unique_ptr<Treplaceprogress> window;
    const auto done = qScopeGuard([this] {
        replaceprogress = nullptr;
        statusBar()->clearMessage();
    });
    if (Settings.ShowReplaceProgress) {
        window = std::make_unique<Treplaceprogress>(this);
        replaceprogress = window.get();
        window->CloseBtn->hide();
        window->ProcessValue->setText(QStringLiteral("Förbereder ersättning..."));
        Dialogs::CentreOnScreen(window.get());
        window->show();
        window->SearchValue->setText(p.searchtext->currentText());
        window->ReplaceValue->setText(p.ReplaceText->currentText());
        window->TotalValue->setText(QStringLiteral("0"));
        window->DoneValue->setText(QStringLiteral("0"));
        window->ProgressValue->setText(QStringLiteral("0 %"));
        window->OptionsValue->setText(SearchOptions(p));
        window->repaint();
    }

    if (valid && !CodeEditor->Settings()->ReadOnly) {
        Debounce.AUU.Stop(); // the editor takes the snapshot before replacing
        CodeEditor->ReplaceAll(find, replacement, flags);
    }

    if (window) {
        Treplaceprogress::SetValue(window->ProcessValue,
                                   QStringLiteral("Ersättningsprocess klar."));
        window->CloseBtn->show();
        window->hide();
        Dialogs::RunModal(window.get());
    }
}

void Tmain::CodeEditorReplaceProgress(int numTotal, int numDone, int progress) {
    if (!replaceprogress)
        return;
    if (numDone == 1) {
        Treplaceprogress::SetValue(replaceprogress->ProcessValue, QStringLiteral("Ersätter..."));
        Treplaceprogress::SetValue(replaceprogress->TotalValue, QString::number(numTotal));
    }
    Treplaceprogress::SetValue(replaceprogress->DoneValue, QString::number(numDone));
    Treplaceprogress::SetValue(replaceprogress->ProgressValue,
                               QString::number(progress) + QStringLiteral(" ‰"));
}

void Tmain::ReplaceAllOccurrencesAll() {
    for (int i = 0; i < FilesList->count(); ++i) {
        SelectTab(i);
        UpdateEditor();
        ReplaceAllOccurrences();
    }
}

// --- occurrences ---------------------------------------------------------------------------------

namespace {

// The occurrences window, made on first use and emptied on every later one.
TTimesOf* OccurrencesWindow(Tmain& w) {
    if (w.TimesOf) {
        w.TimesOf->List()->Clear();
        return w.TimesOf;
    }
    w.TimesOf = new TTimesOf(&w);
    w.TimesOf->OnGoto = [&w](int row) { RunCommand([&w, row] { w.GotoOccurrence(row); }); };
    w.TimesOf->OnMessage = [&w](const QString& text) { w.kvMessageBox(text); };
    Dialogs::CentreOnScreen(w.TimesOf);
    return w.TimesOf;
}

QString OccurrencesCaption(const TSearchPanel& p) {
    return QStringLiteral("Förekomster av ") + Word(p).toLower() + QLatin1Char(' ') +
           Quoted(p.searchtext->currentText());
}

QString TotalText(int count) {
    return QStringLiteral("Totalt antal förekomster: ") + QString::number(count);
}

} // namespace

void Tmain::ShowOccurrences() {
    TSearchPanel& p = *searchpn;
    TSearchPanel::AddToHistory(p.searchtext);
    QByteArray text;
    std::vector<int> hits;
    if (SearchBytes(p.searchtext, &text))
        hits = CodeEditor->FindHits(text, p.Flags(true));
    TTimesOf* window = OccurrencesWindow(*this);
    window->SetCaption(OccurrencesCaption(p));
    window->List()->AddHits(CodeEditor->Lines, hits, static_cast<int>(text.size()), -1);
    window->SetStatus(TotalText(window->List()->Count()));
    window->show();
    window->raise();
    OccurrencesSpanAllDocuments = false;
    statusBar()->clearMessage();
}

void Tmain::ShowOccurrencesAll() {
    TSearchPanel& p = *searchpn;
    TSearchPanel::AddToHistory(p.searchtext);
    QByteArray text;
    const bool valid = SearchBytes(p.searchtext, &text);
    TTimesOf* window = OccurrencesWindow(*this);
    window->SetCaption(OccurrencesCaption(p));
    window->SetStatus(TotalText(0));
    window->show();
    window->raise();
    // Set before the loop: every entry names its tab, also when the loop stops early.
    OccurrencesSpanAllDocuments = true;
    for (int i = 0; i < FilesList->count(); ++i) {
        SelectTab(i);
        UpdateEditor();
        std::vector<int> hits;
        if (valid)
            hits = CodeEditor->FindHits(text, p.Flags(true));
        window->List()->AddHits(CodeEditor->Lines, hits, static_cast<int>(text.size()), i,
                                Current().FileName);
        window->SetStatus(TotalText(window->List()->Count()));
    }
    statusBar()->clearMessage();
}

void Tmain::GotoOccurrence(int row) {
    const TOccurrenceList& list = *TimesOf->List();
    if (row < 0 || row >= list.Count())
        return;
    const TOccurrence entry = list.Entry(row);
    if (OccurrencesSpanAllDocuments) {
        // The tab must still hold the document the entry was found in.
        const bool there =
            entry.Tab >= 0 && entry.Tab < OpenFilesCount() && entry.Tab < FilesList->count() &&
            OpenFiles[static_cast<size_t>(entry.Tab)].FileName == list.DocumentPath(row);
        bool shown = there;
        if (there && entry.Tab != CurrentTab()) {
            shown = RunCommand([&] {
                SelectTab(entry.Tab);
                UpdateEditor();
            });
            shown = shown && CurrentTab() == entry.Tab;
        }
        if (!shown) {
            kvMessageBox(QStringLiteral("Det gick inte att öppna dokumentet."));
            return;
        }
    }
    CodeEditor->SetSelStart(static_cast<int>(entry.Offset));
    CodeEditor->SetSelLength(entry.Length);
}

// --- go to
// -----------------------------------------------------------------------------------------

void Tmain::GotoSpecified() {
    const TSearchPanel& p = *searchpn;
    const QString kind = AnsiLower(p.name->currentText());
    if (kind != QLatin1String("rad") && kind != QLatin1String("tecken"))
        return;
    const QString valueText = p.value->text();
    bool isNumber = false;
    const qint64 number = valueText.toLongLong(&isNumber);
    if (!isNumber || number < std::numeric_limits<int>::min() ||
        number > std::numeric_limits<int>::max()) {
        kvMessageBox(Quoted(valueText) + QStringLiteral(" är inte ett naturligt tal."));
        return;
    }
    if (kind == QLatin1String("rad")) {
        const int count = CodeEditor->Lines.Count();
        if (number < 1 || number > count) {
            kvMessageBox(QStringLiteral("Raden ") + valueText +
                         QStringLiteral(" finns inte i dokumentet. Ange ett naturligt tal i "
                                        "intervallet 1~") +
                         QString::number(count) + QLatin1Char('.'));
            return;
        }
        CodeEditor->SelectLine(static_cast<int>(number - 1));
    } else {
        // A position outside the text leaves the caret where it is.
        if (number - 1 >= 0)
            CodeEditor->SetSelStart(static_cast<int>(number - 1));
    }
    CodeEditor->FocusEditor();
}
