#pragma once

#include "app/commands/CommandWindow.h"
#include "app/commands/DocumentTable.h"

class Tmain;

// The main window as its commands see it: its document table (the records behind the tab
// strip, the current one in the editor) and what they show in it.
class TMainCommandWindow : public TCommandWindow, public TDocumentTable {
public:
    explicit TMainCommandWindow(Tmain& window) : w_(window) {}

    // --- TDocumentTable ------------------------------------------------------------------------
    int Count() const override;
    int CurrentIndex() const override;
    TFileData& Record(int index) override;
    void Select(int index) override;
    void Open(int mode, const QString& name) override;
    void CloseCurrent() override;
    void CloseAll() override;
    void RecordChanged(int index) override;

    // --- TCommandWindow ------------------------------------------------------------------------
    QWidget* Owner() override;
    void SetStatusText(const QString& text) override;
    bool EditorHidden() const override;
    void FocusEditor() override;
    void SetSidePanelVisible(QWidget* panel, bool visible) override;
    bool SidePanelVisible(const QWidget* panel) const override;
    void RequestActionUpdate() override;
    void KeepQuestionResult(int result) override;
    void LeaveDocument() override;
    void DocumentSaved() override;
    void EditorTakesSnapshot() override;
    void UndoneOrRedone() override;
    void CloseWindow() override;
    void OpenWithSystem(const QString& fileName) override;
    bool StartProgram(const QString& program, const QStringList& arguments) override;

private:
    Tmain& w_;
};
