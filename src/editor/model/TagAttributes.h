#pragma once

#include <QByteArrayList>

// The attributes read from a tag: names and values, index-aligned, both as written.
struct TTagAttributes {
    QByteArrayList Names;
    QByteArrayList Values;
};
