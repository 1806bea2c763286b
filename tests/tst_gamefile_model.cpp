// The game file without widgets: code page, line conversions, checks, line ends,
// size limit, and the writer against files written by hand.

#include "gamefile/cp1252.h"
#include "gamefile/model.h"
#include "gamefile_fixtures.h"

#include <QtTest>

#include <cmath>
#include <functional>
#include <limits>
#include <random>

using namespace gamefile;
using fixtures::handWrittenGame;
using fixtures::withLine;

using Mutation = std::function<void(Game &)>;
Q_DECLARE_METATYPE(Mutation)
Q_DECLARE_METATYPE(gamefile::Problem)

namespace {

Game parsedOrFail(const QByteArray &bytes)
{
    const Parsed p = parse(bytes);
    if (!p.game)
        qWarning("refused: %s", qPrintable(describe(p.problem)));
    return p.game.value_or(Game{});
}

// The value a number line produced, as a double, found by its line number.
double valueAt(const Game &g, int line)
{
    if (line >= EdgeFirstLine && line < ModeTagLine) {
        const int k = line - EdgeFirstLine;
        return g.kante[size_t(k / Slots)][size_t(k % Slots)];
    }
    if (line >= ModeTagLine && line < ModeColourLine)
        return g.modeTags[size_t(line - ModeTagLine)];
    if (line >= ModeColourLine && line < SteinzahlLine)
        return g.modeColours[size_t(line - ModeColourLine)];
    if (line == SteinzahlLine)
        return g.steinzahl;
    if (line == FieldSizeLine)
        return g.fieldSize;
    const Group &gr = g.groups[size_t((line - 1) / GroupLines)];
    switch ((line - 1) % GroupLines + 1) {
    case 1: return gr.fieldLeft;
    case 2: return gr.fieldTop;
    case 4: return gr.fieldTag;
    case 5: return gr.tokenLeft;
    case 6: return gr.tokenTop;
    case 8: return gr.tokenTag;
    case 9: return gr.tokenColour;
    case 10: return gr.fieldPointer;
    case 11: return gr.tokenVisible ? 1 : 0;
    default: return std::nan("");
    }
}

} // namespace

class TestGamefileModel : public QObject {
    Q_OBJECT

private slots:
    void codePageBytes_data();
    void codePageBytes();
    void codePageIsOneToOne();
    void codePageRefusesWhatItCannotHold_data();
    void codePageRefusesWhatItCannotHold();

    void handWrittenFileReads();
    void handWrittenFileWritesBackByteForByte();
    void numberLines_data();
    void numberLines();
    void textLines_data();
    void textLines();
    void lineEnds_data();
    void lineEnds();
    void linesPastTheLastAreIgnored();
    void sizeLimitIsExact();
    void badFiles_data();
    void badFiles();

    void writerRefuses_data();
    void writerRefuses();
    void writtenLinesHaveTheirForms();
    void randomGamesSurviveTheRoundTrip();
};

// ---------------------------------------------------------------- code page

void TestGamefileModel::codePageBytes_data()
{
    QTest::addColumn<int>("byte");
    QTest::addColumn<int>("character"); // 0 = undefined

    QTest::newRow("A") << 0x41 << 0x41;
    QTest::newRow("tab") << 0x09 << 0x09;
    QTest::newRow("euro") << 0x80 << 0x20AC;
    QTest::newRow("low quote") << 0x82 << 0x201A;
    QTest::newRow("S caron") << 0x8A << 0x0160;
    QTest::newRow("Z caron") << 0x8E << 0x017D;
    QTest::newRow("left quote") << 0x91 << 0x2018;
    QTest::newRow("em dash") << 0x97 << 0x2014;
    QTest::newRow("trade mark") << 0x99 << 0x2122;
    QTest::newRow("Y diaeresis") << 0x9F << 0x0178;
    QTest::newRow("no-break space") << 0xA0 << 0xA0;
    QTest::newRow("a umlaut") << 0xE4 << 0xE4;
    QTest::newRow("u umlaut") << 0xFC << 0xFC;
    QTest::newRow("sharp s") << 0xDF << 0xDF;
    QTest::newRow("y diaeresis") << 0xFF << 0xFF;
    for (int b : {0x81, 0x8D, 0x8F, 0x90, 0x9D})
        QTest::newRow(qPrintable(QStringLiteral("undefined %1").arg(b, 0, 16))) << b << 0;
}

