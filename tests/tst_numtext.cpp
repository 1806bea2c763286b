#include "forms/numtext.h"

#include <QtTest>

#include <cfenv>
#include <cfloat>
#include <charconv>
#include <climits>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>

using namespace numtext;

namespace {

// QCOMPARE on floating point is fuzzy; these tests need bit-exact results.
#define COMPARE_EXACT(actual, expected)                                                                      \
    do {                                                                                                     \
        const double a_ = (actual), e_ = (expected);                                                         \
        QVERIFY2(a_ == e_, qPrintable(QStringLiteral("got %1, expected %2").arg(a_, 0, 'g', 17).arg(e_, 0, 'g', 17))); \
    } while (false)

// The float nearest to mantissa x 10^exponent, correctly rounded in one step.
float decimalFloat(std::int64_t mantissa, int exponent)
{
    const std::string text = std::to_string(mantissa) + 'e' + std::to_string(exponent);
    float f = 0.0f;
    std::from_chars(text.data(), text.data() + text.size(), f);
    return f;
}

constexpr double Inf = std::numeric_limits<double>::infinity();
const double NaN = std::numeric_limits<double>::quiet_NaN();

} // namespace

class TestNumtext : public QObject
{
    Q_OBJECT

private slots:
    void write_data();
    void write();
    void nonFiniteDoesNotCrash();
    void parseText_data();
    void parseText();
    void singleRoundTrip();
    void doubleRoundTrip();
    void roundHalfEvenInEveryRoundingMode_data();
    void roundHalfEvenInEveryRoundingMode();
    void toInt_data();
    void toInt();
    void indexFromText_data();
    void indexFromText();
};

// ---------------------------------------------------------------- writing

void TestNumtext::write_data()
{
    QTest::addColumn<char>("kind"); // s single, d double, i int, t tag of an int, r tag of a double, b bool
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("expected");
    auto row = [](const char *name, char kind, double v, const char *text) {
        QTest::newRow(name) << kind << v << QString::fromUtf8(text);
    };
    // Sign position and the missing zero before the point.
    row("s negative zero", 's', -0.0, " 0");
    row("s half", 's', 0.5, " .5");
    row("s minus quarter", 's', -0.25, "-.25");
    row("s minus three", 's', -3, "-3");
    row("s 170.5", 's', 170.5, " 170.5");
    // Seven significant digits, trailing zeros dropped.
    row("s one third", 's', double(1.0f / 3.0f), " .3333333");
    row("s 9999999", 's', 9999999, " 9999999");
    row("s 1234.5678", 's', double(1234.5678f), " 1234.568");
    row("s point one", 's', double(0.1f), " .1");
    row("s largest below one", 's', double(std::nextafter(1.0f, 0.0f)), " .9999999");
    row("s carry to two", 's', double(std::nextafter(2.0f, 0.0f)), " 2"); // rounds up through every digit
    // Exponent form above seven integer digits and below 1E-4.
    row("s 1.5E+07", 's', 1.5e7, " 1.5E+07");
    row("s -1.5E+07", 's', -1.5e7, "-1.5E+07");
    row("s just above 1E+07", 's', double(std::nextafter(1e7f, 2e7f)), " 1E+07");
    row("s 2^24", 's', 16777216, " 1.677722E+07");
    row("s 2.5E-05", 's', double(2.5e-5f), " 2.5E-05");
    row("s float max", 's', double(FLT_MAX), " 3.402823E+38");
    row("s smallest subnormal", 's', double(std::numeric_limits<float>::denorm_min()), " 1.401298E-45");
    // The float nearest 1E-4 lies just below it but rounds to 1E-4 itself, still written plainly.
    row("s 1E-4 plain", 's', double(1e-4f), " .0001");
    row("s -1.2345E-4 plain", 's', double(-1.2345e-4f), "-.00012345");

    row("d negative zero", 'd', -0.0, " 0");
    row("d large negative int", 'd', -2147483633.0, "-2147483633");
    row("d 0.1 + 0.2", 'd', 0.1 + 0.2, " .3");
    row("d two thirds", 'd', 2.0 / 3.0, " .666666666666667");
    row("d 15 digits", 'd', 123456789012345.0, " 123456789012345");
    row("d carry to 1E14", 'd', 99999999999999.99, " 100000000000000");
    row("d 16 digits", 'd', 1234567890123456.0, " 1.23456789012346E+15");
    row("d carry to 1E15", 'd', 999999999999999.9, " 1E+15"); // rounding leaves the plain range
    row("d 1E-04", 'd', 1e-4, " .0001");
    row("d 1E-05", 'd', 1e-5, " 1E-05");
    row("d -1E+100", 'd', -1e100, "-1E+100");
    row("d double max", 'd', DBL_MAX, " 1.79769313486232E+308");
    row("d smallest subnormal", 'd', std::numeric_limits<double>::denorm_min(), " 4.94065645841247E-324");

    row("i colour red", 'i', 16711680, " 16711680");
    row("i large negative", 'i', -2147483633.0, "-2147483633");
    row("i int64 min", 'i', double(INT64_MIN), "-9223372036854775808");

    row("t 7", 't', 7, "7");
    row("t -1", 't', -1, "-1");
    row("r 1.5", 'r', 1.5, "1.5");
    row("r 3", 'r', 3, "3");
    row("r -.25", 'r', -0.25, "-.25");
    row("r 1E+20", 'r', 1e20, "1E+20");
    row("b true", 'b', 1, "True");
    row("b false", 'b', 0, "False");
}

