#include "markup/wizards/HTMLWiz.h"

#include "app/core/StringHelpers.h"
#include "app/dialogs/InternalFunctionInputWin.h"
#include "app/mainwindow/MainWin.h"
#include "controls/ColorContainer.h"
#include "controls/IntegerEdit.h"
#include "controls/ValueListEditor.h"
#include "editor/view/TextEditorEx.h"
#include "markup/DialogEditor.h"
#include "markup/common/PrivatePreview.h"
#include "markup/wizards/HeadPages.h"
#include "markup/wizards/PageWizardSettings.h"
#include "markup/wizards/WizardEvents.h"
#include "markup/wizards/WizardOutput.h"
#include "markup/wizards/WizardStyles.h"
#include "platform/Dialogs.h"
#include "platform/SilentAbort.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRandomGenerator>
#include <QSignalBlocker>
#include <QStatusBar>
#include <QStyle>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

// The formatting buttons in their fixed order: page, component name, caption, selector.
struct TButtonEntry {
    const char* Page;
    const char* Name;
    const char* Caption;
    const char* Selector;
};

const TButtonEntry ButtonTable[] = {
    {"All text", "pBODY", "Formatera webbsida (&BODY)", "body"},
    {"Rubriker", "pH1", "Formatera Rubrik &1 (H1)", "h1"},
    {"Rubriker", "pH2", "Formatera Rubrik &2 (H2)", "h2"},
    {"Rubriker", "pH3", "Formatera Rubrik &3 (H3)", "h3"},
    {"Rubriker", "pH4", "Formatera Rubrik &4 (H4)", "h4"},
    {"Rubriker", "pH5", "Formatera Rubrik &5 (H5)", "h5"},
    {"Rubriker", "pH6", "Formatera Rubrik &6 (H6)", "h6"},
    {"Brödtext", "pP", "Formatera brödtext i stycke (&P)", "p"},
    {"Brödtext", "pEM", "Formatera emfaser (&EM)", "em"},
    {"Brödtext", "pSTRONG", "Formatera starka emfaser (STRO&NG)", "strong"},
    {"Brödtext", "pDFN", "Formatera definitioner (&DFN)", "dfn"},
    {"Länkar", "btnAlink", "Formatera &obesökta länkar (A:link)", "a:link"},
    {"Länkar", "btnAvisited", "Formatera &besökta länkar (A:visited)", "a:visited"},
    {"Länkar", "pAhover", "Formatera länkar under &musen (A:hover)", "a:hover"},
    {"Länkar", "pAactive", "Formatera &aktiva länkar (A:active)", "a:active"},
    {"Tabeller", "pTD", "Formatera tabellceller (T&D)", "td"},
    {"Tabeller", "pTH", "Formatera tabellrubriker (T&H)", "th"},
    {"Tabeller", "pTABLE", "Formatera tabeller (&TABLE)", "table"},
    {"Listor", "pUL", "Formatera punktlistor (&UL)", "ul"},
    {"Listor", "pOL", "Formatera numrerade listor (&OL)", "ol"},
};

QStringList Items(const QListWidget* list) {
    QStringList out;
    for (int i = 0; i < list->count(); ++i)
        out << list->item(i)->text();
    return out;
}

void DeleteSelected(QListWidget* list) {
    for (QListWidgetItem* item : list->selectedItems())
        delete item;
}

// Asks for a path with the one-line prompt (browse button, a filter preselected).
QString AskPath(QWidget* owner, const QString& question, int filterIndex) {
    TInternalFunctionInput prompt(owner);
    prompt.SetQuestion(question);
    prompt.SetShowBrowse(true);
    prompt.SetFilterIndex(filterIndex);
    QString answer;
    prompt.Run(&answer);
    return answer;
}

// The filter indexes (0-based) of the prompt's browse dialog.
constexpr int JavaScriptFilter = 1;
constexpr int StyleSheetFilter = 3;

} // namespace

