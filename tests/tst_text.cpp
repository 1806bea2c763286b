// Everything that turns numbers, characters and games into text and back: the number
// texts, the Windows-1252 code page, the token text filter and the game file's reader
// and writer. Tables of cases, and round trips over many values.

#include "appearance/tokentext.h"
#include "forms/numtext.h"
#include "gamefile/cp1252.h"
#include "gamefile/format.h"

#include <QClipboard>
#include <QLineEdit>
#include <QtTest>
#include <cfenv>
#include <cfloat>
#include <charconv>
#include <functional>
#include <random>

using namespace numtext;

namespace {

constexpr double Inf = std::numeric_limits<double>::infinity(), NaN = std::numeric_limits<double>::quiet_NaN();

QString exact(double v) { return QString::number(v, 'g', 17); }

QByteArray sample()
{
    QFile f(QStringLiteral(GSW_SOURCE_DIR "/examples/kreis.swk"));
    f.open(QIODevice::ReadOnly);
    return f.readAll();
}

// The sample game with line `line` (1-based) replaced.
QByteArray withLine(int line, const QByteArray &text)
{
    QList<QByteArray> l = sample().split('\n');
    l[line - 1] = text + '\r';
    return l.join('\n');
}

} // namespace

class TestText : public QObject {
    Q_OBJECT

private slots:
    void numberToText()
    {
        // s single, d double, i integer, t tag of an integer, r tag of a double, b truth value
        const struct { char kind; double v; const char *text; } rows[] = {
            {'s', -0.0, " 0"}, {'s', 0.5, " .5"}, {'s', -0.25, "-.25"}, {'s', -3, "-3"}, {'s', 170.5, " 170.5"},
            {'s', double(1.0f / 3), " .3333333"}, {'s', 9999999, " 9999999"}, {'s', double(1234.5678f), " 1234.568"},
            {'s', double(0.1f), " .1"}, {'s', double(std::nextafter(1.0f, 0.0f)), " .9999999"},
            {'s', double(std::nextafter(2.0f, 0.0f)), " 2"}, {'s', 1.5e7, " 1.5E+07"}, {'s', -1.5e7, "-1.5E+07"},
            {'s', double(std::nextafter(1e7f, 2e7f)), " 1E+07"}, {'s', 16777216, " 1.677722E+07"},
            {'s', double(2.5e-5f), " 2.5E-05"}, {'s', double(FLT_MAX), " 3.402823E+38"},
            {'s', double(std::numeric_limits<float>::denorm_min()), " 1.401298E-45"}, {'s', double(1e-4f), " .0001"},
            {'s', double(-1.2345e-4f), "-.00012345"}, {'d', -0.0, " 0"}, {'d', -2147483633.0, "-2147483633"},
            {'d', 0.1 + 0.2, " .3"}, {'d', 2.0 / 3, " .666666666666667"}, {'d', 123456789012345.0, " 123456789012345"},
            {'d', 99999999999999.99, " 100000000000000"}, {'d', 1234567890123456.0, " 1.23456789012346E+15"},
            {'d', 999999999999999.9, " 1E+15"}, {'d', 1e-4, " .0001"}, {'d', 1e-5, " 1E-05"}, {'d', -1e100, "-1E+100"},
            {'d', DBL_MAX, " 1.79769313486232E+308"}, {'d', 4.9406564584124654e-324, " 4.94065645841247E-324"},
            {'i', 16711680, " 16711680"}, {'i', -2147483633.0, "-2147483633"}, {'i', -9223372036854775808.0, "-9223372036854775808"},
            {'t', 7, "7"}, {'t', -1, "-1"}, {'r', 1.5, "1.5"}, {'r', 3, "3"}, {'r', -0.25, "-.25"}, {'r', 1e20, "1E+20"},
            {'b', 1, "True"}, {'b', 0, "False"}};
        for (const auto &r : rows) {
            const QString got = r.kind == 's' ? fromSingle(float(r.v)) : r.kind == 'd' ? fromDouble(r.v)
                : r.kind == 'i' ? fromInt(std::int64_t(r.v)) : r.kind == 't' ? tagText(std::int64_t(r.v))
                : r.kind == 'r' ? tagText(r.v) : fromBool(r.v != 0);
            QVERIFY2(got == QLatin1String(r.text), qPrintable(QStringLiteral("%1 %2: %3").arg(r.kind).arg(exact(r.v), got)));
        }
        for (double d : {NaN, Inf, -Inf}) // whatever they write, it reads back as an ordinary number
            QVERIFY(std::isfinite(val(fromDouble(d))) && std::isfinite(val(fromSingle(float(d)))));
    }

