#include "subroutines/runs/MainSubroutineContext.h"

#include "app/mainwindow/MainWin.h"
#include "editor/view/TextEditorEx.h"
#include "subroutines/Commands.h"

TEditorModel& TMainSubroutineContext::Editor() {
    return *main_.CodeEditor;
}

TSubroutineDocument TMainSubroutineContext::CurrentDocument() const {
    const int t = main_.CurrentTab();
    if (t < 0 || t >= main_.OpenFilesCount())
        return {};
    const TFileData& record = main_.Current();
    return {record.FileName, record.HasFile, record.Modified};
}

int TMainSubroutineContext::TagCase() const {
    return main_.TagCase;
}

QString TMainSubroutineContext::Input(const QString& question) {
    QString answer;
    window_.InternalGetInput(question, false, 0, &answer);
    return answer;
}
