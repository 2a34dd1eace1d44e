#pragma once

#include "markup/wizards/FrameWizardCode.h"

#include <QDialog>
#include <vector>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTabBar;
class QTabWidget;
class THeadPages;
class TIntegerEdit;
class Tmain;

// "Ramguiden": writes a frameset page in two steps, the head settings ("Sidegenskaper") and
// the frames ("Ramegenskaper": rows or columns, their number, and per frame its name, page,
// size, border and whether it may be resized), then offers to make a document for every frame
// through the new-document chooser.
class TFrameWiz : public QDialog {
public:
    explicit TFrameWiz(Tmain& window, QWidget* parent = nullptr);

    // Shows the wizard modally over the current document; once it has closed after writing
    // the page: the after-wizard event, the status text and the question whether to make the
    // frames, each through a chooser. True when the page was written.
    static bool Execute(Tmain& window);

    // --- first step ---------------------------------------------------------------------------
    QTabWidget* HeadTabs = nullptr;
    THeadPages* HeadPages = nullptr;
    QPushButton* btnProceed = nullptr; // "Forts&ätt"
    // --- second step --------------------------------------------------------------------------
    QWidget* FrameStep = nullptr;
    QRadioButton* pUseROWS = nullptr;
    QRadioButton* pUseCOLS = nullptr;
    TIntegerEdit* pROWS = nullptr;
    TIntegerEdit* pCOLS = nullptr;
    QLabel* lblROWS = nullptr;
    QLabel* lblCOLS = nullptr;
    QLineEdit* pBORDER = nullptr;
    QLineEdit* pFRAMESPACING = nullptr;
    QTabBar* FrameDataContainer = nullptr;
    QWidget* FrameFields = nullptr;
    QLineEdit* pNAMECONT = nullptr;
    QLineEdit* pSRCCONT = nullptr;
    QLineEdit* pSIZECont = nullptr;
    QLineEdit* pFRAMEBORDER = nullptr;
    QCheckBox* pRESIZEABLE = nullptr;
    QPushButton* btnBack = nullptr;     // "Föregående"
    QPushButton* btnGenerate = nullptr; // "&Generera"
    QPushButton* btnRef = nullptr;      // "&Taggreferens"
    QComboBox* RefList = nullptr;       // FRAMESET, FRAME
    QPushButton* btnCancel = nullptr;

    // The frame records, one per tab (kept while the count field is empty).
    const std::vector<TFrameData>& Frames() const { return frames_; }
    // The number of frames the count field of the chosen orientation asks for (0 when empty).
    int FrameCount() const;

    TFrameWizardFields Fields();
    QByteArrayList WriteCode();

    void Proceed();
    void Back();
    void ChangeOrientation();
    // A count of "0" becomes "1"; the tabs follow the count.
    void CountChange(TIntegerEdit* edit);
    // Leaving a count field: an empty one gets 1.
    void CountExit(TIntegerEdit* edit);
    void UpdateFrameDataContainers();
    // The fields into the current tab's record, and a record into the fields.
    void StoreFrameData();
    void UpdateFrameData();
    void FrameDataContainerChange(int index);
    void btnRefClick();
    // "&Generera": appends the page after the document's lines.
    void DoGenerate();

private:
    Tmain& window_;
    std::vector<TFrameData> frames_;
    int current_ = -1; // the record the fields show
};
