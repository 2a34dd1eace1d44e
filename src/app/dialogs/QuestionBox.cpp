#include "app/dialogs/QuestionBox.h"

#include "app/dialogs/BoxBand.h"
#include "platform/Dialogs.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
constexpr int kTextLeft = 53;
constexpr int kRightRoom = 55;
constexpr int kMinClientWidth = 295; // a window of 313 pixels with its border
} // namespace

TQuestionBox::TQuestionBox(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("TQuestionBox"));
    setWindowTitle(QStringLiteral("Kelvora"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);

    auto* band = new TBoxBand(QStyle::SP_MessageBoxQuestion, kTextLeft, this);
    info = new QLabel(band);
    info->setObjectName(QStringLiteral("info"));
    info->setTextFormat(Qt::PlainText);
    band->AddText(info);
    question = new QLabel(band);
    question->setObjectName(QStringLiteral("question"));
    question->setTextFormat(Qt::PlainText);
    band->AddText(question);

    btnPanel = new QWidget(this);
    btnPanel->setObjectName(QStringLiteral("btnPanel"));
    auto* buttons = new QHBoxLayout(btnPanel);
    buttons->setContentsMargins(0, 0, 0, 0);
    buttons->setSpacing(7);
    auto makeButton = [&](const QString& caption, const char* name, int result) {
        auto* b = new QPushButton(caption, btnPanel);
        b->setObjectName(QLatin1String(name));
        b->setFixedSize(89, 24);
        connect(b, &QPushButton::clicked, this, [this, result] { done(result); });
        buttons->addWidget(b);
        return b;
    };
    btnYes = makeButton(QStringLiteral("&Ja"), "btnYes", Dialogs::mrYes);
    btnNo = makeButton(QStringLiteral("&Nej"), "btnNo", Dialogs::mrNo);
    btnCancel = makeButton(QStringLiteral("Avbryt"), "btnCancel", Dialogs::mrCancel);
    btnYes->setDefault(true);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 7);
    layout->setSpacing(12);
    layout->addWidget(band);
    layout->addWidget(btnPanel, 0, Qt::AlignHCenter);
}

void TQuestionBox::SetTexts(const QString& information, const QString& questionText) {
    info_ = information;
    question_ = questionText;
    info->setText(information);
    question->setText(questionText);
}

void TQuestionBox::AdjustToText() {
    const int room = kTextLeft + kRightRoom;
    const int maxText = Dialogs::MaxClientWidth(this) - room;
    const int infoWidth = Dialogs::FitLabelText(info, info_, maxText);
    const int questionWidth = Dialogs::FitLabelText(question, question_, maxText);
    const int width = qMax(kMinClientWidth, qMax(infoWidth, questionWidth) + room);
    layout()->activate();
    setFixedSize(width, sizeHint().height());
}

void TQuestionBox::showEvent(QShowEvent* event) {
    AdjustToText();
    Dialogs::CentreOnScreen(this);
    btnYes->setFocus();
    QDialog::showEvent(event);
    Dialogs::PlaySystemSound(QStringLiteral("SystemExclamation"));
}

void TQuestionBox::keyPressEvent(QKeyEvent* event) {
    // The underlined letter of a button answers, with or without Alt, as in every dialog.
    const Qt::KeyboardModifiers others =
        event->modifiers() & ~(Qt::ShiftModifier | Qt::AltModifier | Qt::KeypadModifier);
    if (others == Qt::NoModifier) {
        for (QPushButton* button : {btnYes, btnNo, btnCancel}) {
            const QKeySequence mnemonic = QKeySequence::mnemonic(button->text());
            if (!mnemonic.isEmpty() && mnemonic[0].key() == event->key()) {
                button->click();
                return;
            }
        }
    }
    QDialog::keyPressEvent(event);
}

void TQuestionBox::reject() {
    done(Dialogs::mrCancel);
}
