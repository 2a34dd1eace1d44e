#include "markup/sites/FilePreviewPage.h"

#include "platform/Cp1252.h"

#include <QFileInfo>
#include <QUrl>

namespace FilePreviewPage {

namespace {

QByteArray ErrorPage(const QString& heading) {
    return Cp1252::Encode(QStringLiteral("<HTML><HEAD><TITLE>Fel</TITLE></HEAD><BODY><H1>") +
                          heading +
                          QStringLiteral("</H1><P STYLE=\"font-family:Verdana; "
                                         "font-size:small;\">Kelvora</P></BODY></HTML>")) +
           "\r\n";
}

} // namespace

QByteArray MissingPage() {
    return ErrorPage(QStringLiteral("Den angivna filen finns inte."));
}

QByteArray FailurePage() {
    return ErrorPage(QStringLiteral("Den angivna filen kunde inte öppnas."));
}

bool IsImage(const QString& fileName) {
    const QString name = QFileInfo(fileName).fileName();
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    if (dot < 0)
        return false;
    const QString extension = name.mid(dot);
    for (const char* image : {".bmp", ".gif", ".png", ".jpg", ".jpeg", ".tif", ".tiff", ".tga"})
        if (extension == QLatin1String(image))
            return true;
    return false;
}

QByteArray Escape(const QString& text) {
    QByteArray out;
    for (const char32_t c : text.toUcs4()) {
        switch (c) {
        case U'&':
            out += "&amp;";
            continue;
        case U'<':
            out += "&lt;";
            continue;
        case U'>':
            out += "&gt;";
            continue;
        case U'"':
            out += "&quot;";
            continue;
        default:
            break;
        }
        bool lossless = false;
        const QByteArray encoded = Cp1252::Encode(QString::fromUcs4(&c, 1), &lossless);
        if (lossless && c >= U' ')
            out += encoded;
        else
            out += "&#" + QByteArray::number(static_cast<quint32>(c)) + ";";
    }
    return out;
}

QByteArray ImagePage(const QString& fileName) {
    const QString path = QFileInfo(fileName).absoluteFilePath();
    const QByteArray url = QUrl::fromLocalFile(path).toEncoded();
    return Cp1252::Encode(QStringLiteral("<HTML><HEAD><TITLE>Förhandsgranskning</TITLE></HEAD>"
                                         "<BODY><H1>")) +
           Escape(QFileInfo(path).fileName()) +
           "</H1><P STYLE=\"font-family:Verdana; font-size:small;\">" + Escape(path) +
           "</P><P><IMG SRC=\"" + Escape(QString::fromLatin1(url)) + "\"></P></BODY></HTML>\r\n";
}

TPreview For(const QString& fileName) {
    if (!QFileInfo::exists(fileName))
        return {MissingPage()};
    if (IsImage(fileName))
        return {ImagePage(fileName)};
    return {};
}

} // namespace FilePreviewPage