void TestGamefileModel::codePageBytes()
{
    QFETCH(int, byte);
    QFETCH(int, character);
    const auto c = cp1252::toUnicode(static_cast<unsigned char>(byte));
    if (character == 0) {
        QVERIFY(!c);
        QVERIFY(!cp1252::decode(QByteArray(1, char(byte))));
        return;
    }
    QVERIFY(c);
    QCOMPARE(int(*c), character);
    QCOMPARE(cp1252::fromUnicode(char16_t(character)), std::optional<unsigned char>(static_cast<unsigned char>(byte)));
}

void TestGamefileModel::codePageIsOneToOne()
{
    int defined = 0;
    QSet<int> seen;
    for (int b = 0; b < 256; ++b) {
        const auto c = cp1252::toUnicode(static_cast<unsigned char>(b));
        if (!c)
            continue;
        ++defined;
        QVERIFY2(!seen.contains(*c), qPrintable(QString::number(b)));
        seen.insert(*c);
        QCOMPARE(int(*cp1252::fromUnicode(*c)), b);
    }
    QCOMPARE(defined, 251);
    // And no other character of the 16-bit range maps to a byte.
    int mapped = 0;
    for (int c = 0; c < 0x10000; ++c)
        mapped += cp1252::fromUnicode(char16_t(c)) ? 1 : 0;
    QCOMPARE(mapped, 251);
}

void TestGamefileModel::codePageRefusesWhatItCannotHold_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("C1 control U+0080") << QString(QChar(0x80));
    QTest::newRow("C1 control U+009D") << QString(QChar(0x9D));
    QTest::newRow("A macron") << QStringLiteral("\u0100");
    QTest::newRow("omega") << QStringLiteral("Stein \u03A9");
    QTest::newRow("emoji (surrogate pair)") << QStringLiteral("\U0001F600");
    QTest::newRow("lone surrogate") << QString(QChar(0xD800));
}

void TestGamefileModel::codePageRefusesWhatItCannotHold()
{
    QFETCH(QString, text);
    QVERIFY(!cp1252::encode(text));
}

// ---------------------------------------------------------------- reading

void TestGamefileModel::handWrittenFileReads()
{
    const Parsed p = parse(handWrittenGame());
    QVERIFY2(p.game, qPrintable(describe(p.problem)));
    const Game &g = *p.game;
    QCOMPARE(g.groups[2].fieldLeft, 240.5f);
    QCOMPARE(g.groups[2].fieldTop, 200.25f);
    QCOMPARE(g.groups[9].fieldTop, 310.0f);
    QCOMPARE(g.groups[1].tokenTop, 207.75f);
    QCOMPARE(g.groups[0].fieldTip, QStringLiteral("besetzt"));
    QCOMPARE(g.groups[0].tokenTip, QStringLiteral("Maus links: ziehen, Maus rechts: färben"));
    QCOMPARE(g.groups[0].text, QStringLiteral("Würfel"));
    QCOMPARE(g.groups[1].text, QStringLiteral("€ 2\tTab"));
    QCOMPARE(g.groups[2].text, QStringLiteral("Straße"));
    QCOMPARE(g.groups[64].text, QStringLiteral(" 65"));
    QCOMPARE(g.groups[5].fieldTag, 1.0);
    QCOMPARE(g.groups[6].fieldTag, 0.0);
    QCOMPARE(g.groups[2].tokenTag, 5.0);
    QCOMPARE(g.groups[7].tokenTag, -1.0);
    QCOMPARE(g.groups[1].tokenColour, std::int32_t(0x80000005u));
    QCOMPARE(g.groups[2].tokenColour, 255);
    QCOMPARE(g.groups[2].fieldPointer, std::int16_t(1));
    QVERIFY(g.groups[2].tokenVisible);
    QVERIFY(!g.groups[3].tokenVisible);
    QCOMPARE(g.kante[2][2], 1);
    QCOMPARE(g.kante[9][0], 1);
    QCOMPARE(g.kante[0][9], 1);
    QCOMPARE(g.kante[0][5], 0);
    QCOMPARE(g.modeTags, (std::array<double, 3>{0, 0, 1}));
    QCOMPARE(g.modeColours[0], std::int32_t(0x8000000Fu));
    QCOMPARE(g.modeColours[1], 0xC0C0C0);
    QCOMPARE(g.steinzahl, 3);
    QCOMPARE(g.fieldSize, std::int16_t(47));
}

