#include "markup/sites/DispWizWin.h"

#include "app/mainwindow/MainWin.h"
#include "controls/ValueListEditor.h"
#include "editor/view/TextEditorEx.h"
#include "markup/common/PrivatePreview.h"
#include "markup/wizards/WizardStyles.h"
#include "platform/SilentAbort.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

TdispWiz::TdispWiz(Tmain& window, QWidget* parent)
    : QDialog(parent ? parent : &window), window_(window),
      preview_(std::make_unique<TPrivatePreview>(window, QStringLiteral("_preview.html"))) {
    setObjectName(QStringLiteral("dispWiz"));
    setWindowTitle(QStringLiteral("Layoutguiden"));
    auto* controls = new QWidget(this);
    auto* grid = new QGridLayout(controls);
    grid->setContentsMargins(0, 0, 0, 0);
    int row = 0;
    const auto check = [&](const char* name, const QString& caption) {
        auto* box = new QCheckBox(caption, controls);
        box->setObjectName(QLatin1String(name));
        box->setChecked(true);
        return box;
    };
    const auto edit = [&](const char* name) {
        auto* field = new QLineEdit(controls);
        field->setObjectName(QLatin1String(name));
        return field;
    };
    // A style field with its label and "CSS" button on one row.
    const auto styleRow = [&](QLineEdit** field, const char* name, const QString& caption,
                              QPushButton** button) {
        *field = edit(name);
        auto* label = new QLabel(caption, controls);
        label->setBuddy(*field);
        *button = new QPushButton(QStringLiteral("CSS"), controls);
        grid->addWidget(label, row, 1);
        grid->addWidget(*field, row, 2);
        grid->addWidget(*button, row, 3);
        ++row;
    };

    cbUseH1 = check("cbUseH1", QStringLiteral("&Använd rubrik:"));
    eH1Caption = edit("eH1Caption");
    grid->addWidget(cbUseH1, row, 0);
    grid->addWidget(eH1Caption, row++, 1, 1, 3);

    cbUseLnks = check("cbUseLnks", QStringLiteral("Använd &länkfält:"));
    grid->addWidget(cbUseLnks, row++, 0, 1, 4);
    vleLinks = new TValueListEditor(controls);
    vleLinks->setObjectName(QStringLiteral("vleLinks"));
    vleLinks->SetTitles(QStringLiteral("Etikett"), QStringLiteral("Adress"));
    vleLinks->setMinimumHeight(110);
    grid->addWidget(vleLinks, row++, 1, 1, 3);
    cbVertLnk = check("cbVertLnk", QStringLiteral("&Vertikalt fält"));
    cbVertLnk->setChecked(false);
    grid->addWidget(cbVertLnk, row++, 1, 1, 3);
    styleRow(&eLnkStyle, "eLnkStyle", QStringLiteral("&Stil:"), &STYLE0);

    cbUseDIV = check("cbUseDIV", QStringLiteral("Använd &område för brödtext (huvudinnehåll)"));
    grid->addWidget(cbUseDIV, row++, 0, 1, 4);
    styleRow(&eDIVStyle, "eDIVStyle", QStringLiteral("S&til:"), &STYLE1);

    cbUseFooter = check("cbUseFooter", QStringLiteral("Använd sid&fot"));
    eFooter = edit("eFooter");
    grid->addWidget(cbUseFooter, row, 0);
    grid->addWidget(eFooter, row++, 1, 1, 3);
    styleRow(&eFooterStyle, "eFooterStyle", QStringLiteral("S&til:"), &STYLE2);
    grid->setColumnStretch(2, 1);

    auto* example = new QGroupBox(QStringLiteral("Exempel"), this);
    auto* exampleLayout = new QVBoxLayout(example);
    if (QWidget* browser = preview_->Widget()) {
        browser->setObjectName(QStringLiteral("PreviewIE"));
        browser->setMinimumHeight(160);
        exampleLayout->addWidget(browser);
    }

    btnGenerate = new QPushButton(QStringLiteral("&Generera"), this);
    btnGenerate->setDefault(true);
    btnCancel = new QPushButton(QStringLiteral("Avbryt"), this);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnGenerate);
    buttons->addWidget(btnCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(controls);
    layout->addWidget(example, 1);
    layout->addLayout(buttons);
    resize(620, 620);

    APU = new QTimer(this);
    APU->setObjectName(QStringLiteral("APU"));
    APU->setInterval(500);
    APU->setSingleShot(true);
    connect(APU, &QTimer::timeout, this, [this] { RunCommand([this] { UpdatePreview(); }); });
    for (QCheckBox* box : {cbUseH1, cbUseLnks, cbVertLnk, cbUseDIV, cbUseFooter})
        connect(box, &QCheckBox::clicked, this, [this] { UpdatePreviewSoon(); });
    for (QLineEdit* field : {eH1Caption, eLnkStyle, eDIVStyle, eFooter, eFooterStyle})
        connect(field, &QLineEdit::textChanged, this, [this] { UpdatePreviewSoon(); });
    vleLinks->OnStringsChange = [this] { UpdatePreviewSoon(); };
    const std::pair<QPushButton*, QLineEdit*> styles[] = {
        {STYLE0, eLnkStyle}, {STYLE1, eDIVStyle}, {STYLE2, eFooterStyle}};
    for (const auto& [button, field] : styles) {
        QLineEdit* target = field;
        connect(button, &QPushButton::clicked, this,
                [this, target] { RunCommand([this, target] { EditStyle(target); }); });
    }
    connect(btnGenerate, &QPushButton::clicked, this,
            [this] { RunCommand([this] { btnGenerateClick(); }); });
    connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);
}

