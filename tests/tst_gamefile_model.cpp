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
    void codePageRefusesWhatItCannotHold();

    void handWrittenFileReads();
    void handWrittenFileWritesBackByteForByte();
    void numberLines_data();
    void numberLines();
    void textLines_data();
    void textLines();
    void acceptedForms_data();
    void acceptedForms();
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
    const int rows[][2] = {{0x09, 0x09},   {0x41, 0x41},   {0x80, 0x20AC}, {0x82, 0x201A}, {0x8A, 0x0160},
                           {0x8E, 0x017D}, {0x91, 0x2018}, {0x97, 0x2014}, {0x99, 0x2122}, {0x9F, 0x0178},
                           {0xA0, 0xA0},   {0xE4, 0xE4},   {0xFF, 0xFF},   {0x81, 0},      {0x8D, 0},
                           {0x8F, 0},      {0x90, 0},      {0x9D, 0}};
    for (const auto &r : rows)
        QTest::newRow(qPrintable(QString::number(r[0], 16))) << r[0] << r[1];
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
    QCOMPARE(int(c.value_or(0)), character);
    QCOMPARE(int(cp1252::fromUnicode(char16_t(character)).value_or(0)), byte);
}

void TestGamefileModel::codePageIsOneToOne()
{
    QSet<int> seen;
    for (int b = 0; b < 256; ++b)
        if (const auto c = cp1252::toUnicode(static_cast<unsigned char>(b))) {
            QVERIFY2(!seen.contains(*c), qPrintable(QString::number(b)));
            seen.insert(*c);
            QCOMPARE(int(*cp1252::fromUnicode(*c)), b);
        }
    QCOMPARE(seen.size(), 251);
    // And no other character of the 16-bit range maps to a byte.
    int mapped = 0;
    for (int c = 0; c < 0x10000; ++c)
        mapped += cp1252::fromUnicode(char16_t(c)) ? 1 : 0;
    QCOMPARE(mapped, 251);
}

void TestGamefileModel::codePageRefusesWhatItCannotHold()
{
    for (const QString &text : {QString(QChar(0x80)), QStringLiteral("Stein \u03A9"), QStringLiteral("\U0001F600"),
                                QString(QChar(0xD800))})
        QVERIFY2(!cp1252::encode(text), qPrintable(text));
}

// ---------------------------------------------------------------- reading

void TestGamefileModel::handWrittenFileReads()
{
    const Game g = parsedOrFail(handWrittenGame());
    QCOMPARE(g.groups[2].fieldLeft, 240.5f);
    QCOMPARE(g.groups[1].tokenTop, 207.75f);
    QCOMPARE(g.groups[0].tokenTip, QStringLiteral("Maus links: ziehen, Maus rechts: färben"));
    QCOMPARE(g.groups[1].text, QStringLiteral("€ 2\tTab"));
    QCOMPARE(g.groups[2].text, QStringLiteral("Straße"));
    QCOMPARE(g.groups[64].text, QStringLiteral(" 65"));
    QCOMPARE(g.groups[7].tokenTag, -1.0);
    QCOMPARE(g.groups[1].tokenColour, std::int32_t(0x80000005u));
    QVERIFY(g.groups[2].tokenVisible && !g.groups[3].tokenVisible);
    QCOMPARE(g.kante[2][2], 1);
    QCOMPARE(g.kante[0][9], 1);
    QCOMPARE(g.kante[0][5], 0);
    QCOMPARE(g.modeTags, (std::array<double, 3>{0, 0, 1}));
    QCOMPARE(g.modeColours[1], 0xC0C0C0);
    QCOMPARE(g.steinzahl, 3);
    QCOMPARE(g.fieldSize, std::int16_t(47));
}

void TestGamefileModel::handWrittenFileWritesBackByteForByte()
{
    const QByteArray file = handWrittenGame();
    QCOMPARE(write(parsedOrFail(file)).value_or("refused"), file);
}

