#include "app/dialogs/options/OptionsWin.h"

#include "app/core/Program.h"
#include "app/dialogs/options/OptionBindings.h"
#include "app/dialogs/options/OptionsHelpers.h"
#include "app/mainwindow/MainWin.h"
#include "controls/CaptionGroup.h"
#include "controls/ColorContainer.h"
#include "controls/IntegerEdit.h"
#include "controls/PanelCaption.h"
#include "controls/SerieEdit.h"
#include "editor/colouring/SUBFormattingProcessor.h"
#include "editor/view/Ruler.h"
#include "editor/view/TextEditorEx.h"
#include "platform/AppPaths.h"
#include "platform/Cp1252.h"
#include "platform/Dialogs.h"
#include "platform/SilentAbort.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QFontDatabase>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMimeData>
#include <QPalette>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSaveFile>
#include <QScrollArea>
#include <QScrollBar>
#include <QShowEvent>
#include <QSignalBlocker>
#include <QStackedWidget>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

const QString kGroupTabCaption = QStringLiteral("Nyckelordsgrupp #");

QStringList MemoLines(const QPlainTextEdit* memo) {
    QStringList lines;
    for (const QString& line : memo->toPlainText().split(QLatin1Char('\n')))
        if (!line.trimmed().isEmpty())
            lines.append(line.trimmed());
    return lines;
}

// A value series in a row that scrolls sideways when it grows beyond the page.
QScrollArea* SerieRow(TSerieEdit* serie, QWidget* parent) {
    auto* area = new QScrollArea(parent);
    area->setWidget(serie);
    area->setWidgetResizable(false);
    area->setFrameShape(QFrame::NoFrame);
    area->viewport()->setAutoFillBackground(false);
    area->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    area->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    area->setFixedHeight(serie->height() + area->horizontalScrollBar()->sizeHint().height() + 4);
    return area;
}

TColorContainer* SwatchOf(const QWidget* dialog, const char* name) {
    return dynamic_cast<TColorContainer*>(dialog->findChild<QWidget*>(QLatin1String(name)));
}

TSerieEdit* NewSerie(const char* name, QWidget* parent) {
    auto* serie = new TSerieEdit(parent);
    serie->setObjectName(QLatin1String(name));
    serie->SetEditWidth(60);
    serie->SetAutoAdd(true);
    return serie;
}

} // namespace

