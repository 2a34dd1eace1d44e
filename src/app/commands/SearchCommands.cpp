#include "app/commands/SearchCommands.h"

#include "app/commands/CommandRegistry.h"
#include "app/commands/CommandWindow.h"
#include "app/commands/DocumentTable.h"
#include "app/commands/SearchForm.h"
#include "app/dialogs/Boxes.h"
#include "app/dialogs/ReplaceProgressWin.h"
#include "app/dialogs/TimesOfWin.h"
#include "editor/model/EditorModel.h"
#include "editor/view/TextEditorExSettings.h"
#include "platform/Cp1252.h"
#include "platform/Dialogs.h"
#include "platform/SilentAbort.h"

#include <QLabel>
#include <QPushButton>
#include <QScopeGuard>
#include <limits>
#include <memory>

namespace {

QString Quoted(const QString& text) {
    return QLatin1Char('"') + text + QLatin1Char('"');
}

// "Ordet" for a whole-word search, else "Texten".
QString Word(const TSearchRequest& r) {
    return r.WholeWords ? QStringLiteral("Ordet") : QStringLiteral("Texten");
}

// "\n" becomes CR LF, then "\t" a tab; nothing else is an escape.
QString Unescape(const QString& text) {
    QString out = text;
    out.replace(QLatin1String("\\n"), QLatin1String("\r\n"));
    out.replace(QLatin1String("\\t"), QLatin1String("\t"));
    return out;
}

// A text after the escapes, as document bytes; false when it holds a character that
// Windows-1252 cannot hold (no document can contain it).
bool SearchBytes(const QString& typed, QByteArray* bytes) {
    bool lossless = true;
    *bytes = Cp1252::Encode(Unescape(typed), &lossless);
    return lossless;
}

// The editor's search flags: 2 match case, 1 whole word, 4 from the start (only when
// `withStart` is set).
quint8 Flags(const TSearchRequest& r, bool withStart) {
    quint8 flags = 0;
    if (r.MatchCase)
        flags |= 2;
    if (r.WholeWords)
        flags |= 1;
    if (withStart && r.FromStart)
        flags |= 4;
    return flags;
}

QString AnsiLower(const QString& text) {
    return Cp1252::Decode(Cp1252::LowerCase(Cp1252::Encode(text)));
}

// The text of the replacement's "Sökalternativ:".
QString SearchOptions(const TSearchRequest& r) {
    QString out;
    if (r.MatchCase)
        out += QStringLiteral("Versalkänslighet");
    if (r.MatchCase && r.WholeWords)
        out += QStringLiteral(", ");
    if (r.WholeWords)
        out += QStringLiteral("Matcha hela ord");
    return out;
}

QString OccurrencesCaption(const TSearchRequest& r) {
    return QStringLiteral("Förekomster av ") + Word(r).toLower() + QLatin1Char(' ') +
           Quoted(r.Text);
}

QString TotalText(int count) {
    return QStringLiteral("Totalt antal förekomster: ") + QString::number(count);
}

} // namespace

TSearchCommands::TSearchCommands(const TCommandContext& context, const bool& showReplaceProgress)
    : ctx_(context), showReplaceProgress_(showReplaceProgress) {}

void TSearchCommands::Register(TCommandRegistry& commands) {
    commands.Add(QStringLiteral("RDocFind"), {QStringLiteral("Sök..."), {QKeySequence("Ctrl+F")}},
                 [this] { FocusPanel(TSearchBox::Find); });
    commands.Add(QStringLiteral("RDocReplace"),
                 {QStringLiteral("Ersätt..."), {QKeySequence("Ctrl+H")}},
                 [this] { FocusPanel(TSearchBox::Replace); });
    commands.Add(QStringLiteral("RDocGoTo"),
                 {QStringLiteral("Gå till..."), {QKeySequence("Ctrl+G")}},
                 [this] { FocusPanel(TSearchBox::GotoNumber); });
    commands.Add(QStringLiteral("RDocFindNext"), {QStringLiteral("Nästa"), {QKeySequence("F3")}},
                 [this] {
                     if (form_ && form_->HasSearchText())
                         SearchNext(form_->TakeSearchRequest(TSearchUse::FindNext));
                     else
                         FocusPanel(TSearchBox::Find);
                 });

    // The panel's buttons and menu items, and the subroutine statements, run these with a
    // request; without one they take the panel's.
    const auto withSearch = [this](TSearchUse use,
                                   void (TSearchCommands::*command)(const TSearchRequest&)) {
        return [this, use, command](const TCommandRequest& request) {
            if (const auto* given = RequestOf<TSearchRequest>(request))
                (this->*command)(*given);
            else if (form_)
                (this->*command)(form_->TakeSearchRequest(use));
        };
    };
    commands.AddWithRequest(QStringLiteral("SearchNext"), {QStringLiteral("Sök nästa")},
                            withSearch(TSearchUse::FindNext, &TSearchCommands::SearchNext));
    commands.AddWithRequest(
        QStringLiteral("ReplaceCurrent"), {QStringLiteral("Ersätt")},
        withSearch(TSearchUse::ReplaceCurrent, &TSearchCommands::ReplaceCurrent));
    commands.AddWithRequest(
        QStringLiteral("ReplaceAllOccurrences"), {QStringLiteral("Ersätt alla")},
        withSearch(TSearchUse::ReplaceAll, &TSearchCommands::ReplaceAllOccurrences));
    commands.AddWithRequest(QStringLiteral("ShowOccurrences"), {QStringLiteral("Förekomster")},
                            withSearch(TSearchUse::Occurrences, &TSearchCommands::ShowOccurrences));
    commands.AddWithRequest(QStringLiteral("GotoSpecified"), {QStringLiteral("Gå till")},
                            [this](const TCommandRequest& request) {
                                if (const auto* given = RequestOf<TGotoRequest>(request))
                                    GotoSpecified(*given);
                                else if (form_)
                                    GotoSpecified(form_->GotoRequest());
                            });
}

