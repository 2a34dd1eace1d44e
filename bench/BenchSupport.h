#pragma once

#include <QByteArray>
#include <cstdlib>

// Benchmarks run offscreen: no display is needed and nothing is shown.
inline void UseOffscreenPlatform() {
    if (!std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
}
