#include "markup/paste/PasteFormats.h"

#include "editor/text/LineStore.h"

namespace {

const QByteArray kCrLf = "\r\n";

} // namespace

const QStringList& TPasteFormatsLibrary::Names() {
    static const QStringList names{
        QStringLiteral("Direkt text"),
        QStringLiteral("Brödtext"),
        QStringLiteral("Förformaterad text"),
        QStringLiteral("Script (standard)"),
        QStringLiteral("Script (JavaScript)"),
        QStringLiteral("Script (JavaScript 1.1)"),
        QStringLiteral("Script (JavaScript 1.2)"),
        QStringLiteral("Script (JavaScript 1.3)"),
        QStringLiteral("Script (JavaScript 1.4)"),
        QStringLiteral("Script (JavaScript 1.5)"),
        QStringLiteral("Script (VBScript)"),
        QStringLiteral("Stilmall (standard)"),
        QStringLiteral("Stilmall (text/css)"),
        QStringLiteral("Punktlista (standard)"),
        QStringLiteral("Punktlista (diskar)"),
        QStringLiteral("Punktlista (cirklar)"),
        QStringLiteral("Punktlista (kvadrater)"),
        QStringLiteral("Numrerad lista (standard)"),
        QStringLiteral("Numrerad lista (bokstäver, gemener)"),
        QStringLiteral("Numrerad lista (bokstäver, versaler)"),
        QStringLiteral("Numrerad lista (romerska siffror, gemener)"),
        QStringLiteral("Numrerad lista (romerska siffror, versaler)"),
        QStringLiteral("Länk-HREF"),
        QStringLiteral("Länk-etikett"),
        QStringLiteral("Bild-SRC"),
        QStringLiteral("Upphöjd text"),
        QStringLiteral("Nedsänkt text"),
        QStringLiteral("Kommentar"),
        QStringLiteral("ASP-kod"),
        QStringLiteral("PHP-kod"),
    };
    return names;
}

TPasteFormatsLibrary::TPasteFormatsLibrary(const QByteArray& indent) {
    const QByteArray scriptTail = kCrLf + kCrLf + "</script>";
    const auto script = [&](const QByteArray& language) {
        return TPasteFormat{
            "<script language=\"" + language + "\">" + kCrLf + kCrLf, scriptTail, {}, {}};
    };
    const QByteArray item = indent + "<li>";
    const auto list = [&](const QByteArray& element, const QByteArray& type) {
        const QByteArray style =
            type.isEmpty() ? QByteArray() : " style=\"list-style-type:" + type + ";\"";
        return TPasteFormat{"<" + element + style + ">" + kCrLf, kCrLf + "</li></" + element + ">",
                            item, "</li>"};
    };
    formats_ = {
        {{}, {}, {}, {}},
        {{}, "</p>", "<p>", "</p>"},
        {"<p>", "</p>", {}, "<br>"},
        {"<script>" + kCrLf + kCrLf, scriptTail, {}, {}},
        script("JavaScript"),
        script("JavaScript1.1"),
        script("JavaScript1.2"),
        script("JavaScript1.3"),
        script("JavaScript1.4"),
        script("JavaScript1.5"),
        script("VBScript"),
        {"<style>" + kCrLf + kCrLf, kCrLf + kCrLf + "</style>", {}, {}},
        {"<style type=\"text/css\">" + kCrLf + kCrLf, kCrLf + kCrLf + "</style>", {}, {}},
        list("ul", {}),
        list("ul", "disc"),
        list("ul", "circle"),
        list("ul", "square"),
        list("ol", {}),
        list("ol", "lower-alpha"),
        list("ol", "upper-alpha"),
        list("ol", "lower-roman"),
        list("ol", "upper-roman"),
        {"<a href=\"", "\"></a>", {}, {}},
        {"<a href=\"\">", "</a>", {}, {}},
        {"<img src=\"", "\">", {}, {}},
        {"<sup>", "</sup>", {}, {}},
        {"<sub>", "</sub>", {}, {}},
        {"<!-- ", " -->", {}, {}},
        {"<%" + kCrLf, kCrLf + "%>", {}, {}},
        {"<?" + kCrLf, kCrLf + "?>", {}, {}},
        {"unknown", "unknown", "unknown", "unknown"},
    };
}

TPasteFormat TPasteFormatsLibrary::GetFormat(const QString& name) const {
    const qsizetype index = Names().indexOf(name);
    return index >= 0 ? formats_[static_cast<size_t>(index)] : formats_.back();
}

bool TPasteFormatsLibrary::IsUnknown(const TPasteFormat& format) {
    return format.Head == "unknown";
}

QByteArray TPasteFormatsLibrary::Apply(const TPasteFormat& format, const QByteArray& text) {
    const QByteArray normal = LineStore::NormalizeBreaks(text);
    QByteArray body = format.Prefix;
    body.reserve(normal.size() + format.Prefix.size());
    const QByteArray between = format.Suffix + kCrLf + format.Prefix;
    qsizetype from = 0;
    for (qsizetype at = normal.indexOf(kCrLf); at >= 0; at = normal.indexOf(kCrLf, from)) {
        body.append(normal.constData() + from, at - from);
        body.append(between);
        from = at + 2;
    }
    body.append(normal.constData() + from, normal.size() - from);
    return format.Head + body + format.Tail;
}