// --- showing the panel -------------------------------------------------------------------------

void TSearchCommands::FocusPanel(TSearchBox box) {
    if (!form_)
        return;
    QWidget* panel = form_->Panel();
    if (!ctx_.Window.SidePanelVisible(panel)) {
        ctx_.Window.SetSidePanelVisible(panel, true);
        ctx_.Window.RequestActionUpdate();
    }
    if (ctx_.Window.SidePanelVisible(panel))
        form_->FocusBox(box);
}

// --- find and replace --------------------------------------------------------------------------

void TSearchCommands::SearchNext(const TSearchRequest& request) {
    QByteArray text;
    const bool valid = SearchBytes(request.Text, &text);
    if (!valid || !ctx_.Editor.FindAndSelect(text, Flags(request, true)))
        ctx_.Boxes.kvMessageBox(
            Word(request) + QLatin1Char(' ') + Quoted(request.Text) +
            QStringLiteral(" återfinns inte i texten med de valda sökparametrarna."));
}

void TSearchCommands::ReplaceCurrent(const TSearchRequest& request) {
    TEditorModel& editor = ctx_.Editor;
    if (editor.Settings()->ReadOnly)
        return;
    // As typed: no escapes.
    const QByteArray replacement = Cp1252::Encode(request.Replacement);
    const int length = static_cast<int>(replacement.size());
    editor.SetSelText(replacement);
    editor.SetSelStart(editor.GetSelStart() - length);
    editor.SetSelLength(length);
}

void TSearchCommands::ReplaceAllOccurrences(const TSearchRequest& request) {
    if (request.Scope == TSearchScope::CurrentDocument) {
        ReplaceAllInCurrent(request);
        return;
    }
    // Every document runs the whole replacement, its messages and its progress window; the
    // last one stays current.
    TDocumentTable& docs = ctx_.Documents;
    for (int i = 0; i < docs.Count(); ++i) {
        docs.Select(i);
        ReplaceAllInCurrent(request);
    }
}

void TSearchCommands::ReplaceAllInCurrent(const TSearchRequest& request) {
    QByteArray find, replacement;
    const bool valid = SearchBytes(request.Text, &find);
    SearchBytes(request.Replacement, &replacement);
    const quint8 flags = Flags(request, false); // replace-all always covers the whole text
    if (find.isEmpty())
        return;
    if (find == replacement ||
        (!request.MatchCase && Cp1252::LowerCase(find) == Cp1252::LowerCase(replacement))) {
        ctx_.Boxes.kvMessageBox(QStringLiteral("Du kan inte ersätta en sträng med sig själv."));
        return;
    }

    ctx_.Window.SetStatusText(QStringLiteral("Ersätter..."));
    std::unique_ptr<Treplaceprogress> window;
    const auto done = qScopeGuard([this] {
        replaceprogress = nullptr;
        ctx_.Window.SetStatusText(QString());
    });
    if (showReplaceProgress_) {
        window = std::make_unique<Treplaceprogress>(ctx_.Window.Owner());
        replaceprogress = window.get();
        window->CloseBtn->hide();
        window->ProcessValue->setText(QStringLiteral("Förbereder ersättning..."));
        Dialogs::CentreOnScreen(window.get());
        window->show();
        window->SearchValue->setText(request.Text);
        window->ReplaceValue->setText(request.Replacement);
        window->TotalValue->setText(QStringLiteral("0"));
        window->DoneValue->setText(QStringLiteral("0"));
        window->ProgressValue->setText(QStringLiteral("0 %"));
        window->OptionsValue->setText(SearchOptions(request));
        window->repaint();
    }

    if (valid && !ctx_.Editor.Settings()->ReadOnly) {
        ctx_.Window.EditorTakesSnapshot();
        ctx_.Editor.ReplaceAll(find, replacement, flags);
    }

    if (window) {
        Treplaceprogress::SetValue(window->ProcessValue,
                                   QStringLiteral("Ersättningsprocess klar."));
        window->CloseBtn->show();
        window->hide();
        Dialogs::RunModal(window.get());
    }
}

