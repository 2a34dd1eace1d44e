#include "subroutines/SubroutineLines.h"

#include "editor/model/EditorModel.h"
#include "editor/text/TextSearcher.h"
#include "platform/Cp1252.h"

#include <QByteArrayMatcher>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <numbers>

namespace {

QString Msg(const char* utf8) {
    return QString::fromUtf8(utf8);
}

bool IsBlankOrTab(char c) {
    return c == ' ' || c == '\t';
}

QByteArray TrimLeftBlanksTabs(const QByteArray& s) {
    qsizetype i = 0;
    while (i < s.size() && IsBlankOrTab(s.at(i)))
        ++i;
    return s.mid(i);
}

QByteArray TrimRightBlanksTabs(const QByteArray& s) {
    qsizetype n = s.size();
    while (n > 0 && IsBlankOrTab(s.at(n - 1)))
        --n;
    return s.left(n);
}

QByteArray Bool(bool b) {
    return b ? QByteArrayLiteral("True") : QByteArrayLiteral("False");
}

QByteArray Number(qint64 n) {
    return QByteArray::number(n);
}

QByteArray TwoDigits(int n) {
    return QByteArray::number(n).rightJustified(2, '0');
}

// `count` characters of the text form from `from` (every line followed by CR LF).
QByteArray TextSlice(const LineStore& lines, qint64 from, qint64 count) {
    QByteArray out;
    if (count <= 0)
        return out;
    out.reserve(count);
    int line = lines.LineAtOffset(from);
    qint64 at = from - (line >= 0 ? lines.LineStart(line) : 0);
    while (line >= 0 && line < lines.Count() && out.size() < count) {
        const QByteArray form = lines.Get(line) + QByteArrayLiteral("\r\n");
        out.append(form.mid(at, count - out.size()));
        at = 0;
        ++line;
    }
    return out;
}

// The built-in placeholders in the order they are replaced.
enum Placeholder {
    phCharacterIndex,
    phLineIndex,
    phCharacterCount,
    phLineCount,
    phFileName,
    phExistingFile,
    phFileModified,
    phSelectedText,
    phSelectionLength,
    phPi,
    phC,
    phHTMLTitle,
};

const char* const PlaceholderNames[] = {
    "[CharacterIndex]",
    "[LineIndex]",
    "[CharacterCount]",
    "[LineCount]",
    "[FileName]",
    "[ExistingFile]",
    "[FileModified]",
    "[SelectedText]",
    "[SelectionLength]",
    "[Pi]",
    "[C]",
    "[HTMLTitle]",
};

// The functions in the order they are tried.
enum Function {
    fnToLowerCase,
    fnToUpperCase,
    fnInput,
    fnChr,
    fnOccurrences3,
    fnOccurrences1,
    fnOccurrences2,
    fnOccurrences,
    fnIsPositive,
    fnIsZero,
    fnIsNegative,
    fnIsEmpty,
    fnTrimLeft,
    fnTrimRight,
    fnDate,
    fnCalc,
    fnFCC,
    fnCount
};

const char* const FunctionNames[fnCount] = {
    "{ToLowerCase",  "{ToUpperCase", "{Input",      "{Chr",    "{Occurrences3", "{Occurrences1",
    "{Occurrences2", "{Occurrences", "{IsPositive", "{IsZero", "{IsNegative",   "{IsEmpty",
    "{TrimLeft",     "{TrimRight",   "{Date",       "{Calc",   "{FCC",
};

// How many times the line's bound the variables of one line may build in all.
constexpr qsizetype kBuiltPerLimit = 16;

} // namespace

TSubroutineLineProcessor::TSubroutineLineProcessor(TSubroutineContext& context,
                                                   TSubroutineRunState& run)
    : context_(context), run_(run) {}

void TSubroutineLineProcessor::SetLimits(int maxExpansions, qsizetype maxLineLength) {
    maxExpansions_ = maxExpansions;
    maxLineLength_ = maxLineLength;
}

