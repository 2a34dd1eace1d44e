#include "app/core/RecentFiles.h"

#include "app/core/SettingsStore.h"

#include <QSettings>
#include <memory>

namespace {

QString Key(int i) {
    return QStringLiteral("Reopen/Reopen%1").arg(i);
}

} // namespace

namespace RecentFiles {

void Add(const QString& fileName) {
    const std::unique_ptr<QSettings> opened = OpenKelvoraStore();
    QSettings& store = *opened;
    if (store.contains(Key(1)) && store.value(Key(1)).toString() == fileName)
        return;
    // A file listed lower moves to the top; the entries above it move down one.
    for (int listed = 2; listed <= Count; ++listed) {
        if (store.contains(Key(listed)) && store.value(Key(listed)).toString() == fileName) {
            for (int i = listed; i > 1; --i)
                store.setValue(Key(i), store.value(Key(i - 1)));
            store.setValue(Key(1), fileName);
            return;
        }
    }
    for (int i = 1; i <= Count; ++i) {
        if (!store.contains(Key(i))) {
            store.setValue(Key(i), fileName);
            return;
        }
    }
    for (int i = Count; i > 1; --i)
        store.setValue(Key(i), store.value(Key(i - 1)));
    store.setValue(Key(1), fileName);
}

QStringList Files() {
    const std::unique_ptr<QSettings> opened = OpenKelvoraStore();
    QStringList files;
    for (int i = 1; i <= Count; ++i)
        if (opened->contains(Key(i)))
            files << opened->value(Key(i)).toString();
    return files;
}

QString File(int i) {
    const std::unique_ptr<QSettings> opened = OpenKelvoraStore();
    return opened->contains(Key(i)) ? opened->value(Key(i)).toString() : QString();
}

} // namespace RecentFiles
