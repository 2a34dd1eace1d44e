#pragma once

// Texts with the caret written as "|" or the selection as "[...]".
#include "editor/view/TextEditorEx.h"

#include <QByteArray>

struct Marked {
    QByteArray text;
    int start = 0;
    int length = 0;
};

inline Marked Parse(QByteArray s) {
    Marked m;
    if (const qsizetype bar = s.indexOf('|'); bar >= 0) {
        m.start = static_cast<int>(bar);
        s.remove(bar, 1);
    } else if (const qsizetype open = s.indexOf('['); open >= 0) {
        const qsizetype close = s.indexOf(']');
        m.start = static_cast<int>(open);
        m.length = static_cast<int>(close - open - 1);
        s.remove(close, 1);
        s.remove(open, 1);
    }
    m.text = s;
    return m;
}

// The editor's text (without the last line's break) with its caret or selection marked.
inline QByteArray MarkedText(const TEditorModel& editor) {
    QByteArray text = editor.Text();
    text.chop(2);
    const int s = editor.GetSelStart(), n = editor.GetSelLength();
    if (n > 0)
        return text.insert(s + n, ']').insert(s, '[');
    return text.insert(s, '|');
}