    void textToNumber()
    {
        const QString tiny = "." + QString(399, '0') + "1e400", huge = "1" + QString(400, '0');
        const struct { QString text; double v; int length; bool overflow; } rows[] = {
            {"  165", 165, 5, false}, {"\t7", 7, 2, false}, {"+4", 4, 2, false}, {"5.", 5, 2, false},
            {"-.25", -0.25, 4, false}, {" .5", 0.5, 3, false}, {"0.1", 0.1, 3, false}, {"1.65E2", 165, 6, false},
            {"1.5E+07", 1.5e7, 7, false}, {" 1E-05", 1e-5, 6, false}, {"  -3.5e2x", -350, 8, false}, {"12E", 12, 2, false},
            {"1.5E+", 1.5, 3, false}, {"2E 3", 2, 1, false}, {"12abc", 12, 2, false}, {"1,5", 1, 1, false},
            {"1.2.3", 1.2, 3, false}, {"", 0, 0, false}, {"   ", 0, 0, false}, {"abc", 0, 0, false}, {"-.", 0, 0, false},
            {"- 3", 0, 0, false}, {"--3", 0, 0, false}, {".e5", 0, 0, false}, {QString(QChar(0x0663)), 0, 0, false},
            {"1e400", 0, 5, true}, {"-1E400", 0, 6, true}, {"1.8E308", 0, 7, true}, {"1e99999999999999999999", 0, 22, true},
            {"1.7976931348623157E+308", DBL_MAX, 23, false}, {"1e-400", 0, 6, false}, {"0e999999", 0, 8, false},
            {" 4.94065645841247E-324", 4.9406564584124654e-324, 22, false},
            {"9007199254740993", 9007199254740992.0, 16, false}, // halfway: the even neighbour
            {tiny, 1, int(tiny.size()), false}, {huge + "e-400", 1, int(huge.size()) + 5, false},
            {huge, 0, int(huge.size()), true}};
        for (const auto &r : rows) {
            const Parsed p = parse(r.text);
            QVERIFY2(p.value == r.v && p.length == r.length && p.overflow == r.overflow && val(r.text) == r.v,
                     qPrintable(QStringLiteral("%1: %2 %3 %4").arg(r.text.left(30), exact(p.value)).arg(p.length).arg(p.overflow)));
        }
    }

    // What is written reads back exactly: singles with 7 digits, doubles with 15.
    void roundTrips()
    {
        auto single = [](float f) { QVERIFY2(float(val(fromSingle(f))) == f, qPrintable(fromSingle(f))); };
        for (float f : {-0.5f, .3333333f, 1.677722e7f, 1e-4f, 3.402823e38f, -3.402823e38f, 1.175494e-38f, 1e-45f})
            single(f);
        for (int k = -80000; k <= 80000; k += 3) // quarters, as positions and sizes take them
            single(float(k) / 4);
        std::mt19937 gen(12345);
        for (int n = 0; n < 20000; ++n) { // six-digit decimals over the whole range
            const std::string t = std::to_string(100000 + gen() % 900000) + "e" + std::to_string(int(gen() % 75) - 42);
            float f = 0;
            std::from_chars(t.data(), t.data() + t.size(), f);
            if (f != 0 && std::isfinite(f))
                single(n % 2 ? -f : f);
        }
        for (double v : {-0.25, 0.1, -2147483633.0, 123456789012345.0, 1e15, -1.5e-7, 1e-300, 1.23456789012345e200})
            QCOMPARE(exact(val(fromDouble(v))), exact(v));
    }