THTMLWiz::THTMLWiz(Tmain& window, QWidget* parent)
    : QDialog(parent ? parent : &window), window_(window),
      preview_(std::make_unique<TPrivatePreview>(window, QStringLiteral("_preview.html"))) {
    setObjectName(QStringLiteral("HTMLWiz"));
    setWindowTitle(QStringLiteral("Webbsideguiden"));

    Pages = new QTabWidget(this);
    Pages->setObjectName(QStringLiteral("Pages"));
    HeadPages = new THeadPages(this, window.DataFiles.DocTypesList);
    Pages->addTab(HeadPages->General, QStringLiteral("Allmänt"));
    Pages->addTab(HeadPages->Meta, QStringLiteral("META-information"));

    // "Internlänkar": the linked style sheets and scripts.
    auto* links = new QWidget(this);
    auto* linksLayout = new QGridLayout(links);
    const auto linkList = [&](const QString& name, const QString& caption, int column,
                              QPushButton** add, const QString& addCaption, QPushButton** del,
                              const QString& delCaption) {
        auto* list = new QListWidget(links);
        list->setObjectName(name);
        list->setSelectionMode(QAbstractItemView::ExtendedSelection);
        auto* label = new QLabel(caption, links);
        label->setBuddy(list);
        *add = new QPushButton(addCaption, links);
        *del = new QPushButton(delCaption, links);
        auto* buttons = new QHBoxLayout;
        buttons->addWidget(*add);
        buttons->addWidget(*del);
        buttons->addStretch();
        linksLayout->addWidget(label, 0, column);
        linksLayout->addWidget(list, 1, column);
        linksLayout->addLayout(buttons, 2, column);
        return list;
    };
    pLINKEDCSS = linkList(QStringLiteral("pLINKEDCSS"), QStringLiteral("Länkade stil&mallar:"), 0,
                          &btnAddLinkedCSS, QStringLiteral("&Lägg till"), &btnDelLinkedCSS,
                          QStringLiteral("&Ta bort"));
    pLINKEDJS = linkList(QStringLiteral("pLINKEDJS"), QStringLiteral("Länkade &JavaScript:"), 1,
                         &btnAddLinkedJS, QStringLiteral("L&ägg till"), &btnDelLinkedJS,
                         QStringLiteral("T&a bort"));
    Pages->addTab(links, QStringLiteral("Internlänkar"));
    Pages->addTab(BuildBackgroundPage(), QStringLiteral("Bakgrund"));

    Pages->addTab(
        BuildButtonPage({QStringLiteral("All text")},
                        QStringLiteral("Denna inställning anger den grundläggande formateringen "
                                       "för all text på webbsidan (rubriker, brödtext, länkar "
                                       "o.s.v.) förutom för tabellceller.")),
        QStringLiteral("All text"));
    for (const char* page : {"Rubriker", "Brödtext", "Länkar", "Tabeller", "Listor"})
        Pages->addTab(BuildButtonPage({QString::fromUtf8(page)}), QString::fromUtf8(page));

    // "Innehåll": body content written by hand.
    auto* content = new QWidget(this);
    auto* contentLayout = new QVBoxLayout(content);
    auto* contentNote = new QLabel(
        QStringLiteral("Normalt sett skrivs webbsidans innehåll efter att grundkoden har "
                       "genererats från Webbsideguiden, men det går även att skriva in "
                       "innehållet i guiden, i rutan nedan. Detta är i synnerhet lämpligt om en "
                       "brödtext ska sparas i en mall."),
        content);
    contentNote->setWordWrap(true);
    contentLayout->addWidget(contentNote);
    // The program's editor, dressed like the main editor.
    auto* contentEditor = new TDialogEditor(window, TDialogEditor::TColouring::HTML, content);
    pCONTENT = contentEditor->Editor;
    pCONTENT->setObjectName(QStringLiteral("pCONTENT"));
    contentLayout->addWidget(contentEditor, 1);
    Pages->addTab(content, QStringLiteral("Innehåll"));

    // Beside the pages: the settings list and the preview.
    auto* templates = new QGroupBox(QStringLiteral("Färdiga mallar"), this);
    auto* templatesLayout = new QVBoxLayout(templates);
    tpls = new QListWidget(templates);
    tpls->setObjectName(QStringLiteral("tpls"));
    tpls->setSortingEnabled(true);
    templatesLayout->addWidget(tpls);
    btnSaveTmp = new QPushButton(QStringLiteral("&Spara inställningar..."), templates);
    templatesLayout->addWidget(btnSaveTmp);

    auto* example = new QGroupBox(QStringLiteral("Exempel"), this);
    auto* exampleLayout = new QVBoxLayout(example);
    if (QWidget* browser = preview_->Widget()) {
        browser->setObjectName(QStringLiteral("PreviewIE"));
        browser->setMinimumHeight(180);
        exampleLayout->addWidget(browser);
    }

    btnCancel = new QPushButton(QStringLiteral("Avbryt"), this);
    btnNext = new QPushButton(QStringLiteral("&Nästa"), this);
    btnNext->setDefault(true);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnCancel);
    buttons->addWidget(btnNext);

    auto* top = new QHBoxLayout;
    top->addWidget(Pages, 3);
    top->addWidget(templates, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top, 3);
    layout->addWidget(example, 2);
    layout->addLayout(buttons);
    resize(900, 660);

    SetFields(TPageWizardFields());
    UpdateFiles();

    const auto command = [this](auto* sender, auto signal, void (THTMLWiz::*handler)()) {
        connect(sender, signal, this,
                [this, handler] { RunCommand([this, handler] { (this->*handler)(); }); });
    };
    command(btnAddLinkedCSS, &QPushButton::clicked, &THTMLWiz::btnAddLinkedCSSClick);
    command(btnDelLinkedCSS, &QPushButton::clicked, &THTMLWiz::btnDelLinkedCSSClick);
    command(btnAddLinkedJS, &QPushButton::clicked, &THTMLWiz::btnAddLinkedJSClick);
    command(btnDelLinkedJS, &QPushButton::clicked, &THTMLWiz::btnDelLinkedJSClick);
    command(pUseBGCOLOR, &QCheckBox::clicked, &THTMLWiz::UpdatePreview);
    command(pUseMargins, &QCheckBox::clicked, &THTMLWiz::pUseMarginsClick);
    command(pBGIMG, &QLineEdit::editingFinished, &THTMLWiz::UpdatePreview);
    for (QComboBox* combo : {pBGREPEAT, pBGPOSITION}) {
        command(combo->lineEdit(), &QLineEdit::editingFinished, &THTMLWiz::UpdatePreview);
        command(combo, &QComboBox::activated, &THTMLWiz::UpdatePreview);
    }
    for (TIntegerEdit* margin : {pMARGINRIGHT, pMARGINLEFT, pMARGINTOP, pMARGINBOTTOM}) {
        command(margin, &QLineEdit::editingFinished, &THTMLWiz::UpdatePreview);
        // A margin the user edits ticks the box.
        connect(margin, &QLineEdit::textEdited, this, [this] { pUseMargins->setChecked(true); });
    }
    pBGCOLOR->OnChange = [this](QObject*) {
        RunCommand([this] {
            pUseBGCOLOR->setChecked(true);
            UpdatePreview();
        });
    };
    for (const TFormatButton& b : FormatButtons) {
        const QString selector = b.Selector;
        connect(b.Button, &QPushButton::clicked, this,
                [this, selector] { RunCommand([this, selector] { ToggleGroup(selector); }); });
    }
    connect(tpls, &QListWidget::itemClicked, this, [this] { RunCommand([this] { LoadItem(); }); });
    command(btnSaveTmp, &QPushButton::clicked, &THTMLWiz::SaveTmp);
    connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);
    command(btnNext, &QPushButton::clicked, &THTMLWiz::DoGenerate);
    HeadPages->pTITLE->setFocus();
}

