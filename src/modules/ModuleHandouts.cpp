#include "modules/ModuleHandouts.h"

#include <QMutex>
#include <QMutexLocker>
#include <memory>
#include <unordered_map>

// The object behind the opaque attribute handle of the public interface.
struct kv_tag_attributes {
    TTagAttributes Attrs;
};

namespace ModuleHandouts {

namespace {

struct Registry {
    QMutex Lock;
    std::unordered_map<const char*, QByteArray> Strings;
    std::unordered_map<const kv_tag_attributes*, std::unique_ptr<kv_tag_attributes>> Attributes;
};

Registry& Handouts() {
    static Registry* registry = new Registry; // outlives every module unloaded at exit
    return *registry;
}

} // namespace

char* GiveString(QByteArray bytes) {
    // Every string handed out has a buffer of its own (data() unshares it): an empty array
    // would otherwise give two strings one address.
    if (bytes.isEmpty())
        bytes = QByteArray(1, '\0');
    char* data = bytes.data();
    Registry& r = Handouts();
    QMutexLocker lock(&r.Lock);
    r.Strings.emplace(data, std::move(bytes));
    return data;
}

kv_status ReleaseString(char* text) {
    Registry& r = Handouts();
    QMutexLocker lock(&r.Lock);
    return r.Strings.erase(text) == 1 ? KV_OK : KV_BAD_ARGUMENT;
}

kv_tag_attributes* GiveAttributes(TTagAttributes attrs) {
    auto object = std::make_unique<kv_tag_attributes>();
    object->Attrs = std::move(attrs);
    kv_tag_attributes* handle = object.get();
    Registry& r = Handouts();
    QMutexLocker lock(&r.Lock);
    r.Attributes.emplace(handle, std::move(object));
    return handle;
}

bool CopyAttributes(const kv_tag_attributes* attrs, TTagAttributes* out) {
    Registry& r = Handouts();
    QMutexLocker lock(&r.Lock);
    const auto it = r.Attributes.find(attrs);
    if (it == r.Attributes.end())
        return false;
    *out = it->second->Attrs;
    return true;
}

kv_status ReleaseAttributes(kv_tag_attributes* attrs) {
    Registry& r = Handouts();
    QMutexLocker lock(&r.Lock);
    return r.Attributes.erase(attrs) == 1 ? KV_OK : KV_BAD_ARGUMENT;
}

namespace {

kv_status AttributeAt(const kv_tag_attributes* attrs, int32_t index, char** out, bool value) {
    if (!out)
        return KV_BAD_ARGUMENT;
    *out = nullptr;
    QByteArray text;
    {
        Registry& r = Handouts();
        QMutexLocker lock(&r.Lock);
        const auto it = r.Attributes.find(attrs);
        if (it == r.Attributes.end())
            return KV_BAD_ARGUMENT;
        const TTagAttributes& a = it->second->Attrs;
        const QByteArrayList& list = value ? a.Values : a.Names;
        if (index < 0 || index >= list.size())
            return KV_BAD_ARGUMENT;
        text = list[index];
    }
    *out = GiveString(std::move(text));
    return KV_OK;
}

} // namespace

kv_status AttributeCount(const kv_tag_attributes* attrs, int32_t* count) {
    if (!count)
        return KV_BAD_ARGUMENT;
    *count = 0;
    Registry& r = Handouts();
    QMutexLocker lock(&r.Lock);
    const auto it = r.Attributes.find(attrs);
    if (it == r.Attributes.end())
        return KV_BAD_ARGUMENT;
    *count = static_cast<int32_t>(it->second->Attrs.Names.size());
    return KV_OK;
}

kv_status AttributeName(const kv_tag_attributes* attrs, int32_t index, char** name) {
    return AttributeAt(attrs, index, name, false);
}

kv_status AttributeValueAt(const kv_tag_attributes* attrs, int32_t index, char** value) {
    return AttributeAt(attrs, index, value, true);
}

int OutstandingStrings() {
    Registry& r = Handouts();
    QMutexLocker lock(&r.Lock);
    return static_cast<int>(r.Strings.size());
}

int OutstandingAttributes() {
    Registry& r = Handouts();
    QMutexLocker lock(&r.Lock);
    return static_cast<int>(r.Attributes.size());
}

} // namespace ModuleHandouts
