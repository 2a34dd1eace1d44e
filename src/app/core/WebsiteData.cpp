#include "app/core/WebsiteData.h"

#include "platform/Cp1252.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QSet>

namespace {

const QString kLocalPath = QStringLiteral("LocalPath");

QString NameOf(const QString& line) {
    const qsizetype eq = line.indexOf(QLatin1Char('='));
    return eq < 0 ? line : line.left(eq);
}

} // namespace

QString TWebsiteData::Value(const QString& name) const {
    return WebsiteFiles::ValueOf(Properties, name);
}

namespace WebsiteFiles {

int IndexOfName(const QStringList& lines, const QString& name) {
    for (int i = 0; i < lines.size(); ++i)
        if (NameOf(lines[i]) == name)
            return i;
    return -1;
}

QString ValueOf(const QStringList& lines, const QString& name) {
    const int i = IndexOfName(lines, name);
    if (i < 0)
        return {};
    const QString& line = lines[i];
    const qsizetype eq = line.indexOf(QLatin1Char('='));
    return eq < 0 ? QString() : line.mid(eq + 1);
}

TWebsiteData Parse(const QByteArray& bytes) {
    TWebsiteData site;
    bool havePath = false;
    for (QString line : Cp1252::Decode(bytes).split(QLatin1Char('\n'))) {
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        if (line.trimmed().isEmpty())
            continue;
        // Every LocalPath line goes: a second one left in the properties would come back
        // behind the new one at the next save and take its place at the next load.
        if (NameOf(line) == kLocalPath) {
            if (!havePath)
                site.LocalPath = line.mid(kLocalPath.size() + 1);
            havePath = true;
            continue;
        }
        site.Properties << line;
    }
    return site;
}

QByteArray Format(const TWebsiteData& site) {
    QByteArray bytes;
    for (const QString& line : site.Properties)
        if (NameOf(line) != kLocalPath)
            bytes += Cp1252::Encode(line) + "\r\n";
    bytes += Cp1252::Encode(kLocalPath + QLatin1Char('=') + site.LocalPath) + "\r\n";
    return bytes;
}

QString FileName(int index) {
    return QStringLiteral("Webbplats %1.site").arg(index);
}

TWebsitesData Load(const QString& folder) {
    TWebsitesData sites;
    const QDir dir(folder);
    for (const QString& name :
         dir.entryList({QStringLiteral("*.site")}, QDir::Files | QDir::Hidden, QDir::Unsorted)) {
        QFile file(dir.filePath(name));
        if (!file.open(QIODevice::ReadOnly))
            continue;
        sites.push_back(Parse(file.readAll()));
    }
    return sites;
}

void Save(const QString& folder, const TWebsitesData& sites, const Report& report) {
    QDir().mkpath(folder);
    const QDir dir(folder);
    QSet<QString> written;
    for (int i = 0; i < static_cast<int>(sites.size()); ++i) {
        QSaveFile file(dir.filePath(FileName(i)));
        if (file.open(QIODevice::WriteOnly) && file.write(Format(sites[i])) >= 0 && file.commit()) {
            written.insert(FileName(i));
        } else if (report) {
            report(QStringLiteral("Det gick inte att spara en webbplatsdeklaration (Webbplats %1).")
                       .arg(i));
        }
    }
    // The old files go only after the new ones are on disk; a file that could not be
    // replaced goes too, since it may hold a site now written under another number.
    for (const QString& name :
         dir.entryList({QStringLiteral("*.site")}, QDir::Files | QDir::Hidden))
        if (!written.contains(name))
            QFile::remove(dir.filePath(name));
}

} // namespace WebsiteFiles

namespace WebsiteFilter {

bool Filter(const QString& pattern, const QString& extension) {
    for (QString entry : pattern.split(QLatin1Char(';'))) {
        entry.remove(QLatin1Char('*'));
        entry = entry.trimmed();
        if (entry == QLatin1String("."))
            return true;
        if (extension.isEmpty() || entry.size() != extension.size())
            continue;
        bool same = true;
        for (qsizetype i = 0; same && i < entry.size(); ++i)
            same = entry[i] == QLatin1Char('?') || entry[i] == extension[i];
        if (same)
            return true;
    }
    return false;
}

QString PatternOf(const QString& comboText) {
    const qsizetype open = comboText.indexOf(QLatin1Char('('));
    if (open < 0)
        return comboText;
    const qsizetype close = comboText.indexOf(QLatin1Char(')'));
    return close > open ? comboText.mid(open + 1, close - open - 1) : comboText.mid(open + 1);
}

QString ExtensionOf(const QString& fileName) {
    const qsizetype dot = fileName.lastIndexOf(QLatin1Char('.'));
    return dot <= 0 ? QString() : fileName.mid(dot);
}

} // namespace WebsiteFilter
