// The main window's status bar, its hints and the states of its actions.
#include "app/MainWin.h"

#include "controls/TabControlEx.h"
#include "editor/Ruler.h"
#include "editor/TextEditorEx.h"
#include "platform/SilentAbort.h"

#include <QAction>
#include <QCursor>
#include <QEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QSignalBlocker>
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
    const int t = CurrentTab();
    if (t < 0 || t >= OpenFilesCount())
        return;
    const StatusTexts::TSelectionPanels p = StatusTexts::SelectionPanels(*CodeEditor);
    SetStatusPanel(0, p.Caret);
    SetStatusPanel(1, p.Position);
    SetStatusPanel(2, p.Size);
    const TFileData& record = OpenFiles[static_cast<size_t>(t)];
    SetStatusPanel(4, StatusTexts::FileStatePanel(record.HasFile, record.Modified));
    Debounce.SelectionMoved(false);
    TestSearchButtonsEnabled();
    RequestActionUpdate();
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
    s.CanUndo = CodeEditor->CanUndo();
    s.CanRedo = CodeEditor->CanRedo();
    s.MainToolbarVisible = Toolbar && Toolbar->isVisibleTo(this);
    s.InsertToolbarVisible = InsertToolbar && InsertToolbar->isVisibleTo(this);
    s.StatusBarVisible = statusBar()->isVisibleTo(this);
    s.RulerVisible = CodeEditor->Ruler() && CodeEditor->Ruler()->isVisibleTo(this);
    s.ShowHiddenChars = CodeEditor->Settings()->ShowHiddenChars;
    s.LeftPanelVisible[1] = SearchPanelVisible();
    return s;
}

void Tmain::CentralActionListUpdate() {
    for (const TActionState& state : ActionStates(CurrentDocState())) {
        QAction* action = Action(state.Name);
        if (!action)
            continue;
        if (state.Enabled)
            action->setEnabled(*state.Enabled);
        if (state.Checked) {
            // The program sets the mark: no toggled handler runs for it.
            const QSignalBlocker block(action);
            action->setCheckable(true);
            action->setChecked(*state.Checked);
        }
    }
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