void TestGamefileModel::handWrittenFileWritesBackByteForByte()
{
    const QByteArray file = handWrittenGame();
    const auto written = write(parsedOrFail(file));
    QVERIFY(written);
    QCOMPARE(*written, file);
}

void TestGamefileModel::numberLines_data()
{
    QTest::addColumn<int>("line");
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<double>("expected");

    const int left = groupLine(4, 1), tag = groupLine(4, 4), colour = groupLine(4, 9);
    const int pointer = groupLine(4, 10), visible = groupLine(4, 11), edge = edgeLine(7, 8);

    QTest::newRow("position 165.0") << left << QByteArray(" 165.0") << 165.0;
    QTest::newRow("position 1.65E2") << left << QByteArray("1.65E2") << 165.0;
    QTest::newRow("position .5") << left << QByteArray(" .5") << 0.5;
    QTest::newRow("position -.25") << left << QByteArray("-.25") << -0.25;
    QTest::newRow("position 1.5E+04") << left << QByteArray(" 1.5E+04") << 15000.0;
    QTest::newRow("position 12abc") << left << QByteArray("12abc") << 12.0;
    QTest::newRow("position -3.5e2x") << left << QByteArray("  -3.5e2x") << -350.0;
    QTest::newRow("position empty") << left << QByteArray("") << 0.0;
    QTest::newRow("position abc") << left << QByteArray("abc") << 0.0;
    QTest::newRow("position at the limit") << left << QByteArray(" 100000") << 100000.0;
    QTest::newRow("position at the negative limit") << groupLine(4, 6) << QByteArray("-100000") << -100000.0;
    QTest::newRow("position to single precision") << left << QByteArray(" 170.50000001") << 170.5;
    QTest::newRow("tag 1.0") << tag << QByteArray(" 1.0") << 1.0;
    QTest::newRow("tag without blank") << tag << QByteArray("1") << 1.0;
    QTest::newRow("tag fraction") << groupLine(4, 8) << QByteArray(" 7.25") << 7.25;
    QTest::newRow("colour button face") << colour << QByteArray("-2147483633") << -2147483633.0;
    QTest::newRow("colour last system entry") << colour << QByteArray("-2147483618") << -2147483618.0;
    QTest::newRow("colour white") << colour << QByteArray(" 16777215") << 16777215.0;
    QTest::newRow("colour rounds down") << colour << QByteArray(" 16711680.4") << 16711680.0;
    QTest::newRow("colour half to even, down") << colour << QByteArray(" 2.5") << 2.0;
    QTest::newRow("colour half to even, up") << colour << QByteArray(" 3.5") << 4.0;
    QTest::newRow("colour in exponent form") << colour << QByteArray("1.671168E7") << 16711680.0;
    QTest::newRow("colour 1.5E+07") << colour << QByteArray(" 1.5E+07") << 15000000.0;
    QTest::newRow("tag 1.5E+07") << tag << QByteArray(" 1.5E+07") << 15000000.0;
    QTest::newRow("tag 12abc") << tag << QByteArray("12abc") << 12.0;
    QTest::newRow("pointer 15") << pointer << QByteArray(" 15") << 15.0;
    QTest::newRow("pointer without blank") << pointer << QByteArray("15") << 15.0;
    QTest::newRow("pointer blanks around") << pointer << QByteArray("\t99 \t") << 99.0;
    QTest::newRow("pointer 1.5E1") << pointer << QByteArray("1.5E1") << 15.0;
    QTest::newRow("pointer half to even") << pointer << QByteArray(" 2.5") << 2.0;
    QTest::newRow("pointer half to even up") << pointer << QByteArray(" 3.5") << 4.0;
    QTest::newRow("pointer -0.4") << pointer << QByteArray("-0.4") << 0.0;
    QTest::newRow("visible True") << visible << QByteArray("True") << 1.0;
    QTest::newRow("visible false") << visible << QByteArray("false") << 0.0;
    QTest::newRow("visible TRUE") << visible << QByteArray("TRUE") << 1.0;
    QTest::newRow("visible blanks around") << visible << QByteArray(" True ") << 1.0;
    QTest::newRow("visible -1") << visible << QByteArray("-1") << 1.0;
    QTest::newRow("visible 0") << visible << QByteArray(" 0") << 0.0;
    QTest::newRow("visible 2.5") << visible << QByteArray(" 2.5") << 1.0;
    QTest::newRow("edge 1 without blank") << edge << QByteArray("1") << 1.0;
    QTest::newRow("edge .5 to even") << edge << QByteArray(" .5") << 0.0;
    QTest::newRow("edge 1.4") << edge << QByteArray(" 1.4") << 1.0;
    QTest::newRow("edge empty") << edge << QByteArray("") << 0.0;
    QTest::newRow("edge 1E0") << edge << QByteArray(" 1E0") << 1.0;
    QTest::newRow("mode tag") << ModeTagLine << QByteArray(" 1") << 1.0;
    QTest::newRow("mode colour") << ModeColourLine + 2 << QByteArray(" 255") << 255.0;
    QTest::newRow("Steinzahl") << SteinzahlLine << QByteArray(" 12") << 12.0;
    QTest::newRow("Steinzahl empty") << SteinzahlLine << QByteArray("") << 0.0;
    QTest::newRow("Steinzahl -1") << SteinzahlLine << QByteArray("-1") << -1.0;
    QTest::newRow("field size 12") << FieldSizeLine << QByteArray(" 12") << 12.0;
    QTest::newRow("field size 60") << FieldSizeLine << QByteArray(" 60") << 60.0;
    QTest::newRow("field size 11.5 to 12") << FieldSizeLine << QByteArray(" 11.5") << 12.0;
    QTest::newRow("field size 60.5 to 60") << FieldSizeLine << QByteArray(" 60.5") << 60.0;
    QTest::newRow("field size 47abc") << FieldSizeLine << QByteArray("47abc") << 47.0;
}

