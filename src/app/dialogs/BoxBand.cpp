#include "app/dialogs/BoxBand.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QVBoxLayout>

namespace {
constexpr int kSquare = 41;
}

TBoxBand::TBoxBand(QStyle::StandardPixmap icon, int textLeft, QWidget* parent) : QWidget(parent) {
    setMinimumHeight(kSquare);

    auto* square = new QLabel(this);
    square->setObjectName(QStringLiteral("iconSquare"));
    square->setFixedSize(kSquare, kSquare);
    square->setAlignment(Qt::AlignCenter);
    square->setAutoFillBackground(true);
    QPalette pal = square->palette();
    pal.setColor(QPalette::Window, pal.color(QPalette::Highlight));
    square->setPalette(pal);
    square->setPixmap(style()->standardIcon(icon, nullptr, this).pixmap(32, 32));

    texts_ = new QVBoxLayout;
    texts_->setContentsMargins(0, 5, 0, 5);
    texts_->setSpacing(2);
    texts_->setAlignment(Qt::AlignVCenter);

    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(textLeft - kSquare);
    row->addWidget(square, 0, Qt::AlignTop);
    row->addLayout(texts_);
    row->addStretch();
}

void TBoxBand::AddText(QLabel* label) {
    texts_->addWidget(label);
}

void TBoxBand::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setPen(palette().color(QPalette::Highlight));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
}
