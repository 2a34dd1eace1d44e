#include "app/panels/BookmarksPanel.h"

#include "app/commands/CommandRegistry.h"
#include "app/commands/Requests.h"
#include "controls/PanelCaption.h"
#include "platform/Cp1252.h"
#include "platform/SilentAbort.h"

#include <QAction>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QVBoxLayout>

TBookmarksPanel::TBookmarksPanel(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("bmpn"));
    setWindowTitle(QStringLiteral("Bokmärken"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    bookmarks = new QListWidget(this);
    bookmarks->setObjectName(QStringLiteral("bookmarks"));
    bookmarks->setSelectionMode(QAbstractItemView::ExtendedSelection);
    bookmarks->setFrameShape(QFrame::NoFrame);
    bookmarks->setBackgroundRole(QPalette::Button);
    bookmarks->viewport()->setBackgroundRole(QPalette::Button);
    bookmarks->setContextMenuPolicy(Qt::CustomContextMenu);
    bookmarks->installEventFilter(this);
    // The panel shares the side with others; it must not make the window taller.
    bookmarks->setMinimumSize(1, 1);
    layout->addWidget(bookmarks, 1);

    auto* bar = new TPanelCaption(this);
    auto* barLayout = new QHBoxLayout(bar);
    barLayout->setContentsMargins(2, 1, 2, 1);
    btnAddBookmark = new QPushButton(QStringLiteral("Lägg till aktuell rad"), bar);
    btnAddBookmark->setObjectName(QStringLiteral("btnAddBookmark"));
    btnAddBookmark->setToolTip(QStringLiteral("Lägger till aktuell rad i listan."));
    btnAddBookmark->setStatusTip(QStringLiteral("Lägger till aktuell rad i listan."));
    barLayout->addWidget(btnAddBookmark);
    barLayout->addStretch(1);
    layout->addWidget(bar);

    bmPopup = new QMenu(this);
    bmPopup->setObjectName(QStringLiteral("bmPopup"));
    Laggtillaktuellrad1 = bmPopup->addAction(QStringLiteral("&Lägg till aktuell rad"));
    Taborttmarkeradebokmrken1 = bmPopup->addAction(QStringLiteral("&Ta bort markerade bokmärken"));
    Markeraallabokmrken1 = bmPopup->addAction(QStringLiteral("&Markera alla bokmärken"));
    connect(bmPopup, &QMenu::aboutToShow, this, [this] { PreparePopup(); });
    connect(btnAddBookmark, &QPushButton::clicked, this,
            [this] { Run(QStringLiteral("AddBookmark")); });
    connect(Laggtillaktuellrad1, &QAction::triggered, this,
            [this] { Run(QStringLiteral("AddBookmark")); });
    connect(Taborttmarkeradebokmrken1, &QAction::triggered, this, [this] { DeleteSelected(); });
    connect(Markeraallabokmrken1, &QAction::triggered, this, [this] { SelectAll(); });
    connect(bookmarks, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
        Run(QStringLiteral("GotoBookmark"), TLineRequest{EntryLine(item->text())});
    });
    connect(bookmarks, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& pos) { bmPopup->popup(bookmarks->viewport()->mapToGlobal(pos)); });
    PreparePopup();
}

QString TBookmarksPanel::EntryText(int line, const QByteArray& text) {
    const bool cut = text.size() > ShownChars;
    return QString::number(line + 1) + QStringLiteral(": \"") +
           Cp1252::Decode(text.left(ShownChars)) +
           (cut ? QStringLiteral("...\"") : QStringLiteral("\""));
}

int TBookmarksPanel::EntryLine(const QString& entry) {
    const qsizetype colon = entry.indexOf(QLatin1Char(':'));
    if (colon < 0)
        return 0;
    bool ok = false;
    const int n = entry.left(colon).trimmed().toInt(&ok);
    return ok && n > 0 ? n : 0;
}

QStringList TBookmarksPanel::Entries() const {
    QStringList out;
    out.reserve(bookmarks->count());
    for (int i = 0; i < bookmarks->count(); ++i)
        out << bookmarks->item(i)->text();
    return out;
}

void TBookmarksPanel::SetEntries(const QStringList& entries) {
    bookmarks->clear();
    bookmarks->addItems(entries);
}

void TBookmarksPanel::AddEntry(const QString& entry) {
    bookmarks->addItem(entry);
}

void TBookmarksPanel::DeleteSelected() {
    for (int i = bookmarks->count() - 1; i >= 0; --i) {
        if (bookmarks->item(i)->isSelected())
            delete bookmarks->takeItem(i);
    }
}

void TBookmarksPanel::SelectAll() {
    bookmarks->selectAll();
}

void TBookmarksPanel::PreparePopup() {
    Laggtillaktuellrad1->setEnabled(true);
    Taborttmarkeradebokmrken1->setEnabled(!bookmarks->selectedItems().isEmpty());
    Markeraallabokmrken1->setEnabled(bookmarks->count() > 0);
}

bool TBookmarksPanel::eventFilter(QObject* watched, QEvent* event) {
    if (watched == bookmarks && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Delete) {
        // The menu item's state decides; it is brought up to date first, so that a selection
        // made since the menu last opened counts.
        PreparePopup();
        if (Taborttmarkeradebokmrken1->isEnabled())
            Taborttmarkeradebokmrken1->trigger();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void TBookmarksPanel::Run(const QString& command, const std::any& request) {
    if (commands_)
        RunCommand([&] { commands_->Run(command, request); });
}
