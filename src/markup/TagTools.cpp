#include "markup/TagTools.h"

#include "app/mainwindow/MainWin.h"
#include "app/preview/ViewModes.h"
#include "editor/view/TextEditorEx.h"
#include "markup/classes/CSSGroupsWin.h"
#include "markup/elements/HRuleWin.h"
#include "markup/elements/ImgWin.h"
#include "markup/elements/LinkWin.h"
#include "markup/elements/PhraseWin.h"
#include "markup/lists/ListWin.h"
#include "markup/lists/TableWin.h"
#include "markup/tagref/TagReference.h"
#include "markup/typedtags/TypedTagActions.h"
#include "platform/Cp1252.h"
#include "platform/Dialogs.h"

#include <QAction>
#include <QLineEdit>
#include <QToolBar>
#include <any>

namespace {

// Runs a dialog and writes what it generates when it closed with "&Generera".
template <typename Dialog, typename Generate>
void Run(Tmain& w, Dialog& dialog, Generate generate) {
    if (dialog.Execute())
        TElementEditMode::Write(w, (dialog.*generate)());
}

// A path preset handed to the link and image dialogs (the web-site panel's commands).
QString Preset(const TCommandRequest& request) {
    if (const auto* text = std::any_cast<QString>(&request))
        return *text;
    return QString();
}

void InsertCSSClass(Tmain& w) {
    TCSSGROUPS picker(w);
    if (Dialogs::RunModal(&picker) != Dialogs::mrOk)
        return;
    const QByteArray text = (w.TagCase == 1 ? QByteArray(" CLASS=") : QByteArray(" class=")) + '"' +
                            Cp1252::Encode(picker.SelectedCSSGroups) + '"';
    TElementEditMode::Write(w, {text, static_cast<int>(text.size())});
}

} // namespace

void InstallTagTools(Tmain& window) {
    Tmain& w = window;
    // The reference first: the tag strip shows its command.
    new TTagReference(w);
    new TTypedTagActions(w);

    TCommandRegistry& commands = w.Commands();
    // The dialogs write into the editor, which preview mode hides.
    const auto editing = [&w](std::function<void()> open) {
        return [&w, open = std::move(open)] {
            if (!w.Views->IsPreviewMode())
                open();
        };
    };
    const auto phrase = [&w, editing](TPhraseWin::TKind kind) {
        return editing([&w, kind] {
            TPhraseWin dialog(w, kind);
            Run(w, dialog, &TPhraseWin::Generate);
        });
    };
    commands.AddWithRequest(QStringLiteral("IInsertLink"), QStringLiteral("Hyperlänk..."),
                            QKeySequence(QStringLiteral("Ctrl+I")),
                            [&w](const TCommandRequest& request) {
                                if (w.Views->IsPreviewMode())
                                    return;
                                TLink dialog(w);
                                const QString preset = Preset(request);
                                if (!preset.isEmpty())
                                    dialog.pHREF->setText(preset);
                                Run(w, dialog, &TLink::GenerateLinkCode);
                            });
    commands.AddWithRequest(QStringLiteral("IInsertImage"), QStringLiteral("Bild..."),
                            QKeySequence(QStringLiteral("Ctrl+M")),
                            [&w](const TCommandRequest& request) {
                                if (w.Views->IsPreviewMode())
                                    return;
                                TIMG dialog(w);
                                const QString preset = Preset(request);
                                if (!preset.isEmpty())
                                    dialog.pSRC->setText(preset);
                                Run(w, dialog, &TIMG::GeneratePictureCode);
                            });
    QAction* line =
        commands.Add(QStringLiteral("IInsertLine"), QStringLiteral("Horisontell linje..."),
                     QKeySequence(), editing([&w] {
                         THRule dialog(w);
                         Run(w, dialog, &THRule::GenerateHR);
                     }));
    line->setShortcuts({QKeySequence(QStringLiteral("Shift+Alt+Return")),
                        QKeySequence(QStringLiteral("Shift+Alt+Enter"))});
    commands.Add(QStringLiteral("IInsertAcronym"),
                 QStringLiteral("Initialförkortning (akronym)..."), QKeySequence(),
                 phrase(TPhraseWin::TKind::Acronym));
    commands.Add(QStringLiteral("IInsertAbbreviation"),
                 QStringLiteral("Förkortning (abbreviation)..."), QKeySequence(),
                 phrase(TPhraseWin::TKind::Abbreviation));
    commands.Add(QStringLiteral("IInsertCite"), QStringLiteral("Citat..."), QKeySequence(),
                 phrase(TPhraseWin::TKind::Cite));
    commands.Add(QStringLiteral("IInsertDefinition"), QStringLiteral("Första definition..."),
                 QKeySequence(), phrase(TPhraseWin::TKind::Definition));
    commands.Add(QStringLiteral("IInsertUL"), QStringLiteral("Punktlista..."), QKeySequence(),
                 editing([&w] {
                     TListWin dialog(w, ListMarkup::TListKind::Bulleted);
                     Run(w, dialog, &TListWin::Generate);
                 }));
    commands.Add(QStringLiteral("IInsertOL"), QStringLiteral("Numrerad lista..."), QKeySequence(),
                 editing([&w] {
                     TListWin dialog(w, ListMarkup::TListKind::Numbered);
                     Run(w, dialog, &TListWin::Generate);
                 }));
    commands.Add(QStringLiteral("IInsertTable"), QStringLiteral("Tabell..."), QKeySequence(),
                 editing([&w] {
                     Ttable dialog(w);
                     Run(w, dialog, &Ttable::GenerateCode);
                 }));
    commands.Add(QStringLiteral("IInsertCSSClass"), QStringLiteral("Klassattribut (X CLASS)..."),
                 QKeySequence(), editing([&w] { InsertCSSClass(w); }));
    // The picker alone, for the subroutine statement that shows it.
    commands.Add(QStringLiteral("ShowCSSGroups"), QStringLiteral("Stilmallsgrupper"),
                 QKeySequence(), [&w] {
                     TCSSGROUPS picker(w);
                     Dialogs::RunModal(&picker);
                 });
    // "=" typed after " CLASS" opens the class command.
    w.InsertCSSClass = [&w] { w.Commands().Trigger(QStringLiteral("IInsertCSSClass")); };

    w.AddMenuSeparator(QStringLiteral("Infoga1"));
    for (const char* name : {"IInsertLink", "IInsertImage", "IInsertLine", "IInsertAcronym",
                             "IInsertAbbreviation", "IInsertCite", "IInsertDefinition"})
        w.AddToMenu(QStringLiteral("Infoga1"), QLatin1String(name));
    w.AddMenuSeparator(QStringLiteral("Infoga1"));
    for (const char* name : {"IInsertUL", "IInsertOL", "IInsertTable", "IInsertCSSClass"})
        w.AddToMenu(QStringLiteral("Infoga1"), QLatin1String(name));
    if (w.InsertToolbar) {
        w.InsertToolbar->addSeparator();
        for (const char* name : {"IInsertLink", "IInsertImage", "IInsertLine", "IInsertUL",
                                 "IInsertOL", "IInsertTable"}) {
            QAction* action = w.Action(QLatin1String(name));
            w.InsertToolbar->addAction(action);
            w.Views->AddEditOnly(w.InsertToolbar->widgetForAction(action));
        }
    }
}
