#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

// One web site: a local root folder and free Name=Value properties ("Titel" names the site,
// "URL" is its address).
struct TWebsiteData {
    QString LocalPath; // without a final separator
    QStringList Properties;

    // The value of a name in Properties; empty when the name is missing.
    QString Value(const QString& name) const;
};

using TWebsitesData = std::vector<TWebsiteData>;

// The site files of the folder "Webbplatser": Windows-1252 text, one Name=Value line per
// property plus a "LocalPath" line, lines ended by CR LF.
namespace WebsiteFiles {

using Report = std::function<void(const QString& message)>;

// The value of a name among Name=Value lines; empty when the name is missing.
QString ValueOf(const QStringList& lines, const QString& name);
// The index of the first line of that name; -1 when there is none.
int IndexOfName(const QStringList& lines, const QString& name);

// Reads one site file's bytes: blank lines are dropped, every "LocalPath" line is taken out
// of the properties (the first gives the folder), other lines are kept as they are.
TWebsiteData Parse(const QByteArray& bytes);
QByteArray Format(const TWebsiteData& site);

// Every "*.site" file of the folder, in the order the file system lists them. A file that
// cannot be read is skipped.
TWebsitesData Load(const QString& folder);
// Writes site i to "Webbplats <i>.site" (each file atomically) and then removes every other
// "*.site" file, so the folder holds exactly the sites. A site that cannot be written is
// reported and the next one follows. The folder is created when missing.
void Save(const QString& folder, const TWebsitesData& sites, const Report& report);

// The file name of site i.
QString FileName(int index);

} // namespace WebsiteFiles

// The file-type filter of the site tree.
namespace WebsiteFilter {

// Whether a file with the extension (with its dot, empty for none) is listed under the
// pattern ("*.htm;*.html"; "*.*" lists every file).
bool Filter(const QString& pattern, const QString& extension);
// The pattern of a filter combo text: what stands between the first "(" and the first ")",
// otherwise the whole text.
QString PatternOf(const QString& comboText);
// The extension of a file name as the filter sees it: from its last dot, empty for none.
QString ExtensionOf(const QString& fileName);

} // namespace WebsiteFilter
