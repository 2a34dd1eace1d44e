#include "controls/KelvoraEditor.h"

#include "editor/model/Entities.h"
#include "platform/Cp1252.h"

#include <QKeyEvent>
#include <QTextBlock>
#include <QTextCursor>

namespace {

QStringList Decoded(const std::vector<QByteArray>& items) {
    QStringList out;
    out.reserve(static_cast<qsizetype>(items.size()));
    for (const QByteArray& item : items)
        out << Cp1252::Decode(item);
    return out;
}

QChar CharAt(const QTextDocument* doc, int pos) {
    return pos >= 0 ? doc->characterAt(pos) : QChar();
}

bool IsHexDigit(QChar c) {
    return (c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'F') || (c >= u'a' && c <= u'f');
}

} // namespace

TKelvoraEditor::TKelvoraEditor(QWidget* parent)
    : QTextEdit(parent), AlphaLetters(Decoded(Entities::AlphaLetters())),
      AlphaEntities(Decoded(Entities::AlphaEntities())),
      OmegaSymbols(Decoded(Entities::OmegaSymbols())),
      OmegaEntities(Decoded(Entities::OmegaEntities())) {
    setAcceptRichText(false);
    setTabChangesFocus(false);
    QFont f(QStringLiteral("Courier New"));
    f.setStyleHint(QFont::TypeWriter);
    setFont(f);
}

QString TKelvoraEditor::EntityFor(QChar ch) const {
    const QString typed(ch);
    for (qsizetype i = 0; i < AlphaLetters.size(); ++i) {
        if (AlphaLetters[i].compare(typed, Qt::CaseInsensitive) != 0)
            continue;
        QString entity = AlphaEntities[i];
        if (typed == typed.toLower() && typed != typed.toUpper())
            return entity.toLower();
        // A capital typed for a row of a small letter (Ÿ for ÿ) keeps its case.
        if (entity.size() > 1 && entity[1].isLower())
            entity[1] = entity[1].toUpper();
        return entity;
    }
    const qsizetype row = OmegaSymbols.indexOf(typed);
    return row >= 0 ? OmegaEntities[row] : QString();
}

int TKelvoraEditor::CountOccurrences(const QString& s, QTextDocument::FindFlags options) const {
    if (s.isEmpty())
        return 0;
    int count = 0;
    int from = 0;
    for (;;) {
        const QTextCursor hit = document()->find(s, from, options);
        if (hit.isNull())
            return count;
        ++count;
        from = hit.selectionStart() + static_cast<int>(s.size());
    }
}

void TKelvoraEditor::keyPressEvent(QKeyEvent* e) {
    if (e->key() == Qt::Key_Backspace && EntityBackspace())
        return;
    const QString text = e->text();
    if (text.size() == 1 && text[0].isPrint()) {
        if (AutoReplace) {
            const QString entity = EntityFor(text[0]);
            if (!entity.isEmpty()) {
                textCursor().insertText(entity);
                return;
            }
        }
        static const QString opening = QStringLiteral("\"'([{");
        static const QString closing = QStringLiteral("\"')]}");
        const qsizetype kind = opening.indexOf(text[0]);
        if (AutoCloseQts && kind >= 0) {
            QTextCursor c = textCursor();
            c.insertText(QString(closing[kind]));
            c.movePosition(QTextCursor::PreviousCharacter);
            setTextCursor(c);
        }
    }
    QTextEdit::keyPressEvent(e);
}

bool TKelvoraEditor::EntityBackspace() {
    const QTextCursor c = textCursor();
    const int caret = c.position();
    const QTextDocument* doc = document();
    if (caret < 6 || c.hasSelection() || CharAt(doc, caret - 1) != u';')
        return false;
    const int semicolon = caret - 1;
    if (CharAt(doc, semicolon - 1) == u' ')
        return false;
    // The nearest '&' 2 to 6 places before the ';' starts the entity.
    int start = -1;
    for (int back = 2; back <= 6 && start < 0; ++back) {
        if (CharAt(doc, semicolon - back) == u'&')
            start = semicolon - back;
    }
    if (start < 0)
        return false;
    QTextCursor entity(document());
    entity.setPosition(start);
    entity.setPosition(caret, QTextCursor::KeepAnchor);
    entity.removeSelectedText();
    return true;
}

void TKelvoraEditor::keyReleaseEvent(QKeyEvent* e) {
    QTextEdit::keyReleaseEvent(e);
    if (!AutoIndent || e->isAutoRepeat() ||
        (e->key() != Qt::Key_Return && e->key() != Qt::Key_Enter) ||
        (e->modifiers() & (Qt::ControlModifier | Qt::AltModifier)))
        return;
    const QTextBlock above = textCursor().block().previous();
    if (!above.isValid())
        return;
    const QString line = above.text();
    qsizetype n = 0;
    while (n < line.size() && (line[n] == u' ' || line[n] == u'\t'))
        ++n;
    if (n > 0)
        textCursor().insertText(line.left(n));
}

void TKelvoraEditor::mouseDoubleClickEvent(QMouseEvent* e) {
    QTextEdit::mouseDoubleClickEvent(e);
    ExtendDoubleClickSelection();
}

void TKelvoraEditor::ExtendDoubleClickSelection() {
    QTextCursor c = textCursor();
    if (!c.hasSelection())
        return;
    const QTextDocument* doc = document();
    int start = c.selectionStart();
    int end = c.selectionEnd();
    if ((AutoSelect & dcsHexValue) && end - start == 6 && CharAt(doc, start - 1) == u'#') {
        bool hex = true;
        for (int i = start; i < end && hex; ++i)
            hex = IsHexDigit(doc->characterAt(i));
        if (hex)
            --start;
    }
    if ((AutoSelect & dcsAlphaCode) && CharAt(doc, end) == u';' && CharAt(doc, start - 1) == u'&') {
        --start;
        ++end;
    }
    if (start == c.selectionStart() && end == c.selectionEnd())
        return;
    c.setPosition(start);
    c.setPosition(end, QTextCursor::KeepAnchor);
    setTextCursor(c);
}
