#include "numtext.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <string>
#include <system_error>

// Writing: the value is first rounded to P significant digits (P = 7 for single,
// 15 for double) by std::to_chars, which rounds the exact binary value correctly
// and ignores the locale. With the rounded value written as d.ddd x 10^e:
//   - plain digits when -4 <= e <= P - 1, i.e. 1E-4 <= |rounded| < 10^P;
//   - otherwise the exponent form "d.dddE+XX" (at least two exponent digits).
// So anything that would need more than P integer digits (|v| >= 1E7 single,
// >= 1E15 double) or more than four zeros after the point (|v| < 1E-4) gets an
// exponent. The decision uses the rounded value, so 9.9999997E-05f, which
// rounds to 1E-04, is written " .0001". parse() reads both forms back.

namespace numtext {

namespace {

constexpr int kPlainMinExponent = -4;

// Significant digits (trailing zeros dropped) and decimal exponent of |v|
// rounded to `precision` digits; v must be finite and nonzero.
template <typename T>
void decompose(T v, int precision, std::string &digits, int &exponent)
{
    char buf[64];
    const auto res = std::to_chars(buf, buf + sizeof buf, std::fabs(v),
                                   std::chars_format::scientific, precision - 1);
    // Output looks like "d.dddddde+XX" (or "de+XX" for precision 1).
    const char *p = buf;
    digits.clear();
    digits.push_back(*p++);
    if (*p == '.')
        ++p;
    while (*p != 'e')
        digits.push_back(*p++);
    ++p; // 'e'
    if (*p == '+')
        ++p;
    std::from_chars(p, res.ptr, exponent);
    while (digits.size() > 1 && digits.back() == '0')
        digits.pop_back();
}

template <typename T>
QString formatReal(T v, int precision)
{
    if (std::isnan(v))
        return QStringLiteral(" NaN");
    if (std::isinf(v))
        return v < 0 ? QStringLiteral("-Inf") : QStringLiteral(" Inf");
    if (v == 0) // also -0, which has no sign of its own here
        return QStringLiteral(" 0");

    std::string digits;
    int e = 0;
    decompose(v, precision, digits, e);
    const int n = static_cast<int>(digits.size());

    std::string out(1, v < 0 ? '-' : ' ');
    if (e >= kPlainMinExponent && e < precision) {
        if (e >= 0) {
            const int intDigits = e + 1;
            for (int i = 0; i < intDigits; ++i)
                out.push_back(i < n ? digits[i] : '0');
            if (n > intDigits) {
                out.push_back('.');
                out.append(digits, intDigits, std::string::npos);
            }
        } else {
            out.push_back('.');
            out.append(static_cast<std::size_t>(-e - 1), '0');
            out += digits;
        }
    } else {
        out.push_back(digits[0]);
        if (n > 1) {
            out.push_back('.');
            out.append(digits, 1, std::string::npos);
        }
        out.push_back('E');
        out.push_back(e < 0 ? '-' : '+');
        const int ae = e < 0 ? -e : e;
        if (ae < 10)
            out.push_back('0');
        out += std::to_string(ae);
    }
    return QString::fromLatin1(out.data(), static_cast<qsizetype>(out.size()));
}

QString withoutSignBlank(QString s)
{
    if (s.startsWith(QLatin1Char(' ')))
        s.remove(0, 1);
    return s;
}

bool isDigit(char16_t c)
{
    return c >= u'0' && c <= u'9';
}

} // namespace

QString fromSingle(float v)
{
    return formatReal(v, 7);
}

QString fromDouble(double v)
{
    return formatReal(v, 15);
}

QString fromInt(std::int64_t v)
{
    char buf[32];
    buf[0] = v < 0 ? '-' : ' ';
    // to_chars writes the minus itself; overwrite our sign slot in that case.
    char *start = v < 0 ? buf : buf + 1;
    const auto res = std::to_chars(start, buf + sizeof buf, v);
    return QString::fromLatin1(buf, static_cast<qsizetype>(res.ptr - buf));
}

QString fromBool(bool b)
{
    return b ? QStringLiteral("True") : QStringLiteral("False");
}

QString tagText(std::int64_t v)
{
    return withoutSignBlank(fromInt(v));
}

QString tagText(double v)
{
    return withoutSignBlank(fromDouble(v));
}

namespace {

// Reading position in a text; beyond its end it reads as NUL, which stops every loop.
struct Reader {
    QStringView s;
    qsizetype i = 0;
    char16_t at(qsizetype k) const { return k < s.size() ? s[k].unicode() : u'\0'; }
};

void skipBlanks(Reader &r)
{
    while (r.at(r.i) == u' ' || r.at(r.i) == u'\t')
        ++r.i;
}

// An optional sign; true for "-".
bool readSign(Reader &r)
{
    bool negative = false;
    if (r.at(r.i) == u'+' || r.at(r.i) == u'-') {
        negative = r.at(r.i) == u'-';
        ++r.i;
    }
    return negative;
}

// All mantissa digits in one string; the value is digits x 10^(exp - fracCount).
void readMantissa(Reader &r, std::string &digits, std::int64_t &fracCount)
{
    while (isDigit(r.at(r.i)))
        digits.push_back(static_cast<char>(r.at(r.i++)));
    if (r.at(r.i) == u'.') {
        ++r.i;
        while (isDigit(r.at(r.i))) {
            digits.push_back(static_cast<char>(r.at(r.i++)));
            ++fracCount;
        }
    }
}

// The exponent only counts when at least one digit follows "E" and its sign;
// otherwise nothing is read and it is 0.
std::int64_t readExponent(Reader &r)
{
    std::int64_t exp = 0;
    if (r.at(r.i) != u'E' && r.at(r.i) != u'e')
        return exp;
    qsizetype j = r.i + 1;
    bool expNegative = false;
    if (r.at(j) == u'+' || r.at(j) == u'-') {
        expNegative = r.at(j) == u'-';
        ++j;
    }
    if (!isDigit(r.at(j)))
        return exp;
    // Saturate: anything this large is out of range either way, and it
    // keeps the arithmetic below free of overflow.
    constexpr std::int64_t kExpCap = 1'000'000'000'000;
    while (isDigit(r.at(j))) {
        if (exp < kExpCap)
            exp = exp * 10 + (r.at(j) - u'0');
        ++j;
    }
    if (expNegative)
        exp = -exp;
    r.i = j;
    return exp;
}

// Normalises to significant digits D and exponent E with value = D x 10^E; false
// when every digit is a zero.
bool significantDigits(std::string &digits, std::int64_t &e)
{
    const std::size_t firstNonZero = digits.find_first_not_of('0');
    if (firstNonZero == std::string::npos)
        return false;
    digits.erase(0, firstNonZero);
    const std::size_t lastNonZero = digits.find_last_not_of('0');
    e += static_cast<std::int64_t>(digits.size() - 1 - lastNonZero);
    digits.erase(lastNonZero + 1);
    return true;
}

// The value of D x 10^E (D without leading or trailing zeros) into `result`.
void setValue(bool negative, const std::string &digits, std::int64_t e, Parsed &result)
{
    const double signedZero = negative ? -0.0 : 0.0;
    // Decimal exponent of the leading digit decides the hopeless cases up front,
    // so from_chars only ever sees exponents of modest size.
    const std::int64_t leading = e + static_cast<std::int64_t>(digits.size()) - 1;
    if (leading > 308) {
        result.overflow = true;
        return; // value 0
    }
    if (leading < -400) {
        result.value = signedZero;
        return;
    }

    std::string buf;
    buf.reserve(digits.size() + 24);
    if (negative)
        buf.push_back('-');
    buf += digits;
    buf.push_back('e');
    buf += std::to_string(e);

    double v = 0.0;
    const auto res = std::from_chars(buf.data(), buf.data() + buf.size(), v,
                                     std::chars_format::scientific);
    if (res.ec == std::errc::result_out_of_range) {
        if (leading >= 0)
            result.overflow = true; // value stays 0
        else
            result.value = signedZero; // below the smallest subnormal
        return;
    }
    result.value = v;
}

} // namespace

Parsed parse(QStringView s)
{
    Reader r{s};
    skipBlanks(r);
    const bool negative = readSign(r);

    std::string digits;
    std::int64_t fracCount = 0;
    readMantissa(r, digits, fracCount);
    if (digits.empty()) // also a lone "." after the sign
        return {};
    const std::int64_t exp = readExponent(r);

    Parsed result;
    result.length = static_cast<int>(r.i);
    std::int64_t e = exp - fracCount;
    if (!significantDigits(digits, e)) {
        result.value = negative ? -0.0 : 0.0;
        return result;
    }
    setValue(negative, digits, e, result);
    return result;
}

double val(QStringView s)
{
    return parse(s).value;
}

double roundHalfEven(double v)
{
    if (!std::isfinite(v))
        return v;
    // From 2^52 on every double is already a whole number.
    if (std::fabs(v) >= 4503599627370496.0)
        return v;
    // floor() and the subtraction are exact here, so no rounding mode is involved.
    const double lower = std::floor(v);
    const double frac = v - lower;
    if (frac < 0.5)
        return lower;
    if (frac > 0.5)
        return lower + 1.0;
    return std::fmod(lower, 2.0) == 0.0 ? lower : lower + 1.0;
}

std::optional<std::int16_t> toInt16(double v)
{
    if (!std::isfinite(v))
        return std::nullopt;
    const double r = roundHalfEven(v);
    if (r < -32768.0 || r > 32767.0)
        return std::nullopt;
    return static_cast<std::int16_t>(r);
}

std::optional<std::int32_t> toInt32(double v)
{
    if (!std::isfinite(v))
        return std::nullopt;
    const double r = roundHalfEven(v);
    if (r < -2147483648.0 || r > 2147483647.0)
        return std::nullopt;
    return static_cast<std::int32_t>(r);
}

std::optional<int> indexFromText(QStringView s, int lo, int hi)
{
    const double r = roundHalfEven(val(s));
    if (!std::isfinite(r) || r < lo || r > hi)
        return std::nullopt;
    return static_cast<int>(r);
}

} // namespace numtext
