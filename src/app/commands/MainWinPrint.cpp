// The print and XHTML export commands of the main window.
#include "app/core/FileData.h"
#include "app/core/FileFilters.h"
#include "app/dialogs/ExportProgressWin.h"
#include "app/dialogs/PrintOptionsWin.h"
#include "app/dialogs/PrintProgressWin.h"
#include "app/dialogs/XHTMLExpInfoWin.h"
#include "app/dialogs/XHTMLExpPropWin.h"
#include "app/mainwindow/MainWin.h"
#include "editor/view/TextEditorEx.h"
#include "platform/Dialogs.h"
#include "platform/SilentAbort.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QScopeGuard>
#include <QUrl>
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

void Tmain::BuildPrintCommands() {
    QAction* print = AddAction(QStringLiteral("APrintDoc"), QStringLiteral("Skriv ut..."),
                               QKeySequence(QStringLiteral("Ctrl+P")), [this] { PrintDoc(); });
    QAction* setup =
        AddAction(QStringLiteral("APrinterSettings"), QStringLiteral("Utskriftsformat..."), {},
                  [this] { PrinterSettings(); });
    QAction* xhtml =
        AddAction(QStringLiteral("AXHTMLExport"), QStringLiteral("Exportera till XHTML..."), {},
                  [this] { ExportToXHTML(); });
    QAction* before = Action(QStringLiteral("ADocClose"));
    Arkiv1->insertActions(before, {print, setup, xhtml});
    Arkiv1->insertSeparator(before);

    CodeEditor->OnPrintProgress = [this](int numTotal, int numDone, int progress) {
        CodeEditorPrintProgress(numTotal, numDone, progress);
    };
    CodeEditor->OnXHTMLExportProgress = [this](int numTotal, int numDone, int progress) {
        CodeEditorXHTMLExportProgress(numTotal, numDone, progress);
    };
    OpenWithSystemHandler = [](const QString& fileName) {
        QDesktopServices::openUrl(QUrl::fromLocalFile(fileName));
    };
}

// --- printing --------------------------------------------------------------------------------

void Tmain::PrintDoc() {
    {
        TprintOptions options(this);
        if (Dialogs::RunModal(&options) != Dialogs::mrOk)
            return;
        options.SavePrintingSettings(&CodeEditor->PrintingSettings);
    }

    try {
        QPrintDialog dialog(&Printer(), this);
        if (Dialogs::RunModal(&dialog) != QDialog::Accepted)
            return;
    } catch (const ESilentAbort&) {
        throw;
    } catch (...) {
        kvMessageBox(QString::fromUtf8(kNoPrinter));
        return;
    }

    std::unique_ptr<TPrintProgress> window;
    const auto forget = qScopeGuard([this] { PrintProgress = nullptr; });
    try {
        const TColor oldColor = CodeEditor->FontColor;
        bool colorChanged = false;
        // The text colour comes back whatever happens to the print.
        const auto restore = qScopeGuard([&] {
            if (colorChanged)
                CodeEditor->FontColor = oldColor;
        });
        if (oldColor == clWhite) {
            LastQuestionResult = kvQuestionBox(
                QStringLiteral("Det rekommenderas inte att skriva ut vit text på vitt papper."),
                QStringLiteral("Vill du temporärt (under utskriften) ändra textfärgen till "
                               "svart, vilket ger bättre kontrast?"));
            if (LastQuestionResult == Dialogs::mrYes) {
                CodeEditor->FontColor = clBlack;
                colorChanged = true;
            }
        }
        window = std::make_unique<TPrintProgress>(this);
        PrintProgress = window.get();
        Dialogs::CentreOnScreen(window.get());
        window->show();
        window->repaint();
        CodeEditor->Print(Current().FileName, QStringLiteral("Kelvora - [F]"));
    } catch (const ESilentAbort&) {
        throw;
    } catch (const EKelvoraError& e) {
        window.reset();
        // Margins that leave no room for a row are named as the reason.
        kvMessageBox(e.ClassName() == QLatin1String("EPrintArea")
                         ? e.Message()
                         : QStringLiteral("Det gick inte att skriva ut dokumentet."));
        return;
    } catch (...) {
        window.reset();
        kvMessageBox(QStringLiteral("Det gick inte att skriva ut dokumentet."));
        return;
    }
    RunDone(window.get());
}

void Tmain::PrinterSettings() {
    try {
        QPageSetupDialog dialog(&Printer(), this);
        Dialogs::RunModal(&dialog);
    } catch (const ESilentAbort&) {
        throw;
    } catch (...) {
        kvMessageBox(QString::fromUtf8(kNoPrinter));
    }
}

void Tmain::CodeEditorPrintProgress(int numTotal, int numDone, int progress) {
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

void Tmain::ExportToXHTML() {
    int choice = 0;
    {
        TXHTMLExpInfo info(this);
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
            fileName = Dialogs::GetSaveFileName(this, QStringLiteral("Spara"), Current().FileName,
                                                filters.join(QStringLiteral(";;")), &selected,
                                                QFileDialog::DontConfirmOverwrite);
            if (fileName.isEmpty())
                return;
            if (!QFileInfo::exists(fileName))
                break;
            LastQuestionResult =
                kvQuestionBox(QStringLiteral("Filen \"%1\" finns redan.").arg(fileName),
                              QStringLiteral("Vill du ersätta filen?"));
            if (LastQuestionResult == Dialogs::mrYes)
                break;
        }
        TXHTMLExpProp prop(this);
        prop.ePageTitle->setText(DocFileName(fileName));
        if (Dialogs::RunModal(&prop) != Dialogs::mrOk)
            return;
        title = prop.ePageTitle->text();
        header = prop.HeaderHTML();
        footer = prop.FooterHTML();
    }

    {
        TExportProgressFrm window(this);
        ExportProgressFrm = &window;
        const auto forget = qScopeGuard([this] { ExportProgressFrm = nullptr; });
        window.lblOp->setText(QStringLiteral("Skapar XHTML-dokument..."));
        window.lblProgress->setText(QStringLiteral("0 %"));
        Dialogs::CentreOnScreen(&window);
        window.show();
        window.repaint();
        try {
            CodeEditor->ExportXHTML(title, header, fullDocument, fileName, footer);
        } catch (const EKelvoraError& e) {
            // A file that could not be written is reported; anything else is unexpected.
            if (e.ClassName() != QLatin1String("EFCreateError"))
                throw;
            window.hide();
            kvMessageBox(e.Message());
            Abort();
        }
        window.lblOp->setText(QStringLiteral("Färdig."));
        window.CloseBtn->show();
        RunDone(&window);
    }

    if (!fullDocument) {
        kvMessageBox(QStringLiteral("Koden har kopierats till urklipp."));
        return;
    }
    LastQuestionResult =
        kvQuestionBox(QStringLiteral("XHTML-dokumentet har skapats."),
                      QStringLiteral("Vill du öppna filen med systemets standardwebbläsare?"));
    if (LastQuestionResult == Dialogs::mrYes && OpenWithSystemHandler)
        OpenWithSystemHandler(fileName);
}

void Tmain::CodeEditorXHTMLExportProgress(int, int, int progress) {
    if (ExportProgressFrm)
        ExportProgressFrm->SetProgress(progress);
}
