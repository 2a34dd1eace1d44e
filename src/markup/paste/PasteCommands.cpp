#include "markup/paste/PasteCommands.h"

#include "app/commands/PasteFormatRequest.h"
#include "app/core/StringHelpers.h"
#include "app/mainwindow/MainWin.h"
#include "app/preview/ViewModes.h"
#include "editor/view/TextEditorEx.h"
#include "markup/MarkupCommand.h"
#include "markup/paste/PasteAsWin.h"
#include "markup/paste/PasteFormats.h"
#include "platform/Cp1252.h"
#include "platform/Dialogs.h"
#include "platform/SilentAbort.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

namespace {

// The system clipboard's text; none when it holds no text.
std::optional<QByteArray> ClipboardText() {
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    if (!data || !data->hasText())
        return std::nullopt;
    return Cp1252::Encode(data->text());
}

void PasteInFormat(Tmain& window, const TPasteFormat& format, const QByteArray& text) {
    window.BeforeEditorChange();
    window.CodeEditor->SetSelText(TPasteFormatsLibrary::Apply(format, text));
}

void PasteInFormatIndex(Tmain& window) {
    window.BackupDoc();
    TpasteAs dialog(window, ClipboardText(), window.DataFiles.ClipboardHistory.Entries(), &window);
    if (Dialogs::RunModal(&dialog) != Dialogs::mrOk)
        return;
    const TPasteFormatsLibrary library(GetIndentString(*window.CodeEditor->Settings()));
    const TPasteFormat format = library.GetFormat(dialog.ChosenFormat());
    if (!TPasteFormatsLibrary::IsUnknown(format))
        PasteInFormat(window, format, dialog.ChosenText());
}

} // namespace

void InstallPasteFormats(Tmain& window) {
    AddMarkupCommand(window, QStringLiteral("RPasteInFormatIndex"),
                     QStringLiteral("Klistra in som..."), QKeySequence(QStringLiteral("Ctrl+Ins")),
                     QStringLiteral("Klistrar in text från urklipp med ett speciellt format."),
                     [&window] { PasteInFormatIndex(window); })
        ->setStatusTip(QStringLiteral(
            "Klistra in som...|Klistrar in text från urklipp med ett speciellt format."));
    window.Commands().AddWithRequest(
        QStringLiteral("PasteInFormat"), QStringLiteral("Klistra in i format"), {},
        [&window](const TCommandRequest& request) {
            const auto* r = std::any_cast<TPasteFormatRequest>(&request);
            const TPasteFormatsLibrary library(GetIndentString(*window.CodeEditor->Settings()));
            const TPasteFormat format =
                library.GetFormat(r ? Cp1252::Decode(r->FormatName) : QString());
            if (TPasteFormatsLibrary::IsUnknown(format)) {
                if (r && r->Known) {
                    *r->Known = false;
                    return;
                }
                throw EKelvoraError(QStringLiteral("EPasteFormat"),
                                    QStringLiteral("Ogiltigt inklistringsformat."));
            }
            if (window.Views && window.Views->IsPreviewMode())
                return;
            PasteInFormat(window, format, ClipboardText().value_or(QByteArray()));
        });
    window.AddToMenu(QStringLiteral("Redigera1"), QStringLiteral("RPasteInFormatIndex"),
                     QStringLiteral("RDocDelSel"));
}
