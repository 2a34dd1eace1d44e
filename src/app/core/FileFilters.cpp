#include "app/core/FileFilters.h"

#include "app/core/FileData.h"

#include <algorithm>
#include <array>

namespace FileFilters {

namespace {

const std::array<TFileFilter, FilterCount>& Table() {
    static const std::array<TFileFilter, FilterCount> table{{
        {QStringLiteral("HTML-dokument (*.htm;*.html)"), QStringLiteral("*.htm;*.html")},
        {QStringLiteral("JavaScript (*.js)"), QStringLiteral("*.js")},
        {QStringLiteral("VisualBasic Scripting Edition (*.vbs)"), QStringLiteral("*.vbs")},
        {QStringLiteral("Stilmall (*.css)"), QStringLiteral("*.css")},
        {QStringLiteral("CGI (*.cgi;*.pl;*.c;*.cpp)"), QStringLiteral("*.cgi;*.pl;*.c;*.cpp")},
        {QStringLiteral("ASP (*.asp)"), QStringLiteral("*.asp")},
        {QStringLiteral("PHP (*.php;*.php?)"), QStringLiteral("*.php;*.php?")},
        {QStringLiteral("Inkluderingsfiler (*.inc)"), QStringLiteral("*.inc")},
        {QStringLiteral("Textdokument (*.txt)"), QStringLiteral("*.txt")},
        {QStringLiteral("Alla filformat"), QStringLiteral("*.*")},
        {QStringLiteral("Alla relevanta filformat"),
         QStringLiteral("*.htm;*.html;*.js;*.vbs;*.css;*.cgi;*.pl;*.c;*.cpp;*.asp;*.php;*.php?;"
                        "*.pas;*.dfm;*.inc;*.txt;*.bat;*.ini;*.inf;*.log;*.1st;*.reg;*.dat;")},
        {QStringLiteral("Tilläggsmoduler (endast via speciellt menyval)"), QStringLiteral("*.so")},
    }};
    return table;
}

} // namespace

const TFileFilter& Filter(int index) {
    return Table().at(static_cast<size_t>(std::clamp(index, 1, FilterCount) - 1));
}

QString QtFilter(const TFileFilter& filter) {
    QStringList patterns;
    for (const QString& p : filter.Patterns.split(QLatin1Char(';'), Qt::SkipEmptyParts))
        patterns << (p == QLatin1String("*.*") ? QStringLiteral("*") : p.trimmed());
    QString caption = filter.Caption;
    const QString own = QStringLiteral(" (") + filter.Patterns + QLatin1Char(')');
    if (caption.endsWith(own))
        caption.chop(own.size());
    return caption + QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) + QLatin1Char(')');
}

QStringList QtFilters(int count) {
    QStringList list;
    for (int i = 1; i <= std::min(count, FilterCount); ++i)
        list << QtFilter(Filter(i));
    return list;
}

QString QtNameFilter(const QString& name) {
    // Qt splits patterns at blanks and ends them at parentheses: those characters match as
    // "any one character" instead.
    QString pattern = name;
    for (QChar& c : pattern)
        if (c == QLatin1Char(' ') || c == QLatin1Char('(') || c == QLatin1Char(')'))
            c = QLatin1Char('?');
    return QStringLiteral("Alla filer med namnet \"%1\" (%2)").arg(name, pattern);
}

int FilterIndexFor(const QString& fileName) {
    if (fileName == QLatin1String("Nytt dokument"))
        return AllRelevantIndex;
    const QString ext = DocFileExt(fileName).toLower();
    struct Entry {
        const char* ext;
        int index;
    };
    static const Entry entries[] = {
        {".htm", 1},  {".html", 1}, {".shtml", 1}, {".js", 2},  {".vbs", 3},  {".css", 4},
        {".cgi", 5},  {".pl", 5},   {".c", 5},     {".asp", 6}, {".aspx", 6}, {".php", 7},
        {".php3", 7}, {".php4", 7}, {".php5", 7},  {".inc", 8}, {".txt", 9},
    };
    for (const Entry& e : entries)
        if (ext == QLatin1String(e.ext))
            return e.index;
    return AllFilesIndex;
}

QString DefaultExtension(int index) {
    static const char* const extensions[] = {".html", ".js",  ".vbs", ".css", ".cgi",
                                             ".asp",  ".php", ".inc", ".txt"};
    if (index < 1 || index > 9)
        return QString();
    return QLatin1String(extensions[index - 1]);
}

} // namespace FileFilters
