#pragma once

#include "platform/ColorText.h"

#include "platform/Graphics.h"

#include <QByteArray>
#include <QString>
#include <optional>

class TTextEditorExSettings;

// Small string and colour functions that several windows share. Positions count from 1.

// The text without its leading (trailing) blanks and tabs; line breaks stay.
QByteArray TrimLeftBlanks(const QByteArray& text);
QString TrimLeftBlanks(const QString& text);
QByteArray TrimRightBlanks(const QByteArray& text);
QString TrimRightBlanks(const QString& text);

// The position (from 1) of the first occurrence of sought in text at or after start, else 0.
// A start at or below 1 searches from the beginning; an empty sought text gives 0.
qsizetype PosFrom(const QByteArray& sought, const QByteArray& text, qsizetype start);
qsizetype PosFrom(const QString& sought, const QString& text, qsizetype start);

// The folder that contains the last element of a server path, by the Windows rules: "/"
// counts as "\", trailing "\" go, and the result uses "\" ("/pub/docs/a.txt" gives
// "\pub\docs", "C:\web\img\" gives "C:\web", a bare name gives itself).
QString ExtractParentDir(const QString& path);

// The folder that contains the last element of a local path, by this system's rules
// ("/home/a/b/" gives "/home/a", "/" stays "/").
QString ExtractLocalParentDir(const QString& path);

// One indentation unit of the main editor: TabLength blanks.
QByteArray GetIndentString(const TTextEditorExSettings& mainEditorSettings);

// "Sant" for 1, "Falskt" for 0, "Internt fel" for any other value.
QString BoolToStrSv(quint8 flag);
