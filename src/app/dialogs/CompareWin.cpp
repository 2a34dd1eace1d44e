#include "app/dialogs/CompareWin.h"

#include "app/core/FileData.h"
#include "app/dialogs/PropertiesWin.h"
#include "controls/CaptionGroup.h"
#include "controls/KelvoraEditor.h"
#include "editor/text/LineStore.h"
#include "editor/text/TextSearcher.h"
#include "platform/Cp1252.h"
#include "platform/Dialogs.h"

#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QTextCursor>
#include <QTextEdit>
#include <QVBoxLayout>

namespace {

QString Folder(const QString& path) {
    QString folder = QFileInfo(path).absolutePath();
    if (!folder.endsWith(QLatin1Char('/')))
        folder += QLatin1Char('/');
    return folder;
}

void AddProperties(QStringList& out, int n, const QString& path, qint64 size) {
    out << QStringLiteral("Filegenskaper för fil %1:").arg(n)
        << QStringLiteral("Filnamn: ") + DocFileName(path)
        << QStringLiteral("Katalog: ") + Folder(path)
        << QStringLiteral("Filtyp: ") + DocFileExt(path)
        << QStringLiteral("Storlek: ") + SizeText(size) << QString();
}

QString LineVerdict(int line1, int line2, bool same) {
    return QStringLiteral("Rad %1").arg(line1) +
           (same ? QStringLiteral(" i Fil 1 är likadan som Rad ")
                 : QStringLiteral(" i Fil 1 är INTE likadan som Rad ")) +
           QStringLiteral("%1 i Fil 2").arg(line2);
}

// Shows document bytes as plain text.
void ShowText(QTextEdit* edit, const LineStore& lines) {
    QString text;
    text.reserve(static_cast<qsizetype>(lines.TextLength()));
    if (!lines.IsEmpty())
        lines.ForEach(0, lines.Count() - 1, [&text](int i, LineView line) {
            if (i)
                text += QLatin1Char('\n');
            text += Cp1252::Decode(line.data(), line.size());
        });
    edit->setPlainText(text);
}

// The plain rich-text editor, read-only: the two files side by side.
QTextEdit* FileView(QWidget* parent) {
    auto* edit = new TKelvoraEditor(parent);
    edit->setReadOnly(true);
    edit->setAcceptRichText(false);
    edit->setLineWrapMode(QTextEdit::NoWrap);
    edit->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    edit->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    return edit;
}

} // namespace

QStringList CompareReport(const QString& path1, const LineStore& file1, const QString& path2,
                          const LineStore& file2) {
    QStringList out;
    const qint64 size1 = file1.TextLength(), size2 = file2.TextLength();
    AddProperties(out, 1, path1, size1);
    AddProperties(out, 2, path2, size2);
    const auto same = [](const QString& a, const QString& b) { return a.toLower() == b.toLower(); };
    out << QStringLiteral("Slutsats:");
    out << (same(DocFileName(path1), DocFileName(path2))
                ? QStringLiteral("Fil 1 och fil 2 har samma filnamn.")
                : QStringLiteral("Fil 1 och fil 2 har INTE samma filnamn."));
    out << (same(Folder(path1), Folder(path2))
                ? QStringLiteral("Fil 1 och fil 2 finns i samma katalog.")
                : QStringLiteral("Fil 1 och fil 2 finns INTE i samma katalog."));
    out << (same(DocFileExt(path1), DocFileExt(path2))
                ? QStringLiteral("Fil 1 och fil 2 är av samma filtyp.")
                : QStringLiteral("Fil 1 och fil 2 är INTE av samma filtyp."));
    out << (size1 == size2  ? QStringLiteral("Fil 1 och fil 2 har samma storlek.")
            : size1 > size2 ? QStringLiteral("Fil 1 har STÖRRE storlek än Fil 2.")
                            : QStringLiteral("Fil 1 har MINDRE storlek än Fil 2."));
    out << QString() << QStringLiteral("Radanalys:");
    const int n1 = file1.Count(), n2 = file2.Count();
    for (int i = 0; i < std::min(n1, n2); ++i)
        out << LineVerdict(i + 1, i + 1, file1.Get(i) == file2.Get(i));
    out << QString() << QStringLiteral("Radanalys, baklänges:");
    const int d = std::abs(n1 - n2);
    const int longer = std::max(n1, n2);
    for (int k = longer; k > d; --k) {
        const int line1 = n1 >= n2 ? k : k - d;
        const int line2 = n1 >= n2 ? k - d : k;
        out << LineVerdict(line1, line2, file1.Get(line1 - 1) == file2.Get(line2 - 1));
    }
    return out;
}

QStringList OccurrenceReport(const QString& text, const std::array<int, 4>& counts1,
                             const std::array<int, 4>& counts2) {
    static const char* const headings[] = {
        "Förekomster av sökt sträng, utan filter:",
        "Förekomster av sökt sträng som helt ord:",
        "Förekomster av sökt sträng med exakt skiftläge:",
        "Förekomster av sökt sträng som helt ord och med exakt skiftläge:",
    };
    QStringList out;
    out << QString() << QStringLiteral("Förekomstanalys av \"") + text + QLatin1Char('"');
    for (size_t i = 0; i < 4; ++i)
        out << QString::fromUtf8(headings[i])
            << QStringLiteral("Fil 1: %1; Fil 2: %2;.").arg(counts1[i]).arg(counts2[i]);
    return out;
}

