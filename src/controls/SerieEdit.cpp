#include "controls/SerieEdit.h"

#include "platform/Dialogs.h"
#include "platform/SilentAbort.h"

#include <QGuiApplication>
#include <QLineEdit>
#include <QMessageBox>

namespace {
constexpr int kMaxValues = 99;
constexpr int kGap = 10;
} // namespace

TSerieEdit::TSerieEdit(QWidget* parent) : QFrame(parent) {
    setFrameStyle(QFrame::NoFrame);
    LayoutEdits();
}

QString TSerieEdit::TooManyValuesMessage() {
    return QStringLiteral("SerieEdit: Raden rymmer högst %1 värden.").arg(kMaxValues);
}

void TSerieEdit::SetNumValues(int value) {
    if (value < 1 || value > kMaxValues)
        Abort();
    while (static_cast<int>(edits_.size()) > value)
        delete edits_.takeLast();
    count_ = value;
    LayoutEdits();
}

void TSerieEdit::SetEditWidth(int value) {
    editWidth_ = value;
    LayoutEdits();
}

void TSerieEdit::LayoutEdits() {
    for (int i = 0; i < count_; ++i) {
        if (i >= static_cast<int>(edits_.size())) {
            auto* edit = new QLineEdit(this);
            connect(edit, &QLineEdit::textChanged, this, [this, edit] { EditChanged(edit); });
            // Tab goes from one value to the next, also to an edit added while typing.
            if (!edits_.isEmpty())
                setTabOrder(edits_.last(), edit);
            edits_.append(edit);
            edit->show();
        }
        QLineEdit* edit = edits_[i];
        edit->setGeometry(i * (editWidth_ + kGap), 0, editWidth_, edit->sizeHint().height());
    }
    // Sized to the content.
    const QLineEdit* last = edits_.last();
    resize(last->geometry().right() + 1, last->height());
}

void TSerieEdit::EditChanged(QLineEdit* edit) {
    if (!autoAdd_ || loading_)
        return;
    bool allFilled = true;
    for (const QLineEdit* e : edits_)
        allFilled = allFilled && !e->text().isEmpty();
    if (allFilled && NumValues() < kMaxValues)
        SetNumValues(NumValues() + 1);
    const int changed = static_cast<int>(edits_.indexOf(edit));
    int p = changed - 1;
    for (int i = NumValues() - 1; i >= changed; --i) {
        if (!edits_[i]->text().isEmpty()) {
            p = i;
            break;
        }
    }
    if (p == -1)
        SetNumValues(1);
    else if (p < NumValues() - 2)
        SetNumValues(p + 2);
}

void TSerieEdit::SetValues(QStringList& list) {
    // Never a part of the list: the row refuses it whole and says why.
    if (list.size() > kMaxValues) {
        QMessageBox box(QMessageBox::NoIcon, QGuiApplication::applicationDisplayName(),
                        TooManyValuesMessage(), QMessageBox::Ok);
        box.setTextFormat(Qt::PlainText);
        Dialogs::RunModal(&box);
        Abort();
    }
    if (list.isEmpty())
        list.append(QString());
    loading_ = true;
    SetNumValues(static_cast<int>(list.size()));
    for (int i = 0; i < NumValues(); ++i)
        edits_[i]->setText(list[i]);
    loading_ = false;
}

QStringList TSerieEdit::GetValues() const {
    QStringList values;
    for (const QLineEdit* e : edits_)
        values.append(e->text());
    return values;
}
