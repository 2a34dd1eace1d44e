// The main window's status bar, its hints and the states of its actions.
#include "app/mainwindow/MainWin.h"

#include "app/preview/ViewModes.h"
#include "controls/SidePanelContainer.h"
#include "controls/TabControlEx.h"
#include "editor/view/Ruler.h"
#include "editor/view/TextEditorEx.h"
#include "platform/SilentAbort.h"

#include <QAction>
#include <QCursor>
#include <QEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTimer>
#include <QToolBar>
#include <QToolTip>

namespace {

// A tool tip shows its text as written, whatever characters a file name holds.
QString PlainToolTip(const QString& text) {
    return QStringLiteral("<p style='white-space:pre'>") +
           text.toHtmlEscaped().replace(QLatin1Char('\n'), QStringLiteral("<br>")) +
           QStringLiteral("</p>");
}

} // namespace

void Tmain::CreateStatusBar() {
    static const int widths[] = {150, 120, 120, 50, 50, 120, 200};
    for (size_t i = 0; i < panels_.size(); ++i) {
        panels_[i]->setMinimumWidth(widths[i]);
        panels_[i]->setProperty("baseWidth", widths[i]);
        if (i == 3 || i == 4)
            panels_[i]->setAlignment(Qt::AlignCenter);
    }
    HintTabIndex = -1;

    CodeEditor->OnSelChange = [this](QObject*) { SelectionChange(); };
    CodeEditor->OnCaretModeChange = [this](QObject*) { CodeEditorCaretModeChange(); };
    CodeEditor->OnFontSizeChange = [this](int size) { CodeEditorFontSizeChange(size); };
    CodeEditor->OnKeyPress = [this](QObject*, char& key) {
        RunCommand([&] {
            if (VerifyDefTagActions(key))
                key = 0;
        });
    };
    FilesList->setMouseTracking(true);
    FilesList->installEventFilter(this);
    CodeEditor->viewport()->installEventFilter(this);
    installEventFilter(this);
    CodeEditorCaretModeChange();
}

bool Tmain::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::MouseMove:
        if (watched == FilesList)
            RunCommand([&] { FilesListMouseMove(static_cast<QMouseEvent*>(event)->pos()); });
        else if (watched == CodeEditor->viewport())
            CodeEditorMouseMove();
        break;
    case QEvent::Leave:
        if (watched == FilesList)
            CodeEditorMouseMove();
        break;
    case QEvent::StatusTip:
        if (watched == this) {
            RunCommand(
                [&] { ApplicationEvents1Hint(static_cast<QStatusTipEvent*>(event)->tip()); });
            return true;
        }
        break;
    default:
        break;
    }
    return QMainWindow::eventFilter(watched, event);
}

void Tmain::SelectionChange() {
    RequestActionUpdate();
    // Preview mode shows no panels; leaving it runs the display again.
    const int t = CurrentTab();
    if (t < 0 || t >= OpenFilesCount() || Views->IsPreviewMode())
        return;
    const StatusTexts::TSelectionPanels p = StatusTexts::SelectionPanels(*CodeEditor);
    SetStatusPanel(0, p.Caret);
    SetStatusPanel(1, p.Position);
    SetStatusPanel(2, p.Size);
    const TFileData& record = OpenFiles[static_cast<size_t>(t)];
    SetStatusPanel(4, StatusTexts::FileStatePanel(record.HasFile, record.Modified));
    Debounce.SelectionMoved(false);
    TestSearchButtonsEnabled();
}

void Tmain::CodeEditorCaretModeChange() {
    SetStatusPanel(3, StatusTexts::CaretModePanel(CodeEditor->Settings()->OverwriteMode()));
}

void Tmain::CodeEditorFontSizeChange(int newFontSize) {
    EditorFontSize = newFontSize;
    SetStatusPanel(6, StatusTexts::FontSizeNote(newFontSize));
    NormalizeAdditionalPanel(2);
}

