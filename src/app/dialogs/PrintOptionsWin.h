#pragma once

#include <QDialog>

class QCheckBox;
class QPlainTextEdit;
class TIntegerEdit;
struct TTextEditorExPrintingSettings;

// The print options window: margins, header, footer and formatting of one print. It is made
// anew for every print and always starts from its own defaults.
class TprintOptions : public QDialog {
public:
    explicit TprintOptions(QWidget* parent = nullptr);

    TIntegerEdit* marginTop = nullptr;
    TIntegerEdit* marginBottom = nullptr;
    TIntegerEdit* marginLeft = nullptr;
    TIntegerEdit* marginRight = nullptr;
    TIntegerEdit* marginHeader = nullptr;
    TIntegerEdit* marginFooter = nullptr;
    QPlainTextEdit* strHeader = nullptr;
    QPlainTextEdit* strFooter = nullptr;
    QCheckBox* boolHidden = nullptr;
    QCheckBox* boolIF = nullptr;

    // The window's values into the editor's print settings; line breaks in the header and
    // footer are dropped.
    void SavePrintingSettings(TTextEditorExPrintingSettings* settings) const;
};
