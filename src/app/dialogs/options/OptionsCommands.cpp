#include "app/dialogs/options/OptionsCommands.h"

#include "app/dialogs/options/OptionsWin.h"
#include "app/mainwindow/MainWin.h"
#include "platform/SilentAbort.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QSignalBlocker>
#include <QToolBar>

namespace {

using S = TSettingsValues;

const QString kSettingsMenu = QStringLiteral("Instllningar1");
constexpr quint32 kFirstDigitScanCode = 10; // the "1" key
constexpr quint32 kApostropheScanCode = 51; // the key beside Enter ("'" on Nordic layouts)

// The toggle keys as physical keys: Ctrl+Alt+Shift+digit arrives as the digit's shifted
// symbol, which differs between layouts; the hidden-characters key has a different symbol on
// every layout. A key that matched a shortcut never arrives here, so nothing runs twice.
class TToggleKeys : public QObject {
public:
    explicit TToggleKeys(Tmain& main) : QObject(&main), main_(main) {}

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyPress || !watched->isWidgetType() ||
            static_cast<QWidget*>(watched)->window() != &main_)
            return false;
        const auto* key = static_cast<QKeyEvent*>(event);
        const QString name = Match(key->modifiers(), key->nativeScanCode());
        QAction* action = name.isEmpty() ? nullptr : main_.Action(name);
        if (!action || !action->isEnabled())
            return false;
        action->trigger();
        return true;
    }

    static QString Match(Qt::KeyboardModifiers modifiers, quint32 scanCode) {
        const Qt::KeyboardModifiers mods = modifiers & (Qt::ControlModifier | Qt::ShiftModifier |
                                                        Qt::AltModifier | Qt::MetaModifier);
        const auto& toggles = QuickToggles();
        if (mods == (Qt::ControlModifier | Qt::ShiftModifier | Qt::AltModifier) &&
            scanCode >= kFirstDigitScanCode && scanCode < kFirstDigitScanCode + 5)
            return QLatin1String(toggles[scanCode - kFirstDigitScanCode].Name);
        if (mods == Qt::ControlModifier && scanCode == kApostropheScanCode)
            return QLatin1String(toggles.back().Name);
        return QString();
    }

private:
    Tmain& main_;
};

// Opens the options dialog on "Verktygsfält" when a toolbar is double-clicked.
class TToolbarDblClick : public QObject {
public:
    explicit TToolbarDblClick(Tmain& main) : QObject(&main), main_(main) {
        setObjectName(QStringLiteral("ToolbarDblClick"));
    }

    void Watch(QToolBar* bar) {
        if (bar && !watched_.contains(bar)) {
            watched_.append(bar);
            bar->installEventFilter(this);
        }
    }

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::MouseButtonDblClick && qobject_cast<QToolBar*>(watched)) {
            RunCommand([this] {
                Toptions& dialog = OptionsDialog(main_);
                dialog.Execute(dialog.Verktygsflt);
            });
            return true;
        }
        return false;
    }

private:
    Tmain& main_;
    QList<QPointer<QToolBar>> watched_;
};

void WatchToolbars(Tmain& main) {
    auto* watcher = dynamic_cast<TToolbarDblClick*>(
        main.findChild<QObject*>(QStringLiteral("ToolbarDblClick"), Qt::FindDirectChildrenOnly));
    if (!watcher)
        return;
    for (const char* name : {"Toolbar", "InsertToolbar", "ModifyToolbar"})
        watcher->Watch(main.findChild<QToolBar*>(QLatin1String(name)));
}

} // namespace

const std::vector<TQuickToggle>& QuickToggles() {
    static const std::vector<TQuickToggle> toggles = {
        {"ChSettA", "Koda automatiskt lands- och specialtecken", &S::AutoCode,
         "Automatisk teckenkodning aktiverad", "Automatisk teckenkodning inaktiverad"},
        {"ChSettB", "Infoga automatiska indrag", &S::AutoIndent, "Automatisk indentering aktiverad",
         "Automatisk indentering inaktiverad"},
        {"ChSettC", "Visa automatiskt dialogrutor för kodelement", &S::AutoWiz,
         "Automatiska kodguider aktiverade", "Automatiska kodguider inaktiverade"},
        {"ChSettD", "Stäng automatiskt vanliga taggar", &S::AutoClose,
         "Automatisk taggstängning aktiverad", "Automatisk taggstängning inaktiverad"},
        {"ChSettE", "Stäng automatiskt citattecken", &S::AutoCloseQts,
         "Automatisk citatstängning aktiverad", "Automatisk citatstängning inaktiverad"},
        {"FToggleShowHiddenChars", "Visa/dölj dolda tecken", &S::HiddenChrs, nullptr, nullptr},
    };
    return toggles;
}

