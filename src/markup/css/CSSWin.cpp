#include "markup/css/CSSWin.h"

#include "app/core/StringHelpers.h"
#include "app/mainwindow/MainWin.h"
#include "app/preview/PreviewBrowser.h"
#include "app/preview/WebEnginePreviewBrowser.h"
#include "controls/CaptionGroup.h"
#include "controls/ColorContainer.h"
#include "editor/view/TextEditorEx.h"
#include "platform/Cp1252.h"
#include "platform/Dialogs.h"
#include "platform/SilentAbort.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontDatabase>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSaveFile>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <QVBoxLayout>
#include <QWebEngineSettings>
#include <QWebEngineView>

namespace {

const QString kDefaultBlock = QStringLiteral(".NyttBlock");

QComboBox* Combo(QWidget* parent, const QStringList& items, const QString& current,
                 bool editable = false) {
    auto* combo = new QComboBox(parent);
    combo->addItems(items);
    combo->setEditable(editable);
    if (editable)
        combo->setInsertPolicy(QComboBox::NoInsert);
    if (current.isEmpty())
        combo->setCurrentIndex(-1);
    else if (editable)
        combo->setEditText(current);
    else
        combo->setCurrentText(current);
    return combo;
}

TCSSProperty Read(const QCheckBox* box, const QString& value, const QComboBox* unit = nullptr) {
    return {box->isChecked(), value, unit ? unit->currentText() : QString()};
}

void Show(QCheckBox* box, QLineEdit* edit, QComboBox* unit, const TCSSProperty& p) {
    box->setChecked(p.Enabled);
    if (!p.Enabled)
        return;
    edit->setText(p.Value);
    if (unit)
        unit->setCurrentText(p.Unit);
}

void Show(QCheckBox* box, QComboBox* combo, const TCSSProperty& p) {
    box->setChecked(p.Enabled);
    if (!p.Enabled)
        return;
    if (combo->isEditable())
        combo->setEditText(p.Value);
    else
        combo->setCurrentText(p.Value);
}

} // namespace