THTMLWiz::~THTMLWiz() = default;

QWidget* THTMLWiz::BuildBackgroundPage() {
    auto* page = new QWidget(this);
    auto* grid = new QGridLayout(page);
    pUseBGCOLOR = new QCheckBox(QStringLiteral("Bakgrunds&färg:"), page);
    pUseBGCOLOR->setObjectName(QStringLiteral("pUseBGCOLOR"));
    pBGCOLOR = new TColorContainer(page);
    pBGCOLOR->setObjectName(QStringLiteral("pBGCOLOR"));
    pBGCOLOR->SetUseLabel(true);
    pBGCOLOR->setMinimumSize(120, 22);
    grid->addWidget(pUseBGCOLOR, 0, 0);
    grid->addWidget(pBGCOLOR, 0, 1);

    const auto row = [&](int r, const QString& caption, QWidget* field) {
        auto* label = new QLabel(caption, page);
        label->setBuddy(field);
        grid->addWidget(label, r, 0);
        grid->addWidget(field, r, 1, 1, 3);
    };
    pBGIMG = new QLineEdit(page);
    pBGIMG->setObjectName(QStringLiteral("pBGIMG"));
    row(1, QStringLiteral("&Bakgrundsbild:"), pBGIMG);
    const auto combo = [page](const char* name, const QStringList& items) {
        auto* box = new QComboBox(page);
        box->setObjectName(QLatin1String(name));
        box->setEditable(true);
        box->setInsertPolicy(QComboBox::NoInsert);
        box->addItems(items);
        return box;
    };
    pBGREPEAT = combo("pBGREPEAT", {"Repeat", "Repeat-x", "Repeat-y", "No-repeat"});
    row(2, QStringLiteral("&Repetitionstyp:"), pBGREPEAT);
    pBGPOSITION = combo("pBGPOSITION", {"left top", "left center", "left bottom", "center top",
                                        "center center", "center bottom", "right top",
                                        "right center", "right bottom", "X% Y%", "Xpx Ypx"});
    row(3, QStringLiteral("&Positionering:"), pBGPOSITION);

    pUseMargins = new QCheckBox(QStringLiteral("&Marginaler"), page);
    pUseMargins->setObjectName(QStringLiteral("pUseMargins"));
    grid->addWidget(pUseMargins, 4, 0, 1, 4);
    const auto margin = [&](const char* name, const QString& caption, int r, int c) {
        auto* edit = new TIntegerEdit(page);
        edit->setObjectName(QLatin1String(name));
        edit->SetMin(0);
        edit->SetMax(99999);
        edit->setMaxLength(5);
        auto* label = new QLabel(caption, page);
        label->setBuddy(edit);
        MarginLabels.push_back(label);
        grid->addWidget(label, r, c);
        grid->addWidget(edit, r, c + 1);
        return edit;
    };
    pMARGINRIGHT = margin("pMARGINRIGHT", QStringLiteral("&Höger:"), 5, 0);
    pMARGINLEFT = margin("pMARGINLEFT", QStringLiteral("&Vänster:"), 5, 2);
    pMARGINTOP = margin("pMARGINTOP", QStringLiteral("&Topp:"), 6, 0);
    pMARGINBOTTOM = margin("pMARGINBOTTOM", QStringLiteral("B&otten:"), 6, 2);
    grid->setRowStretch(7, 1);
    grid->setColumnStretch(3, 1);
    return page;
}

