#pragma once

#include <QString>
#include <QStringList>

class QWidget;

// The window as the commands see it: what they show there and ask of it. This base is a
// window that is not there (a command run by name without a main window): nothing shows, the
// editor is never hidden and no program is started.
class TCommandWindow {
public:
    virtual ~TCommandWindow() = default;

    // The owner of the windows and dialogs a command opens.
    virtual QWidget* Owner() { return nullptr; }
    // The status bar in simple mode with a text; an empty text brings the panels back.
    virtual void SetStatusText(const QString& text) { (void)text; }
    // Preview mode hides the editor: the editing commands do nothing then.
    virtual bool EditorHidden() const { return false; }
    virtual void FocusEditor() {}
    virtual void SetSidePanelVisible(QWidget* panel, bool visible) {
        (void)panel;
        (void)visible;
    }
    virtual bool SidePanelVisible(const QWidget* panel) const {
        (void)panel;
        return false;
    }
    // Something the enabled and checked states depend on changed.
    virtual void RequestActionUpdate() {}
    // The answer to a question box a command built itself.
    virtual void KeepQuestionResult(int result) { (void)result; }
    // A question about unsaved work, a close or a switch is coming: pending preview work stops.
    virtual void LeaveDocument() {}
    // The current document was saved to its file.
    virtual void DocumentSaved() {}
    // The editor takes an undo snapshot itself now; a pending one is dropped.
    virtual void EditorTakesSnapshot() {}
    // An undo or redo put an earlier text back.
    virtual void UndoneOrRedone() {}
    virtual void CloseWindow() {}
    // Opens a file with the system's default handler, starts another program.
    virtual void OpenWithSystem(const QString& fileName) { (void)fileName; }
    virtual bool StartProgram(const QString& program, const QStringList& arguments) {
        (void)program;
        (void)arguments;
        return false;
    }
};