void TUpperCaseMemo::keyPressEvent(QKeyEvent* event) {
    const QString typed = event->text();
    const bool command = event->modifiers() & (Qt::ControlModifier | Qt::MetaModifier);
    if (!command && !typed.isEmpty() && typed != typed.toUpper() && typed.at(0).isPrint()) {
        insertPlainText(typed.toUpper());
        event->accept();
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

Toptions::Toptions(Tmain& main, QWidget* parent) : QDialog(parent), main_(main) {
    setObjectName(QStringLiteral("options"));
    setWindowTitle(QStringLiteral("Alternativ"));
    BuildPages();
    PrepareRariViduzeMenu();
    LoadHtmlGround();
    {
        const QSignalBlocker block(OptionTagClosing);
        OptionTagClosing->setPlainText(main_.DataFiles.AutoCloseTagsList.join(QLatin1Char('\n')));
    }
    resize(760, 520);
}

// --- pages --------------------------------------------------------------------------------------

void Toptions::BuildPages() {
    auto* outer = new QVBoxLayout(this);
    auto* body = new QHBoxLayout;
    outer->addLayout(body, 1);
    PageList = new QListWidget(this);
    PageList->setObjectName(QStringLiteral("PageList"));
    PageList->setFixedWidth(270);
    PageControl1 = new QStackedWidget(this);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    body->addWidget(PageList);
    body->addWidget(PageControl1, 1);
    connect(PageList, &QListWidget::currentRowChanged, PageControl1,
            &QStackedWidget::setCurrentIndex);

    const auto page = [this](const QString& caption, const char* name) {
        auto* p = new QWidget;
        p->setObjectName(QLatin1String(name));
        p->setWindowTitle(caption);
        auto* layout = new QVBoxLayout(p);
        layout->setAlignment(Qt::AlignTop);
        PageControl1->addWidget(p);
        PageList->addItem(caption);
        return p;
    };
    const auto check = [](QWidget* parent, const char* name, const QString& caption) {
        auto* box = new QCheckBox(caption, parent);
        box->setObjectName(QLatin1String(name));
        parent->layout()->addWidget(box);
        return box;
    };
    const auto number = [](const char* name, int min, int max, int length) {
        auto* edit = new TIntegerEdit;
        edit->setObjectName(QLatin1String(name));
        edit->SetMin(min);
        edit->SetMax(max);
        edit->setMaxLength(length);
        edit->setFixedWidth(70);
        return edit;
    };
    const auto swatch = [](const char* name) {
        auto* field = new TColorContainer;
        field->setObjectName(QLatin1String(name));
        field->SetUseLabel(true);
        field->setFixedSize(110, 22);
        return field;
    };
    const auto note = [](QWidget* parent, const QString& text) {
        auto* label = new QLabel(text, parent);
        label->setWordWrap(true);
        parent->layout()->addWidget(label);
        return label;
    };
    const auto lineEdit = [](const char* name) {
        auto* edit = new QLineEdit;
        edit->setObjectName(QLatin1String(name));
        return edit;
    };

    // 1. "Allmänt"
    Allmant = page(QStringLiteral("Allmänt"), "Allmant");
    {
        auto* row = new QHBoxLayout;
        auto* reopen =
            new QCheckBox(QStringLiteral("&Lista nyligen användna filer på Arkiv-menyn"));
        reopen->setObjectName(QStringLiteral("ShowReopen"));
        btnClearFileMRU = new QPushButton(QStringLiteral("&Rensa"));
        btnClearFileMRU->setObjectName(QStringLiteral("btnClearFileMRU"));
        row->addWidget(reopen);
        row->addWidget(btnClearFileMRU);
        row->addStretch();
        static_cast<QVBoxLayout*>(Allmant->layout())->addLayout(row);
        check(Allmant, "ChangeElements",
              QStringLiteral("&Omarbeta gamla element till nya standarder"));
        auto* backupRow = new QHBoxLayout;
        auto* backup = new QCheckBox(QStringLiteral("S&äkerhetskopiera filer automatiskt"));
        backup->setObjectName(QStringLiteral("BackupFilesAuto"));
        btnClearBackup = new QPushButton(QStringLiteral("&Ta bort alla säkerhetskopior"));
        btnClearBackup->setObjectName(QStringLiteral("btnClearBackup"));
        backupRow->addWidget(backup);
        backupRow->addWidget(btnClearBackup);
        backupRow->addStretch();
        static_cast<QVBoxLayout*>(Allmant->layout())->addLayout(backupRow);
        auto* form = new QFormLayout;
        DefECC = new QComboBox;
        DefECC->setObjectName(QStringLiteral("DefECC"));
        DefECC->addItems({QStringLiteral("Versaler"), QStringLiteral("Gemener")});
        form->addRow(QStringLiteral("Taggläge:"), DefECC);
        form->addRow(QStringLiteral("&Tabblängd:"), number("DefNumSpace", 0, 100, 3));
        static_cast<QVBoxLayout*>(Allmant->layout())->addLayout(form);
    }

    // 2. "Verktygsfält"
    Verktygsflt = page(QStringLiteral("Verktygsfält"), "Verktygsflt");
    note(Verktygsflt, QStringLiteral("(Flata knappar visar sin ram först när muspekaren står över "
                                     "dem.)"));
    check(Verktygsflt, "ShowToolhelp", QStringLiteral("Vi&sa verktygstips"));
    check(Verktygsflt, "flatbtns", QStringLiteral("&Använd flata knappar"));
    check(Verktygsflt, "ShowToolExp", QStringLiteral("Visa &beskrivningar i statusfältet"));

    // 3. "Kodredigerare - Inställningar"
    KodInstallningar = page(QStringLiteral("Kodredigerare - Inställningar"), "KodInstallningar");
    check(KodInstallningar, "hexcode",
          QStringLiteral("&Koda automatiskt lands- och specialtecken   (Shift+Ctrl+Alt+1)"));
    check(KodInstallningar, "AutoIndent",
          QStringLiteral("&Infoga automatiska indrag   (Shift+Ctrl+Alt+2)"));
    check(KodInstallningar, "AutoWiz",
          QStringLiteral("Vis&a automatiskt dialogrutor för kodelement   (Shift+Ctrl+Alt+3)"));
    check(KodInstallningar, "AutoClose",
          QStringLiteral("Stä&ng automatiskt vanliga taggar   (Shift+Ctrl+Alt+4)"));
    check(KodInstallningar, "AutoCloseQts",
          QStringLiteral("Stäng a&utomatiskt cittattecken   (Shift+Ctrl+Alt+5)"));
    {
        auto* heading = new TPanelCaption(KodInstallningar);
        heading->SetCaptionText(QStringLiteral("Listning av tagg- och attributnamn"));
        KodInstallningar->layout()->addWidget(heading);
    }
    check(KodInstallningar, "ShowListMenu",
          QStringLiteral("Visa en lista över tagg- och attributnamn när jag använder "
                         "kortkommandot Ctrl+App"));
    check(KodInstallningar, "ShowListMenuAuto",
          QStringLiteral("Visa en lista över tagg- och attributnamn när jag skriver in tecknen < "
                         "och mellanslag"));
    check(KodInstallningar, "HideHelperOnClick",
          QStringLiteral("Dölj listan vid musklick utanför listan i editorn"));

    // 4. "Kodredigerare - Formatering"
    KodFormatering = page(QStringLiteral("Kodredigerare - Formatering"), "KodFormatering");
    {
        auto* form = new QFormLayout;
        auto* name = new QComboBox;
        name->setObjectName(QStringLiteral("ce_name"));
        name->setEditable(true);
        QStringList families = QFontDatabase::families();
        families.removeAll(QStringLiteral("Default"));
        name->addItems(families);
        auto* size = new QComboBox;
        size->setObjectName(QStringLiteral("ce_size"));
        size->setEditable(true);
        for (int s : {8, 9, 10, 11, 12, 14, 16, 18, 20, 22, 24, 26, 28, 36, 48, 72})
            size->addItem(QString::number(s));
        form->addRow(QStringLiteral("&Teckensnitt:"), name);
        form->addRow(QStringLiteral("&Storlek:"), size);
        form->addRow(QStringLiteral("Bakgrundsfärg:"), swatch("ce_bgc"));
        form->addRow(QStringLiteral("Förgrundsfärg:"), swatch("ce_fgc"));
        form->addRow(QStringLiteral("Markerad bgf.:"), swatch("ce_sbgc"));
        form->addRow(QStringLiteral("Markerad fgf.:"), swatch("ce_sfgc"));
        form->addRow(QStringLiteral("&X-avstånd:"), number("ce_dx", 0, 100, 3));
        form->addRow(QStringLiteral("&Y-avstånd:"), number("ce_dy", 0, 100, 3));
        static_cast<QVBoxLayout*>(KodFormatering->layout())->addLayout(form);
        check(KodFormatering, "ce_hidden", QStringLiteral("&Visa dolda tecken"));
        auto* schemes = new QGroupBox(QStringLiteral("Färdiga färgscheman"), KodFormatering);
        auto* row = new QHBoxLayout(schemes);
        btnZaziriziva = new QPushButton(QStringLiteral("Zaziriziva (Svart)"), schemes);
        btnZaziriziva->setObjectName(QStringLiteral("btnZaziriziva"));
        btnWinDefault = new QPushButton(QStringLiteral("Systemets standard"), schemes);
        btnWinDefault->setObjectName(QStringLiteral("btnWinDefault"));
        row->addWidget(btnZaziriziva);
        row->addWidget(btnWinDefault);
        row->addStretch();
        KodFormatering->layout()->addWidget(schemes);
    }

    // 5. "Kodredigerare - Interaktiv Formatering"
    KodInteraktiv = page(QStringLiteral("Kodredigerare - Interaktiv Formatering"), "KodInteraktiv");
    check(KodInteraktiv, "pSYN",
          QStringLiteral("Använd interaktiv formatering för speciella filtyper"));
    SynPages = new QTabWidget(KodInteraktiv);
    SynPages->setObjectName(QStringLiteral("SynPages"));
    KodInteraktiv->layout()->addWidget(SynPages);
    {
        struct TRow {
            const char* caption;
            const char* colour; // may be empty
            const char* bold;   // may be empty
        };
        const auto synPage = [&](const QString& caption, const char* ext,
                                 std::initializer_list<TRow> rows) {
            auto* p = new QWidget;
            auto* layout = new QVBoxLayout(p);
            layout->setAlignment(Qt::AlignTop);
            layout->addWidget(new QLabel(QStringLiteral("Filändelser:"), p));
            layout->addWidget(SerieRow(NewSerie(ext, p), p));
            if (rows.size() > 0) {
                auto* group = new QGroupBox(QStringLiteral("Formatering"), p);
                auto* grid = new QGridLayout(group);
                int r = 0;
                for (const TRow& row : rows) {
                    auto* field = swatch(row.colour);
                    auto* label = new QLabel(QString::fromUtf8(row.caption), group);
                    label->setBuddy(field);
                    grid->addWidget(label, r, 0);
                    grid->addWidget(field, r, 1);
                    if (*row.bold) {
                        auto* bold = new QCheckBox(QStringLiteral("&Fet"), group);
                        bold->setObjectName(QLatin1String(row.bold));
                        grid->addWidget(bold, r, 2);
                    }
                    ++r;
                }
                grid->setColumnStretch(3, 1);
                layout->addWidget(group);
            }
            SynPages->addTab(p, caption);
            return p;
        };
        synPage(QStringLiteral("HTML"), "psynHTMLext",
                {{"&Taggar:", "pHTMLsynTag", ""},
                 {"Tagg- && attribut&namn:", "pHTMLsynName", "pHTMLsynNameBold"},
                 {"Attribut&värden:", "pHTMLsynVal", "pHTMLsynValBold"}});
        synPage(QStringLiteral("CSS"), "psynCSSext",
                {{"&Grupper:", "pCSSsynGroup", "pCSSsynGroupBold"},
                 {"Gruppavgr&änsare:", "pCSSsynSep", ""}});
        synPage(QStringLiteral("JavaScript"), "psynJSext",
                {{"&Nyckelord:", "pJSsynKeyword", "pJSsynKeywordBold"},
                 {"&Blockavgränsare:", "pJSsynBlockSep", ""},
                 {"&Kommentarer:", "pJSsynComment", ""}});
        synPage(QStringLiteral("Subrutiner"), "psynSUBext",
                {{"&Nyckelord:", "pSUBsynKeyword", "pSUBsynKeywordBold"},
                 {"&Blockavgränsare:", "pSUBsynPHolder", ""},
                 {"&Kommentarer:", "pSUBsynComment", ""}});
        synPage(QStringLiteral("Pascal"), "psynPASCALext",
                {{"&Nyckelord:", "pPASCALsynKeyword", "pPASCALsynKeywordBold"},
                 {"&Kommentarer:", "pPASCALsynComment", ""},
                 {"N&umeriska värden:", "pPASCALsynNum", ""},
                 {"&Strängvärden:", "pPASCALsynStr", ""}});
        synPage(QStringLiteral("DIRUZ"), "psynTXTEXext", {});
        QWidget* custom =
            synPage(QStringLiteral("Anpassad formateringsprocessor"), "psynCUSText", {});
        auto* layout = static_cast<QVBoxLayout*>(custom->layout());
        auto* form = new QFormLayout;
        psynCUSTNumTabs = number("psynCUSTNumTabs", 1, kMaxCustomGroups, 2);
        form->addRow(QStringLiteral("An&tal nyckelordsgrupper:"), psynCUSTNumTabs);
        layout->addLayout(form);
        CustomTabs = new QTabBar(custom);
        CustomTabs->setObjectName(QStringLiteral("CustomTabs"));
        CustomTabs->setExpanding(false);
        layout->addWidget(CustomTabs);
        auto* group = new QWidget(custom);
        auto* groupLayout = new QFormLayout(group);
        pCUSTKeywords = NewSerie("pCUSTKeywords", group);
        groupLayout->addRow(QStringLiteral("&Nyckelord:"), SerieRow(pCUSTKeywords, group));
        pCUSTColor = swatch("pCUSTColor");
        groupLayout->addRow(QStringLiteral("&Färg:"), pCUSTColor);
        auto* styles = new QHBoxLayout;
        pCUSTBold = new QCheckBox(QStringLiteral("Fet"), group);
        pCUSTBold->setObjectName(QStringLiteral("pCUSTBold"));
        pCUSTItalic = new QCheckBox(QStringLiteral("Kursiv"), group);
        pCUSTItalic->setObjectName(QStringLiteral("pCUSTItalic"));
        pCUSTUnderline = new QCheckBox(QStringLiteral("Understruken"), group);
        pCUSTUnderline->setObjectName(QStringLiteral("pCUSTUnderline"));
        styles->addWidget(pCUSTBold);
        styles->addWidget(pCUSTItalic);
        styles->addWidget(pCUSTUnderline);
        styles->addStretch();
        groupLayout->addRow(QString(), styles);
        layout->addWidget(group);
        for (int i = 0; i < SynPages->count(); ++i)
            static_cast<QVBoxLayout*>(SynPages->widget(i)->layout())->addStretch(1);
    }

    // 6. "Kompatibilitet"
    DTDs = page(QStringLiteral("Kompatibilitet"), "DTDs");
    DTDs->layout()->addWidget(new QLabel(QStringLiteral("Tillgängliga dokumenttyper:"), DTDs));
    DTDlist = new QPlainTextEdit(DTDs);
    DTDlist->setObjectName(QStringLiteral("DTDlist"));
    DTDlist->setLineWrapMode(QPlainTextEdit::NoWrap);
    DTDs->layout()->addWidget(DTDlist);

    // 7. "Formateringstaggar"
    Formateringstaggar = page(QStringLiteral("Formateringstaggar"), "Formateringstaggar");
    {
        auto* form = new QFormLayout;
        const auto tagBox = [](const char* name, const QStringList& items) {
            auto* box = new QComboBox;
            box->setObjectName(QLatin1String(name));
            box->setEditable(true);
            box->addItems(items);
            return box;
        };
        form->addRow(QStringLiteral("Tagg för kursiv stil:"),
                     tagBox("I", {QStringLiteral("EM"), QStringLiteral("I")}));
        form->addRow(QStringLiteral("Tagg för fet stil:"),
                     tagBox("B", {QStringLiteral("STRONG"), QStringLiteral("B")}));
        static_cast<QVBoxLayout*>(Formateringstaggar->layout())->addLayout(form);
    }

    // 8. "Taggelement"
    TagClosing = page(QStringLiteral("Taggelement"), "TagClosing");
    {
        auto* label =
            new QLabel(QStringLiteral("&Taggar som ska stängas automatiskt:"), TagClosing);
        OptionTagClosing = new TUpperCaseMemo(TagClosing);
        OptionTagClosing->setObjectName(QStringLiteral("OptionTagClosing"));
        label->setBuddy(OptionTagClosing);
        TagClosing->layout()->addWidget(label);
        TagClosing->layout()->addWidget(OptionTagClosing);
    }

    // 9. "HTML-grund"
    HtmlGrund = page(QStringLiteral("HTML-grund"), "HtmlGrund");
    note(HtmlGrund,
         QStringLiteral("HTML-grundkoden genereras av en subrutin vilken kan anpassas nedan."));
    {
        RARIVIDUZE = new TTextEditorEx(HtmlGrund);
        RARIVIDUZE->setObjectName(QStringLiteral("RARIVIDUZE"));
        RariViduzeRuler = new TRuler(HtmlGrund);
        RariViduzeRuler->setObjectName(QStringLiteral("RariViduzeRuler"));
        RariViduzeRuler->SetTextEditorEx(RARIVIDUZE);
        RARIVIDUZE->SetRuler(RariViduzeRuler);
        RariViduzeProcessor = new TSUBFormattingProcessor(this);
        RariViduzeProcessor->SetTextEditorEx(RARIVIDUZE);
        RARIVIDUZE->SetFormattingProcessor(RariViduzeProcessor);
        auto* row = new QHBoxLayout;
        row->setContentsMargins(0, 0, 0, 0);
        row->setSpacing(0);
        row->addWidget(RariViduzeRuler);
        row->addWidget(RARIVIDUZE, 1);
        static_cast<QVBoxLayout*>(HtmlGrund->layout())->addLayout(row, 1);
        static_cast<QVBoxLayout*>(HtmlGrund->layout())->setAlignment(Qt::Alignment());
    }

    // 10. "Webbläsare"
    Webblasare = page(QStringLiteral("Webbläsare"), "Webblasare");
    {
        auto* group = new QGroupBox(QStringLiteral("Vid visning i webbläsare:"), Webblasare);
        auto* layout = new QVBoxLayout(group);
        auto* def = new QRadioButton(QStringLiteral("&Använd associerad webbläsare"), group);
        def->setObjectName(QStringLiteral("brwDef"));
        auto* other = new QRadioButton(QStringLiteral("A&nvänd angiven webbläsare:"), group);
        other->setObjectName(QStringLiteral("brwOther"));
        layout->addWidget(def);
        layout->addWidget(other);
        auto* form = new QFormLayout;
        QLineEdit* file = lineEdit("brwSRC");
        form->addRow(QStringLiteral("&Filnamn:"), file);
        layout->addLayout(form);
        Webblasare->layout()->addWidget(group);
        // The file name counts only for the other browser.
        const auto follow = [file, other] { file->setEnabled(other->isChecked()); };
        connect(other, &QRadioButton::toggled, this, follow);
        file->setEnabled(false);
    }

    // 11. "Subrutiner"
    Subrutiner = page(QStringLiteral("Subrutiner"), "Subrutiner");
    note(Subrutiner, QStringLiteral("Du kan välja att automatiskt utföra sparade subrutiner vid "
                                    "speciella händelser och kortkommandon."));
    {
        auto* scroll = new QScrollArea(Subrutiner);
        scroll->setWidgetResizable(true);
        auto* inner = new QWidget;
        auto* form = new QFormLayout(inner);
        form->addRow(QStringLiteral("Vid &programstart:"), lineEdit("event_progstart"));
        form->addRow(QStringLiteral("Vid pr&ogramavslutning:"), lineEdit("event_progend"));
        for (int k : {1, 2, 3, 4, 5, 6, 7, 8, 9, 0}) {
            const QByteArray name = "key" + QByteArray::number(k);
            form->addRow(QStringLiteral("Vid [CTRL+ALT+%1]:").arg(k), lineEdit(name.constData()));
        }
        form->addRow(QStringLiteral("&Efter webbsideguiden:"), lineEdit("event_htmlwizafter"));
        scroll->setWidget(inner);
        Subrutiner->layout()->addWidget(scroll);
    }

    // 12. "Automatiska arbetsytor"
    Arbetsytor = page(QStringLiteral("Automatiska arbetsytor"), "Arbetsytor");
    note(Arbetsytor, QStringLiteral("Du kan välja olika standardvisningslägen (redigering, "
                                    "granskning och kombination) för olika filtyper."));
    for (const auto& [caption, name] :
         {std::pair{"Redigering", "pEditExt"}, std::pair{"Granskning", "pPreviewExt"},
          std::pair{"Kombination", "pCombinationExt"}}) {
        auto* group = new TCaptionGroup(Arbetsytor);
        group->SetCaptionText(QLatin1String(caption));
        auto* layout = new QVBoxLayout(group);
        layout->setContentsMargins(8, group->Caption()->height() + 6, 8, 6);
        layout->addWidget(SerieRow(NewSerie(name, group), group));
        Arbetsytor->layout()->addWidget(group);
    }

    // 13. "Förhandsgranskning"
    Forhandsgranskning = page(QStringLiteral("Förhandsgranskning"), "Forhandsgranskning");
    note(Forhandsgranskning, QStringLiteral("Ange var osparade och modifierade sparade filer ska "
                                            "sparas temporärt vid förhandsgranskning."));
    {
        const auto pathRow = [&](const char* name, QLineEdit** edit, QPushButton** browse) {
            auto* row = new QHBoxLayout;
            *edit = lineEdit(name);
            *browse = new QPushButton(QStringLiteral("Bläddra..."));
            auto* label = new QLabel(QStringLiteral("Filnamn:"));
            label->setBuddy(*edit);
            row->addWidget(label);
            row->addWidget(*edit, 1);
            row->addWidget(*browse);
            static_cast<QVBoxLayout*>(Forhandsgranskning->layout())->addLayout(row);
        };
        pathRow("PreviewSaveFile", &PreviewSaveFile, &btnBrowseSave);
        note(Forhandsgranskning,
             QStringLiteral("Ange vilken fil den inbyggda webbläsaren ska öppna vid "
                            "förhandsgranskning. Den är oftast samma fil som ovan."));
        pathRow("PreviewOpenFile", &PreviewOpenFile, &btnBrowseOpen);
        note(Forhandsgranskning,
             QStringLiteral("Filnamnen bör sluta på \".html\" eller \".htm\", så att sidan "
                            "visas som en webbsida."));
        btnResetPreview = new QPushButton(QStringLiteral("Återställ till standard"));
        btnResetPreview->setObjectName(QStringLiteral("btnResetPreview"));
        auto* row = new QHBoxLayout;
        row->addWidget(btnResetPreview);
        row->addStretch();
        static_cast<QVBoxLayout*>(Forhandsgranskning->layout())->addLayout(row);
    }

    // 14. "Prestanda"
    Prestanda = page(QStringLiteral("Prestanda"), "Prestanda");
    {
        auto* bar = new TPanelCaption(Prestanda);
        bar->SetCaptionText(QStringLiteral("Textuppdateringskontroll"));
        Prestanda->layout()->addWidget(bar);
        note(Prestanda,
             QStringLiteral("När texten rullas kontrollerar editorn bara var n:te rad om den "
                            "behöver ritas om. Ett lägre uppdateringshopp ger säkrare "
                            "uppdatering, ett högre snabbare rullning."));
        auto* form = new QFormLayout;
        form->addRow(QStringLiteral("Uppdateringshopp:"), number("pSpeedUpdate", 1, 500, 3));
        static_cast<QVBoxLayout*>(Prestanda->layout())->addLayout(form);
        auto* row = new QHBoxLayout;
        btnShowControlPoints = new QPushButton(QStringLiteral("Visa kontrollpunkter"));
        btnResetEditor = new QPushButton(QStringLiteral("Återställ editor"));
        row->addWidget(btnShowControlPoints);
        row->addWidget(btnResetEditor);
        row->addStretch();
        static_cast<QVBoxLayout*>(Prestanda->layout())->addLayout(row);
    }

    // The buttons.
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    btnOk = new QPushButton(QStringLiteral("OK"), this);
    btnOk->setObjectName(QStringLiteral("okBtn"));
    btnOk->setDefault(true);
    btnCancel = new QPushButton(QStringLiteral("Avbryt"), this);
    btnCancel->setObjectName(QStringLiteral("cancelBtn"));
    btnApply = new QPushButton(QStringLiteral("&Verkställ"), this);
    btnApply->setObjectName(QStringLiteral("btnApply"));
    btnApply->setEnabled(false);
    buttons->addWidget(btnOk);
    buttons->addWidget(btnCancel);
    buttons->addWidget(btnApply);
    outer->addLayout(buttons);
    PageList->setCurrentRow(0);

    // Every action of the dialog runs at a command boundary of its own.
    const auto click = [this](QPushButton* button, void (Toptions::*handler)()) {
        connect(button, &QPushButton::clicked, this,
                [this, handler] { RunCommand([this, handler] { (this->*handler)(); }); });
    };
    connect(btnOk, &QPushButton::clicked, this, &Toptions::accept);
    connect(btnCancel, &QPushButton::clicked, this, &Toptions::reject);
    click(btnApply, &Toptions::btnApplyClick);
    click(btnClearFileMRU, &Toptions::btnClearFileMRUClick);
    click(btnClearBackup, &Toptions::btnClearBackupClick);
    click(btnZaziriziva, &Toptions::SetZaziRizivaColors);
    click(btnWinDefault, &Toptions::SetWinDefColors);
    click(btnResetPreview, &Toptions::ResetPreviewPaths);
    click(btnShowControlPoints, &Toptions::ShowControlPoints);
    click(btnResetEditor, &Toptions::ResetEditor);
    connect(btnBrowseSave, &QPushButton::clicked, this,
            [this] { RunCommand([this] { BrowsePreviewPath(PreviewSaveFile); }); });
    connect(btnBrowseOpen, &QPushButton::clicked, this,
            [this] { RunCommand([this] { BrowsePreviewPath(PreviewOpenFile); }); });

    // The controls whose changes enable "&Verkställ".
    const auto allow = [this] {
        if (!loading_)
            AllowApply();
    };
    for (const TOptionBinding& b : OptionBindings()) {
        if (!b.AllowsApply)
            continue;
        QWidget* control = findChild<QWidget*>(QLatin1String(b.Control));
        if (auto* button = qobject_cast<QAbstractButton*>(control))
            connect(button, &QAbstractButton::toggled, this, allow);
        else if (auto* colour = dynamic_cast<TColorContainer*>(control))
            colour->OnChange = [allow](QObject*) { allow(); };
        else if (auto* combo = qobject_cast<QComboBox*>(control))
            connect(combo, &QComboBox::currentTextChanged, this, allow);
        else if (auto* edit = qobject_cast<QLineEdit*>(control))
            connect(edit, &QLineEdit::textEdited, this, allow);
    }
    connect(DefECC, &QComboBox::currentIndexChanged, this, allow);
    pCUSTColor->OnChange = [allow](QObject*) { allow(); };
    connect(DTDlist, &QPlainTextEdit::textChanged, this, allow);
    connect(OptionTagClosing, &QPlainTextEdit::textChanged, this, allow);

    // The keyword groups.
    psynCUSTNumTabs->OnChange = [this](QObject*) {
        if (!loading_)
            RunCommand([this] { psynCUSTNumTabsChange(); });
    };
    connect(CustomTabs, &QTabBar::currentChanged, this, [this](int) {
        if (loading_)
            return;
        SaveCustomSynData();
        shownGroup_ = CustomTabs->currentIndex();
        ShowCustomSynData();
    });
}

// --- the HTML-ground subroutine -----------------------------------------------------------------

QString Toptions::HtmlGroundFile() {
    return AppPaths::DataFile(QStringLiteral("RariViduze.sub"));
}

void Toptions::LoadHtmlGround() {
    const QString path = HtmlGroundFile();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        htmlGroundLoaded_ = false;
        main_.kvMessageBox(
            QStringLiteral("Det gick inte att öppna filen med subrutinen för HTML-grunden (") +
            path + QStringLiteral(")."));
        return;
    }
    htmlGroundOnDisk_ = file.readAll();
    htmlGroundLoaded_ = true;
    RARIVIDUZE->SetText(htmlGroundOnDisk_);
    RARIVIDUZE->ClearUndoData();
    RARIVIDUZE->AddUndoData();
    // What the editor holds, as a save would write it.
    htmlGroundOnDisk_ = RARIVIDUZE->Text();
}

QByteArray Toptions::HtmlGroundText() const {
    return RARIVIDUZE->Text();
}

void Toptions::SaveHtmlGround() {
    const QByteArray text = HtmlGroundText();
    const bool empty = RARIVIDUZE->TextLength() <= 2;
    if (htmlGroundLoaded_ ? text == htmlGroundOnDisk_ : empty)
        return;
    QSaveFile file(HtmlGroundFile());
    if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size() || !file.commit()) {
        main_.kvMessageBox(QStringLiteral("Det gick inte att spara subrutinen för HTML-grund."));
        return;
    }
    htmlGroundOnDisk_ = text;
    htmlGroundLoaded_ = true;
}