TCSS::TCSS(Tmain& window, TCSSMode mode, QWidget* parent)
    : QDialog(parent), window_(window), mode_(mode) {
    setWindowTitle(QStringLiteral("Stilmall"));
    resize(760, 560);
    auto* layout = new QVBoxLayout(this);

    auto* blockRow = new QHBoxLayout;
    BlockLabel = new QLabel(QStringLiteral("Blo&ck:"), this);
    pBlock = new QLineEdit(kDefaultBlock, this);
    pBlock->setObjectName(QStringLiteral("pBlock"));
    BlockLabel->setBuddy(pBlock);
    blockRow->addWidget(BlockLabel);
    blockRow->addWidget(pBlock, 1);
    layout->addLayout(blockRow);

    Pages = new QTabWidget(this);
    layout->addWidget(Pages);
    struct PageGrid {
        QWidget* page;
        QGridLayout* grid;
        int row = 0;
    };
    const auto page = [this](const QString& caption, const char* name) {
        auto* widget = new QWidget(Pages);
        widget->setObjectName(QLatin1String(name));
        auto* grid = new QGridLayout(widget);
        grid->setColumnStretch(1, 1);
        Pages->addTab(widget, caption);
        return PageGrid{widget, grid};
    };
    // A property row: its enable box, its value control and its unit list.
    const auto row = [](PageGrid& p, const QString& caption, const char* property, QWidget* value,
                        QComboBox* unit = nullptr) {
        auto* box = new QCheckBox(caption, p.page);
        for (QWidget* w : {static_cast<QWidget*>(box), value, static_cast<QWidget*>(unit)})
            if (w)
                w->setToolTip(QLatin1String(property));
        p.grid->addWidget(box, p.row, 0);
        p.grid->addWidget(value, p.row, 1);
        if (unit)
            p.grid->addWidget(unit, p.row, 2);
        ++p.row;
        return box;
    };
    const auto edit = [](QWidget* parent, const QString& text) {
        auto* e = new QLineEdit(text, parent);
        return e;
    };
    const auto swatch = [](QWidget* parent, TColor color) {
        auto* s = new TColorContainer(parent);
        s->SetCurrentColor(color);
        s->SetUseLabel(true);
        s->setMinimumHeight(22);
        return s;
    };

    PageGrid chars = page(QStringLiteral("Teckenformatering"), "pFont");
    QStringList fonts = QFontDatabase::families();
    fonts.removeAll(QStringLiteral("Default"));
    pFontFace = Combo(chars.page, fonts, QStringLiteral("Verdana"), true);
    pAFontFace = row(chars, QStringLiteral("&Teckensnitt:"), "font-family", pFontFace);
    pFontSize = edit(chars.page, QStringLiteral("12"));
    pFontSizeUnit = Combo(chars.page, CSSCode::FontSizeUnits(), QStringLiteral("px"));
    pAFontSize =
        row(chars, QStringLiteral("Teckens&torlek:"), "font-size", pFontSize, pFontSizeUnit);
    pFontColor = swatch(chars.page, clBlack);
    pAFontColor = row(chars, QStringLiteral("Te&xtfärg:"), "color", pFontColor);
    pBgColor = swatch(chars.page, clWhite);
    pABgColor = row(chars, QStringLiteral("&Bakgrundsfärg:"), "background-color", pBgColor);
    pBoldness = Combo(chars.page, CSSCode::Boldnesses(), QStringLiteral("normal"));
    pABoldness = row(chars, QStringLiteral("&Fetstil:"), "font-weight", pBoldness);
    pStyle = Combo(chars.page, CSSCode::Styles(), QStringLiteral("normal"));
    pAStyle = row(chars, QStringLiteral("&Stil:"), "font-style", pStyle);
    pDecoration = Combo(chars.page, CSSCode::Decorations(), QStringLiteral("none"));
    pADecoration = row(chars, QStringLiteral("&Dekoration:"), "text-decoration", pDecoration);
    pLS = edit(chars.page, QString());
    pLSUnit = Combo(chars.page, CSSCode::SpacingUnits(), QStringLiteral("px"));
    pALS = row(chars, QStringLiteral("Teckena&vstånd:"), "letter-spacing", pLS, pLSUnit);
    pWS = edit(chars.page, QString());
    pWSUnit = Combo(chars.page, CSSCode::SpacingUnits(), QStringLiteral("px"));
    pAWS = row(chars, QStringLiteral("&Ordavstånd:"), "word-spacing", pWS, pWSUnit);

    PageGrid para = page(QStringLiteral("Styckeformatering"), "pParagraph");
    pAlign = Combo(para.page, CSSCode::Aligns(), QStringLiteral("left"));
    pAAlign = row(para, QStringLiteral("&Justering:"), "text-align", pAlign);
    pVAlign = Combo(para.page, CSSCode::VAligns(), QStringLiteral("top"));
    pAVAlign = row(para, QStringLiteral("&Vertikal justering:"), "vertical-align", pVAlign);
    const auto length = [&](PageGrid& p, const QString& caption, const char* property,
                            QLineEdit** value, QComboBox** unit) {
        *value = edit(p.page, QStringLiteral("0"));
        *unit = Combo(p.page, CSSCode::LengthUnits(), QStringLiteral("px"));
        return row(p, caption, property, *value, *unit);
    };
    pAIndent = length(para, QStringLiteral("&Indrag:"), "text-indent", &pIndent, &pIndentUnit);
    pALMargin =
        length(para, QStringLiteral("Vä&nstermarginal:"), "margin-left", &pLMargin, &pLMarginUnit);
    pARMargin =
        length(para, QStringLiteral("&Högermarginal:"), "margin-right", &pRMargin, &pRMarginUnit);
    pATMargin =
        length(para, QStringLiteral("Ö&vre marginal:"), "margin-top", &pTMargin, &pTMarginUnit);
    pALH = length(para, QStringLiteral("&Radhöjd:"), "line-height", &pLH, &pLHUnit);

    PageGrid size = page(QStringLiteral("Objektstorlek"), "pSize");
    pAWidth = length(size, QStringLiteral("&Bredd:"), "width", &pWidth, &pWidthU);
    pAHeight = length(size, QStringLiteral("&Höjd:"), "height", &pHeight, &pHeightU);
    pWidth->clear();
    pHeight->clear();

    PageGrid border = page(QStringLiteral("Kantlinje"), "pBorder");
    pPadding = edit(border.page, QStringLiteral("0"));
    pAPadding = row(border, QStringLiteral("&Utfyllnad:"), "padding", pPadding);
    const auto label = [](PageGrid& p, const QString& caption, const char* property,
                          QWidget* value) {
        auto* l = new QLabel(caption, p.page);
        l->setBuddy(value);
        value->setToolTip(QLatin1String(property));
        p.grid->addWidget(l, p.row, 0);
        p.grid->addWidget(value, p.row, 1);
        ++p.row;
    };
    ownBorderStyle = Combo(border.page, CSSCode::BorderStyles(), QStringLiteral("(ingen)"));
    label(border, QStringLiteral("Kantlinje&stil:"), "border-style", ownBorderStyle);
    OwnBorderColor = swatch(border.page, clBlack);
    label(border, QStringLiteral("Kantlinje&färg:"), "border-color", OwnBorderColor);
    ownBorderWidth = Combo(border.page, CSSCode::BorderWidths(), QStringLiteral("thin"), true);
    ownBorderWidth->lineEdit()->setMaxLength(10);
    label(border, QStringLiteral("Kantlinje&bredd:"), "border-width", ownBorderWidth);

    PageGrid lists = page(QStringLiteral("Punkt-/Numrerade listor"), "pLists");
    auto* note = new QLabel(
        QStringLiteral("Dessa alternativ bör endast anges för punktlistor (UL) respektive "
                       "numrerade listor (OL) eller användardefinierade grupper (inleds med "
                       "punkt) som är tänkta att appliceras på dessa element."),
        lists.page);
    note->setWordWrap(true);
    lists.grid->addWidget(note, lists.row++, 0, 1, 2);
    pULTYPE = Combo(lists.page, CSSCode::ULTypes(), QString());
    label(lists, QStringLiteral("&Punkttyp (UL):"), "list-style-type", pULTYPE);
    pOLTYPE = Combo(lists.page, CSSCode::OLTypes(), QString());
    label(lists, QStringLiteral("&Numreringstyp (OL):"), "list-style-type", pOLTYPE);
    for (PageGrid* p : {&chars, &para, &size, &border, &lists})
        p->grid->setRowStretch(p->row, 1);

    PreviewGroup = new TCaptionGroup(this);
    PreviewGroup->SetCaptionText(QStringLiteral(" Förhandsgranskning "));
    auto* previewLayout = new QVBoxLayout(PreviewGroup);
    previewLayout->setContentsMargins(8, 28, 8, 8);
    if (window_.MakePreviewBrowser)
        browser_ = window_.MakePreviewBrowser();
    if (auto* web = dynamic_cast<TWebEnginePreviewBrowser*>(browser_.get())) {
        // The sample page runs no scripts.
        if (QWebEngineView* view = web->View())
            view->settings()->setAttribute(QWebEngineSettings::JavascriptEnabled, false);
    }
    if (browser_) {
        browser_->Widget()->setMinimumHeight(140);
        previewLayout->addWidget(browser_->Widget());
    }
    layout->addWidget(PreviewGroup, 1);

    QHBoxLayout* buttons =
        Dialogs::OkCancelRow(this, QStringLiteral("&Generera"), &btnGenerate, &btnCancel);
    layout->addLayout(buttons);

    // The preview follows every change, a moment after the last one.
    previewTimer_ = new QTimer(this);
    previewTimer_->setSingleShot(true);
    previewTimer_->setInterval(150);
    connect(previewTimer_, &QTimer::timeout, this,
            [this] { RunCommand([this] { UpdatePreview(); }); });
    for (QCheckBox* box : findChildren<QCheckBox*>())
        connect(box, &QCheckBox::toggled, this, [this] { RequestPreview(); });
    for (QLineEdit* e : findChildren<QLineEdit*>())
        connect(e, &QLineEdit::textChanged, this, [this] { RequestPreview(); });
    for (QComboBox* c : findChildren<QComboBox*>())
        connect(c, &QComboBox::currentTextChanged, this, [this] { RequestPreview(); });
    for (TColorContainer* s : {pFontColor, pBgColor, OwnBorderColor})
        s->OnChange = [this](QObject*) { RequestPreview(); };

    connect(pBlock, &QLineEdit::textChanged, this, [this] { pBlockChange(); });
    connect(ownBorderStyle, &QComboBox::currentTextChanged, this,
            [this] { ownBorderStyleChange(); });
    connect(pULTYPE, &QComboBox::activated, this,
            [this] { RunCommand([this] { VerifyOnlyOneListType(pULTYPE); }); });
    connect(pOLTYPE, &QComboBox::activated, this,
            [this] { RunCommand([this] { VerifyOnlyOneListType(pOLTYPE); }); });
    ownBorderStyleChange();
    // The selector is written in rule blocks only.
    const bool block = mode_ == TCSSMode::RuleBlock;
    BlockLabel->setVisible(block);
    pBlock->setVisible(block);
}

