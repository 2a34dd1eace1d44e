#include "controls/HexColorWin.h"

#include "controls/ColorBrightness.h"
#include "controls/ColorMap.h"
#include "controls/ColorMath.h"
#include "controls/HexColorDialog.h"
#include "controls/IntegerEdit.h"
#include "controls/WebSafePal.h"
#include "platform/AppPaths.h"
#include "platform/Cp1252.h"
#include "platform/Dialogs.h"

#include <QApplication>
#include <QClipboard>
#include <QColorDialog>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QSaveFile>
#include <QSlider>
#include <QTabWidget>

using namespace ColorMath;

namespace {

// A hint "short|long": the short part is the tool tip, the long part the status text.
void SetHint(QObject* target, const QString& hint) {
    const qsizetype bar = hint.indexOf(QLatin1Char('|'));
    const QString shortPart = bar < 0 ? hint : hint.left(bar);
    const QString longPart = bar < 0 ? hint : hint.mid(bar + 1);
    if (auto* w = qobject_cast<QWidget*>(target)) {
        w->setToolTip(shortPart);
        w->setStatusTip(longPart);
    } else if (auto* a = qobject_cast<QAction*>(target)) {
        a->setToolTip(shortPart);
        a->setStatusTip(longPart);
    }
    target->setProperty("Hint", hint);
}

QLabel* MakeLabel(QWidget* parent, const QString& text, const QRect& geometry) {
    auto* label = new QLabel(text, parent);
    label->setTextFormat(Qt::PlainText);
    label->setGeometry(geometry);
    return label;
}

QPushButton* MakeButton(QWidget* parent, const QString& text, const QString& hint,
                        const QRect& geometry) {
    auto* button = new QPushButton(text, parent);
    button->setGeometry(geometry);
    button->setAutoDefault(false);
    SetHint(button, hint);
    return button;
}

QIcon ColorIcon(TColor color) {
    QPixmap pixmap(12, 12);
    pixmap.fill(ToQColor(color));
    QPainter p(&pixmap);
    p.setPen(Qt::black);
    p.drawRect(0, 0, 11, 11);
    return QIcon(pixmap);
}

QAction* AddTitle(QMenu* menu, const QString& title) {
    QAction* item = menu->addAction(title);
    item->setEnabled(false);
    menu->addSeparator();
    return item;
}

QFont CourierNew(int pointSize) {
    QFont font(QStringLiteral("Courier New"), pointSize);
    font.setStyleHint(QFont::Monospace);
    return font;
}

} // namespace

QString Thexcolor::CustomColorsFile() {
    return AppPaths::DataFile(QStringLiteral("CustomColors.dat"));
}

QString Thexcolor::OpenFailedEntry() {
    return QStringLiteral("Det gick inte att öppna filen.");
}

Thexcolor::Thexcolor(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Färg"));
    setFixedSize(623, 501);

    PageControl = new QTabWidget(this);
    PageControl->setObjectName(QStringLiteral("PageControl"));
    PageControl->setGeometry(8, 8, 512, 326);
    auto* mapPage = new QWidget;
    WebPage = new QWidget;
    auto* customPage = new QWidget;
    PageControl->addTab(mapPage, QStringLiteral("Färgkarta"));
    PageControl->addTab(WebPage, QStringLiteral("Webbfärger"));
    PageControl->addTab(customPage, QStringLiteral("Anpassade färger"));
    BuildColorMapPage(mapPage);
    BuildWebPage(WebPage);
    BuildCustomPage(customPage);
    BuildRGBGroup();

    // The right column: sample, colour text and buttons.
    auto* bevel = new QFrame(this);
    bevel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    bevel->setGeometry(528, 30, 88, 88);
    realcolor = new QFrame(bevel);
    realcolor->setObjectName(QStringLiteral("realcolor"));
    realcolor->setGeometry(3, 3, 82, 82);
    realcolor->setAutoFillBackground(true);
    SetHint(realcolor, QStringLiteral("|Visar aktuell färg."));

    vhex = new QLineEdit(QStringLiteral("#000000"), this);
    vhex->setObjectName(QStringLiteral("vhex"));
    vhex->setGeometry(528, 124, 88, 22);
    vhex->setAlignment(Qt::AlignCenter);
    vhex->setFrame(false);
    vhex->setFont(CourierNew(10));
    QPalette hexPalette = vhex->palette();
    hexPalette.setColor(QPalette::Base, hexPalette.color(QPalette::Button));
    vhex->setPalette(hexPalette);
    SetHint(vhex, QStringLiteral("|Anger färgens hexadecimala kod."));
    vhex->installEventFilter(this);
    connect(vhex, &QLineEdit::textChanged, this, [this] { HexChanged(); });

    btnMore =
        MakeButton(this, QStringLiteral("&WCP..."),
                   QStringLiteral("|Öppnar systemets färgvalsdialog."), QRect(528, 160, 88, 25));
    btnInsert =
        MakeButton(this, QStringLiteral("&Infoga kod"),
                   QStringLiteral("|Infogar den hexadecimala färgkoden."), QRect(528, 194, 88, 25));
    btnInsert->setDefault(true);
    btnCopy = MakeButton(this, QStringLiteral("&Kopiera kod"),
                         QStringLiteral("|Kopierar den hexadecimala färgkoden till urklipp."),
                         QRect(528, 228, 88, 25));
    btnClose = MakeButton(this, QStringLiteral("&Stäng"), QStringLiteral("|Stänger dialogrutan."),
                          QRect(528, 262, 88, 25));
    connect(btnMore, &QPushButton::clicked, this, [this] { MoreColors(); });
    connect(btnInsert, &QPushButton::clicked, this, [this] { done(Dialogs::mrOk); });
    connect(btnCopy, &QPushButton::clicked, this,
            [this] { QApplication::clipboard()->setText(ColorToHTML(color_)); });
    connect(btnClose, &QPushButton::clicked, this, [this] { done(Dialogs::mrCancel); });

    BuildMenus();
    LoadCustomColors();
    SetColor(clBlack);
    Dialogs::CentreOnScreen(this);
}