void Toptions::TakeMainEditorLook() {
    const TTextEditorEx& source = *main_.CodeEditor;
    RARIVIDUZE->Settings()->Assign(*source.Settings());
    RARIVIDUZE->Settings()->ReadOnly = false;
    RARIVIDUZE->Settings()->InteractiveFormatting = true;
    RARIVIDUZE->Settings()->ListMenuHelper = false;
    RARIVIDUZE->Settings()->ListMenuHelperAutoPopup = false;
    RARIVIDUZE->FontColor = source.FontColor;
    RARIVIDUZE->EditorFont = source.EditorFont;
    RARIVIDUZE->SetTextXSpace(source.TextXSpace());
    RARIVIDUZE->SetTextYSpace(source.TextYSpace());
    if (main_.SUBFormattingProcessor1)
        RariViduzeProcessor->Assign(*main_.SUBFormattingProcessor1);
    if (const TRuler* ruler = source.Ruler()) {
        RariViduzeRuler->Assign(*ruler);
        RariViduzeRuler->setVisible(ruler->isVisibleTo(ruler->parentWidget()));
    }
    RARIVIDUZE->UpdateFont();
    RARIVIDUZE->UpdateScrollBars();
    RARIVIDUZE->RepaintAll();
}

void Toptions::PrepareRariViduzeMenu() {
    RariViduzeMenu = new QMenu(this);
    RariViduzeMenu->setObjectName(QStringLiteral("RariViduzeMenu"));
    TTextEditorEx* e = RARIVIDUZE;
    const auto item = [this](const QString& caption, const char* key, std::function<void()> run) {
        QAction* a = RariViduzeMenu->addAction(caption);
        if (key)
            a->setShortcut(QKeySequence(QLatin1String(key)));
        connect(a, &QAction::triggered, this, [run] { RunCommand(run); });
        return a;
    };
    QAction* undo = item(QStringLiteral("&Ångra"), "Ctrl+Z", [e] { e->Undo(); });
    RariViduzeMenu->addSeparator();
    QAction* cut = item(QStringLiteral("&Klipp ut"), "Ctrl+X", [e] { e->CutToClipboard(); });
    QAction* copy = item(QStringLiteral("K&opiera"), "Ctrl+C", [e] { e->CopyToClipboard(); });
    QAction* paste =
        item(QStringLiteral("K&listra in"), "Ctrl+V", [e] { e->PasteFromClipboard(); });
    QAction* del = item(QStringLiteral("&Ta bort"), nullptr, [e] { e->DeleteSelection(); });
    RariViduzeMenu->addSeparator();
    QAction* all = item(QStringLiteral("&Markera allt"), "Ctrl+A", [e] { e->SelectAll(); });
    connect(RariViduzeMenu, &QMenu::aboutToShow, this, [=] {
        const bool selection = e->HasSelection();
        undo->setEnabled(e->CanUndo());
        cut->setEnabled(selection);
        copy->setEnabled(selection);
        del->setEnabled(selection);
        const QMimeData* data = QApplication::clipboard()->mimeData();
        paste->setEnabled(data && data->hasText());
        all->setEnabled(e->TextLength() > 2);
    });
    RARIVIDUZE->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(RARIVIDUZE, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& pos) { RariViduzeMenu->popup(RARIVIDUZE->mapToGlobal(pos)); });
}