void TSubroutineLineProcessor::Fail(const QString& message, int lineIndex) {
    throw ESubroutineError(message, lineIndex);
}

bool TSubroutineLineProcessor::Process(const QByteArray& line, int lineIndex,
                                       QByteArray* statement) {
    if (line.startsWith("//"))
        return false;
    QByteArray s = line;
    ExpandPlaceholders(s, lineIndex);
    ExpandVariables(s, lineIndex);
    ExpandFunctions(s, lineIndex);
    s = TrimLeftBlanksTabs(s);
    if (s.startsWith("//") || s.size() < 2 || s.startsWith("repeat"))
        return false;
    *statement = s;
    return true;
}

qsizetype TSubroutineLineProcessor::LengthLimit(qsizetype start, qsizetype value) const {
    return std::max(maxLineLength_, 2 * (start + value));
}

void TSubroutineLineProcessor::ReplaceAll(QByteArray& line, qsizetype from,
                                          const QByteArray& pattern, const QByteArray& value,
                                          int lineIndex, qsizetype limit) const {
    const QByteArrayMatcher matcher(pattern);
    qsizetype hit = matcher.indexIn(line, from);
    if (hit < 0)
        return;
    // Count first so that a line that would grow past the bound fails before it is built.
    qsizetype hits = 0;
    for (qsizetype h = hit; h >= 0; h = matcher.indexIn(line, h + pattern.size()))
        ++hits;
    const qsizetype grow = value.size() - pattern.size();
    if (grow > 0 && hits > (limit - line.size()) / grow)
        Fail(Msg("Raden blir för lång."), lineIndex);
    QByteArray out;
    out.reserve(line.size() + hits * grow);
    qsizetype done = 0;
    for (qsizetype h = hit; h >= 0; h = matcher.indexIn(line, done)) {
        out.append(line.constData() + done, h - done);
        out.append(value);
        done = h + pattern.size();
    }
    out.append(line.constData() + done, line.size() - done);
    line = std::move(out);
}

void TSubroutineLineProcessor::ExpandPlaceholders(QByteArray& line, int lineIndex) const {
    TEditorModel& editor = context_.Editor();
    const qsizetype start = line.size();
    for (int p = phCharacterIndex; p <= phHTMLTitle; ++p) {
        const QByteArray name(PlaceholderNames[p]);
        // A value is computed only when the line holds its placeholder.
        if (!line.contains(name))
            continue;
        QByteArray value;
        switch (p) {
        case phCharacterIndex:
            value = Number(qint64(editor.GetSelStart()) + 1);
            break;
        case phLineIndex:
            value = Number(qint64(editor.GetCaretPos().y()) + 1);
            break;
        case phCharacterCount:
            value = Number(editor.Lines.TextLength());
            break;
        case phLineCount:
            value = Number(editor.Lines.Count());
            break;
        case phFileName:
            value = Cp1252::Encode(context_.CurrentDocument().FileName);
            break;
        case phExistingFile:
            value = Bool(context_.CurrentDocument().HasFile);
            break;
        case phFileModified:
            value = Bool(context_.CurrentDocument().Modified);
            break;
        case phSelectedText:
            value = editor.GetSelText();
            break;
        case phSelectionLength:
            value = Number(editor.GetSelLength());
            break;
        case phPi:
            value = FormatNumber(std::numbers::pi, context_.DecimalSeparator());
            break;
        case phC:
            value = Number(run_.PassCounter);
            break;
        case phHTMLTitle:
            value = HTMLTitle();
            break;
        }
        ReplaceAll(line, 0, name, value, lineIndex, LengthLimit(start, value.size()));
    }
}

QByteArray TSubroutineLineProcessor::HTMLTitle() const {
    const TEditorModel& editor = context_.Editor();
    const quint8 flags = SearchFlags::MatchCase | SearchFlags::FromStart;
    const int start = editor.FindFrom(QByteArrayLiteral("<TITLE>"), 0, flags);
    if (start < 0)
        return QByteArray();
    const int end = editor.FindFrom(QByteArrayLiteral("</TITLE>"), 0, flags);
    if (end < 0)
        return QByteArray();
    return TextSlice(editor.Lines, qint64(start) + 7, qint64(end) - start - 7);
}

