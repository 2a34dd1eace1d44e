#include "ftp/accounts/FtpAccounts.h"

#include "editor/model/EditorModel.h"
#include "platform/AppPaths.h"
#include "platform/Cp1252.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <algorithm>

namespace FtpAccounts {

namespace {

const QString kSuffix = QStringLiteral(".fta");

bool HasSuffix(const QString& fileName) {
    return fileName.size() >= kSuffix.size() && fileName.endsWith(kSuffix, Qt::CaseInsensitive);
}

QList<QByteArray> SplitLines(const QByteArray& bytes) {
    QList<QByteArray> lines;
    QByteArray line;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const char c = bytes[i];
        if (c == '\r' || c == '\n') {
            lines << line;
            line.clear();
            if (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n')
                ++i;
        } else {
            line += c;
        }
    }
    if (!line.isEmpty())
        lines << line;
    return lines;
}

} // namespace

QString Folder() {
    const QString folder = AppPaths::DataFile(QStringLiteral("FTP-konton"));
    if (!QFileInfo(folder).isDir() && QDir().mkpath(folder))
        QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                          QFileDevice::ExeOwner);
    return folder;
}

QString FileOf(const QString& name) {
    const QDir dir(Folder());
    const QString plain = dir.filePath(name + kSuffix);
    if (QFileInfo::exists(plain))
        return plain;
    for (const QString& file : dir.entryList(QDir::Files | QDir::Hidden))
        if (HasSuffix(file) && file.chopped(kSuffix.size()) == name)
            return dir.filePath(file);
    return plain;
}

QStringList Names() {
    QStringList names;
    for (const QString& file : QDir(Folder()).entryList(QDir::Files | QDir::Hidden))
        if (HasSuffix(file))
            names << file.chopped(kSuffix.size());
    std::sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
        const int c = a.compare(b, Qt::CaseInsensitive);
        return c != 0 ? c < 0 : a < b;
    });
    return names;
}

bool Exists(const QString& name) {
    return QFileInfo(FileOf(name)).isFile();
}

bool IsValidName(const QString& name) {
    if (name.isEmpty() || name.contains(QLatin1Char('/')) || name.contains(QLatin1Char('\\')) ||
        name.contains(QLatin1String("..")))
        return false;
    return std::none_of(name.begin(), name.end(), [](QChar c) {
        return c.unicode() < 0x20 || c.unicode() == 0x7F || c.category() == QChar::Other_Control;
    });
}

TReadResult Read(const QString& name, TFtpAccount* account) {
    QFile file(FileOf(name));
    if (!file.open(QIODevice::ReadOnly))
        return TReadResult::Unreadable;
    const QList<QByteArray> lines = SplitLines(file.readAll());
    const auto line = [&](int i) {
        return i < lines.size() ? Cp1252::Decode(lines[i]) : QString();
    };
    TFtpAccount a;
    a.Server = line(0);
    a.User = line(1);
    a.LocalDir = line(2);
    a.ServerDir = line(3);
    a.Password = TEditorModel::ROT13Str(line(4));
    *account = a;
    return lines.isEmpty() ? TReadResult::NoLines : TReadResult::Ok;
}

bool Write(const QString& name, const TFtpAccount& account) {
    if (!IsValidName(name))
        return false;
    QByteArray bytes;
    for (const QString& value : {account.Server, account.User, account.LocalDir, account.ServerDir,
                                 TEditorModel::ROT13Str(account.Password)}) {
        if (value.contains(QLatin1Char('\r')) || value.contains(QLatin1Char('\n')))
            return false;
        bool lossless = true;
        bytes += Cp1252::Encode(value, &lossless);
        if (!lossless)
            return false;
        bytes += "\r\n";
    }
    QSaveFile file(FileOf(name));
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    if (file.write(bytes) != bytes.size())
        return false;
    return file.commit();
}

bool Remove(const QString& name) {
    return QFile::remove(FileOf(name));
}

QString DefaultLocalDir() {
    return QDir::homePath();
}

TFtpAccount NewAccount() {
    TFtpAccount a;
    a.LocalDir = DefaultLocalDir();
    a.ServerDir = QStringLiteral("/");
    return a;
}

TFtpAccount WithConnectDefaults(TFtpAccount account) {
    if (account.LocalDir.isEmpty())
        account.LocalDir = DefaultLocalDir();
    if (account.ServerDir.isEmpty())
        account.ServerDir = QStringLiteral("/");
    return account;
}

bool SplitServer(const QString& server, QString* host, int* port) {
    const QString s = server.trimmed();
    *port = 21;
    QString portText;
    if (s.startsWith(QLatin1Char('['))) {
        const qsizetype close = s.indexOf(QLatin1Char(']'));
        if (close < 0) {
            *host = s;
            return true;
        }
        *host = s.mid(1, close - 1);
        const QString rest = s.mid(close + 1);
        if (rest.isEmpty())
            return true;
        if (!rest.startsWith(QLatin1Char(':')))
            return false;
        portText = rest.mid(1);
    } else if (s.count(QLatin1Char(':')) == 1) {
        const qsizetype colon = s.indexOf(QLatin1Char(':'));
        *host = s.left(colon);
        portText = s.mid(colon + 1);
    } else {
        *host = s; // a bare IPv6 address or a plain host name
        return true;
    }
    bool ok = false;
    const int p = portText.toInt(&ok);
    if (!ok || p < 1 || p > 65535)
        return false;
    *port = p;
    return true;
}

} // namespace FtpAccounts