// --- loading ------------------------------------------------------------------------------------

void Toptions::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous())
        RunCommand([this] { FormShow(); });
}

void Toptions::FormShow() {
    loading_ = true;
    const TSettingsValues values = main_.CurrentSettings();
    for (const TOptionBinding& b : OptionBindings()) {
        QWidget* control = findChild<QWidget*>(QLatin1String(b.Control));
        const TSettingDescriptor* d = FindSettingDescriptor(QLatin1String(b.Setting));
        if (control && d)
            LoadOptionControl(control, *d, values);
    }
    {
        const QSignalBlocker block(DefECC);
        DefECC->setCurrentIndex(values.kvKvDefault == 1 ? 0 : 1);
        loadedTagCase_ = values.kvKvDefault;
    }
    if (auto* file = findChild<QLineEdit*>(QStringLiteral("brwSRC")))
        file->setEnabled(!values.DefaultBrw);
    TakeMainEditorLook();
    {
        const QSignalBlocker tags(OptionTagClosing);
        const QSignalBlocker types(DTDlist);
        OptionTagClosing->setPlainText(main_.DataFiles.AutoCloseTagsList.join(QLatin1Char('\n')));
        DTDlist->setPlainText(main_.DataFiles.DocTypesList.join(QLatin1Char('\n')));
    }

    // The keyword groups: a working copy, one tab per group.
    CustomGroupsEdit = values.CustomGroups;
    loadedGroups_ = CustomGroupsEdit;
    {
        const QSignalBlocker block(CustomTabs);
        while (CustomTabs->count() > 0)
            CustomTabs->removeTab(0);
        for (size_t i = 0; i < CustomGroupsEdit.size(); ++i)
            CustomTabs->addTab(kGroupTabCaption + QString::number(i + 1));
        if (CustomTabs->count() > 0)
            CustomTabs->setCurrentIndex(0);
        const QSignalBlocker count(psynCUSTNumTabs);
        psynCUSTNumTabs->setText(QString::number(CustomGroupsEdit.size()));
    }
    shownGroup_ = CustomTabs->currentIndex();
    ShowCustomSynData();

    RememberShown();
    btnApply->setEnabled(false);
    loading_ = false;
}

