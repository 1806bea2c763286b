#pragma once
// Windows-1252, the code page of the game file. Our own table: Qt promises no
// converter for it on every platform.
//
// Bytes 0x00..0x7F and 0xA0..0xFF are the Latin-1 characters of the same number;
// 0x80..0x9F hold the euro sign, typographic quotes, dashes and a few letters, except
// 0x81, 0x8D, 0x8F, 0x90 and 0x9D, which the code page leaves undefined.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>
#include <optional>

namespace cp1252 {

// The character of a byte, or std::nullopt for the five undefined bytes.
std::optional<char16_t> toUnicode(unsigned char b);
// The byte of a character, or std::nullopt when the code page cannot hold it.
std::optional<unsigned char> fromUnicode(char16_t c);

// Whole texts; std::nullopt as soon as one byte or character has no counterpart.
// A surrogate pair (a character beyond the 16-bit range) never has one.
std::optional<QString> decode(QByteArrayView bytes);
std::optional<QByteArray> encode(QStringView text);

} // namespace cp1252
