#pragma once

#include <QByteArray>
#include <QByteArrayView>

// One line of a line store, read in place: valid until the store next changes. Reading it
// costs no copy; where a caller keeps the line or changes it, it converts to a QByteArray (a
// copy of the bytes).
class LineView : public QByteArrayView {
public:
    constexpr LineView() noexcept = default;
    constexpr LineView(QByteArrayView bytes) noexcept : QByteArrayView(bytes) {}
    LineView(const QByteArray& bytes) noexcept : QByteArrayView(bytes) {}

    operator QByteArray() const { return toByteArray(); }

    // The same bytes as a QByteArray that points at them (no copy): only for reading while
    // the view is valid.
    QByteArray Raw() const { return QByteArray::fromRawData(data(), size()); }

    // Copies of parts of the line, with QByteArray's rules for out-of-range arguments.
    QByteArray left(qsizetype n) const {
        return n >= size() ? toByteArray() : QByteArray(data(), n < 0 ? 0 : n);
    }
    QByteArray right(qsizetype n) const {
        return n >= size() ? toByteArray()
                           : QByteArray(data() + size() - (n < 0 ? 0 : n), n < 0 ? 0 : n);
    }
    QByteArray mid(qsizetype pos, qsizetype n = -1) const {
        const QByteArray part = Raw().mid(pos, n);
        // A part that is the whole line still points at the store's bytes.
        return part.constData() == data() && part.size() == size() ? toByteArray() : part;
    }

    friend bool operator==(const LineView& a, const LineView& b) noexcept {
        return QByteArrayView(a) == QByteArrayView(b);
    }
    friend bool operator!=(const LineView& a, const LineView& b) noexcept { return !(a == b); }
    friend bool operator==(const LineView& a, const QByteArray& b) noexcept {
        return QByteArrayView(a) == QByteArrayView(b);
    }
    friend bool operator==(const QByteArray& a, const LineView& b) noexcept { return b == a; }
    friend bool operator!=(const LineView& a, const QByteArray& b) noexcept { return !(a == b); }
    friend bool operator!=(const QByteArray& a, const LineView& b) noexcept { return !(b == a); }
    friend bool operator==(const LineView& a, const char* b) noexcept {
        return QByteArrayView(a) == QByteArrayView(b);
    }
    friend bool operator!=(const LineView& a, const char* b) noexcept { return !(a == b); }
};
