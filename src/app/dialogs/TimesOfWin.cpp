#include "app/dialogs/TimesOfWin.h"

#include "editor/text/LineStore.h"
#include "editor/text/TextFormReader.h"
#include "platform/Cp1252.h"
#include "platform/Dialogs.h"

#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QListView>
#include <QMenu>
#include <QSaveFile>
#include <QStatusBar>
#include <QVBoxLayout>

// --- the entries -------------------------------------------------------------------------------

int TOccurrenceList::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : Count();
}

QVariant TOccurrenceList::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= Count())
        return {};
    return Text(index.row());
}

void TOccurrenceList::Clear() {
    beginResetModel();
    entries_.clear();
    entries_.shrink_to_fit();
    excerpts_.clear();
    excerpts_.squeeze();
    names_.clear();
    paths_.clear();
    endResetModel();
}

void TOccurrenceList::AddHits(const LineStore& lines, const std::vector<int>& hits, int length,
                              int tab, const QString& fileName) {
    if (hits.empty())
        return;
    int document = -1;
    if (!fileName.isEmpty()) {
        document = static_cast<int>(names_.size());
        const qsizetype slash = fileName.lastIndexOf(QLatin1Char('/'));
        names_.push_back(fileName.mid(slash + 1));
        paths_.push_back(fileName);
    }
    const int first = Count();
    beginInsertRows(QModelIndex(), first, first + static_cast<int>(hits.size()) - 1);
    entries_.reserve(entries_.size() + hits.size());
    const qsizetype base = excerpts_.size();
    excerpts_.resize(base + static_cast<qsizetype>(hits.size()) * ExcerptLength, '\0');
    char* out = excerpts_.data() + base;
    for (const int hit : hits) {
        entries_.push_back({hit, length, tab, document});
        TTextFormReader(lines, hit).CopyTo(static_cast<qint64>(hit) + ExcerptLength, out);
        out += ExcerptLength;
    }
    endInsertRows();
}

QString TOccurrenceList::DocumentPath(int row) const {
    const int d = Entry(row).Document;
    return d >= 0 ? paths_[static_cast<size_t>(d)] : QString();
}

QString TOccurrenceList::Text(int row) const {
    const TOccurrence& e = Entry(row);
    const char* excerpt = excerpts_.constData() + static_cast<qsizetype>(row) * ExcerptLength;
    QByteArray bytes(excerpt, static_cast<qsizetype>(qstrnlen(excerpt, ExcerptLength)));
    for (char& c : bytes)
        if (c == '\r' || c == '\n' || c == '\t')
            c = ' ';
    QString text = QString::number(e.Offset + 1) + QStringLiteral(": ") + Cp1252::Decode(bytes) +
                   QStringLiteral("...");
    if (e.Document >= 0)
        text += QStringLiteral(" (") + names_[static_cast<size_t>(e.Document)] + QLatin1Char(')');
    return text;
}

// --- the window ----------------------------------------------------------------------------------

TTimesOf::TTimesOf(QWidget* parent) : QWidget(parent, Qt::Tool | Qt::WindowStaysOnTopHint) {
    setObjectName(QStringLiteral("TimesOf"));
    setWindowTitle(QStringLiteral("Förekomster"));
    resize(420, 360);

    PanelCaption1 = new QLabel(QStringLiteral("Förekomster"), this);
    PanelCaption1->setObjectName(QStringLiteral("PanelCaption1"));
    PanelCaption1->setTextFormat(Qt::PlainText);
    PanelCaption1->setFixedHeight(23);
    PanelCaption1->setStyleSheet(QStringLiteral(
        "QLabel { background: #2b3a55; color: white; font-weight: bold; padding-left: 6px; }"));

    list_ = new TOccurrenceList(this);
    IndexList = new QListView(this);
    IndexList->setObjectName(QStringLiteral("IndexList"));
    IndexList->setModel(list_);
    // Rows of one height: the view measures one and lays out a million at no cost.
    IndexList->setUniformItemSizes(true);
    IndexList->setEditTriggers(QAbstractItemView::NoEditTriggers);
    IndexList->setSelectionMode(QAbstractItemView::SingleSelection);
    IndexList->setContextMenuPolicy(Qt::CustomContextMenu);
    IndexList->installEventFilter(this);

    StatusBar1 = new QStatusBar(this);
    StatusBar1->setSizeGripEnabled(false);
    StatusText = new QLabel(StatusBar1);
    StatusText->setObjectName(QStringLiteral("StatusText"));
    StatusText->setTextFormat(Qt::PlainText);
    StatusBar1->addWidget(StatusText, 1);

    Popup = new QMenu(this);
    Popup->setObjectName(QStringLiteral("Popup"));
    GotoItem = Popup->addAction(QStringLiteral("&Gå till markerad"));
    Popup->setDefaultAction(GotoItem);
    ClearItem = Popup->addAction(QStringLiteral("Rensa resultat"));
    ExportItem = Popup->addAction(QStringLiteral("Exportera resultat..."));
    connect(GotoItem, &QAction::triggered, this, [this] { GotoOccItem(); });
    connect(ClearItem, &QAction::triggered, this, [this] { DelOccResults(); });
    connect(ExportItem, &QAction::triggered, this, [this] { ExportOccs(); });
    connect(IndexList, &QWidget::customContextMenuRequested, this,
            [this](QPoint p) { Popup->popup(IndexList->viewport()->mapToGlobal(p)); });
    connect(IndexList, &QAbstractItemView::doubleClicked, this, [this] { GotoOccItem(); });

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(PanelCaption1);
    layout->addWidget(IndexList, 1);
    layout->addWidget(StatusBar1);
}

bool TTimesOf::eventFilter(QObject* watched, QEvent* event) {
    if (watched == IndexList && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            GotoOccItem();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void TTimesOf::SetCaption(const QString& text) {
    PanelCaption1->setText(text);
}

void TTimesOf::SetStatus(const QString& text) {
    StatusText->setText(text);
}

void TTimesOf::GotoOccItem() {
    const QModelIndex index = IndexList->currentIndex();
    if (!index.isValid() || index.row() >= list_->Count() || !OnGoto)
        return;
    OnGoto(index.row());
}

void TTimesOf::DelOccResults() {
    SetCaption(QStringLiteral("Förekomster"));
    list_->Clear();
    SetStatus(QString());
}

bool TTimesOf::WriteEntries(const QString& fileName) const {
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    QByteArray block;
    for (int row = 0, n = list_->Count(); row < n; ++row) {
        block += Cp1252::Encode(list_->Text(row));
        block += "\r\n";
        if (block.size() > (1 << 16)) {
            if (file.write(block) != block.size())
                return false;
            block.clear();
        }
    }
    if (file.write(block) != block.size())
        return false;
    return file.commit();
}

void TTimesOf::ExportOccs() {
    const QStringList filters =
        Dialogs::FilterList(QStringLiteral("Textdokument (*.txt)|*.txt|Alla filformat|*.*"));
    QString selected = filters.value(0);
    const QString fileName =
        Dialogs::GetSaveFileName(this, QStringLiteral("Exportera förekomstlista"), QString(),
                                 filters.join(QStringLiteral(";;")), &selected);
    if (fileName.isEmpty())
        return;
    if (!WriteEntries(fileName) && OnMessage)
        OnMessage(QStringLiteral("Det gick inte att spara förekomstlistan."));
}
