#include "controls/ValueListEditor.h"

#include <QAction>
#include <QHeaderView>
#include <QKeyEvent>
#include <QSignalBlocker>

namespace {

// The key a row held before the user's edit, to take a refused key back.
constexpr int AcceptedKeyRole = Qt::UserRole;

QString TextOf(const QTableWidgetItem* item) {
    return item ? item->text() : QString();
}

} // namespace

TValueListEditor::TValueListEditor(QWidget* parent) : QTableWidget(0, 2, parent) {
    verticalHeader()->hide();
    horizontalHeader()->setStretchLastSection(true);
    horizontalHeader()->setSectionsClickable(false);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::SelectedClicked |
                    QAbstractItemView::EditKeyPressed | QAbstractItemView::AnyKeyPressed);
    setContextMenuPolicy(Qt::ActionsContextMenu);
    addRow_ = new QAction(QStringLiteral("&Lägg till rad"), this);
    addRow_->setShortcut(QKeySequence(Qt::Key_Insert));
    addRow_->setShortcutContext(Qt::WidgetShortcut);
    deleteRow_ = new QAction(QStringLiteral("&Ta bort rad"), this);
    deleteRow_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Delete));
    deleteRow_->setShortcutContext(Qt::WidgetShortcut);
    addAction(addRow_);
    addAction(deleteRow_);
    connect(addRow_, &QAction::triggered, this, [this] { UserAddRow(); });
    connect(deleteRow_, &QAction::triggered, this, [this] { UserDeleteRow(); });
    connect(this, &QTableWidget::itemChanged, this,
            [this](QTableWidgetItem* item) { ItemChanged(item); });
    Clear();
}

void TValueListEditor::SetTitles(const QString& keyTitle, const QString& valueTitle) {
    setHorizontalHeaderLabels({keyTitle, valueTitle});
}

void TValueListEditor::SetKeyEdit(bool on) {
    keyEdit_ = on;
    const QSignalBlocker block(this);
    for (int row = 0; row < rowCount(); ++row)
        if (QTableWidgetItem* key = item(row, 0))
            key->setFlags(on ? key->flags() | Qt::ItemIsEditable
                             : key->flags() & ~Qt::ItemIsEditable);
}

QString TValueListEditor::Key(int row) const {
    return TextOf(item(row, 0));
}

QString TValueListEditor::RowValue(int row) const {
    return TextOf(item(row, 1));
}

void TValueListEditor::SetRowValue(int row, const QString& value) {
    if (row < 0 || row >= rowCount())
        return;
    const QSignalBlocker block(this);
    item(row, 1)->setText(value);
}

int TValueListEditor::FindRow(const QString& key) const {
    for (int row = 0; row < rowCount(); ++row)
        if (Key(row) == key)
            return row;
    return -1;
}

QString TValueListEditor::Value(const QString& key) const {
    return RowValue(FindRow(key));
}

void TValueListEditor::InsertRow(const QString& key, const QString& value) {
    if (IsEmpty()) {
        const QSignalBlocker block(this);
        setRowCount(0);
    }
    AppendRow(key, value);
}

void TValueListEditor::DeleteRow(int row) {
    if (row < 0 || row >= rowCount())
        return;
    const QSignalBlocker block(this);
    removeRow(row);
    if (rowCount() == 0)
        AppendRow(QString(), QString());
}

void TValueListEditor::Clear() {
    {
        const QSignalBlocker block(this);
        setRowCount(0);
    }
    AppendRow(QString(), QString());
}

bool TValueListEditor::IsEmpty() const {
    return rowCount() == 1 && Key(0).isEmpty() && RowValue(0).isEmpty();
}

QStringList TValueListEditor::Strings() const {
    QStringList lines;
    if (IsEmpty())
        return lines;
    for (int row = 0; row < rowCount(); ++row)
        lines << Key(row) + QLatin1Char('=') + RowValue(row);
    return lines;
}

void TValueListEditor::SetStrings(const QStringList& lines) {
    {
        const QSignalBlocker block(this);
        setRowCount(0);
    }
    for (const QString& line : lines) {
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        AppendRow(eq < 0 ? line : line.left(eq), eq < 0 ? QString() : line.mid(eq + 1));
    }
    if (rowCount() == 0)
        AppendRow(QString(), QString());
}

void TValueListEditor::keyPressEvent(QKeyEvent* event) {
    // The row commands also while a cell is current but not being edited.
    if (event->key() == Qt::Key_Insert && event->modifiers() == Qt::NoModifier) {
        UserAddRow();
        return;
    }
    if (event->key() == Qt::Key_Delete && event->modifiers() == Qt::ControlModifier) {
        UserDeleteRow();
        return;
    }
    QTableWidget::keyPressEvent(event);
}

void TValueListEditor::AppendRow(const QString& key, const QString& value) {
    const QSignalBlocker block(this);
    const int row = rowCount();
    insertRow(row);
    auto* keyItem = new QTableWidgetItem(key);
    keyItem->setData(AcceptedKeyRole, key);
    if (!keyEdit_)
        keyItem->setFlags(keyItem->flags() & ~Qt::ItemIsEditable);
    setItem(row, 0, keyItem);
    setItem(row, 1, new QTableWidgetItem(value));
}

void TValueListEditor::ItemChanged(QTableWidgetItem* changed) {
    if (changed->column() == 0) {
        const QString key = changed->text();
        const QString accepted = changed->data(AcceptedKeyRole).toString();
        if (key == accepted)
            return;
        bool taken = false;
        for (int row = 0; row < rowCount() && keyUnique_ && !key.isEmpty(); ++row)
            taken = taken || (row != changed->row() && Key(row) == key);
        const QSignalBlocker block(this);
        if (taken) {
            changed->setText(accepted);
            if (OnKeyRefused)
                OnKeyRefused(key);
            return;
        }
        changed->setData(AcceptedKeyRole, key);
    }
    Changed();
}

void TValueListEditor::UserAddRow() {
    AppendRow(QString(), QString());
    setCurrentCell(rowCount() - 1, keyEdit_ ? 0 : 1);
    editItem(currentItem());
    Changed();
}

void TValueListEditor::UserDeleteRow() {
    if (currentRow() < 0)
        return;
    DeleteRow(currentRow());
    Changed();
}

void TValueListEditor::Changed() {
    if (OnStringsChange)
        OnStringsChange();
}
