// The main window's menus and toolbars, built from the menu layout table, and the items they
// fill as they open: the recent files, the documents and the clips.
#include "app/mainwindow/MainWin.h"

#include "app/commands/Requests.h"
#include "app/core/RecentFiles.h"
#include "app/mainwindow/MenuLayout.h"
#include "app/preview/ViewModes.h"
#include "controls/TabControlEx.h"
#include "editor/model/TagUnderConstruction.h"
#include "editor/view/InteractiveListMenu.h"
#include "editor/view/TextEditorEx.h"
#include "platform/Cp1252.h"
#include "platform/SilentAbort.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QToolBar>
#include <QToolButton>
#include <algorithm>

namespace {

// A file name as a menu caption ("&" is not an accelerator there).
QString MenuText(const QString& text) {
    QString out = text;
    return out.replace(QLatin1Char('&'), QStringLiteral("&&"));
}

// A clip as a menu caption: "&" as it is and no tab (which would start the shortcut column).
QString MenuCaption(QString text) {
    text.replace(QLatin1Char('&'), QStringLiteral("&&"));
    text.replace(QLatin1Char('\t'), QLatin1Char(' '));
    return text;
}

QString PlainClipboardText() {
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    return data && data->hasText() ? data->text() : QString();
}

bool ClipboardHasText() {
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    return data && data->hasText();
}

const MenuLayout::TMenu* FindSubmenu(const char* name) {
    for (const MenuLayout::TMenu& menu : MenuLayout::Submenus())
        if (qstrcmp(menu.ObjectName, name) == 0)
            return &menu;
    return nullptr;
}

// The menu of that name among `actions`' menus and their submenus.
QMenu* FindMenu(const QList<QAction*>& actions, const QString& objectName) {
    for (QAction* action : actions) {
        QMenu* menu = action->menu();
        if (!menu)
            continue;
        if (menu->objectName() == objectName)
            return menu;
        if (QMenu* inner = FindMenu(menu->actions(), objectName))
            return inner;
    }
    return nullptr;
}

// The window's own menus of the table, marked so in their data.
constexpr int kNoTag = -1;

} // namespace

// --- building ------------------------------------------------------------------------------------