void TestGamefileModel::numberLines()
{
    QFETCH(int, line);
    QFETCH(QByteArray, content);
    QFETCH(double, expected);
    const Parsed p = parse(withLine(handWrittenGame(), line, content));
    QVERIFY2(p.game, qPrintable(describe(p.problem)));
    QCOMPARE(valueAt(*p.game, line), expected);
}

void TestGamefileModel::textLines_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("expected");
    QTest::newRow("empty") << QByteArray() << QString();
    QTest::newRow("umlauts") << QByteArray("\xC4\xD6\xDC\xE4\xF6\xFC\xDF") << QStringLiteral("ÄÖÜäöüß");
    QTest::newRow("tab") << QByteArray("a\tb") << QStringLiteral("a\tb");
    QTest::newRow("blanks kept") << QByteArray("  x  ") << QStringLiteral("  x  ");
    QTest::newRow("upper half") << QByteArray("\x80\x85\x9C\xA0\xA9\xFF")
                                << QStringLiteral("€…œ\u00A0©ÿ");
    QTest::newRow("looks like a number") << QByteArray(" 12") << QStringLiteral(" 12");
}

void TestGamefileModel::textLines()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, expected);
    for (int item : {3, 7, 12}) {
        const Parsed p = parse(withLine(handWrittenGame(), groupLine(11, item), content));
        QVERIFY2(p.game, qPrintable(describe(p.problem)));
        const Group &g = p.game->groups[11];
        QCOMPARE(item == 3 ? g.fieldTip : item == 7 ? g.tokenTip : g.text, expected);
    }
}

