// XHTML export of the coloured text.
#include "editor/colouring/FormattingProcessor.h"
#include "editor/view/TextEditorEx.h"
#include "editor/view/TextEditorExSettings.h"
#include "platform/ColorText.h"
#include "platform/Cp1252.h"
#include "platform/SilentAbort.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QSaveFile>
#include <array>
#include <cmath>

QByteArray TTextEditorEx::ColorToHTML(TColor Color) {
    return ::ColorToHTML(Color).toLatin1();
}

TColor TTextEditorEx::NormalizeColor(TColor Color) {
    return ColorToRGB(Color) & 0xFFFFFF;
}

namespace {

constexpr qsizetype kFlushSize = 1 << 20;

// The output lines: collected in a buffer that, for a file, goes out whenever it grows big.
class TXHTMLSink {
public:
    explicit TXHTMLSink(QSaveFile* file) : file_(file) {}

    QByteArray& Buffer() { return buf_; }
    void Line(const QByteArray& text) {
        buf_ += text;
        EndLine();
    }
    void EndLine() {
        buf_.append("\r\n", 2);
        if (file_ && buf_.size() >= kFlushSize)
            Flush();
    }
    void Flush() {
        if (file_ && !buf_.isEmpty()) {
            file_->write(buf_);
            buf_.clear();
        }
    }

private:
    QSaveFile* file_;
    QByteArray buf_;
};

// What a byte of the text becomes in the XML: the markup characters and the quote as entities,
// the control characters XML forbids as their visible pictures (U+2400 on), the bytes
// Windows-1252 leaves undefined as references to the code points they stand for; empty for
// a byte written as it is.
const std::array<QByteArray, 256>& XmlBytes() {
    static const std::array<QByteArray, 256> table = [] {
        std::array<QByteArray, 256> t;
        t['<'] = "&lt;";
        t['>'] = "&gt;";
        t['&'] = "&amp;";
        t['"'] = "&quot;";
        for (int b = 0; b < 256; ++b) {
            const char16_t u = Cp1252::ToUnicode(static_cast<unsigned char>(b)).unicode();
            const bool allowedControl = b == '\t' || b == '\n' || b == '\r';
            if (b < 0x20 && !allowedControl)
                t[static_cast<size_t>(b)] = "&#x" + QByteArray::number(0x2400 + b, 16) + ';';
            else if (u >= 0x80 && u <= 0x9F)
                t[static_cast<size_t>(b)] = "&#x" + QByteArray::number(u, 16) + ';';
        }
        return t;
    }();
    return table;
}

// Text of the program's own (the title, the font's name) as XML in Windows-1252 bytes;
// characters without a byte of their own as character references.
QByteArray XmlText(const QString& text) {
    const std::array<QByteArray, 256>& table = XmlBytes();
    QByteArray out;
    for (const char32_t c : text.toUcs4()) {
        char b;
        if (c <= 0xFFFF && Cp1252::FromUnicode(static_cast<char16_t>(c), &b)) {
            const QByteArray& escaped = table[static_cast<unsigned char>(b)];
            if (escaped.isEmpty())
                out += b;
            else
                out += escaped;
        } else {
            out += "&#x" + QByteArray::number(static_cast<uint>(c), 16) + ';';
        }
    }
    return out;
}

int Percent(int done, int total) {
    return total > 0 ? static_cast<int>(std::nearbyint(double(done) / total * 100.0)) : 100;
}

[[noreturn]] void CannotCreate(const QString& fileName) {
    throw EKelvoraError(QStringLiteral("EFCreateError"),
                        QStringLiteral("Det gick inte att skapa filen \"%1\".").arg(fileName));
}

} // namespace

