#include "markup/wizards/FrameWizardCode.h"

#include "platform/Cp1252.h"

namespace FrameWizardCode {

namespace {

using WizardHead::TC;

QByteArray Bytes(const QString& text) {
    return Cp1252::Encode(text);
}

} // namespace

QByteArrayList WriteCode(const TFrameWizardFields& f, int tagCase, const QByteArray& indent) {
    QByteArrayList out;
    WizardHead::AddHead(out, f.Head, tagCase);
    out << QByteArray() << TC(tagCase, "</HEAD>") << QByteArray();

    QByteArray frameset = TC(tagCase, "<FRAMESET");
    if (!f.Border.isEmpty())
        frameset += TC(tagCase, " BORDER=\"") + Bytes(f.Border) + "\"";
    if (!f.FrameSpacing.isEmpty())
        frameset += TC(tagCase, " FRAMESPACING=\"") + Bytes(f.FrameSpacing) + "\"";
    frameset += TC(tagCase, f.Horizontal ? " ROWS=\"" : " COLS=\"");
    for (size_t i = 0; i < f.Frames.size(); ++i)
        frameset += Bytes(f.Frames[i].Size) + (i + 1 < f.Frames.size() ? ", " : "");
    out << frameset + "\">";

    for (const TFrameData& frame : f.Frames) {
        QByteArray line = indent + TC(tagCase, "<FRAME");
        if (!frame.Name.isEmpty())
            line += TC(tagCase, " ID=\"") + Bytes(frame.Name) + "\"" + TC(tagCase, " NAME=\"") +
                    Bytes(frame.Name) + "\"";
        if (!frame.Src.isEmpty())
            line += TC(tagCase, " SRC=\"") + Bytes(frame.Src) + "\"";
        if (!frame.FrameBorder.isEmpty())
            line += TC(tagCase, " FRAMEBORDER=\"") + Bytes(frame.FrameBorder) + "\"";
        if (!frame.Resizable)
            line += TC(tagCase, " NORESIZE=\"noresize\"");
        out << line + " />";
    }
    out << TC(tagCase, "</FRAMESET>") << QByteArray() << TC(tagCase, "</HTML>");
    return out;
}

QString FileNamePart(const QString& src) {
    const qsizetype cut =
        std::max(src.lastIndexOf(QLatin1Char('/')), src.lastIndexOf(QLatin1Char('\\')));
    return src.mid(cut + 1);
}

} // namespace FrameWizardCode