void Tmain::BuildMenus() {
    // Puts a table's entries into a menu; a submenu is made below its menu.
    std::function<void(QMenu*, const std::vector<MenuLayout::TItem>&)> fill =
        [&](QMenu* menu, const std::vector<MenuLayout::TItem>& items) {
            for (const MenuLayout::TItem& item : items) {
                if (!item.Name) {
                    menu->addSeparator();
                } else if (const MenuLayout::TMenu* sub = FindSubmenu(item.Name)) {
                    auto* submenu = new QMenu(QString::fromUtf8(sub->Caption), menu);
                    submenu->setObjectName(QLatin1String(sub->ObjectName));
                    menu->addMenu(submenu);
                    fill(submenu, sub->Items);
                } else {
                    menu->addAction(commands_->Slot(QLatin1String(item.Name)));
                }
            }
        };
    for (const MenuLayout::TMenu& spec : MenuLayout::MenuBar()) {
        auto* menu = new QMenu(QString::fromUtf8(spec.Caption), menuBar());
        menu->setObjectName(QLatin1String(spec.ObjectName));
        menuBar()->addMenu(menu);
        fill(menu, spec.Items);
        if (spec.EditOnly)
            Views->AddEditOnly(menu);
    }
    Arkiv1 = Menu(QStringLiteral("Arkiv1"));
    mnuDocTabs = Menu(QStringLiteral("mnuDocTabs"));
    Infoga1 = Menu(QStringLiteral("Infoga1"));
    Verktyg1 = Menu(QStringLiteral("Verktyg1"));
    mnuPaste = Menu(QStringLiteral("mnuPaste"));
    connect(Arkiv1, &QMenu::aboutToShow, this, [this] { InitReopenNs(); });
    connect(mnuDocTabs, &QMenu::aboutToShow, this, [this] { InitDocTabs(); });
    connect(Menu(QStringLiteral("Redigera1")), &QMenu::aboutToShow, this,
            [this] { RunCommand([this] { InitPastes(); }); });

    static const char* const reopen[] = {"RoAlfa1", "RoBeta1", "RoGamma1", "RoDelta1"};
    for (size_t i = 0; i < Reopen.size(); ++i) {
        Reopen[i] = commands_->Slot(QLatin1String(reopen[i]));
        Reopen[i]->setVisible(false);
    }

    // The toolbars: an edit-only button is disabled in preview mode.
    const auto toolbar = [this](const MenuLayout::TMenu& spec) {
        QToolBar* bar = addToolBar(QString::fromUtf8(spec.Caption));
        bar->setObjectName(QLatin1String(spec.ObjectName));
        for (const MenuLayout::TItem& item : spec.Items) {
            if (!item.Name) {
                bar->addSeparator();
                continue;
            }
            QAction* action = commands_->Slot(QLatin1String(item.Name));
            bar->addAction(action);
            if (item.EditOnly)
                Views->AddEditOnly(bar->widgetForAction(action));
        }
        return bar;
    };
    Toolbar = toolbar(MenuLayout::MainToolbar());
    InsertToolbar = toolbar(MenuLayout::InsertToolbar());
    InsertToolbar->hide();

    // The open button drops down the recent files, the paste button the clips.
    ReopenPopup = new QMenu(this);
    ReopenPopup->setObjectName(QStringLiteral("ReopenPopup"));
    for (QAction* item : Reopen)
        ReopenPopup->addAction(item);
    connect(ReopenPopup, &QMenu::aboutToShow, this, [this] { InitReopenNs(); });
    if (auto* button = qobject_cast<QToolButton*>(
            Toolbar->widgetForAction(Action(QStringLiteral("AOpenDoc"))))) {
        button->setMenu(ReopenPopup);
        button->setPopupMode(QToolButton::MenuButtonPopup);
    }
    PasteDataPopup = new QMenu(this);
    PasteDataPopup->setObjectName(QStringLiteral("PasteDataPopup"));
    connect(PasteDataPopup, &QMenu::aboutToShow, this,
            [this] { RunCommand([this] { InitPastes2(); }); });
    if (auto* button = qobject_cast<QToolButton*>(
            Toolbar->widgetForAction(Action(QStringLiteral("RDocPaste"))))) {
        button->setObjectName(QStringLiteral("PasteButton"));
        button->setMenu(PasteDataPopup);
        button->setPopupMode(QToolButton::MenuButtonPopup);
    }

    const MenuLayout::TMenu& tabs = MenuLayout::TabsPopup();
    TabsPopup = new QMenu(this);
    TabsPopup->setObjectName(QLatin1String(tabs.ObjectName));
    fill(TabsPopup, tabs.Items);
    FilesList->SetTabPopupMenu(TabsPopup);
    FilesList->SetPopupActivatesTab(true);

    // The editor's menu gains its extras for a selected colour or entity as it opens; it does
    // not open while the completion list is up.
    const MenuLayout::TMenu& document = MenuLayout::DocumentPopup();
    documentPopup = new QMenu(this);
    documentPopup->setObjectName(QLatin1String(document.ObjectName));
    fill(documentPopup, document.Items);
    connect(documentPopup, &QMenu::aboutToShow, this, [this] { SetupExtMenuItems(); });
    CodeEditor->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(CodeEditor, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        if (CodeEditor->ListMenu() && CodeEditor->ListMenu()->isVisible())
            return;
        documentPopup->popup(CodeEditor->mapToGlobal(at));
    });
}

namespace {

// The tag of an item of the editor's menu: 100 the colour extras, 200 the entity extras.
constexpr const char* kExtraTag = "kvExtraTag";
constexpr int kColourTag = 100, kEntityTag = 200;

int ExtraTag(const QAction* item) {
    return item ? item->property(kExtraTag).toInt() : 0;
}

bool IsHexDigit(char c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
}

} // namespace

char Tmain::CharAtOffset(int offset) const {
    QPoint at;
    if (offset < 0 || !CodeEditor->OffsetToPos(offset, &at))
        return 0;
    const auto line = CodeEditor->Lines.Get(at.y());
    return at.x() < line.size() ? line[at.x()] : '\r';
}

