#include "app/commands/PrintCommands.h"

#include "app/commands/CommandRegistry.h"
#include "app/commands/CommandWindow.h"
#include "app/commands/DocumentTable.h"
#include "app/core/FileFilters.h"
#include "app/dialogs/Boxes.h"
#include "app/dialogs/ExportProgressWin.h"
#include "app/dialogs/PrintOptionsWin.h"
#include "app/dialogs/PrintProgressWin.h"
#include "app/dialogs/XHTMLExpInfoWin.h"
#include "app/dialogs/XHTMLExpPropWin.h"
#include "editor/view/TextEditorEx.h"
#include "platform/Dialogs.h"
#include "platform/SilentAbort.h"

#include <QAction>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QScopeGuard>
#include <memory>

namespace {

const char* const kNoPrinter = "Det finns ingen skrivare installerad på datorn.";

// Runs a progress window modally once its work is done: hidden and shown again so that it
// blocks until closed.
void RunDone(QDialog* window) {
    window->hide();
    Dialogs::RunModal(window);
}

} // namespace

TPrintCommands::TPrintCommands(const TCommandContext& context, TTextEditorEx& editor)
    : ctx_(context), editor_(editor) {}

void TPrintCommands::Register(TCommandRegistry& commands) {
    commands.Add(QStringLiteral("APrintDoc"),
                 {QStringLiteral("Skriv ut..."), {QKeySequence(QStringLiteral("Ctrl+P"))}},
                 [this] { PrintDoc(); });
    commands.Add(QStringLiteral("APrinterSettings"), {QStringLiteral("Utskriftsformat...")},
                 [this] { PrinterSettings(); });
    commands.Add(QStringLiteral("AXHTMLExport"), {QStringLiteral("Exportera till XHTML...")},
                 [this] { ExportToXHTML(); });
}

QString TPrintCommands::CurrentFileName() {
    const int t = ctx_.Documents.CurrentIndex();
    return t >= 0 ? ctx_.Documents.Record(t).FileName : QString();
}

// --- printing --------------------------------------------------------------------------------

void TPrintCommands::PrintDoc() {
    QWidget* owner = ctx_.Window.Owner();
    {
        TprintOptions options(owner);
        if (Dialogs::RunModal(&options) != Dialogs::mrOk)
            return;
        options.SavePrintingSettings(&editor_.PrintingSettings);
    }

    try {
        QPrintDialog dialog(&Printer(), owner);
        if (Dialogs::RunModal(&dialog) != QDialog::Accepted)
            return;
    } catch (const ESilentAbort&) {
        throw;
    } catch (...) {
        ctx_.Boxes.kvMessageBox(QString::fromUtf8(kNoPrinter));
        return;
    }

    std::unique_ptr<TPrintProgress> window;
    const auto forget = qScopeGuard([this] { PrintProgress = nullptr; });
    try {
        const TColor oldColor = editor_.FontColor;
        bool colorChanged = false;
        // The text colour comes back whatever happens to the print.
        const auto restore = qScopeGuard([&] {
            if (colorChanged)
                editor_.FontColor = oldColor;
        });
        if (oldColor == clWhite &&
            ctx_.Ask(
                QStringLiteral("Det rekommenderas inte att skriva ut vit text på vitt papper."),
                QStringLiteral("Vill du temporärt (under utskriften) ändra textfärgen till "
                               "svart, vilket ger bättre kontrast?")) == Dialogs::mrYes) {
            editor_.FontColor = clBlack;
            colorChanged = true;
        }
        window = std::make_unique<TPrintProgress>(owner);
        PrintProgress = window.get();
        Dialogs::CentreOnScreen(window.get());
        window->show();
        window->repaint();
        editor_.Print(CurrentFileName(), QStringLiteral("Kelvora - [F]"));
    } catch (const ESilentAbort&) {
        throw;
    } catch (const EKelvoraError& e) {
        window.reset();
        // Margins that leave no room for a row are named as the reason.
        ctx_.Boxes.kvMessageBox(e.ClassName() == QLatin1String("EPrintArea")
                                    ? e.Message()
                                    : QStringLiteral("Det gick inte att skriva ut dokumentet."));
        return;
    } catch (...) {
        window.reset();
        ctx_.Boxes.kvMessageBox(QStringLiteral("Det gick inte att skriva ut dokumentet."));
        return;
    }
    RunDone(window.get());
}

