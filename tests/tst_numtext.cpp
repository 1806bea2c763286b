#include "forms/numtext.h"

#include <QtTest>

#include <cfenv>
#include <cfloat>
#include <charconv>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <iterator>
#include <limits>
#include <optional>
#include <string>

using namespace numtext;

namespace {

// QCOMPARE on floating point is fuzzy; these tests need bit-exact results.
#define COMPARE_EXACT(actual, expected)                                                  \
    do {                                                                                 \
        const double a_ = (actual);                                                      \
        const double e_ = (expected);                                                    \
        QVERIFY2(a_ == e_, qPrintable(QStringLiteral("got %1, expected %2")              \
                                          .arg(a_, 0, 'g', 17)                           \
                                          .arg(e_, 0, 'g', 17)));                        \
    } while (false)

// The float nearest to mantissa x 10^exponent, correctly rounded in one step.
float decimalFloat(std::int64_t mantissa, int exponent)
{
    const std::string text = std::to_string(mantissa) + 'e' + std::to_string(exponent);
    float f = 0.0f;
    std::from_chars(text.data(), text.data() + text.size(), f);
    return f;
}

} // namespace

class TestNumtext : public QObject
{
    Q_OBJECT

private slots:
    void writeSingle_data();
    void writeSingle();
    void writeDouble_data();
    void writeDouble();
    void writeInt_data();
    void writeInt();
    void writeBool();
    void tagTexts_data();
    void tagTexts();
    void nonFiniteDoesNotCrash();

    void parseText_data();
    void parseText();
    void parseLongMantissa();
    void valIsLenient_data();
    void valIsLenient();

    void singleRoundTrip_data();
    void singleRoundTrip();
    void singleRoundTripSweep();
    void doubleRoundTrip_data();
    void doubleRoundTrip();

    void roundHalfEven_data();
    void roundHalfEven();
    void roundHalfEvenIgnoresRoundingMode();
    void toInt16_data();
    void toInt16();
    void toInt32_data();
    void toInt32();
    void indexFromText_data();
    void indexFromText();
};

// ---------------------------------------------------------------- writing

void TestNumtext::writeSingle_data()
{
    QTest::addColumn<float>("value");
    QTest::addColumn<QString>("expected");

    // Sign position and the missing zero before the point.
    QTest::newRow("zero") << 0.0f << " 0";
    QTest::newRow("negative zero") << -0.0f << " 0";
    QTest::newRow("half") << 0.5f << " .5";
    QTest::newRow("minus quarter") << -0.25f << "-.25";
    QTest::newRow("minus three quarters") << -0.75f << "-.75";
    QTest::newRow("sixteen") << 16.0f << " 16";
    QTest::newRow("minus three") << -3.0f << "-3";
    QTest::newRow("thirteen and a half") << 13.5f << " 13.5";
    QTest::newRow("minus one and a half") << -1.5f << "-1.5";
    QTest::newRow("170.5") << 170.5f << " 170.5";
    QTest::newRow("hundred") << 100.0f << " 100";
    QTest::newRow("million") << 1e6f << " 1000000";

    // Seven significant digits, trailing zeros dropped.
    QTest::newRow("one third") << (1.0f / 3.0f) << " .3333333";
    QTest::newRow("1234567") << 1234567.0f << " 1234567";
    QTest::newRow("9999999") << 9999999.0f << " 9999999";
    QTest::newRow("1234.5678") << 1234.5678f << " 1234.568";
    QTest::newRow("-123456.7") << -123456.7f << "-123456.7";
    QTest::newRow("point one") << 0.1f << " .1";
    QTest::newRow("largest below one") << std::nextafter(1.0f, 0.0f) << " .9999999";
    QTest::newRow("largest below 100") << std::nextafter(100.0f, 0.0f) << " 99.99999";
    // 1.99999988 rounds up through every digit.
    QTest::newRow("carry to two") << std::nextafter(2.0f, 0.0f) << " 2";

    // Exponent form above seven integer digits and below 1E-4.
    QTest::newRow("1.5E+07") << 15000000.0f << " 1.5E+07";
    QTest::newRow("-1.5E+07") << -15000000.0f << "-1.5E+07";
    QTest::newRow("1E+07") << 1e7f << " 1E+07";
    QTest::newRow("just above 1E+07") << std::nextafter(1e7f, 2e7f) << " 1E+07";
    QTest::newRow("2^24") << 16777216.0f << " 1.677722E+07";
    QTest::newRow("1E-05") << 1e-5f << " 1E-05";
    QTest::newRow("2.5E-05") << 2.5e-5f << " 2.5E-05";
    QTest::newRow("float max") << FLT_MAX << " 3.402823E+38";
    QTest::newRow("smallest subnormal") << std::numeric_limits<float>::denorm_min() << " 1.401298E-45";
    // The float nearest 1E-4 lies just below it but rounds to 1E-4 itself,
    // which is still written plainly.
    QTest::newRow("1E-4 plain") << 1e-4f << " .0001";
    QTest::newRow("1.2345E-4 plain") << 1.2345e-4f << " .00012345";
    QTest::newRow("-1.2345E-4 plain") << -1.2345e-4f << "-.00012345";
}

