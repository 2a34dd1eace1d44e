#include "markup/elements/PhraseWin.h"

#include "markup/common/FieldRows.h"
#include "markup/elements/ElementMarkup.h"
#include "platform/Cp1252.h"

#include <QGridLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

struct TPhraseSpec {
    const char* caption;
    const char* element;
    const char* reference;
    const char* label;
    const char* field;
    bool title;
};

const TPhraseSpec& SpecOf(TPhraseWin::TKind kind) {
    static const TPhraseSpec specs[] = {
        {"Akronym", "acronym", "ACRONYM", "&Akronym:", "pAcronym", true},
        {"Abbreviation", "abbr", "ABBR", "&Abbreviation:", "pAbbr", true},
        {"Citat", "cite", "CITE", "&Citat:", "pCite", false},
        {"Första definition", "dfn", "DFN", "&Uttryck/ord:", "pWord", false},
    };
    return specs[static_cast<int>(kind)];
}

} // namespace

TPhraseWin::TPhraseWin(Tmain& window, TKind kind)
    : TElementDialog(window, QString::fromUtf8(SpecOf(kind).caption), SpecOf(kind).element, true,
                     QLatin1String(SpecOf(kind).reference)),
      Kind(kind) {
    const TPhraseSpec& spec = SpecOf(kind);
    setObjectName(QLatin1String(spec.element));
    auto* content = new QVBoxLayout;
    QGridLayout* info = FieldRows::Group(this, content, QStringLiteral(" Information "));
    Text =
        FieldRows::Field(this, info, 0, QString::fromUtf8(spec.label), QLatin1String(spec.field));
    if (spec.title)
        pTitle =
            FieldRows::Field(this, info, 1, QStringLiteral("&Utskrift:"), QStringLiteral("pTitle"));
    FinishLayout(content);
    FirstField = Text;
    resize(380, sizeHint().height());
    btnok->setEnabled(false);
    connect(Text, &QLineEdit::textChanged, this, [this] { UpdateOkBtn(); });
    if (pTitle)
        connect(pTitle, &QLineEdit::textChanged, this, [this] { TitleChanged(); });

    BeginEditMode();
    if (Mode.IsEdit()) {
        if (pTitle)
            pTitle->setText(Cp1252::Decode(Mode.Attribute("title")));
        readContent_ = Mode.Content();
        shownContent_ = Cp1252::Decode(readContent_);
        Text->setText(shownContent_);
        shownContent_ = Text->text();
    }
}

void TPhraseWin::UpdateOkBtn() {
    btnok->setEnabled(!Text->text().isEmpty() && (!pTitle || !pTitle->text().isEmpty()));
}

void TPhraseWin::TitleChanged() {
    if (Kind == TKind::Acronym && !pTitle->text().isEmpty())
        Text->setText(ElementMarkup::DerivedAcronym(pTitle->text()));
    UpdateOkBtn();
}

TGeneratedMarkup TPhraseWin::Generate() const {
    const QByteArray content =
        Mode.IsEdit() && Text->text() == shownContent_ ? readContent_ : Bytes(Text);
    return ElementMarkup::Phrase(Element, content, pTitle ? Bytes(pTitle) : QByteArray(), TagCase(),
                                 Carried(pTitle ? QByteArrayList{"title"} : QByteArrayList{}));
}