void Thexcolor::BuildColorMapPage(QWidget* page) {
    ColorMap = new TColorMap(page);
    ColorMap->setObjectName(QStringLiteral("ColorMap"));
    ColorMap->setGeometry(8, 8, 488, 30);
    ColorMap->SetMapDimension(md1D);
    SetHint(ColorMap, QStringLiteral("|Anger färgens nyans."));
    ColorBrightness = new TColorBrightness(page);
    ColorBrightness->setObjectName(QStringLiteral("ColorBrightness"));
    ColorBrightness->setGeometry(8, 44, 488, 201);
    ColorBrightness->SetMapDimension(md2D);
    ColorBrightness->SetSpeedUpdate(true);
    SetHint(ColorBrightness, QStringLiteral("|Anger färgens ljusstyrka och mättnad."));

    MakeLabel(page, QStringLiteral("Nyans:"), QRect(8, 252, 60, 16));
    HueValue = MakeLabel(page, QStringLiteral("0"), QRect(70, 252, 40, 16));
    MakeLabel(page, QStringLiteral("Ljusstyrka:"), QRect(120, 252, 70, 16));
    BrightnessValue = MakeLabel(page, QStringLiteral("0"), QRect(192, 252, 40, 16));
    MakeLabel(page, QStringLiteral("Mättnad:"), QRect(240, 252, 60, 16));
    SaturationValue = MakeLabel(page, QStringLiteral("0"), QRect(302, 252, 40, 16));
    MakeLabel(page, QStringLiteral("Originalfärg:"), QRect(350, 252, 80, 16));
    OriginalValue = MakeLabel(page, QStringLiteral("#000000"), QRect(432, 252, 64, 16));
    Rendering = MakeLabel(page, QStringLiteral("Renderar..."), QRect(8, 274, 100, 16));
    Rendering->hide();

    ColorMap->OnPointChange = [this](QObject*, QPoint point, TColor hue) {
        OriginalValue->setText(ColorToHTML(hue));
        HueValue->setText(QString::number(point.x()));
        ColorBrightness->SetOriginalColor(hue);
    };
    ColorBrightness->OnPointChange = [this](QObject*, QPoint point, TColor color) {
        BrightnessValue->setText(QString::number(point.x()));
        SaturationValue->setText(QString::number(ColorBrightness->height() - point.y()));
        SetColor(color);
    };
    ColorBrightness->OnBeginRender = [this](QObject*) {
        Rendering->show();
        Rendering->repaint();
    };
    ColorBrightness->OnDoneRender = [this](QObject*) { Rendering->hide(); };
}