void TSubroutineLineProcessor::ExpandVariables(QByteArray& line, int lineIndex) const {
    // Text before the first "[" is final: each round looks on from where the last one stood.
    // The line may grow to the bound of what it started as and the longest value it took in;
    // the bytes built on the way are bounded too, so that a value that refers to itself ends
    // soon however slowly it grows.
    const qsizetype start = line.size();
    qsizetype limit = LengthLimit(start, 0);
    qsizetype built = 0;
    qsizetype from = 0;
    int expansions = 0;
    for (;;) {
        const qsizetype p1 = line.indexOf('[', from);
        if (p1 < 0)
            return;
        const qsizetype p2 = line.indexOf(']', from);
        const QByteArray name = p2 > p1 ? line.mid(p1 + 1, p2 - p1 - 1) : QByteArray();
        const auto variableError = [&](const char* tail) {
            Fail(QStringLiteral("Variabeln \"") + Cp1252::Decode(name) + Msg(tail), lineIndex);
        };
        if (run_.Variables.IsEmpty())
            variableError("\" finns inte.");
        if (p2 < p1)
            Fail(Msg("Oavslutad platshållare för variabel."), lineIndex);
        QByteArray value;
        if (!run_.Variables.Find(name, &value))
            variableError("\" finns inte.");
        limit = std::max(limit, LengthLimit(start, value.size()));
        if (++expansions > maxExpansions_ || built > kBuiltPerLimit * limit)
            variableError("\" hänvisar till sig själv.");
        ReplaceAll(line, p1, '[' + name + ']', value, lineIndex, limit);
        built += line.size();
        from = p1;
    }
}

void TSubroutineLineProcessor::ExpandFunctions(QByteArray& line, int lineIndex) const {
    const qsizetype start = line.size();
    for (int fn = 0; fn < fnCount; ++fn) {
        const qsizetype f = line.indexOf(FunctionNames[fn]);
        if (f < 0)
            continue;
        const qsizetype a = line.indexOf('(', f);
        if (a < 0)
            Fail(Msg("Argument för funktion saknas."), lineIndex);
        const qsizetype b = line.indexOf(')', a + 1);
        if (b < 0)
            Fail(Msg("Oavslutad platshållare för argument."), lineIndex);
        const qsizetype c = line.indexOf('}', b + 1);
        if (c < 0)
            Fail(Msg("Oavslutad platshållare för funktion."), lineIndex);
        const QByteArray argument = line.mid(a + 1, b - a - 1);
        const QByteArray placeholder = line.mid(f, c - f + 1);
        const QByteArray value = CallFunction(fn, argument, lineIndex);
        ReplaceAll(line, f, placeholder, value, lineIndex, LengthLimit(start, value.size()));
    }
}

