#pragma once

#include "editor/model/TagAttributes.h"
#include "kelvora/module.h"

#include <QByteArray>

// What the program hands to modules and gets back: strings and attribute objects. Each one is
// known until it is released, so that a pointer the program did not hand out, or one released
// before, is refused instead of freed. Thread-safe.
namespace ModuleHandouts {

// A new string for a module holding the bytes (no copy of them is made).
char* GiveString(QByteArray bytes);
kv_status ReleaseString(char* text);

// A new attribute object for a module.
kv_tag_attributes* GiveAttributes(TTagAttributes attrs);
// A copy of the attributes of an object handed out and not released; false for any other
// pointer.
bool CopyAttributes(const kv_tag_attributes* attrs, TTagAttributes* out);
kv_status ReleaseAttributes(kv_tag_attributes* attrs);

kv_status AttributeCount(const kv_tag_attributes* attrs, int32_t* count);
kv_status AttributeName(const kv_tag_attributes* attrs, int32_t index, char** name);
kv_status AttributeValueAt(const kv_tag_attributes* attrs, int32_t index, char** value);

// The strings and attribute objects that modules hold now.
int OutstandingStrings();
int OutstandingAttributes();

} // namespace ModuleHandouts
