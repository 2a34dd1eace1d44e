#include "markup/TextTools.h"

#include "app/mainwindow/MainWin.h"
#include "markup/css/CSSCommands.h"
#include "markup/documentdialogs/DocumentCommands.h"
#include "markup/paste/PasteCommands.h"
#include "markup/scripts/ScriptCommands.h"
#include "markup/snippets/SnippetCommands.h"

void InstallTextTools(Tmain& window) {
    InstallDocumentDialogs(window);
    InstallPasteFormats(window);
    InstallStyleEditor(window);
    InstallScriptDialogs(window);

    const QString insert = QStringLiteral("Infoga1");
    const auto place = [&](std::initializer_list<const char*> names) {
        window.AddMenuSeparator(insert);
        for (const char* name : names)
            window.AddToMenu(insert, QLatin1String(name));
    };
    place({"IInsertDoctype", "IInsertHTMLTitle"});
    place({"IInsertDate", "IInsertAlpha"});
    place({"IInsertCSSBlock", "IInsertCSSSpanStyle", "IInsertCSSXStyle"});
    place({"IInsertJavaScript", "IImplementJavaScript"});
    InstallSnippets(window);
}
