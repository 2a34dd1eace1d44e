#pragma once

#include "modules/ModuleData.h"

#include <QByteArray>
#include <QObject>
#include <vector>

class Tmain;

// The plug-in modules of one main window: loading at the user's request, the module list,
// the modules' toolbars and the calls into the modules. Every call into a module runs at a
// boundary of its own, and while it runs the functions of the module table act on this
// window.
class TModuleHost : public QObject {
public:
    explicit TModuleHost(Tmain& window);
    // A window that goes without closing frees its modules here, with nothing left for their
    // calls to act on.
    ~TModuleHost() override;

    // The host of a window (null when the modules are not installed in it).
    static TModuleHost* Of(const Tmain& window);
    // The host whose window the module functions act on: the one calling into a module now,
    // else the newest; null when there is no window.
    static TModuleHost* Active();
    // The host that has a module with this handle loaded, and the module's index there.
    static TModuleHost* Holding(kv_module handle, int* index = nullptr);

    Tmain& Window() const { return window_; }
    const std::vector<TModuleData>& LoadedModules() const { return modules_; }
    int IndexOf(kv_module handle) const;

    // "Ladda tilläggsmodul...": the prompt, the security question, then LoadModule.
    void UserLoadModule();
    // Loads, connects and lists a module; a failure is reported and leaves nothing loaded.
    void LoadModule(const QString& name);
    // Disconnects a listed module (0 <= index < count), removes its toolbars and unloads it.
    void FreeModule(int index);
    // Frees every module, the first one each time (the close of the window).
    void FreeAllModules();
    // "Koppla från tilläggsmodul...": the module list.
    void UserUnloadModule();

    // The toolbar services of the module functions, for the module with a handle.
    kv_status DoCreateModuleToolbar(kv_module handle, const QString& caption);
    kv_status DoFreeModuleToolbar(kv_module handle);
    kv_status DoAddModuleToolbarButton(kv_module handle, const QString& caption,
                                       const QByteArray& procName);
    // A button click: calls the procedure that the module exports under that name; nothing
    // when the module is gone or exports no such name.
    void HandleModuleToolButtonClick(kv_module handle, const QByteArray& procName);

private:
    // Calls into a module with this host active; whatever the call throws is reported.
    void CallModule(const std::function<void()>& call);
    // The loaded module that is the same library as `base` or `canonicalPath`.
    bool IsLoaded(const void* base, const QString& canonicalPath) const;

    Tmain& window_;
    std::vector<TModuleData> modules_;
    bool dying_ = false;
};
