#include "editor/model/Entities.h"

#include "platform/Cp1252.h"

#include <QSet>
#include <algorithm>
#include <array>
#include <cstring>

namespace Entities {

namespace {

std::vector<QByteArray> SplitItems(const char* text) {
    std::vector<QByteArray> out;
    for (const QByteArray& item : QByteArray(text).split(' '))
        out.push_back(item);
    return out;
}

// Every named entity of HTML 4 and XHTML; it holds all the entities of the two tables.
const QSet<QByteArray>& KnownNames() {
    static const QSet<QByteArray> names = [] {
        static const char* const text =
            // Latin-1
            "nbsp iexcl cent pound curren yen brvbar sect uml copy ordf laquo not shy reg macr "
            "deg plusmn sup2 sup3 acute micro para middot cedil sup1 ordm raquo frac14 frac12 "
            "frac34 iquest Agrave Aacute Acirc Atilde Auml Aring AElig Ccedil Egrave Eacute Ecirc "
            "Euml Igrave Iacute Icirc Iuml ETH Ntilde Ograve Oacute Ocirc Otilde Ouml times "
            "Oslash Ugrave Uacute Ucirc Uuml Yacute THORN szlig agrave aacute acirc atilde auml "
            "aring aelig ccedil egrave eacute ecirc euml igrave iacute icirc iuml eth ntilde "
            "ograve oacute ocirc otilde ouml divide oslash ugrave uacute ucirc uuml yacute thorn "
            "yuml "
            // symbols and Greek letters
            "fnof Alpha Beta Gamma Delta Epsilon Zeta Eta Theta Iota Kappa Lambda Mu Nu Xi "
            "Omicron Pi Rho Sigma Tau Upsilon Phi Chi Psi Omega alpha beta gamma delta epsilon "
            "zeta eta theta iota kappa lambda mu nu xi omicron pi rho sigmaf sigma tau upsilon "
            "phi chi psi omega thetasym upsih piv bull hellip prime Prime oline frasl weierp "
            "image real trade alefsym larr uarr rarr darr harr crarr lArr uArr rArr dArr hArr "
            "forall part exist empty nabla isin notin ni prod sum minus lowast radic prop infin "
            "ang and or cap cup int there4 sim cong asymp ne equiv le ge sub sup nsub sube supe "
            "oplus otimes perp sdot lceil rceil lfloor rfloor lang rang loz spades clubs hearts "
            "diams "
            // markup and punctuation
            "quot amp lt gt apos OElig oelig Scaron scaron Yuml circ tilde ensp emsp thinsp zwnj "
            "zwj lrm rlm ndash mdash lsquo rsquo sbquo ldquo rdquo bdquo dagger Dagger permil "
            "lsaquo rsaquo euro";
        QSet<QByteArray> set;
        for (const QByteArray& name : SplitItems(text))
            set.insert(name);
        return set;
    }();
    return names;
}

bool IsDigits(QByteArrayView s, bool hex) {
    if (s.isEmpty())
        return false;
    for (char c : s) {
        const bool digit = c >= '0' && c <= '9';
        const bool hexLetter = (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
        if (!digit && !(hex && hexLetter))
            return false;
    }
    return true;
}

QByteArray AsciiLower(QByteArray s) {
    for (char& c : s)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return s;
}

// One pair of tables as the entity commands use it: the entity each byte codes to (empty
// where the byte stays) and the byte each entity decodes to. Where two rows would claim the
// same byte or entity, the earlier row has it, as when the rows are replaced one by one.
struct Coding {
    std::array<QByteArray, 256> entity;
    std::vector<std::pair<QByteArray, char>> decoded;
    qsizetype longest = 0;

    void Add(char ch, const QByteArray& e) {
        QByteArray& slot = entity[static_cast<unsigned char>(ch)];
        if (slot.isEmpty())
            slot = e;
        for (const auto& d : decoded)
            if (d.first == e)
                return;
        decoded.emplace_back(e, ch);
        longest = std::max(longest, e.size());
    }

    bool Decoded(QByteArrayView e, char* ch) const {
        for (const auto& d : decoded) {
            if (d.first.size() == e.size() && d.first == e) {
                *ch = d.second;
                return true;
            }
        }
        return false;
    }
};

Coding MakeCoding(const std::vector<QByteArray>& chars, const std::vector<QByteArray>& entities,
                  bool smallForms) {
    Coding c;
    for (size_t i = 0; i < chars.size(); ++i) {
        const char ch = chars[i][0];
        c.Add(ch, entities[i]);
        if (smallForms)
            c.Add(static_cast<char>(Cp1252::ToLower(static_cast<unsigned char>(ch))),
                  AsciiLower(entities[i]));
    }
    return c;
}

QByteArray Encode(const Coding& c, const QByteArray& text) {
    const char* d = text.constData();
    const qsizetype n = text.size();
    auto coded = [&](qsizetype i) { return !c.entity[static_cast<unsigned char>(d[i])].isEmpty(); };
    qsizetype i = 0;
    while (i < n && !coded(i))
        ++i;
    if (i == n)
        return text;
    QByteArray out;
    out.reserve(n + 16);
    qsizetype copied = 0;
    for (; i < n; ++i) {
        if (!coded(i))
            continue;
        out.append(d + copied, i - copied);
        out.append(c.entity[static_cast<unsigned char>(d[i])]);
        copied = i + 1;
    }
    out.append(d + copied, n - copied);
    return out;
}

QByteArray Decode(const Coding& c, const QByteArray& text) {
    const char* d = text.constData();
    const qsizetype n = text.size();
    QByteArray out;
    bool any = false;
    qsizetype pos = 0, copied = 0;
    while (pos < n) {
        const auto* amp = static_cast<const char*>(std::memchr(d + pos, '&', n - pos));
        if (!amp)
            break;
        const qsizetype a = amp - d;
        // The ';' of a table entity lies within its longest length.
        const qsizetype window = std::min(n, a + c.longest) - (a + 1);
        const auto* semi =
            window > 0 ? static_cast<const char*>(std::memchr(amp + 1, ';', window)) : nullptr;
        char ch;
        if (semi && c.Decoded(QByteArrayView(amp, semi - amp + 1), &ch)) {
            if (!any) {
                out.reserve(n);
                any = true;
            }
            out.append(d + copied, a - copied);
            out.append(ch);
            copied = pos = semi - d + 1;
        } else {
            pos = a + 1;
        }
    }
    if (!any)
        return text;
    out.append(d + copied, n - copied);
    return out;
}

} // namespace

const std::vector<QByteArray>& AlphaLetters() {
    // Å Ä Á À Â Ã Æ Ë É È Ê Ñ Ö Ó Ò Ô Õ Ï Í Î Ü Ú Ù Û Ç Ì Ø Œ ß ÿ
    static const std::vector<QByteArray> items =
        SplitItems("\xC5 \xC4 \xC1 \xC0 \xC2 \xC3 \xC6 \xCB \xC9 \xC8 \xCA \xD1 \xD6 \xD3 \xD2 "
                   "\xD4 \xD5 \xCF \xCD \xCE \xDC \xDA \xD9 \xDB \xC7 \xCC \xD8 \x8C \xDF \xFF");
    return items;
}

const std::vector<QByteArray>& AlphaEntities() {
    static const std::vector<QByteArray> items = SplitItems(
        "&Aring; &Auml; &Aacute; &Agrave; &Acirc; &Atilde; &AElig; &Euml; &Eacute; &Egrave; "
        "&Ecirc; &Ntilde; &Ouml; &Oacute; &Ograve; &Ocirc; &Otilde; &Iuml; &Iacute; &Icirc; "
        "&Uuml; &Uacute; &Ugrave; &Ucirc; &Ccedil; &Igrave; &Oslash; &OElig; &szlig; &yuml;");
    return items;
}

const std::vector<QByteArray>& OmegaSymbols() {
    // Ð ð Þ þ © ® ™ ¶ ° µ ± ÷ ¼ ½ ¾ ‰ ‘ ’ “ ” € ¢ £ ¥ ¡ ¿ ‹ › « »
    static const std::vector<QByteArray> items =
        SplitItems("\xD0 \xF0 \xDE \xFE \xA9 \xAE \x99 \xB6 \xB0 \xB5 \xB1 \xF7 \xBC \xBD \xBE "
                   "\x89 \x91 \x92 \x93 \x94 \x80 \xA2 \xA3 \xA5 \xA1 \xBF \x8B \x9B \xAB \xBB");
    return items;
}

const std::vector<QByteArray>& OmegaEntities() {
    static const std::vector<QByteArray> items = SplitItems(
        "&ETH; &eth; &THORN; &thorn; &copy; &reg; &trade; &para; &deg; &micro; &plusmn; "
        "&divide; &frac14; &frac12; &frac34; &permil; &lsquo; &rsquo; &ldquo; &rdquo; &euro; "
        "&cent; &pound; &yen; &iexcl; &iquest; &lsaquo; &rsaquo; &laquo; &raquo;");
    return items;
}

bool TypedEntity(char ch, QByteArray* entity) {
    const auto key = static_cast<unsigned char>(ch);
    const unsigned char lower = Cp1252::ToLower(key);
    const std::vector<QByteArray>& letters = AlphaLetters();
    for (size_t i = 0; i < letters.size(); ++i) {
        const auto letter = static_cast<unsigned char>(letters[i][0]);
        if (key != letter && lower != Cp1252::ToLower(letter))
            continue;
        QByteArray e = AlphaEntities()[i];
        if (lower == key) {
            e = AsciiLower(e);
        } else if (e.size() > 1 && e[1] >= 'a' && e[1] <= 'z') {
            // A capital typed for a row of a small letter (Ÿ for ÿ) keeps its case.
            e[1] = static_cast<char>(e[1] - 'a' + 'A');
        }
        *entity = e;
        return true;
    }
    const std::vector<QByteArray>& symbols = OmegaSymbols();
    for (size_t i = 0; i < symbols.size(); ++i) {
        if (symbols[i][0] == ch) {
            *entity = OmegaEntities()[i];
            return true;
        }
    }
    return false;
}

namespace {

const Coding& AlphaCoding() {
    static const Coding c = MakeCoding(AlphaLetters(), AlphaEntities(), true);
    return c;
}

const Coding& OmegaCoding() {
    static const Coding c = MakeCoding(OmegaSymbols(), OmegaEntities(), false);
    return c;
}

} // namespace

QByteArray EncodeAlpha(const QByteArray& text) {
    return Encode(AlphaCoding(), text);
}
QByteArray DecodeAlpha(const QByteArray& text) {
    return Decode(AlphaCoding(), text);
}
QByteArray EncodeOmega(const QByteArray& text) {
    return Encode(OmegaCoding(), text);
}
QByteArray DecodeOmega(const QByteArray& text) {
    return Decode(OmegaCoding(), text);
}

bool IsEntityBody(QByteArrayView body) {
    if (body.startsWith('#')) {
        const QByteArrayView rest = body.sliced(1);
        if (rest.startsWith('x') || rest.startsWith('X'))
            return IsDigits(rest.sliced(1), true);
        return IsDigits(rest, false);
    }
    return !body.isEmpty() && KnownNames().contains(body.toByteArray());
}

int MaxEntityBodyLength() {
    static const int length = [] {
        constexpr char32_t kLastCodePoint = 0x10FFFF;
        int longest = std::max(1 + static_cast<int>(QByteArray::number(kLastCodePoint).size()),
                               2 + static_cast<int>(QByteArray::number(kLastCodePoint, 16).size()));
        for (const QByteArray& name : KnownNames())
            longest = std::max(longest, static_cast<int>(name.size()));
        return longest;
    }();
    return length;
}

} // namespace Entities
