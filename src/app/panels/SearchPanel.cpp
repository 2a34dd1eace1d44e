#include "app/panels/SearchPanel.h"

#include "app/commands/CommandRegistry.h"
#include "platform/Cp1252.h"
#include "platform/SilentAbort.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QCursor>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <QValidator>

namespace {

// Text that Windows-1252 cannot hold is refused as it is typed or pasted: the document could
// never contain it.
class TCp1252Validator : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int&) const override {
        bool lossless = true;
        Cp1252::Encode(input, &lossless);
        return lossless ? Acceptable : Invalid;
    }
};

// The text with every letter in Windows-1252 lower case; characters outside the code page
// stay as they are.
QString Fold(const QString& text) {
    QString out = text;
    for (QChar& c : out) {
        char byte;
        if (Cp1252::FromUnicode(c.unicode(), &byte))
            c = Cp1252::ToUnicode(Cp1252::ToLower(static_cast<unsigned char>(byte)));
    }
    return out;
}

QComboBox* TextCombo(QWidget* parent, const QString& objectName, const QString& hint) {
    auto* box = new QComboBox(parent);
    box->setObjectName(objectName);
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    box->setMaxVisibleItems(12);
    box->setStatusTip(hint);
    box->setValidator(new TCp1252Validator(box));
    return box;
}

QPushButton* Button(QWidget* parent, const QString& objectName, const QString& caption) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(objectName);
    button->setAutoDefault(false);
    return button;
}

QCheckBox* Check(QWidget* parent, const QString& objectName, const QString& caption) {
    auto* box = new QCheckBox(caption, parent);
    box->setObjectName(objectName);
    return box;
}

QLabel* Label(QWidget* parent, const QString& caption, QWidget* buddy) {
    auto* label = new QLabel(caption, parent);
    label->setBuddy(buddy);
    return label;
}

} // namespace

