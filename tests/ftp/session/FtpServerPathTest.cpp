#include "ftp/session/FtpServerPath.h"

#include <gtest/gtest.h>

TEST(FtpServerPath, JoinParentAndResolve) {
    using namespace FtpServerPath;
    EXPECT_EQ(Join(QStringLiteral("/"), QStringLiteral("a.txt")), QStringLiteral("/a.txt"));
    EXPECT_EQ(Join(QStringLiteral("/pub"), QStringLiteral("a b")), QStringLiteral("/pub/a b"));

    const struct {
        const char* base;
        const char* typed;
        const char* resolved;
    } cases[] = {
        {"/pub/docs", "..", "/pub"},
        {"/pub", "..", "/"}, // a first-level folder's parent is the root
        {"/", "..", "/"},
        {"/pub", "docs", "/pub/docs"},
        {"/pub", "/etc", "/etc"},
        {"/pub", "docs/../../../x", "/x"},
        {"/pub", "./a//b/", "/pub/a/b"},
        {"/", "", "/"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Resolve(QString::fromUtf8(c.base), QString::fromUtf8(c.typed)),
                  QString::fromUtf8(c.resolved))
            << c.base << " + " << c.typed;
    EXPECT_EQ(Parent(QStringLiteral("/pub/docs")), QStringLiteral("/pub"));
    EXPECT_EQ(Parent(QStringLiteral("/pub")), QStringLiteral("/"));
}

TEST(FtpServerPath, UrlPathEncodesEverySegment) {
    using namespace FtpServerPath;
    EXPECT_EQ(UrlPath(QStringLiteral("/"), true), QByteArray("%2F/"));
    EXPECT_EQ(UrlPath(QStringLiteral("/pub/docs"), true), QByteArray("%2Fpub/docs/"));
    EXPECT_EQ(UrlPath(QStringLiteral("/a b/100%;?#.txt"), false),
              QByteArray("%2Fa%20b/100%25%3B%3F%23.txt"));
    EXPECT_EQ(UrlPath(QStringLiteral("/åäö"), false), QByteArray("%2F%C3%A5%C3%A4%C3%B6"));
    EXPECT_TRUE(IsSendable(QStringLiteral("/a b")));
    for (const char* bad : {"/a\r\nDELE x", "/a\n", "/a\r"})
        EXPECT_FALSE(IsSendable(QString::fromUtf8(bad))) << bad;
    EXPECT_FALSE(IsSendable(QStringLiteral("/a") + QChar(0)));
}
