#include "markup/wizards/PageWizardSettings.h"

#include "markup/wizards/CommaText.h"
#include "markup/wizards/IniFile.h"
#include "platform/AppPaths.h"
#include "platform/ColorText.h"
#include "platform/Cp1252.h"

#include <QCollator>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <algorithm>

namespace PageWizardSettings {

namespace {

const QByteArray Information = QByteArrayLiteral("Information");
const QByteArray Background = QByteArrayLiteral("Background");
const QByteArray ContentSection = QByteArrayLiteral("Content");

QByteArray Bytes(const QString& text) {
    return Cp1252::Encode(text);
}

QString Text(const QByteArray& bytes) {
    return Cp1252::Decode(bytes);
}

// A whole number as the margins are stored: an empty or unreadable field counts as 0.
QByteArray Number(const QString& field) {
    bool ok = false;
    const int value = field.trimmed().toInt(&ok);
    return QByteArray::number(ok ? value : 0);
}

void WriteRows(TIniFile& ini, const TKeyValueRows& rows, const QByteArray& key) {
    for (size_t i = 0; i < rows.size(); ++i) {
        const QByteArray n = QByteArray::number(static_cast<qulonglong>(i));
        ini.SetValue(Information, key + n, Bytes(rows[i].Key));
        ini.SetValue(Information, key + "Value" + n, Bytes(WizardHead::ValueOf(rows, rows[i].Key)));
    }
}

TKeyValueRows ReadRows(const TIniFile& ini, const QByteArray& key) {
    TKeyValueRows rows;
    for (int i = 0;; ++i) {
        const QByteArray n = QByteArray::number(i);
        if (!ini.Has(Information, key + n))
            break;
        rows.push_back({Text(ini.Value(Information, key + n)),
                        Text(ini.Value(Information, key + "Value" + n))});
    }
    return rows;
}

bool ReadBool(const TIniFile& ini, const QByteArray& section, const QByteArray& key) {
    bool ok = false;
    const int value = ini.Value(section, key).trimmed().toInt(&ok);
    return ok && value != 0;
}

QString ReadNumber(const TIniFile& ini, const QByteArray& key) {
    bool ok = false;
    const int value = ini.Value(Background, key).trimmed().toInt(&ok);
    return QString::number(ok ? value : 0);
}

QStringList ContentLines(const QByteArray& content) {
    QStringList lines;
    if (content.isEmpty())
        return lines;
    QByteArray text = content;
    if (text.endsWith("\r\n"))
        text.chop(2);
    for (const QByteArray& line : text.split('\n'))
        lines << Text(line.endsWith('\r') ? line.chopped(1) : line);
    return lines;
}

QByteArray ContentText(const QStringList& lines) {
    QByteArray text;
    for (const QString& line : lines)
        text += Bytes(line) + "\r\n";
    return text;
}

bool Write(const QString& fileName, const QByteArray& bytes, QString* message) {
    QSaveFile file(fileName);
    if (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit())
        return true;
    if (message)
        *message = QStringLiteral("Det gick inte att spara inställningsfilen \"") + fileName +
                   QStringLiteral("\".");
    return false;
}

} // namespace

QString Folder() {
    return AppPaths::DataFile(QStringLiteral("Inställningar för HTML-guiden"));
}

QString FileOf(const QString& name) {
    return QDir(Folder()).filePath(name + QStringLiteral(".htw"));
}

QString GroupFileName(const QString& settingsFile) {
    const QFileInfo info(settingsFile);
    const QString name = info.fileName();
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    const QString base = dot > 0 ? name.left(dot) : name;
    return QDir(info.path()).filePath(base + QStringLiteral(".ssw"));
}

QStringList Names(const QString& folder) {
    QStringList names;
    const QStringList files = QDir(folder).entryList({QStringLiteral("*.htw")},
                                                     QDir::Files | QDir::Hidden | QDir::System |
                                                         QDir::Readable | QDir::CaseSensitive);
    for (const QString& file : files)
        names << file.chopped(4);
    QCollator collator;
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    std::sort(names.begin(), names.end(), collator);
    return names;
}

QString WithExtension(const QString& fileName) {
    return QFileInfo(fileName).suffix().isEmpty() ? fileName + QStringLiteral(".htw") : fileName;
}

QByteArray SettingsBytes(const TPageWizardFields& f) {
    TIniFile ini;
    ini.SetValue(Information, "Doctype", Bytes(f.Head.Doctype));
    ini.SetValue(Information, "Title", Bytes(f.Head.Title));
    ini.SetValue(Information, "Language", Bytes(f.Head.Language));
    WriteRows(ini, f.Head.MetaName, "MetaName");
    WriteRows(ini, f.Head.MetaHttp, "MetaHttp");
    ini.SetValue(Information, "LinkedCSS", Bytes(CommaText::Join(f.LinkedCSS)));
    ini.SetValue(Information, "LinkedJS", Bytes(CommaText::Join(f.LinkedJS)));
    ini.SetValue(Background, "UseBgColor", f.UseBgColor ? "1" : "0");
    ini.SetValue(Background, "BgColor", ColorToHTML(f.BgColor).toLatin1());
    ini.SetValue(Background, "BgIMG", Bytes(f.BgImage));
    ini.SetValue(Background, "BgRepeat", Bytes(f.BgRepeat));
    ini.SetValue(Background, "BgPosition", Bytes(f.BgPosition));
    ini.SetValue(Background, "UseMargins", f.UseMargins ? "1" : "0");
    ini.SetValue(Background, "MARGINRIGHT", Number(f.MarginRight));
    ini.SetValue(Background, "MARGINLEFT", Number(f.MarginLeft));
    ini.SetValue(Background, "MARGINTOP", Number(f.MarginTop));
    ini.SetValue(Background, "MARGINBOTTOM", Number(f.MarginBottom));
    ini.SetValue(ContentSection, "Text", Bytes(CommaText::Join(ContentLines(f.Content))));
    return ini.ToBytes();
}

QByteArray GroupBytes(const TPageWizardFields& f) {
    QByteArray bytes;
    for (const QString& entry : f.StyleGroups)
        bytes += Bytes(entry) + "\r\n";
    return bytes;
}

bool Save(const QString& fileName, const TPageWizardFields& fields, QString* message) {
    // The group file first: a settings file that the list shows always has its groups.
    return Write(GroupFileName(fileName), GroupBytes(fields), message) &&
           Write(fileName, SettingsBytes(fields), message);
}

bool Load(const QString& fileName, TPageWizardFields* f) {
    TIniFile ini;
    if (!TIniFile::Load(fileName, &ini))
        return false;
    f->Head.Doctype = Text(ini.Value(Information, "Doctype"));
    f->Head.Title = Text(ini.Value(Information, "Title"));
    f->Head.Language = Text(ini.Value(Information, "Language"));
    f->Head.MetaName = ReadRows(ini, "MetaName");
    f->Head.MetaHttp = ReadRows(ini, "MetaHttp");
    f->LinkedCSS = CommaText::Split(Text(ini.Value(Information, "LinkedCSS")));
    f->LinkedJS = CommaText::Split(Text(ini.Value(Information, "LinkedJS")));
    f->UseBgColor = ReadBool(ini, Background, "UseBgColor");
    const std::optional<TColor> color =
        HTMLToColor(Text(ini.Value(Background, "BgColor", "#FFFFFF")));
    if (!color)
        return false;
    f->BgColor = *color;
    f->BgImage = Text(ini.Value(Background, "BgIMG"));
    f->BgRepeat = Text(ini.Value(Background, "BgRepeat"));
    f->BgPosition = Text(ini.Value(Background, "BgPosition"));
    f->UseMargins = ReadBool(ini, Background, "UseMargins");
    f->MarginRight = ReadNumber(ini, "MARGINRIGHT");
    f->MarginLeft = ReadNumber(ini, "MARGINLEFT");
    f->MarginTop = ReadNumber(ini, "MARGINTOP");
    f->MarginBottom = ReadNumber(ini, "MARGINBOTTOM");

    QFile groups(GroupFileName(fileName));
    if (!groups.open(QIODevice::ReadOnly))
        return false;
    const QByteArray groupBytes = groups.readAll();
    if (groups.error() != QFileDevice::NoError)
        return false;
    f->StyleGroups.clear();
    for (QByteArray line : groupBytes.split('\n')) {
        if (line.endsWith('\r'))
            line.chop(1);
        if (!line.isEmpty())
            f->StyleGroups << Text(line);
    }

    f->Content = ContentText(CommaText::Split(Text(ini.Value(ContentSection, "Text"))));
    return true;
}

} // namespace PageWizardSettings
