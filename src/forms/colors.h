#pragma once
// Colour numbers as the game stores them: 32-bit values with red in the lowest
// byte, then green, then blue. A value with the top bit set names an entry of the
// system colour scheme (0x80000000 + entry) and is resolved through the palette.

#include <QColor>
#include <cstdint>

namespace colors {

using Color = std::int32_t;

constexpr Color rgb(int r, int g, int b)
{
    return static_cast<Color>(static_cast<std::uint32_t>(r & 0xFF) | (static_cast<std::uint32_t>(g & 0xFF) << 8)
                              | (static_cast<std::uint32_t>(b & 0xFF) << 16));
}

constexpr std::uint32_t systemBit = 0x80000000u;
constexpr Color system(int entry) { return static_cast<Color>(systemBit | static_cast<std::uint32_t>(entry)); }

// The scheme entries the window uses.
constexpr Color ActiveBorder = system(0x0A);
constexpr Color HighlightText = system(0x0E);
constexpr Color ButtonFace = system(0x0F); // -2147483633
constexpr Color WindowText = system(0x08);
constexpr int lastSystemEntry = 0x1E;

constexpr bool isRgb(std::int64_t c) { return c >= 0 && c <= 0xFFFFFF; }
constexpr bool isSystem(std::int64_t c)
{
    const auto u = static_cast<std::uint32_t>(c);
    return c < 0 && u >= systemBit && u <= systemBit + lastSystemEntry;
}
// A value a widget can take: an RGB colour or a known system colour entry.
constexpr bool isValid(std::int64_t c) { return isRgb(c) || isSystem(c); }

// The colour to paint with; system entries follow the application palette.
QColor toQColor(Color c);
// The colour number of a plain RGB colour (alpha ignored).
Color fromQColor(const QColor &q);

} // namespace colors
