#include "markup/common/FieldRows.h"

#include "controls/CaptionGroup.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace FieldRows {

QGridLayout* Group(QWidget* owner, QVBoxLayout* layout, const QString& caption,
                   TCaptionGroup** group) {
    auto* box = new TCaptionGroup(owner);
    box->SetCaptionText(caption);
    auto* grid = new QGridLayout(box);
    grid->setContentsMargins(8, 28, 8, 8);
    grid->setColumnStretch(1, 1);
    layout->addWidget(box);
    if (group)
        *group = box;
    return grid;
}

QLineEdit* Field(QWidget* owner, QGridLayout* grid, int row, const QString& label,
                 const QString& name) {
    auto* edit = new QLineEdit(owner);
    edit->setObjectName(name);
    auto* caption = new QLabel(label, owner);
    caption->setBuddy(edit);
    grid->addWidget(caption, row, 0);
    grid->addWidget(edit, row, 1, 1, 2);
    return edit;
}

} // namespace FieldRows
