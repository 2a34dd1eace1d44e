#include "markup/snippets/HandleFastTextsWin.h"

#include "app/dialogs/InternalFunctionInputWin.h"
#include "app/mainwindow/MainWin.h"
#include "controls/PanelCaption.h"
#include "editor/view/TextEditorEx.h"
#include "markup/DialogEditor.h"
#include "platform/Cp1252.h"
#include "platform/Dialogs.h"
#include "platform/SilentAbort.h"

#include <QAction>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace {

QString Quoted(const QString& name) {
    return QLatin1Char('"') + name + QLatin1Char('"');
}

} // namespace

THandleFastTexts::THandleFastTexts(Tmain& window, TSnippetFolder folder, QWidget* parent)
    : QDialog(parent), window_(window), folder_(std::move(folder)) {
    setWindowTitle(QStringLiteral("Hantera snabbtexter"));
    resize(760, 480);
    auto* layout = new QVBoxLayout(this);
    auto* panes = new QHBoxLayout;
    auto* left = new QVBoxLayout;
    ListCaption = new TPanelCaption(this);
    ListCaption->setFixedHeight(23);
    ListCaption->SetCaptionText(QStringLiteral("Snabbtexter"));
    FastTextList = new QListWidget(this);
    FastTextList->setObjectName(QStringLiteral("FastTextList"));
    FastTextList->setSelectionMode(QAbstractItemView::ExtendedSelection);
    FastTextList->setContextMenuPolicy(Qt::CustomContextMenu);
    left->addWidget(ListCaption);
    left->addWidget(FastTextList, 1);
    auto* right = new QVBoxLayout;
    Panel3 = new TPanelCaption(this);
    Panel3->setFixedHeight(23);
    CurrentFastText = new TDialogEditor(window_, TDialogEditor::TColouring::HTML, this);
    right->addWidget(Panel3);
    right->addWidget(CurrentFastText, 1);
    panes->addLayout(left, 1);
    panes->addLayout(right, 2);
    layout->addLayout(panes, 1);

    auto* buttons = new QHBoxLayout;
    btnNewFastText = new QPushButton(QStringLiteral("Sk&apa ny snabbtext..."), this);
    btnSaveFT = new QPushButton(QStringLiteral("S&para snabbtext"), this);
    btnClose = new QPushButton(QStringLiteral("S&täng"), this);
    for (QPushButton* b : {btnNewFastText, btnSaveFT, btnClose})
        b->setAutoDefault(false);
    buttons->addWidget(btnNewFastText);
    buttons->addWidget(btnSaveFT);
    buttons->addStretch();
    buttons->addWidget(btnClose);
    layout->addLayout(buttons);

    fasttextPopup = new QMenu(this);
    NewItem = fasttextPopup->addAction(QStringLiteral("&Skapa ny snabbtext..."));
    DeleteItems = fasttextPopup->addAction(QStringLiteral("&Ta bort markerade snabbtexter"));
    SelectAllItems = fasttextPopup->addAction(QStringLiteral("&Markera alla snabbtexter"));

    const auto boundary = [this](void (THandleFastTexts::*handler)()) {
        return [this, handler] { RunCommand([this, handler] { (this->*handler)(); }); };
    };
    connect(btnNewFastText, &QPushButton::clicked, this,
            boundary(&THandleFastTexts::btnNewFastTextClick));
    connect(btnSaveFT, &QPushButton::clicked, this, boundary(&THandleFastTexts::btnSaveFTClick));
    connect(btnClose, &QPushButton::clicked, this, boundary(&THandleFastTexts::btnCloseClick));
    connect(NewItem, &QAction::triggered, this, boundary(&THandleFastTexts::btnNewFastTextClick));
    connect(DeleteItems, &QAction::triggered, this,
            boundary(&THandleFastTexts::abortmarkeradesnabbtexter1Click));
    connect(SelectAllItems, &QAction::triggered, FastTextList, &QListWidget::selectAll);
    connect(FastTextList, &QWidget::customContextMenuRequested, this, [this](const QPoint& pos) {
        fasttextPopupPopup();
        fasttextPopup->popup(FastTextList->viewport()->mapToGlobal(pos));
    });
    connect(FastTextList, &QListWidget::currentRowChanged, this,
            boundary(&THandleFastTexts::FastTextListClick));
    CurrentFastText->Editor->OnChange = [this](QObject*) {
        if (!loading_)
            modified_ = true;
    };
    FastTextList->installEventFilter(this);
}

