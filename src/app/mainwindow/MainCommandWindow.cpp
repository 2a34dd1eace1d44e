#include "app/mainwindow/MainCommandWindow.h"

#include "app/mainwindow/MainWin.h"
#include "app/preview/ViewModes.h"
#include "controls/TabControlEx.h"
#include "editor/view/TextEditorEx.h"

#include <QStatusBar>

int TMainCommandWindow::Count() const {
    return w_.OpenFilesCount();
}

int TMainCommandWindow::CurrentIndex() const {
    const int t = w_.CurrentTab();
    return t >= 0 && t < w_.OpenFilesCount() ? t : -1;
}

TFileData& TMainCommandWindow::Record(int index) {
    return w_.OpenFiles.at(static_cast<size_t>(index));
}

void TMainCommandWindow::Select(int index) {
    w_.SelectTab(index);
    w_.UpdateEditor();
}

void TMainCommandWindow::Open(int mode, const QString& name) {
    w_.NewDocTab(mode, name);
}

void TMainCommandWindow::CloseCurrent() {
    w_.CloseCurrentDocument();
}

void TMainCommandWindow::CloseAll() {
    w_.CloseAllDocuments();
}

void TMainCommandWindow::RecordChanged(int index) {
    w_.UpdateTab(index);
}

QWidget* TMainCommandWindow::Owner() {
    return &w_;
}

void TMainCommandWindow::SetStatusText(const QString& text) {
    if (text.isEmpty())
        w_.statusBar()->clearMessage();
    else
        w_.statusBar()->showMessage(text);
}

bool TMainCommandWindow::EditorHidden() const {
    return w_.Views->IsPreviewMode();
}

void TMainCommandWindow::FocusEditor() {
    w_.CodeEditor->FocusEditor();
}

void TMainCommandWindow::SetSidePanelVisible(QWidget* panel, bool visible) {
    w_.SetSidePanelVisible(panel, visible);
}

bool TMainCommandWindow::SidePanelVisible(const QWidget* panel) const {
    return w_.SidePanelVisible(panel);
}

void TMainCommandWindow::RequestActionUpdate() {
    w_.RequestActionUpdate();
}

void TMainCommandWindow::KeepQuestionResult(int result) {
    w_.LastQuestionResult = result;
}

void TMainCommandWindow::LeaveDocument() {
    w_.Views->LeaveDocument();
}

void TMainCommandWindow::DocumentSaved() {
    if (!w_.Views->IsEditMode())
        w_.PreviewPage();
}

void TMainCommandWindow::EditorTakesSnapshot() {
    w_.Debounce.AUU.Stop();
}

void TMainCommandWindow::UndoneOrRedone() {
    w_.Debounce.UndoneOrRedone();
}

void TMainCommandWindow::CloseWindow() {
    w_.close();
}

void TMainCommandWindow::OpenWithSystem(const QString& fileName) {
    if (w_.OpenWithSystemHandler)
        w_.OpenWithSystemHandler(fileName);
}

bool TMainCommandWindow::StartProgram(const QString& program, const QStringList& arguments) {
    return w_.StartProgram && w_.StartProgram(program, arguments);
}