QWidget* THTMLWiz::BuildButtonPage(const QStringList& names, const QString& note) {
    auto* page = new QWidget(this);
    auto* layout = new QVBoxLayout(page);
    for (const TButtonEntry& entry : ButtonTable)
        if (names.contains(QString::fromUtf8(entry.Page)))
            AddFormatButton(page, QLatin1String(entry.Name), QString::fromUtf8(entry.Caption),
                            QLatin1String(entry.Selector));
    if (!note.isEmpty()) {
        auto* label = new QLabel(note, page);
        label->setWordWrap(true);
        layout->addWidget(label);
    }
    layout->addStretch();
    return page;
}

void THTMLWiz::AddFormatButton(QWidget* page, const QString& name, const QString& caption,
                               const QString& selector) {
    auto* button = new QPushButton(caption, page);
    button->setObjectName(name);
    page->layout()->addWidget(button);
    FormatButtons.push_back({button, selector});
}

QPushButton* THTMLWiz::Button(const QString& selector) const {
    for (const TFormatButton& b : FormatButtons)
        if (b.Selector == selector)
            return b.Button;
    return nullptr;
}

TPageWizardFields THTMLWiz::Fields() const {
    TPageWizardFields f;
    f.Head = HeadPages->Head();
    f.LinkedCSS = Items(pLINKEDCSS);
    f.LinkedJS = Items(pLINKEDJS);
    f.UseBgColor = pUseBGCOLOR->isChecked();
    f.BgColor = pBGCOLOR->CurrentColor();
    f.BgImage = pBGIMG->text();
    f.BgRepeat = pBGREPEAT->currentText();
    f.BgPosition = pBGPOSITION->currentText();
    f.UseMargins = pUseMargins->isChecked();
    f.MarginRight = pMARGINRIGHT->text();
    f.MarginLeft = pMARGINLEFT->text();
    f.MarginTop = pMARGINTOP->text();
    f.MarginBottom = pMARGINBOTTOM->text();
    f.StyleGroups = StyleGroups;
    f.Content = pCONTENT->Text();
    return f;
}

