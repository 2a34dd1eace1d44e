// Printing of the text as a grid of character cells with a header and a footer per page.
#include "editor/colouring/FormattingProcessor.h"
#include "editor/view/TextEditorEx.h"
#include "platform/Cp1252.h"
#include "platform/ProgramLocale.h"
#include "platform/SilentAbort.h"

#include <QDate>
#include <QFontMetrics>
#include <QLocale>
#include <QPainter>
#include <QPrinter>
#include <QTime>
#include <cmath>

QPrinter& Printer() {
    // Lives as long as the program: print options set on it hold for every print.
    static QPrinter* printer = new QPrinter(QPrinter::HighResolution);
    return *printer;
}

namespace {

constexpr unsigned char kMiddleDot = 183, kBullet = 149;

int Percent(int done, int total) {
    return total > 0 ? static_cast<int>(std::nearbyint(double(done) / total * 100.0)) : 100;
}

// The header or footer text of a page: each field expanded once, from the template as it
// stands (a file name holding "[N]" stays as it is).
QString ExpandFields(const QString& text, const QString& fileName, int page, int pages) {
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == QLatin1Char('[') && i + 2 < text.size() && text[i + 2] == QLatin1Char(']')) {
            QString field;
            bool known = true;
            switch (text[i + 1].unicode()) {
            case 'F':
                field = fileName;
                break;
            case 'I':
                field = QString::number(page);
                break;
            case 'N':
                field = QString::number(pages);
                break;
            case 'D':
                field =
                    ProgramLocale::Locale().toString(QDate::currentDate(), QLocale::ShortFormat);
                break;
            case 'T':
                field = ProgramLocale::Locale().toString(QTime::currentTime(), QLocale::LongFormat);
                break;
            default:
                known = false;
                break;
            }
            if (known) {
                out += field;
                i += 2;
                continue;
            }
        }
        out += text[i];
    }
    return out;
}

} // namespace

void TTextEditorEx::Print(const QString& FileName, const QString& TitleTemplate) {
    Print(FileName, TitleTemplate, Printer());
}

void TTextEditorEx::Print(const QString& FileName, const QString& TitleTemplate,
                          QPrinter& printer) {
    const TTextEditorExPrintingSettings& ps = PrintingSettings;

    // The cell grid, measured with the editor font without style.
    QFont measureFont = DrawingFont();
    ApplyStyles(&measureFont, 0);
    const QFontMetrics fm(measureFont, &printer);
    const int W = fm.horizontalAdvance(QLatin1Char('M'));
    const int H = std::max(fm.height(), 1);
    const int ascent = fm.ascent();
    const int pageWidth = printer.width(), pageHeight = printer.height();
    const int lineCount = Lines.Count();
    // One layout for the count and the print: every line, an empty one too, takes a row, and
    // a page holds the rows that fit whole between the margins.
    const int rowsPerPage = (pageHeight - ps.MarginTop - ps.MarginBottom) / H;
    if (rowsPerPage < 1)
        throw EKelvoraError(QStringLiteral("EPrintArea"),
                            QStringLiteral("Det gick inte att skriva ut dokumentet: utrymmet "
                                           "mellan marginalerna är lägre än en textrad."));
    const int N = std::max(1, (lineCount + rowsPerPage - 1) / rowsPerPage);

    if (OnPrintProgress)
        OnPrintProgress(N, 0, 0);

    QString title = TitleTemplate;
    title.replace(QLatin1String("[F]"), FileName);
    printer.setDocName(title);

    QPainter p;
    if (!p.begin(&printer))
        throw EKelvoraError(QStringLiteral("EPrinter"),
                            QStringLiteral("Det går inte att starta utskriften."));

    QFont fieldFont(QStringLiteral("Tahoma"), 10);
    ApplyStyles(&fieldFont, 0);
    const QFontMetrics fieldMetrics(fieldFont, &printer);
    int page = 1;
    const auto printFields = [&] {
        p.setFont(fieldFont);
        p.setPen(Qt::black);
        const QString header = ExpandFields(ps.Header, FileName, page, N);
        if (!header.isEmpty())
            p.drawText(QPoint(ps.MarginLeft, ps.HeaderMarginTop + fieldMetrics.ascent()), header);
        const QString footer = ExpandFields(ps.Footer, FileName, page, N);
        if (!footer.isEmpty()) {
            const int x = pageWidth - ps.MarginRight - fieldMetrics.horizontalAdvance(footer);
            const int y = pageHeight - ps.FooterMarginBottom - fieldMetrics.height();
            p.drawText(QPoint(x, y + fieldMetrics.ascent()), footer);
        }
    };

    try {
        printFields();

        const bool colour = ps.InteractiveFormatting && processor_;
        const TCharFormat plain{FontColor, StylesOf(EditorFont)};
        const int right = pageWidth - ps.MarginRight;
        const int bottom = pageHeight - ps.MarginBottom;
        // The painter's font and pen follow the character formats; set only on a change.
        bool fontSet = false;
        TCharFormat current;
        const auto useFormat = [&](const TCharFormat& f) {
            if (fontSet && SameCharFormat(f, current))
                return;
            QFont font = DrawingFont();
            ApplyStyles(&font, f.Style);
            p.setFont(font);
            p.setPen(ToQColor(f.Color));
            current = f;
            fontSet = true;
        };

        std::vector<TCharFormat> formats;
        for (int line = 0; line < lineCount; ++line) {
            if (line > 0 && line % rowsPerPage == 0) {
                if (OnPrintProgress)
                    OnPrintProgress(N, page, Percent(page, N));
                printer.newPage();
                ++page;
                fontSet = false;
                printFields();
            }
            const int row = line % rowsPerPage;
            const LineView text = Lines.Get(line);
            const int n = static_cast<int>(text.size());
            if (colour && n > 0) {
                processor_->FormatLine(line, 0, n, -1, formats);
                if (formats.size() != static_cast<size_t>(n))
                    formats.assign(static_cast<size_t>(n), plain);
            }
            for (int i = 0; i < n; ++i) {
                const int left = i * W + ps.MarginLeft;
                if (left >= right)
                    continue;
                unsigned char ch = static_cast<unsigned char>(text[i]);
                if (ch == ' ' || ch == '\t') {
                    if (!ps.ShowHiddenChars)
                        continue;
                    ch = ch == ' ' ? kMiddleDot : kBullet;
                }
                useFormat(colour ? formats[static_cast<size_t>(i)] : plain);
                const int top = H * row + ps.MarginTop;
                const QPoint at(left, top + ascent);
                const QString glyph(Cp1252::ToUnicode(ch));
                if (left + W <= right) {
                    p.drawText(at, glyph);
                } else {
                    p.save();
                    p.setClipRect(QRect(QPoint(left, top), QPoint(right - 1, bottom - 1)));
                    p.drawText(at, glyph);
                    p.restore();
                }
            }
        }
    } catch (...) {
        printer.abort();
        p.end();
        throw;
    }
    p.end();

    if (OnPrintProgress)
        OnPrintProgress(N, N, 100);
}
