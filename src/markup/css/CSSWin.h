#pragma once

#include "markup/css/CSSCode.h"

#include <QDialog>
#include <QString>
#include <memory>
#include <optional>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;
class QTemporaryDir;
class QTimer;
class TCaptionGroup;
class TColorContainer;
class TPreviewBrowser;
class Tmain;

// "Stilmall", the one style-sheet editor of the program. The user ticks properties and
// chooses their values; a preview in the embedded browser (scripts off) shows them on sample
// text. Its callers:
//  - the insert commands (modes RuleBlock, SpanElement, StyleAttribute) write Code() into the
//    document after OK;
//  - the element, list and table dialogs and the layout guide (mode Declarations) and the page
//    wizard (mode FixedRule, after LockGroup) take Result() after OK.
// SetInitialText() opens the editor on declarations already written: what the controls can
// show is ticked, the rest is kept and written back unchanged.
//
//     TCSS css(window, TCSSMode::Declarations);
//     css.SetInitialText(styleField->text());
//     if (css.Run()) styleField->setText(css.Result());
class TCSS : public QDialog {
public:
    enum class TPage { Characters, Paragraphs, Size, Border, Lists };

    TCSS(Tmain& window, TCSSMode mode, QWidget* parent = nullptr);
    ~TCSS() override;

    // Fixes the selector (mode FixedRule): shown, not editable, and named in the caption.
    void LockGroup(const QString& selector);
    // Declarations to start from ("color:#FF0000; width:10px").
    void SetInitialText(const QString& declarations);
    void ShowPage(TPage page);
    // A page by its name: "pFont", "pParagraph", "pSize", "pBorder" or "pLists"; any other
    // name leaves the first page.
    void ShowPage(const QString& name);

    // Runs the editor on declarations (mode Declarations), opened on a page by name: the new
    // declarations after "&Generera", nothing when cancelled. What the "CSS" buttons of the
    // element, list and table dialogs run.
    static std::optional<QString> EditDeclarations(Tmain& window, const QString& declarations,
                                                   const QString& page);

    // Shows the editor modally; true when it closed with "&Generera".
    bool Run();
    TCSSMode Mode() const { return mode_; }
    // The values of the controls.
    TCSSValues Values() const;
    // The text of the mode without the preview wrapping.
    QByteArray Code() const;
    // Code() as text: what modes Declarations and FixedRule hand back.
    QString Result() const;

    // Writes the preview file and shows it; the file lives in a private folder that goes when
    // the editor closes. Empty until the first preview.
    void UpdatePreview();
    QString PreviewFile() const { return previewFile_; }
    TPreviewBrowser* Browser() const { return browser_.get(); }

    // --- controls ----------------------------------------------------------------------------
    QCheckBox *pAWidth, *pAHeight, *pAFontFace, *pAFontSize, *pAFontColor, *pABgColor, *pABoldness,
        *pAStyle, *pADecoration, *pALS, *pAWS, *pAAlign, *pAVAlign, *pAIndent, *pALMargin,
        *pARMargin, *pATMargin, *pALH, *pAPadding;
    QLineEdit *pWidth, *pHeight, *pFontSize, *pLS, *pWS, *pIndent, *pLMargin, *pRMargin, *pTMargin,
        *pLH, *pPadding;
    QComboBox *pWidthU, *pHeightU, *pFontSizeUnit, *pLSUnit, *pWSUnit, *pIndentUnit, *pLMarginUnit,
        *pRMarginUnit, *pTMarginUnit, *pLHUnit;
    QComboBox *pFontFace, *pBoldness, *pStyle, *pDecoration, *pAlign, *pVAlign;
    TColorContainer *pFontColor, *pBgColor, *OwnBorderColor;
    QComboBox *ownBorderStyle, *ownBorderWidth, *pULTYPE, *pOLTYPE;
    QLabel* BlockLabel = nullptr;
    QLineEdit* pBlock = nullptr;
    QTabWidget* Pages = nullptr;
    TCaptionGroup* PreviewGroup = nullptr;
    QPushButton* btnGenerate = nullptr;
    QPushButton* btnCancel = nullptr;

    void pBlockChange();
    void ownBorderStyleChange();
    // A list type chosen in both lists: the message, and the list just changed emptied.
    void VerifyOnlyOneListType(QComboBox* changed);

    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void SetValues(const TCSSValues& values);
    void RequestPreview();
    void RemovePreview();

    Tmain& window_;
    TCSSMode mode_;
    std::unique_ptr<TPreviewBrowser> browser_;
    std::unique_ptr<QTemporaryDir> previewDir_;
    QString previewFile_;
    QTimer* previewTimer_ = nullptr;
    QStringList extra_; // declarations the controls cannot show
};