void THTMLWiz::SetFields(const TPageWizardFields& f) {
    HeadPages->SetHead(f.Head);
    pLINKEDCSS->clear();
    pLINKEDCSS->addItems(f.LinkedCSS);
    pLINKEDJS->clear();
    pLINKEDJS->addItems(f.LinkedJS);
    pUseBGCOLOR->setChecked(f.UseBgColor);
    pBGCOLOR->SetCurrentColor(f.BgColor);
    pBGIMG->setText(f.BgImage);
    pBGREPEAT->setEditText(f.BgRepeat);
    pBGPOSITION->setEditText(f.BgPosition);
    pUseMargins->setChecked(f.UseMargins);
    const std::pair<TIntegerEdit*, QString> margins[] = {{pMARGINRIGHT, f.MarginRight},
                                                         {pMARGINLEFT, f.MarginLeft},
                                                         {pMARGINTOP, f.MarginTop},
                                                         {pMARGINBOTTOM, f.MarginBottom}};
    for (const auto& [edit, value] : margins) {
        const QSignalBlocker block(edit);
        edit->setText(value);
    }
    for (auto* w :
         std::initializer_list<QWidget*>{pMARGINRIGHT, pMARGINLEFT, pMARGINTOP, pMARGINBOTTOM})
        w->setEnabled(f.UseMargins);
    for (QLabel* label : MarginLabels)
        label->setEnabled(f.UseMargins);
    StyleGroups = f.StyleGroups;
    UpdateButtons();
    pCONTENT->SetText(f.Content);
}

QByteArrayList THTMLWiz::WriteCode(bool preview) const {
    return PageWizardCode::WriteCode(Fields(), preview, window_.TagCase,
                                     GetIndentString(*window_.CodeEditor->Settings()),
                                     QRandomGenerator::global()->bounded(10000000));
}

void THTMLWiz::DoGenerate() {
    window_.statusBar()->showMessage(QStringLiteral("Genererar kod..."));
    TTextEditorEx& editor = *window_.CodeEditor;
    window_.BeforeEditorChange();
    WizardOutput::AppendEntries(editor, WriteCode(false));
    editor.SetSelStart(std::max(0, editor.TextLength() - 22));
    accept();
}

void THTMLWiz::ToggleGroup(const QString& selector) {
    bool formatted = false;
    for (const QString& entry : StyleGroups)
        formatted = formatted || PageWizardCode::GroupSelector(entry) == selector;
    if (formatted)
        DelGroup(selector);
    else
        SaveGroup(selector);
    UpdatePreview();
}

void THTMLWiz::SaveGroup(const QString& selector) {
    const std::optional<QString> rule = WizardStyles::FixedRule(window_, this, selector);
    if (!rule)
        return;
    StyleGroups << selector + QLatin1Char('=') + PageWizardCode::EncodeRule(*rule);
    UpdateButtons();
}

void THTMLWiz::DelGroup(const QString& selector) {
    for (qsizetype i = 0; i < StyleGroups.size(); ++i)
        if (PageWizardCode::GroupSelector(StyleGroups[i]) == selector) {
            StyleGroups.removeAt(i);
            break;
        }
    UpdateButtons();
}

void THTMLWiz::UpdateButtons() {
    for (const TFormatButton& b : FormatButtons) {
        bool formatted = false;
        for (const QString& entry : StyleGroups)
            formatted = formatted || PageWizardCode::GroupSelector(entry) == b.Selector;
        QFont font = b.Button->font();
        if (formatted && !font.bold()) {
            font.setBold(true);
            b.Button->setFont(font);
            b.Button->setText(QStringLiteral("Avf") + b.Button->text().mid(1));
        } else if (!formatted && font.bold()) {
            font.setBold(false);
            b.Button->setFont(font);
            b.Button->setText(QStringLiteral("F") + b.Button->text().mid(3));
        }
    }
}

void THTMLWiz::UpdatePreview() {
    QByteArray page;
    for (const QByteArray& entry : WriteCode(true))
        page += entry + "\r\n";
    if (preview_->Write(page))
        preview_->Show();
}

void THTMLWiz::pUseMarginsClick() {
    const bool on = pUseMargins->isChecked();
    for (QWidget* w :
         std::initializer_list<QWidget*>{pMARGINRIGHT, pMARGINLEFT, pMARGINTOP, pMARGINBOTTOM})
        w->setEnabled(on);
    for (QLabel* label : MarginLabels)
        label->setEnabled(on);
    UpdatePreview();
}

