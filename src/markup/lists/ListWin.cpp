#include "markup/lists/ListWin.h"

#include "app/core/StringHelpers.h"
#include "app/mainwindow/MainWin.h"
#include "editor/colouring/HTMLFormattingProcessor.h"
#include "editor/view/Ruler.h"
#include "editor/view/TextEditorEx.h"
#include "markup/common/FieldRows.h"
#include "platform/Cp1252.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

using ListMarkup::TListKind;

TListWin::TListWin(Tmain& window, TListKind kind)
    : TElementDialog(window,
                     kind == TListKind::Bulleted ? QStringLiteral("Punktlista")
                                                 : QStringLiteral("Numrerad lista"),
                     kind == TListKind::Bulleted ? "ul" : "ol", true,
                     kind == TListKind::Bulleted ? QStringLiteral("UL") : QStringLiteral("OL")),
      Kind(kind) {
    setObjectName(kind == TListKind::Bulleted ? QStringLiteral("ul") : QStringLiteral("ol"));
    StylePage = QStringLiteral("pLists");
    auto* content = new QVBoxLayout;
    QGridLayout* format = FieldRows::Group(this, content, QStringLiteral(" Formatering och typ "));
    pTYPE = new QComboBox(this);
    pTYPE->setObjectName(QStringLiteral("pTYPE"));
    pTYPE->setEditable(true);
    pTYPE->setInsertPolicy(QComboBox::NoInsert);
    pTYPE->addItems(ListMarkup::TypeEntries(kind));
    pTYPE->setEditText(ListMarkup::TypeEntries(kind).first());
    auto* typeLabel = new QLabel(kind == TListKind::Bulleted ? QStringLiteral("P&unkttyp:")
                                                             : QStringLiteral("&Numreringstyp:"),
                                 this);
    typeLabel->setBuddy(pTYPE);
    format->addWidget(typeLabel, 0, 0);
    format->addWidget(pTYPE, 0, 1, 1, 2);
    AddFormattingRows(format, 1);

    auto* itemsLabel = new QLabel(QStringLiteral("&Punkter:"), this);
    content->addWidget(itemsLabel);
    auto* row = new QHBoxLayout;
    row->setSpacing(0);
    Items = new TTextEditorEx(this);
    Items->setObjectName(QStringLiteral("Items"));
    auto* ruler = new TRuler(this);
    ruler->SetTextEditorEx(Items);
    Items->SetRuler(ruler);
    auto* colours = new THTMLFormattingProcessor(this);
    colours->SetTextEditorEx(Items);
    Items->SetFormattingProcessor(colours);
    itemsLabel->setBuddy(Items);
    row->addWidget(ruler);
    row->addWidget(Items, 1);
    content->addLayout(row, 1);
    FinishLayout(content);
    FirstField = pTYPE;
    resize(480, 420);

    BeginEditMode();
    if (!Mode.IsEdit())
        return;
    pTYPE->setEditText(ListMarkup::TypeText(kind, Mode.Attribute("type")));
    pCLASS->setEditText(Cp1252::Decode(Mode.Attribute("class")));
    pSTYLE->setText(Cp1252::Decode(Mode.Attribute("style")));
    const ListMarkup::TItems items = ListMarkup::ReadItems(Mode.Content());
    if (!items.Readable) {
        Refuse(ListMarkup::UnreadableMessage());
        return;
    }
    ItemAttributes = items.Attributes;
    Items->SetText(items.Lines.join("\r\n"));
}

void TListWin::showEvent(QShowEvent* event) {
    TElementDialog::showEvent(event);
    // The item editor looks and behaves as the main editor, without automatic indentation.
    const TTextEditorEx& main = *Window.CodeEditor;
    Items->Settings()->Assign(*main.Settings());
    Items->Settings()->AutoIndent = false;
    Items->EditorFont = main.EditorFont;
    Items->FontColor = main.FontColor;
    Items->SetTextXSpace(main.TextXSpace());
    Items->SetTextYSpace(main.TextYSpace());
    Items->UpdateFont();
    if (auto* colours = static_cast<THTMLFormattingProcessor*>(Items->FormattingProcessor())) {
        const THTMLFormattingProcessor& source = *Window.HTMLFormattingProcessor1;
        colours->TagColor = source.TagColor;
        colours->TagNameColor = source.TagNameColor;
        colours->TagNameBold = source.TagNameBold;
        colours->TagValColor = source.TagValColor;
        colours->TagValBold = source.TagValBold;
    }
    if (main.Ruler())
        Items->Ruler()->Assign(*main.Ruler());
    Items->RepaintAll();
}

TGeneratedMarkup TListWin::Generate() const {
    ListMarkup::TListFields f;
    f.Class = Bytes(pCLASS);
    f.Style = Bytes(pSTYLE);
    f.Type = ListMarkup::TypeAttribute(Kind, pTYPE->currentText());
    for (int i = 0; i < Items->Lines.Count(); ++i)
        f.Lines << Items->Lines.Get(i);
    f.ItemAttributes = ItemAttributes;
    return ListMarkup::Generate(Kind, f, GetIndentString(*Window.CodeEditor->Settings()), TagCase(),
                                Carried({"class", "style", "type"}));
}
