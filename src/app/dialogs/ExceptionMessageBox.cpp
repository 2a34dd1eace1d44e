#include "app/dialogs/ExceptionMessageBox.h"

#include "app/dialogs/BoxBand.h"
#include "platform/Dialogs.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QLabel* PlainLabel(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setTextFormat(Qt::PlainText);
    return label;
}

QLineEdit* BorderlessReadOnly(const char* name, QWidget* parent) {
    auto* edit = new QLineEdit(QStringLiteral("Okänt"), parent);
    edit->setObjectName(QLatin1String(name));
    edit->setReadOnly(true);
    edit->setFrame(false);
    edit->setCursorPosition(0);
    return edit;
}

} // namespace

TExceptionMessageBox::TExceptionMessageBox(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("TExceptionMessageBox"));
    setWindowTitle(QStringLiteral("Programfel"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    setMinimumWidth(354);

    auto* panel = new QFrame(this);
    panel->setFrameShape(QFrame::StyledPanel);
    auto* band = new TBoxBand(QStyle::SP_MessageBoxCritical, 53, panel);
    auto* heading = PlainLabel(
        QStringLiteral("Ett oväntat undantag har utförts i Kelvoras huvudprogram."), band);
    heading->setWordWrap(true);
    band->AddText(heading);

    exceptionclassname = BorderlessReadOnly("exceptionclassname", panel);
    exceptionmessage = BorderlessReadOnly("exceptionmessage", panel);
    exceptionnumber = PlainLabel(QStringLiteral("Okänt"), panel);
    exceptionnumber->setObjectName(QStringLiteral("exceptionnumber"));
    AddLbl = PlainLabel(QString(), panel);
    AddLbl->setObjectName(QStringLiteral("AddLbl"));
    AddLbl->setWordWrap(true);

    auto* fields = new QVBoxLayout(panel);
    fields->setContentsMargins(8, 8, 8, 8);
    fields->addWidget(band);
    fields->addSpacing(6);
    fields->addWidget(PlainLabel(QStringLiteral("Undantag:"), panel));
    fields->addWidget(exceptionclassname);
    fields->addWidget(PlainLabel(QStringLiteral("Felmeddelande:"), panel));
    fields->addWidget(exceptionmessage);
    fields->addWidget(
        PlainLabel(QStringLiteral("Undantagsnummer under pågående session av Kelvora:"), panel));
    fields->addWidget(exceptionnumber);
    fields->addSpacing(6);
    fields->addWidget(AddLbl);
    fields->addStretch();

    btnClose = new QPushButton(QStringLiteral("Fortsätt session"), this);
    btnClose->setObjectName(QStringLiteral("btnClose"));
    btnClose->setDefault(true);
    connect(btnClose, &QPushButton::clicked, this, [this] { done(Dialogs::mrOk); });
    btnTerminate = new QPushButton(QStringLiteral("Avbryt Kelvora"), this);
    btnTerminate->setObjectName(QStringLiteral("btnTerminate"));
    connect(btnTerminate, &QPushButton::clicked, this, [this] { done(Dialogs::mrAbort); });

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnClose);
    buttons->addWidget(btnTerminate);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(panel, 1);
    layout->addLayout(buttons);
    setMinimumHeight(296);
}

void TExceptionMessageBox::SetException(const QString& className, const QString& message,
                                        int number) {
    exceptionclassname->setText(className);
    exceptionclassname->setCursorPosition(0);
    exceptionmessage->setText(message);
    exceptionmessage->setCursorPosition(0);
    exceptionnumber->setText(QString::number(number));
}

void TExceptionMessageBox::SetBackedUp(bool backedUp) {
    AddLbl->setText(
        backedUp
            ? QStringLiteral(
                  "Alla dokument har säkerhetskopierats för att reducera risken av dataförlust.")
            : QString());
}

void TExceptionMessageBox::showEvent(QShowEvent* event) {
    Dialogs::CentreOnScreen(this);
    btnClose->setFocus();
    QDialog::showEvent(event);
    Dialogs::PlaySystemSound(QStringLiteral("SystemHand"));
}

void TExceptionMessageBox::reject() {
    done(Dialogs::mrCancel);
}