    void rounding()
    {
        const double halves[][2] = {{2.5, 2}, {3.5, 4}, {-2.5, -2}, {-3.5, -4}, {0.5, 0}, {-0.5, 0}, {-3.7, -4}, {-0.4, 0},
                                    {0.49999999999999994, 0}, {2.4999999999999996, 2}, {2.5000000000000004, 3},
                                    {-3.4999999999999996, -3}, {-2.5000000000000004, -3}, {4503599627370495.5, 4503599627370496.0},
                                    {4503599627370494.5, 4503599627370494.0}, {4503599627370497.0, 4503599627370497.0}};
        const int saved = std::fegetround();
        for (int mode : {FE_TONEAREST, FE_UPWARD, FE_DOWNWARD, FE_TOWARDZERO})
            for (const auto &h : halves) {
                std::fesetround(mode);
                volatile double in = h[0];
                const double got = roundHalfEven(in);
                std::fesetround(saved);
                QVERIFY2(got == h[1], qPrintable(exact(h[0]) + " -> " + exact(got)));
            }
        // 16 and 32 bits: whether it fits after rounding, and what; 1e9 marks "does not fit".
        const double ints[][3] = {{16, 1.5, 2}, {16, -2.5, -2}, {16, 32767.4, 32767}, {16, 32767.5, 1e9},
                                  {16, -32768.5, -32768}, {16, -32768.6, 1e9}, {16, NaN, 1e9}, {16, -Inf, 1e9},
                                  {32, -0.5, 0}, {32, 2147483647.4, 2147483647}, {32, 2147483647.5, 1e9},
                                  {32, -2147483648.5, -2147483648.0}, {32, -2147483648.6, 1e9}, {32, 1e20, 1e9}, {32, Inf, 1e9}};
        for (const auto &r : ints) {
            const auto got = r[0] == 16 ? std::optional<double>(toInt16(r[1])) : std::optional<double>(toInt32(r[1]));
            QVERIFY2(got.value_or(1e9) == r[2], qPrintable(exact(r[1])));
        }
        const struct { const char *text; int lo, hi, expected; } indexes[] = {
            {"64", 0, 64, 64}, {"65", 0, 64, -9}, {"-1", 0, 64, -9}, {"-1", -1, 64, -1}, {" 2.5", 0, 64, 2}, {"64.5", 0, 64, 64},
            {"64.6", 0, 64, -9}, {"abc", 0, 64, 0}, {"abc", 1, 64, -9}, {"1e400", 0, 64, 0}, {"1e10", 0, 64, -9}};
        for (const auto &r : indexes)
            QVERIFY2(indexFromText(QString::fromLatin1(r.text), r.lo, r.hi).value_or(-9) == r.expected, r.text);
    }

    void codePage()
    {
        const int pairs[][2] = {{0x09, 0x09}, {0x41, 0x41}, {0x80, 0x20AC}, {0x82, 0x201A}, {0x8A, 0x0160}, {0x8E, 0x017D},
                                {0x91, 0x2018}, {0x97, 0x2014}, {0x99, 0x2122}, {0x9F, 0x0178}, {0xA0, 0xA0}, {0xFF, 0xFF},
                                {0x81, 0}, {0x8D, 0}, {0x8F, 0}, {0x90, 0}, {0x9D, 0}};
        for (const auto &p : pairs) {
            QCOMPARE(int(cp1252::toUnicode(static_cast<unsigned char>(p[0])).value_or(0)), p[1]);
            QCOMPARE(cp1252::decode(QByteArray(1, char(p[0]))).has_value(), p[1] != 0);
        }
        // One to one: 251 characters and their bytes, nothing else of the 16-bit range.
        int mapped = 0, printable = 0;
        for (int c = 0; c < 0x10000; ++c) {
            const auto b = cp1252::fromUnicode(char16_t(c));
            mapped += b.has_value();
            QVERIFY(!b || cp1252::toUnicode(*b) == char16_t(c));
            const bool text = b && QChar(c).category() != QChar::Other_Control;
            printable += text;
            QVERIFY2(appearance::isTokenTextChar(QChar(c)) == text, qPrintable(QString::number(c, 16)));
        }
        QCOMPARE(mapped, 251);
        QCOMPARE(printable, 95 + 96 + 27);
        for (const QString &t : {QStringLiteral("\u0080"), QStringLiteral("Stein \u03A9"), QStringLiteral("\U0001F600")})
            QVERIFY(!cp1252::encode(t));
    }

    // The token text box drops what a game file could not carry, typed or pasted.
    void tokenText()
    {
        QLineEdit box;
        box.setValidator(new appearance::TokenTextValidator(&box));
        const struct { const char *clip; int cursor; const char *text; int after; } rows[] = {
            {"Zeile 1\r\nZeile 2\n", 2, "ABZeile 1Zeile 2", 16}, {"x\ty", 1, "AxyB", 3}, {"\xce\xa9" "a\xe2\x82\xac", 0, "a\xe2\x82\xac" "AB", 2},
            {"\n\n", 1, "AB", 1}, {"a\xf0\x9f\x98\x80" "b", 1, "AabB", 3}};
        for (const auto &r : rows) {
            box.setText(QStringLiteral("AB"));
            box.setCursorPosition(r.cursor);
            QGuiApplication::clipboard()->setText(QString::fromUtf8(r.clip));
            box.paste();
            QCOMPARE(box.text(), QString::fromUtf8(r.text));
            QCOMPARE(box.cursorPosition(), r.after);
        }
    }