TdispWiz::~TdispWiz() = default;

TLayoutGuideFields TdispWiz::Fields() const {
    TLayoutGuideFields f;
    f.UseHeading = cbUseH1->isChecked();
    f.Heading = eH1Caption->text();
    f.UseLinks = cbUseLnks->isChecked();
    f.Links.clear();
    for (int i = 0; i < vleLinks->RowCount(); ++i)
        f.Links.push_back({vleLinks->Key(i), vleLinks->RowValue(i)});
    f.VerticalLinks = cbVertLnk->isChecked();
    f.LinkStyle = eLnkStyle->text();
    f.UseContent = cbUseDIV->isChecked();
    f.ContentStyle = eDIVStyle->text();
    f.UseFooter = cbUseFooter->isChecked();
    f.Footer = eFooter->text();
    f.FooterStyle = eFooterStyle->text();
    return f;
}

QByteArrayList TdispWiz::WriteCode() const {
    const TTextEditorEx& editor = *window_.CodeEditor;
    QByteArrayList lines;
    lines.reserve(editor.Lines.Count());
    for (int i = 0; i < editor.Lines.Count(); ++i)
        lines << editor.Lines.Get(i);
    return LayoutGuideCode::WriteCode(lines, Fields(), window_.TagCase);
}

void TdispWiz::UpdatePreviewSoon() {
    APU->start();
}

void TdispWiz::UpdatePreview() {
    APU->stop();
    QByteArray page;
    for (const QByteArray& entry : WriteCode())
        page += entry + "\r\n";
    if (!preview_->Write(page)) {
        window_.kvMessageBox(QStringLiteral(
            "Det gick inte att spara filen för granskning. Filen kan användas av en annan "
            "process eller så är processen överbelastad."));
        return;
    }
    preview_->Show();
}

void TdispWiz::EditStyle(QLineEdit* field) {
    if (const std::optional<QString> declarations =
            WizardStyles::Declarations(window_, this, field->text()))
        field->setText(*declarations);
}

void TdispWiz::btnGenerateClick() {
    // The lines become the document's text; the last one gets no line break of its own.
    const QByteArray text = WriteCode().join("\r\n");
    TTextEditorEx& editor = *window_.CodeEditor;
    window_.BeforeEditorChange();
    editor.SelectAll();
    editor.SetSelText(text);
    accept();
}

void TdispWiz::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    RunCommand([this] { UpdatePreview(); });
}