void TSearchCommands::ReplaceProgress(int numTotal, int numDone, int progress) {
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

// --- occurrences ---------------------------------------------------------------------------------

TTimesOf* TSearchCommands::OccurrencesWindow() {
    if (TimesOf) {
        TimesOf->List()->Clear();
        return TimesOf;
    }
    TimesOf = new TTimesOf(ctx_.Window.Owner());
    TimesOf->OnGoto = [this](int row) { RunCommand([this, row] { GotoOccurrence(row); }); };
    TimesOf->OnMessage = [this](const QString& text) { ctx_.Boxes.kvMessageBox(text); };
    Dialogs::CentreOnScreen(TimesOf);
    return TimesOf;
}

void TSearchCommands::ShowOccurrences(const TSearchRequest& request) {
    QByteArray text;
    const bool valid = SearchBytes(request.Text, &text);
    // "Start at the top" is passed on and has no effect on collecting.
    const quint8 flags = Flags(request, true);
    TTimesOf* window = OccurrencesWindow();
    window->SetCaption(OccurrencesCaption(request));
    if (request.Scope == TSearchScope::CurrentDocument) {
        std::vector<int> hits;
        if (valid)
            hits = ctx_.Editor.FindHits(text, flags);
        window->List()->AddHits(ctx_.Editor.Lines, hits, static_cast<int>(text.size()), -1);
        window->SetStatus(TotalText(window->List()->Count()));
        window->show();
        window->raise();
        OccurrencesSpanAllDocuments = false;
        ctx_.Window.SetStatusText(QString());
        return;
    }

    window->SetStatus(TotalText(0));
    window->show();
    window->raise();
    // Set before the loop: every entry names its tab, also when the loop stops early.
    OccurrencesSpanAllDocuments = true;
    TDocumentTable& docs = ctx_.Documents;
    for (int i = 0; i < docs.Count(); ++i) {
        docs.Select(i);
        std::vector<int> hits;
        if (valid)
            hits = ctx_.Editor.FindHits(text, flags);
        window->List()->AddHits(ctx_.Editor.Lines, hits, static_cast<int>(text.size()), i,
                                docs.Record(i).FileName);
        window->SetStatus(TotalText(window->List()->Count()));
    }
    ctx_.Window.SetStatusText(QString());
}

void TSearchCommands::GotoOccurrence(int row) {
    if (!TimesOf)
        return;
    const TOccurrenceList& list = *TimesOf->List();
    if (row < 0 || row >= list.Count())
        return;
    const TOccurrence entry = list.Entry(row);
    if (OccurrencesSpanAllDocuments) {
        TDocumentTable& docs = ctx_.Documents;
        // The tab must still hold the document the entry was found in.
        const bool there = entry.Tab >= 0 && entry.Tab < docs.Count() &&
                           docs.Record(entry.Tab).FileName == list.DocumentPath(row);
        bool shown = there;
        if (there && entry.Tab != docs.CurrentIndex()) {
            shown = RunCommand([&] { docs.Select(entry.Tab); });
            shown = shown && docs.CurrentIndex() == entry.Tab;
        }
        if (!shown) {
            ctx_.Boxes.kvMessageBox(QStringLiteral("Det gick inte att öppna dokumentet."));
            return;
        }
    }
    ctx_.Editor.SetSelStart(static_cast<int>(entry.Offset));
    ctx_.Editor.SetSelLength(entry.Length);
}

// --- go to -------------------------------------------------------------------------------------

void TSearchCommands::GotoSpecified(const TGotoRequest& request) {
    const QString kind = AnsiLower(request.Kind);
    if (kind != QLatin1String("rad") && kind != QLatin1String("tecken"))
        return;
    const QString& valueText = request.Value;
    bool isNumber = false;
    const qint64 number = valueText.toLongLong(&isNumber);
    if (!isNumber || number < std::numeric_limits<int>::min() ||
        number > std::numeric_limits<int>::max()) {
        ctx_.Boxes.kvMessageBox(Quoted(valueText) + QStringLiteral(" är inte ett naturligt tal."));
        return;
    }
    TEditorModel& editor = ctx_.Editor;
    if (kind == QLatin1String("rad")) {
        const int count = editor.Lines.Count();
        if (number < 1 || number > count) {
            ctx_.Boxes.kvMessageBox(
                QStringLiteral("Raden ") + valueText +
                QStringLiteral(" finns inte i dokumentet. Ange ett naturligt tal i "
                               "intervallet 1~") +
                QString::number(count) + QLatin1Char('.'));
            return;
        }
        editor.SelectLine(static_cast<int>(number - 1));
    } else {
        // A position outside the text leaves the caret where it is.
        if (number - 1 >= 0)
            editor.SetSelStart(static_cast<int>(number - 1));
    }
    ctx_.Window.FocusEditor();
}