void Thexcolor::BuildWebPage(QWidget* page) {
    WebSafePal1 = new TWebSafePal(page);
    WebSafePal1->setObjectName(QStringLiteral("WebSafePal1"));
    WebSafePal1->setGeometry(8, 8, 482, 263);
    WebSafePal1->SetFrameStyle(fsInset);
    WebSafePal1->SetCols(24);
    SetHint(WebSafePal1, QStringLiteral("|Visar alla webbsäkra färger."));
    CurrentHover = MakeLabel(page, QString(), QRect(8, 276, 482, 16));
    CurrentHover->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    WebSafePal1->OnPicColor = [this](QObject*, TColor color) { SetColor(color); };
    WebSafePal1->OnMouseOverColor = [this](QObject*, TColor color) {
        CurrentHover->setText(ColorToHTML(color));
    };
    for (QWidget* w :
         {page, static_cast<QWidget*>(PageControl), static_cast<QWidget*>(CurrentHover)}) {
        w->setMouseTracking(true);
        w->installEventFilter(this);
    }
}

void Thexcolor::BuildCustomPage(QWidget* page) {
    CustomColors = new QListWidget(page);
    CustomColors->setObjectName(QStringLiteral("CustomColors"));
    CustomColors->setGeometry(8, 8, 488, 200);
    CustomColors->setFont(CourierNew(10));
    // Six columns, filled row by row.
    CustomColors->setFlow(QListView::LeftToRight);
    CustomColors->setWrapping(true);
    CustomColors->setResizeMode(QListView::Adjust);
    CustomColors->setGridSize(QSize((488 - 24) / 6, 18));
    CustomColors->setSelectionMode(QAbstractItemView::SingleSelection);
    SetHint(CustomColors, QStringLiteral("|Listar alla sparade färger."));
    connect(CustomColors, &QListWidget::itemClicked, this, [this] { CustomClicked(); });

    auto* group = new QGroupBox(QStringLiteral("Lägg till/ta bort"), page);
    group->setGeometry(8, 214, 488, 78);
    SaveCustom = MakeButton(group, QStringLiteral("L&ägg till aktuell färg: #000000"),
                            QStringLiteral("|Sparar aktuell färg."), QRect(8, 20, 472, 24));
    DelCustom =
        MakeButton(group, QStringLiteral("&Ta bort markerad anpassad färg"),
                   QStringLiteral("|Tar bort den markerade färgen."), QRect(8, 48, 472, 24));
    DelCustom->setEnabled(false);
    connect(SaveCustom, &QPushButton::clicked, this, [this] { AddCustom(); });
    connect(DelCustom, &QPushButton::clicked, this, [this] { DeleteCustom(); });
}

void Thexcolor::BuildRGBGroup() {
    RGBGroup = new QGroupBox(QStringLiteral("RGB"), this);
    RGBGroup->setObjectName(QStringLiteral("RGBGroup"));
    RGBGroup->setGeometry(8, 342, 512, 150);
    const QString captions[] = {QStringLiteral("&Röd:"), QStringLiteral("&Grön:"),
                                QStringLiteral("&Blå:")};
    QSlider** sliders[] = {&sRed, &sGreen, &sBlue};
    TIntegerEdit** edits[] = {&vred, &vgreen, &vblue};
    for (int i = 0; i < 3; ++i) {
        const int top = 24 + i * 40;
        auto* label = MakeLabel(RGBGroup, captions[i], QRect(10, top + 4, 50, 16));
        label->setTextFormat(Qt::AutoText);
        auto* slider = new QSlider(Qt::Horizontal, RGBGroup);
        slider->setGeometry(64, top, 370, 30);
        slider->setRange(0, 255);
        slider->setPageStep(51);
        slider->setTickInterval(51);
        slider->setTickPosition(QSlider::TicksBelow);
        auto* edit = new TIntegerEdit(RGBGroup);
        edit->setGeometry(444, top + 2, 56, 22);
        edit->SetMin(0);
        edit->SetMax(255);
        edit->setMaxLength(3);
        edit->setText(QStringLiteral("0"));
        label->setBuddy(edit);
        connect(slider, &QSlider::valueChanged, this, [this] { TrackBarMoved(); });
        connect(edit, &QLineEdit::textChanged, this, [this, edit](const QString& text) {
            if (!updating_ && text.isEmpty())
                edit->setText(QStringLiteral("0"));
        });
        edit->OnChange = [this, edit](QObject*) { NumberChanged(edit); };
        *sliders[i] = slider;
        *edits[i] = edit;
    }
    sRed->setObjectName(QStringLiteral("sRed"));
    sGreen->setObjectName(QStringLiteral("sGreen"));
    sBlue->setObjectName(QStringLiteral("sBlue"));
}

