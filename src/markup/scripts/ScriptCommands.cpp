#include "markup/scripts/ScriptCommands.h"

#include "app/dialogs/InternalFunctionInputWin.h"
#include "app/mainwindow/MainWin.h"
#include "editor/model/TagUnderConstruction.h"
#include "editor/text/LineStore.h"
#include "editor/view/TextEditorEx.h"
#include "markup/MarkupCommand.h"
#include "markup/common/ElementEditMode.h"
#include "markup/scripts/ImScrWin.h"
#include "markup/scripts/ScriptWin.h"
#include "platform/Cp1252.h"
#include "platform/Dialogs.h"

namespace {

// From the end of a new ready-script element back to its second empty line.
constexpr int kReadyScriptCaretBack = 11;

quint8 CaseMode(int tagCase) {
    return tagCase == TagCase::Upper || tagCase == TagCase::Lower ? static_cast<quint8>(tagCase)
                                                                  : 0;
}

QByteArray Ask(QWidget* owner, const QString& question) {
    TInternalFunctionInput prompt(owner);
    prompt.SetQuestion(question);
    prompt.SetShowBrowse(false);
    QString answer;
    prompt.Run(&answer);
    return Cp1252::Encode(answer);
}

void InsertJavaScript(Tmain& window) {
    Tscript dialog(window, &window);
    if (Dialogs::RunModal(&dialog) != Dialogs::mrOk || dialog.EditMode().IsRefused())
        return;
    const QByteArray element = dialog.Generate();
    TElementEditMode::Write(window, {element, static_cast<int>(element.size())});
}

void ImplementJavaScript(Tmain& window) {
    Timscr dialog(window, QString(), &window);
    if (Dialogs::RunModal(&dialog) != Dialogs::mrOk || dialog.ChosenName().isEmpty())
        return;
    TTextEditorEx& editor = *window.CodeEditor;
    if (editor.Settings()->ReadOnly)
        return;
    const QString name = dialog.ChosenName();
    // The file is read first: one that cannot be read leaves the document as it is.
    LineStore script;
    QString error;
    if (!script.LoadFromFile(dialog.ChosenFile(), &error)) {
        window.kvMessageBox(QStringLiteral("Det gick inte att öppna skriptfilen \"") + name +
                            QStringLiteral("\". ") + error);
        return;
    }
    QString language, type;
    QByteArray languageText, typeText;
    if (Timscr::Identify(name, &language, &type)) {
        languageText = Cp1252::Encode(language);
        typeText = Cp1252::Encode(type);
    } else {
        window.kvMessageBox(QStringLiteral("Skriptspråket kunde inte identifieras."));
        languageText = Ask(&window, QStringLiteral("Ange skriptspråk:"));
        typeText = Ask(&window, QStringLiteral("Ange innehållstyp:"));
    }
    TTagUnderConstruction tag;
    tag.Begin("script", true, "\r\n\r\n\r\n");
    tag.AddAttribute("language", languageText);
    tag.AddAttribute("type", typeText);
    window.BeforeEditorChange();
    editor.SetSelText(tag.Render(CaseMode(window.TagCase)));
    editor.SetSelStart(editor.GetSelStart() - kReadyScriptCaretBack);
    editor.SetSelText(script.Text());
}

} // namespace

void InstallScriptDialogs(Tmain& window) {
    AddMarkupCommand(
        window, QStringLiteral("IInsertJavaScript"), QStringLiteral("Skapa nytt skript..."),
        QKeySequence(QStringLiteral("Ctrl+J")),
        QStringLiteral("Skapar ett nytt skript eller redigerar skriptet vid markören."),
        [&window] { InsertJavaScript(window); });
    AddMarkupCommand(window, QStringLiteral("IImplementJavaScript"),
                     QStringLiteral("Infoga färdigt skript..."), {},
                     QStringLiteral("Infogar ett färdigt skript."),
                     [&window] { ImplementJavaScript(window); });
}