QByteArray TSubroutineLineProcessor::CallFunction(int function, const QByteArray& argument,
                                                  int lineIndex) const {
    const auto integer = [&](const char* message) {
        int n = 0;
        if (!ReadInteger(argument, &n))
            Fail(Msg(message), lineIndex);
        return n;
    };
    const auto occurrences = [&](quint8 flags) {
        if (argument.isEmpty())
            return Number(0);
        return Number(context_.Editor().GetOccurrences(argument, flags));
    };
    switch (function) {
    case fnToLowerCase:
        return Cp1252::LowerCase(argument);
    case fnToUpperCase:
        return Cp1252::UpperCase(argument);
    case fnInput:
        return Cp1252::Encode(context_.Input(Cp1252::Decode(argument)));
    case fnChr:
        return QByteArray(1, static_cast<char>(integer("Ogiltigt byte (0..255).") & 0xFF));
    case fnOccurrences3:
        return occurrences(SearchFlags::MatchCase | SearchFlags::WholeWord);
    case fnOccurrences1:
        return occurrences(SearchFlags::MatchCase);
    case fnOccurrences2:
        return occurrences(SearchFlags::WholeWord);
    case fnOccurrences:
        return occurrences(0);
    case fnIsPositive:
        return Bool(integer("Ogiltigt heltalsvärde.") > 0);
    case fnIsZero:
        return Bool(integer("Ogiltigt heltalsvärde.") == 0);
    case fnIsNegative:
        return Bool(integer("Ogiltigt heltalsvärde.") < 0);
    case fnIsEmpty:
        return Bool(argument.isEmpty());
    case fnTrimLeft:
        return TrimLeftBlanksTabs(argument);
    case fnTrimRight:
        return TrimRightBlanksTabs(argument);
    case fnDate: {
        const int format = integer("Ogiltigt heltalsvärde.");
        if (format < 1 || format > 9)
            Fail(Msg("Ogiltig datumkonstant (1..9)."), lineIndex);
        return FormatDate(format);
    }
    case fnCalc:
        return Calc(argument, lineIndex);
    case fnFCC:
        switch (context_.TagCase()) {
        case 1:
            return Cp1252::UpperCase(argument);
        case 2:
            return Cp1252::LowerCase(argument);
        default:
            return argument;
        }
    }
    return argument;
}

QByteArray TSubroutineLineProcessor::FormatDate(int format) const {
    const QDateTime now = context_.Now();
    const QDate d = now.date();
    const QTime t = now.time();
    const char sep = context_.TimeSeparator();
    const QByteArray ymd = QByteArray::number(d.year()).rightJustified(4, '0') + '-' +
                           TwoDigits(d.month()) + '-' + TwoDigits(d.day());
    const QByteArray dm = QByteArray::number(d.day()) + '/' + QByteArray::number(d.month());
    const QByteArray hms =
        TwoDigits(t.hour()) + sep + TwoDigits(t.minute()) + sep + TwoDigits(t.second());
    const int h12 = t.hour() % 12 == 0 ? 12 : t.hour() % 12;
    const QByteArray ampm =
        QByteArray::number(h12) + sep + TwoDigits(t.minute()) + ' ' + (t.hour() < 12 ? "AM" : "PM");
    switch (format) {
    case 1:
        return ymd;
    case 2:
        return ymd.mid(2);
    case 3:
        return dm + ' ' + QByteArray::number(d.year()).rightJustified(4, '0');
    case 4:
        return dm + " -" + TwoDigits(d.year() % 100);
    case 5:
        return hms;
    case 6:
        return TwoDigits(t.hour()) + sep + TwoDigits(t.minute());
    case 7:
        return ampm;
    case 8:
        return ymd + ' ' + hms;
    default:
        return ymd + ' ' + ampm;
    }
}

QByteArray TSubroutineLineProcessor::Calc(const QByteArray& argument, int lineIndex) const {
    const char dec = context_.DecimalSeparator();
    const auto fail = [&]() { Fail(Msg("Ogiltigt uttryck."), lineIndex); };
    double left = 0, right = 0, result = 0;
    char op = 0;
    qsizetype at = -1;
    for (const char candidate : {'*', '/', '^', '+'}) {
        const qsizetype i = argument.indexOf(candidate);
        if (i >= 1) {
            op = candidate;
            at = i;
            break;
        }
    }
    if (!op) {
        at = argument.indexOf('-');
        if (at < 0) {
            if (!ReadNumber(argument, dec, &result))
                fail();
            return FormatNumber(result, dec);
        }
        op = '-';
    }
    if (!ReadNumber(argument.left(at), dec, &left) ||
        !ReadNumber(argument.mid(at + 1), dec, &right))
        fail();
    switch (op) {
    case '*':
        result = left * right;
        break;
    case '/':
        if (right == 0)
            fail();
        result = left / right;
        break;
    case '^':
        result = std::pow(left, right);
        break;
    case '+':
        result = left + right;
        break;
    default:
        result = left - right;
        break;
    }
    if (!std::isfinite(result))
        fail();
    return FormatNumber(result, dec);
}

