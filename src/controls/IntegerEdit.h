#pragma once

#include <QLineEdit>
#include <functional>

using TNotifyEvent = std::function<void(QObject* Sender)>;

// An edit for a whole number: digits only, at most Max, stepped by the Up and Down keys.
// Min is enforced by Down and when the text is not a number, not while typing.
class TIntegerEdit : public QLineEdit {
public:
    explicit TIntegerEdit(QWidget* parent = nullptr);

    int Min() const { return min_; }
    void SetMin(int value) { min_ = value; }
    int Max() const { return max_; }
    void SetMax(int value) { max_ = value; }

    // Fires after every change of a non-empty text, once the text has been corrected.
    TNotifyEvent OnChange;

    // Whether all text is selected at the next key release.
    bool SelectAllPending() const { return selectAll_; }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;

private:
    void Change();
    bool Step(int delta);

    int min_ = 0;
    int max_ = 0;
    bool selectAll_ = false;
    bool correcting_ = false;
};