TSearchPanel::TSearchPanel(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("searchpn"));
    setWindowTitle(QStringLiteral("Kodsökning"));

    searchtext = TextCombo(this, QStringLiteral("searchtext"), QStringLiteral("|Anger söktexten."));
    ReplaceText =
        TextCombo(this, QStringLiteral("ReplaceText"), QStringLiteral("|Anger ersättningstexten."));
    vers = Check(this, QStringLiteral("vers"), QStringLiteral("Versal&känslighet"));
    whwo = Check(this, QStringLiteral("whwo"), QStringLiteral("Matcha hela &ord"));
    startover = Check(this, QStringLiteral("startover"), QStringLiteral("Bör&ja om"));
    SearchBtn = Button(this, QStringLiteral("SearchBtn"), QStringLiteral("Sök nästa"));
    Replace = Button(this, QStringLiteral("Replace"), QStringLiteral("&Ersätt"));
    Replace->setEnabled(false);
    ReplaceAll = Button(this, QStringLiteral("ReplaceAll"), QStringLiteral("Ersätt a&lla"));
    OccurBtn = Button(this, QStringLiteral("OccurBtn"), QStringLiteral("Förekomster"));
    btnAdvReplace = Button(this, QStringLiteral("btnAdvReplace"),
                           QStringLiteral("Avancerad ersättning i filer"));

    name = new QComboBox(this);
    name->setObjectName(QStringLiteral("name"));
    name->setEditable(true);
    name->setInsertPolicy(QComboBox::NoInsert);
    name->addItems({QStringLiteral("rad"), QStringLiteral("tecken")});
    name->setEditText(QStringLiteral("rad"));
    value = new QLineEdit(QStringLiteral("0"), this);
    value->setObjectName(QStringLiteral("value"));
    value->setMaxLength(7);
    GotoBtn = Button(this, QStringLiteral("GotoBtn"), QStringLiteral("G&å till"));
    GotoFocusBtn = Button(this, QStringLiteral("GotoFocusBtn"), QStringLiteral("Markera"));
    GotoFocusBtn->hide();

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addWidget(Label(this, QStringLiteral("S&ök efter:"), searchtext));
    layout->addWidget(searchtext);
    layout->addWidget(Label(this, QStringLiteral("Ersätt &med:"), ReplaceText));
    layout->addWidget(ReplaceText);
    layout->addWidget(vers);
    layout->addWidget(whwo);
    layout->addWidget(startover);
    auto* row1 = new QHBoxLayout;
    row1->addWidget(SearchBtn);
    row1->addWidget(Replace);
    layout->addLayout(row1);
    auto* row2 = new QHBoxLayout;
    row2->addWidget(ReplaceAll);
    row2->addWidget(OccurBtn);
    layout->addLayout(row2);
    layout->addWidget(btnAdvReplace);
    layout->addSpacing(12);
    auto* go = new QHBoxLayout;
    auto* kind = new QVBoxLayout;
    kind->addWidget(Label(this, QStringLiteral("&Gå till:"), name));
    kind->addWidget(name);
    auto* number = new QVBoxLayout;
    number->addWidget(Label(this, QStringLiteral("&Nummer:"), value));
    number->addWidget(value);
    go->addLayout(kind);
    go->addLayout(number);
    layout->addLayout(go);
    layout->addWidget(GotoBtn);
    layout->addWidget(GotoFocusBtn);
    layout->addStretch(1);

    BuildMenus();

    connect(SearchBtn, &QPushButton::clicked, this, [this] {
        RunSearch("SearchNext", TSearchUse::FindNext, TSearchScope::CurrentDocument);
    });
    connect(Replace, &QPushButton::clicked, this, [this] {
        RunSearch("ReplaceCurrent", TSearchUse::ReplaceCurrent, TSearchScope::CurrentDocument);
    });
    connect(GotoBtn, &QPushButton::clicked, this, [this] {
        if (commands_)
            RunCommand([this] { commands_->Run(QStringLiteral("GotoSpecified"), GotoRequest()); });
    });
    const struct {
        QAction* item;
        const char* command;
        TSearchUse use;
        TSearchScope scope;
    } items[] = {
        {ReplaceInCurrent, "ReplaceAllOccurrences", TSearchUse::ReplaceAll,
         TSearchScope::CurrentDocument},
        {ReplaceInAll, "ReplaceAllOccurrences", TSearchUse::ReplaceAll, TSearchScope::AllDocuments},
        {OccurInCurrent, "ShowOccurrences", TSearchUse::Occurrences, TSearchScope::CurrentDocument},
        {OccurInAll, "ShowOccurrences", TSearchUse::Occurrences, TSearchScope::AllDocuments},
    };
    for (const auto& i : items)
        connect(i.item, &QAction::triggered, this,
                [this, i] { RunSearch(i.command, i.use, i.scope); });
    connect(ReplaceAll, &QPushButton::clicked, this,
            [this] { replacePopup->popup(QCursor::pos()); });
    connect(OccurBtn, &QPushButton::clicked, this, [this] { occurPopup->popup(QCursor::pos()); });
    connect(qApp, &QApplication::focusChanged, this,
            [this](QWidget*, QWidget* now) { FocusChanged(now); });
    for (QComboBox* box : {searchtext, ReplaceText}) {
        QLineEdit* edit = box->lineEdit();
        edit->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(edit, &QWidget::customContextMenuRequested, this,
                [this, box, edit](QPoint p) { OpenPatternMenu(box, edit->mapToGlobal(p)); });
    }
}

