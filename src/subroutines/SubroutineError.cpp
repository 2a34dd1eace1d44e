#include "subroutines/SubroutineError.h"

ESubroutineError::ESubroutineError(const QString& message, int lineIndex)
    : EKelvoraError(QStringLiteral("ESubroutineError"), TextFor(message, lineIndex)),
      message_(message), lineIndex_(lineIndex) {}

QString ESubroutineError::TextFor(const QString& message, int lineIndex) {
    return QStringLiteral("Fel i subrutin på rad ") + QString::number(lineIndex + 1) +
           QStringLiteral(": ") + message;
}