void Thexcolor::BuildMenus() {
    HueMenu = new QMenu(this);
    AddTitle(HueMenu, QStringLiteral("Nyans"));
    struct Hue {
        const char* caption;
        int x;
        TColor color;
    };
    static const Hue hues[] = {{"&Röd", 485, clRed},   {"G&ul", 69, clYellow},
                               {"&Grön", 146, clLime}, {"&Akva", 237, clAqua},
                               {"&Blå", 313, clBlue},  {"&Violett", 395, clFuchsia}};
    for (const Hue& h : hues) {
        const int x = h.x;
        HueMenu->addAction(ColorIcon(h.color), QString::fromUtf8(h.caption), this, [this, x] {
            ColorMap->SetCurrentPointX(x);
            ColorMap->SetCurrentPointY(1);
        });
    }

    // Brightness and then saturation. The two top values name the map's far edge, which the
    // map's own bounds refuse; they pick its last column and row instead.
    MapMenu = new QMenu(this);
    AddTitle(MapMenu, QStringLiteral("Ljusstyrka"));
    for (int t = 0; t <= 200; t += 25) {
        MapMenu->addAction(QStringLiteral("%1%").arg(t), this, [this, t] {
            const int w = ColorBrightness->width();
            ColorBrightness->SetCurrentPointX(t == 200 ? w - 1 : RoundHalfEven(t / 100.0 / 2 * w));
        });
    }
    MapMenu->addSeparator();
    AddTitle(MapMenu, QStringLiteral("Mättnad"));
    for (int t = 0; t <= 100; t += 25) {
        MapMenu->addAction(QStringLiteral("%1%").arg(t), this, [this, t] {
            const int h = ColorBrightness->height();
            ColorBrightness->SetCurrentPointY(t == 0 ? h - 1 : h - RoundHalfEven(t / 100.0 * h));
        });
    }

    ColorMenu = new QMenu(this);
    InvertItem = ColorMenu->addAction(QStringLiteral("Invertera färg"), this,
                                      [this] { SetColor(InverseColor(color_)); });
    SetHint(InvertItem, QStringLiteral("|Inverterar färgens värden för rött, grönt och blått "
                                       "(R=FF-R; G=FF-G; B=FF-B)."));
    WebSafeItem = ColorMenu->addAction(QStringLiteral("Avrunda till säkra byten"), this,
                                       [this] { SetColor(WebSafeColor(color_)); });
    SetHint(WebSafeItem,
            QStringLiteral("|Avrundar färgens värden för rött, grönt och blått till det närmaste "
                           "webbsäkra värdet (33, 66, 99, CC, FF)."));
    ColorMenu->addSeparator();
    MapOnColorItem = ColorMenu->addAction(QStringLiteral("Visa karta på aktuell färg"), this,
                                          [this] { ColorBrightness->SetOriginalColor(color_); });
    SetHint(MapOnColorItem,
            QStringLiteral("|Visar karta på ljusstyrka och mättnad av den aktuella färgen "
                           "(istället för en ren nyans)."));

    const std::pair<QWidget*, QMenu*> owners[] = {
        {ColorMap, HueMenu}, {ColorBrightness, MapMenu}, {RGBGroup, ColorMenu}};
    for (const auto& [widget, menu] : owners) {
        widget->setContextMenuPolicy(Qt::CustomContextMenu);
        QMenu* m = menu;
        QWidget* w = widget;
        connect(w, &QWidget::customContextMenuRequested, this,
                [m, w](const QPoint& at) { m->popup(w->mapToGlobal(at)); });
    }
}

void Thexcolor::SetColor(TColor color) {
    color_ = color & 0xFFFFFF;
    QPalette palette = realcolor->palette();
    palette.setColor(QPalette::Window, ToQColor(color_));
    realcolor->setPalette(palette);
    if (!updating_)
        UpdateAll();
}

void Thexcolor::UpdateAll() {
    updating_ = true;
    const QString text = ColorToHTML(color_);
    if (vhex->text() != text)
        vhex->setText(text);
    const int channels[] = {RedOf(color_), GreenOf(color_), BlueOf(color_)};
    TIntegerEdit* edits[] = {vred, vgreen, vblue};
    QSlider* sliders[] = {sRed, sGreen, sBlue};
    for (int i = 0; i < 3; ++i) {
        edits[i]->setText(QString::number(channels[i]));
        sliders[i]->setValue(channels[i]);
    }
    const QList<QListWidgetItem*> found = CustomColors->findItems(text, Qt::MatchExactly);
    SaveCustom->setEnabled(found.isEmpty());
    SaveCustom->setText(found.isEmpty() ? QStringLiteral("L&ägg till aktuell färg: ") + text
                                        : QStringLiteral("Den aktuella färgen är redan tillagd."));
    CustomColors->clearSelection();
    CustomColors->setCurrentItem(found.isEmpty() ? nullptr : found.first());
    DelCustom->setEnabled(!found.isEmpty());
    updating_ = false;
}