bool TSubroutineLineProcessor::ReadInteger(const QByteArray& text, int* value) {
    qsizetype i = 0;
    while (i < text.size() && text.at(i) == ' ')
        ++i;
    bool negative = false;
    if (i < text.size() && (text.at(i) == '+' || text.at(i) == '-'))
        negative = text.at(i++) == '-';
    if (i == text.size())
        return false;
    qint64 n = 0;
    for (; i < text.size(); ++i) {
        const char c = text.at(i);
        if (c < '0' || c > '9')
            return false;
        n = n * 10 + (c - '0');
        if (n > qint64(std::numeric_limits<int>::max()) + 1)
            return false;
    }
    if (negative)
        n = -n;
    if (n > std::numeric_limits<int>::max())
        return false;
    *value = static_cast<int>(n);
    return true;
}

bool TSubroutineLineProcessor::ReadNumber(const QByteArray& text, char decimalSeparator,
                                          double* value) {
    // Blanks around, a sign, digits with one decimal separator, an optional exponent.
    qsizetype i = 0, n = text.size();
    while (i < n && text.at(i) == ' ')
        ++i;
    while (n > i && text.at(n - 1) == ' ')
        --n;
    std::string plain;
    if (i < n && (text.at(i) == '+' || text.at(i) == '-'))
        plain += text.at(i++);
    int digits = 0;
    bool separator = false;
    for (; i < n; ++i) {
        const char c = text.at(i);
        if (c >= '0' && c <= '9') {
            plain += c;
            ++digits;
        } else if (c == decimalSeparator && !separator) {
            plain += '.';
            separator = true;
        } else {
            break;
        }
    }
    if (digits == 0)
        return false;
    if (i < n && (text.at(i) == 'e' || text.at(i) == 'E')) {
        plain += 'e';
        ++i;
        if (i < n && (text.at(i) == '+' || text.at(i) == '-'))
            plain += text.at(i++);
        int expDigits = 0;
        for (; i < n && text.at(i) >= '0' && text.at(i) <= '9'; ++i, ++expDigits)
            plain += text.at(i);
        if (expDigits == 0)
            return false;
    }
    if (i != n)
        return false;
    const double v = std::strtod(plain.c_str(), nullptr);
    if (!std::isfinite(v))
        return false;
    *value = v;
    return true;
}

QByteArray TSubroutineLineProcessor::FormatNumber(double value, char decimalSeparator) {
    if (value == 0)
        return QByteArrayLiteral("0");
    // 15 significant digits: d.dddddddddddddde±x.
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.14e", value);
    const QByteArray s(buf);
    const qsizetype e = s.indexOf('e');
    const bool negative = s.startsWith('-');
    QByteArray digits = s.left(e).replace('-', "").replace('.', "");
    const int exponent = s.mid(e + 1).toInt();
    while (digits.size() > 1 && digits.endsWith('0'))
        digits.chop(1);
    QByteArray out = negative ? QByteArrayLiteral("-") : QByteArray();
    const int intDigits = exponent + 1;
    if (intDigits <= 15 && intDigits >= -3) {
        if (intDigits <= 0) {
            out += '0';
            out += decimalSeparator;
            out += QByteArray(-intDigits, '0') + digits;
        } else if (digits.size() <= intDigits) {
            out += digits + QByteArray(intDigits - digits.size(), '0');
        } else {
            out += digits.left(intDigits) + decimalSeparator + digits.mid(intDigits);
        }
        return out;
    }
    out += digits.left(1);
    if (digits.size() > 1)
        out += decimalSeparator + digits.mid(1);
    out += 'E';
    out += exponent < 0 ? "-" : "";
    out += QByteArray::number(std::abs(exponent));
    return out;
}
