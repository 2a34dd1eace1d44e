#include "markup/wizards/FrameWiz.h"

#include "app/core/StringHelpers.h"
#include "app/mainwindow/MainWin.h"
#include "controls/IntegerEdit.h"
#include "editor/view/TextEditorEx.h"
#include "markup/tagref/TagRefWin.h"
#include "markup/wizards/HeadPages.h"
#include "markup/wizards/NewDocWin.h"
#include "markup/wizards/WizardEvents.h"
#include "markup/wizards/WizardOutput.h"
#include "platform/Dialogs.h"
#include "platform/SilentAbort.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

constexpr int FirstStepHeight = 300;
constexpr int SecondStepHeight = 445;

} // namespace

TFrameWiz::TFrameWiz(Tmain& window, QWidget* parent)
    : QDialog(parent ? parent : &window), window_(window) {
    setObjectName(QStringLiteral("FrameWiz"));
    setWindowTitle(QStringLiteral("Ramguiden"));

    // First step: the head settings.
    HeadTabs = new QTabWidget(this);
    HeadTabs->setObjectName(QStringLiteral("Sidegenskaper"));
    HeadPages = new THeadPages(this, window.DataFiles.DocTypesList);
    HeadPages->SetHead(WizardHead::Defaults(WizardHead::FramesetDoctype()));
    HeadTabs->addTab(HeadPages->General, QStringLiteral("Allmänt"));
    HeadTabs->addTab(HeadPages->Meta, QStringLiteral("META-information"));

    // Second step: the frames.
    FrameStep = new QWidget(this);
    FrameStep->setObjectName(QStringLiteral("Ramegenskaper"));
    auto* step = new QVBoxLayout(FrameStep);
    step->setContentsMargins(0, 0, 0, 0);
    auto* groups = new QHBoxLayout;
    auto* orientation = new QGroupBox(QStringLiteral("Orientering och antal"), FrameStep);
    auto* orientationLayout = new QGridLayout(orientation);
    pUseROWS = new QRadioButton(QStringLiteral("&Horisontell indelning"), orientation);
    pUseROWS->setObjectName(QStringLiteral("pUseROWS"));
    pUseROWS->setChecked(true);
    pUseCOLS = new QRadioButton(QStringLiteral("&Vertikal indelning"), orientation);
    pUseCOLS->setObjectName(QStringLiteral("pUseCOLS"));
    const auto count = [&](const char* name, const QString& caption, QLabel** label) {
        auto* edit = new TIntegerEdit(orientation);
        edit->setObjectName(QLatin1String(name));
        edit->SetMin(1);
        edit->SetMax(99);
        edit->setMaxLength(2);
        edit->setText(QStringLiteral("1"));
        *label = new QLabel(caption, orientation);
        (*label)->setBuddy(edit);
        return edit;
    };
    pROWS = count("pROWS", QStringLiteral("Antal r&ader:"), &lblROWS);
    pCOLS = count("pCOLS", QStringLiteral("Antal &kolumner:"), &lblCOLS);
    orientationLayout->addWidget(pUseROWS, 0, 0, 1, 2);
    orientationLayout->addWidget(pUseCOLS, 1, 0, 1, 2);
    orientationLayout->addWidget(lblROWS, 2, 0);
    orientationLayout->addWidget(pROWS, 2, 1);
    orientationLayout->addWidget(lblCOLS, 3, 0);
    orientationLayout->addWidget(pCOLS, 3, 1);
    lblCOLS->hide();
    pCOLS->hide();
    auto* looks = new QGroupBox(QStringLiteral("Utseende"), FrameStep);
    auto* looksLayout = new QFormLayout(looks);
    pBORDER = new QLineEdit(looks);
    pBORDER->setObjectName(QStringLiteral("pBORDER"));
    pFRAMESPACING = new QLineEdit(looks);
    pFRAMESPACING->setObjectName(QStringLiteral("pFRAMESPACING"));
    looksLayout->addRow(QStringLiteral("&Ramtjocklek:"), pBORDER);
    looksLayout->addRow(QStringLiteral("Ram&utrymme:"), pFRAMESPACING);
    groups->addWidget(orientation);
    groups->addWidget(looks);
    step->addLayout(groups);

    FrameDataContainer = new QTabBar(FrameStep);
    FrameDataContainer->setObjectName(QStringLiteral("FrameDataContainer"));
    FrameDataContainer->setExpanding(false);
    step->addWidget(FrameDataContainer);
    FrameFields = new QWidget(FrameStep);
    auto* frameForm = new QFormLayout(FrameFields);
    pNAMECONT = new QLineEdit(FrameFields);
    pNAMECONT->setObjectName(QStringLiteral("pNAMECONT"));
    pSRCCONT = new QLineEdit(FrameFields);
    pSRCCONT->setObjectName(QStringLiteral("pSRCCONT"));
    pSIZECont = new QLineEdit(FrameFields);
    pSIZECont->setObjectName(QStringLiteral("pSIZECont"));
    auto* sizeRow = new QHBoxLayout;
    sizeRow->addWidget(pSIZECont);
    sizeRow->addWidget(new QLabel(QStringLiteral("(* = resterande utrymme)"), FrameFields));
    pFRAMEBORDER = new QLineEdit(FrameFields);
    pFRAMEBORDER->setObjectName(QStringLiteral("pFRAMEBORDER"));
    pRESIZEABLE = new QCheckBox(QStringLiteral("T&illåt storleksändring"), FrameFields);
    pRESIZEABLE->setObjectName(QStringLiteral("pRESIZEABLE"));
    frameForm->addRow(QStringLiteral("&Namn:"), pNAMECONT);
    frameForm->addRow(QStringLiteral("S&ökväg:"), pSRCCONT);
    auto* sizeLabel = new QLabel(QStringLiteral("St&orlek:"), FrameFields);
    sizeLabel->setBuddy(pSIZECont);
    frameForm->addRow(sizeLabel, sizeRow);
    frameForm->addRow(QStringLiteral("Ramkan&t:"), pFRAMEBORDER);
    frameForm->addRow(pRESIZEABLE);
    step->addWidget(FrameFields);
    step->addStretch();

    btnRef = new QPushButton(QStringLiteral("&Taggreferens"), this);
    RefList = new QComboBox(this);
    RefList->setObjectName(QStringLiteral("RefList"));
    RefList->addItems({QStringLiteral("FRAMESET"), QStringLiteral("FRAME")});
    btnBack = new QPushButton(QStringLiteral("Föregående"), this);
    btnGenerate = new QPushButton(QStringLiteral("&Generera"), this);
    btnProceed = new QPushButton(QStringLiteral("Forts&ätt"), this);
    btnProceed->setDefault(true);
    btnCancel = new QPushButton(QStringLiteral("Avbryt"), this);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(btnRef);
    buttons->addWidget(RefList);
    buttons->addStretch();
    buttons->addWidget(btnBack);
    buttons->addWidget(btnProceed);
    buttons->addWidget(btnGenerate);
    buttons->addWidget(btnCancel);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(HeadTabs, 1);
    layout->addWidget(FrameStep, 1);
    layout->addLayout(buttons);
    for (QWidget* w :
         std::initializer_list<QWidget*>{FrameStep, btnRef, RefList, btnBack, btnGenerate})
        w->hide();
    resize(520, FirstStepHeight);

    const auto command = [this](auto* sender, auto signal, auto handler) {
        connect(sender, signal, this,
                [this, handler] { RunCommand([this, handler] { handler(); }); });
    };
    command(btnProceed, &QPushButton::clicked, [this] { Proceed(); });
    command(btnBack, &QPushButton::clicked, [this] { Back(); });
    command(pUseROWS, &QRadioButton::clicked, [this] { ChangeOrientation(); });
    command(pUseCOLS, &QRadioButton::clicked, [this] { ChangeOrientation(); });
    command(pROWS, &QLineEdit::textChanged, [this] { CountChange(pROWS); });
    command(pCOLS, &QLineEdit::textChanged, [this] { CountChange(pCOLS); });
    command(pROWS, &QLineEdit::editingFinished, [this] { CountExit(pROWS); });
    command(pCOLS, &QLineEdit::editingFinished, [this] { CountExit(pCOLS); });
    connect(FrameDataContainer, &QTabBar::currentChanged, this,
            [this](int index) { RunCommand([this, index] { FrameDataContainerChange(index); }); });
    command(btnRef, &QPushButton::clicked, [this] { btnRefClick(); });
    command(btnGenerate, &QPushButton::clicked, [this] { DoGenerate(); });
    connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);

    UpdateFrameDataContainers();
}