void TestNumtext::write()
{
    QFETCH(char, kind);
    QFETCH(double, value);
    QFETCH(QString, expected);
    switch (kind) {
    case 's': QCOMPARE(fromSingle(float(value)), expected); break;
    case 'd': QCOMPARE(fromDouble(value), expected); break;
    case 'i': QCOMPARE(fromInt(std::int64_t(value)), expected); break;
    case 't': QCOMPARE(tagText(std::int64_t(value)), expected); break;
    case 'r': QCOMPARE(tagText(value), expected); break;
    default: QCOMPARE(fromBool(value != 0), expected); break;
    }
}

void TestNumtext::nonFiniteDoesNotCrash()
{
    for (double d : {NaN, Inf, -Inf}) {
        QVERIFY(!fromDouble(d).isEmpty());
        QVERIFY(!fromSingle(float(d)).isEmpty());
        // Whatever the text, reading it back must yield an ordinary number.
        QVERIFY(std::isfinite(val(fromDouble(d))));
        QVERIFY(std::isfinite(val(tagText(d))));
    }
}

// ---------------------------------------------------------------- reading

void TestNumtext::parseText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("length");
    QTest::addColumn<bool>("overflow");
    auto row = [](const char *name, const QString &text, double v, qsizetype length, bool overflow = false) {
        QTest::newRow(name) << text << v << int(length) << overflow;
    };
    row("blanks 165", "  165", 165, 5);
    row("tab", "\t7", 7, 2);
    row("plus", "+4", 4, 2);
    row("five point", "5.", 5, 2);
    row("minus .25", "-.25", -0.25, 4);
    row("written half", " .5", 0.5, 3);
    row("point one", "0.1", 0.1, 3);
    row("1.65E2", "1.65E2", 165, 6);
    row("1.5E+07", "1.5E+07", 1.5e7, 7);
    row("1E-05", " 1E-05", 1e-5, 6);
    row("lower e", "  -3.5e2x", -350, 8);
    row("E without digits", "12E", 12, 2);
    row("E sign without digits", "1.5E+", 1.5, 3);
    row("E then blank", "2E 3", 2, 1);
    row("trailing letters", "12abc", 12, 2);
    row("comma is no point", "1,5", 1, 1);
    row("two points", "1.2.3", 1.2, 3);
    // No number at all.
    row("empty", "", 0, 0);
    row("blanks only", "   ", 0, 0);
    row("letters", "abc", 0, 0);
    row("minus point", "-.", 0, 0);
    row("sign blank digit", "- 3", 0, 0);
    row("two signs", "--3", 0, 0);
    row("point exponent", ".e5", 0, 0);
    row("arabic-indic three", QString(QChar(0x0663)), 0, 0);
    // Range limits: an overflow reads as 0, an underflow is none.
    row("1e400", "1e400", 0, 5, true);
    row("-1E400", "-1E400", 0, 6, true);
    row("1.8E308", "1.8E308", 0, 7, true);
    row("huge exponent", "1e99999999999999999999", 0, 22, true);
    row("double max", "1.7976931348623157E+308", DBL_MAX, 23);
    row("underflow", "1e-400", 0, 6);
    row("zero with big exponent", "0e999999", 0, 8);
    row("written subnormal", " 4.94065645841247E-324", std::numeric_limits<double>::denorm_min(), 22);
    // Correct rounding: 2^53 + 1 lies halfway between two doubles and goes to the even one.
    row("tie to even", "9007199254740993", 9007199254740992.0, 16);
    // Mantissas far longer than a double holds, scaled back by the exponent.
    const QString tiny = "." + QString(399, '0') + "1e400", huge = "1" + QString(400, '0');
    row("400 zeros then 1e400", tiny, 1, tiny.size());
    row("1 and 400 zeros e-400", huge + "e-400", 1, huge.size() + 5);
    row("1 and 400 zeros", huge, 0, huge.size(), true);
}