void TestGamefileModel::lineEnds_data()
{
    QTest::addColumn<QByteArray>("file");
    const QByteArray crlf = handWrittenGame();
    const auto lines = fixtures::splitLines(crlf);
    QTest::newRow("CR LF") << crlf;
    QTest::newRow("LF") << fixtures::joinLines(lines, "\n");
    QTest::newRow("CR") << fixtures::joinLines(lines, "\r");
    QByteArray mixed;
    for (int i = 0; i < lines.size(); ++i)
        mixed += lines[i] + (i % 3 == 0 ? "\r\n" : i % 3 == 1 ? "\n" : "\r");
    QTest::newRow("mixed") << mixed;
    QTest::newRow("last line unended") << crlf.left(crlf.size() - 2);
}

void TestGamefileModel::lineEnds()
{
    QFETCH(QByteArray, file);
    const Parsed p = parse(file);
    QVERIFY2(p.game, qPrintable(describe(p.problem)));
    QVERIFY(*p.game == parsedOrFail(handWrittenGame()));
}

void TestGamefileModel::linesPastTheLastAreIgnored()
{
    const QByteArray tail = "garbage \x01\x81\r\n 70\r\n\r\nnot a number";
    const Parsed p = parse(handWrittenGame() + tail);
    QVERIFY2(p.game, qPrintable(describe(p.problem)));
    QVERIFY(*p.game == parsedOrFail(handWrittenGame()));
}

void TestGamefileModel::sizeLimitIsExact()
{
    QByteArray file = handWrittenGame();
    file += QByteArray(MaxFileSize - file.size() - 2, 'x') + "\r\n";
    QCOMPARE(file.size(), MaxFileSize);
    QVERIFY(parse(file).game);
    file += 'x';
    const Parsed p = parse(file);
    QVERIFY(!p.game);
    QCOMPARE(p.problem, (Problem{0, Fault::FileTooLarge}));
}

void TestGamefileModel::badFiles_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<Problem>("problem");
    for (const auto &row : fixtures::badFiles())
        QTest::newRow(row.name) << row.bytes << row.problem;
}

void TestGamefileModel::badFiles()
{
    QFETCH(QByteArray, bytes);
    QFETCH(Problem, problem);
    const Parsed p = parse(bytes);
    QVERIFY(!p.game);
    if (problem.line != fixtures::AnyLine)
        QCOMPARE(describe(p.problem), describe(problem));
}

// ---------------------------------------------------------------- writing