void Toptions::RememberShown() {
    loaded_.clear();
    for (const TOptionBinding& b : OptionBindings())
        if (const QWidget* control = findChild<QWidget*>(QLatin1String(b.Control)))
            loaded_.insert(control, ShownOptionValue(control));
    loaded_.insert(DefECC, DefECC->currentIndex());
    loaded_.insert(psynCUSTNumTabs, psynCUSTNumTabs->text());
    loaded_.insert(DTDlist, DTDlist->toPlainText());
    loaded_.insert(OptionTagClosing, OptionTagClosing->toPlainText());
}

bool Toptions::Changed(const QWidget* control) const {
    QVariant now;
    if (control == DefECC)
        now = DefECC->currentIndex();
    else if (const auto* memo = qobject_cast<const QPlainTextEdit*>(control))
        now = memo->toPlainText();
    else
        now = ShownOptionValue(control);
    return loaded_.value(control) != now;
}

void Toptions::ShowPage(QWidget* page) {
    const int index = PageControl1->indexOf(page);
    if (index >= 0)
        PageList->setCurrentRow(index);
}

QWidget* Toptions::CurrentPage() const {
    return PageControl1->currentWidget();
}

bool Toptions::Execute(QWidget* page) {
    ShowPage(page ? page : Allmant);
    setResult(0);
    return Dialogs::RunModal(this) == Dialogs::mrOk;
}

