#include "controls/SpecialChartersCombo.h"

#include "platform/Cp1252.h"

#include <QFont>
#include <QSignalBlocker>

namespace {

QByteArrayList SplitSpaced(const char* text) {
    return QByteArray(text).split(' ');
}

} // namespace

TSpecialChartersCombo::TSpecialChartersCombo(QWidget* parent, const QString& fontFamily,
                                             TEncoding encoding, const char* entities,
                                             const char* items)
    : QComboBox(parent), encoding_(encoding), items_(items), entities_(SplitSpaced(entities)) {
    QFont f(fontFamily);
    f.setPointSize(10);
    setFont(f);
    setEditable(false);
    CreateWnd();
    connect(this, &QComboBox::activated, this, [this](int index) { Change(index); });
}

QByteArray TSpecialChartersCombo::Entity(int index) const {
    return index >= 0 && index < entities_.size() ? entities_.at(index) : QByteArray();
}

void TSpecialChartersCombo::RecreateWnd() {
    CreateWnd();
}

void TSpecialChartersCombo::CreateWnd() {
    const QSignalBlocker blocker(this);
    const int selected = currentIndex();
    clear();
    for (const QByteArray& item : SplitSpaced(items_)) {
        if (encoding_ == TEncoding::Cp1252) {
            addItem(Cp1252::Decode(item));
        } else {
            QString text;
            for (char c : item)
                text += SymbolToUnicode(static_cast<unsigned char>(c));
            addItem(text);
        }
    }
    setCurrentIndex(selected < count() ? selected : -1);
}

void TSpecialChartersCombo::Change(int index) {
    if (OnChange)
        OnChange(this);
    if (index >= 0 && index < entities_.size() && OnCharterSelect)
        OnCharterSelect(this, entities_.at(index).constData());
}

QChar TSpecialChartersCombo::SymbolToUnicode(unsigned char byte) {
    // Greek letters in the order of the Latin letters the font draws them on.
    static const char16_t upper[26] = {0x0391, 0x0392, 0x03A7, 0x0394, 0x0395, 0x03A6, 0x0393,
                                       0x0397, 0x0399, 0x03D1, 0x039A, 0x039B, 0x039C, 0x039D,
                                       0x039F, 0x03A0, 0x0398, 0x03A1, 0x03A3, 0x03A4, 0x03A5,
                                       0x03C2, 0x03A9, 0x039E, 0x03A8, 0x0396};
    static const char16_t lower[26] = {0x03B1, 0x03B2, 0x03C7, 0x03B4, 0x03B5, 0x03C6, 0x03B3,
                                       0x03B7, 0x03B9, 0x03D5, 0x03BA, 0x03BB, 0x03BC, 0x03BD,
                                       0x03BF, 0x03C0, 0x03B8, 0x03C1, 0x03C3, 0x03C4, 0x03C5,
                                       0x03D6, 0x03C9, 0x03BE, 0x03C8, 0x03B6};
    if (byte >= 'A' && byte <= 'Z')
        return QChar(upper[byte - 'A']);
    if (byte >= 'a' && byte <= 'z')
        return QChar(lower[byte - 'a']);
    switch (byte) {
    case 0xA3:
        return QChar(0x2264); // less-than or equal
    case 0xA5:
        return QChar(0x221E); // infinity
    case 0xB0:
        return QChar(0x00B0); // degree
    case 0xB1:
        return QChar(0x00B1); // plus-minus
    case 0xB3:
        return QChar(0x2265); // greater-than or equal
    case 0xB4:
        return QChar(0x00D7); // multiplication
    case 0xB8:
        return QChar(0x00F7); // division
    case 0xB9:
        return QChar(0x2260); // not equal
    case 0xBA:
        return QChar(0x2261); // identical
    case 0xBB:
        return QChar(0x2248); // almost equal
    case 0xD5:
        return QChar(0x220F); // n-ary product
    case 0xD6:
        return QChar(0x221A); // square root
    case 0xE5:
        return QChar(0x2211); // n-ary sum
    case 0xF2:
        return QChar(0x222B); // integral
    case '/':
    case '<':
    case '>':
        return QChar(byte);
    default:
        return byte >= '0' && byte <= '9' ? QChar(byte) : QChar(0xFFFD);
    }
}