void TestNumtext::writeSingle()
{
    QFETCH(float, value);
    QFETCH(QString, expected);
    QCOMPARE(fromSingle(value), expected);
}

void TestNumtext::writeDouble_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("expected");

    QTest::newRow("zero") << 0.0 << " 0";
    QTest::newRow("negative zero") << -0.0 << " 0";
    QTest::newRow("half") << 0.5 << " .5";
    QTest::newRow("minus quarter") << -0.25 << "-.25";
    QTest::newRow("colour red") << 16711680.0 << " 16711680";
    QTest::newRow("large negative int") << -2147483633.0 << "-2147483633";
    QTest::newRow("point one") << 0.1 << " .1";
    QTest::newRow("0.1 + 0.2") << (0.1 + 0.2) << " .3";
    QTest::newRow("one third") << (1.0 / 3.0) << " .333333333333333";
    QTest::newRow("two thirds") << (2.0 / 3.0) << " .666666666666667";
    QTest::newRow("15 digits") << 123456789012345.0 << " 123456789012345";
    // 99999999999999.984375 needs a 16th digit; rounded to 15 it carries over.
    QTest::newRow("carry to 1E14") << 99999999999999.99 << " 100000000000000";
    QTest::newRow("1E+15") << 1e15 << " 1E+15";
    QTest::newRow("16 digits") << 1234567890123456.0 << " 1.23456789012346E+15";
    // 999999999999999.875 rounds to 1E+15 and so leaves the plain range.
    QTest::newRow("carry to 1E15") << 999999999999999.9 << " 1E+15";
    QTest::newRow("1E-04") << 1e-4 << " .0001";
    QTest::newRow("1E-05") << 1e-5 << " 1E-05";
    QTest::newRow("1.5E-07") << 1.5e-7 << " 1.5E-07";
    QTest::newRow("-1E+100") << -1e100 << "-1E+100";
    QTest::newRow("double max") << DBL_MAX << " 1.79769313486232E+308";
    QTest::newRow("smallest subnormal") << std::numeric_limits<double>::denorm_min()
                                        << " 4.94065645841247E-324";
}

void TestNumtext::writeDouble()
{
    QFETCH(double, value);
    QFETCH(QString, expected);
    QCOMPARE(fromDouble(value), expected);
}

void TestNumtext::writeInt_data()
{
    QTest::addColumn<qint64>("value");
    QTest::addColumn<QString>("expected");

    QTest::newRow("zero") << qint64(0) << " 0";
    QTest::newRow("sixteen") << qint64(16) << " 16";
    QTest::newRow("minus three") << qint64(-3) << "-3";
    QTest::newRow("colour red") << qint64(16711680) << " 16711680";
    QTest::newRow("large negative") << qint64(-2147483633) << "-2147483633";
    QTest::newRow("int64 max") << qint64(INT64_MAX) << " 9223372036854775807";
    QTest::newRow("int64 min") << qint64(INT64_MIN) << "-9223372036854775808";
}

