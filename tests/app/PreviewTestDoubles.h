#pragma once

#include "TestSupport.h"
#include "app/core/ActionStates.h"
#include "app/preview/PreviewBrowser.h"
#include "app/preview/ViewModes.h"
#include "app/preview/ViewModesHost.h"

#include <QAction>
#include <QFile>
#include <QPointer>
#include <QWidget>
#include <vector>

// A browser that records what it was asked to do; the test ends the loads.
class TRecordingPreviewBrowser : public TPreviewBrowser {
public:
    TRecordingPreviewBrowser() : widget_(new QWidget) {}
    ~TRecordingPreviewBrowser() override { delete widget_.data(); }

    QWidget* Widget() override { return widget_; }
    void NavigateToFile(const QString& fileName) override {
        calls.push_back(QStringLiteral("navigate ") + fileName);
        current = fileName;
    }
    void Reload() override { calls.push_back(QStringLiteral("reload ") + current); }

    void Finish() { ReportFinished(current); }
    void Fail() { ReportFailed(current, QStringLiteral("net::ERR_FILE_NOT_FOUND")); }
    QString Last() const { return calls.empty() ? QString() : calls.back(); }

    std::vector<QString> calls;
    QString current;

private:
    QPointer<QWidget> widget_;
};

// The window as the view modes see it: one document, its text and its file.
class TFakeViewHost : public TViewModesHost {
public:
    QString fileName = QStringLiteral("Nytt dokument");
    bool hasFile = false;
    bool modified = false;
    QByteArray text;
    bool saveFails = false;
    bool writeFails = false;
    bool startingUp = false;
    bool busy = false;
    bool simpleStatus = false;
    std::vector<QString> messages;
    int saves = 0, marks = 0, focus = 0, selectionDisplays = 0, toolsHidden = 0, paints = 0,
        actionUpdates = 0;
    TViewModes* modes = nullptr;

    // What the window does on an edit: the mark, then the automatic update.
    void Edit(const QByteArray& newText) {
        text = newText;
        if (!modified) {
            modified = true;
            ++marks;
            modes->DocumentMarkedModified();
        }
        modes->EditorChanged();
    }
    // A saved document on disk.
    void SavedFile(const QString& name, const QByteArray& bytes) {
        fileName = WriteTestFile(name, bytes);
        text = bytes;
        hasFile = true;
        modified = false;
    }

    QString DocumentFileName() const override { return fileName; }
    bool DocumentHasFile() const override { return hasFile; }
    bool DocumentModified() const override { return modified; }
    bool SaveDocument() override {
        ++saves;
        if (saveFails || !Write(fileName)) {
            messages.push_back(QStringLiteral("save failed"));
            return false;
        }
        modified = false;
        return true;
    }
    bool WriteEditorText(const QString& name) override { return !writeFails && Write(name); }
    bool StartingUp() const override { return startingUp; }
    bool Busy() const override { return busy; }
    void ShowMessage(const QString& message) override { messages.push_back(message); }
    void FocusEditor() override { ++focus; }
    void SelectionChange() override { ++selectionDisplays; }
    void SetSimpleStatus(bool simple) override { simpleStatus = simple; }
    void HideEditTools() override { ++toolsHidden; }
    void PaintEditor() override { ++paints; }
    // The window's one table, applied at once.
    void RequestActionUpdate() override {
        ++actionUpdates;
        if (!modes)
            return;
        TDocState s;
        s.PreviewMode = modes->IsPreviewMode();
        s.CombinationMode = modes->ViewMode() == vmCombination;
        s.SplitVertical = modes->SplitVertical;
        const QList<QAction*> actions = modes->Actions();
        ApplyActionStates(s, [&actions](const QString& name) -> QAction* {
            for (QAction* a : actions)
                if (a->objectName() == name)
                    return a;
            return nullptr;
        });
    }

private:
    bool Write(const QString& name) {
        QFile f(name);
        return f.open(QIODevice::WriteOnly) && f.write(text) == text.size();
    }
};