    // One line of a game changed: what the reader makes of it, as the writer writes it
    // back, or why the game is refused. Lines 49..60 are group 4 (field and token 4),
    // 1244 is edges(7, 8), 5006.. mode tags, mode colours, tokenCount, field size.
    void gameLines()
    {
        const struct { int line; QByteArray text, expected; } rows[] = {
            {49, " .5", " .5"}, {49, "12abc", " 12"}, {49, "", " 0"}, {49, " 100000", " 100000"}, {54, "-100000", "-100000"},
            {49, " 170.50000001", " 170.5"}, {49, " 165.0", " 165"}, {49, "1.65E2", " 165"}, {49, " 100001", "position out of range"},
            {50, "-100000.5", "position out of range"}, {53, " 1E+39", "position out of range"}, {54, " 1e400", "number too large"},
            {52, " 1.5E+07", " 15000000"}, {52, "1", " 1"}, {56, " 7.25", " 7.25"}, {56, "-1e400", "number too large"},
            {57, "-2147483618", "-2147483618"}, {57, " 16777215", " 16777215"}, {57, " 2.5", " 2"}, {57, " 3.5", " 4"},
            {57, "1.671168E7", " 16711680"}, {57, "  1  ", " 1"}, {57, "-2147483649", "does not fit"},
            {57, " 2147483648", "does not fit"}, {57, " 16777216", "no colour"}, {57, "-1", "no colour"},
            {57, "-2147483617", "no colour"}, {58, "\t99 \t", " 99"}, {58, "1.5E1", " 15"}, {58, " 2.5", " 2"},
            {58, "-0.4", " 0"}, {58, " 1x", "not wholly a number"}, {58, "", "not wholly a number"}, {58, " 16", "no mouse pointer"},
            {58, "-1", "no mouse pointer"}, {58, " 98", "no mouse pointer"}, {58, " 40000", "does not fit"},
            {58, " 1e400", "number too large"}, {59, "false", "False"}, {59, "TRUE", "True"}, {59, " True ", "True"},
            {59, "-1", "True"}, {59, " 2.5", "True"}, {59, " 0", "False"}, {59, "ja", "no visibility"}, {59, "", "no visibility"},
            {59, "True x", "no visibility"}, {59, " 1x", "no visibility"}, {60, "", ""}, {60, "\xC4\xD6\xDC\xE4\xF6\xFC\xDF", "\xC4\xD6\xDC\xE4\xF6\xFC\xDF"},
            {60, "  x\t ", "  x\t "}, {55, "\x80\x85\x9C\xA0\xA9\xFF", "\x80\x85\x9C\xA0\xA9\xFF"}, {51, " 12", " 12"},
            {60, "W\x01rfel", "control character"}, {60, QByteArray("a\0b", 3), "control character"}, {60, "a\x7F", "control character"},
            {51, "frei\x0C", "control character"}, {55, "\x81", "undefined byte"}, {60, "a\x9D", "undefined byte"},
            {1244, " .5", " 0"}, {1244, " 1.4", " 1"}, {1244, "", " 0"}, {1244, "1", " 1"}, {1244, " 2", "no edge value"},
            {1244, "-1", "no edge value"}, {1244, " 1.5", "no edge value"}, {1244, "-2147483648", "no edge value"},
            {1244, " 4294967296", "does not fit"}, {1244, " 1e400", "number too large"}, {5007, " 1e400", "number too large"}, {5007, " 2.5", " 2.5"},
            {5009, " 255", " 255"}, {5011, " 33554432", "no colour"}, {5012, "-1", "-1"}, {5012, " 1e10", "does not fit"},
            {5013, " 12", " 12"}, {5013, " 60", " 60"}, {5013, " 11.5", " 12"}, {5013, " 60.5", " 60"}, {5013, "47abc", " 47"},
            {5013, " 11", "field size out of range"}, {5013, " 61", "field size out of range"}, {5013, " 11.4", "field size out of range"},
            {5013, " 70000", "field size out of range"}, {5013, "", "field size out of range"}};
        for (const auto &r : rows) {
            const gamefile::Parsed p = gamefile::parse(withLine(r.line, r.text));
            const QByteArray got = p.game ? gamefile::write(*p.game).value_or("").split('\n').value(r.line - 1).chopped(1)
                                          : gamefile::describe(p.problem).toLatin1();
            const QByteArray want = p.game ? r.expected : "line " + QByteArray::number(r.line) + ": " + r.expected;
            QVERIFY2(got == want, qPrintable(QStringLiteral("line %1 %2: %3").arg(r.line).arg(QString::fromLatin1(r.text), got)));
        }
    }