void TestNumtext::writeInt()
{
    QFETCH(qint64, value);
    QFETCH(QString, expected);
    QCOMPARE(fromInt(value), expected);
}

void TestNumtext::writeBool()
{
    QCOMPARE(fromBool(true), QStringLiteral("True"));
    QCOMPARE(fromBool(false), QStringLiteral("False"));
}

void TestNumtext::tagTexts_data()
{
    QTest::addColumn<bool>("isInt");
    QTest::addColumn<qint64>("intValue");
    QTest::addColumn<double>("realValue");
    QTest::addColumn<QString>("expected");

    QTest::newRow("int 7") << true << qint64(7) << 0.0 << "7";
    QTest::newRow("int -1") << true << qint64(-1) << 0.0 << "-1";
    QTest::newRow("int 0") << true << qint64(0) << 0.0 << "0";
    QTest::newRow("int 64") << true << qint64(64) << 0.0 << "64";
    QTest::newRow("real 1.5") << false << qint64(0) << 1.5 << "1.5";
    QTest::newRow("real 3") << false << qint64(0) << 3.0 << "3";
    QTest::newRow("real .5") << false << qint64(0) << 0.5 << ".5";
    QTest::newRow("real -.25") << false << qint64(0) << -0.25 << "-.25";
    QTest::newRow("real 0") << false << qint64(0) << 0.0 << "0";
    QTest::newRow("real 1E+20") << false << qint64(0) << 1e20 << "1E+20";
}

void TestNumtext::tagTexts()
{
    QFETCH(bool, isInt);
    QFETCH(qint64, intValue);
    QFETCH(double, realValue);
    QFETCH(QString, expected);
    QCOMPARE(isInt ? tagText(std::int64_t(intValue)) : tagText(realValue), expected);
}

