#pragma once

#include "markup/common/ElementEditMode.h"

#include <QDialog>
#include <QString>
#include <functional>
#include <optional>

class QComboBox;
class QGridLayout;
class QLineEdit;
class QPushButton;
class Tmain;

// The frame every element, list and table dialog shares: "&Taggreferens" on the left,
// "&Generera" (default, closes with 1) and "Avbryt" (closes with 2) on the right; the class
// combo "&Stilmallsgrupp:" filled with the document's class names when shown; the local style
// "&Lokal stil:" with its "CSS" button. A dialog reads the element at the caret through the
// edit-mode rule when it is made (BeginEditMode), the user fills its fields, and its opener
// writes what the dialog's generator makes of them once it closed with "&Generera".
class TElementDialog : public QDialog {
public:
    // `element`: the element the dialog writes (compared in any case); `paired`: it has an
    // end tag; `referenceName`: what "&Taggreferens" looks up.
    TElementDialog(Tmain& window, const QString& caption, const QByteArray& element, bool paired,
                   const QString& referenceName);

    // The style-sheet editor for "CSS": given the window, the declarations in the field and the
    // page to open on, it returns the new declarations, or nothing when cancelled. While no
    // editor is installed the button is disabled.
    using TStyleEditor = std::function<std::optional<QString>(
        Tmain& window, const QString& declarations, const QString& page)>;
    static TStyleEditor StyleEditor;

    Tmain& Window;
    const QByteArray Element;
    const bool Paired;
    TElementEditMode Mode;

    QPushButton* btnok;
    QPushButton* btncancel;
    QPushButton* btnRef;
    QComboBox* pCLASS = nullptr;
    QLineEdit* pSTYLE = nullptr;
    QPushButton* STYLE0 = nullptr;

    // The element name "&Taggreferens" shows.
    QString ReferenceName;
    // The page of the style-sheet editor "CSS" opens on (empty: its first).
    QString StylePage;
    // The control that has the focus when the dialog is shown.
    QWidget* FirstField = nullptr;

    // Runs the dialog modally: true when it closed with "&Generera" (never when refused).
    bool Execute();
    // True when the dialog may not write (a foreign tag at the caret, or an element it cannot
    // show whole).
    bool Refused() const { return refused_; }

    // The case mode the generators get (the window's TagCase).
    int TagCase() const;
    // The attributes of the element being edited that the dialog does not show.
    QByteArray Carried(const QByteArrayList& shown) const { return Mode.Carried(shown); }
    // A field's text in the document's encoding.
    static QByteArray Bytes(const QLineEdit* edit);
    static QByteArray Bytes(const QComboBox* combo);

protected:
    // Inspects the element at the caret: selects it when it is this dialog's, refuses (message,
    // no "&Generera") inside another tag. Sets Mode.
    void BeginEditMode();
    // Refuses an element the dialog cannot show whole: the message, and no "&Generera".
    void Refuse(const QString& message);
    // Puts the class combo and the local style with its "CSS" button into two rows of a grid.
    void AddFormattingRows(QGridLayout* grid, int row);
    // The button row; the dialog's own layout goes above it.
    void FinishLayout(QLayout* content);

    void showEvent(QShowEvent* event) override;

private:
    void OpenStyleEditor();

    bool refused_ = false;
};