void TestNumtext::parseText()
{
    QFETCH(QString, text);
    QFETCH(double, value);
    QFETCH(int, length);
    QFETCH(bool, overflow);
    const Parsed p = parse(text);
    COMPARE_EXACT(p.value, value);
    QCOMPARE(p.length, length);
    QCOMPARE(p.overflow, overflow);
    COMPARE_EXACT(val(text), value);
}

// ---------------------------------------------------------------- round trip

void TestNumtext::singleRoundTrip()
{
    auto check = [](float f) {
        const float back = float(val(fromSingle(f)));
        QVERIFY2(back == f, qPrintable(QStringLiteral("%1 wrote %2").arg(double(f), 0, 'g', 9).arg(fromSingle(f))));
    };
    // Floats nearest to a decimal of up to seven digits; 1/3 or 2^24 need more and cannot come back.
    for (float f : {-0.5f, .3333333f, 1.677722e7f, 1e-4f, 3.402823e38f, -3.402823e38f, 1.175494e-38f,
                    std::numeric_limits<float>::denorm_min(), -3.25e-20f})
        check(f);
    // Quarters, as positions and sizes take them.
    for (int k = -80000; k <= 80000; k += 3)
        check(float(k) / 4.0f);
    // Decimals of six significant digits over the whole float range.
    std::uint32_t seed = 12345;
    for (int n = 0; n < 20000; ++n) {
        seed = seed * 1664525u + 1013904223u;
        const std::int64_t mantissa = 100000 + (seed >> 8) % 900000;
        seed = seed * 1664525u + 1013904223u;
        const float f = (n % 2 ? -1.0f : 1.0f) * decimalFloat(mantissa, -42 + int((seed >> 8) % 75));
        if (f != 0.0f && std::isfinite(f))
            check(f);
    }
}

void TestNumtext::doubleRoundTrip()
{
    // At most 15 significant digits survive 15 written digits.
    for (double v : {-0.25, 0.1, -2147483633.0, 123456789012345.0, 1e15, -1.5e-7, 1e-300,
                     1.23456789012345e200})
        COMPARE_EXACT(val(fromDouble(v)), v);
    // More digits come back within the last written digit.
    const double v = DBL_MAX / 2.0;
    QVERIFY(std::fabs(val(fromDouble(v)) - v) <= v * 5e-15);
}

// ---------------------------------------------------------------- rounding

void TestNumtext::roundHalfEvenInEveryRoundingMode_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<double>("expected");
    const double rows[][2] = {{2.5, 2}, {3.5, 4}, {-2.5, -2}, {-3.5, -4}, {0.5, 0}, {-0.5, 0}, {-3.7, -4},
                              {-0.4, 0},
                              // Just below a half: adding 0.5 and flooring would wrongly round up.
                              {0.49999999999999994, 0}, {2.4999999999999996, 2}, {2.5000000000000004, 3},
                              {-3.4999999999999996, -3}, {-2.5000000000000004, -3},
                              {4503599627370495.5, 4503599627370496.0}, {4503599627370494.5, 4503599627370494.0},
                              {4503599627370497.0, 4503599627370497.0}, {1e300, 1e300}};
    for (const auto &r : rows)
        QTest::newRow(qPrintable(QString::number(r[0], 'g', 17))) << r[0] << r[1];
}

