#include "markup/classes/CSSGroupsWin.h"

#include "app/mainwindow/MainWin.h"
#include "controls/CaptionGroup.h"
#include "editor/text/LineStore.h"
#include "editor/view/TextEditorEx.h"
#include "markup/classes/ClassNames.h"
#include "platform/Cp1252.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>
#include <sys/stat.h>

namespace {

// A linked style sheet larger than this is not read.
constexpr qint64 kMaxSheetSize = 8 * 1024 * 1024;

// The last scan of a document: its lines as they were and what they held.
struct TScanCache {
    const Tmain* owner = nullptr;
    LineStore::Snapshot lines;
    ClassNames::TDocumentScan scan;
};

TScanCache& Cache() {
    static TScanCache cache;
    return cache;
}

const ClassNames::TDocumentScan& ScanOf(const Tmain& window) {
    TScanCache& cache = Cache();
    LineStore::Snapshot now = window.CodeEditor->Lines.TakeSnapshot();
    if (cache.owner != &window || !cache.lines.SharesAllWith(now)) {
        cache.scan = ClassNames::ScanDocument(window.CodeEditor->Lines);
        cache.owner = &window;
        cache.lines = std::move(now);
    }
    return cache.scan;
}

// A reference with a scheme ("http:", "data:") or a network path ("//host/...").
bool IsUrl(const QString& ref) {
    if (ref.startsWith(QStringLiteral("//")))
        return true;
    const qsizetype colon = ref.indexOf(QLatin1Char(':'));
    if (colon < 2) // "c:" would be a drive; there are none here
        return false;
    for (qsizetype i = 0; i < colon; ++i) {
        const QChar c = ref[i];
        if (!(c.isLetterOrNumber() || c == QLatin1Char('+') || c == QLatin1Char('-') ||
              c == QLatin1Char('.')))
            return false;
    }
    return !ref.startsWith(QStringLiteral("file:"), Qt::CaseInsensitive);
}

bool IsRegularFile(const QString& path) {
    struct stat info;
    return ::stat(QFile::encodeName(path).constData(), &info) == 0 && S_ISREG(info.st_mode);
}

const char* const kMissing = "Externa stilmallsgrupper kan ej läsas in eftersom den angivna "
                             "externa CSS-filen inte existerar.";
const char* const kUnreadable = "Det gick inte att öppna och läsa från den angivna externa "
                                "CSS-filen.";

} // namespace

TCSSGROUPS::TCSSGROUPS(Tmain& window) : QDialog(&window), w_(window) {
    setObjectName(QStringLiteral("CSSGROUPS"));
    setWindowTitle(QStringLiteral("Stilmallsgrupper"));
    auto* layout = new QVBoxLayout(this);
    auto* group = new TCaptionGroup(this);
    group->SetCaptionText(QStringLiteral(" Tillgängliga stilmallsgrupper "));
    auto* inner = new QVBoxLayout(group);
    inner->setContentsMargins(8, 28, 8, 8);
    GROUPS = new QListWidget(group);
    GROUPS->setObjectName(QStringLiteral("GROUPS"));
    GROUPS->setSelectionMode(QAbstractItemView::ExtendedSelection);
    inner->addWidget(GROUPS);
    layout->addWidget(group, 1);
    auto* counters = new QGridLayout;
    counters->addWidget(new QLabel(QStringLiteral("Stilmallsgrupper funna i lokal fil:"), this), 0,
                        0);
    lblnl = new QLabel(QStringLiteral("0"), this);
    counters->addWidget(lblnl, 0, 1);
    counters->addWidget(
        new QLabel(QStringLiteral("Stilmallsgrupper funna i länkad (extern) fil:"), this), 1, 0);
    lblne = new QLabel(QStringLiteral("0"), this);
    counters->addWidget(lblne, 1, 1);
    counters->setColumnStretch(2, 1);
    layout->addLayout(counters);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    btnOk = new QPushButton(QStringLiteral("&Välj"), this);
    btnOk->setDefault(true);
    btnCancel = new QPushButton(QStringLiteral("Avbryt"), this);
    buttons->addWidget(btnOk);
    buttons->addWidget(btnCancel);
    layout->addLayout(buttons);
    connect(btnOk, &QPushButton::clicked, this, [this] {
        SelectGroup();
        done(1);
    });
    connect(btnCancel, &QPushButton::clicked, this, [this] { done(2); });
    connect(GROUPS, &QListWidget::itemDoubleClicked, btnOk, &QPushButton::click);
    resize(360, 380);
}

void TCSSGROUPS::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    GROUPS->clear();
    lblnl->setText(QStringLiteral("0"));
    lblne->setText(QStringLiteral("0"));
    for (const QByteArray& name : AssembleGroups(w_, this))
        GROUPS->addItem(Cp1252::Decode(name));
}

void TCSSGROUPS::SelectGroup() {
    QStringList chosen;
    for (int i = 0; i < GROUPS->count(); ++i)
        if (GROUPS->item(i)->isSelected())
            chosen << GROUPS->item(i)->text();
    SelectedCSSGroups = chosen.join(QLatin1Char(' ')).trimmed();
}

void TCSSGROUPS::Count(QLabel* counter, int more) {
    counter->setText(QString::number(counter->text().toInt() + more));
}

QByteArrayList TCSSGROUPS::AssembleGroups(Tmain& window, TCSSGROUPS* dialog) {
    const ClassNames::TDocumentScan scan = ScanOf(window);
    QByteArrayList names = scan.StyleNames;
    if (dialog)
        dialog->Count(dialog->lblnl, static_cast<int>(names.size()));
    for (const QByteArray& href : scan.LinkedSheets)
        names += ScanExternalFile(window, dialog, Cp1252::Decode(href));
    return names;
}

QByteArrayList TCSSGROUPS::ScanExternalFile(Tmain& window, TCSSGROUPS* dialog,
                                            const QString& href) {
    if (IsUrl(href))
        return {};
    QString path = href;
    if (path.startsWith(QStringLiteral("file:"), Qt::CaseInsensitive))
        path = QUrl(path).toLocalFile();
    // A query or a fragment names no part of the file.
    path = path.section(QLatin1Char('?'), 0, 0).section(QLatin1Char('#'), 0, 0);
    if (path.isEmpty())
        return {};
    QStringList candidates;
    const int tab = window.CurrentTab();
    if (QFileInfo(path).isRelative() && tab >= 0 && tab < window.OpenFilesCount() &&
        window.Current().HasFile)
        candidates << QFileInfo(window.Current().FileName).dir().filePath(path);
    candidates << path;
    QString found;
    for (const QString& c : candidates)
        if (QFileInfo::exists(c)) {
            found = c;
            break;
        }
    if (found.isEmpty()) {
        window.kvMessageBox(QString::fromUtf8(kMissing));
        return {};
    }
    QFile file(found);
    if (!IsRegularFile(found) || QFileInfo(found).size() > kMaxSheetSize ||
        !file.open(QIODevice::ReadOnly)) {
        window.kvMessageBox(QString::fromUtf8(kUnreadable));
        return {};
    }
    const QByteArray css = file.read(kMaxSheetSize);
    if (file.error() != QFileDevice::NoError) {
        window.kvMessageBox(QString::fromUtf8(kUnreadable));
        return {};
    }
    const QByteArrayList names = ClassNames::FromStyleSheet(css);
    if (dialog)
        dialog->Count(dialog->lblne, static_cast<int>(names.size()));
    return names;
}
