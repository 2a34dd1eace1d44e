#include "platform/ProgramLocale.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace {

// Qt's translations as installed. The standard buttons of Qt 6 ask for their texts under
// "QPlatformTheme", which the installed files may still keep under "QDialogButtonBox".
class TQtTranslator : public QTranslator {
public:
    QString translate(const char* context, const char* sourceText,
                      const char* disambiguation = nullptr, int n = -1) const override {
        QString text = QTranslator::translate(context, sourceText, disambiguation, n);
        if (text.isEmpty() && qstrcmp(context, "QPlatformTheme") == 0)
            text = QTranslator::translate("QDialogButtonBox", sourceText, disambiguation, n);
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