void Tmain::FilesListMouseMove(const QPoint& pos) {
    const int k = FilesList->tabAt(pos);
    if (k == HintTabIndex)
        return;
    HintTabIndex = k;
    if (k < 0 || k >= OpenFilesCount()) {
        FilesList->setToolTip(QString());
        QToolTip::hideText();
        return;
    }
    const TFileData& record = OpenFiles[static_cast<size_t>(k)];
    // The document on screen has its text in the editor.
    const qint64 size =
        k == LastTabIndex ? CodeEditor->Lines.TextLength() : record.Lines->TextLength();
    const QString hint =
        StatusTexts::TabHint(record.FileName, size, record.HasFile, record.Modified);
    FilesList->setToolTip(PlainToolTip(hint));
    QToolTip::showText(QCursor::pos(), FilesList->toolTip(), FilesList);
}

void Tmain::CodeEditorMouseMove() {
    if (HintTabIndex == -1 && FilesList->toolTip().isEmpty())
        return;
    FilesList->setToolTip(QString());
    HintTabIndex = -1;
}

void Tmain::ApplicationEvents1Hint(const QString& hint) {
    if (!ShowToolExpEnabled)
        return;
    if (!hint.isEmpty())
        statusBar()->showMessage(StatusTexts::LongHint(hint));
    else if (Views->IsPreviewMode())
        statusBar()->showMessage(QStringLiteral(" ")); // simple mode with an empty text
    else
        statusBar()->clearMessage();
}

TDocState Tmain::CurrentDocState() const {
    TDocState s;
    const int t = CurrentTab();
    if (t >= 0 && t < OpenFilesCount()) {
        s.HasFile = OpenFiles[static_cast<size_t>(t)].HasFile;
        s.Modified = OpenFiles[static_cast<size_t>(t)].Modified;
    }
    s.HasSelection = CodeEditor->HasSelection();
    s.HasText = CodeEditor->Lines.TextLength() > 2;
    s.PreviewMode = Views->IsPreviewMode();
    s.CombinationMode = Views->ViewMode() == vmCombination;
    s.SplitVertical = Views->SplitVertical;
    s.CanUndo = CodeEditor->CanUndo();
    s.CanRedo = CodeEditor->CanRedo();
    s.MainToolbarVisible = Toolbar && Toolbar->isVisibleTo(this);
    s.InsertToolbarVisible = InsertToolbar && InsertToolbar->isVisibleTo(this);
    s.StatusBarVisible = statusBar()->isVisibleTo(this);
    s.RulerVisible = CodeEditor->Ruler() && CodeEditor->Ruler()->isVisibleTo(this);
    s.ShowHiddenChars = CodeEditor->Settings()->ShowHiddenChars;
    for (int i = 0; i < 4; ++i)
        s.LeftPanelVisible[i] = SideBarL->PanelVisible(i);
    s.RightPanelVisible = SideBarR->PanelVisible(0);
    s.SubroutineWindowVisible = SubroutineWindow && SubroutineWindow->isVisible();
    for (const auto& part : Hooks.DocState)
        part(s);
    return s;
}

void Tmain::CentralActionListUpdate() {
    commands_->ApplyStates(CurrentDocState());
}

bool Tmain::VerifyDefTagActions(char key) {
    if (key != '=' || !AutoWizEnabled)
        return false;
    const StatusTexts::TDefTag tag = StatusTexts::DefTagBeforeCaret(*CodeEditor);
    const std::function<void()>& dialog = tag == StatusTexts::TDefTag::Style ? InsertCSSXStyle
                                          : tag == StatusTexts::TDefTag::Class
                                              ? InsertCSSClass
                                              : std::function<void()>();
    // Without its dialog the "=" is typed as usual.
    if (tag == StatusTexts::TDefTag::None || !dialog)
        return false;
    const int s = CodeEditor->GetSelStart();
    CodeEditor->SetSelStart(s - 6);
    CodeEditor->SetSelLength(6);
    dialog();
    return true;
}