TCSS::~TCSS() {
    RemovePreview();
}

void TCSS::LockGroup(const QString& selector) {
    pBlock->setText(selector);
    pBlock->setEnabled(false);
    setWindowTitle(QStringLiteral("Stilmallsformatering för ") + selector.toUpper());
}

void TCSS::SetInitialText(const QString& declarations) {
    TCSSValues values = Values();
    CSSCode::ReadDeclarations(declarations, &values);
    SetValues(values);
}

void TCSS::ShowPage(TPage page) {
    Pages->setCurrentIndex(static_cast<int>(page));
}

void TCSS::ShowPage(const QString& name) {
    for (int i = 0; i < Pages->count(); ++i)
        if (Pages->widget(i)->objectName() == name)
            Pages->setCurrentIndex(i);
}

std::optional<QString> TCSS::EditDeclarations(Tmain& window, const QString& declarations,
                                              const QString& page) {
    TCSS css(window, TCSSMode::Declarations, &window);
    css.SetInitialText(declarations);
    css.ShowPage(page);
    if (!css.Run())
        return std::nullopt;
    return css.Result();
}

bool TCSS::Run() {
    return Dialogs::RunModal(this) == Dialogs::mrOk;
}

TCSSValues TCSS::Values() const {
    TCSSValues v;
    v.Selector = pBlock->text();
    v.Width = Read(pAWidth, pWidth->text(), pWidthU);
    v.Height = Read(pAHeight, pHeight->text(), pHeightU);
    v.FontFamily = Read(pAFontFace, pFontFace->currentText());
    v.FontSize = Read(pAFontSize, pFontSize->text(), pFontSizeUnit);
    v.FontColorEnabled = pAFontColor->isChecked();
    v.FontColor = pFontColor->CurrentColor();
    v.BgColorEnabled = pABgColor->isChecked();
    v.BgColor = pBgColor->CurrentColor();
    v.Boldness = Read(pABoldness, pBoldness->currentText());
    v.Style = Read(pAStyle, pStyle->currentText());
    v.Decoration = Read(pADecoration, pDecoration->currentText());
    v.LetterSpacing = Read(pALS, pLS->text(), pLSUnit);
    v.WordSpacing = Read(pAWS, pWS->text(), pWSUnit);
    v.Align = Read(pAAlign, pAlign->currentText());
    v.VAlign = Read(pAVAlign, pVAlign->currentText());
    v.Indent = Read(pAIndent, pIndent->text(), pIndentUnit);
    v.LeftMargin = Read(pALMargin, pLMargin->text(), pLMarginUnit);
    v.RightMargin = Read(pARMargin, pRMargin->text(), pRMarginUnit);
    v.TopMargin = Read(pATMargin, pTMargin->text(), pTMarginUnit);
    v.LineHeight = Read(pALH, pLH->text(), pLHUnit);
    v.Padding = Read(pAPadding, pPadding->text());
    v.BorderStyle = ownBorderStyle->currentText();
    v.BorderColor = OwnBorderColor->CurrentColor();
    v.BorderWidth = ownBorderWidth->currentText();
    v.ULType = pULTYPE->currentText();
    v.OLType = pOLTYPE->currentText();
    v.Extra = extra_;
    return v;
}

