#include "app/core/StatusTexts.h"

#include "editor/model/EditorModel.h"
#include "platform/Cp1252.h"

#include <QDir>

namespace StatusTexts {

QString FormatGrouped(qint64 value) {
    const bool negative = value < 0;
    const QString digits =
        QString::number(negative ? -static_cast<quint64>(value) : static_cast<quint64>(value));
    QString grouped;
    int blanks = 0;
    for (qsizetype i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) {
            grouped += QLatin1Char(' ');
            ++blanks;
        }
        grouped += digits[i];
    }
    if (negative)
        grouped.prepend(QLatin1Char('-'));
    // The pattern's own blanks stand even where it writes no digit.
    return QString(qMax(0, 2 - blanks), QLatin1Char(' ')) + grouped;
}

QString CaretPanel(int line, int column, qint64 selLength) {
    if (selLength == 0)
        return QStringLiteral("Rad:  %1    Kol:  %2").arg(line + 1).arg(column + 1);
    if (selLength == 1)
        return QStringLiteral("1 tecken markerat");
    return QStringLiteral("%1 tecken markerade").arg(selLength);
}

QString PositionPanel(qint64 selStart, qint64 selLength) {
    if (selLength > 1)
        return QStringLiteral("Tkn: %1-%2").arg(selStart + 1).arg(selStart + selLength);
    return QStringLiteral("Tkn: %1").arg(selStart + 1);
}

QString SizePanel(qint64 textLength) {
    return QStringLiteral("Filstorlek: ") + FormatGrouped(textLength) + QStringLiteral(" B");
}

QString CaretModePanel(bool overwrite) {
    return overwrite ? QStringLiteral("ÖVER") : QStringLiteral("INS");
}

QString FileStatePanel(bool hasFile, bool modified) {
    if (!hasFile)
        return QStringLiteral("Ny fil");
    return modified ? QStringLiteral("Ändrad") : QStringLiteral("Sparad");
}

QString OpenFilesPanel(int count) {
    return QStringLiteral("Filer öppna: %1").arg(count);
}

TSelectionPanels SelectionPanels(const TEditorModel& model) {
    const int start = model.GetSelStart();
    const int length = model.GetSelLength();
    const QPoint caret = model.GetCaretPos();
    return {CaretPanel(caret.y(), caret.x(), length), PositionPanel(start, length),
            SizePanel(model.Lines.TextLength())};
}

QString BackupNote() {
    return QStringLiteral("Säkerhetskopierar öppna dokument...");
}

QString FontSizeNote(int size) {
    return QStringLiteral("Teckenstorlek: %1 pt.").arg(size);
}

namespace {

QString SvBool(bool flag) {
    return flag ? QStringLiteral("Sant") : QStringLiteral("Falskt");
}

} // namespace

QString TabHint(const QString& fileName, qint64 textLength, bool hasFile, bool modified) {
    const qsizetype slash = fileName.lastIndexOf(QLatin1Char('/'));
    const QString name = fileName.mid(slash + 1);
    const QString folder = fileName.left(slash + 1);
    return QStringLiteral("Filnamn: ") + name + QLatin1Char('\n') + QStringLiteral("Katalog: ") +
           folder + QLatin1Char('\n') + QStringLiteral("Storlek: ") +
           FormatGrouped(textLength).trimmed() + QStringLiteral(" B") + QLatin1Char('\n') +
           QStringLiteral("Sparad till fil: ") + SvBool(hasFile) + QLatin1Char('\n') +
           QStringLiteral("Fil modifierad: ") + SvBool(modified);
}

QString LongHint(const QString& hint) {
    const qsizetype bar = hint.indexOf(QLatin1Char('|'));
    return bar < 0 ? hint : hint.mid(bar + 1);
}

TDefTag DefTagFor(const QByteArray& before) {
    if (before.size() < 6)
        return TDefTag::None;
    const QByteArray upper = Cp1252::UpperCase(before.right(6));
    if (upper == " STYLE")
        return TDefTag::Style;
    if (upper == " CLASS")
        return TDefTag::Class;
    return TDefTag::None;
}

TDefTag DefTagBeforeCaret(const TEditorModel& model) {
    const int s = model.GetSelStart();
    if (s < 6)
        return TDefTag::None;
    QPoint from, to;
    if (!model.OffsetToPos(s - 6, &from) || !model.OffsetToPos(s, &to))
        return TDefTag::None;
    // Six characters that span a line break are never " STYLE" or " CLASS".
    if (from.y() != to.y() || to.x() - from.x() != 6)
        return TDefTag::None;
    return DefTagFor(model.Lines.Get(to.y()).mid(from.x(), 6));
}

} // namespace StatusTexts