void RunQuickToggle(Tmain& main, const TQuickToggle& toggle) {
    TSettingsValues values = main.CurrentSettings();
    bool& flag = values.*toggle.Field;
    flag = !flag;
    main.ApplySettings(values);
    if (toggle.OnText) {
        main.SetStatusPanel(6, QString::fromUtf8(flag ? toggle.OnText : toggle.OffText));
        main.NormalizeAdditionalPanel(2);
    }
    main.RequestActionUpdate();
}

Toptions& OptionsDialog(Tmain& main) {
    if (auto* dialog =
            main.findChild<Toptions*>(QStringLiteral("options"), Qt::FindDirectChildrenOnly))
        return *dialog;
    auto* dialog = new Toptions(main, &main);
    QPointer<Toptions> guard(dialog);
    // The HTML-ground subroutine is saved at the end, before the data files.
    main.Hooks.SaveDataFiles = [guard, previous = main.Hooks.SaveDataFiles] {
        if (guard)
            RunCommand([&] { guard->SaveHtmlGround(); });
        if (previous)
            previous();
    };
    // A new page is filled from the dialog's HTML-ground editor, as it is now.
    main.HtmlGroundText = [guard] { return guard ? guard->HtmlGroundText() : QByteArray(); };
    // Applying from anywhere gives the HTML-ground editor the main editor's look.
    main.Hooks.ApplySettings.push_back([guard](const TSettingsValues&) {
        if (guard)
            guard->TakeMainEditorLook();
    });
    guard->TakeMainEditorLook();
    WatchToolbars(main);
    return *dialog;
}

void InstallOptionsCommands(Tmain& main) {
    TCommandRegistry& commands = main.Commands();
    commands.Add(QStringLiteral("IShowOptions"), QStringLiteral("Alternativ..."), {}, [&main] {
        Toptions& dialog = OptionsDialog(main);
        dialog.Execute(dialog.Allmant);
    });
    const auto& toggles = QuickToggles();
    for (size_t i = 0; i < toggles.size(); ++i) {
        const TQuickToggle& t = toggles[i];
        const QKeySequence key = i < 5
                                     ? QKeySequence(QStringLiteral("Ctrl+Shift+Alt+%1").arg(i + 1))
                                     : QKeySequence(Qt::CTRL | Qt::Key_Apostrophe);
        QAction* action = commands.Add(QLatin1String(t.Name), QString::fromUtf8(t.Caption), key,
                                       [&main, &t] { RunQuickToggle(main, t); });
        action->setCheckable(true);
    }

    // "Inst&ällningar", before "&Dokumentflikar".
    auto* menu = new QMenu(QStringLiteral("Inst&ällningar"), &main);
    menu->setObjectName(kSettingsMenu);
    main.menuBar()->insertMenu(main.mnuDocTabs ? main.mnuDocTabs->menuAction() : nullptr, menu);
    main.AddToMenu(kSettingsMenu, QStringLiteral("IShowOptions"));
    menu->addSeparator();
    for (size_t i = 0; i < 5; ++i)
        main.AddToMenu(kSettingsMenu, QLatin1String(toggles[i].Name));
    // The check marks follow the running settings as the menu opens.
    QObject::connect(menu, &QMenu::aboutToShow, &main, [&main] {
        const TSettingsValues values = main.CurrentSettings();
        for (size_t i = 0; i < 5; ++i) {
            const TQuickToggle& t = QuickToggles()[i];
            if (QAction* action = main.Action(QLatin1String(t.Name))) {
                const QSignalBlocker block(action);
                action->setChecked(values.*t.Field);
            }
        }
    });
    main.AddToMenu(QStringLiteral("Format1"), QStringLiteral("FToggleShowHiddenChars"));

    qApp->installEventFilter(new TToggleKeys(main));
    new TToolbarDblClick(main);
    WatchToolbars(main);
}
