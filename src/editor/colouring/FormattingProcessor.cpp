#include "editor/colouring/FormattingProcessor.h"

#include "editor/view/TextEditorEx.h"
#include "platform/SilentAbort.h"

TFormattingProcessor::TFormattingProcessor(QObject* owner) : QObject(owner) {}

TFormattingProcessor::~TFormattingProcessor() {
    if (editor_) {
        editor_->RemoveObserver(this);
        if (editor_->FormattingProcessor() == this)
            editor_->DetachFormattingProcessor();
    }
}

void TFormattingProcessor::SetTextEditorEx(TTextEditorEx* editor) {
    // Only the processor's own editor paints with it: that editor lets go when it changes.
    if (editor_ && editor_ != editor) {
        editor_->RemoveObserver(this);
        if (editor_->FormattingProcessor() == this)
            editor_->DetachFormattingProcessor();
    }
    editor_ = editor;
    if (editor_)
        editor_->AddObserver(this);
    LinesChanged(0);
}

void TFormattingProcessor::TextChanged(const TTextChange& change) {
    LinesChanged(std::max(change.FirstLine, 0));
}

void TFormattingProcessor::ModelDestroyed(TEditorModel*) {
    editor_ = nullptr;
    LinesChanged(0);
}

const char* TFormattingProcessor::NoEditorMessage() {
    return "Ingen TTextEditorEx har konfigurerats som ägare med egenskapen TextEditorEx.";
}

TCharFormat TFormattingProcessor::BaseFormat() const {
    if (!editor_)
        throw EKelvoraError(QStringLiteral("Exception"), QString::fromUtf8(NoEditorMessage()));
    return TCharFormat{editor_->FontColor, StylesOf(editor_->EditorFont)};
}

bool TFormattingProcessor::BeginLinePass(int line, int first, int count, int justTypedColumn,
                                         bool repaintTyped, std::vector<TCharFormat>& out,
                                         TCharFormat* base) {
    out.resize(static_cast<size_t>(std::max(count, 0)));
    *base = BaseFormat();
    if (count <= 0)
        return false;
    if (repaintTyped && justTypedColumn >= first && justTypedColumn < first + count)
        RepaintLine(line);
    return true;
}

void TFormattingProcessor::FormatChar(char, const QPoint&, bool, TCharFormat& Format) {
    Format = BaseFormat();
}

void TFormattingProcessor::FormatCharByLine(const QPoint& Pos, bool JustTyped,
                                            TCharFormat& Format) {
    Format = BaseFormat();
    const LineStore& lines = editor_->Lines;
    if (Pos.y() < 0 || Pos.y() >= lines.Count() || Pos.x() < 0 || Pos.x() >= lines.Length(Pos.y()))
        return;
    std::vector<TCharFormat> cell;
    FormatLine(Pos.y(), Pos.x(), 1, JustTyped ? Pos.x() : -1, cell);
    if (cell.size() == 1)
        Format = cell.front();
}

void TFormattingProcessor::FormatLine(int line, int first, int count, int justTypedColumn,
                                      std::vector<TCharFormat>& out) {
    out.resize(static_cast<size_t>(std::max(count, 0)));
    if (count <= 0)
        return;
    if (!editor_)
        BaseFormat(); // throws
    const QByteArray text = editor_->Lines.Get(line).Raw();
    for (int i = 0; i < count; ++i) {
        const int column = first + i;
        FormatChar(text[column], QPoint(column, line), column == justTypedColumn,
                   out[static_cast<size_t>(i)]);
    }
}

void TFormattingProcessor::RepaintLine(int line) {
    if (editor_)
        editor_->RequestRepaint(TRepaint::TextOf(line));
}

bool TFormattingProcessor::IsWordChar(unsigned char ch) {
    return (ch >= '0' && ch <= '9') || (ch >= 'A' && ch <= 'Z') || (ch >= 'a' && ch <= 'z') ||
           (ch >= 192 && ch <= 214) || (ch >= 216 && ch <= 246) || ch >= 248;
}

template <typename IsWord>
QByteArray TFormattingProcessor::WordAt(const QPoint& pos, IsWord isWord) const {
    if (!editor_ || pos.y() < 0 || pos.y() >= editor_->Lines.Count() || pos.x() < 0)
        return QByteArray();
    const QByteArray line = editor_->Lines.Get(pos.y()).Raw();
    const int n = static_cast<int>(line.size());
    if (pos.x() >= n || !isWord(static_cast<unsigned char>(line[pos.x()])))
        return QByteArray();
    int start = pos.x();
    while (start > 0 && isWord(static_cast<unsigned char>(line[start - 1])))
        --start;
    int end = pos.x();
    while (end < n && isWord(static_cast<unsigned char>(line[end])))
        ++end;
    return line.mid(start, end - start);
}

QByteArray TFormattingProcessor::GetWordAt(const QPoint& Pos) const {
    return WordAt(Pos, IsWordChar);
}

QByteArray TFormattingProcessor::GetWordAtByDef(const QPoint& Pos, const TWordDef& Def) const {
    if (Def.UseDefault)
        return GetWordAt(Pos);
    return WordAt(Pos, [&Def](unsigned char ch) {
        return !Def.ExcludedChars.contains(static_cast<char>(ch)) &&
               Def.WordChars.contains(static_cast<char>(ch));
    });
}