void TCSS::SetValues(const TCSSValues& v) {
    pBlock->setText(v.Selector);
    Show(pAWidth, pWidth, pWidthU, v.Width);
    Show(pAHeight, pHeight, pHeightU, v.Height);
    Show(pAFontFace, pFontFace, v.FontFamily);
    Show(pAFontSize, pFontSize, pFontSizeUnit, v.FontSize);
    pAFontColor->setChecked(v.FontColorEnabled);
    pFontColor->SetCurrentColor(v.FontColor);
    pABgColor->setChecked(v.BgColorEnabled);
    pBgColor->SetCurrentColor(v.BgColor);
    Show(pABoldness, pBoldness, v.Boldness);
    Show(pAStyle, pStyle, v.Style);
    Show(pADecoration, pDecoration, v.Decoration);
    Show(pALS, pLS, pLSUnit, v.LetterSpacing);
    Show(pAWS, pWS, pWSUnit, v.WordSpacing);
    Show(pAAlign, pAlign, v.Align);
    Show(pAVAlign, pVAlign, v.VAlign);
    Show(pAIndent, pIndent, pIndentUnit, v.Indent);
    Show(pALMargin, pLMargin, pLMarginUnit, v.LeftMargin);
    Show(pARMargin, pRMargin, pRMarginUnit, v.RightMargin);
    Show(pATMargin, pTMargin, pTMarginUnit, v.TopMargin);
    Show(pALH, pLH, pLHUnit, v.LineHeight);
    Show(pAPadding, pPadding, nullptr, v.Padding);
    ownBorderStyle->setCurrentText(v.BorderStyle);
    OwnBorderColor->SetCurrentColor(v.BorderColor);
    ownBorderWidth->setEditText(v.BorderWidth);
    const auto list = [](QComboBox* combo, const QString& type) {
        const QSignalBlocker block(combo);
        if (type.isEmpty())
            combo->setCurrentIndex(-1);
        else
            combo->setCurrentText(type);
    };
    list(pULTYPE, v.ULType);
    list(pOLTYPE, v.OLType);
    extra_ = v.Extra;
    RequestPreview();
}

