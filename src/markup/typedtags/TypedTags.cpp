#include "markup/typedtags/TypedTags.h"

#include "editor/colouring/WordChars.h"
#include "editor/model/EditorModel.h"
#include "editor/text/TextFormReader.h"
#include "platform/Cp1252.h"

#include <algorithm>

namespace TypedTags {

namespace {

struct TEntry {
    const char* text;
    const char* command;
};

// The typed openings, in the order they are checked.
constexpr TEntry kOpenings[] = {
    {"<A ", "IInsertLink"},
    {"<IMG ", "IInsertImage"},
    {"<HR ", "IInsertLine"},
    {"<OL ", "IInsertOL"},
    {"<UL ", "IInsertUL"},
    {"<ACRONYM ", "IInsertAcronym"},
    {"<ABBR ", "IInsertAbbreviation"},
    {"<CITE ", "IInsertCite"},
    {"<TABLE ", "IInsertTable"},
    {"<DFN ", "IInsertDefinition"},
    {"<SCRIPT ", "IInsertJavaScript"},
};

constexpr TEntry kModify[] = {
    {"A", "IInsertLink"},
    {"IMG", "IInsertImage"},
    {"ABBR", "IInsertAbbreviation"},
    {"ACRONYM", "IInsertAcronym"},
    {"CITE", "IInsertCite"},
    {"DFN", "IInsertDefinition"},
    {"HR", "IInsertLine"},
    {"OL", "IInsertOL"},
    {"UL", "IInsertUL"},
    {"SCRIPT", "IInsertJavaScript"},
    {"TITLE", "IInsertHTMLTitle"},
    {"!DOCTYPE", "IInsertDoctype"},
    {"TABLE", "IInsertTable"},
};

// How many characters before the '>' may hold the '<'.
constexpr int kCloseWindow = 9;

} // namespace

QByteArray Before(const TEditorModel& editor, int count) {
    const qint64 p = editor.GetSelStart();
    return TTextFormReader::Slice(editor.Lines, std::max<qint64>(p - count, 0), p);
}

TOpening OpeningAt(const QByteArray& before) {
    const QByteArray upper = Cp1252::UpperCase(before);
    for (const TEntry& e : kOpenings)
        if (upper.endsWith(e.text))
            return {QLatin1String(e.command), static_cast<int>(qstrlen(e.text))};
    return {};
}

bool IsFontOpening(const QByteArray& before) {
    return Cp1252::UpperCase(before.right(6)) == "<FONT ";
}

QByteArray NameToClose(const QByteArray& before, const QStringList& autoClose) {
    if (!before.endsWith('>'))
        return QByteArray();
    const qsizetype gt = before.size() - 1;
    qsizetype lt = -1;
    for (qsizetype i = gt - 1; i >= 0 && i >= gt - kCloseWindow; --i)
        if (before[i] == '<') {
            lt = i;
            break;
        }
    if (lt < 0)
        return QByteArray();
    const QByteArray name = before.mid(lt + 1, gt - lt - 1);
    if (name.isEmpty() ||
        !std::all_of(name.begin(), name.end(), [](char c) { return WordChars::IsWordChar(c); }))
        return QByteArray();
    return autoClose.contains(Cp1252::Decode(name), Qt::CaseInsensitive) ? name : QByteArray();
}

QString ModifyCommand(const QByteArray& upperName) {
    for (const TEntry& e : kModify)
        if (upperName == e.text)
            return QLatin1String(e.command);
    return QString();
}

} // namespace TypedTags
