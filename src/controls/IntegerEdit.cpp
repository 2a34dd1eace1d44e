#include "controls/IntegerEdit.h"

#include <QKeyEvent>

TIntegerEdit::TIntegerEdit(QWidget* parent) : QLineEdit(parent) {
    connect(this, &QLineEdit::textChanged, this, [this] { Change(); });
}

// Sets text to the stepped number, limited by Max (up) or Min (down); a text that is no
// number is cleared instead. True after a successful step.
bool TIntegerEdit::Step(int delta) {
    bool ok = false;
    const qlonglong n = text().toLongLong(&ok);
    if (!ok) {
        clear();
        return false;
    }
    qlonglong v = n + delta;
    if (delta > 0 && v > max_)
        v = max_;
    if (delta < 0 && v < min_)
        v = min_;
    setText(QString::number(v));
    return true;
}

void TIntegerEdit::keyPressEvent(QKeyEvent* event) {
    selectAll_ = false;
    if (event->key() == Qt::Key_Up || event->key() == Qt::Key_Down) {
        if (Step(event->key() == Qt::Key_Up ? 1 : -1))
            selectAll_ = true;
        QLineEdit::keyPressEvent(event);
        return;
    }
    // Typed characters other than digits and "." go; keys with Ctrl (copy, paste, undo) and
    // control characters (Backspace, Enter, Escape) keep their usual meaning.
    const QString typed = event->text();
    const bool command = event->modifiers() & (Qt::ControlModifier | Qt::MetaModifier);
    if (!command && typed.size() == 1 && typed[0].isPrint()) {
        const char16_t c = typed[0].unicode();
        if ((c < u'0' || c > u'9') && c != u'.') {
            event->accept();
            return;
        }
    }
    QLineEdit::keyPressEvent(event);
}

void TIntegerEdit::keyReleaseEvent(QKeyEvent* event) {
    if (selectAll_)
        selectAll();
    QLineEdit::keyReleaseEvent(event);
}

void TIntegerEdit::Change() {
    if (correcting_)
        return;
    const QString t = text();
    if (t.isEmpty())
        return;
    bool ok = false;
    qlonglong n = t.toLongLong(&ok);
    QString corrected;
    if (!ok)
        corrected = QString::number(min_);
    else
        corrected = QString::number(n > max_ ? max_ : n);
    if (corrected != t) {
        correcting_ = true;
        setText(corrected);
        correcting_ = false;
    }
    if (OnChange)
        OnChange(this);
}
