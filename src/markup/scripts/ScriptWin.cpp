#include "markup/scripts/ScriptWin.h"

#include "app/core/StringHelpers.h"
#include "app/dialogs/InternalFunctionInputWin.h"
#include "app/mainwindow/MainWin.h"
#include "editor/model/TagUnderConstruction.h"
#include "editor/view/TextEditorEx.h"
#include "markup/DialogEditor.h"
#include "markup/tagref/TagRefWin.h"
#include "platform/Cp1252.h"
#include "platform/Dialogs.h"
#include "platform/SilentAbort.h"

#include <QAction>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QMenu>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

quint8 CaseMode(int tagCase) {
    return tagCase == TagCase::Upper || tagCase == TagCase::Lower ? static_cast<quint8>(tagCase)
                                                                  : 0;
}

QComboBox* EditableCombo(QWidget* parent, const QStringList& items, const QString& text) {
    auto* combo = new QComboBox(parent);
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->addItems(items);
    combo->setEditText(text);
    return combo;
}

} // namespace

Tscript::Tscript(Tmain& window, QWidget* parent) : QDialog(parent), window_(window) {
    setWindowTitle(QStringLiteral("Skript"));
    resize(680, 520);
    auto* layout = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    auto* form = new QFormLayout;
    pLANG = EditableCombo(this,
                          {"JavaScript", "JavaScript 1.1", "JavaScript 1.2", "JavaScript 1.3",
                           "JScript", "VBScript", "LiveScript", "PHP"},
                          QStringLiteral("JavaScript"));
    pLANG->setObjectName(QStringLiteral("pLANG"));
    pTYPE = EditableCombo(
        this, {"text/javascript", "text/jscript", "text/vbscript", "text/livescript", "text/php"},
        QStringLiteral("text/javascript"));
    pTYPE->setObjectName(QStringLiteral("pTYPE"));
    form->addRow(QStringLiteral("&Skriptspråk:"), pLANG);
    form->addRow(QStringLiteral("&Innehållstyp:"), pTYPE);
    top->addLayout(form, 1);
    btnInsertStateMenuOpener = new QPushButton(QStringLiteral("I&nfoga sats"), this);
    btnInsertStateMenuOpener->setAutoDefault(false);
    top->addWidget(btnInsertStateMenuOpener, 0, Qt::AlignBottom);
    layout->addLayout(top);
    scriptEditor = new TDialogEditor(window_, TDialogEditor::TColouring::JavaScript, this);
    layout->addWidget(scriptEditor, 1);

    btnRef = TagReferenceButton(window_, QStringLiteral("SCRIPT"), this);
    btnRef->setAutoDefault(false);
    QHBoxLayout* buttons =
        Dialogs::OkCancelRow(this, QStringLiteral("&Generera"), &btnGenerate, &btnCancel);
    buttons->insertWidget(0, btnRef);
    layout->addLayout(buttons);

    // The statements and the indenting, with their keys anywhere in the dialog.
    const auto item = [this](const QString& caption, const char* key, void (Tscript::*handler)()) {
        auto* action = new QAction(caption, this);
        action->setShortcut(QKeySequence(QLatin1String(key)));
        action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        addAction(action);
        connect(action, &QAction::triggered, this,
                [this, handler] { RunCommand([this, handler] { (this->*handler)(); }); });
        return action;
    };
    FunctionItem = item(QStringLiteral("Funktion"), "Ctrl+F", &Tscript::scriptInsertFunction);
    ConditionItem = item(QStringLiteral("Villkor"), "Ctrl+I", &Tscript::scriptInsertConditional);
    ForItem = item(QStringLiteral("Stegningsrepetition (FOR)"), "Ctrl+R",
                   &Tscript::scriptInsertRepetition);
    WhileItem = item(QStringLiteral("Villkorsrepetition (WHILE)"), "Ctrl+W",
                     &Tscript::scriptInsertRepetitionW);
    IndentItem = item(QStringLiteral("Indentera markering"), "Ctrl+Alt+Space",
                      &Tscript::FormatIndentSelection);
    UnindentItem = item(QStringLiteral("Avindentera markering"), "Ctrl+Alt+Backspace",
                        &Tscript::FormatUnindentSelection);
    pSTATE = new QMenu(this);
    pSTATE->addActions({FunctionItem, ConditionItem, ForItem, WhileItem});
    QMenu* popup = scriptEditor->Popup;
    popup->addSeparator();
    InsertMenu = popup->addMenu(QStringLiteral("Infoga"));
    InsertMenu->addActions({FunctionItem, ConditionItem, ForItem, WhileItem});
    FormatMenu = popup->addMenu(QStringLiteral("Format"));
    FormatMenu->addActions({IndentItem, UnindentItem});
    connect(popup, &QMenu::aboutToShow, this, [this] { sePopupPopup(); });
    connect(btnInsertStateMenuOpener, &QPushButton::clicked, this,
            [this] { RunCommand([this] { btnInsertStateMenuOpenerClick(); }); });
    connect(pLANG, &QComboBox::currentTextChanged, this, [this] { UpdateStatementItems(); });

    // The element at the caret: its own to edit, another to refuse, none for a new script.
    editMode_ = TElementEditMode::Begin(window_, "SCRIPT", true, btnGenerate);
    if (editMode_.IsEdit()) {
        original_ = window_.CodeEditor->GetSelText();
        readLanguage_ = Cp1252::Decode(editMode_.Attribute("language"));
        readType_ = Cp1252::Decode(editMode_.Attribute("type"));
        pLANG->setEditText(readLanguage_);
        pTYPE->setEditText(readType_);
        readBody_ = ScriptText::ReadBody(editMode_.Content());
        scriptEditor->Editor->SetText(readBody_.Lines);
    }
    UpdateStatementItems();
}