// --- applying -----------------------------------------------------------------------------------

QString Toptions::CaptionOf(const QWidget* control) const {
    for (const QLabel* label : findChildren<QLabel*>())
        if (label->buddy() == control) {
            QString text = label->text();
            text.remove(QRegularExpression(QStringLiteral("&(?!&)")));
            text.replace(QStringLiteral("&&"), QStringLiteral("&"));
            if (text.endsWith(QLatin1Char(':')))
                text.chop(1);
            return text;
        }
    return control->objectName();
}

QWidget* Toptions::WrongNumberBox(QString* message) const {
    // In the order the values are applied.
    static const char* const boxes[] = {"ce_size",     "ce_dx",           "ce_dy",
                                        "DefNumSpace", "psynCUSTNumTabs", "pSpeedUpdate"};
    for (const char* name : boxes) {
        QWidget* box = findChild<QWidget*>(QLatin1String(name));
        if (!box || !Changed(box))
            continue;
        int min = 1, max = kMaxCustomGroups;
        if (box != psynCUSTNumTabs) {
            const QString setting = [&] {
                for (const TOptionBinding& b : OptionBindings())
                    if (QLatin1String(b.Control) == QLatin1String(name))
                        return QString::fromLatin1(b.Setting);
                return QString();
            }();
            const TSettingDescriptor* d = FindSettingDescriptor(setting);
            min = d->Min;
            max = d->Max;
        }
        const QVariant shown = ShownOptionValue(box);
        const QString error = OptionNumberError(shown.toString(), CaptionOf(box), min, max);
        if (!error.isEmpty()) {
            *message = error;
            return box;
        }
    }
    return nullptr;
}

