#include "app/dialogs/StatWin.h"

#include "controls/CaptionGroup.h"
#include "editor/text/LineStore.h"
#include "platform/Cp1252.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// True when `word` (upper case) follows at `at` in `line`, in any case.
bool FollowsAt(QByteArrayView line, qsizetype at, const char* word, qsizetype length) {
    if (at + length > line.size())
        return false;
    for (qsizetype i = 0; i < length; ++i)
        if (Cp1252::ToUpper(static_cast<unsigned char>(line[at + i])) !=
            static_cast<unsigned char>(word[i]))
            return false;
    return true;
}

} // namespace

TCodeStatistics CountCodeStatistics(const LineStore& lines) {
    TCodeStatistics s;
    s.Rows = lines.Count();
    s.Chars = lines.TextLength() - 2 * s.Rows;
    if (lines.IsEmpty())
        return s;
    lines.ForEach(0, lines.Count() - 1, [&s](int, LineView line) {
        const char* data = line.constData();
        const qsizetype n = line.size();
        for (qsizetype i = 0; i < n; ++i) {
            if (data[i] != '<')
                continue;
            ++s.Tags;
            if (FollowsAt(line, i + 1, "A", 1))
                ++s.Links;
            else if (FollowsAt(line, i + 1, "IMG", 3))
                ++s.Images;
            else if (FollowsAt(line, i + 1, "SCRIPT", 6))
                ++s.Scripts;
        }
    });
    return s;
}

Tstat::Tstat(const LineStore& lines, const QString& fileName, QWidget* parent)
    : QDialog(parent), lines_(lines) {
    setWindowTitle(QStringLiteral("Kodstatistik"));
    auto* layout = new QVBoxLayout(this);
    Group = new TCaptionGroup(this);
    Group->SetCaptionText(QLatin1Char(' ') + fileName + QLatin1Char(' '));
    auto* form = new QFormLayout(Group);
    form->setContentsMargins(8, 28, 8, 8);
    const auto field = [this, form](const QString& label) {
        auto* edit = new QLineEdit(QStringLiteral("-"), Group);
        edit->setReadOnly(true);
        form->addRow(label, edit);
        return edit;
    };
    Tags = field(QStringLiteral("Taggar:"));
    Links = field(QStringLiteral("Länkar:"));
    Images = field(QStringLiteral("Bilder:"));
    Scripts = field(QStringLiteral("Script:"));
    Rows = field(QStringLiteral("Rader:"));
    Chars = field(QStringLiteral("Tecken:"));
    layout->addWidget(Group);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    OkBtn = new QPushButton(QStringLiteral("OK"), this);
    OkBtn->setDefault(true);
    connect(OkBtn, &QPushButton::clicked, this, &QDialog::accept);
    buttons->addWidget(OkBtn);
    layout->addLayout(buttons);
}

void Tstat::Status(const QString& text) {
    if (OnStatus)
        OnStatus(text);
}

void Tstat::CalcTimesOf() {
    // One pass gives every count; the status texts still tell the user what is counted.
    Status(QStringLiteral("Beräknar antalet taggar..."));
    const TCodeStatistics s = CountCodeStatistics(lines_);
    Tags->setText(QString::number(s.Tags));
    Status(QStringLiteral("Beräknar antalet länkar..."));
    Links->setText(QString::number(s.Links));
    Status(QStringLiteral("Beräknar antalet bilder..."));
    Images->setText(QString::number(s.Images));
    Status(QStringLiteral("Beräknar antalet script..."));
    Scripts->setText(QString::number(s.Scripts));
    Status(QStringLiteral("Beräknar antalet rader..."));
    Rows->setText(QString::number(s.Rows));
    Status(QStringLiteral("Beräknar antalet tecken..."));
    Chars->setText(QString::number(s.Chars));
    Status(QString());
    OkBtn->setFocus();
}

void Tstat::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!calculated_) {
        calculated_ = true;
        CalcTimesOf();
    }
}
