#pragma once

#include "markup/sites/LayoutGuideCode.h"

#include <QDialog>
#include <memory>

class QCheckBox;
class QLineEdit;
class QPushButton;
class QTimer;
class TPrivatePreview;
class TValueListEditor;
class Tmain;

// "Layoutguiden": adds layout blocks (heading, link bar, content area, footer) in front of the
// last three lines of the current document, with a preview that follows every change after
// half a second.
class TdispWiz : public QDialog {
public:
    explicit TdispWiz(Tmain& window, QWidget* parent = nullptr);
    ~TdispWiz() override;

    QCheckBox* cbUseH1 = nullptr;
    QLineEdit* eH1Caption = nullptr;
    QCheckBox* cbUseLnks = nullptr;
    TValueListEditor* vleLinks = nullptr;
    QCheckBox* cbVertLnk = nullptr;
    QLineEdit* eLnkStyle = nullptr;
    QCheckBox* cbUseDIV = nullptr;
    QLineEdit* eDIVStyle = nullptr;
    QCheckBox* cbUseFooter = nullptr;
    QLineEdit* eFooter = nullptr;
    QLineEdit* eFooterStyle = nullptr;
    QPushButton* STYLE0 = nullptr; // "CSS" of the link bar
    QPushButton* STYLE1 = nullptr; // of the content area
    QPushButton* STYLE2 = nullptr; // of the footer
    QPushButton* btnGenerate = nullptr;
    QPushButton* btnCancel = nullptr;
    QTimer* APU = nullptr; // 500 ms, restarted by every change
    TPrivatePreview* Preview() const { return preview_.get(); }

    TLayoutGuideFields Fields() const;
    // The document's lines with the blocks.
    QByteArrayList WriteCode() const;

    void UpdatePreviewSoon();
    void UpdatePreview();
    // A "CSS" button: the style-sheet editor's declarations replace the style field's text.
    void EditStyle(QLineEdit* field);
    // "&Generera": the document's whole text becomes WriteCode's lines.
    void btnGenerateClick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    Tmain& window_;
    std::unique_ptr<TPrivatePreview> preview_;
};
