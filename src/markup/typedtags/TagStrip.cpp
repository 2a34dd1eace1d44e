#include "markup/typedtags/TagStrip.h"

#include <QAction>
#include <QHBoxLayout>
#include <QLabel>
#include <QToolButton>

namespace {

const char* const kHint = "|Visar aktuell markerad tagg.";

QToolButton* FlatButton(QAction* action, QWidget* parent) {
    auto* button = new QToolButton(parent);
    button->setDefaultAction(action);
    button->setAutoRaise(true);
    button->setToolButtonStyle(Qt::ToolButtonTextOnly);
    return button;
}

} // namespace

TTagStrip::TTagStrip(QAction* modify, QAction* reference, QWidget* parent)
    : QToolBar(QStringLiteral("Ändrafält"), parent) {
    setObjectName(QStringLiteral("ModifyToolbar"));
    setMovable(false);
    lblSelectedTagLabel = new QLabel(QStringLiteral("Markerad tagg:   "), this);
    lblSelectedTagLabel->setObjectName(QStringLiteral("lblSelectedTagLabel"));
    lblSelectedTagLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    lblSelectedTag = new QLabel(QStringLiteral("Ingen tagg markerad"), this);
    lblSelectedTag->setObjectName(QStringLiteral("lblSelectedTag"));
    // A tag name comes from the document: shown as written.
    lblSelectedTag->setTextFormat(Qt::PlainText);
    for (QLabel* label : {lblSelectedTagLabel, lblSelectedTag})
        label->setStatusTip(QLatin1String(kHint));
    pnSelectedTagActions = new QWidget(this);
    pnSelectedTagActions->setObjectName(QStringLiteral("pnSelectedTagActions"));
    auto* buttons = new QHBoxLayout(pnSelectedTagActions);
    buttons->setContentsMargins(8, 0, 0, 0);
    buttons->addWidget(FlatButton(modify, pnSelectedTagActions));
    buttons->addWidget(FlatButton(reference, pnSelectedTagActions));
    addWidget(lblSelectedTagLabel);
    addWidget(lblSelectedTag);
    actionsItem_ = addWidget(pnSelectedTagActions);
    ShowTag(QString());
}

void TTagStrip::ShowTag(const QString& name) {
    lblSelectedTag->setText(name.isEmpty() ? QStringLiteral("Ingen tagg markerad") : name);
    actionsItem_->setVisible(!name.isEmpty());
}

bool TTagStrip::ActionsShown() const {
    return actionsItem_->isVisible();
}
