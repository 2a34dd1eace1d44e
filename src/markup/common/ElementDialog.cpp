#include "markup/common/ElementDialog.h"

#include "app/mainwindow/MainWin.h"
#include "markup/classes/CSSGroupsWin.h"
#include "markup/tagref/TagRefWin.h"
#include "platform/Cp1252.h"
#include "platform/Dialogs.h"
#include "platform/SilentAbort.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TElementDialog::TStyleEditor TElementDialog::StyleEditor;

TElementDialog::TElementDialog(Tmain& window, const QString& caption, const QByteArray& element,
                               bool paired, const QString& referenceName)
    : QDialog(&window), Window(window), Element(element), Paired(paired),
      ReferenceName(referenceName) {
    setWindowTitle(caption);
    btnok = new QPushButton(QStringLiteral("&Generera"), this);
    btnok->setObjectName(QStringLiteral("btnok"));
    btnok->setDefault(true);
    btncancel = new QPushButton(QStringLiteral("Avbryt"), this);
    btncancel->setObjectName(QStringLiteral("btncancel"));
    btnRef = new QPushButton(QStringLiteral("&Taggreferens"), this);
    btnRef->setObjectName(QStringLiteral("btnRef"));
    connect(btnok, &QPushButton::clicked, this, [this] { done(Dialogs::mrOk); });
    connect(btncancel, &QPushButton::clicked, this, [this] { done(Dialogs::mrCancel); });
    connect(btnRef, &QPushButton::clicked, this,
            [this] { RunCommand([this] { ShowTagReference(Window, ReferenceName); }); });
}

bool TElementDialog::Execute() {
    return Dialogs::RunModal(this) == Dialogs::mrOk && !refused_;
}

int TElementDialog::TagCase() const {
    return Window.TagCase;
}

QByteArray TElementDialog::Bytes(const QLineEdit* edit) {
    return Cp1252::Encode(edit->text());
}

QByteArray TElementDialog::Bytes(const QComboBox* combo) {
    return Cp1252::Encode(combo->currentText());
}

void TElementDialog::BeginEditMode() {
    Mode = TElementEditMode::Begin(Window, Element, Paired, btnok);
    refused_ = Mode.IsRefused();
}

void TElementDialog::Refuse(const QString& message) {
    Window.kvMessageBox(message);
    btnok->hide();
    refused_ = true;
}

void TElementDialog::AddFormattingRows(QGridLayout* grid, int row) {
    pCLASS = new QComboBox(this);
    pCLASS->setObjectName(QStringLiteral("pCLASS"));
    pCLASS->setEditable(true);
    pCLASS->setInsertPolicy(QComboBox::NoInsert);
    auto* classLabel = new QLabel(QStringLiteral("&Stilmallsgrupp:"), this);
    classLabel->setBuddy(pCLASS);
    grid->addWidget(classLabel, row, 0);
    grid->addWidget(pCLASS, row, 1, 1, 2);
    pSTYLE = new QLineEdit(this);
    pSTYLE->setObjectName(QStringLiteral("pSTYLE"));
    auto* styleLabel = new QLabel(QStringLiteral("&Lokal stil:"), this);
    styleLabel->setBuddy(pSTYLE);
    STYLE0 = new QPushButton(QStringLiteral("CSS"), this);
    STYLE0->setObjectName(QStringLiteral("STYLE0"));
    STYLE0->setEnabled(static_cast<bool>(StyleEditor));
    connect(STYLE0, &QPushButton::clicked, this,
            [this] { RunCommand([this] { OpenStyleEditor(); }); });
    grid->addWidget(styleLabel, row + 1, 0);
    grid->addWidget(pSTYLE, row + 1, 1);
    grid->addWidget(STYLE0, row + 1, 2);
}

void TElementDialog::FinishLayout(QLayout* content) {
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(content, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(btnRef);
    buttons->addStretch();
    buttons->addWidget(btnok);
    buttons->addWidget(btncancel);
    layout->addLayout(buttons);
}

void TElementDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (FirstField)
        FirstField->setFocus();
    if (!pCLASS)
        return;
    const QString typed = pCLASS->currentText();
    pCLASS->clear();
    RunCommand([this] {
        for (const QByteArray& name : TCSSGROUPS::AssembleGroups(Window, nullptr))
            pCLASS->addItem(Cp1252::Decode(name));
    });
    pCLASS->setEditText(typed);
}

void TElementDialog::OpenStyleEditor() {
    if (!StyleEditor)
        return;
    if (const std::optional<QString> result = StyleEditor(Window, pSTYLE->text(), StylePage))
        pSTYLE->setText(*result);
}