void TestNumtext::roundHalfEvenInEveryRoundingMode()
{
    QFETCH(double, value);
    QFETCH(double, expected);
    const int saved = std::fegetround();
    for (int mode : {saved, FE_UPWARD, FE_DOWNWARD, FE_TOWARDZERO}) {
        std::fesetround(mode);
        volatile double in = value;
        const double got = roundHalfEven(in);
        std::fesetround(saved);
        COMPARE_EXACT(got, expected);
    }
}

void TestNumtext::toInt_data()
{
    QTest::addColumn<int>("bits");
    QTest::addColumn<double>("value");
    QTest::addColumn<bool>("fits");
    QTest::addColumn<qint64>("expected");
    auto row = [](const char *name, int bits, double v, bool fits, qint64 e = 0) {
        QTest::newRow(name) << bits << v << fits << e;
    };
    row("16: 1.5", 16, 1.5, true, 2);
    row("16: -2.5", 16, -2.5, true, -2);
    row("16: 32767.4", 16, 32767.4, true, 32767);
    row("16: 32766.5", 16, 32766.5, true, 32766);
    row("16: 32767.5 rounds to 32768", 16, 32767.5, false);
    row("16: -32768.5", 16, -32768.5, true, -32768);
    row("16: -32768.6", 16, -32768.6, false);
    row("16: -32769.5", 16, -32769.5, false);
    row("16: nan", 16, NaN, false);
    row("16: -inf", 16, -Inf, false);
    row("32: -0.5", 32, -0.5, true, 0);
    row("32: -2147483633", 32, -2147483633.0, true, -2147483633);
    row("32: max + 0.4", 32, 2147483647.4, true, 2147483647);
    row("32: max - 0.5", 32, 2147483646.5, true, 2147483646);
    row("32: max + 0.5", 32, 2147483647.5, false);
    row("32: min - 0.5", 32, -2147483648.5, true, -2147483648LL);
    row("32: min - 0.6", 32, -2147483648.6, false);
    row("32: 1e20", 32, 1e20, false);
    row("32: nan", 32, NaN, false);
    row("32: inf", 32, Inf, false);
}

void TestNumtext::toInt()
{
    QFETCH(int, bits);
    QFETCH(double, value);
    QFETCH(bool, fits);
    QFETCH(qint64, expected);
    const auto r = bits == 16 ? std::optional<qint64>(toInt16(value)) : std::optional<qint64>(toInt32(value));
    QCOMPARE(r.has_value(), fits);
    if (fits)
        QCOMPARE(*r, expected);
}

void TestNumtext::indexFromText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("lo");
    QTest::addColumn<int>("hi");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<int>("expected");
    QTest::newRow("upper bound") << "64" << 0 << 64 << true << 64;
    QTest::newRow("above") << "65" << 0 << 64 << false << 0;
    QTest::newRow("below") << "-1" << 0 << 64 << false << 0;
    QTest::newRow("-1 allowed") << "-1" << -1 << 64 << true << -1;
    QTest::newRow("2.5 to even") << " 2.5" << 0 << 64 << true << 2;
    QTest::newRow("64.5 rounds into range") << "64.5" << 0 << 64 << true << 64;
    QTest::newRow("64.6 rounds out") << "64.6" << 0 << 64 << false << 0;
    QTest::newRow("no number reads 0") << "abc" << 0 << 64 << true << 0;
    QTest::newRow("no number, 0 outside") << "abc" << 1 << 64 << false << 0;
    QTest::newRow("overflow reads 0") << "1e400" << 0 << 64 << true << 0;
    QTest::newRow("int min") << "-2147483648" << INT_MIN << INT_MAX << true << INT_MIN;
    QTest::newRow("beyond int") << "1e10" << INT_MIN << INT_MAX << false << 0;
    QTest::newRow("below int") << "-1e10" << INT_MIN << INT_MAX << false << 0;
}

void TestNumtext::indexFromText()
{
    QFETCH(QString, text);
    QFETCH(int, lo);
    QFETCH(int, hi);
    QFETCH(bool, valid);
    QFETCH(int, expected);
    const std::optional<int> r = numtext::indexFromText(text, lo, hi);
    QCOMPARE(r.has_value(), valid);
    if (valid)
        QCOMPARE(*r, expected);
}

QTEST_APPLESS_MAIN(TestNumtext)
#include "tst_numtext.moc"