void TestGamefileModel::numberLines_data()
{
    QTest::addColumn<int>("line");
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<double>("expected");
    const int left = groupLine(4, 1), tag = groupLine(4, 4), colour = groupLine(4, 9);
    const int pointer = groupLine(4, 10), visible = groupLine(4, 11), edge = edgeLine(7, 8);
    auto row = [](const char *name, int line, const char *content, double v) {
        QTest::newRow(name) << line << QByteArray(content) << v;
    };
    row("position .5", left, " .5", 0.5);
    row("position 12abc", left, "12abc", 12);
    row("position empty", left, "", 0);
    row("position at the limit", left, " 100000", 100000);
    row("position at the negative limit", groupLine(4, 6), "-100000", -100000);
    row("position to single precision", left, " 170.50000001", 170.5);
    row("tag 1.5E+07", tag, " 1.5E+07", 1.5e7);
    row("tag fraction", groupLine(4, 8), " 7.25", 7.25);
    row("colour last system entry", colour, "-2147483618", -2147483618.0);
    row("colour white", colour, " 16777215", 16777215);
    row("colour half to even, down", colour, " 2.5", 2);
    row("colour half to even, up", colour, " 3.5", 4);
    row("colour in exponent form", colour, "1.671168E7", 16711680);
    row("pointer blanks around", pointer, "\t99 \t", 99);
    row("pointer 1.5E1", pointer, "1.5E1", 15);
    row("pointer half to even", pointer, " 2.5", 2);
    row("pointer -0.4", pointer, "-0.4", 0);
    row("visible false", visible, "false", 0);
    row("visible TRUE", visible, "TRUE", 1);
    row("visible blanks around", visible, " True ", 1);
    row("visible -1", visible, "-1", 1);
    row("visible 2.5", visible, " 2.5", 1);
    row("edge .5 to even", edge, " .5", 0);
    row("edge 1.4", edge, " 1.4", 1);
    row("edge empty", edge, "", 0);
    row("mode tag", ModeTagLine, " 1", 1);
    row("mode colour", ModeColourLine + 2, " 255", 255);
    row("Steinzahl -1", SteinzahlLine, "-1", -1);
    row("field size 12", FieldSizeLine, " 12", 12);
    row("field size 60", FieldSizeLine, " 60", 60);
    row("field size 11.5 to 12", FieldSizeLine, " 11.5", 12);
    row("field size 60.5 to 60", FieldSizeLine, " 60.5", 60);
    row("field size 47abc", FieldSizeLine, "47abc", 47);
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
    QTest::newRow("blanks and tab kept") << QByteArray("  x\t ") << QStringLiteral("  x\t ");
    QTest::newRow("upper half") << QByteArray("\x80\x85\x9C\xA0\xA9\xFF") << QStringLiteral("€…œ\u00A0©ÿ");
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

void TestGamefileModel::acceptedForms_data()
{
    QTest::addColumn<QByteArray>("file");
    const QByteArray crlf = handWrittenGame();
    const auto lines = fixtures::splitLines(crlf);
    QTest::newRow("LF") << fixtures::joinLines(lines, "\n");
    QTest::newRow("CR") << fixtures::joinLines(lines, "\r");
    QByteArray mixed;
    for (int i = 0; i < lines.size(); ++i)
        mixed += lines[i] + (i % 3 == 0 ? "\r\n" : i % 3 == 1 ? "\n" : "\r");
    QTest::newRow("mixed") << mixed;
    QTest::newRow("last line unended") << crlf.left(crlf.size() - 2);
    QTest::newRow("lines past the last ignored") << crlf + "garbage \x01\x81\r\n 70\r\n\r\nnot a number";
    QTest::newRow("exactly 16 MiB") << crlf + QByteArray(MaxFileSize - crlf.size() - 2, 'x') + "\r\n";
}

void TestGamefileModel::acceptedForms()
{
    QFETCH(QByteArray, file);
    QVERIFY(file.size() <= MaxFileSize);
    const Parsed p = parse(file);
    QVERIFY2(p.game, qPrintable(describe(p.problem)));
    QVERIFY(*p.game == parsedOrFail(handWrittenGame()));
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
    const float inf = std::numeric_limits<float>::infinity();
    auto row = [](const char *name, Mutation m, int line, Fault f) { QTest::newRow(name) << m << Problem{line, f}; };
    row("text beyond the code page", [](Game &g) { g.groups[3].text = QStringLiteral("Ω"); }, groupLine(3, 12),
        Fault::NotEncodable);
    row("text with an emoji", [](Game &g) { g.groups[0].text = QStringLiteral("\U0001F600"); }, groupLine(0, 12),
        Fault::NotEncodable);
    row("text with a line break", [](Game &g) { g.groups[3].text = QStringLiteral("a\nb"); }, groupLine(3, 12),
        Fault::ControlCharacter);
    row("token tip with C1 control", [](Game &g) { g.groups[1].tokenTip = QString(QChar(0x81)); },
        groupLine(1, 7), Fault::NotEncodable);
    row("position far away", [](Game &g) { g.groups[2].fieldLeft = 100001; }, groupLine(2, 1), Fault::Position);
    row("position NaN", [](Game &g) { g.groups[2].tokenTop = std::nanf(""); }, groupLine(2, 6), Fault::NotFinite);
    row("position infinite", [inf](Game &g) { g.groups[2].fieldTop = -inf; }, groupLine(2, 2), Fault::NotFinite);
    row("tag NaN", [](Game &g) { g.modeTags[1] = std::nan(""); }, ModeTagLine + 1, Fault::NotFinite);
    row("mode colour unknown system entry", [](Game &g) { g.modeColours[2] = std::int32_t(0x8000001Fu); },
        ModeColourLine + 2, Fault::Colour);
    row("edge 2", [](Game &g) { g.kante[4][60] = 2; }, edgeLine(4, 60), Fault::Edge);
    row("field size 11", [](Game &g) { g.fieldSize = 11; }, FieldSizeLine, Fault::FieldSize);
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
    g.groups[0] = {170.5f, 0.5f, {}, 1, -2, 1.0f / 3.0f, {}, -1, std::int32_t(0x8000000Fu), 15, true,
                   QStringLiteral("Würfel")};
    g.groups[1].fieldLeft = 12345.678f; // more digits than a single keeps
    g.groups[1].fieldTag = 1.5e7;
    g.groups[1].tokenTag = -1e20;
    g.kante[0][1] = 1;
    g.modeTags = {1, 0, 0};
    g.modeColours = {0, 16711680, std::int32_t(0x8000000Fu)};
    g.steinzahl = -1;
    g.fieldSize = 60;
    const QByteArray bytes = write(g).value_or("refused");
    QVERIFY(bytes.endsWith("\r\n"));
    QCOMPARE(bytes.count("\r\n"), LineCount);
    QCOMPARE(bytes.count('\r'), LineCount);
    QCOMPARE(bytes.count('\n'), LineCount);
    const QList<QByteArray> l = fixtures::splitLines(bytes);
    QCOMPARE(l.mid(0, 12), (QList<QByteArray>{" 170.5", " .5", "", " 1", "-2", " .3333333", "", "-1", "-2147483633",
                                              " 15", "True", "W\xFCrfel"}));
    QCOMPARE(l.mid(12, 12), (QList<QByteArray>{" 12345.68", " 0", "", " 15000000", " 0", " 0", "", "-1E+20",
                                               " 16711680", " 0", "False", ""}));
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
    QString alphabet = QStringLiteral("\t");
    for (int b = 0x20; b < 256; ++b)
        if (auto c = cp1252::toUnicode(static_cast<unsigned char>(b)); c && b != 0x7F)
            alphabet += QChar(*c);
    auto text = [&] {
        QString t;
        for (int n = pick(12); n > 0; --n)
            t += alphabet[pick(int(alphabet.size()))];
        return t;
    };
    for (int round = 0; round < 40; ++round) {
        Game g;
        for (auto &gr : g.groups)
            gr = {float(uni(-PositionLimit, PositionLimit) / std::pow(10.0, pick(6))), float(uni(-1000, 1000)), text(),
                  uni(-1e20, 1e20) / std::pow(10.0, pick(30)), float(pick(200000) - 100000) / 4, float(uni(0, 1)),
                  text(), double(pick(66) - 1),
                  pick(2) ? pick(0x1000000) : std::int32_t(0x80000000u + unsigned(pick(31))),
                  std::int16_t(pick(3) ? pick(16) : 99), pick(2) == 1, text()};
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
        QCOMPARE(write(*back.game).value_or("refused"), *first);
        // What cannot change at all does not.
        QCOMPARE(back.game->kante, g.kante);
        for (size_t i = 0; i < Slots; ++i) {
            QCOMPARE(back.game->groups[i].text, g.groups[i].text);
            QCOMPARE(back.game->groups[i].tokenColour, g.groups[i].tokenColour);
            QCOMPARE(back.game->groups[i].tokenLeft, g.groups[i].tokenLeft);
        }
    }
}

QTEST_APPLESS_MAIN(TestGamefileModel)
#include "tst_gamefile_model.moc"
