// Test entry point: isolates every test program in a fresh folder before Qt starts.
#include "TestSupport.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cstdlib>
#include <cstring>
#include <gtest/gtest.h>
#include <string>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace {
std::string g_root;
}

#if defined(__SANITIZE_ADDRESS__)
// The sanitizer build's options, the same for CTest, its test discovery and a run by hand.
// The web engine frees some objects with a sized delete of another size (Chromium's own
// allocator would accept it); that check cannot be limited to one library, so it is off.
extern "C" __attribute__((used, visibility("default"))) const char* __asan_default_options() {
    return "detect_leaks=1:halt_on_error=1:strict_string_checks=1:detect_stack_use_after_return=1:"
           "check_initialization_order=1:new_delete_type_mismatch=0";
}
extern "C" __attribute__((used, visibility("default"))) const char* __lsan_default_options() {
    return "suppressions=" KV_LSAN_SUPPRESSIONS ":print_suppressions=0";
}
extern "C" __attribute__((used, visibility("default"))) const char* __ubsan_default_options() {
    return "print_stacktrace=1:halt_on_error=1";
}
#endif

QString TestRootDir() {
    return QString::fromStdString(g_root);
}

QString WriteTestFile(const QString& name, const QByteArray& bytes) {
    const QString path = QDir(TestRootDir()).filePath(name);
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        return QString();
    f.write(bytes);
    return path;
}

QByteArray ReadTestFile(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return QByteArray();
    return f.readAll();
}

bool MakeUnopenableFile(const QString& path) {
    const QByteArray name = QFile::encodeName(path);
    sockaddr_un address{};
    if (name.size() >= static_cast<qsizetype>(sizeof(address.sun_path)))
        return false;
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path, name.constData(), static_cast<size_t>(name.size()));
    const int fd = socket(AF_UNIX, SOCK_STREAM, 0);
    if (fd < 0)
        return false;
    const bool bound = bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof(address)) == 0;
    close(fd);
    return bound;
}

int main(int argc, char** argv) {
    char tmpl[] = "/tmp/kelvora-test-XXXXXX";
    const char* made = mkdtemp(tmpl);
    if (!made)
        return 2;
    g_root = made;
    const std::string config = g_root + "/config", data = g_root + "/data", tmp = g_root + "/tmp";
    for (const std::string& d : {config, data, tmp})
        QDir().mkpath(QString::fromStdString(d));
    // KV_TEST_PLATFORM runs the tests on a real display (xcb), e.g. under Xvfb.
    const char* platform = getenv("KV_TEST_PLATFORM");
    setenv("QT_QPA_PLATFORM", platform && *platform ? platform : "offscreen", 1);
    setenv("XDG_CONFIG_HOME", config.c_str(), 1);
    setenv("XDG_DATA_HOME", data.c_str(), 1);
    setenv("TMPDIR", tmp.c_str(), 1);
    setenv("QTWEBENGINE_CHROMIUM_FLAGS", "--no-sandbox --disable-gpu", 0);
    setenv("QTWEBENGINE_DISABLE_SANDBOX", "1", 0);

    ::testing::InitGoogleTest(&argc, argv);
    int rc;
    {
        QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
        QApplication app(argc, argv);
        QApplication::setOrganizationName(QStringLiteral("Tolvane"));
        QApplication::setApplicationName(QStringLiteral("Kelvora"));
        rc = RUN_ALL_TESTS();
    }
    QDir(QString::fromStdString(g_root)).removeRecursively();
    return rc;
}
