#include "markup/documentdialogs/AlphaWin.h"

#include "app/mainwindow/MainWin.h"
#include "controls/SpecialChartersCaps.h"
#include "controls/SpecialChartersGreek.h"
#include "controls/SpecialChartersMath.h"
#include "controls/SpecialChartersSmall.h"
#include "controls/SpecialChartersText.h"
#include "editor/view/TextEditorEx.h"
#include "platform/Cp1252.h"
#include "platform/Dialogs.h"

#include <QAction>
#include <QCloseEvent>
#include <QFontDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

Talpha::Talpha(Tmain& window, QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::WindowStaysOnTopHint), window_(window) {
    setWindowTitle(QStringLiteral("Infoga specialtecken"));
    setAttribute(Qt::WA_DeleteOnClose, false);
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    Caps = new TSpecialChartersCaps(this);
    Small = new TSpecialChartersSmall(this);
    Text = new TSpecialChartersText(this);
    Math = new TSpecialChartersMath(this);
    Greek = new TSpecialChartersGreek(this);
    form->addRow(QStringLiteral("&Versala landstecken:"), Caps);
    form->addRow(QStringLiteral("G&emena landstecken:"), Small);
    form->addRow(QStringLiteral("V&anliga tecken:"), Text);
    form->addRow(QStringLiteral("&Matematiska tecken:"), Math);
    form->addRow(QStringLiteral("&Grekiska tecken:"), Greek);
    Edit1 = new QLineEdit(this);
    Edit1->setReadOnly(true);
    Edit2 = new QLineEdit(this);
    Edit2->setReadOnly(true);
    form->addRow(QStringLiteral("Tecken:"), Edit1);
    form->addRow(QStringLiteral("Kod:"), Edit2);
    layout->addLayout(form);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    Button1 = new QPushButton(QStringLiteral("&Infoga"), this);
    Button1->setDefault(true);
    Button2 = new QPushButton(QStringLiteral("Stäng"), this);
    buttons->addWidget(Button1);
    buttons->addWidget(Button2);
    layout->addLayout(buttons);

    for (TSpecialChartersCombo* combo : {Caps, Small, Text, Math, Greek})
        combo->OnCharterSelect = [this, combo](QObject*, const char* code) {
            AssignInfo(combo, code);
        };
    FontPopup = new QMenu(this);
    Teckensnitt1 = FontPopup->addAction(QStringLiteral("&Teckensnitt..."));
    connect(Teckensnitt1, &QAction::triggered, this, [this] { Teckensnitt1Click(); });
    for (TSpecialChartersCombo* combo : {Caps, Small, Text}) {
        combo->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(combo, &QWidget::customContextMenuRequested, this,
                [this, combo](const QPoint& pos) { FontPopup->popup(combo->mapToGlobal(pos)); });
    }
    connect(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });
    connect(Button2, &QPushButton::clicked, this, [this] { close(); });
}

void Talpha::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    SelectSelected();
}

bool Talpha::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate) {
        QFont font = Edit2->font();
        font.setFamily(window_.CodeEditor->EditorFont.family());
        Edit2->setFont(font);
        Button1->setFocus();
    }
    return QWidget::event(event);
}

void Talpha::closeEvent(QCloseEvent* event) {
    QWidget::closeEvent(event);
    if (event->isAccepted() && OnClosed)
        OnClosed();
}

void Talpha::SelectSelected() {
    const QByteArray selected = window_.CodeEditor->GetSelText();
    if (selected.isEmpty())
        return;
    const QString text = Cp1252::Decode(selected);
    for (TSpecialChartersCombo* combo : {Caps, Small, Text, Math, Greek}) {
        int found = -1;
        for (int i = 0; i < combo->count() && found < 0; ++i)
            if (combo->itemText(i).compare(text, Qt::CaseInsensitive) == 0 ||
                combo->Entity(i) == selected)
                found = i;
        if (found >= 0) {
            const QSignalBlocker block(combo);
            combo->setCurrentIndex(found);
        }
    }
}

void Talpha::AssignInfo(TSpecialChartersCombo* sender, const char* code) {
    const bool symbol = sender == Math || sender == Greek;
    Edit1->setFont(symbol ? Math->font() : Caps->font());
    Edit1->setText(sender->currentText());
    Edit2->setText(QString::fromLatin1(code));
}

void Talpha::Button1Click() {
    const QByteArray code = Cp1252::Encode(Edit2->text());
    if (code.isEmpty())
        return;
    window_.BeforeEditorChange();
    window_.CodeEditor->SetSelText(code);
}

void Talpha::Teckensnitt1Click() {
    QFontDialog dialog(Caps->font(), this);
    if (Dialogs::RunModal(&dialog) != Dialogs::mrOk)
        return;
    for (TSpecialChartersCombo* combo : {Caps, Small, Text})
        combo->setFont(dialog.currentFont());
}
