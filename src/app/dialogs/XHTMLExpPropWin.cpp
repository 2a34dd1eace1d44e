#include "app/dialogs/XHTMLExpPropWin.h"

#include "platform/Dialogs.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

// A radio group of two items, the first selected.
QGroupBox* RadioGroup(QWidget* parent, const QString& title, const QString& first,
                      const QString& second, QRadioButton** a, QRadioButton** b) {
    auto* group = new QGroupBox(title, parent);
    *a = new QRadioButton(first, group);
    *b = new QRadioButton(second, group);
    (*a)->setChecked(true);
    auto* layout = new QVBoxLayout(group);
    layout->addWidget(*a);
    layout->addWidget(*b);
    return group;
}

QString Paragraph(const QString& text, bool right) {
    return QStringLiteral("<p") +
           (right ? QStringLiteral(" style=\"text-align:right\"") : QString()) + QLatin1Char('>') +
           text + QStringLiteral("</p>");
}

} // namespace

TXHTMLExpProp::TXHTMLExpProp(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("XHTMLExpProp"));
    setWindowTitle(QStringLiteral("XHTML-egenskaper"));

    auto* titleGroup = new QGroupBox(QStringLiteral("Sidtitel"), this);
    ePageTitle = new QLineEdit(titleGroup);
    ePageTitle->setObjectName(QStringLiteral("ePageTitle"));
    auto* titleLayout = new QFormLayout(titleGroup);
    titleLayout->addRow(QStringLiteral("&Titel:"), ePageTitle);

    auto* headerGroup = new QGroupBox(QStringLiteral("Sidhuvud"), this);
    eHeader = new QLineEdit(headerGroup);
    eHeader->setObjectName(QStringLiteral("eHeader"));
    QGroupBox* type = RadioGroup(headerGroup, QStringLiteral("Texttyp"), QStringLiteral("Rubrik 1"),
                                 QStringLiteral("Brödtext"), &HeaderHeading, &HeaderBody);
    headerAlignment_ =
        RadioGroup(headerGroup, QStringLiteral("Justering"), QStringLiteral("Vänster"),
                   QStringLiteral("Höger"), &HeaderLeft, &HeaderRight);
    connect(HeaderBody, &QRadioButton::toggled, this, [this] { UpdateHeaderAlignment(); });
    auto* headerLayout = new QFormLayout(headerGroup);
    headerLayout->addRow(QStringLiteral("Text:"), eHeader);
    auto* headerRadios = new QHBoxLayout;
    headerRadios->addWidget(type);
    headerRadios->addWidget(headerAlignment_);
    headerLayout->addRow(headerRadios);

    auto* footerGroup = new QGroupBox(QStringLiteral("Sidfot"), this);
    eFooter = new QLineEdit(footerGroup);
    eFooter->setObjectName(QStringLiteral("eFooter"));
    auto* footerLayout = new QFormLayout(footerGroup);
    footerLayout->addRow(QStringLiteral("Text:"), eFooter);
    footerLayout->addRow(RadioGroup(footerGroup, QStringLiteral("Justering"),
                                    QStringLiteral("Vänster"), QStringLiteral("Höger"), &FooterLeft,
                                    &FooterRight));

    QHBoxLayout* buttons = Dialogs::OkCancelRow(this, QStringLiteral("Skapa"));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(titleGroup);
    layout->addWidget(headerGroup);
    layout->addWidget(footerGroup);
    layout->addLayout(buttons);
    UpdateHeaderAlignment();
    ePageTitle->setFocus();
}

void TXHTMLExpProp::UpdateHeaderAlignment() {
    headerAlignment_->setEnabled(HeaderBody->isChecked());
}

QString TXHTMLExpProp::HeaderHTML() const {
    const QString text = eHeader->text();
    if (text.isEmpty())
        return QString();
    if (HeaderHeading->isChecked())
        return QStringLiteral("<h1>") + text + QStringLiteral("</h1>");
    return Paragraph(text, HeaderRight->isChecked());
}

QString TXHTMLExpProp::FooterHTML() const {
    const QString text = eFooter->text();
    return text.isEmpty() ? QString() : Paragraph(text, FooterRight->isChecked());
}
