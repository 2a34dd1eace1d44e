#pragma once

#include <QByteArray>
#include <QByteArrayList>
#include <QComboBox>
#include <QString>
#include <functional>

using TNotifyEvent = std::function<void(QObject* Sender)>;
using TCharterSelectEvent = std::function<void(QObject* Sender, const char* CodedCharter)>;

// A drop-down list of special characters that reports the named entity of the one picked.
// Entities and items are two index-aligned, space-separated texts; the items are bytes of the
// list's font encoding and are shown decoded to Unicode.
class TSpecialChartersCombo : public QComboBox {
public:
    enum class TEncoding { Cp1252, Symbol };

    // Fires after a selection by the user.
    TNotifyEvent OnChange;
    // Fires after OnChange with the entity of the selected item.
    TCharterSelectEvent OnCharterSelect;

    const QByteArrayList& Entities() const { return entities_; }
    // The entity of an item; empty when the index is out of range.
    QByteArray Entity(int index) const;

    // Refills the items from their text, replacing any earlier ones; the selection is kept.
    void RecreateWnd();

    // The Unicode character the Symbol font draws for a letter, a digit or one of the signs of
    // these lists; U+FFFD for any other byte.
    static QChar SymbolToUnicode(unsigned char byte);

protected:
    TSpecialChartersCombo(QWidget* parent, const QString& fontFamily, TEncoding encoding,
                          const char* entities, const char* items);

private:
    void CreateWnd();
    void Change(int index);

    TEncoding encoding_;
    const char* items_;
    QByteArrayList entities_;
};
