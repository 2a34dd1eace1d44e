#include "markup/paste/PasteAsWin.h"

#include "app/core/StringHelpers.h"
#include "app/mainwindow/MainWin.h"
#include "controls/PanelCaption.h"
#include "editor/view/TextEditorEx.h"
#include "platform/Cp1252.h"
#include "platform/Dialogs.h"
#include "platform/SilentAbort.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

TpasteAs::TpasteAs(Tmain& window, std::optional<QByteArray> clipboard, QList<QByteArray> history,
                   QWidget* parent)
    : QDialog(parent), window_(window), clipboard_(std::move(clipboard)),
      history_(std::move(history)), library_(GetIndentString(*window.CodeEditor->Settings())) {
    setWindowTitle(QStringLiteral("Klistra in som"));
    resize(720, 480);
    auto* layout = new QVBoxLayout(this);
    auto* grid = new QGridLayout;
    const auto caption = [this](const QString& text) {
        auto* bar = new TPanelCaption(this);
        bar->setFixedHeight(23);
        bar->SetCaptionText(text);
        return bar;
    };
    PasteData = new QListWidget(this);
    PasteData->setObjectName(QStringLiteral("PasteData"));
    PasteFormat = new QListWidget(this);
    PasteFormat->setObjectName(QStringLiteral("PasteFormat"));
    PreViewM = new QPlainTextEdit(this);
    PreViewM->setReadOnly(true);
    PreViewM->setLineWrapMode(QPlainTextEdit::NoWrap);
    grid->addWidget(caption(QStringLiteral("Urklipp:")), 0, 0);
    grid->addWidget(PasteData, 1, 0);
    grid->addWidget(caption(QStringLiteral("Innehållstyp:")), 0, 1);
    grid->addWidget(PasteFormat, 1, 1);
    grid->addWidget(caption(QStringLiteral("Förhandsgranskning")), 2, 0, 1, 2);
    grid->addWidget(PreViewM, 3, 0, 1, 2);
    layout->addLayout(grid, 1);
    layout->addLayout(Dialogs::OkCancelRow(this, QStringLiteral("OK")));
    btnOk = findChild<QPushButton*>(QStringLiteral("okBtn"));
    btnCancel = findChild<QPushButton*>(QStringLiteral("cancelBtn"));
    btnOk->setEnabled(false);

    if (clipboard_)
        PasteData->addItem(QStringLiteral("Systemurklipp"));
    else
        PasteData->addItem(history_.isEmpty() ? QStringLiteral("Det finns inga urklipp i minnet.")
                                              : QString());
    for (QByteArray entry : history_) {
        entry.replace("\r\n", "\\n");
        PasteData->addItem(Tmain::ClipCaption(Cp1252::Decode(entry)));
    }
    PasteFormat->addItems(TPasteFormatsLibrary::Names());
    for (QListWidget* list : {PasteData, PasteFormat})
        connect(list, &QListWidget::itemClicked, this,
                [this] { RunCommand([this] { PreviewIt(); }); });
}

void TpasteAs::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    QFont font = PreViewM->font();
    font.setFamily(window_.CodeEditor->EditorFont.family());
    PreViewM->setFont(font);
    PasteData->setFocus();
}

QByteArray TpasteAs::ClipText(int row) const {
    if (row == 0)
        return clipboard_.value_or(QByteArray());
    return row >= 1 && row <= history_.size() ? history_[row - 1] : QByteArray();
}

QString TpasteAs::ChosenFormat() const {
    const QListWidgetItem* item = PasteFormat->currentItem();
    return item ? item->text() : QString();
}

QByteArray TpasteAs::ChosenText() const {
    return ClipText(PasteData->currentRow());
}

void TpasteAs::PreviewIt() {
    if (!ChosenFormat().isEmpty())
        PreView();
    btnOk->setEnabled(!ChosenFormat().isEmpty() && PasteData->currentRow() >= 0);
}

void TpasteAs::PreView() {
    if (PasteData->currentRow() < 0) {
        window_.kvMessageBox(QStringLiteral("Inget urklipp har markerats."));
        PasteData->setFocus();
        return;
    }
    const TPasteFormat format = library_.GetFormat(ChosenFormat());
    if (TPasteFormatsLibrary::IsUnknown(format))
        return;
    // A huge clip previews its start only.
    PreViewM->setPlainText(
        Cp1252::Decode(TPasteFormatsLibrary::Apply(format, ChosenText().left(PreviewLimit))));
}