void Tmain::SetupExtMenuItems() {
    const int start = CodeEditor->GetSelStart(), length = CodeEditor->GetSelLength();
    bool colour = false;
    if (length == 7) {
        const QByteArray text = CodeEditor->GetSelText();
        colour = text.size() == 7 && text[0] == '#' &&
                 std::all_of(text.begin() + 1, text.end(), IsHexDigit);
    }
    // The characters just after the selection's start and just before its end (around the
    // caret when nothing is selected).
    const bool entity =
        length < 10 && CharAtOffset(start + length - 1) == ';' && CharAtOffset(start) == '&';
    const auto first = [this] { return documentPopup->actions().value(0); };
    if (!colour && !entity) {
        while (ExtraTag(first()) >= kColourTag) {
            QAction* item = first();
            documentPopup->removeAction(item);
            delete item;
        }
        return;
    }
    // Puts an extra at the top with a separator below it.
    const auto extra = [this, &first](int tag, const QString& caption, const QString& command) {
        if (ExtraTag(first()) == tag)
            return;
        QAction* top = first();
        auto* separator = new QAction(documentPopup);
        separator->setSeparator(true);
        separator->setProperty(kExtraTag, tag);
        documentPopup->insertAction(top, separator);
        auto* item = new QAction(caption, documentPopup);
        item->setObjectName(command);
        item->setProperty(kExtraTag, tag);
        MenuLayout::MarkRunTimeItem(item);
        connect(item, &QAction::triggered, this, [this, command] { Commands().Trigger(command); });
        documentPopup->insertAction(separator, item);
    };
    if (colour)
        extra(kColourTag, QStringLiteral("Ändra färgvärde"), QStringLiteral("IInsertColor"));
    else
        extra(kEntityTag, QStringLiteral("Ändra specialtecken"), QStringLiteral("IInsertAlpha"));
}

QMenu* Tmain::Menu(const QString& objectName) const {
    // A menu is found by its place on the menu bar, whoever owns it; else among the window's
    // own menus (the tab strip's, the editor's).
    if (QMenu* menu = FindMenu(menuBar()->actions(), objectName))
        return menu;
    return findChild<QMenu*>(objectName, Qt::FindDirectChildrenOnly);
}

void Tmain::AddToMenu(const QString& menu, const QString& command, const QString& before,
                      const QString& caption) {
    QMenu* target = Menu(menu);
    if (!target) {
        target = new QMenu(caption.isEmpty() ? menu : caption, menuBar());
        target->setObjectName(menu);
        menuBar()->addMenu(target);
    }
    QAction* action = commands_->Slot(command);
    QAction* anchor = nullptr;
    if (!before.isEmpty())
        for (QAction* item : target->actions())
            if (item->objectName() == before)
                anchor = item;
    target->insertAction(anchor, action);
}

void Tmain::AddMenuSeparator(const QString& menu) {
    if (QMenu* target = Menu(menu))
        target->addSeparator();
}

QByteArray Tmain::FCC(const QByteArray& text) const {
    const quint8 mode =
        TagCase == TagCase::Upper || TagCase == TagCase::Lower ? static_cast<quint8>(TagCase) : 0;
    return TagCase::Cased(text, mode);
}

// --- recent files and documents ------------------------------------------------------------------

void Tmain::InitReopenNs() {
    for (QAction* item : Reopen)
        item->setVisible(false);
    if (!ShowReopenEnabled)
        return;
    for (int i = 1; i <= RecentFiles::Count; ++i) {
        const QString file = RecentFiles::File(i);
        if (file.isEmpty())
            continue;
        QAction* item = Reopen[static_cast<size_t>(i - 1)];
        item->setText(QStringLiteral("&%1 ").arg(i) + MenuText(DocFileName(file)));
        item->setStatusTip(file);
        item->setVisible(true);
    }
}

