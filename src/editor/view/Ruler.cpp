#include "editor/view/Ruler.h"

#include "editor/view/TextEditorEx.h"
#include "platform/SilentAbort.h"

#include <QActionGroup>
#include <QContextMenuEvent>
#include <QCursor>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QImage>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPalette>
#include <QPixmap>
#include <cmath>

TRulerColorQuery TRuler::ColorQuery;

namespace {

// The menu's hints have an empty short part: the text is all long part.
void SetItemHint(QAction* item, const QString& text) {
    item->setToolTip(QString());
    item->setStatusTip(text);
    item->setProperty("Hint", QStringLiteral("|") + text);
}

// An arrow that points up and to the right, as a ruler on the left of text wants.
QCursor NorthEastArrow() {
    static const QPointF arrow[] = {{11, 0}, {11, 16}, {7, 12}, {4, 19}, {2, 18}, {5, 11}, {0, 11}};
    QPixmap pixmap(16, 24);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(Qt::black);
    p.setBrush(Qt::white);
    p.translate(0.5, 0.5);
    p.drawPolygon(arrow, static_cast<int>(std::size(arrow)));
    p.end();
    return QCursor(pixmap, 11, 0);
}

// The created width; the ruler widens for longer numbers.
constexpr int kMinWidth = 33;

QColor Rgb(TColor rgb) {
    return QColor(rgb & 0xFF, (rgb >> 8) & 0xFF, (rgb >> 16) & 0xFF);
}

} // namespace

TRuler::TRuler(QWidget* parent) : QWidget(parent) {
    setFixedWidth(kMinWidth);
    resize(kMinWidth, 480);
    font_ = QFont(QStringLiteral("Arial Narrow"), 10);
    font_.setBold(true);
    setCursor(NorthEastArrow());
    setContextMenuPolicy(Qt::DefaultContextMenu);
    UpdateNumberColor();
    BuildMenu();
}

TRuler::~TRuler() {
    // An editor that outlives its ruler must not repaint it any more.
    if (editor_ && editor_->Ruler() == this)
        editor_->SetRuler(nullptr);
}

bool TRuler::SchemeColors(int tag, TColor* color, TColor* gradientColor) {
    switch (tag) {
    case SchemeCaption:
        *color = clActiveCaption;
        *gradientColor = clGradientActiveCaption;
        return true;
    case SchemeControl:
        *color = clBtnShadow;
        *gradientColor = clBtnFace;
        return true;
    case SchemeDark:
        *color = 0x444444;
        *gradientColor = clBlack;
        return true;
    default:
        return false;
    }
}

// --- properties ------------------------------------------------------------------------------

void TRuler::SetSurfaceType(TSurfaceType value) {
    if (value == surfaceType_)
        return;
    surfaceType_ = value;
    UpdateNumberColor();
    repaint();
}

void TRuler::SetColor(TColor value) {
    if (value == color_)
        return;
    color_ = value;
    UpdateNumberColor();
    repaint();
}

void TRuler::SetGradientColor(TColor value) {
    if (value == gradientColor_)
        return;
    gradientColor_ = value;
    UpdateNumberColor();
    repaint();
}

void TRuler::SetUseEditorFont(bool value) {
    if (value == useEditorFont_)
        return;
    useEditorFont_ = value;
    FitWidth();
    update();
}

void TRuler::SetTextEditorEx(TTextEditorEx* editor) {
    if (editor == editor_)
        return;
    editor_ = editor;
    FitWidth();
    update();
}

void TRuler::SetShowLineNumbers(bool value) {
    if (value == showLineNumbers_)
        return;
    showLineNumbers_ = value;
    update();
}

void TRuler::SetLineNumberEvery(int value) {
    // Every row at the least: a step of 0 or below would number nothing sensible.
    value = std::max(1, value);
    if (value == lineNumberEvery_)
        return;
    lineNumberEvery_ = value;
    update();
}

void TRuler::SetFont(const QFont& font) {
    font_ = font;
    FitWidth();
    update();
}

void TRuler::UpdateNumberColor() {
    // The numbers stand at the right, where a gradient has reached its end colour.
    const TColor rgb =
        ColorToRGB(surfaceType_ == TSurfaceType::stGradient ? gradientColor_ : color_);
    const int mean = (static_cast<int>(rgb & 0xFF) + static_cast<int>((rgb >> 8) & 0xFF) +
                      static_cast<int>((rgb >> 16) & 0xFF)) /
                     3;
    numberColor_ = mean >= 128 ? clBlack : clWhite;
}

void TRuler::Assign(const TRuler& source) {
    color_ = source.color_;
    gradientColor_ = source.gradientColor_;
    surfaceType_ = source.surfaceType_;
    useEditorFont_ = source.useEditorFont_;
    font_ = source.font_;
    showLineNumbers_ = source.showLineNumbers_;
    lineNumberEvery_ = source.lineNumberEvery_;
    UpdateNumberColor();
    FitWidth();
    repaint();
}

void TRuler::RepaintNumbers() {
    FitWidth();
    if (showLineNumbers_ && editor_)
        update();
}

