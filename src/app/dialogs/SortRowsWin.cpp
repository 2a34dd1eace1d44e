#include "app/dialogs/SortRowsWin.h"

#include "controls/CaptionGroup.h"
#include "platform/Cp1252.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <algorithm>

namespace {

bool LessNoCase(QByteArrayView a, QByteArrayView b) {
    const qsizetype n = std::min(a.size(), b.size());
    for (qsizetype i = 0; i < n; ++i) {
        const unsigned char x = Cp1252::ToLower(static_cast<unsigned char>(a[i]));
        const unsigned char y = Cp1252::ToLower(static_cast<unsigned char>(b[i]));
        if (x != y)
            return x < y;
    }
    return a.size() < b.size();
}

} // namespace

std::vector<QByteArrayView> SortedLines(std::vector<QByteArrayView> pieces, bool* endsWithBreak) {
    const bool ended = pieces.size() > 1 && pieces.back().isEmpty();
    if (ended)
        pieces.pop_back();
    if (endsWithBreak)
        *endsWithBreak = ended;
    std::stable_sort(pieces.begin(), pieces.end(), LessNoCase);
    return pieces;
}

QByteArray SortLines(std::vector<QByteArray> pieces) {
    bool endsWithBreak = false;
    const std::vector<QByteArrayView> sorted =
        SortedLines(std::vector<QByteArrayView>(pieces.begin(), pieces.end()), &endsWithBreak);
    qsizetype size = 0;
    for (QByteArrayView line : sorted)
        size += line.size() + 2;
    QByteArray out;
    out.reserve(size);
    for (size_t i = 0; i < sorted.size(); ++i) {
        out.append(sorted[i]);
        if (endsWithBreak || i + 1 < sorted.size())
            out.append("\r\n", 2);
    }
    return out;
}

TSortRows::TSortRows(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Sortera rader"));
    auto* layout = new QVBoxLayout(this);
    Group = new TCaptionGroup(this);
    Group->SetCaptionText(QStringLiteral(" Sortera "));
    auto* inner = new QVBoxLayout(Group);
    inner->setContentsMargins(8, 28, 8, 8);
    SelectedRows = new QRadioButton(QStringLiteral("&Markerade rader"), Group);
    AllRows = new QRadioButton(QStringLiteral("&Alla rader"), Group);
    inner->addWidget(SelectedRows);
    inner->addWidget(AllRows);
    layout->addWidget(Group);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    OkBtn = new QPushButton(QStringLiteral("OK"), this);
    OkBtn->setDefault(true);
    CancelBtn = new QPushButton(QStringLiteral("Avbryt"), this);
    connect(OkBtn, &QPushButton::clicked, this, [this] { done(1); });
    connect(CancelBtn, &QPushButton::clicked, this, [this] { done(2); });
    buttons->addWidget(OkBtn);
    buttons->addWidget(CancelBtn);
    layout->addLayout(buttons);
    Prepare(false);
}

void TSortRows::Prepare(bool hasSelection) {
    SelectedRows->setEnabled(hasSelection);
    (hasSelection ? SelectedRows : AllRows)->setChecked(true);
}
