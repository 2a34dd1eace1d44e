#pragma once

// The boundary of every module function: the thread check, the window the call acts on, the
// checked out-pointer and the statuses for what the operation throws. Nothing thrown leaves.

#include "app/mainwindow/MainWin.h"
#include "kelvora/module.h"
#include "modules/ModuleHandouts.h"
#include "modules/ModuleHost.h"
#include "platform/SilentAbort.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QThread>
#include <cstring>
#include <exception>

namespace ExportBoundary {

inline bool OnUserInterfaceThread() {
    const QCoreApplication* app = QCoreApplication::instance();
    return app && QThread::currentThread() == app->thread();
}

// Hands an exception to the program's own handler, which shows it.
inline void Report(std::exception_ptr error) {
    RunCommand([&] { std::rethrow_exception(error); });
}

// Runs body(window) -> kv_status: KV_WRONG_THREAD off the user-interface thread, KV_ERROR
// without a window, KV_ABORTED for the silent abort, KV_ERROR after the program's message
// for anything else thrown.
template <class Body> kv_status Call(Body&& body) noexcept {
    if (!OnUserInterfaceThread())
        return KV_WRONG_THREAD;
    try {
        TModuleHost* host = TModuleHost::Active();
        if (!host)
            return KV_ERROR;
        return body(host->Window());
    } catch (const ESilentAbort&) {
        return KV_ABORTED;
    } catch (...) {
        try {
            Report(std::current_exception());
        } catch (...) {
        }
        return KV_ERROR;
    }
}

// A string passed in: borrowed bytes copied into an array of the program (NULL is "").
inline QByteArray In(const char* text) {
    return text ? QByteArray(text) : QByteArray();
}

// A string result: fn(window) -> QByteArray handed out through *result.
template <class Fn> kv_status StringOut(char** result, Fn&& fn) noexcept {
    return Call([&](Tmain& window) -> kv_status {
        if (!result)
            return KV_BAD_ARGUMENT;
        *result = nullptr;
        QByteArray text = fn(window);
        *result = ModuleHandouts::GiveString(std::move(text));
        return KV_OK;
    });
}

// An integer or Boolean result: fn(window) -> value written to *result.
template <class Fn> kv_status IntOut(int32_t* result, Fn&& fn) noexcept {
    return Call([&](Tmain& window) -> kv_status {
        if (!result)
            return KV_BAD_ARGUMENT;
        *result = 0;
        *result = static_cast<int32_t>(fn(window));
        return KV_OK;
    });
}

// A letter case or an option byte: 0 .. 255.
inline bool IsByte(int32_t value) {
    return value >= 0 && value <= 255;
}

} // namespace ExportBoundary