int TRuler::FittingWidth() const {
    if (!editor_)
        return kMinWidth;
    const int lineHeight = LineHeight();
    const qint64 largest =
        static_cast<qint64>(editor_->Lines.Count()) + (lineHeight > 0 ? height() / lineHeight : 0);
    const int digits = static_cast<int>(QString::number(largest).size());
    const QFont font = NumberFont();
    if (digits == fitDigits_ && font == fitFont_)
        return fitWidth_;
    const QFontMetrics fm(font);
    int digitWidth = 0;
    for (char d = '0'; d <= '9'; ++d)
        digitWidth = std::max(digitWidth, fm.horizontalAdvance(QLatin1Char(d)));
    const int text = digits * digitWidth;
    // Numbers stand at x = width - text width - width / 4; two pixels stay free on their left.
    int w = kMinWidth;
    while (w - w / 4 - text < 2)
        ++w;
    fitDigits_ = digits;
    fitFont_ = font;
    fitWidth_ = w;
    return w;
}

void TRuler::FitWidth() {
    const int w = FittingWidth();
    if (w == width())
        return;
    setFixedWidth(w);
    if (editor_ && editor_->Ruler() == this)
        editor_->PlaceRuler();
}

void TRuler::resizeEvent(QResizeEvent* e) {
    QWidget::resizeEvent(e);
    FitWidth();
}

// --- painting --------------------------------------------------------------------------------

std::vector<TRulerLabel> TRuler::VisibleLabels(int height, int lineHeight, int topLine, int every,
                                               bool fast) {
    std::vector<TRulerLabel> out;
    if (lineHeight < 1)
        return out;
    const int rows = height / lineHeight;
    if (fast) {
        out.push_back({1, topLine + 1});
        if (rows > 1)
            out.push_back({rows, topLine + rows});
        return out;
    }
    every = std::max(1, every);
    out.reserve(static_cast<size_t>(std::max(0, rows / every)));
    for (int i = every; i <= rows; i += every)
        out.push_back({i, topLine + i});
    return out;
}

std::vector<TRulerLabel> TRuler::Labels() const {
    if (!showLineNumbers_ || !editor_)
        return {};
    return VisibleLabels(height(), LineHeight(), TopLine(), lineNumberEvery_,
                         editor_->RulerFastMode);
}

int TRuler::LineHeight() const {
    return editor_ ? editor_->LineHeight() : 0;
}

int TRuler::TopLine() const {
    return editor_ ? editor_->ScrollPos.Y : 0;
}

QFont TRuler::NumberFont() const {
    if (!useEditorFont_ || !editor_)
        return font_;
    QFont f = editor_->DrawingFont();
    f.setBold(true);
    return f;
}

void TRuler::PaintBackground(QPainter& p, int y1, int y2, bool solid) const {
    const TColor c0 = ColorToRGB(color_);
    if (solid || surfaceType_ == TSurfaceType::stSolid) {
        p.fillRect(QRect(0, y1, width(), y2 - y1), Rgb(c0));
        return;
    }
    const TColor c1 = ColorToRGB(gradientColor_);
    const double w = std::max(1, width());
    auto channel = [w](TColor a, TColor b, int shift, int x) {
        const double from = (a >> shift) & 0xFF;
        const double to = (b >> shift) & 0xFF;
        return static_cast<int>(std::lround(from + x * (to - from) / w));
    };
    // One row of columns, stretched over the band.
    QImage row(std::max(1, width()), 1, QImage::Format_RGB32);
    row.setPixel(0, 0, Rgb(c0).rgb());
    for (int x = 1; x < row.width(); ++x)
        row.setPixel(x, 0,
                     qRgb(channel(c0, c1, 0, x), channel(c0, c1, 8, x), channel(c0, c1, 16, x)));
    p.drawImage(QRect(0, y1, row.width(), y2 - y1), row);
}

void TRuler::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const bool numbers = showLineNumbers_ && editor_;
    // While the editor scrolls: a plain background and only the first and last numbers.
    const bool fast = numbers && editor_->RulerFastMode;
    PaintBackground(p, 0, height(), fast);
    if (!numbers)
        return;
    const int lineHeight = LineHeight();
    p.setFont(NumberFont());
    p.setPen(Rgb(numberColor_));
    p.setBackgroundMode(Qt::TransparentMode);
    const QFontMetrics fm(p.font());
    for (const TRulerLabel& label : Labels()) {
        const QString text = QString::number(label.Number);
        const int textWidth = fm.horizontalAdvance(text);
        const QRect row(0, (label.Row - 1) * lineHeight, width(), lineHeight);
        p.setClipRect(row);
        p.drawText(QRect(width() - textWidth - width() / 4, row.top(), textWidth, fm.height()),
                   Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip, text);
    }
}

// --- mouse and menu --------------------------------------------------------------------------

