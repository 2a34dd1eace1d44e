#include "subroutines/events/SubroutineEvents.h"

#include "app/mainwindow/MainWin.h"
#include "editor/text/LineStore.h"
#include "editor/view/TextEditorEx.h"
#include "platform/AppPaths.h"
#include "platform/SilentAbort.h"
#include "subroutines/Commands.h"
#include "subroutines/runs/SubroutineRunner.h"

#include <QFile>
#include <QKeyEvent>

namespace SubroutineEvents {

namespace {

TSubroutineRunner* RunnerOf(Tmain& main) {
    Tcommands* window = WindowOf(main);
    return window ? window->Runner() : nullptr;
}

// Runs the hot-key subroutines from the main editor's key presses; a key without an entry
// passes on unchanged.
class THotKeys : public QObject {
public:
    explicit THotKeys(Tmain& main) : QObject(main.CodeEditor), main_(main) {}

    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() != QEvent::KeyPress)
            return false;
        const auto* key = static_cast<QKeyEvent*>(event);
        const int digit = HotKeyDigit(key->key(), key->modifiers());
        if (digit < 0)
            return false;
        const QString file = main_.Settings.ShortCutKey[static_cast<size_t>(digit)];
        if (file.isEmpty())
            return false;
        if (!key->isAutoRepeat())
            ExecuteEvent(main_, file);
        return true;
    }

private:
    Tmain& main_;
};

} // namespace

Tcommands* WindowOf(Tmain& main) {
    return qobject_cast<Tcommands*>(main.SubroutineWindow.data());
}

void ExecuteEvent(Tmain& main, const QString& fileName) {
    if (TSubroutineRunner* runner = RunnerOf(main))
        runner->ExecuteEvent(fileName);
}

void ExecuteStrings(Tmain& main, const std::vector<QByteArray>& lines) {
    if (TSubroutineRunner* runner = RunnerOf(main))
        runner->ExecuteStrings(lines);
}

std::vector<QByteArray> HtmlGroundLines(Tmain& main) {
    if (main.HtmlGroundText)
        return LineStore::SplitText(main.HtmlGroundText());
    const QString path = AppPaths::DataFile(QStringLiteral("RariViduze.sub"));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        main.kvMessageBox(
            QStringLiteral("Det gick inte att öppna filen med subrutinen för HTML-grunden (") +
            path + QStringLiteral(")."));
        return {};
    }
    return LineStore::SplitText(file.readAll());
}

void RariViduzeTpl(Tmain& main) {
    TSubroutineRunner* runner = RunnerOf(main);
    if (!runner || runner->Running())
        return;
    const std::vector<QByteArray> lines = HtmlGroundLines(main);
    if (!lines.empty())
        runner->ExecuteStrings(lines);
}

int HotKeyDigit(int key, Qt::KeyboardModifiers modifiers) {
    const Qt::KeyboardModifiers held =
        modifiers & (Qt::ControlModifier | Qt::AltModifier | Qt::ShiftModifier | Qt::MetaModifier);
    if (held != (Qt::ControlModifier | Qt::AltModifier) ||
        !modifiers.testFlag(Qt::KeypadModifier) || key < Qt::Key_0 || key > Qt::Key_9)
        return -1;
    return key - Qt::Key_0;
}

void Install(Tmain& main) {
    main.CodeEditor->installEventFilter(new THotKeys(main));
    main.Hooks.StartEvent = [&main] {
        const QString file = main.Settings.EventOnBeforeProgstart;
        if (!file.isEmpty())
            ExecuteEvent(main, file);
    };
    main.Hooks.EndEvent = [&main] {
        if (TSubroutineRunner* runner = RunnerOf(main))
            runner->SetClosing(true);
        const QString file = main.Settings.EventOnProgend;
        if (!file.isEmpty())
            ExecuteEvent(main, file);
    };
}

} // namespace SubroutineEvents
