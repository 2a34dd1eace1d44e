#pragma once

#include "kelvora/module.h"

#include <QList>
#include <QPointer>
#include <QString>
#include <QToolBar>
#include <memory>

class QLibrary;

// One loaded module: the name the user gave, the handle modules know it by, the library, and
// its toolbars on the main window, oldest first (the newest one gets the buttons).
struct TModuleData {
    QString Path;
    kv_module Handle = 0;
    std::shared_ptr<QLibrary> Library;
    // What makes two names the same library: the loaded object's base address and, for a
    // file, its canonical path.
    const void* Base = nullptr;
    QString CanonicalPath;
    QList<QPointer<QToolBar>> Toolbars;

    QToolBar* Toolbar() const { return Toolbars.isEmpty() ? nullptr : Toolbars.last().data(); }
};
