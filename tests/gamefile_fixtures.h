#pragma once
// Game files written by hand, line by line, the way anybody who knows the format
// would write them, and the bad inputs every reader must refuse. Shared by the model
// and the window suites; nothing here uses our own writer.

#include "gamefile/model.h"

#include <QByteArray>
#include <QList>
#include <utility>
#include <vector>

namespace fixtures {

inline QList<QByteArray> splitLines(const QByteArray &file)
{
    QList<QByteArray> lines = file.split('\n');
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    for (QByteArray &l : lines)
        if (l.endsWith('\r'))
            l.chop(1);
    return lines;
}

inline QByteArray joinLines(const QList<QByteArray> &lines, const QByteArray &end = "\r\n")
{
    QByteArray out;
    for (const QByteArray &l : lines)
        out += l + end;
    return out;
}

// The file with lines replaced, {line (1-based), content} pairs, and the given line ends.
inline QByteArray edited(const QByteArray &file, const std::vector<std::pair<int, QByteArray>> &changes,
                         const QByteArray &end = "\r\n")
{
    QList<QByteArray> lines = splitLines(file);
    for (const auto &[line, content] : changes)
        lines[line - 1] = content;
    return joinLines(lines, end);
}
inline QByteArray withLine(const QByteArray &file, int line, const QByteArray &content)
{
    return edited(file, {{line, content}});
}

// A game in play mode, right after play started: fields 0, 2, 5 and 9 on the board
// (field size 47, fractional places), tokens 0..2 on fields 0, 2 and 5, field 9 free;
// edges 0-2, 2-5, 5-9, 9-0 and a loop at field 2; umlauts, a euro sign and a tab in the
// texts; a system colour on token 1 and on two mode buttons. Token size 32, so a token
// stands 7.5 pixels right of and below its field.
inline QByteArray handWrittenGame()
{
    QList<QByteArray> l;
    const QByteArray tokenTip = "Maus links: ziehen, Maus rechts: f\xE4rben";
    for (int i = 0; i < 65; ++i) {
        QByteArray fl = " 14.5", ft = " 33.5", tip = "frei", tag = " 0";
        QByteArray zl = " 12.25", zt = " 40", ztag = "-1", colour = " 16711680", vis = "False";
        QByteArray text = " " + QByteArray::number(i + 1);
        switch (i) {
        case 0: fl = " 165"; ft = " 200"; tip = "besetzt"; tag = " 1";
                zl = " 172.5"; zt = " 207.5"; ztag = " 0"; vis = "True"; text = "W\xFCrfel"; break;
        case 1: zl = " 248"; zt = " 207.75"; ztag = " 2"; colour = "-2147483643"; vis = "True";
                text = "\x80 2\tTab"; break;
        case 2: fl = " 240.5"; ft = " 200.25"; tip = "besetzt"; tag = " 1";
                zl = " 172.5"; zt = " 307.5"; ztag = " 5"; colour = " 255"; vis = "True";
                text = "Stra\xDF" "e"; break;
        case 3: text = "vier"; break;
        case 5: fl = " 165"; ft = " 300"; tip = "besetzt"; tag = " 1"; break;
        case 9: fl = " 320.75"; ft = " 310"; tag = " 1"; break;
        default: break;
        }
        l << fl << ft << tip << tag << zl << zt << tokenTip << ztag << colour << " 1" << vis << text;
    }
    auto edge = [](int a, int b) {
        auto is = [&](int x, int y) { return (a == x && b == y) || (a == y && b == x); };
        return is(0, 2) || is(2, 5) || is(5, 9) || is(9, 0) || (a == 2 && b == 2);
    };
    for (int a = 0; a < 65; ++a)
        for (int b = 0; b < 65; ++b)
            l << (edge(a, b) ? " 1" : " 0");
    l << " 0" << " 0" << " 1" << "-2147483633" << " 12632256" << "-2147483633" << " 3" << " 47";
    return joinLines(l);
}

// A bad file whose exact problem depends on its noise: any refusal will do.
constexpr int AnyLine = -1;

struct BadFile {
    const char *name;
    QByteArray bytes;
    gamefile::Problem problem;
};

// Every file here must be refused, for the reason and at the line given.
inline std::vector<BadFile> badFiles()
{
    using gamefile::Fault;
    using gamefile::groupLine;
    using gamefile::edgeLine;
    const QByteArray good = handWrittenGame();
    const QList<QByteArray> lines = splitLines(good);
    auto first = [&](int n) { return joinLines(lines.mid(0, n)); };
    auto at = [&](int line, const QByteArray &content) { return withLine(good, line, content); };

    std::vector<BadFile> rows = {
        {"empty file", QByteArray(), {1, Fault::TooFewLines}},
        {"100 lines", first(100), {101, Fault::TooFewLines}},
        {"5012 lines", first(5012), {5013, Fault::TooFewLines}},
        {"only line ends", QByteArray(6000, '\n').left(5012), {5013, Fault::TooFewLines}},

        {"field size 11", at(5013, " 11"), {5013, Fault::FieldSize}},
        {"field size 61", at(5013, " 61"), {5013, Fault::FieldSize}},
        {"field size 11.4", at(5013, " 11.4"), {5013, Fault::FieldSize}},
        {"field size beyond 16 bits", at(5013, " 70000"), {5013, Fault::FieldSize}},
        {"field size missing", at(5013, ""), {5013, Fault::FieldSize}},

        {"pointer 1x", at(groupLine(4, 10), " 1x"), {groupLine(4, 10), Fault::NotANumber}},
        {"pointer empty", at(groupLine(0, 10), ""), {groupLine(0, 10), Fault::NotANumber}},
        {"pointer 16", at(groupLine(64, 10), " 16"), {groupLine(64, 10), Fault::Pointer}},
        {"pointer -1", at(groupLine(7, 10), "-1"), {groupLine(7, 10), Fault::Pointer}},
        {"pointer 98", at(groupLine(7, 10), " 98"), {groupLine(7, 10), Fault::Pointer}},
        {"pointer beyond 16 bits", at(groupLine(7, 10), " 40000"), {groupLine(7, 10), Fault::DoesNotFit}},
        {"pointer 1e400", at(groupLine(7, 10), " 1e400"), {groupLine(7, 10), Fault::NumberTooLarge}},

        {"visibility ja", at(groupLine(2, 11), "ja"), {groupLine(2, 11), Fault::Visibility}},
        {"visibility empty", at(groupLine(2, 11), ""), {groupLine(2, 11), Fault::Visibility}},
        {"visibility True x", at(groupLine(2, 11), "True x"), {groupLine(2, 11), Fault::Visibility}},
        {"visibility 1x", at(groupLine(2, 11), " 1x"), {groupLine(2, 11), Fault::Visibility}},

        {"colour below int32", at(groupLine(1, 9), "-2147483649"), {groupLine(1, 9), Fault::DoesNotFit}},
        {"colour 2^31", at(groupLine(1, 9), " 2147483648"), {groupLine(1, 9), Fault::DoesNotFit}},
        {"colour beyond RGB", at(groupLine(1, 9), " 16777216"), {groupLine(1, 9), Fault::Colour}},
        {"colour negative", at(groupLine(1, 9), "-1"), {groupLine(1, 9), Fault::Colour}},
        {"colour system entry 0x1F", at(groupLine(1, 9), "-2147483617"), {groupLine(1, 9), Fault::Colour}},
        {"mode colour beyond RGB", at(5011, " 33554432"), {5011, Fault::Colour}},

        {"edge 2", at(edgeLine(3, 4), " 2"), {edgeLine(3, 4), Fault::Edge}},
        {"edge -1", at(edgeLine(0, 0), "-1"), {edgeLine(0, 0), Fault::Edge}},
        {"edge 1.5 rounds to 2", at(edgeLine(64, 64), " 1.5"), {edgeLine(64, 64), Fault::Edge}},
        {"edge large negative", at(edgeLine(10, 20), "-2147483648"), {edgeLine(10, 20), Fault::Edge}},
        {"edge 2^32", at(edgeLine(10, 20), " 4294967296"), {edgeLine(10, 20), Fault::DoesNotFit}},

        {"field left 100001", at(groupLine(0, 1), " 100001"), {groupLine(0, 1), Fault::Position}},
        {"field top -100000.5", at(groupLine(3, 2), "-100000.5"), {groupLine(3, 2), Fault::Position}},
        {"token left 1e39", at(groupLine(5, 5), " 1E+39"), {groupLine(5, 5), Fault::Position}},
        {"token top 1e400", at(groupLine(5, 6), " 1e400"), {groupLine(5, 6), Fault::NumberTooLarge}},

        {"token tag 1e400", at(groupLine(6, 8), "-1e400"), {groupLine(6, 8), Fault::NumberTooLarge}},
        {"mode tag 1e400", at(5007, " 1e400"), {5007, Fault::NumberTooLarge}},
        {"Steinzahl beyond 32 bits", at(5012, " 1e10"), {5012, Fault::DoesNotFit}},

        {"text with SOH", at(groupLine(0, 12), "W\x01rfel"), {groupLine(0, 12), Fault::ControlCharacter}},
        {"text with NUL", at(groupLine(0, 12), QByteArray("a\0b", 3)), {groupLine(0, 12), Fault::ControlCharacter}},
        {"text with DEL", at(groupLine(0, 12), "a\x7F"), {groupLine(0, 12), Fault::ControlCharacter}},
        {"field tip with form feed", at(groupLine(8, 3), "frei\x0C"), {groupLine(8, 3), Fault::ControlCharacter}},
        {"token tip with 0x81", at(groupLine(8, 7), "\x81"), {groupLine(8, 7), Fault::UndefinedByte}},
        {"text with 0x9D", at(groupLine(9, 12), "a\x9D"), {groupLine(9, 12), Fault::UndefinedByte}},

        // Only the first failing line counts.
        {"two faults", at(5013, " 70").replace("W\xFCrfel", "W\x01rfel"), {groupLine(0, 12), Fault::ControlCharacter}},
    };

    // Valid in every line, but one byte too large.
    QByteArray big = good;
    const QByteArray pad = QByteArray(1000, 'x') + "\r\n";
    while (big.size() + pad.size() <= gamefile::MaxFileSize)
        big += pad;
    big += QByteArray(gamefile::MaxFileSize - big.size() + 1, 'y');
    rows.push_back({"one byte over 16 MiB", big, {0, Fault::FileTooLarge}});

    // Noise: a fixed pseudo-random megabyte has a few thousand line ends.
    QByteArray noise(1 << 20, '\0');
    quint32 x = 12345;
    for (char &c : noise) {
        x = x * 1664525u + 1013904223u;
        c = char(x >> 24);
    }
    rows.push_back({"binary", noise, {AnyLine, Fault::TooFewLines}});
    return rows;
}

} // namespace fixtures
