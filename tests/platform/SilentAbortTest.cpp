#include "platform/SilentAbort.h"

#include <gtest/gtest.h>
#include <new>
#include <stdexcept>

namespace {

struct Reported {
    int calls = 0;
    QString className, message;
};

class RunCommandTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetUnexpectedExceptionHandler([this](const QString& c, const QString& m) {
            ++reported.calls;
            reported.className = c;
            reported.message = m;
        });
    }
    void TearDown() override { SetUnexpectedExceptionHandler(nullptr); }
    Reported reported;
};

TEST_F(RunCommandTest, CompletedCommandIsTrue) {
    int ran = 0;
    EXPECT_TRUE(RunCommand([&] { ++ran; }));
    EXPECT_EQ(ran, 1);
    EXPECT_EQ(reported.calls, 0);
}

TEST_F(RunCommandTest, SilentAbortIsAbsorbed) {
    bool after = false;
    EXPECT_FALSE(RunCommand([&] {
        Abort();
        after = true;
    }));
    EXPECT_FALSE(after);
    EXPECT_EQ(reported.calls, 0);
}

TEST_F(RunCommandTest, OtherExceptionsGoToTheHandler) {
    struct Case {
        std::function<void()> throwIt;
        QString className, message;
    };
    const Case cases[] = {
        {[] {
             throw EKelvoraError(QStringLiteral("EFOpenError"), QString::fromUtf8("Det går inte"));
         },
         QStringLiteral("EFOpenError"), QString::fromUtf8("Det går inte")},
        {[] { throw std::runtime_error("boom"); }, QStringLiteral("runtime_error"),
         QStringLiteral("boom")},
        {[] { throw std::bad_alloc(); }, QStringLiteral("EOutOfMemory"),
         QString::fromUtf8("Slut på minne.")},
        {[] { throw 42; }, QStringLiteral("Exception"), QString()},
    };
    for (const Case& c : cases) {
        reported = Reported();
        EXPECT_FALSE(RunCommand(c.throwIt));
        EXPECT_EQ(reported.calls, 1);
        EXPECT_EQ(reported.className, c.className);
        EXPECT_EQ(reported.message, c.message);
    }
}

TEST_F(RunCommandTest, NestedAbortEndsOnlyTheInnerCommand) {
    bool outerFinished = false;
    EXPECT_TRUE(RunCommand([&] {
        EXPECT_FALSE(RunCommand([] { Abort(); }));
        outerFinished = true;
    }));
    EXPECT_TRUE(outerFinished);
}

} // namespace
