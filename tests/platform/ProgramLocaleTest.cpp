#include "platform/ProgramLocale.h"

#include <QCoreApplication>
#include <QDate>
#include <QTranslator>
#include <gtest/gtest.h>

namespace {

// Qt's own dialogs speak Swedish once the translations are installed.
TEST(ProgramLocaleTest, QtsOwnTextsAreSwedish) {
    const std::unique_ptr<QTranslator> translator = ProgramLocale::LoadQtTranslations();
    ASSERT_TRUE(translator) << "Qt's Swedish translations are not installed";
    ASSERT_TRUE(QCoreApplication::installTranslator(translator.get()));
    struct Case {
        const char* context;
        const char* text;
        const char* swedish;
    };
    // The dialogs' own texts, the standard buttons of Qt 6 (QPlatformTheme), and texts of the
    // file dialog that the installed files lack.
    const Case cases[] = {
        {"QFileDialog", "&Open", "&Öppna"},
        {"QFileDialog", "File &name:", "Fil&namn:"},
        {"QPrintDialog", "Print", "Skriv ut"},
        {"QPlatformTheme", "Cancel", "Avbryt"},
        {"QPlatformTheme", "&Yes", "&Ja"},
        {"QFileDialog", "Look in:", "Leta i:"},
        {"QAbstractFileIconProvider", "Folder", "Mapp"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(QCoreApplication::translate(c.context, c.text), QString::fromUtf8(c.swedish))
            << c.context << " " << c.text;
    QCoreApplication::removeTranslator(translator.get());
}

TEST(ProgramLocaleTest, DatesAreSwedish) {
    const QDate date(2024, 3, 5);
    EXPECT_EQ(ProgramLocale::Locale().toString(date, QLocale::ShortFormat), "2024-03-05");
    EXPECT_EQ(ProgramLocale::Locale().toString(date, QStringLiteral("d MMMM")), "5 mars");
}

} // namespace