int TFrameWiz::FrameCount() const {
    const TIntegerEdit* edit = pUseROWS->isChecked() ? pROWS : pCOLS;
    return std::max(0, edit->text().toInt());
}

TFrameWizardFields TFrameWiz::Fields() {
    StoreFrameData();
    TFrameWizardFields f;
    f.Head = HeadPages->Head();
    f.Horizontal = pUseROWS->isChecked();
    f.Border = pBORDER->text();
    f.FrameSpacing = pFRAMESPACING->text();
    const int n = FrameCount();
    if (n > 0)
        f.Frames.assign(frames_.begin(), frames_.begin() + n);
    return f;
}

QByteArrayList TFrameWiz::WriteCode() {
    return FrameWizardCode::WriteCode(Fields(), window_.TagCase,
                                      GetIndentString(*window_.CodeEditor->Settings()));
}

void TFrameWiz::Proceed() {
    HeadTabs->hide();
    btnProceed->hide();
    for (QWidget* w :
         std::initializer_list<QWidget*>{FrameStep, btnRef, RefList, btnBack, btnGenerate})
        w->show();
    RefList->setCurrentIndex(0);
    btnGenerate->setDefault(true);
    resize(width(), SecondStepHeight);
}

void TFrameWiz::Back() {
    for (QWidget* w :
         std::initializer_list<QWidget*>{FrameStep, btnRef, RefList, btnBack, btnGenerate})
        w->hide();
    HeadTabs->show();
    btnProceed->show();
    btnProceed->setDefault(true);
    resize(width(), FirstStepHeight);
}

