#include "app/dialogs/PropertiesWin.h"

#include "app/core/FileData.h"
#include "app/core/StringHelpers.h"
#include "controls/CaptionGroup.h"

#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

QString SizeText(qint64 bytes) {
    QString digits = QString::number(bytes < 0 ? 0 : bytes);
    for (qsizetype at = digits.size() - 3; at > 0; at -= 3)
        digits.insert(at, QLatin1Char(' '));
    return TrimLeftBlanks(digits) + QStringLiteral(" B");
}

Tproperties::Tproperties(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Egenskaper"));
    static const char* const types[][2] = {
        {"html", "HTML-dokument"},
        {"htm", "HTML-dokument"},
        {"shtml", "SHTML-dokument"},
        {"xhtml", "XHTML-dokument"},
        {"asp", "ASP-dokument"},
        {"aspx", "ASPX-dokument"},
        {"jsp", "JSP-dokument"},
        {"php", "PHP-dokument"},
        {"php3", "PHP-dokument"},
        {"php4", "PHP-dokument"},
        {"php5", "PHP-dokument"},
        {"pl", "Perl-dokument"},
        {"cgi", "CGI-tillämpning"},
        {"c", "C-program"},
        {"cpp", "C++-program"},
        {"js", "JavaScript"},
        {"vbs", "VB-skript"},
        {"css", "Stilmall"},
        {"inc", "Inkluderingsfil"},
        {"java", "Java-program"},
        {"xml", "XML-dokument"},
        {"bmp", "Bitmappsbild (BMP; NE)"},
        {"dib", "Bitmappsbild (DIB; NE)"},
        {"jpg", "Fotografi (JPEG; NE)"},
        {"jpeg", "Fotografi (JPEG; NE)"},
        {"gif", "Illustration (GIF; NE)"},
        {"png", "PNG-bild (NE)"},
        {"wmf", "WMF-bild (NE)"},
        {"rtf", "RTF-dokument"},
        {"ini", "Konfigurationsfil (INI)"},
        {"inf", "Installationsinformationsfil (INF)"},
        {"exe", "Windows-program (NE)"},
        {"com", "MS-DOS-program (NE)"},
        {"pif", "Genväg till MS-DOS-program (NE)"},
        {"bat", "MS-DOS-kommandofil"},
        {"smil", "SMIL-dokument"},
        {"sml", "SMIL-dokument"},
        {"txt", "Oformateradt textdokument"},
        {"dat", "Databasfil (NE)"},
        {"sub", "Kelvora-subrutin"},
        {"htw", "Inställningsfil för HTML-guiden"},
        {"ssw", "Stilmallsspecifikation för HTML-guiden"},
        {"log", "Loggfil"},
    };
    for (const auto& t : types) {
        FileTypeExtensions << QLatin1String(t[0]);
        FileTypeNames << QString::fromUtf8(t[1]);
    }

    auto* layout = new QVBoxLayout(this);
    Group = new TCaptionGroup(this);
    auto* form = new QFormLayout(Group);
    form->setContentsMargins(8, 28, 8, 8);
    const auto field = [this, form](const QString& label) {
        auto* edit = new QLineEdit(Group);
        edit->setReadOnly(true);
        form->addRow(label, edit);
        return edit;
    };
    FileNameEdit = field(QStringLiteral("Filnamn:"));
    FolderEdit = field(QStringLiteral("Katalog:"));
    SizeEdit = field(QStringLiteral("Storlek:"));
    FileTypeEdit = field(QStringLiteral("Filtyp:"));
    layout->addWidget(Group);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    CloseBtn = new QPushButton(QStringLiteral("Stäng"), this);
    CloseBtn->setDefault(true);
    connect(CloseBtn, &QPushButton::clicked, this, &QDialog::accept);
    buttons->addWidget(CloseBtn);
    layout->addLayout(buttons);
}

QString Tproperties::FileTypeText(const QString& extensionWithDot) const {
    if (extensionWithDot.size() <= 1)
        return QStringLiteral("Ospecificerad");
    const qsizetype i = FileTypeExtensions.indexOf(extensionWithDot.mid(1).toLower());
    if (i < 0)
        return QStringLiteral("Filtyp ej med i Kelvoras databas: ") + extensionWithDot;
    QString text = FileTypeNames[i];
    return text.replace(QStringLiteral("NE"), QStringLiteral("Kan ej redigeras i Kelvora"));
}

void Tproperties::Fill(const QString& fileName, bool hasFile, qint64 textLength) {
    const QString name = DocFileName(fileName);
    Group->SetCaptionText(QLatin1Char(' ') + name + QLatin1Char(' '));
    FileNameEdit->setText(name);
    SizeEdit->setText(SizeText(textLength));
    if (hasFile) {
        QString folder = QFileInfo(fileName).absolutePath();
        if (!folder.endsWith(QLatin1Char('/')))
            folder += QLatin1Char('/');
        FolderEdit->setText(folder);
    } else {
        FolderEdit->setText(QStringLiteral("Filen är ej sparad."));
    }
    FileTypeEdit->setText(FileTypeText(DocFileExt(fileName)));
    FileNameEdit->setFocus();
    FileNameEdit->selectAll();
}
