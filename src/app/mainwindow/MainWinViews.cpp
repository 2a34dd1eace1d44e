// The main window's view modes: the area below the tab strip, the mode commands, and the
// window's side of the preview.
#include "app/mainwindow/MainWin.h"

#include "app/preview/ViewModes.h"
#include "app/preview/ViewModesHost.h"
#include "app/preview/WebEnginePreviewBrowser.h"
#include "editor/view/Ruler.h"
#include "editor/view/TextEditorEx.h"
#include "platform/SilentAbort.h"

#include <QAction>
#include <QCoreApplication>
#include <QEvent>
#include <QHBoxLayout>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QVBoxLayout>

namespace {

// The window as the view modes see it. Owns the view modes; both live as long as the window.
class TMainViewsHost : public QObject, public TViewModesHost {
public:
    explicit TMainViewsHost(Tmain* window) : QObject(window), w_(window) {}
    ~TMainViewsHost() override { delete modes_; }
    void SetModes(TViewModes* modes) {
        modes_ = modes;
        modes_->setParent(this);
    }

    QString DocumentFileName() const override { return Held().FileName; }
    bool DocumentHasFile() const override { return Held().HasFile; }
    bool DocumentModified() const override { return Held().Modified; }
    bool SaveDocument() override {
        // The document on screen is the current one whenever an update can save.
        if (HeldIndex() != w_->CurrentTab())
            return false;
        bool saved = false;
        RunCommand([&] { saved = w_->FileCommands->SaveDoc() == TSaveResult::Saved; });
        return saved;
    }
    bool WriteEditorText(const QString& fileName) override {
        return w_->CodeEditor->Lines.SaveToFile(fileName, nullptr);
    }
    bool StartingUp() const override { return w_->StartingUp; }
    bool Busy() const override { return w_->SwitchingTab || w_->ClosingDocument; }
    void ShowMessage(const QString& text) override { w_->kvMessageBox(text); }
    void FocusEditor() override { w_->SelectCodeEditor(); }
    void SelectionChange() override { w_->SelectionChange(); }
    void SetSimpleStatus(bool simple) override {
        // A blank message covers the panels; an empty one would show them.
        if (simple)
            w_->statusBar()->showMessage(QStringLiteral(" "));
        else
            w_->statusBar()->clearMessage();
    }
    // The subroutine and special-character windows are not part of the window yet.
    void HideEditTools() override {}
    void PaintEditor() override {
        QCoreApplication::sendPostedEvents(w_->CodeEditor->window(), QEvent::UpdateRequest);
    }
    void RequestActionUpdate() override { w_->RequestActionUpdate(); }

private:
    // The document the editor holds: during a switch the one being shown, before it (when a
    // switch settles the edits of the document it leaves) the one left.
    int HeldIndex() const {
        const int last = w_->LastTabIndex;
        if (!w_->SwitchingTab && last >= 0 && last < w_->OpenFilesCount())
            return last;
        const int t = w_->CurrentTab();
        return t >= 0 && t < w_->OpenFilesCount() ? t : -1;
    }
    const TFileData& Held() const {
        const int i = HeldIndex();
        return i >= 0 ? w_->OpenFiles[static_cast<size_t>(i)] : w_->Current();
    }

    Tmain* w_;
    TViewModes* modes_ = nullptr;
};

} // namespace

void Tmain::BuildViews(QVBoxLayout* layout) {
    auto* host = new TMainViewsHost(this);
    Views = new TViewModes(host, std::make_unique<TWebEnginePreviewBrowser>(),
                           layout->parentWidget(), commands_);
    host->SetModes(Views);
    // The ruler stands against the editor's left edge.
    auto* editorRow = new QHBoxLayout;
    editorRow->setContentsMargins(0, 0, 0, 0);
    editorRow->setSpacing(0);
    editorRow->addWidget(CodeEditor->Ruler());
    editorRow->addWidget(CodeEditor, 1);
    static_cast<QBoxLayout*>(Views->EditorPn->layout())->addLayout(editorRow);
    layout->addWidget(Views->Area(), 1);
}

void Tmain::PreviewPage() {
    Views->PreviewPage();
}

void Tmain::SelectCodeEditor() {
    if (CodeEditor->isVisible() && CodeEditor->isEnabled())
        CodeEditor->setFocus();
}

void Tmain::ViewModeFromExtension(const QString& fileName) {
    const QString ext = DocFileExt(fileName).mid(1);
    if (ext.isEmpty())
        return;
    const std::pair<const QStringList*, quint8> lists[] = {
        {&caEdit, vmEdit}, {&caPreview, vmPreview}, {&caCombination, vmCombination}};
    for (const auto& [list, mode] : lists) {
        if (list->contains(ext, Qt::CaseInsensitive)) {
            Views->PgmGoMode(mode);
            return;
        }
    }
}