void Thexcolor::HexChanged() {
    if (updating_)
        return;
    QString text = vhex->text();
    // A pasted line break goes, whether it came as CR LF or alone.
    QString cleaned = text;
    cleaned.remove(QStringLiteral("\r\n"));
    cleaned.remove(QLatin1Char('\r'));
    cleaned.remove(QLatin1Char('\n'));
    if (cleaned != text) {
        const QSignalBlocker block(vhex);
        vhex->setText(cleaned);
    }
    // Only a whole colour text is taken: a half-typed one leaves the colour and the text alone.
    if (IsColorText(cleaned))
        SetColor(*HTMLToColor(cleaned));
}

void Thexcolor::TrackBarMoved() {
    if (updating_)
        return;
    SetColor(RGBColor(sRed->value(), sGreen->value(), sBlue->value()));
}

void Thexcolor::NumberChanged(TIntegerEdit*) {
    if (updating_)
        return;
    int values[3];
    TIntegerEdit* edits[] = {vred, vgreen, vblue};
    for (int i = 0; i < 3; ++i) {
        bool ok = false;
        values[i] = edits[i]->text().toInt(&ok);
        if (!ok || values[i] < 0 || values[i] > 255) {
            Dialogs::PlaySystemSound(QStringLiteral("SystemDefault"));
            return;
        }
    }
    SetColor(RGBColor(values[0], values[1], values[2]));
}

void Thexcolor::CustomClicked() {
    QListWidgetItem* item = CustomColors->currentItem();
    if (item && IsColorText(item->text())) {
        SetColor(*HTMLToColor(item->text()));
        return;
    }
    // An entry that is no colour leaves the colour but can still be deleted.
    DelCustom->setEnabled(item != nullptr);
}

void Thexcolor::AddCustom() {
    auto* item = new QListWidgetItem(ColorToHTML(color_), CustomColors);
    CustomColors->setCurrentItem(item);
    UpdateAll();
}

void Thexcolor::DeleteCustom() {
    if (QListWidgetItem* item = CustomColors->currentItem(); item && item->isSelected())
        delete item;
    UpdateAll();
}

void Thexcolor::MoreColors() {
    // The dialog stays open beneath: hiding a dialog that runs its own loop would end it.
    QColorDialog dialog(ToQColor(color_), this);
    dialog.setWindowTitle(QStringLiteral("Färg"));
    if (Dialogs::RunModal(&dialog) == QDialog::Accepted)
        SetColor(FromQColor(dialog.currentColor()));
}

void Thexcolor::LoadCustomColors() {
    CustomColors->clear();
    QFile file(CustomColorsFile());
    customFileUnreadable_ = false;
    QByteArray bytes;
    if (file.open(QIODevice::ReadOnly))
        bytes = file.readAll();
    if (!file.isOpen() || file.error() != QFileDevice::NoError) {
        customFileUnreadable_ = file.exists();
        CustomColors->addItem(OpenFailedEntry());
        return;
    }
    const QList<QByteArray> lines = bytes.split('\n');
    for (QByteArray line : lines) {
        if (line.endsWith('\r'))
            line.chop(1);
        if (!line.trimmed().isEmpty())
            CustomColors->addItem(Cp1252::Decode(line));
    }
}

void Thexcolor::SaveCustomColors() {
    if (customFileUnreadable_)
        return;
    QByteArray data;
    for (int i = 0; i < CustomColors->count(); ++i) {
        const QString text = CustomColors->item(i)->text();
        if (text == OpenFailedEntry())
            continue;
        data += Cp1252::Encode(text);
        data += '\n';
    }
    QSaveFile file(CustomColorsFile());
    if (file.open(QIODevice::WriteOnly) && file.write(data) == data.size())
        file.commit();
}

bool Thexcolor::event(QEvent* e) {
    if (e->type() == QEvent::WindowActivate)
        vhex->setFocus(Qt::ActiveWindowFocusReason);
    return QDialog::event(e);
}

bool Thexcolor::eventFilter(QObject* watched, QEvent* e) {
    if (watched == vhex && e->type() == QEvent::FocusIn)
        vhex->selectAll();
    else if (e->type() == QEvent::MouseMove && watched != vhex) {
        // A move over the palette itself reaches its parents too: that one shows its colour.
        auto* w = static_cast<QWidget*>(watched);
        QWidget* under = w->childAt(static_cast<QMouseEvent*>(e)->position().toPoint());
        if (under != WebSafePal1)
            CurrentHover->clear();
    }
    return QDialog::eventFilter(watched, e);
}