bool Toptions::ApplyToMain() {
    QString message;
    if (QWidget* box = WrongNumberBox(&message)) {
        // The box is shown on its page (and inner page) before it is named.
        for (QWidget* p = box->parentWidget(); p; p = p->parentWidget()) {
            if (PageControl1->indexOf(p) >= 0)
                ShowPage(p);
            if (SynPages->indexOf(p) >= 0)
                SynPages->setCurrentWidget(p);
        }
        main_.kvMessageBox(message);
        box->setFocus();
        return false;
    }

    TSettingsValues values = main_.CurrentSettings();
    for (const TOptionBinding& b : OptionBindings()) {
        const QWidget* control = findChild<QWidget*>(QLatin1String(b.Control));
        const TSettingDescriptor* d = FindSettingDescriptor(QLatin1String(b.Setting));
        if (control && d && Changed(control))
            StoreOptionControl(control, *d, b.UpperCase, &values);
    }
    if (Changed(DefECC))
        values.kvKvDefault = DefECC->currentText().toLower() == QLatin1String("versaler") ? 1 : 2;
    SaveCustomSynData();
    values.CustomGroups = CustomGroupsEdit;
    if (Changed(OptionTagClosing))
        main_.DataFiles.AutoCloseTagsList = MemoLines(OptionTagClosing);
    if (Changed(DTDlist))
        main_.DataFiles.DocTypesList = MemoLines(DTDlist);

    main_.ApplySettings(values);
    TakeMainEditorLook();
    // What is applied now is what the controls were loaded with.
    RememberShown();
    loadedTagCase_ = values.kvKvDefault;
    loadedGroups_ = CustomGroupsEdit;
    return true;
}

