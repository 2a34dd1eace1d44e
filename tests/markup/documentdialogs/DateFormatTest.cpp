#include "markup/documentdialogs/DateFormat.h"

#include <gtest/gtest.h>

namespace {

QDateTime At(int y, int mo, int d, int h, int mi, int s) {
    return QDateTime(QDate(y, mo, d), QTime(h, mi, s));
}

TEST(DateFormat, TheNineRows) {
    const QStringList expected{
        "2006-03-07",         "06-03-07", "7/3 2006", "7/3 -06",
        "14:05:09",           "14:05",    "2:05 PM",  "2006-03-07 14:05:09",
        "2006-03-07 2:05 PM",
    };
    EXPECT_EQ(DateFormat::Rows(At(2006, 3, 7, 14, 5, 9)), expected);
}

TEST(DateFormat, PatternsAtTheEdgesOfTheClock) {
    const struct {
        const char* pattern;
        QDateTime time;
        const char* expected;
    } cases[] = {
        // Midnight and noon on the twelve-hour clock.
        {"h:mm AM/PM", At(2010, 12, 31, 0, 7, 0), "12:07 AM"},
        {"h:mm AM/PM", At(2010, 12, 31, 12, 0, 0), "12:00 PM"},
        {"hh:mm am/pm", At(2010, 12, 31, 9, 30, 0), "09:30 AM"},
        // mm is the month unless an hour comes right before it.
        {"mm hh:mm", At(2010, 11, 2, 23, 59, 58), "11 23:59"},
        {"m/d", At(2010, 11, 2, 23, 59, 58), "11/2"},
        {"d m yyyy", At(987, 1, 31, 1, 1, 1), "31 1 0987"},
        {"yy", At(2000, 1, 1, 0, 0, 0), "00"},
        // Quoted text is copied, letters and all; an unclosed quote runs to the end.
        {"\"dag\" d", At(2006, 3, 7, 0, 0, 0), "dag 7"},
        {"d \"h:m", At(2006, 3, 7, 0, 0, 0), "7 h:m"},
        {"ss.s", At(2006, 3, 7, 0, 0, 5), "05.5"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(DateFormat::Format(QString::fromUtf8(c.pattern), c.time),
                  QString::fromUtf8(c.expected))
            << c.pattern;
}

} // namespace
