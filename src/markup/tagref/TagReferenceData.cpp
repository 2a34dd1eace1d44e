#include "markup/tagref/TagReferenceData.h"

#include "platform/AppPaths.h"
#include "platform/Cp1252.h"

#include <QFile>

namespace {

// A reference larger than this is no reference (a wrong file put in its place).
constexpr qint64 kMaxFileSize = 16 * 1024 * 1024;

} // namespace

QString TTagReferenceData::DefaultPath() {
    return AppPaths::DataFile(QStringLiteral("tagreference.dat"));
}

bool TTagReferenceData::Load(const QString& path) {
    loaded_ = false;
    lines_.clear();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > kMaxFileSize)
        return false;
    const QByteArray bytes = file.read(kMaxFileSize + 1);
    if (file.error() != QFileDevice::NoError || bytes.size() > kMaxFileSize)
        return false;
    lines_ = bytes.split('\n');
    for (QByteArray& line : lines_)
        if (line.endsWith('\r'))
            line.chop(1);
    loaded_ = true;
    return true;
}

QString TTagReferenceData::Field(int k, const QString& name) const {
    if (k < 0 || k > 3)
        return QString();
    const QByteArray wanted = Cp1252::UpperCase(Cp1252::Encode(name));
    QByteArray result;
    for (const QByteArray& line : lines_) {
        const qsizetype first = line.indexOf('|');
        if (first < 0 || Cp1252::UpperCase(line.left(first)) != wanted)
            continue;
        const qsizetype second = line.indexOf('|', first + 1);
        const qsizetype third = second < 0 ? -1 : line.indexOf('|', second + 1);
        if (third < 0)
            continue; // fewer than four fields
        switch (k) {
        case 0:
            result = Cp1252::UpperCase(line.left(first));
            break;
        case 1:
            result = line.mid(first + 1, second - first - 1);
            break;
        case 2:
            result = line.mid(second + 1, third - second - 1);
            break;
        default:
            result = line.mid(third + 1);
        }
    }
    return Cp1252::Decode(Expand(result));
}

bool TTagReferenceData::About(QString* version, QString* description) const {
    version->clear();
    description->clear();
    if (!loaded_)
        return false;
    const QByteArray first = lines_.value(0);
    const qsizetype bar = first.indexOf('|');
    *version = Cp1252::Decode(bar < 0 ? first : first.left(bar));
    if (bar >= 0) {
        const qsizetype next = first.indexOf('|', bar + 1);
        *description = Cp1252::Decode(first.mid(bar + 1, next < 0 ? -1 : next - bar - 1));
    }
    return true;
}

QByteArray TTagReferenceData::Expand(const QByteArray& field) {
    QByteArray out = field;
    out.replace("\\n", "\r\n");
    out.replace("\\t", "     ");
    return out;
}
