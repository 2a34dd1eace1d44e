#include "subroutines/SubroutineContext.h"

#include "platform/Cp1252.h"

namespace {

char SeparatorByte(const QString& s, char fallback) {
    char byte = fallback;
    if (s.size() != 1 || !Cp1252::FromUnicode(s.at(0).unicode(), &byte))
        return fallback;
    return byte;
}

} // namespace

char TSubroutineContext::DecimalSeparator() const {
    return SeparatorByte(QLocale::system().decimalPoint(), '.');
}

char TSubroutineContext::TimeSeparator() const {
    // The first character between the hour and the minute of the short time format.
    const QString format = QLocale::system().timeFormat(QLocale::ShortFormat);
    const qsizetype h = format.indexOf(QLatin1Char('h'), 0, Qt::CaseInsensitive);
    if (h < 0)
        return ':';
    qsizetype i = h;
    while (i < format.size() && format.at(i).toLower() == QLatin1Char('h'))
        ++i;
    return i < format.size() ? SeparatorByte(format.mid(i, 1), ':') : ':';
}
