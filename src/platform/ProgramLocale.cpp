#include "platform/ProgramLocale.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace {

// Texts of the file dialog that the installed translations lack.
struct TMissingText {
    const char* Context;
    const char* Source;
    const char* Swedish;
};
constexpr TMissingText kMissingTexts[] = {
    {"QFileDialog", "Look in:", "Leta i:"},
    {"QFileDialog", "&New Folder", "&Ny mapp"},
    {"QFileDialog", "Go back", "Bakåt"},
    {"QFileDialog", "Go forward", "Framåt"},
    {"QFileDialog", "Go to the parent directory", "Gå till överordnad katalog"},
    {"QFileDialog", "Create a New Folder", "Skapa en ny mapp"},
    {"QFileDialog", "Change to list view mode", "Visa som lista"},
    {"QFileDialog", "Change to detail view mode", "Visa med detaljer"},
    {"QFileSystemModel", "Computer", "Dator"},
    {"QAbstractFileIconProvider", "Folder", "Mapp"},
    {"QAbstractFileIconProvider", "Drive", "Enhet"},
};

// Qt's translations as installed. The standard buttons of Qt 6 ask for their texts under
// "QPlatformTheme", which the installed files may still keep under "QDialogButtonBox"; a few
// texts of the file dialog are not there at all.
class TQtTranslator : public QTranslator {
public:
    QString translate(const char* context, const char* sourceText,
                      const char* disambiguation = nullptr, int n = -1) const override {
        QString text = QTranslator::translate(context, sourceText, disambiguation, n);
        if (!text.isEmpty())
            return text;
        if (qstrcmp(context, "QPlatformTheme") == 0)
            return QTranslator::translate("QDialogButtonBox", sourceText, disambiguation, n);
        for (const TMissingText& m : kMissingTexts)
            if (qstrcmp(context, m.Context) == 0 && qstrcmp(sourceText, m.Source) == 0)
                return QString::fromUtf8(m.Swedish);
        return text;
    }
};

} // namespace

namespace ProgramLocale {

QLocale Locale() {
    return QLocale(QLocale::Swedish, QLocale::Sweden);
}

std::unique_ptr<QTranslator> LoadQtTranslations() {
    auto translator = std::make_unique<TQtTranslator>();
    // "qt_sv" gathers the translations of every Qt module that has them.
    if (!translator->load(Locale(), QStringLiteral("qt"), QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        return nullptr;
    return std::unique_ptr<QTranslator>(std::move(translator));
}

bool Install() {
    QLocale::setDefault(Locale());
    static QTranslator* installed = nullptr;
    if (installed)
        return true;
    std::unique_ptr<QTranslator> translator = LoadQtTranslations();
    if (!translator || !QCoreApplication::installTranslator(translator.get()))
        return false;
    installed = translator.release();
    installed->setParent(QCoreApplication::instance());
    return true;
}

} // namespace ProgramLocale
