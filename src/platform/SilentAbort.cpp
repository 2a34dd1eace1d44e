#include "platform/SilentAbort.h"

#include <QDebug>
#include <cstdlib>
#include <cxxabi.h>
#include <new>
#include <typeinfo>

namespace {

UnexpectedExceptionHandler& Handler() {
    static UnexpectedExceptionHandler handler;
    return handler;
}

QString Demangle(const char* name) {
    int status = 0;
    char* plain = abi::__cxa_demangle(name, nullptr, nullptr, &status);
    QString out = QString::fromLatin1(status == 0 && plain ? plain : name);
    std::free(plain);
    return out.section(QLatin1String("::"), -1);
}

} // namespace

void Abort() {
    throw ESilentAbort();
}

EKelvoraError::EKelvoraError(QString className, const QString& message)
    : std::runtime_error(message.toStdString()), className_(std::move(className)) {}

void SetUnexpectedExceptionHandler(UnexpectedExceptionHandler handler) {
    Handler() = std::move(handler);
}

void DescribeCurrentException(QString* className, QString* message) {
    try {
        throw;
    } catch (const EKelvoraError& e) {
        *className = e.ClassName();
        *message = e.Message();
    } catch (const std::bad_alloc& e) {
        *className = QStringLiteral("EOutOfMemory");
        *message = QStringLiteral("Slut på minne.");
    } catch (const std::exception& e) {
        *className = Demangle(typeid(e).name());
        *message = QString::fromUtf8(e.what());
    } catch (...) {
        *className = QStringLiteral("Exception");
        *message = QString();
    }
}

bool RunCommand(const std::function<void()>& command) {
    try {
        command();
        return true;
    } catch (const ESilentAbort&) {
        return false;
    } catch (...) {
        QString className, message;
        DescribeCurrentException(&className, &message);
        if (Handler())
            Handler()(className, message);
        else
            qWarning().noquote() << className << message;
        return false;
    }
}