void TFrameWiz::ChangeOrientation() {
    const bool rows = pUseROWS->isChecked();
    lblROWS->setVisible(rows);
    pROWS->setVisible(rows);
    lblCOLS->setVisible(!rows);
    pCOLS->setVisible(!rows);
    UpdateFrameDataContainers();
}

void TFrameWiz::CountChange(TIntegerEdit* edit) {
    if (edit->text() == QLatin1String("0")) {
        const QSignalBlocker block(edit);
        edit->setText(QStringLiteral("1"));
    }
    UpdateFrameDataContainers();
}

void TFrameWiz::CountExit(TIntegerEdit* edit) {
    if (edit->text().isEmpty())
        edit->setText(QStringLiteral("1")); // its change rebuilds the tabs
}

void TFrameWiz::UpdateFrameDataContainers() {
    // What the user typed into the current frame survives the rebuild.
    StoreFrameData();
    const int n = FrameCount();
    {
        const QSignalBlocker block(FrameDataContainer);
        while (FrameDataContainer->count() > 0)
            FrameDataContainer->removeTab(0);
        // An empty count is a passing state while the user types: the records stay.
        if (n > 0)
            frames_.resize(static_cast<size_t>(n));
        for (int i = 1; i <= n; ++i)
            FrameDataContainer->addTab(QStringLiteral("Ram %1").arg(i));
        if (n > 0)
            FrameDataContainer->setCurrentIndex(0);
    }
    current_ = n > 0 ? 0 : -1;
    // Without frames there is nothing to edit or to write.
    FrameFields->setEnabled(n > 0);
    btnGenerate->setEnabled(n > 0);
    UpdateFrameData();
}

void TFrameWiz::StoreFrameData() {
    if (current_ < 0 || current_ >= static_cast<int>(frames_.size()))
        return;
    TFrameData& frame = frames_[static_cast<size_t>(current_)];
    frame.Name = pNAMECONT->text();
    frame.Src = pSRCCONT->text();
    frame.Size = pSIZECont->text();
    frame.FrameBorder = pFRAMEBORDER->text();
    frame.Resizable = pRESIZEABLE->isChecked();
}

void TFrameWiz::UpdateFrameData() {
    const TFrameData frame = current_ >= 0 && current_ < static_cast<int>(frames_.size())
                                 ? frames_[static_cast<size_t>(current_)]
                                 : TFrameData();
    pNAMECONT->setText(frame.Name);
    pSRCCONT->setText(frame.Src);
    pSIZECont->setText(frame.Size);
    pFRAMEBORDER->setText(frame.FrameBorder);
    pRESIZEABLE->setChecked(frame.Resizable);
}

void TFrameWiz::FrameDataContainerChange(int index) {
    StoreFrameData();
    current_ = index;
    UpdateFrameData();
    if (pNAMECONT->isVisible() && pNAMECONT->isEnabled())
        pNAMECONT->setFocus();
}

void TFrameWiz::btnRefClick() {
    ShowTagReference(window_, RefList->currentText());
}

void TFrameWiz::DoGenerate() {
    if (FrameCount() < 1)
        return;
    window_.statusBar()->showMessage(QStringLiteral("Genererar kod..."));
    TTextEditorEx& editor = *window_.CodeEditor;
    window_.BeforeEditorChange();
    WizardOutput::AppendEntries(editor, WriteCode());
    editor.SetSelStart(editor.GetSelStart());
    accept();
}

bool TFrameWiz::Execute(Tmain& window) {
    std::vector<TFrameData> frames;
    {
        TFrameWiz wizard(window);
        if (Dialogs::RunModal(&wizard) != Dialogs::mrOk)
            return false;
        frames = wizard.Fields().Frames;
    }
    // The page is written; the choosers run after the wizard's own loop.
    WizardEvents::AfterWizard(window);
    window.statusBar()->showMessage(QStringLiteral("HTML-kod genererad"), 2000);
    if (window.kvQuestionBox(QStringLiteral("Webbsidan som definierar ramsetet har genererats."),
                             QStringLiteral("Vill du skapa ramarna direkt?")) != Dialogs::mrYes)
        return true;
    for (const TFrameData& frame : frames)
        Tnewdoc::Execute(window, frame.Name, FrameWizardCode::FileNamePart(frame.Src));
    return true;
}
