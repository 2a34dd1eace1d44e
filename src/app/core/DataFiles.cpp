#include "app/core/DataFiles.h"

#include "platform/AppPaths.h"
#include "platform/Cp1252.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace {

const QByteArray kNewFormMark = QByteArrayLiteral("\\#v2");

bool ReadBytes(const QString& fileName, QByteArray* bytes, QString* error) {
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = file.errorString();
        return false;
    }
    *bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        if (error)
            *error = file.errorString();
        return false;
    }
    return true;
}

bool WriteBytes(const QString& fileName, const QByteArray& bytes, QString* error) {
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        if (error)
            *error = file.errorString();
        return false;
    }
    return true;
}

// Lines ended by CR LF, LF or CR; a final break ends the last line.
QList<QByteArray> SplitLines(const QByteArray& bytes) {
    QList<QByteArray> lines;
    qsizetype start = 0;
    const qsizetype n = bytes.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char c = bytes[i];
        if (c != '\r' && c != '\n')
            continue;
        lines.append(bytes.mid(start, i - start));
        if (c == '\r' && i + 1 < n && bytes[i + 1] == '\n')
            ++i;
        start = i + 1;
    }
    if (start < n)
        lines.append(bytes.mid(start));
    return lines;
}

} // namespace

bool TClipboardHistory::Add(const QByteArray& text) {
    if (text.size() > MaxEntryBytes)
        return false;
    entries_.prepend(text);
    while (entries_.size() > MaxEntries)
        entries_.removeLast();
    return true;
}

QByteArray TClipboardHistory::EncodeEntry(const QByteArray& text) {
    QByteArray out;
    out.reserve(text.size() + 8);
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char c = text[i];
        if (c == '\\') {
            out += "\\\\";
        } else if (c == '\r' || c == '\n') {
            // CR LF, and a lone CR or LF, is one line break.
            if (c == '\r' && i + 1 < n && text[i + 1] == '\n')
                ++i;
            out += "\\n";
        } else {
            out += c;
        }
    }
    return out;
}

QByteArray TClipboardHistory::DecodeEntry(const QByteArray& line, bool oldForm) {
    QByteArray out;
    out.reserve(line.size());
    const qsizetype n = line.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char c = line[i];
        if (c == '\\' && i + 1 < n) {
            const char next = line[i + 1];
            if (next == 'n') {
                out += "\r\n";
                ++i;
                continue;
            }
            if (next == '\\' && !oldForm) {
                out += '\\';
                ++i;
                continue;
            }
        }
        out += c;
    }
    return out;
}

bool TClipboardHistory::Load(const QString& fileName, QString* error) {
    entries_.clear();
    QByteArray bytes;
    if (!ReadBytes(fileName, &bytes, error))
        return false;
    QList<QByteArray> lines = SplitLines(bytes);
    const bool oldForm = lines.isEmpty() || lines.first() != kNewFormMark;
    if (!oldForm)
        lines.removeFirst();
    for (const QByteArray& line : std::as_const(lines)) {
        if (entries_.size() >= MaxEntries)
            break;
        if ((line.isEmpty() && oldForm) || line.contains('\0'))
            continue;
        const QByteArray text = DecodeEntry(line, oldForm);
        if (text.size() <= MaxEntryBytes)
            entries_.append(text);
    }
    return true;
}

bool TClipboardHistory::Save(const QString& fileName, QString* error) const {
    QByteArray bytes = kNewFormMark + "\r\n";
    for (const QByteArray& entry : entries_)
        bytes += EncodeEntry(entry) + "\r\n";
    return WriteBytes(fileName, bytes, error);
}

TDataFiles::TDataFiles(QString folder) : folder_(std::move(folder)) {}

QString TDataFiles::FilePath(const QString& name) const {
    return folder_.isEmpty() ? AppPaths::DataFile(name) : QDir(folder_).filePath(name);
}

bool TDataFiles::LoadList(const QString& fileName, QStringList* list, QString* error) {
    list->clear();
    QByteArray bytes;
    if (!ReadBytes(fileName, &bytes, error))
        return false;
    for (const QByteArray& raw : SplitLines(bytes)) {
        const QByteArray line = raw.trimmed();
        if (line.isEmpty())
            continue;
        const bool control = std::any_of(line.begin(), line.end(), [](char c) {
            return static_cast<unsigned char>(c) < 0x20 && c != '\t';
        });
        if (!control)
            list->append(Cp1252::Decode(line));
    }
    return true;
}

bool TDataFiles::SaveList(const QString& fileName, const QStringList& list, QString* error) {
    QByteArray bytes;
    for (const QString& entry : list)
        bytes += Cp1252::Encode(entry) + "\r\n";
    return WriteBytes(fileName, bytes, error);
}

TDataFiles::TLoad TDataFiles::LoadState(bool loaded, const QString& fileName) {
    if (loaded)
        return TLoad::Loaded;
    return QFileInfo::exists(fileName) ? TLoad::Unreadable : TLoad::Missing;
}

bool TDataFiles::MayWrite(TLoad load, bool hasEntries) {
    switch (load) {
    case TLoad::Loaded:
        return true;
    case TLoad::Missing:
        return hasEntries;
    case TLoad::Unreadable:
        return false;
    }
    return false;
}

void TDataFiles::LoadAll(const Report& report) {
    const QString autoClose = FilePath(QStringLiteral("AutoCloseTags.dat"));
    autoCloseLoad_ = LoadState(LoadList(autoClose, &AutoCloseTagsList), autoClose);
    if (autoCloseLoad_ != TLoad::Loaded && report)
        report(QStringLiteral("Det gick inte att öppna databasen med stängningstaggar."));
    const QString docTypes = FilePath(QStringLiteral("doctypes.dat"));
    docTypesLoad_ = LoadState(LoadList(docTypes, &DocTypesList), docTypes);
    if (docTypesLoad_ != TLoad::Loaded && report)
        report(QStringLiteral("Det gick inte att öppna databasen med dokumenttyper."));
    const QString clipboard = FilePath(QStringLiteral("ClipboardHistory.dat"));
    clipboardLoad_ = LoadState(ClipboardHistory.Load(clipboard), clipboard);
    if (clipboardLoad_ != TLoad::Loaded && report)
        report(QStringLiteral("Det gick inte att öppna databasen med urklippshistorik."));
}

void TDataFiles::SaveTagLists(const Report& report) const {
    if (MayWrite(autoCloseLoad_, !AutoCloseTagsList.isEmpty()) &&
        !SaveList(FilePath(QStringLiteral("AutoCloseTags.dat")), AutoCloseTagsList) && report)
        report(QStringLiteral("Det gick inte att spara databasen med stängningstaggar."));
    if (MayWrite(docTypesLoad_, !DocTypesList.isEmpty()) &&
        !SaveList(FilePath(QStringLiteral("doctypes.dat")), DocTypesList) && report)
        report(QStringLiteral("Det gick inte att spara databasen med dokumenttyper."));
}

void TDataFiles::SaveClipboardHistory(const Report& report) const {
    if (!MayWrite(clipboardLoad_, ClipboardHistory.Count() > 0))
        return;
    if (!ClipboardHistory.Save(FilePath(QStringLiteral("ClipboardHistory.dat"))) && report)
        report(QStringLiteral("Det gick inte att spara databasen med urklippshistorik."));
}
