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
    for (const Case& c :
         {Case{"QFileDialog", "&Open", "&Öppna"}, Case{"QPlatformTheme", "Cancel", "Avbryt"}})
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