void TestNumtext::nonFiniteDoesNotCrash()
{
    const double specials[] = {std::numeric_limits<double>::quiet_NaN(),
                               std::numeric_limits<double>::infinity(),
                               -std::numeric_limits<double>::infinity()};
    for (double d : specials) {
        const QString sd = fromDouble(d);
        const QString ss = fromSingle(static_cast<float>(d));
        QVERIFY(!sd.isEmpty());
        QVERIFY(!ss.isEmpty());
        // Whatever the text, reading it back must yield an ordinary number.
        QVERIFY(std::isfinite(val(sd)));
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

    // Plain numbers and blanks.
    QTest::newRow("blanks 165") << "  165" << 165.0 << 5 << false;
    QTest::newRow("165.0") << " 165.0" << 165.0 << 6 << false;
    QTest::newRow("tab") << "\t7" << 7.0 << 2 << false;
    QTest::newRow("plus") << "+4" << 4.0 << 2 << false;
    QTest::newRow("leading zeros") << "007" << 7.0 << 3 << false;
    QTest::newRow("point five") << ".5" << 0.5 << 2 << false;
    QTest::newRow("five point") << "5." << 5.0 << 2 << false;
    QTest::newRow("minus .25") << "-.25" << -0.25 << 4 << false;
    QTest::newRow("written half") << " .5" << 0.5 << 3 << false;
    QTest::newRow("point one") << "0.1" << 0.1 << 3 << false;
    QTest::newRow("colour") << " 16711680" << 16711680.0 << 9 << false;

    // Exponents.
    QTest::newRow("1.65E2") << "1.65E2" << 165.0 << 6 << false;
    QTest::newRow("1.5E+07") << "1.5E+07" << 15000000.0 << 7 << false;
    QTest::newRow("1E-05") << " 1E-05" << 1e-5 << 6 << false;
    QTest::newRow("lower e") << "  -3.5e2x" << -350.0 << 8 << false;
    QTest::newRow("E without digits") << "12E" << 12.0 << 2 << false;
    QTest::newRow("E sign without digits") << "1.5E+" << 1.5 << 3 << false;
    QTest::newRow("E minus then letter") << "1.5e-x" << 1.5 << 3 << false;
    QTest::newRow("E then blank") << "2E 3" << 2.0 << 1 << false;
    QTest::newRow("exponent then text") << "1E+07abc" << 1e7 << 5 << false;

    // Where reading stops.
    QTest::newRow("trailing letters") << "12abc" << 12.0 << 2 << false;
    QTest::newRow("inner blank") << "1 2" << 1.0 << 1 << false;
    QTest::newRow("comma is no point") << "1,5" << 1.0 << 1 << false;
    QTest::newRow("second point") << "1..2" << 1.0 << 2 << false;
    QTest::newRow("two points in number") << "1.2.3" << 1.2 << 3 << false;

    // No number at all.
    QTest::newRow("empty") << "" << 0.0 << 0 << false;
    QTest::newRow("blanks only") << "   " << 0.0 << 0 << false;
    QTest::newRow("letters") << "abc" << 0.0 << 0 << false;
    QTest::newRow("minus") << "-" << 0.0 << 0 << false;
    QTest::newRow("point") << "." << 0.0 << 0 << false;
    QTest::newRow("minus point") << "-." << 0.0 << 0 << false;
    QTest::newRow("sign blank digit") << "- 3" << 0.0 << 0 << false;
    QTest::newRow("two signs") << "--3" << 0.0 << 0 << false;
    QTest::newRow("bare exponent") << "E5" << 0.0 << 0 << false;
    QTest::newRow("point exponent") << ".e5" << 0.0 << 0 << false;
    QTest::newRow("word True") << "True" << 0.0 << 0 << false;
    QTest::newRow("arabic-indic three") << QString(QChar(0x0663)) << 0.0 << 0 << false;

    // Range limits.
    QTest::newRow("1e400") << "1e400" << 0.0 << 5 << true;
    QTest::newRow("-1E400") << "-1E400" << 0.0 << 6 << true;
    QTest::newRow("1.8E308") << "1.8E308" << 0.0 << 7 << true;
    QTest::newRow("huge exponent") << "1e99999999999999999999" << 0.0 << 22 << true;
    QTest::newRow("double max") << "1.7976931348623157E+308" << DBL_MAX << 23 << false;
    QTest::newRow("1E308") << "1E308" << 1e308 << 5 << false;
    QTest::newRow("underflow is no overflow") << "1e-400" << 0.0 << 6 << false;
    QTest::newRow("tiny exponent") << "1e-99999999999999999999" << 0.0 << 23 << false;
    QTest::newRow("zero with big exponent") << "0e999999" << 0.0 << 8 << false;
    QTest::newRow("written subnormal") << " 4.94065645841247E-324"
                                       << std::numeric_limits<double>::denorm_min() << 22 << false;

    // Correct rounding: 2^53 + 1 lies halfway between two doubles and goes to
    // the even one, 2^53.
    QTest::newRow("tie to even") << "9007199254740993" << 9007199254740992.0 << 16 << false;
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
}

void TestNumtext::parseLongMantissa()
{
    // A mantissa far longer than any double precision, scaled back by the
    // exponent: 10^-400 x 10^400 and 10^400 x 10^-400 are both exactly 1.
    const QString tiny = QStringLiteral(".") + QString(399, QLatin1Char('0'))
                         + QStringLiteral("1e400");
    Parsed p = parse(tiny);
    COMPARE_EXACT(p.value, 1.0);
    QCOMPARE(qsizetype(p.length), tiny.size());
    QVERIFY(!p.overflow);

    const QString huge = QStringLiteral("1") + QString(400, QLatin1Char('0'))
                         + QStringLiteral("e-400");
    p = parse(huge);
    COMPARE_EXACT(p.value, 1.0);
    QCOMPARE(qsizetype(p.length), huge.size());
    QVERIFY(!p.overflow);

    // 400 digits without exponent are beyond the range.
    const QString big = QStringLiteral("1") + QString(400, QLatin1Char('0'));
    p = parse(big);
    QVERIFY(p.overflow);
    COMPARE_EXACT(p.value, 0.0);
    QCOMPARE(qsizetype(p.length), big.size());
}

void TestNumtext::valIsLenient_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("value");

    QTest::newRow("trailing text") << " 12abc" << 12.0;
    QTest::newRow("overflow reads 0") << "1E400" << 0.0;
    QTest::newRow("nothing") << "frei" << 0.0;
    QTest::newRow("negative") << "-3" << -3.0;
}

