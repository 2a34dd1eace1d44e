#pragma once

#include <QFrame>
#include <QList>
#include <QStringList>

class QLineEdit;

// A row of 1 to 99 edits for a list of short values. With AutoAdd, exactly one empty edit
// follows the last filled one while the user types.
class TSerieEdit : public QFrame {
public:
    explicit TSerieEdit(QWidget* parent = nullptr);

    int NumValues() const { return static_cast<int>(edits_.size()); }
    // Values below 1 or above 99 abort silently and change nothing.
    void SetNumValues(int value);
    int EditWidth() const { return editWidth_; }
    void SetEditWidth(int value);
    bool AutoAdd() const { return autoAdd_; }
    void SetAutoAdd(bool value) { autoAdd_ = value; }

    // One edit per line; an empty list first gets one empty line (the caller's list changes).
    // More than 99 lines change nothing: TooManyValuesMessage is shown, then the silent abort.
    void SetValues(QStringList& list);
    static QString TooManyValuesMessage();
    // The text of every edit from left to right, empty ones included.
    QStringList GetValues() const;

    QLineEdit* Edit(int index) const { return edits_.at(index); }

private:
    void LayoutEdits();
    void EditChanged(QLineEdit* edit);

    QList<QLineEdit*> edits_;
    int count_ = 1;
    int editWidth_ = 50;
    bool autoAdd_ = false;
    bool loading_ = false;
};