    // The file as a whole: line ends, length, size limit. Accepted forms read as the sample.
    void gameFiles()
    {
        const QByteArray crlf = sample(), lf = QByteArray(crlf).replace("\r\n", "\n");
        QByteArray mixed = lf;
        for (qsizetype i = mixed.indexOf('\n'), k = 0; i >= 0; i = mixed.indexOf('\n', i + 2), ++k)
            mixed.replace(i, 1, k % 3 ? "\r" : "\r\n");
        const auto big = [&](qsizetype size) { return crlf + QByteArray(size - crlf.size() - 2, 'x') + "\r\n"; };
        const struct { QByteArray file; const char *problem; } rows[] = {
            {lf, nullptr}, {QByteArray(crlf).replace("\r\n", "\r"), nullptr}, {mixed, nullptr}, {crlf.chopped(2), nullptr},
            {crlf + "garbage \x01\x81\r\n 70\r\n", nullptr}, {big(gamefile::MaxFileSize), nullptr},
            {big(gamefile::MaxFileSize + 1), "line 0: file too large"}, {QByteArray(), "line 1: too few lines"},
            {crlf.left(crlf.lastIndexOf("\r\n 42")), "line 5013: too few lines"}, {QByteArray(5012, '\n'), "line 5013: too few lines"},
            {withLine(5013, " 70").replace("Maus", "M\x01us"), "line 7: control character"}};
        const auto want = gamefile::parse(crlf).game;
        QVERIFY(want);
        for (const auto &r : rows) {
            const gamefile::Parsed p = gamefile::parse(r.file);
            QCOMPARE(p.game ? QString() : gamefile::describe(p.problem), QString::fromLatin1(r.problem));
            QVERIFY(!p.game || *p.game == *want);
        }
        QCOMPARE(gamefile::write(*want).value_or(""), crlf); // the sample is our own writer's
    }

    // The writer refuses what the reader would refuse or read back otherwise.
    void writerRefuses()
    {
        using gamefile::Game;
        const struct { std::function<void(Game &)> change; const char *problem; } rows[] = {
            {[](Game &g) { g.groups[0].text = QStringLiteral("\U0001F600"); }, "line 12: not in Windows-1252"},
            {[](Game &g) { g.groups[3].text = QStringLiteral("a\nb"); }, "line 48: control character"},
            {[](Game &g) { g.groups[1].tokenTip = QStringLiteral("\u0081"); }, "line 19: not in Windows-1252"},
            {[](Game &g) { g.groups[2].fieldLeft = 100001; }, "line 25: position out of range"},
            {[](Game &g) { g.groups[2].tokenTop = std::nanf(""); }, "line 30: not finite"},
            {[](Game &g) { g.groups[2].fieldTag = NaN; }, "line 28: not finite"},
            {[](Game &g) { g.modeTags[1] = Inf; }, "line 5007: not finite"},
            {[](Game &g) { g.groups[5].tokenColour = 1 << 24; }, "line 69: no colour"},
            {[](Game &g) { g.modeColours[2] = std::int32_t(0x8000001Fu); }, "line 5011: no colour"},
            {[](Game &g) { g.groups[6].fieldPointer = 16; }, "line 82: no mouse pointer"},
            {[](Game &g) { g.edges[4][0] = 2; }, "line 1041: no edge value"},
            {[](Game &g) { g.fieldSize = 61; }, "line 5013: field size out of range"}};
        for (const auto &r : rows) {
            Game g = *gamefile::parse(sample()).game;
            r.change(g);
            gamefile::Problem why;
            QVERIFY(!gamefile::write(g, &why));
            QCOMPARE(gamefile::describe(why), QString::fromLatin1(r.problem));
        }
    }
};

QTEST_MAIN(TestText)
#include "tst_text.moc"
