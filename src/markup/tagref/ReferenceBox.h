#pragma once

#include <QString>
#include <QTextEdit>
#include <functional>

class TTagReferenceData;

// A read-only box that shows one entry of the tag reference: headings in bold, values
// regular, in the reference's base format (Verdana 8 points, first lines indented 6 pixels).
class TReferenceBox : public QTextEdit {
public:
    explicit TReferenceBox(QWidget* parent = nullptr);

    // Empties the box and starts the base format.
    void Clear();
    // Adds one paragraph per line of `text` (CR LF, LF or CR break it).
    void AddLines(const QString& text, bool bold = false, bool red = false);
    // The caret to the start of the box.
    void Rewind();

    // "Tagg:", "Beskrivning:", "Exempel:" and "Attribut:" with the four fields of `name`.
    void ShowEntry(const TTagReferenceData& data, const QString& name);

private:
    bool started_ = false;
};
