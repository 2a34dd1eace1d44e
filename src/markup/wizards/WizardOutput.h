#pragma once

#include <QByteArrayList>

class TTextEditorEx;

// How the wizards hand their page to the main editor.
namespace WizardOutput {

// Appends entries after the editor's last line, one line per entry; an entry holding CR LF
// becomes several lines.
void AppendEntries(TTextEditorEx& editor, const QByteArrayList& entries);

} // namespace WizardOutput