void TestNumtext::valIsLenient()
{
    QFETCH(QString, text);
    QFETCH(double, value);
    COMPARE_EXACT(val(text), value);
}

// ---------------------------------------------------------------- round trip

void TestNumtext::singleRoundTrip_data()
{
    QTest::addColumn<float>("value");

    // Floats that are the nearest to a decimal of up to seven digits. Others,
    // such as 1/3 or 2^24, need eight or nine digits and cannot come back.
    const float values[] = {0.0f, 13.5f, -11.0f, 0.5f, -0.5f, -0.25f, 170.5f, 165.0f,
                            1234567.0f, 9999999.0f, -9999999.0f, .3333333f, 0.1f,
                            1234.568f, 15000000.0f, 1.677722e7f, 1e-5f, 1e-4f,
                            2.5e-5f, 3.402823e38f, -3.402823e38f, 1.175494e-38f,
                            std::numeric_limits<float>::denorm_min(), 1e20f, -3.25e-20f};
    for (float v : values)
        QTest::newRow(qPrintable(QString::number(double(v), 'g', 9))) << v;
}

void TestNumtext::singleRoundTrip()
{
    QFETCH(float, value);
    const QString text = fromSingle(value);
    COMPARE_EXACT(static_cast<float>(val(text)), value);
}

void TestNumtext::singleRoundTripSweep()
{
    // Whole numbers, halves and quarters, as positions and sizes take them.
    for (int k = -80000; k <= 80000; k += 3) {
        const float q = static_cast<float>(k) / 4.0f;
        const float t = static_cast<float>(val(fromSingle(q)));
        if (t != q)
            QFAIL(qPrintable(QStringLiteral("%1 wrote %2").arg(double(q)).arg(fromSingle(q))));
    }
    // Floats nearest to decimals of six significant digits over the whole float
    // range: seven written digits must always bring them back.
    std::uint32_t seed = 12345;
    for (int n = 0; n < 20000; ++n) {
        seed = seed * 1664525u + 1013904223u;
        const std::int64_t mantissa = 100000 + (seed >> 8) % 900000;
        seed = seed * 1664525u + 1013904223u;
        const int exponent = -42 + static_cast<int>((seed >> 8) % 75); // up to 1e38
        const float f = (n % 2 ? -1.0f : 1.0f) * decimalFloat(mantissa, exponent);
        if (f == 0.0f || !std::isfinite(f))
            continue;
        const float t = static_cast<float>(val(fromSingle(f)));
        if (t != f)
            QFAIL(qPrintable(QStringLiteral("%1e%2 wrote %3").arg(mantissa).arg(exponent)
                                 .arg(fromSingle(f))));
    }
}

void TestNumtext::doubleRoundTrip_data()
{
    QTest::addColumn<double>("value");

    // Values with at most 15 significant digits survive 15 written digits.
    const double values[] = {0.0, 0.5, -0.25, 13.5, 16711680.0, -2147483633.0, 0.1,
                             123456789012345.0, 1e15, -1.5e-7, 1e100, 1e-300,
                             1.23456789012345e200, DBL_MAX / 2.0};
    for (double v : values)
        QTest::newRow(qPrintable(QString::number(v, 'g', 17))) << v;
}

void TestNumtext::doubleRoundTrip()
{
    QFETCH(double, value);
    const QString written = fromDouble(value);
    const double back = val(written);
    // DBL_MAX / 2 has more digits than 15; it must come back within the
    // relative error of the last written digit.
    QVERIFY2(std::fabs(back - value) <= std::fabs(value) * 5e-15,
             qPrintable(written));
    if (value != DBL_MAX / 2.0)
        COMPARE_EXACT(back, value);
}

// ---------------------------------------------------------------- rounding

