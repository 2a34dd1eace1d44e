#include "markup/wizards/WizardOutput.h"

#include "editor/view/TextEditorEx.h"

#include <QPoint>
#include <vector>

namespace WizardOutput {

void AppendEntries(TTextEditorEx& editor, const QByteArrayList& entries) {
    if (entries.isEmpty())
        return;
    // The first line stays the editor's last one; each entry follows on lines of its own.
    std::vector<QByteArray> lines{QByteArray()};
    for (const QByteArray& entry : entries)
        for (const QByteArray& line : entry.split('\n'))
            lines.push_back(line.endsWith('\r') ? line.chopped(1) : line);
    const int last = editor.Lines.Count() - 1;
    editor.InsertLines(QPoint(editor.Lines.Length(last), last), std::move(lines), false);
}

} // namespace WizardOutput
