#include "app/dialogs/MessageBox.h"

#include "app/dialogs/BoxBand.h"
#include "platform/Dialogs.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
constexpr int kInfoLeft = 58;
constexpr int kRightRoom = 30;
} // namespace

TMessageBox::TMessageBox(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("TMessageBox"));
    setWindowTitle(QStringLiteral("Kelvora"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);

    auto* band = new TBoxBand(QStyle::SP_MessageBoxInformation, kInfoLeft, this);
    info = new QLabel(band);
    info->setObjectName(QStringLiteral("info"));
    info->setTextFormat(Qt::PlainText);
    band->AddText(info);

    Button1 = new QPushButton(QStringLiteral("OK"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setFixedSize(89, 24);
    Button1->setDefault(true);
    connect(Button1, &QPushButton::clicked, this, [this] { done(Dialogs::mrOk); });

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Button1);
    buttons->addStretch();

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 7);
    layout->setSpacing(14);
    layout->addWidget(band);
    layout->addLayout(buttons);
}

void TMessageBox::SetText(const QString& text) {
    text_ = text;
    info->setText(text);
}

void TMessageBox::AdjustToText() {
    const int room = kInfoLeft + kRightRoom;
    const int textWidth = Dialogs::FitLabelText(info, text_, Dialogs::MaxClientWidth(this) - room);
    layout()->activate();
    setFixedSize(textWidth + room, sizeHint().height());
}

void TMessageBox::showEvent(QShowEvent* event) {
    AdjustToText();
    Dialogs::CentreOnScreen(this);
    Button1->setFocus();
    QDialog::showEvent(event);
    Dialogs::PlaySystemSound(QStringLiteral("SystemExclamation"));
}

void TMessageBox::keyPressEvent(QKeyEvent* event) {
    // Esc is the OK button's key, like Enter.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        Button1->click();
        return;
    }
    QDialog::keyPressEvent(event);
}

void TMessageBox::reject() {
    done(Dialogs::mrCancel);
}
