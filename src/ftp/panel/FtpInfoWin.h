#pragma once

#include <QDialog>

class TRuler;
class TTextEditorEx;

// "FTP-svarsmeddelanden": the server's last reply in a read-only editor with line numbers,
// above the other windows. Made on first use and kept.
class TFTPInfoFrm : public QDialog {
public:
    explicit TFTPInfoFrm(QWidget* parent = nullptr);

    // Makes a text the whole content of the editor (one empty line for an empty text).
    void SetResponse(const QString& text);

    TTextEditorEx* FTPMSG;
    TRuler* FTPMSGRuler;
};
