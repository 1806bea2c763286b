#include "cp1252.h"

namespace cp1252 {

namespace {

// 0x80..0x9F; 0 marks the undefined bytes.
constexpr char16_t High[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, // 80..87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,      // 88..8F
    0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, // 90..97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178, // 98..9F
};

} // namespace

std::optional<char16_t> toUnicode(unsigned char b)
{
    if (b < 0x80 || b >= 0xA0)
        return char16_t(b);
    const char16_t c = High[b - 0x80];
    if (c == 0)
        return std::nullopt;
    return c;
}

std::optional<unsigned char> fromUnicode(char16_t c)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return static_cast<unsigned char>(c);
    // U+0080..U+009F are not in the code page: its bytes 0x80..0x9F mean other characters.
    for (int i = 0; i < 32; ++i)
        if (High[i] != 0 && High[i] == c)
            return static_cast<unsigned char>(0x80 + i);
    return std::nullopt;
}

std::optional<QString> decode(QByteArrayView bytes)
{
    QString out(bytes.size(), Qt::Uninitialized);
    QChar *d = out.data();
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto c = toUnicode(static_cast<unsigned char>(bytes[i]));
        if (!c)
            return std::nullopt;
        d[i] = QChar(*c);
    }
    return out;
}

std::optional<QByteArray> encode(QStringView text)
{
    QByteArray out(text.size(), Qt::Uninitialized);
    char *d = out.data();
    for (qsizetype i = 0; i < text.size(); ++i) {
        const auto b = fromUnicode(text[i].unicode());
        if (!b)
            return std::nullopt;
        d[i] = static_cast<char>(*b);
    }
    return out;
}

} // namespace cp1252