void THTMLWiz::btnAddLinkedCSSClick() {
    const QString path =
        AskPath(this, QStringLiteral("Ange relativ eller absolut sökväg till stilmallen:"),
                StyleSheetFilter);
    if (!path.isEmpty())
        pLINKEDCSS->addItem(path);
    UpdatePreview();
}

void THTMLWiz::btnDelLinkedCSSClick() {
    DeleteSelected(pLINKEDCSS);
    UpdatePreview();
}

void THTMLWiz::btnAddLinkedJSClick() {
    const QString path =
        AskPath(this, QStringLiteral("Ange relativ eller absolut sökväg till scriptfilen:"),
                JavaScriptFilter);
    if (!path.isEmpty())
        pLINKEDJS->addItem(path);
}

void THTMLWiz::btnDelLinkedJSClick() {
    DeleteSelected(pLINKEDJS);
}

void THTMLWiz::UpdateFiles() {
    tpls->clear();
    const QIcon icon = style()->standardIcon(QStyle::SP_FileDialogDetailedView);
    for (const QString& name : PageWizardSettings::Names(PageWizardSettings::Folder()))
        tpls->addItem(new QListWidgetItem(icon, name));
}

void THTMLWiz::LoadItem() {
    const QListWidgetItem* item = tpls->currentItem();
    if (!item)
        return;
    const QString name = item->text();
    const QString file = PageWizardSettings::FileOf(name);
    if (!QFileInfo::exists(file)) {
        window_.kvMessageBox(QStringLiteral("Filen \"") + name + QStringLiteral("\" finns inte."));
        return;
    }
    OpenTemplate(file);
}

bool THTMLWiz::OpenTemplate(const QString& fileName) {
    TPageWizardFields fields = Fields();
    const bool loaded = PageWizardSettings::Load(fileName, &fields);
    SetFields(fields);
    if (!loaded) {
        window_.kvMessageBox(QStringLiteral("Det gick inte att öppna inställningsfilen."));
        return false;
    }
    UpdatePreview();
    return true;
}

void THTMLWiz::SaveTmp() {
    const QString folder = PageWizardSettings::Folder();
    QDir().mkpath(folder);
    const QStringList filters{QStringLiteral("Inställningsfil för webbsideguiden (*.htw)"),
                              QStringLiteral("Alla filtyper (*)")};
    QString selected = filters.first();
    QString name = Dialogs::GetSaveFileName(
        this, QStringLiteral("Spara"), folder + QLatin1Char('/'),
        filters.join(QStringLiteral(";;")), &selected, QFileDialog::DontConfirmOverwrite);
    if (!name.isEmpty()) {
        name = PageWizardSettings::WithExtension(name);
        const bool replace =
            !QFileInfo::exists(name) ||
            window_.kvQuestionBox(QStringLiteral("Filen ") + QFileInfo(name).fileName() +
                                      QStringLiteral(" finns redan."),
                                  QStringLiteral("Vill du ersätta den?")) == Dialogs::mrYes;
        QString message;
        if (replace && !PageWizardSettings::Save(name, Fields(), &message))
            window_.kvMessageBox(message);
    }
    UpdateFiles();
}

void THTMLWiz::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    RunCommand([this] { UpdatePreview(); });
}

bool THTMLWiz::Execute(Tmain& window, QWidget* parent) {
    QString title;
    {
        THTMLWiz wizard(window, parent);
        if (Dialogs::RunModal(&wizard) != Dialogs::mrOk)
            return false;
        title = wizard.HeadPages->pTITLE->text();
    }
    // The page is written; what follows runs after the wizard's own loop.
    WizardEvents::AfterWizard(window);
    window.statusBar()->showMessage(QStringLiteral("HTML-kod genererad"), 2000);
    if (window.kvQuestionBox(QStringLiteral("Grundkoden har nu skapats."),
                             QStringLiteral("Vill du använda layoutguiden för att skapa en "
                                            "grundläggande layout (rubrik, länkfält m.m.) på "
                                            "sidan?")) == Dialogs::mrYes)
        window.Commands().Run(QStringLiteral("StartLayoutGuide"), title);
    return true;
}