void TRuler::mousePressEvent(QMouseEvent* e) {
    QWidget::mousePressEvent(e);
    if (e->button() != Qt::LeftButton || !editor_)
        return;
    const int lineHeight = LineHeight();
    if (lineHeight < 1)
        return;
    const int y = static_cast<int>(std::floor(e->position().y()));
    const int row = y >= 0 ? y / lineHeight : -1;
    if (row < 0)
        return;
    RunCommand([&] { editor_->SelectLine(TopLine() + row); });
}

void TRuler::contextMenuEvent(QContextMenuEvent* e) {
    e->accept();
    menu_->popup(e->globalPos());
}

QString TRuler::EveryCaption(int n) {
    QString which;
    if (n == 1)
        which = QStringLiteral("varje");
    else if (n == 2)
        which = QStringLiteral("varannan");
    else
        which = QStringLiteral("var ") + QString::number(n) + QStringLiteral(":e");
    return QStringLiteral("Visa nummer på ") + which + QStringLiteral(" rad");
}

void TRuler::BuildMenu() {
    menu_ = new QMenu(this);
    menu_->setToolTipsVisible(false);
    auto add = [this](const QString& caption, const QString& hint, auto command) {
        QAction* item = menu_->addAction(caption);
        SetItemHint(item, hint);
        connect(item, &QAction::triggered, this, [command] { RunCommand(command); });
        return item;
    };

    showNumbersItem_ =
        add(QStringLiteral("Visa radnummer"), QStringLiteral("Visar eller döljer radnummer."),
            [this] { SetShowLineNumbers(!showLineNumbers_); });
    showNumbersItem_->setCheckable(true);
    menu_->addSeparator();

    auto* group = new QActionGroup(this);
    group->setExclusive(true);
    for (int n = 1; n <= 10; ++n) {
        QAction* item = add(EveryCaption(n), QStringLiteral("Anger avståndet mellan radnumren."),
                            [this, n] { SetLineNumberEvery(n); });
        item->setCheckable(true);
        item->setData(n);
        group->addAction(item);
        everyItems_.push_back(item);
    }
    menu_->addSeparator();

    gradientItem_ =
        add(QStringLiteral("Gradient bakgrund"),
            QStringLiteral("Anger huruvida linjalens bakgrund ska vara en färggradient."), [this] {
                SetSurfaceType(surfaceType_ == TSurfaceType::stGradient ? TSurfaceType::stSolid
                                                                        : TSurfaceType::stGradient);
            });
    gradientItem_->setCheckable(true);
    chooseColorsItem_ =
        add(QStringLiteral("Ange bakgrundsfärger..."),
            QStringLiteral("Anger linjalens bakgrundsfärger."), [this] { ChooseColors(); });
    chooseColorsItem_->setCheckable(true);
    static const char* const schemes[] = {"Standard (titelfärger)", "Standard (kontrollfärg)",
                                          "Standard (Zaziriziva svart)"};
    for (int i = 0; i < 3; ++i) {
        const int tag = SchemeCaption + i;
        QAction* item =
            add(QStringLiteral("Standardfärgschema: ") + QString::fromUtf8(schemes[i]),
                QStringLiteral("Sätter linjalens bakgrundsfärger till standardvärdena."),
                [this, tag] { ApplyScheme(tag); });
        item->setCheckable(true);
        item->setData(tag);
        schemeItems_.push_back(item);
    }
    connect(menu_, &QMenu::aboutToShow, this, [this] { RefreshMenu(); });
    RefreshMenu();
}

void TRuler::RefreshMenu() {
    showNumbersItem_->setChecked(showLineNumbers_);
    for (QAction* item : everyItems_)
        item->setChecked(item->data().toInt() == lineNumberEvery_);
    gradientItem_->setChecked(surfaceType_ == TSurfaceType::stGradient);
    const TColor c = ColorToRGB(color_);
    const TColor g = ColorToRGB(gradientColor_);
    bool anyScheme = false;
    for (QAction* item : schemeItems_) {
        TColor sc = 0, sg = 0;
        SchemeColors(item->data().toInt(), &sc, &sg);
        const bool match = ColorToRGB(sc) == c && ColorToRGB(sg) == g;
        item->setChecked(match);
        anyScheme = anyScheme || match;
    }
    // Choosing colours needs the colour dialog: no item without it.
    chooseColorsItem_->setVisible(static_cast<bool>(ColorQuery));
    chooseColorsItem_->setChecked(!anyScheme);
}

void TRuler::ApplyScheme(int tag) {
    TColor c = 0, g = 0;
    if (!SchemeColors(tag, &c, &g))
        return;
    color_ = c;
    gradientColor_ = g;
    UpdateNumberColor();
    repaint();
}

void TRuler::ChooseColors() {
    if (!ColorQuery)
        return;
    const QString button = QStringLiteral("Ange");
    if (const auto c = ColorQuery(QStringLiteral("Ange bakgrundsfärg"), button, ColorToRGB(color_)))
        SetColor(*c);
    if (const auto g = ColorQuery(QStringLiteral("Ange gradient bakgrundsfärg"), button,
                                  ColorToRGB(gradientColor_)))
        SetGradientColor(*g);
}