void THandleFastTexts::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    {
        const QSignalBlocker block(FastTextList);
        FastTextList->clear();
        FastTextList->addItems(folder_.Names());
    }
    CurrentFastText->TakeOverMainLook();
    ChooseNothing();
}

bool THandleFastTexts::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const bool plain = (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
        if (watched == FastTextList && key->key() == Qt::Key_Delete && plain) {
            fasttextPopupPopup();
            if (DeleteItems->isEnabled())
                RunCommand([this] { abortmarkeradesnabbtexter1Click(); });
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void THandleFastTexts::ChooseNothing() {
    {
        const QSignalBlocker block(FastTextList);
        FastTextList->clearSelection();
        FastTextList->setCurrentRow(-1);
    }
    Panel3->SetCaptionText(QStringLiteral("Ingen snabbtext markerad."));
    loading_ = true;
    CurrentFastText->Editor->Clear();
    loading_ = false;
    CurrentFastText->setEnabled(false);
    btnSaveFT->setEnabled(false);
    loaded_.clear();
    modified_ = false;
}

void THandleFastTexts::Choose(const QString& name) {
    Panel3->SetCaptionText(QStringLiteral("Markerad snabbtext:"));
    CurrentFastText->setEnabled(true);
    btnSaveFT->setEnabled(true);
    loaded_ = name;
    modified_ = false;
}

void THandleFastTexts::SelectRowOf(const QString& name) {
    const QSignalBlocker block(FastTextList);
    FastTextList->clearSelection();
    const QList<QListWidgetItem*> found = FastTextList->findItems(name, Qt::MatchExactly);
    if (found.isEmpty()) {
        FastTextList->setCurrentRow(-1);
        return;
    }
    FastTextList->setCurrentItem(found.first());
    found.first()->setSelected(true);
}

bool THandleFastTexts::SettleEdits() {
    if (loaded_.isEmpty() || !modified_)
        return true;
    const int answer = window_.kvQuestionBox(QStringLiteral("Snabbtexten ") + Quoted(loaded_) +
                                                 QStringLiteral(" har ändrats men inte sparats."),
                                             QStringLiteral("Vill du spara ändringarna?"));
    if (answer == Dialogs::mrYes)
        return Save();
    return answer == Dialogs::mrNo;
}

void THandleFastTexts::FastTextListClick() {
    QListWidgetItem* item = FastTextList->currentItem();
    if (!item || item->text() == loaded_)
        return;
    if (!SettleEdits()) {
        SelectRowOf(loaded_);
        return;
    }
    const QString name = item->text();
    TTextEditorEx* editor = CurrentFastText->Editor;
    loading_ = true;
    try {
        editor->Clear();
        editor->LoadFromFile(folder_.PathOf(name));
    } catch (const EKelvoraError&) {
        loading_ = false;
        ChooseNothing();
        window_.kvMessageBox(QStringLiteral("Det gick inte att öppna filen med snabbtexten."));
        return;
    }
    loading_ = false;
    Choose(name);
    editor->setFocus();
    editor->SelectAll();
}

void THandleFastTexts::btnNewFastTextClick() {
    if (!SettleEdits())
        return;
    TInternalFunctionInput prompt(this);
    prompt.SetQuestion(QStringLiteral("Ange namn på snabbtexten:"));
    prompt.SetShowBrowse(false);
    QString name;
    prompt.Run(&name);
    if (name.isEmpty())
        return;
    if (!TSnippetFolder::IsValidName(name)) {
        window_.kvMessageBox(QStringLiteral("Namnet på en snabbtext får inte innehålla \"/\", "
                                            "\"\\\", \"..\" eller styrtecken."));
        return;
    }
    if (folder_.Exists(name)) {
        window_.kvMessageBox(QStringLiteral("Snabbtexten ") + Quoted(name) +
                             QStringLiteral(" finns redan."));
        return;
    }
    if (!folder_.Create(name)) {
        window_.kvMessageBox(QStringLiteral("Det gick inte att skapa en ny snabbtextfil."));
        return;
    }
    {
        const QSignalBlocker block(FastTextList);
        FastTextList->addItem(name);
    }
    SelectRowOf(name);
    Choose(name);
    TTextEditorEx* editor = CurrentFastText->Editor;
    loading_ = true;
    editor->SetText(Cp1252::Encode(QStringLiteral("Skriv innehållet i snabbtexten ") +
                                   Quoted(name) + QStringLiteral(" här.\r\n") +
                                   QStringLiteral("Välj sedan \"Spara snabbtext\" för att "
                                                  "spara snabbtexten.")));
    loading_ = false;
    editor->setFocus();
    editor->SelectAll();
}

bool THandleFastTexts::Save() {
    if (loaded_.isEmpty())
        return false;
    try {
        CurrentFastText->Editor->SaveToFile(folder_.PathOf(loaded_));
    } catch (const EKelvoraError&) {
        window_.kvMessageBox(QStringLiteral("Det gick inte att spara snabbtexten ") +
                             Quoted(loaded_) + QLatin1Char('.'));
        return false;
    }
    modified_ = false;
    return true;
}

void THandleFastTexts::btnSaveFTClick() {
    if (Save())
        ChooseNothing();
}

void THandleFastTexts::abortmarkeradesnabbtexter1Click() {
    const QList<QListWidgetItem*> selected = FastTextList->selectedItems();
    if (selected.isEmpty())
        return;
    const QString information =
        selected.size() == 1
            ? QStringLiteral("Snabbtexten ") + Quoted(selected.first()->text()) +
                  QStringLiteral(" är markerad.")
            : QString::number(selected.size()) + QStringLiteral(" snabbtexter är markerade.");
    const QString question = selected.size() == 1
                                 ? QStringLiteral("Vill du ta bort denna snabbtext?")
                                 : QStringLiteral("Vill du ta bort dessa snabbtexter?");
    if (window_.kvQuestionBox(information, question) == Dialogs::mrYes) {
        QStringList failed;
        for (QListWidgetItem* item : selected) {
            if (folder_.Remove(item->text())) {
                const QSignalBlocker block(FastTextList);
                delete FastTextList->takeItem(FastTextList->row(item));
            } else {
                failed << Quoted(item->text());
            }
        }
        // Edits of a snippet that is still there are settled before the editor empties.
        if (!loaded_.isEmpty() && !folder_.Exists(loaded_))
            modified_ = false;
        if (!failed.isEmpty())
            window_.kvMessageBox(QStringLiteral("Det gick inte att ta bort ") +
                                 (failed.size() == 1 ? QStringLiteral("snabbtexten ")
                                                     : QStringLiteral("snabbtexterna ")) +
                                 failed.join(QStringLiteral(", ")) + QLatin1Char('.'));
    }
    if (!SettleEdits())
        return;
    ChooseNothing();
}

void THandleFastTexts::fasttextPopupPopup() {
    DeleteItems->setEnabled(!FastTextList->selectedItems().isEmpty());
    SelectAllItems->setEnabled(FastTextList->count() > 0);
}

void THandleFastTexts::btnCloseClick() {
    if (!SettleEdits())
        return;
    done(Dialogs::mrCancel);
}

void THandleFastTexts::reject() {
    RunCommand([this] { btnCloseClick(); });
}