void TSearchPanel::BuildMenus() {
    replacePopup = new QMenu(this);
    replacePopup->setObjectName(QStringLiteral("replacePopup"));
    ReplaceInCurrent = replacePopup->addAction(QStringLiteral("Ersätt i aktuellt dokument"));
    ReplaceInAll = replacePopup->addAction(QStringLiteral("Ersätt i alla öppna dokument"));

    occurPopup = new QMenu(this);
    occurPopup->setObjectName(QStringLiteral("occurPopup"));
    OccurInCurrent = occurPopup->addAction(QStringLiteral("Sök i aktuellt dokument..."));
    OccurInAll = occurPopup->addAction(QStringLiteral("Sök i alla öppna dokument..."));

    patterneditPopup = new QMenu(this);
    patterneditPopup->setObjectName(QStringLiteral("patterneditPopup"));
    const auto item = [this](const QString& caption, const char* key, auto command) {
        QAction* a = patterneditPopup->addAction(caption);
        if (key)
            a->setShortcut(QKeySequence(QLatin1String(key)));
        connect(a, &QAction::triggered, this, [this, command] {
            if (QLineEdit* edit = TargetEdit())
                command(edit);
        });
        return a;
    };
    PatternUndo = item(QStringLiteral("&Ångra"), "Ctrl+Z", [](QLineEdit* e) { e->undo(); });
    PatternUndo->setVisible(false);
    PatternCut = item(QStringLiteral("&Klipp ut"), "Ctrl+X", [](QLineEdit* e) { e->cut(); });
    PatternCopy = item(QStringLiteral("K&opiera"), "Ctrl+C", [](QLineEdit* e) { e->copy(); });
    PatternPaste = item(QStringLiteral("K&listra in"), "Ctrl+V", [](QLineEdit* e) { e->paste(); });
    PatternDelete = item(QStringLiteral("&Ta bort"), "Ctrl+Del", [](QLineEdit* e) {
        if (e->hasSelectedText())
            e->del();
    });
    PatternSelectAll =
        item(QStringLiteral("&Markera alla"), "Ctrl+A", [](QLineEdit* e) { e->selectAll(); });
    patterneditPopup->addSeparator();
    QMenu* special = patterneditPopup->addMenu(QStringLiteral("&Special"));
    PatternNewLine = special->addAction(QStringLiteral("Nyradstecken (\\n)"));
    PatternTab = special->addAction(QStringLiteral("Tabb (\\t)"));
    for (auto [action, escape] : {std::pair{PatternNewLine, "\\n"}, std::pair{PatternTab, "\\t"}})
        connect(action, &QAction::triggered, this, [this, escape] {
            if (QLineEdit* edit = TargetEdit())
                edit->insert(QLatin1String(escape));
        });
    connect(patterneditPopup, &QMenu::aboutToShow, this, [this] { PreparePatternMenu(); });
}

QLineEdit* TSearchPanel::TargetEdit() const {
    return SearchComboTarget ? SearchComboTarget->lineEdit() : nullptr;
}

void TSearchPanel::OpenPatternMenu(QComboBox* box, const QPoint& pos) {
    SearchComboTarget = box;
    patterneditPopup->popup(pos);
}

void TSearchPanel::PreparePatternMenu() {
    const QLineEdit* edit = TargetEdit();
    const bool selected = edit && edit->hasSelectedText();
    for (QAction* a : {PatternCut, PatternCopy, PatternDelete})
        a->setEnabled(selected);
    const QMimeData* clip = QGuiApplication::clipboard()->mimeData();
    PatternPaste->setEnabled(edit && clip && clip->hasText());
    PatternSelectAll->setEnabled(edit && !edit->text().isEmpty());
}

void TSearchPanel::FocusChanged(QWidget* now) {
    const auto within = [now](const QWidget* w) {
        return now && (w == now || w->isAncestorOf(now));
    };
    for (QComboBox* box : {searchtext, ReplaceText})
        if (within(box))
            SearchComboTarget = box;
    if (within(searchtext) || within(vers) || within(whwo) || within(startover))
        SetDefaultButton(SearchBtn);
    else if (within(name) || within(value))
        SetDefaultButton(GotoBtn);
    else
        SetDefaultButton(nullptr);
}

void TSearchPanel::SetDefaultButton(QPushButton* button) {
    if (button == defaultButton_)
        return;
    if (defaultButton_)
        defaultButton_->setDefault(false);
    defaultButton_ = button;
    if (defaultButton_)
        defaultButton_->setDefault(true);
}

