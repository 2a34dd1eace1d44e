#include "markup/elements/ElementMarkup.h"

#include "editor/model/TagUnderConstruction.h"

#include <initializer_list>
#include <utility>

namespace ElementMarkup {

namespace {

using TAttribute = std::pair<const char*, const QByteArray*>;

QByteArray Build(const QByteArray& name, bool paired, const QByteArray& content,
                 std::initializer_list<TAttribute> attributes, const QByteArrayList& bare,
                 int tagCase, const QByteArray& carried) {
    TTagUnderConstruction tag;
    tag.Begin(name, paired, content);
    for (const TAttribute& a : attributes)
        if (!a.second->isEmpty())
            tag.AddAttribute(a.first, *a.second);
    for (const QByteArray& b : bare)
        tag.AddBareAttribute(b);
    return TElementEditMode::WithAttributes(tag.Render(CaseMode(tagCase)), carried);
}

TGeneratedMarkup AfterIt(QByteArray text) {
    const int caret = static_cast<int>(text.size());
    return {std::move(text), caret};
}

} // namespace

quint8 CaseMode(int tagCase) {
    return tagCase == TagCase::Upper || tagCase == TagCase::Lower ? static_cast<quint8>(tagCase)
                                                                  : 0;
}

TGeneratedMarkup Link(const TLinkFields& f, int tagCase, const QByteArray& carried) {
    QByteArray text = Build("a", true, f.Content,
                            {{"href", &f.Href},
                             {"target", &f.Target},
                             {"title", &f.Title},
                             {"class", &f.Class},
                             {"style", &f.Style}},
                            {}, tagCase, carried);
    const int caret = static_cast<int>(text.size()) - 4; // in front of "</a>"
    return {std::move(text), caret};
}

TGeneratedMarkup Image(const TImageFields& f, int tagCase, const QByteArray& carried) {
    return AfterIt(Build("img", false, {},
                         {{"src", &f.Src},
                          {"alt", &f.Alt},
                          {"class", &f.Class},
                          {"style", &f.Style},
                          {"align", &f.Align},
                          {"width", &f.Width},
                          {"height", &f.Height},
                          {"hspace", &f.HSpace},
                          {"vspace", &f.VSpace},
                          {"border", &f.Border}},
                         {}, tagCase, carried));
}

TGeneratedMarkup Rule(const TRuleFields& f, int tagCase, const QByteArray& carried) {
    const QByteArray noColor;
    return AfterIt(Build("hr", false, {},
                         {{"class", &f.Class},
                          {"style", &f.Style},
                          {"width", &f.Width},
                          {"size", &f.Size},
                          {"color", f.UseColor ? &f.Color : &noColor}},
                         f.NoShade ? QByteArrayList{"noshade"} : QByteArrayList{}, tagCase,
                         carried));
}

TGeneratedMarkup Phrase(const QByteArray& element, const QByteArray& content,
                        const QByteArray& title, int tagCase, const QByteArray& carried) {
    return AfterIt(Build(element, true, content, {{"title", &title}}, {}, tagCase, carried));
}

QString DerivedAcronym(const QString& title) {
    QString out;
    for (qsizetype i = 0; i < title.size(); ++i)
        if (i == 0 || title[i - 1] == QLatin1Char(' '))
            out += title[i];
    return out;
}

} // namespace ElementMarkup
