#pragma once
// Number <-> text conversions shared by every layer: the position readout, token
// texts, tags and the game file. They never look at the system locale.
//
// Number-to-text: a sign position (one blank for 0 and positive values, "-" for
// negative ones), no digit grouping, "." as decimal point written only when there
// is a fraction, and no "0" before the point for values between -1 and 1
// (" .5", "-.25"). Single precision keeps at most 7 significant digits, double
// precision up to 15. Values too large or too small for plain digits use the
// exponent form "1.5E+07".
//
// Text-to-number: leading blanks are skipped, then an optional sign, digits, an
// optional "." with a fraction and an optional exponent ("E" or "e" with an
// optionally signed integer); reading stops at the first other character. A text
// that does not start with a number gives 0.

#include <QString>
#include <QStringView>
#include <cstdint>
#include <optional>

namespace numtext {

QString fromSingle(float v);     // " 13.5", "-3", " .5"
QString fromDouble(double v);    // up to 15 significant digits
QString fromInt(std::int64_t v); // " 16", "-3"
QString fromBool(bool b);        // "True" / "False"

// Tag texts carry no blank in the sign position: "7", "-1", "1.5".
QString tagText(std::int64_t v);
QString tagText(double v);

struct Parsed {
    double value = 0.0;  // the number read, 0 when the text starts with none
    int length = 0;      // characters consumed, leading blanks included; 0 = no number
    bool overflow = false; // the digits denote a value beyond the double range
};
Parsed parse(QStringView s);

// The lenient reading; an overflowing number reads as 0.
double val(QStringView s);

// Rounding to the nearest integer, an exact half going to the even neighbour.
double roundHalfEven(double v);
// Rounded conversions; std::nullopt when the result does not fit (or v is not finite).
std::optional<std::int16_t> toInt16(double v);
std::optional<std::int32_t> toInt32(double v);

// A tag's (or any text's) integer value for use as an index: the lenient reading
// rounded half to even; std::nullopt when the result lies outside [lo, hi].
std::optional<int> indexFromText(QStringView s, int lo, int hi);

} // namespace numtext