void TestNumtext::roundHalfEven_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<double>("expected");

    QTest::newRow("2.5") << 2.5 << 2.0;
    QTest::newRow("3.5") << 3.5 << 4.0;
    QTest::newRow("-2.5") << -2.5 << -2.0;
    QTest::newRow("-3.5") << -3.5 << -4.0;
    QTest::newRow("0.5") << 0.5 << 0.0;
    QTest::newRow("-0.5") << -0.5 << 0.0;
    QTest::newRow("1.5") << 1.5 << 2.0;
    QTest::newRow("-1.5") << -1.5 << -2.0;
    QTest::newRow("zero") << 0.0 << 0.0;
    QTest::newRow("1.2") << 1.2 << 1.0;
    QTest::newRow("-3.7") << -3.7 << -4.0;
    QTest::newRow("-0.4") << -0.4 << 0.0;
    // Just below a half; adding 0.5 and flooring would wrongly give 1.
    QTest::newRow("largest below half") << 0.49999999999999994 << 0.0;
    QTest::newRow("just below 2.5") << 2.4999999999999996 << 2.0;
    QTest::newRow("just above 2.5") << 2.5000000000000004 << 3.0;
    QTest::newRow("just below 3.5") << 3.4999999999999996 << 3.0;
    QTest::newRow("just below -3.5") << -3.4999999999999996 << -3.0;
    QTest::newRow("just beyond -2.5") << -2.5000000000000004 << -3.0;
    QTest::newRow("2^52 - 0.5") << 4503599627370495.5 << 4503599627370496.0;
    QTest::newRow("2^52 - 1.5") << 4503599627370494.5 << 4503599627370494.0;
    QTest::newRow("2^52 + 1") << 4503599627370497.0 << 4503599627370497.0;
    QTest::newRow("1e300") << 1e300 << 1e300;
    QTest::newRow("32767.5") << 32767.5 << 32768.0;
    QTest::newRow("-32768.5") << -32768.5 << -32768.0;
}

void TestNumtext::roundHalfEven()
{
    QFETCH(double, value);
    QFETCH(double, expected);
    COMPARE_EXACT(numtext::roundHalfEven(value), expected);
}

void TestNumtext::roundHalfEvenIgnoresRoundingMode()
{
    const double inputs[] = {2.5, 3.5, -2.5, -0.5, 0.49999999999999994, 2.4999999999999996,
                             4503599627370495.5, -7.25, 7.75};
    const double expected[] = {2.0, 4.0, -2.0, 0.0, 0.0, 2.0, 4503599627370496.0, -7.0, 8.0};
    const int modes[] = {FE_UPWARD, FE_DOWNWARD, FE_TOWARDZERO};
    const int saved = std::fegetround();
    for (int mode : modes) {
        double got[std::size(inputs)];
        std::fesetround(mode);
        for (std::size_t i = 0; i < std::size(inputs); ++i) {
            volatile double in = inputs[i];
            got[i] = numtext::roundHalfEven(in);
        }
        std::fesetround(saved);
        for (std::size_t i = 0; i < std::size(inputs); ++i)
            COMPARE_EXACT(got[i], expected[i]);
    }
}

void TestNumtext::toInt16_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<bool>("fits");
    QTest::addColumn<int>("expected");

    const double inf = std::numeric_limits<double>::infinity();
    QTest::newRow("zero") << 0.0 << true << 0;
    QTest::newRow("0.5") << 0.5 << true << 0;
    QTest::newRow("1.5") << 1.5 << true << 2;
    QTest::newRow("-2.5") << -2.5 << true << -2;
    QTest::newRow("165") << 165.0 << true << 165;
    QTest::newRow("32767") << 32767.0 << true << 32767;
    QTest::newRow("32767.4") << 32767.4 << true << 32767;
    QTest::newRow("32766.5") << 32766.5 << true << 32766;
    QTest::newRow("32767.5 rounds to 32768") << 32767.5 << false << 0;
    QTest::newRow("32768") << 32768.0 << false << 0;
    QTest::newRow("-32768") << -32768.0 << true << -32768;
    QTest::newRow("-32768.5") << -32768.5 << true << -32768;
    QTest::newRow("-32768.6") << -32768.6 << false << 0;
    QTest::newRow("-32769") << -32769.0 << false << 0;
    QTest::newRow("-32769.5 rounds to -32770") << -32769.5 << false << 0;
    QTest::newRow("1e300") << 1e300 << false << 0;
    QTest::newRow("nan") << std::numeric_limits<double>::quiet_NaN() << false << 0;
    QTest::newRow("inf") << inf << false << 0;
    QTest::newRow("-inf") << -inf << false << 0;
}

