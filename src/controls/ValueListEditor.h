#pragma once

#include <QStringList>
#include <QTableWidget>
#include <functional>

class QAction;

// A two-column table of keys and values with titles. It always shows at least one data row: an
// empty table holds one blank row, which Strings() leaves out. A key is looked up in the first
// row that has it. The user adds a row with Insert (or the context menu) and deletes the
// current one with Ctrl+Delete; with KeyEdit off the keys cannot be edited, with KeyUnique on a
// key that another row has already is refused and the edit taken back.
class TValueListEditor : public QTableWidget {
public:
    explicit TValueListEditor(QWidget* parent = nullptr);

    void SetTitles(const QString& keyTitle, const QString& valueTitle);

    bool KeyEdit() const { return keyEdit_; }
    void SetKeyEdit(bool on);
    bool KeyUnique() const { return keyUnique_; }
    void SetKeyUnique(bool on) { keyUnique_ = on; }

    // The data rows, at least one.
    int RowCount() const { return rowCount(); }
    QString Key(int row) const;
    QString RowValue(int row) const;
    void SetRowValue(int row, const QString& value);
    // The first row with the key; -1 when none has it.
    int FindRow(const QString& key) const;
    // The value of the first row with the key; empty when none has it.
    QString Value(const QString& key) const;

    // Appends a row; the blank row of an empty table is taken for it.
    void InsertRow(const QString& key, const QString& value);
    // Deletes a row; the last one becomes the blank row.
    void DeleteRow(int row);
    // One blank row.
    void Clear();
    // True when the table holds only the blank row.
    bool IsEmpty() const;

    // The rows as Name=Value lines (split at the first "="), without the blank row of an empty
    // table; the table filled from such lines.
    QStringList Strings() const;
    void SetStrings(const QStringList& lines);

    // The programmatic changes above are silent; these run after the user's own.
    std::function<void()> OnStringsChange;
    // A key the user typed that another row has already (KeyUnique).
    std::function<void(const QString& key)> OnKeyRefused;

    QAction* AddRowAction() const { return addRow_; }
    QAction* DeleteRowAction() const { return deleteRow_; }

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void AppendRow(const QString& key, const QString& value);
    void ItemChanged(QTableWidgetItem* item);
    void UserAddRow();
    void UserDeleteRow();
    void Changed();

    bool keyEdit_ = true;
    bool keyUnique_ = false;
    QAction* addRow_ = nullptr;
    QAction* deleteRow_ = nullptr;
};
