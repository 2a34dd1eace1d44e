#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <vector>

// The entity tables of the editor: the accented letters (capital forms; the small forms pair
// with the entity in small letters) and the symbols that typing and the entity commands turn
// into named entities, and the names that count as an entity for the entity-wise Backspace.
namespace Entities {

// The 30 capital letters (Windows-1252 bytes) and their entities, index-aligned, in table order.
const std::vector<QByteArray>& AlphaLetters();
const std::vector<QByteArray>& AlphaEntities();
// The 30 symbols and their entities; each row is one exact character.
const std::vector<QByteArray>& OmegaSymbols();
const std::vector<QByteArray>& OmegaEntities();

// The entity that typing `ch` produces, keeping the case of the typed letter; false when the
// character is in neither table.
bool TypedEntity(char ch, QByteArray* entity);

// True when the text between an '&' and a ';' names an entity: a known entity name (case
// matters), '#' and decimal digits, or "#x" and hexadecimal digits.
bool IsEntityBody(QByteArrayView body);

// The entity coding of a piece of text: every occurrence replaced, case exact, anything else
// (an '&' of no table entity, an unknown name) left as it is. The letters of the Alpha table
// code in both cases, each small letter to the entity in small letters. Each returns `text`
// itself, shared, when nothing in it changes.
QByteArray EncodeAlpha(const QByteArray& text);
QByteArray DecodeAlpha(const QByteArray& text);
QByteArray EncodeOmega(const QByteArray& text);
QByteArray DecodeOmega(const QByteArray& text);

// The longest text between an '&' and a ';' that the entity-wise Backspace looks back
// over: the longest known name, or '#' or "#x" and the digits of the largest code point.
int MaxEntityBodyLength();

} // namespace Entities