Tcompare::Tcompare(const QString& file1, QWidget* parent)
    : QDialog(parent), file1_(file1), left_(new LineStore), right_(new LineStore) {
    setWindowTitle(QStringLiteral("Jämför filer"));
    auto* layout = new QVBoxLayout(this);
    states_ = new QStackedWidget(this);
    layout->addWidget(states_, 1);

    Files = new TCaptionGroup(states_);
    Files->SetCaptionText(QStringLiteral("Filer"));
    auto* form = new QFormLayout(Files);
    form->setContentsMargins(8, 28, 8, 8);
    File1Edit = new QLineEdit(QStringLiteral("Fil med aktuellt dokument"), Files);
    File1Edit->setReadOnly(true);
    File2Edit = new QLineEdit(Files);
    auto* label1 = new QLabel(QStringLiteral("Fil &1:"), Files);
    label1->setBuddy(File1Edit);
    auto* label2 = new QLabel(QStringLiteral("Fil &2:"), Files);
    label2->setBuddy(File2Edit);
    form->addRow(label1, File1Edit);
    form->addRow(label2, File2Edit);
    states_->addWidget(Files);

    Result = new TCaptionGroup(states_);
    Result->SetCaptionText(QStringLiteral("Resultat"));
    auto* grid = new QVBoxLayout(Result);
    grid->setContentsMargins(8, 28, 8, 8);
    auto* names = new QHBoxLayout;
    auto* views = new QHBoxLayout;
    const auto column = [this](QHBoxLayout* row, const QString& label, QLabel** name) {
        row->addWidget(new QLabel(label, Result));
        *name = new QLabel(Result);
        (*name)->setTextFormat(Qt::PlainText);
        row->addWidget(*name, 1);
    };
    column(names, QStringLiteral("Fil 1:"), &Name1);
    column(names, QStringLiteral("Fil 2:"), &Name2);
    Left = FileView(Result);
    Right = FileView(Result);
    views->addWidget(Left);
    views->addWidget(Right);
    Heading = new QLabel(QStringLiteral("Jämförelserapport över likheter och skillnader"), Result);
    results = new QPlainTextEdit(Result);
    results->setReadOnly(true);
    grid->addLayout(names);
    grid->addLayout(views, 2);
    grid->addWidget(Heading);
    grid->addWidget(results, 1);
    states_->addWidget(Result);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    CompareBtn = new QPushButton(QStringLiteral("&Jämför"), this);
    CancelBtn = new QPushButton(QStringLiteral("Avbryt"), this);
    CloseBtn = new QPushButton(QStringLiteral("Stäng"), this);
    OccurBtn = new QPushButton(QStringLiteral("&Förekomster"), this);
    for (QPushButton* b : {CompareBtn, CancelBtn, CloseBtn, OccurBtn})
        buttons->addWidget(b);
    layout->addLayout(buttons);
    connect(CompareBtn, &QPushButton::clicked, this, [this] { CompareNow(); });
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
    connect(CloseBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(OccurBtn, &QPushButton::clicked, this, [this] { CompareOccurences(); });
    SetResultState(false);
}

Tcompare::~Tcompare() {
    delete left_;
    delete right_;
}

bool Tcompare::InResultState() const {
    return states_->currentWidget() == Result;
}

void Tcompare::Message(const QString& text) {
    if (OnMessage)
        OnMessage(text);
}

void Tcompare::SetResultState(bool on) {
    states_->setCurrentWidget(on ? static_cast<QWidget*>(Result) : Files);
    CompareBtn->setVisible(!on);
    CancelBtn->setVisible(!on);
    CloseBtn->setVisible(on);
    CompareBtn->setDefault(!on);
    CloseBtn->setDefault(on);
    if (on) {
        resize(640, 480);
        Dialogs::CentreOnScreen(this);
    } else {
        resize(276, 197);
    }
}

void Tcompare::CompareNow() {
    SetResultState(true);
    QString error;
    if (!left_->LoadFromFile(file1_, &error)) {
        Message(QStringLiteral("Det gick inte att öppna fil 1."));
        SetResultState(false);
        return;
    }
    ShowText(Left, *left_);
    Name1->setText(file1_);
    const QString file2 = File2Edit->text();
    if (file2.isEmpty() || !right_->LoadFromFile(file2, &error)) {
        Message(QStringLiteral("Det gick inte att öppna fil 2."));
        SetResultState(false);
        return;
    }
    ShowText(Right, *right_);
    Name2->setText(file2);
    results->appendPlainText(CompareReport(file1_, *left_, file2, *right_).join(QLatin1Char('\n')));
    results->setFocus();
    results->moveCursor(QTextCursor::Start);
}

void Tcompare::CompareOccurences() {
    QString text;
    if (!OnGetInput ||
        !OnGetInput(QStringLiteral("Ange textsträng att söka förekomster efter:"), &text))
        return;
    const QByteArray sought = Cp1252::Encode(text);
    std::array<int, 4> counts1{}, counts2{};
    for (quint8 options = 0; options < 4; ++options) {
        if (sought.isEmpty())
            break;
        counts1[options] = static_cast<int>(TTextSearcher(*left_, sought, options).Count());
        counts2[options] = static_cast<int>(TTextSearcher(*right_, sought, options).Count());
    }
    QTextCursor cursor(results->document());
    cursor.movePosition(QTextCursor::End);
    // The appended part starts after the break that ends the old last line.
    const int start = cursor.position() + (results->document()->isEmpty() ? 0 : 1);
    results->appendPlainText(OccurrenceReport(text, counts1, counts2).join(QLatin1Char('\n')));
    cursor.setPosition(start);
    cursor.movePosition(QTextCursor::End, QTextCursor::KeepAnchor);
    results->setTextCursor(cursor);
}
