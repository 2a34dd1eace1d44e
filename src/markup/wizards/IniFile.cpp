#include "markup/wizards/IniFile.h"

#include <QFile>
#include <QSaveFile>
#include <algorithm>

namespace {

bool SameName(const QByteArray& a, const QByteArray& b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

QByteArray Trimmed(const QByteArray& s) {
    qsizetype begin = 0, end = s.size();
    while (begin < end && (s.at(begin) == ' ' || s.at(begin) == '\t'))
        ++begin;
    while (end > begin && (s.at(end - 1) == ' ' || s.at(end - 1) == '\t'))
        --end;
    return s.mid(begin, end - begin);
}

} // namespace

TIniFile TIniFile::Parse(const QByteArray& bytes) {
    TIniFile ini;
    TSection* current = nullptr;
    qsizetype pos = 0;
    while (pos < bytes.size()) {
        qsizetype end = pos;
        while (end < bytes.size() && bytes.at(end) != '\r' && bytes.at(end) != '\n')
            ++end;
        const QByteArray line = bytes.mid(pos, end - pos);
        pos = end;
        if (pos < bytes.size() && bytes.at(pos) == '\r')
            ++pos;
        if (pos < bytes.size() && bytes.at(pos) == '\n')
            ++pos;

        const QByteArray trimmed = Trimmed(line);
        if (trimmed.startsWith('[')) {
            const qsizetype close = trimmed.indexOf(']');
            const QByteArray name = Trimmed(trimmed.mid(1, close < 0 ? -1 : close - 1));
            auto it = std::find_if(ini.sections_.begin(), ini.sections_.end(),
                                   [&](const TSection& s) { return SameName(s.Name, name); });
            if (it == ini.sections_.end()) {
                ini.sections_.push_back({name, {}});
                current = &ini.sections_.back();
            } else {
                current = &*it;
            }
            continue;
        }
        const qsizetype eq = line.indexOf('=');
        if (!current || eq < 0)
            continue;
        const QByteArray key = Trimmed(line.left(eq));
        const bool known = std::any_of(current->Keys.begin(), current->Keys.end(),
                                       [&](const auto& k) { return SameName(k.first, key); });
        if (!known)
            current->Keys.emplace_back(key, line.mid(eq + 1));
    }
    return ini;
}

bool TIniFile::Load(const QString& fileName, TIniFile* ini, QString* error) {
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = file.errorString();
        return false;
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        if (error)
            *error = file.errorString();
        return false;
    }
    *ini = Parse(bytes);
    return true;
}

const TIniFile::TSection* TIniFile::Find(const QByteArray& section) const {
    for (const TSection& s : sections_)
        if (SameName(s.Name, section))
            return &s;
    return nullptr;
}

bool TIniFile::Has(const QByteArray& section, const QByteArray& key) const {
    if (const TSection* s = Find(section))
        for (const auto& k : s->Keys)
            if (SameName(k.first, key))
                return true;
    return false;
}

QByteArray TIniFile::Value(const QByteArray& section, const QByteArray& key,
                           const QByteArray& fallback) const {
    if (const TSection* s = Find(section))
        for (const auto& k : s->Keys)
            if (SameName(k.first, key))
                return k.second;
    return fallback;
}

void TIniFile::SetValue(const QByteArray& section, const QByteArray& key, const QByteArray& value) {
    QByteArray line = value;
    line.replace("\r\n", " ").replace('\r', ' ').replace('\n', ' ');
    TSection* s = nullptr;
    for (TSection& candidate : sections_)
        if (!s && SameName(candidate.Name, section))
            s = &candidate;
    if (!s) {
        sections_.push_back({section, {}});
        s = &sections_.back();
    }
    for (auto& k : s->Keys)
        if (SameName(k.first, key)) {
            k.second = line;
            return;
        }
    s->Keys.emplace_back(key, line);
}

void TIniFile::EraseSection(const QByteArray& section) {
    std::erase_if(sections_, [&](const TSection& s) { return SameName(s.Name, section); });
}

QByteArray TIniFile::ToBytes() const {
    QByteArray out;
    for (const TSection& s : sections_) {
        if (!out.isEmpty())
            out += "\r\n";
        out += "[" + s.Name + "]\r\n";
        for (const auto& k : s.Keys)
            out += k.first + "=" + k.second + "\r\n";
    }
    return out;
}

bool TIniFile::Save(const QString& fileName, QString* error) const {
    QSaveFile file(fileName);
    const QByteArray bytes = ToBytes();
    if (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit())
        return true;
    if (error)
        *error = file.errorString();
    return false;
}
