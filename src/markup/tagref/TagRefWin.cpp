#include "markup/tagref/TagRefWin.h"

#include "app/mainwindow/MainWin.h"
#include "controls/PanelCaption.h"
#include "markup/tagref/ReferenceBox.h"
#include "markup/tagref/TagReference.h"
#include "markup/tagref/TagReferenceData.h"
#include "platform/Dialogs.h"
#include "platform/SilentAbort.h"

#include <QPushButton>
#include <QVBoxLayout>

Ttagref::Ttagref(const QString& tagName, std::function<void(const QString&)> report,
                 QWidget* parent)
    : QDialog(parent), TagRefTagName(tagName), report_(std::move(report)) {
    setObjectName(QStringLiteral("tagref"));
    setWindowTitle(QStringLiteral("Taggreferens"));
    resize(420, 380);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    Caption = new TPanelCaption(this);
    Caption->SetCaptionText(QStringLiteral("Taggreferens"));
    refmemo = new TReferenceBox(this);
    refmemo->setObjectName(QStringLiteral("refmemo"));
    layout->addWidget(Caption);
    layout->addWidget(refmemo, 1);
}

void Ttagref::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    TTagReferenceData data;
    if (!data.Load(TTagReferenceData::DefaultPath()) && report_)
        report_(TTagReference::ReadFailureMessage());
    refmemo->Clear();
    refmemo->ShowEntry(data, TagRefTagName);
}

void ShowTagReference(Tmain& window, const QString& tagName) {
    Ttagref dialog(
        tagName, [&window](const QString& text) { window.kvMessageBox(text); }, &window);
    Dialogs::RunModal(&dialog);
}

QPushButton* TagReferenceButton(Tmain& window, const QString& tagName, QWidget* parent) {
    auto* button = new QPushButton(QStringLiteral("&Taggreferens"), parent);
    QObject::connect(button, &QPushButton::clicked, parent, [&window, tagName] {
        RunCommand([&window, &tagName] { ShowTagReference(window, tagName); });
    });
    return button;
}