QByteArray TCSS::Code() const {
    return CSSCode::WriteCode(Values(), mode_, false, window_.TagCase,
                              GetIndentString(*window_.CodeEditor->Settings()));
}

QString TCSS::Result() const {
    return Cp1252::Decode(Code());
}

void TCSS::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    UpdatePreview();
}

void TCSS::RequestPreview() {
    if (isVisible())
        previewTimer_->start();
}

void TCSS::UpdatePreview() {
    previewTimer_->stop();
    if (!browser_)
        return;
    if (!previewDir_) {
        previewDir_ = std::make_unique<QTemporaryDir>();
        if (!previewDir_->isValid()) {
            previewDir_.reset();
            return;
        }
        previewFile_ = previewDir_->filePath(QStringLiteral("stilmall.html"));
    }
    const QByteArray page = CSSCode::WriteCode(Values(), mode_, true, window_.TagCase,
                                               GetIndentString(*window_.CodeEditor->Settings())) +
                            "\r\n";
    // A failed write leaves the page as it was.
    QSaveFile file(previewFile_);
    if (file.open(QIODevice::WriteOnly) && file.write(page) == page.size())
        file.commit();
    browser_->NavigateToFile(previewFile_);
}

void TCSS::RemovePreview() {
    previewDir_.reset();
}

void TCSS::done(int result) {
    previewTimer_->stop();
    RemovePreview();
    QDialog::done(result);
}

void TCSS::pBlockChange() {
    if (pBlock->text().isEmpty())
        pBlock->setText(kDefaultBlock);
}

void TCSS::ownBorderStyleChange() {
    const bool on = ownBorderStyle->currentText().toLower() != QLatin1String("(ingen)");
    OwnBorderColor->setEnabled(on);
    ownBorderWidth->setEnabled(on);
}

void TCSS::VerifyOnlyOneListType(QComboBox* changed) {
    if (pULTYPE->currentText().isEmpty() || pOLTYPE->currentText().isEmpty())
        return;
    window_.kvMessageBox(QStringLiteral("En lista kan inte vara både en punktlista och en "
                                        "numrerad lista samtidigt. Låt ett av fälten vara tomt."));
    const QSignalBlocker block(changed);
    changed->setCurrentIndex(-1);
    RequestPreview();
}