void Toptions::accept() {
    bool applied = false;
    RunCommand([this, &applied] { applied = ApplyToMain(); });
    if (applied)
        QDialog::accept();
}

void Toptions::btnApplyClick() {
    if (ApplyToMain())
        btnApply->setEnabled(false);
}

void Toptions::AllowApply() {
    btnApply->setEnabled(true);
}

// --- keyword groups -----------------------------------------------------------------------------

void Toptions::SaveCustomSynData() {
    if (shownGroup_ < 0 || shownGroup_ >= static_cast<int>(CustomGroupsEdit.size()))
        return;
    TCustomKeywordGroup& g = CustomGroupsEdit[static_cast<size_t>(shownGroup_)];
    // A series that could not show every keyword keeps the group's own list.
    const QStringList keywords = SerieValues(pCUSTKeywords->GetValues());
    if (pCUSTKeywords->isEnabled() && keywords != SerieValues(g.Keywords))
        g.Keywords = keywords;
    if (pCUSTColor->CurrentColor() != ColorToRGB(g.Color))
        g.Color = pCUSTColor->CurrentColor();
    g.Bold = pCUSTBold->isChecked();
    g.Italic = pCUSTItalic->isChecked();
    g.Underline = pCUSTUnderline->isChecked();
}

void Toptions::ShowCustomSynData() {
    const bool selected =
        shownGroup_ >= 0 && shownGroup_ < static_cast<int>(CustomGroupsEdit.size());
    for (QWidget* w : std::initializer_list<QWidget*>{pCUSTKeywords, pCUSTColor, pCUSTBold,
                                                      pCUSTItalic, pCUSTUnderline})
        w->setEnabled(selected);
    if (!selected)
        return;
    const bool wasLoading = loading_;
    loading_ = true;
    const TCustomKeywordGroup& g = CustomGroupsEdit[static_cast<size_t>(shownGroup_)];
    TSettingsValues holder;
    holder.synCUSText = g.Keywords;
    LoadOptionControl(pCUSTKeywords, *FindSettingDescriptor(QStringLiteral("synCUSText")), holder);
    pCUSTColor->SetCurrentColor(ColorToRGB(g.Color));
    for (const auto& [box, on] : {std::pair{pCUSTBold, g.Bold}, std::pair{pCUSTItalic, g.Italic},
                                  std::pair{pCUSTUnderline, g.Underline}}) {
        const QSignalBlocker block(box);
        box->setChecked(on);
    }
    loading_ = wasLoading;
}

void Toptions::psynCUSTNumTabsChange() {
    bool ok = false;
    const int count = psynCUSTNumTabs->text().toInt(&ok);
    if (!ok || count < 1 || count > kMaxCustomGroups)
        return;
    ResizeCustomGroups(count);
}

void Toptions::ResizeCustomGroups(int count) {
    SaveCustomSynData();
    CustomGroupsEdit.resize(static_cast<size_t>(count));
    {
        const QSignalBlocker block(CustomTabs);
        for (int k = CustomTabs->count() + 1; k <= count; ++k)
            CustomTabs->addTab(kGroupTabCaption + QString::number(k));
        while (CustomTabs->count() > count)
            CustomTabs->removeTab(CustomTabs->count() - 1);
        if (CustomTabs->currentIndex() < 0 && CustomTabs->count() > 0)
            CustomTabs->setCurrentIndex(0);
    }
    shownGroup_ = CustomTabs->currentIndex();
    ShowCustomSynData();
}

// --- buttons ------------------------------------------------------------------------------------

void Toptions::SetWinDefColors() {
    const TEditorColours c = SystemEditorColours();
    SwatchOf(this, "ce_bgc")->SetCurrentColor(c.Background);
    SwatchOf(this, "ce_fgc")->SetCurrentColor(c.Text);
    SwatchOf(this, "ce_sbgc")->SetCurrentColor(c.SelBackground);
    SwatchOf(this, "ce_sfgc")->SetCurrentColor(c.SelText);
    AllowApply();
}

void Toptions::SetZaziRizivaColors() {
    const TEditorColours c = ZaziRizivaColours(ColorToRGB(clHighlight));
    SwatchOf(this, "ce_bgc")->SetCurrentColor(c.Background);
    SwatchOf(this, "ce_fgc")->SetCurrentColor(c.Text);
    SwatchOf(this, "ce_sbgc")->SetCurrentColor(c.SelBackground);
    SwatchOf(this, "ce_sfgc")->SetCurrentColor(c.SelText);
    AllowApply();
}

void Toptions::btnClearFileMRUClick() {
    ClearRecentFiles(*OpenKelvoraStore());
}

void Toptions::btnClearBackupClick() {
    DeleteBackupFiles(main_.Backups.Folder());
}

void Toptions::BrowsePreviewPath(QLineEdit* edit) {
    const QString folder = Dialogs::GetExistingDirectory(this, QStringLiteral("Välj en katalog:"),
                                                         QFileInfo(edit->text()).absolutePath());
    if (folder.isEmpty())
        return;
    edit->setText(PreviewFileIn(folder));
}

void Toptions::ResetPreviewPaths() {
    const QString path = AppPaths::DataFile(QStringLiteral("_preview.html"));
    PreviewSaveFile->setText(path);
    PreviewOpenFile->setText(path);
}

void Toptions::ShowControlPoints() {
    bool ok = false;
    const int jump = findChild<QLineEdit*>(QStringLiteral("pSpeedUpdate"))->text().toInt(&ok);
    if (!ok || jump < 1)
        return;
    TTextEditorExSettings* s = main_.CodeEditor->Settings();
    const int old = s->SpeedJump;
    s->SpeedJump = jump;
    main_.CodeEditor->ShowControlPoints();
    main_.CodeEditor->viewport()->repaint();
    s->SpeedJump = old;
}

void Toptions::ResetEditor() {
    main_.CodeEditor->RepaintAll();
}
