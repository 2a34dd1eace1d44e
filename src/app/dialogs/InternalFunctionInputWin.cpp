#include "app/dialogs/InternalFunctionInputWin.h"

#include "platform/Dialogs.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr int kMinClientWidth = 320;

// The document filters, installed by the window that owns the filter table; none until then.
QStringList& InstalledFilters() {
    static QStringList filters;
    return filters;
}

} // namespace

TInternalFunctionInput::TInternalFunctionInput(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("InternalFunctionInput"));
    setWindowTitle(QStringLiteral("Kelvora"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);

    Q = new QLabel(this);
    Q->setObjectName(QStringLiteral("Q"));
    Q->setTextFormat(Qt::PlainText);
    A = new QLineEdit(this);
    A->setObjectName(QStringLiteral("A"));

    btnSearch = new QPushButton(QStringLiteral("&Bläddra..."), this);
    btnSearch->setObjectName(QStringLiteral("btnSearch"));
    btnSearch->setAutoDefault(false);
    btnSearch->hide();
    connect(btnSearch, &QPushButton::clicked, this, &TInternalFunctionInput::Browse);
    btnOk = new QPushButton(QStringLiteral("OK"), this);
    btnOk->setObjectName(QStringLiteral("btnOk"));
    btnOk->setDefault(true);
    connect(btnOk, &QPushButton::clicked, this, [this] { done(Dialogs::mrOk); });
    btnCancel = new QPushButton(QStringLiteral("Avbryt"), this);
    btnCancel->setObjectName(QStringLiteral("btnCancel"));
    btnCancel->setAutoDefault(false);
    connect(btnCancel, &QPushButton::clicked, this, &TInternalFunctionInput::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(btnSearch);
    buttons->addStretch();
    buttons->addWidget(btnOk);
    buttons->addWidget(btnCancel);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Q);
    layout->addWidget(A);
    layout->addSpacing(4);
    layout->addLayout(buttons);
}

void TInternalFunctionInput::SetQuestion(const QString& text) {
    question_ = text;
    Q->setText(text);
}

void TInternalFunctionInput::SetShowBrowse(bool show) {
    btnSearch->setVisible(show);
}

void TInternalFunctionInput::SetPasswordMode(bool on) {
    A->setEchoMode(on ? QLineEdit::Password : QLineEdit::Normal);
    // The bullet, character 149 of Windows-1252.
    A->setStyleSheet(on ? QStringLiteral("QLineEdit { lineedit-password-character: 8226; }")
                        : QString());
}

bool TInternalFunctionInput::Run(QString* answer) {
    const bool accepted = Dialogs::RunModal(this) == Dialogs::mrOk;
    *answer = accepted ? A->text() : QString();
    return accepted;
}

QStringList TInternalFunctionInput::DocumentFilters() {
    return InstalledFilters();
}

void TInternalFunctionInput::SetDocumentFilters(const QStringList& filters) {
    InstalledFilters() = filters;
}

void TInternalFunctionInput::reject() {
    A->clear();
    done(Dialogs::mrCancel);
}

void TInternalFunctionInput::showEvent(QShowEvent* event) {
    const QMargins m = layout()->contentsMargins();
    const int room = m.left() + m.right();
    const int textWidth = Dialogs::FitLabelText(Q, question_, Dialogs::MaxClientWidth(this) - room);
    layout()->activate();
    setFixedSize(qMax(kMinClientWidth, textWidth + room), sizeHint().height());
    Dialogs::CentreOnScreen(this);
    A->setFocus();
    QDialog::showEvent(event);
}

void TInternalFunctionInput::Browse() {
    const QStringList filters = DocumentFilters();
    QString selected = filterIndex_ != 0 ? filters.value(filterIndex_) : QString();
    const QString chosen = Dialogs::GetOpenFileName(this, QStringLiteral("Bläddra"), A->text(),
                                                    filters.join(QLatin1String(";;")), &selected);
    if (!chosen.isEmpty())
        A->setText(QFileInfo(chosen).absoluteFilePath());
}