void TTextEditorEx::ExportXHTML(const QString& Title, const QString& HeaderHTML, bool FullDocument,
                                const QString& FileName, const QString& FooterHTML) {
    QSaveFile file(FileName);
    if (FullDocument && !file.open(QIODevice::WriteOnly))
        CannotCreate(FileName);
    TXHTMLSink out(FullDocument ? &file : nullptr);

    const TColor fontRGB = NormalizeColor(FontColor);
    if (FullDocument) {
        out.Line("<?xml version=\"1.0\" encoding=\"windows-1252\"?>");
        out.Line("<!DOCTYPE html PUBLIC \"-//W3C//DTD XHTML 1.0 Strict//EN\" "
                 "\"http://www.w3.org/TR/xhtml1/DTD/xhtml1-strict.dtd\">");
        out.Line("");
        out.Line("<html xmlns=\"http://www.w3.org/1999/xhtml\">");
        out.Line("<head>");
        out.Line("");
        out.Line("<title>" + XmlText(Title) + "</title>");
        out.Line("");
        out.Line("<style type=\"text/css\">");
        out.Line("pre {");
        out.Line("    font-family:'" + XmlText(EditorFont.family()) + "';");
        out.Line("    font-size:x-small;");
        out.Line("    background-color:" + ColorToHTML(NormalizeColor(Settings()->BkColor())) +
                 ";");
        out.Line("    color:" + ColorToHTML(fontRGB) + ";");
        out.Line("}");
        out.Line("</style>");
        out.Line("");
        out.Line("</head>");
        out.Line("");
        out.Line("");
        out.Line("<body>");
        out.Line("");
        if (!HeaderHTML.isEmpty()) {
            out.Line(Cp1252::Encode(HeaderHTML));
            out.Line("<hr />");
            out.Line("");
        }
    }

    const int count = Lines.Count();
    out.Line("<pre>");
    if (OnXHTMLExportProgress)
        OnXHTMLExportProgress(count, 0, 0);

    // The start tag of a span for a format, empty for the default format (no span). The
    // few formats of a text are kept so that each tag is built once.
    std::vector<std::pair<TCharFormat, QByteArray>> spans;
    const auto spanFor = [&spans, fontRGB](const TCharFormat& f) -> const QByteArray& {
        for (const auto& [format, tag] : spans)
            if (SameCharFormat(format, f))
                return tag;
        const TColor rgb = NormalizeColor(f.Color);
        QByteArray b;
        if (rgb != fontRGB || f.Style != 0) {
            b += "<span style=\"";
            if (rgb != fontRGB)
                b += "color:" + ColorToHTML(rgb) + ';';
            if (f.Style & fsBold)
                b += "font-weight:bold;";
            if (f.Style & fsItalic)
                b += "font-style:italic;";
            if (f.Style & fsUnderline)
                b += "text-decoration:underline;";
            b += "\">";
        }
        spans.emplace_back(f, b);
        return spans.back().second;
    };

    const TCharFormat plain{FontColor, 0};
    const std::array<QByteArray, 256>& xml = XmlBytes();
    std::vector<TCharFormat> formats;
    for (int i = 0; i < count; ++i) {
        if (i % 50 == 0 && OnXHTMLExportProgress)
            OnXHTMLExportProgress(count, i + 1, Percent(i + 1, count));
        const LineView text = Lines.Get(i);
        const char* s = text.constData();
        const int n = static_cast<int>(text.size());
        if (processor_ && n > 0) {
            processor_->FormatLine(i, 0, n, -1, formats);
            if (formats.size() != static_cast<size_t>(n))
                formats.assign(static_cast<size_t>(n), plain);
        }
        QByteArray& b = out.Buffer();
        // One span per run of characters of the same format.
        for (int j = 0; j < n;) {
            int k = j + 1;
            if (processor_)
                while (k < n && SameCharFormat(formats[static_cast<size_t>(k)],
                                               formats[static_cast<size_t>(k - 1)]))
                    ++k;
            else
                k = n;
            const QByteArray& tag = spanFor(processor_ ? formats[static_cast<size_t>(j)] : plain);
            b += tag;
            int from = j;
            for (; j < k; ++j) {
                const QByteArray& escaped = xml[static_cast<unsigned char>(s[j])];
                if (!escaped.isEmpty()) {
                    b.append(s + from, j - from);
                    b += escaped;
                    from = j + 1;
                }
            }
            b.append(s + from, k - from);
            if (!tag.isEmpty())
                b += "</span>";
        }
        out.EndLine();
    }
    out.Line("</pre>");

    if (FullDocument) {
        out.Line("");
        if (!FooterHTML.isEmpty()) {
            out.Line("<hr />");
            out.Line(Cp1252::Encode(FooterHTML));
            out.Line("");
        }
        out.Line("</body>");
        out.Line("</html>");
        out.Flush();
        if (!file.commit())
            CannotCreate(FileName);
    } else {
        QGuiApplication::clipboard()->setText(Cp1252::Decode(out.Buffer()));
    }
    if (OnXHTMLExportProgress)
        OnXHTMLExportProgress(count, count, 100);
}