void TestGamefileModel::writerRefuses_data()
{
    QTest::addColumn<Mutation>("mutate");
    QTest::addColumn<Problem>("problem");
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();

    QTest::newRow("text beyond the code page") << Mutation([](Game &g) { g.groups[3].text = QStringLiteral("Ω"); })
                                               << Problem{groupLine(3, 12), Fault::NotEncodable};
    QTest::newRow("text with an emoji") << Mutation([](Game &g) { g.groups[0].text = QStringLiteral("\U0001F600"); })
                                        << Problem{groupLine(0, 12), Fault::NotEncodable};
    QTest::newRow("text with a line break") << Mutation([](Game &g) { g.groups[3].text = QStringLiteral("a\nb"); })
                                            << Problem{groupLine(3, 12), Fault::ControlCharacter};
    QTest::newRow("text with CR") << Mutation([](Game &g) { g.groups[3].text = QStringLiteral("a\rb"); })
                                  << Problem{groupLine(3, 12), Fault::ControlCharacter};
    QTest::newRow("field tip beyond the code page")
        << Mutation([](Game &g) { g.groups[1].fieldTip = QStringLiteral("\u2603"); })
        << Problem{groupLine(1, 3), Fault::NotEncodable};
    QTest::newRow("token tip with C1 control")
        << Mutation([](Game &g) { g.groups[1].tokenTip = QString(QChar(0x81)); })
        << Problem{groupLine(1, 7), Fault::NotEncodable};
    QTest::newRow("position far away") << Mutation([](Game &g) { g.groups[2].fieldLeft = 100001; })
                                       << Problem{groupLine(2, 1), Fault::Position};
    QTest::newRow("position NaN") << Mutation([nan](Game &g) { g.groups[2].tokenTop = nan; })
                                  << Problem{groupLine(2, 6), Fault::NotFinite};
    QTest::newRow("position infinite") << Mutation([inf](Game &g) { g.groups[2].fieldTop = -inf; })
                                       << Problem{groupLine(2, 2), Fault::NotFinite};
    QTest::newRow("tag NaN") << Mutation([](Game &g) { g.modeTags[1] = std::nan(""); })
                             << Problem{ModeTagLine + 1, Fault::NotFinite};
    QTest::newRow("colour beyond RGB") << Mutation([](Game &g) { g.groups[5].tokenColour = 0x1000000; })
                                       << Problem{groupLine(5, 9), Fault::Colour};
    QTest::newRow("mode colour unknown system entry")
        << Mutation([](Game &g) { g.modeColours[2] = std::int32_t(0x8000001Fu); })
        << Problem{ModeColourLine + 2, Fault::Colour};
    QTest::newRow("pointer 16") << Mutation([](Game &g) { g.groups[6].fieldPointer = 16; })
                                << Problem{groupLine(6, 10), Fault::Pointer};
    QTest::newRow("edge 2") << Mutation([](Game &g) { g.kante[4][60] = 2; })
                            << Problem{edgeLine(4, 60), Fault::Edge};
    QTest::newRow("field size 61") << Mutation([](Game &g) { g.fieldSize = 61; })
                                   << Problem{FieldSizeLine, Fault::FieldSize};
    QTest::newRow("field size 11") << Mutation([](Game &g) { g.fieldSize = 11; })
                                   << Problem{FieldSizeLine, Fault::FieldSize};
}

void TestGamefileModel::writerRefuses()
{
    QFETCH(Mutation, mutate);
    QFETCH(Problem, problem);
    Game g = parsedOrFail(handWrittenGame());
    QVERIFY(write(g));
    mutate(g);
    Problem why;
    QVERIFY(!write(g, &why));
    QCOMPARE(describe(why), describe(problem));
    QCOMPARE(check(g), std::optional<Problem>(problem));
}

void TestGamefileModel::writtenLinesHaveTheirForms()
{
    Game g;
    for (auto &gr : g.groups)
        gr.tokenColour = 0xFF0000;
    g.groups[0].fieldLeft = 170.5f;
    g.groups[0].fieldTop = 0.5f;
    g.groups[0].tokenLeft = -2;
    g.groups[0].tokenTop = 1.0f / 3.0f;
    g.groups[0].fieldTag = 1;
    g.groups[0].tokenTag = -1;
    g.groups[0].tokenColour = std::int32_t(0x8000000Fu);
    g.groups[0].fieldPointer = 15;
    g.groups[0].tokenVisible = true;
    g.groups[0].text = QStringLiteral("Würfel");
    g.groups[1].fieldLeft = 12345.678f; // more digits than a single keeps
    g.groups[1].fieldTag = 1.5e7;
    g.groups[1].tokenTag = -1e20;
    g.kante[0][1] = 1;
    g.modeTags = {1, 0, 0};
    g.modeColours = {0, 16711680, std::int32_t(0x8000000Fu)};
    g.steinzahl = -1;
    g.fieldSize = 60;
    const auto bytes = write(g);
    QVERIFY(bytes);
    QVERIFY(bytes->endsWith("\r\n"));
    QCOMPARE(bytes->count("\r\n"), LineCount);
    QCOMPARE(bytes->count('\r'), LineCount);
    QCOMPARE(bytes->count('\n'), LineCount);
    const QList<QByteArray> l = fixtures::splitLines(*bytes);
    QCOMPARE(l.size(), LineCount);
    const QList<QByteArray> group0 = l.mid(0, 12);
    QCOMPARE(group0, (QList<QByteArray>{" 170.5", " .5", "", " 1", "-2", " .3333333", "", "-1", "-2147483633", " 15",
                                        "True", "W\xFCrfel"}));
    QCOMPARE(l[12], QByteArray(" 12345.68"));
    QCOMPARE(l[groupLine(1, 4) - 1], QByteArray(" 15000000"));
    QCOMPARE(l[groupLine(1, 8) - 1], QByteArray("-1E+20"));
    QCOMPARE(l[groupLine(1, 11) - 1], QByteArray("False"));
    QCOMPARE(l[groupLine(1, 9) - 1], QByteArray(" 16711680"));
    QCOMPARE(l[edgeLine(0, 1) - 1], QByteArray(" 1"));
    QCOMPARE(l[edgeLine(1, 0) - 1], QByteArray(" 0"));
    QCOMPARE(l.mid(ModeTagLine - 1), (QList<QByteArray>{" 1", " 0", " 0", " 0", " 16711680", "-2147483633", "-1", " 60"}));
}