void Tscript::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // Typing goes into the script.
    scriptEditor->Editor->setFocus();
}

bool Tscript::StatementsAvailable() const {
    const QString language = pLANG->currentText().toLower();
    return language.startsWith(QLatin1String("javascript")) ||
           language.startsWith(QLatin1String("jscript"));
}

void Tscript::UpdateStatementItems() {
    const bool on = StatementsAvailable();
    for (QAction* a : {FunctionItem, ConditionItem, ForItem, WhileItem})
        a->setEnabled(on);
    InsertMenu->setEnabled(on);
}

void Tscript::sePopupPopup() {
    scriptEditor->UpdatePopup();
    UpdateStatementItems();
}

void Tscript::btnInsertStateMenuOpenerClick() {
    if (!StatementsAvailable())
        window_.kvMessageBox(
            QStringLiteral("Kelvora har endast stöd för satser i JavaScript/JScript."));
    pSTATE->popup(
        btnInsertStateMenuOpener->mapToGlobal(QPoint(0, btnInsertStateMenuOpener->height())));
}

bool Tscript::Ask(std::initializer_list<const char*> questions, QList<QByteArray>* answers) {
    for (const char* question : questions) {
        TInternalFunctionInput prompt(this);
        prompt.SetQuestion(QString::fromUtf8(question));
        prompt.SetShowBrowse(false);
        QString answer;
        if (!prompt.Run(&answer))
            return false;
        *answers << Cp1252::Encode(answer);
    }
    return true;
}

void Tscript::WriteTemplate(const QByteArray& text) {
    TTextEditorEx* editor = scriptEditor->Editor;
    editor->SetSelText(text);
    editor->SetSelStart(editor->GetSelStart() - ScriptText::TemplateCaretBack);
    editor->setFocus();
}

void Tscript::scriptInsertFunction() {
    QList<QByteArray> a;
    if (StatementsAvailable() && Ask({"Namn:", "Parameterlista:"}, &a))
        WriteTemplate(ScriptText::FunctionTemplate(a[0], a[1]));
}

void Tscript::scriptInsertConditional() {
    QList<QByteArray> a;
    if (StatementsAvailable() && Ask({"Villkorsuttryck:"}, &a))
        WriteTemplate(ScriptText::ConditionalTemplate(a[0]));
}

void Tscript::scriptInsertRepetition() {
    QList<QByteArray> a;
    if (StatementsAvailable() &&
        Ask({"Startuttryck:", "Villkorsuttryck:", "Stegningsuttryck:"}, &a))
        WriteTemplate(ScriptText::RepetitionTemplate(a[0], a[1], a[2]));
}

void Tscript::scriptInsertRepetitionW() {
    QList<QByteArray> a;
    if (StatementsAvailable() && Ask({"Villkorsuttryck:"}, &a))
        WriteTemplate(ScriptText::WhileTemplate(a[0]));
}

void Tscript::FormatIndentSelection() {
    TTextEditorEx* editor = scriptEditor->Editor;
    const QByteArray text =
        ScriptText::Indent(editor->GetSelText(), GetIndentString(*window_.CodeEditor->Settings()));
    editor->SetSelText(text);
    editor->SetSelLength(-static_cast<int>(text.size()));
}

void Tscript::FormatUnindentSelection() {
    TTextEditorEx* editor = scriptEditor->Editor;
    const QByteArray text = ScriptText::Unindent(editor->GetSelText(),
                                                 GetIndentString(*window_.CodeEditor->Settings()));
    editor->SetSelText(text);
    editor->SetSelLength(-static_cast<int>(text.size()));
}

QByteArray Tscript::Generate() const {
    const QByteArray lines = scriptEditor->Editor->Text();
    const QString language = pLANG->currentText(), type = pTYPE->currentText();
    if (editMode_.IsEdit() && lines == readBody_.Lines && language == readLanguage_ &&
        type == readType_)
        return original_;
    QByteArray content;
    if (editMode_.IsEdit()) {
        ScriptText::TBody body = readBody_;
        body.Lines = lines;
        content = ScriptText::WriteBody(body);
    } else {
        content = ScriptText::NewBody(lines);
    }
    TTagUnderConstruction tag;
    tag.Begin("script", true, content);
    if (!language.isEmpty())
        tag.AddAttribute("language", Cp1252::Encode(language));
    if (!type.isEmpty())
        tag.AddAttribute("type", Cp1252::Encode(type));
    return TElementEditMode::WithAttributes(tag.Render(CaseMode(window_.TagCase)),
                                            editMode_.Carried({"language", "type"}));
}