void TPrintCommands::PrinterSettings() {
    try {
        QPageSetupDialog dialog(&Printer(), ctx_.Window.Owner());
        Dialogs::RunModal(&dialog);
    } catch (const ESilentAbort&) {
        throw;
    } catch (...) {
        ctx_.Boxes.kvMessageBox(QString::fromUtf8(kNoPrinter));
    }
}

void TPrintCommands::PrintProgressChanged(int numTotal, int numDone, int progress) {
    if (!PrintProgress)
        return;
    TPrintProgress::SetValue(PrintProgress->ProcessValue,
                             QStringLiteral("Renderar och sänder text..."));
    TPrintProgress::SetValue(PrintProgress->PagesValue, QString::number(numTotal));
    TPrintProgress::SetValue(PrintProgress->DoneValue, QString::number(numDone));
    TPrintProgress::SetValue(PrintProgress->ProgressValue,
                             QString::number(progress) + QStringLiteral(" %"));
}

// --- XHTML export ----------------------------------------------------------------------------

void TPrintCommands::ExportToXHTML() {
    QWidget* owner = ctx_.Window.Owner();
    int choice = 0;
    {
        TXHTMLExpInfo info(owner);
        choice = Dialogs::RunModal(&info);
    }
    if (choice != Dialogs::mrYes && choice != Dialogs::mrNo)
        return;

    QString fileName, title, header, footer;
    const bool fullDocument = choice == Dialogs::mrYes;
    if (fullDocument) {
        const QStringList filters = FileFilters::QtFilters(FileFilters::SaveFilterCount);
        for (;;) {
            QString selected = filters.value(0);
            fileName = Dialogs::GetSaveFileName(owner, QStringLiteral("Spara"), CurrentFileName(),
                                                filters.join(QStringLiteral(";;")), &selected,
                                                QFileDialog::DontConfirmOverwrite);
            if (fileName.isEmpty())
                return;
            if (!QFileInfo::exists(fileName))
                break;
            if (ctx_.Ask(QStringLiteral("Filen \"%1\" finns redan.").arg(fileName),
                         QStringLiteral("Vill du ersätta filen?")) == Dialogs::mrYes)
                break;
        }
        TXHTMLExpProp prop(owner);
        prop.ePageTitle->setText(DocFileName(fileName));
        if (Dialogs::RunModal(&prop) != Dialogs::mrOk)
            return;
        title = prop.ePageTitle->text();
        header = prop.HeaderHTML();
        footer = prop.FooterHTML();
    }

    {
        TExportProgressFrm window(owner);
        ExportProgressFrm = &window;
        const auto forget = qScopeGuard([this] { ExportProgressFrm = nullptr; });
        window.lblOp->setText(QStringLiteral("Skapar XHTML-dokument..."));
        window.lblProgress->setText(QStringLiteral("0 %"));
        Dialogs::CentreOnScreen(&window);
        window.show();
        window.repaint();
        try {
            editor_.ExportXHTML(title, header, fullDocument, fileName, footer);
        } catch (const EKelvoraError& e) {
            // A file that could not be written is reported; anything else is unexpected.
            if (e.ClassName() != QLatin1String("EFCreateError"))
                throw;
            window.hide();
            ctx_.Boxes.kvMessageBox(e.Message());
            Abort();
        }
        window.lblOp->setText(QStringLiteral("Färdig."));
        window.CloseBtn->show();
        RunDone(&window);
    }

    if (!fullDocument) {
        ctx_.Boxes.kvMessageBox(QStringLiteral("Koden har kopierats till urklipp."));
        return;
    }
    if (ctx_.Ask(QStringLiteral("XHTML-dokumentet har skapats."),
                 QStringLiteral("Vill du öppna filen med systemets standardwebbläsare?")) ==
        Dialogs::mrYes)
        ctx_.Window.OpenWithSystem(fileName);
}

void TPrintCommands::ExportProgressChanged(int, int, int progress) {
    if (ExportProgressFrm)
        ExportProgressFrm->SetProgress(progress);
}
