#include "app/mainwindow/Extensions.h"

#include <utility>
#include <vector>

namespace {

std::vector<std::pair<QString, Extensions::Installer>>& Installers() {
    static std::vector<std::pair<QString, Extensions::Installer>> installers;
    return installers;
}

} // namespace

namespace Extensions {

void Add(const QString& name, Installer installer) {
    for (auto& entry : Installers())
        if (entry.first == name) {
            entry.second = std::move(installer);
            return;
        }
    Installers().emplace_back(name, std::move(installer));
}

void Remove(const QString& name) {
    auto& list = Installers();
    std::erase_if(list, [&](const auto& entry) { return entry.first == name; });
}

void InstallInto(Tmain& window) {
    // A copy: an installer may add or remove installers.
    const auto installers = Installers();
    for (const auto& entry : installers)
        entry.second(window);
}

} // namespace Extensions
