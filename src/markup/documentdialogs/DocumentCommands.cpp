#include "markup/documentdialogs/DocumentCommands.h"

#include "app/mainwindow/MainWin.h"
#include "editor/model/TagUnderConstruction.h"
#include "editor/view/TextEditorEx.h"
#include "markup/MarkupCommand.h"
#include "markup/documentdialogs/AlphaWin.h"
#include "markup/documentdialogs/DateWin.h"
#include "markup/documentdialogs/DocumentHead.h"
#include "markup/documentdialogs/SpecDTDWin.h"
#include "markup/documentdialogs/SpecTitleWin.h"
#include "platform/Cp1252.h"
#include "platform/Dialogs.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPointer>
#include <memory>

namespace {

void InsertDoctype(Tmain& window) {
    TSpecDTD dialog(window, &window);
    if (const auto text = DocumentHead::DoctypeText(*window.CodeEditor))
        dialog.pDOCTYPE->setEditText(Cp1252::Decode(*text));
    if (Dialogs::RunModal(&dialog) != Dialogs::mrOk)
        return;
    window.BeforeEditorChange();
    DocumentHead::SetDoctype(*window.CodeEditor, Cp1252::Encode(dialog.pDOCTYPE->currentText()));
}

void InsertHTMLTitle(Tmain& window) {
    TSpecTitle dialog(window, &window);
    if (const auto text = DocumentHead::TitleText(*window.CodeEditor))
        dialog.pTITLE->setText(Cp1252::Decode(*text));
    if (Dialogs::RunModal(&dialog) != Dialogs::mrOk)
        return;
    window.BeforeEditorChange();
    const DocumentHead::TTitleResult result =
        DocumentHead::SetTitle(*window.CodeEditor, Cp1252::Encode(dialog.pTITLE->text()),
                               window.FCC("<TITLE>"), window.FCC("</TITLE>"));
    if (result == DocumentHead::TTitleResult::NoHead)
        window.kvMessageBox(
            QStringLiteral("Det gick inte att skapa TITLE-taggarna eftersom HEAD-avsnitt saknas."));
    else if (result == DocumentHead::TTitleResult::NoEndTag)
        window.kvMessageBox(QStringLiteral("Det gick inte att ändra sidtiteln eftersom "
                                           "TITLE-elementet saknar sluttagg (</TITLE>)."));
    window.ChangeAppTitle();
}

void InsertDate(Tmain& window) {
    Tdate dialog(&window);
    if (Dialogs::RunModal(&dialog) != Dialogs::mrOk)
        return;
    const QString row = dialog.SelectedText();
    if (row.isEmpty())
        return;
    window.BeforeEditorChange();
    window.CodeEditor->SetSelText(Cp1252::Encode(row));
}

} // namespace

void InstallDocumentDialogs(Tmain& window) {
    AddMarkupCommand(window, QStringLiteral("IInsertDoctype"),
                     QStringLiteral("Ange dokumenttyp..."), {},
                     QStringLiteral("Anger dokumentets dokumenttyp (DOCTYPE)."),
                     [&window] { InsertDoctype(window); });
    AddMarkupCommand(window, QStringLiteral("IInsertHTMLTitle"), QStringLiteral("Ange sidtitel..."),
                     {}, QStringLiteral("Anger sidans titel (TITLE)."),
                     [&window] { InsertHTMLTitle(window); });
    AddMarkupCommand(window, QStringLiteral("IInsertDate"), QStringLiteral("Datum och tid..."), {},
                     QStringLiteral("Infogar aktuellt datum eller aktuell tid."),
                     [&window] { InsertDate(window); });

    // The special-character window: open until it is closed or the command runs again.
    auto alpha = std::make_shared<QPointer<Talpha>>();
    AddMarkupCommand(window, QStringLiteral("IInsertAlpha"), QStringLiteral("Specialtecken..."),
                     QKeySequence(QStringLiteral("Ctrl+T")),
                     QStringLiteral("Visar eller döljer fönstret med specialtecken."),
                     [&window, alpha] {
                         if (Talpha* open = *alpha) {
                             *alpha = nullptr;
                             open->OnClosed = nullptr;
                             open->deleteLater();
                             return;
                         }
                         auto* palette = new Talpha(window, &window);
                         palette->OnClosed = [alpha, palette] {
                             *alpha = nullptr;
                             palette->deleteLater();
                         };
                         *alpha = palette;
                         palette->show();
                     });
}
