#include "tokentext.h"

#include "appearance.h"

#include <algorithm>
#include <iterator>

namespace appearance {

namespace {

// What Windows-1252 puts at 0x80..0x9F (0x81, 0x8D, 0x8F, 0x90 and 0x9D are unused).
constexpr char16_t Upper1252[] = {0x20AC, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030,
                                  0x0160, 0x2039, 0x0152, 0x017D, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
                                  0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x017E, 0x0178};

} // namespace

bool isTokenTextChar(QChar c)
{
    const char16_t u = c.unicode();
    // Printable ASCII and the Latin-1 half; C0, DEL and the C1 controls are out.
    if ((u >= 0x20 && u <= 0x7E) || (u >= 0xA0 && u <= 0xFF))
        return true;
    return std::find(std::begin(Upper1252), std::end(Upper1252), u) != std::end(Upper1252);
}

QValidator::State TokenTextValidator::validate(QString &input, int &pos) const
{
    QString kept;
    kept.reserve(input.size());
    int cursor = pos;
    for (qsizetype i = 0; i < input.size(); ++i) {
        if (isTokenTextChar(input.at(i)))
            kept.append(input.at(i));
        else if (i < pos)
            --cursor;
    }
    if (kept.size() != input.size()) {
        input = kept;
        pos = std::max(0, cursor);
    }
    return Acceptable;
}

void filterTokenText(forms::TextBox *box) { box->setValidator(new TokenTextValidator(box)); }

} // namespace appearance