void TSearchPanel::keyPressEvent(QKeyEvent* event) {
    // The controls pass Enter on; the default button takes it.
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && defaultButton_ &&
        defaultButton_->isEnabled()) {
        event->accept();
        defaultButton_->click();
        return;
    }
    QWidget::keyPressEvent(event);
}

// --- histories ------------------------------------------------------------

void TSearchPanel::AddToHistory(QComboBox* box) {
    const QString text = box->currentText();
    if (text.isEmpty())
        return;
    const QString folded = Fold(text);
    for (int i = 0; i < box->count(); ++i)
        if (Fold(box->itemText(i)) == folded)
            return;
    const QSignalBlocker block(box);
    while (box->count() >= MaxHistory)
        box->removeItem(box->count() - 1);
    box->insertItem(0, text);
    // Changing the list may have changed the current item and with it the text.
    if (box->currentText() != text)
        box->setEditText(text);
}

QStringList TSearchPanel::History(const QComboBox* box) {
    QStringList items;
    items.reserve(box->count());
    for (int i = 0; i < box->count(); ++i)
        items << box->itemText(i);
    return items;
}

void TSearchPanel::SetHistory(QComboBox* box, const QStringList& items) {
    const QString text = box->currentText();
    const QSignalBlocker block(box);
    box->clear();
    box->addItems(items.mid(0, MaxHistory));
    box->setEditText(text);
}

// --- the requests ------------------------------------------------------------------------------

TSearchRequest TSearchPanel::TakeSearchRequest(TSearchUse use) {
    if (use != TSearchUse::ReplaceCurrent)
        AddToHistory(searchtext);
    if (use == TSearchUse::ReplaceCurrent || use == TSearchUse::ReplaceAll)
        AddToHistory(ReplaceText);
    TSearchRequest request;
    request.Text = searchtext->currentText();
    request.Replacement = ReplaceText->currentText();
    request.MatchCase = vers->isChecked();
    request.WholeWords = whwo->isChecked();
    request.FromStart = startover->isChecked();
    // "Börja om" serves one find, found or not; the listings only read it.
    if (use == TSearchUse::FindNext)
        startover->setChecked(false);
    return request;
}

TGotoRequest TSearchPanel::GotoRequest() const {
    return {name->currentText(), value->text()};
}

bool TSearchPanel::HasSearchText() const {
    return !searchtext->currentText().isEmpty();
}

void TSearchPanel::FocusBox(TSearchBox box) {
    QWidget* control = box == TSearchBox::Find      ? static_cast<QWidget*>(searchtext)
                       : box == TSearchBox::Replace ? static_cast<QWidget*>(ReplaceText)
                                                    : static_cast<QWidget*>(value);
    if (!control->isEnabled() || !control->isVisibleTo(window()))
        return;
    control->setFocus(Qt::OtherFocusReason);
    if (auto* combo = qobject_cast<QComboBox*>(control))
        combo->lineEdit()->selectAll();
    else if (auto* edit = qobject_cast<QLineEdit*>(control))
        edit->selectAll();
}

void TSearchPanel::SetSearch(const QString& text, bool matchCase, bool wholeWords) {
    vers->setChecked(matchCase);
    whwo->setChecked(wholeWords);
    searchtext->setEditText(text);
}

void TSearchPanel::UpdateButtons(bool editorHasSelection) {
    Replace->setEnabled(!ReplaceText->currentText().isEmpty() && editorHasSelection);
    ReplaceAll->setEnabled(!searchtext->currentText().isEmpty());
}

void TSearchPanel::RunSearch(const char* command, TSearchUse use, TSearchScope scope) {
    if (!commands_)
        return;
    RunCommand([&] {
        TSearchRequest request = TakeSearchRequest(use);
        request.Scope = scope;
        commands_->Run(QLatin1String(command), request);
    });
}