void Tmain::InitDocTabs() {
    const QList<QAction*> items = mnuDocTabs->actions();
    for (qsizetype i = items.size() - 1; i >= 0; --i) {
        if (items[i]->data().toInt() != 0) {
            // The item may be the one whose click is being handled.
            items[i]->setShortcut(QKeySequence());
            mnuDocTabs->removeAction(items[i]);
            items[i]->deleteLater();
        }
    }
    const int current = CurrentTab();
    for (int i = 0; i < FilesList->count() && i < OpenFilesCount(); ++i) {
        const QString& fileName = OpenFiles[static_cast<size_t>(i)].FileName;
        auto* item = new QAction(
            QStringLiteral("%1: %2").arg(i + 1).arg(MenuText(DocFileName(fileName))), mnuDocTabs);
        item->setStatusTip(QStringLiteral("Visar dokumentfliken för filen %1.").arg(fileName));
        MenuLayout::MarkRunTimeItem(item);
        item->setData(1000 + i);
        if (i < 9)
            item->setShortcut(QKeySequence(Qt::CTRL | static_cast<Qt::Key>(Qt::Key_1 + i)));
        item->setCheckable(true);
        item->setChecked(i == current);
        const int tag = 1000 + i;
        connect(item, &QAction::triggered, this,
                [this, tag] { RunCommand([this, tag] { GotoTabFromTag(tag); }); });
        mnuDocTabs->addAction(item);
    }
}

// --- the paste menus -----------------------------------------------------------------------------

QString Tmain::ClipCaption(const QString& text) {
    const QChar quote = QLatin1Char('"');
    if (text.size() < 31)
        return quote + text + quote;
    return quote + text.left(30) + QStringLiteral("...") + quote;
}

void Tmain::InitPastes() {
    mnuPaste->clear();
    if (ClipboardHasText()) {
        QAction* item = mnuPaste->addAction(
            MenuCaption(ClipCaption(PlainClipboardText()) + QStringLiteral(" (Systemurklipp)")));
        MenuLayout::MarkRunTimeItem(item);
        item->setData(kNoTag);
        item->setStatusTip(QStringLiteral("|Infogar innehållet i systemurklipp vid markören."));
        item->setShortcut(QKeySequence(QStringLiteral("Ctrl+V")));
        // The window's paste action owns the key; this one only shows it.
        item->setShortcutContext(Qt::WidgetShortcut);
        connect(item, &QAction::triggered, this,
                [this] { commands_->Trigger(QStringLiteral("RDocPaste")); });
        mnuPaste->addSeparator();
    }
    const QList<QByteArray>& entries = DataFiles.ClipboardHistory.Entries();
    for (int i = 0; i < entries.size(); ++i) {
        QByteArray shown = entries[i];
        shown.replace("\r\n", "\\n");
        QAction* item = mnuPaste->addAction(MenuCaption(ClipCaption(Cp1252::Decode(shown))));
        MenuLayout::MarkRunTimeItem(item);
        item->setData(i);
        item->setStatusTip(
            QStringLiteral("|Infogar innehållet i det här Kelvora-urklippet vid markören."));
        connect(item, &QAction::triggered, this, [this, i] {
            RunCommand(
                [this, i] { commands_->Run(QStringLiteral("RDocPaste"), TPasteRequest{i}); });
        });
    }
    if (mnuPaste->isEmpty()) {
        QAction* item = mnuPaste->addAction(QStringLiteral("Det finns inga urklipp i minnet."));
        MenuLayout::MarkRunTimeItem(item);
        item->setData(kNoTag);
        item->setStatusTip(
            QStringLiteral("|Det finns inget systemurklipp och inga Kelvora-urklipp."));
        item->setEnabled(false);
    }
}

void Tmain::InitPastes2() {
    InitPastes();
    PasteDataPopup->clear();
    const bool systemClip = ClipboardHasText();
    bool firstItem = true;
    for (QAction* source : mnuPaste->actions()) {
        if (source->isSeparator()) {
            PasteDataPopup->addSeparator();
            continue;
        }
        QAction* item = PasteDataPopup->addAction(source->text());
        MenuLayout::MarkRunTimeItem(item);
        item->setData(source->data());
        item->setStatusTip(source->statusTip());
        connect(item, &QAction::triggered, source, &QAction::trigger);
        if (firstItem && systemClip)
            PasteDataPopup->setDefaultAction(item);
        firstItem = false;
    }
}
