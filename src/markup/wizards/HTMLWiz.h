#pragma once

#include "markup/wizards/PageWizardCode.h"

#include <QDialog>
#include <QStringList>
#include <memory>
#include <vector>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTabWidget;
class TColorContainer;
class THeadPages;
class TIntegerEdit;
class TPrivatePreview;
class TTextEditorEx;
class TValueListEditor;
class Tmain;

// "Webbsideguiden": builds the skeleton of a new page from eleven pages of settings, with a
// live preview filled with sample content, and appends it to the current document with
// "&Nästa". Its settings can be saved to and loaded from the settings files.
//
//     if (THTMLWiz::Execute(window, owner)) ... // the page was written
class THTMLWiz : public QDialog {
public:
    explicit THTMLWiz(Tmain& window, QWidget* parent = nullptr);
    ~THTMLWiz() override;

    // Shows the wizard modally over the current document. When it wrote the page: the
    // after-wizard event, the status text and the question whether to start the layout guide,
    // all once the wizard has closed. True when the page was written.
    static bool Execute(Tmain& window, QWidget* parent);

    // One formatting button and the selector it formats.
    struct TFormatButton {
        QPushButton* Button = nullptr;
        QString Selector;
    };

    // --- controls ------------------------------------------------------------------------
    QTabWidget* Pages = nullptr;
    THeadPages* HeadPages = nullptr;
    QListWidget* pLINKEDCSS = nullptr;
    QListWidget* pLINKEDJS = nullptr;
    QPushButton *btnAddLinkedCSS = nullptr, *btnDelLinkedCSS = nullptr;
    QPushButton *btnAddLinkedJS = nullptr, *btnDelLinkedJS = nullptr;
    QCheckBox* pUseBGCOLOR = nullptr;
    TColorContainer* pBGCOLOR = nullptr;
    QLineEdit* pBGIMG = nullptr;
    QComboBox* pBGREPEAT = nullptr;
    QComboBox* pBGPOSITION = nullptr;
    QCheckBox* pUseMargins = nullptr;
    TIntegerEdit *pMARGINRIGHT = nullptr, *pMARGINLEFT = nullptr, *pMARGINTOP = nullptr,
                 *pMARGINBOTTOM = nullptr;
    std::vector<QLabel*> MarginLabels;
    // The nineteen formatting buttons in their fixed order.
    std::vector<TFormatButton> FormatButtons;
    TTextEditorEx* pCONTENT = nullptr;
    QListWidget* tpls = nullptr;
    QPushButton* btnSaveTmp = nullptr;
    QPushButton* btnCancel = nullptr;
    QPushButton* btnNext = nullptr;

    // One "selector=rule" entry per formatted selector.
    QStringList StyleGroups;

    // The button of a selector; null for none.
    QPushButton* Button(const QString& selector) const;

    // --- state ------------------------------------------------------------------------------
    TPageWizardFields Fields() const;
    void SetFields(const TPageWizardFields& fields);
    QByteArrayList WriteCode(bool preview) const;
    TPrivatePreview* Preview() const { return preview_.get(); }

    // --- commands ----------------------------------------------------------------------------
    // "&Nästa": appends the page after the document's lines and puts the caret into its body.
    void DoGenerate();
    void ToggleGroup(const QString& selector);
    void SaveGroup(const QString& selector);
    void DelGroup(const QString& selector);
    void UpdateButtons();
    void UpdatePreview();
    void pUseMarginsClick();
    void btnAddLinkedCSSClick();
    void btnDelLinkedCSSClick();
    void btnAddLinkedJSClick();
    void btnDelLinkedJSClick();
    // The settings list: every settings file of the folder, sorted.
    void UpdateFiles();
    // Loads the settings file of the chosen list item.
    void LoadItem();
    // Fills the wizard from a settings file; false (and a message) on failure.
    bool OpenTemplate(const QString& fileName);
    void SaveTmp();

protected:
    void showEvent(QShowEvent* event) override;

private:
    QWidget* BuildBackgroundPage();
    QWidget* BuildButtonPage(const QStringList& names, const QString& note = {});
    void AddFormatButton(QWidget* page, const QString& name, const QString& caption,
                         const QString& selector);

    Tmain& window_;
    std::unique_ptr<TPrivatePreview> preview_;
};