void TestNumtext::toInt16()
{
    QFETCH(double, value);
    QFETCH(bool, fits);
    QFETCH(int, expected);

    const std::optional<std::int16_t> r = numtext::toInt16(value);
    QCOMPARE(r.has_value(), fits);
    if (fits)
        QCOMPARE(int(*r), expected);
}

void TestNumtext::toInt32_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<bool>("fits");
    QTest::addColumn<qint64>("expected");

    const double inf = std::numeric_limits<double>::infinity();
    QTest::newRow("zero") << 0.0 << true << qint64(0);
    QTest::newRow("-0.5") << -0.5 << true << qint64(0);
    QTest::newRow("3.5") << 3.5 << true << qint64(4);
    QTest::newRow("colour") << 16711680.0 << true << qint64(16711680);
    QTest::newRow("-2147483633") << -2147483633.0 << true << qint64(-2147483633);
    QTest::newRow("max") << 2147483647.0 << true << qint64(2147483647);
    QTest::newRow("max + 0.4") << 2147483647.4 << true << qint64(2147483647);
    QTest::newRow("max - 0.5") << 2147483646.5 << true << qint64(2147483646);
    QTest::newRow("max + 0.5") << 2147483647.5 << false << qint64(0);
    QTest::newRow("max + 1") << 2147483648.0 << false << qint64(0);
    QTest::newRow("min") << -2147483648.0 << true << qint64(-2147483648LL);
    QTest::newRow("min - 0.5") << -2147483648.5 << true << qint64(-2147483648LL);
    QTest::newRow("min - 0.6") << -2147483648.6 << false << qint64(0);
    QTest::newRow("min - 1.5") << -2147483649.5 << false << qint64(0);
    QTest::newRow("1e20") << 1e20 << false << qint64(0);
    QTest::newRow("nan") << std::numeric_limits<double>::quiet_NaN() << false << qint64(0);
    QTest::newRow("inf") << inf << false << qint64(0);
    QTest::newRow("-inf") << -inf << false << qint64(0);
}

void TestNumtext::toInt32()
{
    QFETCH(double, value);
    QFETCH(bool, fits);
    QFETCH(qint64, expected);

    const std::optional<std::int32_t> r = numtext::toInt32(value);
    QCOMPARE(r.has_value(), fits);
    if (fits)
        QCOMPARE(qint64(*r), expected);
}

void TestNumtext::indexFromText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("lo");
    QTest::addColumn<int>("hi");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<int>("expected");

    QTest::newRow("3") << "3" << 0 << 64 << true << 3;
    QTest::newRow("lower bound") << "0" << 0 << 64 << true << 0;
    QTest::newRow("upper bound") << "64" << 0 << 64 << true << 64;
    QTest::newRow("above") << "65" << 0 << 64 << false << 0;
    QTest::newRow("below") << "-1" << 0 << 64 << false << 0;
    QTest::newRow("-1 allowed") << "-1" << -1 << 64 << true << -1;
    QTest::newRow("with sign blank") << " 12" << 0 << 64 << true << 12;
    QTest::newRow("2.5 to even") << " 2.5" << 0 << 64 << true << 2;
    QTest::newRow("3.5 to even") << "3.5" << 0 << 64 << true << 4;
    QTest::newRow("64.5 rounds into range") << "64.5" << 0 << 64 << true << 64;
    QTest::newRow("64.6 rounds out") << "64.6" << 0 << 64 << false << 0;
    QTest::newRow("-0.5 is 0") << "-0.5" << 0 << 64 << true << 0;
    QTest::newRow("no number reads 0") << "abc" << 0 << 64 << true << 0;
    QTest::newRow("no number, 0 outside") << "abc" << 1 << 64 << false << 0;
    QTest::newRow("overflow reads 0") << "1e400" << 0 << 64 << true << 0;
    QTest::newRow("int max") << "2147483647" << INT_MIN << INT_MAX << true << INT_MAX;
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
