#include "ftp/panel/FtpInfoWin.h"

#include "editor/view/Ruler.h"
#include "editor/view/TextEditorEx.h"
#include "platform/Cp1252.h"
#include "platform/Dialogs.h"

#include <QHBoxLayout>

TFTPInfoFrm::TFTPInfoFrm(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("FTPInfoFrm"));
    setWindowTitle(QStringLiteral("FTP-svarsmeddelanden"));
    setWindowFlag(Qt::WindowStaysOnTopHint);
    resize(821, 599);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    FTPMSGRuler = new TRuler(this);
    FTPMSGRuler->setObjectName(QStringLiteral("FTPMSGRuler"));
    FTPMSGRuler->setFixedWidth(33);
    QFont rulerFont(QStringLiteral("Arial Narrow"));
    rulerFont.setBold(true);
    FTPMSGRuler->SetFont(rulerFont);
    FTPMSG = new TTextEditorEx(this);
    FTPMSG->setObjectName(QStringLiteral("FTPMSG"));
    FTPMSG->Settings()->ReadOnly = true;
    QFont font(QStringLiteral("Courier New"));
    font.setPixelSize(16);
    font.setFixedPitch(true);
    font.setStyleHint(QFont::TypeWriter);
    FTPMSG->EditorFont = font;
    FTPMSG->SetTextXSpace(1);
    FTPMSG->SetTextYSpace(0);
    FTPMSG->UpdateFont();
    FTPMSGRuler->SetTextEditorEx(FTPMSG);
    FTPMSG->SetRuler(FTPMSGRuler);
    layout->addWidget(FTPMSGRuler);
    layout->addWidget(FTPMSG, 1);
    Dialogs::CentreOnScreen(this);
}

void TFTPInfoFrm::SetResponse(const QString& text) {
    FTPMSG->SetText(Cp1252::Encode(text));
    FTPMSG->UpdateView();
}
