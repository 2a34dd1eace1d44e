#include "markup/tagref/ReferenceBox.h"

#include "markup/tagref/TagReferenceData.h"

#include <QRegularExpression>
#include <QTextBlock>
#include <QTextCursor>

TReferenceBox::TReferenceBox(QWidget* parent) : QTextEdit(parent) {
    setReadOnly(true);
    setAcceptRichText(false);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Clear();
}

void TReferenceBox::Clear() {
    clear();
    started_ = false;
}

void TReferenceBox::AddLines(const QString& text, bool bold, bool red) {
    QTextBlockFormat block;
    block.setLeftMargin(0);
    block.setTextIndent(6);
    block.setRightMargin(6);
    QTextCharFormat chars;
    chars.setFontFamilies({QStringLiteral("Verdana")});
    chars.setFontPointSize(8);
    chars.setFontWeight(bold ? QFont::Bold : QFont::Normal);
    chars.setForeground(red ? QColor(Qt::red) : palette().color(QPalette::Text));
    QTextCursor cursor(document());
    cursor.movePosition(QTextCursor::End);
    for (const QString& line : text.split(QRegularExpression(QStringLiteral("\r\n|\n|\r")))) {
        if (started_) {
            cursor.insertBlock(block, chars);
        } else {
            // The first paragraph of an empty box is there already.
            cursor.setBlockFormat(block);
            cursor.setBlockCharFormat(chars);
            started_ = true;
        }
        cursor.insertText(line, chars);
    }
}

void TReferenceBox::Rewind() {
    QTextCursor cursor(document());
    cursor.movePosition(QTextCursor::Start);
    setTextCursor(cursor);
    ensureCursorVisible();
}

void TReferenceBox::ShowEntry(const TTagReferenceData& data, const QString& name) {
    static const char* const headings[] = {"Tagg:", "Beskrivning:", "Exempel:", "Attribut:"};
    for (int k = 0; k < 4; ++k) {
        if (k > 0)
            AddLines(QString());
        AddLines(QLatin1String(headings[k]), true);
        AddLines(data.Field(k, name));
    }
    Rewind();
}