void TestGamefileModel::randomGamesSurviveTheRoundTrip()
{
    // Whatever the writer accepts, the reader takes back, and writing what was read
    // gives the same bytes again (7 significant digits may not name the very float).
    std::mt19937 gen(20240611);
    auto uni = [&](double lo, double hi) { return std::uniform_real_distribution<double>(lo, hi)(gen); };
    auto pick = [&](int n) { return int(gen() % unsigned(n)); };
    QString alphabet;
    for (int b = 0; b < 256; ++b)
        if (b >= 0x20 && b != 0x7F)
            if (auto c = cp1252::toUnicode(static_cast<unsigned char>(b)))
                alphabet += QChar(*c);
    alphabet += QLatin1Char('\t');
    auto text = [&] {
        QString t;
        for (int n = pick(12); n > 0; --n)
            t += alphabet[pick(int(alphabet.size()))];
        return t;
    };
    for (int round = 0; round < 40; ++round) {
        Game g;
        for (auto &gr : g.groups) {
            gr.fieldLeft = float(uni(-PositionLimit, PositionLimit) / std::pow(10.0, pick(6)));
            gr.fieldTop = float(uni(-1000, 1000));
            gr.fieldTip = text();
            gr.fieldTag = uni(-1e20, 1e20) / std::pow(10.0, pick(30));
            gr.tokenLeft = float(pick(200000) - 100000) / 4;
            gr.tokenTop = float(uni(0, 1));
            gr.tokenTip = text();
            gr.tokenTag = pick(66) - 1;
            gr.tokenColour = pick(2) ? pick(0x1000000) : std::int32_t(0x80000000u + unsigned(pick(31)));
            gr.fieldPointer = std::int16_t(pick(3) ? pick(16) : 99);
            gr.tokenVisible = pick(2);
            gr.text = text();
        }
        for (auto &row : g.kante)
            for (auto &k : row)
                k = pick(2);
        g.modeTags = {double(pick(2)), uni(-5, 5), 0};
        g.modeColours = {pick(0x1000000), std::int32_t(0x8000000Fu), 0};
        g.steinzahl = std::int32_t(gen());
        g.fieldSize = std::int16_t(MinFieldSize + pick(MaxFieldSize - MinFieldSize + 1));

        const auto first = write(g);
        QVERIFY(first);
        const Parsed back = parse(*first);
        QVERIFY2(back.game, qPrintable(describe(back.problem)));
        const auto second = write(*back.game);
        QVERIFY(second);
        QCOMPARE(*second, *first);
        // What cannot change at all does not.
        QCOMPARE(back.game->kante, g.kante);
        for (int i = 0; i < Slots; ++i) {
            QCOMPARE(back.game->groups[size_t(i)].text, g.groups[size_t(i)].text);
            QCOMPARE(back.game->groups[size_t(i)].tokenColour, g.groups[size_t(i)].tokenColour);
            QCOMPARE(back.game->groups[size_t(i)].tokenLeft, g.groups[size_t(i)].tokenLeft);
        }
    }
}

QTEST_APPLESS_MAIN(TestGamefileModel)
#include "tst_gamefile_model.moc"
