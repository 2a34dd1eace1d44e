#include "app/dialogs/ProgressRows.h"

#include "platform/Dialogs.h"

#include <QDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

namespace ProgressRows {

QLabel* AddValueRow(QGridLayout* grid, QWidget* owner, const char* caption, const char* objectName,
                    int minWidth) {
    const int row = grid->rowCount();
    grid->addWidget(new QLabel(QString::fromUtf8(caption), owner), row, 0);
    auto* value = new QLabel(owner);
    value->setObjectName(QLatin1String(objectName));
    value->setTextFormat(Qt::PlainText);
    value->setMinimumWidth(minWidth);
    grid->addWidget(value, row, 1);
    return value;
}

QPushButton* AddCloseButton(QDialog* dialog, QHBoxLayout* buttons, const QString& caption) {
    auto* button = new QPushButton(caption, dialog);
    button->setObjectName(QStringLiteral("CloseBtn"));
    button->setDefault(true);
    QObject::connect(button, &QPushButton::clicked, dialog,
                     [dialog] { dialog->done(Dialogs::mrOk); });
    buttons->addStretch();
    buttons->addWidget(button);
    return button;
}

} // namespace ProgressRows
