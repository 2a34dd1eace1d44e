#pragma once

#include "platform/Graphics.h"

#include <QDialog>

class QAction;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QPushButton;
class QSlider;
class QTabWidget;
class TColorBrightness;
class TColorMap;
class TIntegerEdit;
class TWebSafePal;

// The colour dialog: a hue strip with a brightness-and-saturation map, the web-safe palette,
// the saved custom colours and red/green/blue track bars and fields, all showing one colour.
class Thexcolor : public QDialog {
public:
    explicit Thexcolor(QWidget* parent = nullptr);

    // The current colour: the fill of the colour sample. Setting it brings every control in
    // step unless that is already under way.
    TColor Color() const { return color_; }
    void SetColor(TColor color);
    void UpdateAll();
    bool Updating() const { return updating_; }

    // The custom colours: read whole when the dialog is created, written whole when it
    // closes. A failure to write is ignored; a file that is there but could not be read is
    // never written over.
    void LoadCustomColors();
    void SaveCustomColors();
    static QString CustomColorsFile();
    static QString OpenFailedEntry();

    QTabWidget* PageControl = nullptr;
    QFrame* realcolor = nullptr;
    QLineEdit* vhex = nullptr;
    QPushButton* btnMore = nullptr;
    QPushButton* btnInsert = nullptr;
    QPushButton* btnCopy = nullptr;
    QPushButton* btnClose = nullptr;

    TColorMap* ColorMap = nullptr;
    TColorBrightness* ColorBrightness = nullptr;
    QLabel* HueValue = nullptr;
    QLabel* BrightnessValue = nullptr;
    QLabel* SaturationValue = nullptr;
    QLabel* OriginalValue = nullptr;
    QLabel* Rendering = nullptr;

    QWidget* WebPage = nullptr;
    TWebSafePal* WebSafePal1 = nullptr;
    QLabel* CurrentHover = nullptr;

    QListWidget* CustomColors = nullptr;
    QPushButton* SaveCustom = nullptr;
    QPushButton* DelCustom = nullptr;

    QGroupBox* RGBGroup = nullptr;
    QSlider* sRed = nullptr;
    QSlider* sGreen = nullptr;
    QSlider* sBlue = nullptr;
    TIntegerEdit* vred = nullptr;
    TIntegerEdit* vgreen = nullptr;
    TIntegerEdit* vblue = nullptr;

    QMenu* HueMenu = nullptr;
    QMenu* MapMenu = nullptr;
    QMenu* ColorMenu = nullptr;
    QAction* InvertItem = nullptr;
    QAction* WebSafeItem = nullptr;
    QAction* MapOnColorItem = nullptr;

protected:
    bool event(QEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    void BuildColorMapPage(QWidget* page);
    void BuildWebPage(QWidget* page);
    void BuildCustomPage(QWidget* page);
    void BuildRGBGroup();
    void BuildMenus();

    void HexChanged();
    void TrackBarMoved();
    void NumberChanged(TIntegerEdit* edit);
    void CustomClicked();
    void AddCustom();
    void DeleteCustom();
    void MoreColors();

    TColor color_ = clBlack;
    bool updating_ = false;
    bool customFileUnreadable_ = false;
};
