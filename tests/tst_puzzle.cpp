// The puzzle's mathematics without a window: counts and reasons on boards whose answer is
// known from the theory, verdicts, the group order against brute-force search on small
// boards, the solver's moves replayed and its shortest answers against plain search.

#include "puzzle/detail.h"
#include "puzzle/puzzle.h"

#include <QtTest>

#include <algorithm>
#include <map>
#include <numeric>
#include <random>
#include <set>
#include <sstream>
#include <string>
#include <unordered_map>
#include <vector>

using namespace puzzle;

namespace {

// "0-1" joins two fields both ways, "0>1" lets a token on 0 slide into 1 only, "7" puts a
// field on the board without an edge.
Board board(const std::string &text)
{
    Board b;
    std::istringstream in(text);
    for (std::string t; in >> t;) {
        const auto sep = t.find_first_of("->");
        const int a = std::stoi(t.substr(0, sep));
        b.onBoard[a] = true;
        if (sep == std::string::npos)
            continue;
        const int c = std::stoi(t.substr(sep + 1));
        b.onBoard[c] = true;
        b.edge[a][c] = true;
        b.edge[c][a] = b.edge[c][a] || t[sep] == '-';
    }
    return b;
}

std::string edgeText(int a, int b)
{
    return std::to_string(a) + "-" + std::to_string(b) + " ";
}

std::string grid(int w, int h)
{
    std::string t;
    for (int i = 0; i < w * h; ++i)
        t += (i % w + 1 < w ? edgeText(i, i + 1) : "") + (i + w < w * h ? edgeText(i, i + w) : "");
    return t;
}

// A cycle through 0..n-1 in a random order plus `chords` new chords, the first closing a
// triangle: 2-connected, with chords + 1 independent cycles and an odd one among them.
std::string randomTwoConnected(int n, int chords, unsigned seed)
{
    std::mt19937 rnd(seed);
    std::vector<int> order(std::size_t(n), 0);
    std::iota(order.begin(), order.end(), 0);
    std::shuffle(order.begin(), order.end(), rnd);
    std::set<std::pair<int, int>> edges;
    std::string t;
    const auto join = [&](int a, int c) { return a != c && edges.insert(std::minmax(a, c)).second && (t += edgeText(a, c), true); };
    for (int i = 0; i < n; ++i)
        join(order[std::size_t(i)], order[std::size_t((i + 1) % n)]);
    for (int k = join(order[0], order[2]); k < chords;) {
        const int a = int(rnd() % unsigned(n)), c = int(rnd() % unsigned(n)); // in this order on every compiler
        k += join(a, c);
    }
    return t;
}

// A square with 16 petals, each a path of `length` new fields from one corner to the next.
std::string petals(int length)
{
    std::string t = "0-1 1-2 2-3 3-0 ";
    for (int f = 4, petal = 0; petal < 16; ++f, petal = (f - 4) / length) // f: a petal's field
        t += edgeText((f - 4) % length ? f - 1 : petal % 4, f) + ((f - 3) % length ? "" : edgeText(f, (petal + 1) % 4));
    return t;
}

const std::string Petersen = "0-1 1-2 2-3 3-4 4-0 0-5 1-6 2-7 3-8 4-9 5-7 7-9 9-6 6-8 8-5";
// Wilson's exception: two fields joined by paths with one, two and two fields between.
const std::string Theta0 = "0-1 1-2 0-3 3-4 4-2 0-5 5-6 6-2";

// Tokens on the board fields in index order, "_" for a free field; empty: the start order.
Arrangement arrangement(const Board &b, const std::string &text)
{
    if (text.empty())
        return startArrangement(b);
    Arrangement a;
    a.fill(NoToken);
    std::istringstream in(text);
    std::string t;
    for (int f = 0; f < FieldCount; ++f)
        if (b.onBoard[f] && in >> t)
            a[f] = t == "_" ? NoToken : std::stoi(t);
    return a;
}

// Every arrangement reachable from `from` (at most 9 board fields), with its distance, by
// trying every move next to a free field.
std::map<Arrangement, int> bySearch(const Board &b, const Arrangement &from)
{
    std::vector<int> fields;
    for (int f = 0; f < FieldCount; ++f)
        if (b.onBoard[f])
            fields.push_back(f);
    const auto key = [&](const Arrangement &a) {
        std::uint64_t k = 0;
        for (int f : fields)
            k = k << 7 | std::uint64_t(a[f] + 1);
        return k;
    };
    std::unordered_map<std::uint64_t, int> seen{{key(from), 0}};
    std::vector<Arrangement> queue{from};
    for (std::size_t k = 0; k < queue.size(); ++k) {
        const int d = seen.at(key(queue[k])) + 1;
        for (int f : fields) {
            if (!std::any_of(fields.begin(), fields.end(), [&](int j) { return queue[k][j] == NoToken && b.edge[f][j]; }))
                continue;
            const int m[] = {f};
            const auto next = replay(b, queue[k], m);
            if (next && seen.emplace(key(*next), d).second)
                queue.push_back(*next);
        }
    }
    std::map<Arrangement, int> out;
    for (const Arrangement &a : queue)
        out.emplace(a, seen.at(key(a)));
    return out;
}

// A random walk of moves: its end is reachable by construction.
Arrangement randomWalk(const Board &b, Arrangement a, int steps, std::mt19937 &rnd, std::vector<int> *moves = nullptr)
{
    for (int s = 0; s < steps; ++s) {
        std::vector<int> movable;
        for (int f = 0; f < FieldCount; ++f)
            if (slideTarget(b, a, f) >= 0)
                movable.push_back(f);
        if (movable.empty())
            break;
        const int m[] = {movable[rnd() % movable.size()]};
        a = *replay(b, a, m);
        if (moves)
            moves->push_back(m[0]);
    }
    return a;
}

// The distance from `from` to `to` by plain breadth-first search, -1 beyond maxDepth.
int distanceBySearch(const Board &b, const Arrangement &from, const Arrangement &to, int maxDepth)
{
    std::set<Arrangement> seen{from};
    std::vector<Arrangement> layer{from};
    for (int d = 0; d <= maxDepth; ++d) {
        std::vector<Arrangement> next;
        for (const Arrangement &a : layer) {
            if (a == to)
                return d;
            for (int f = 0; f < FieldCount; ++f) {
                const int m[] = {f};
                const std::optional<Arrangement> n = slideTarget(b, a, f) >= 0 ? replay(b, a, m) : std::nullopt;
                if (n && seen.insert(*n).second)
                    next.push_back(*n);
            }
        }
        layer = std::move(next);
    }
    return -1;
}

std::string countText(const std::optional<BigUnsigned> &n)
{
    return n ? formatGrouped(*n) : "?";
}

// Compares analyse with brute force: the count, and the verdict on reached and random targets.
void compareWithSearch(const Board &b, const Arrangement &from, const Limits &limits, std::mt19937 &rnd,
                       const std::string &name)
{
    const std::map<Arrangement, int> reached = bySearch(b, from);
    const Analysis a = analyse(b, from, from, limits);
    if (a.reachableCount || limits.searchStates >= reached.size())
        QVERIFY2(countText(a.reachableCount) == formatGrouped(BigUnsigned(reached.size())), name.c_str());
    std::vector<Arrangement> targets;
    auto it = reached.begin();
    for (std::size_t k = 0; k < 4; ++k, std::advance(it, std::ptrdiff_t(reached.size() / 5)))
        targets.push_back(it->first);
    std::vector<int> fields;
    for (int f = 0; f < FieldCount; ++f)
        if (b.onBoard[f])
            fields.push_back(f);
    for (int k = 0; k < 4; ++k) {
        Arrangement t = from;
        for (std::size_t i = fields.size(); i > 1; --i)
            std::swap(t[fields[i - 1]], t[fields[rnd() % i]]);
        targets.push_back(t);
    }
    for (const Arrangement &t : targets) {
        const Verdict v = analyse(b, from, t, limits).verdict;
        const Verdict truth = reached.count(t) ? Verdict::Reachable : Verdict::Unreachable;
        QVERIFY2(v == truth || (v == Verdict::Unknown && limits.searchStates < reached.size()), name.c_str());
    }
}

} // namespace

class TestPuzzle : public QObject {
    Q_OBJECT

private slots:
    void bigNumbers_data();
    void bigNumbers();
    void moveRule_data();
    void moveRule();
    void knownAnswers_data();
    void knownAnswers();
    void verdicts_data();
    void verdicts();
    void groupOrderAgainstSearch();
    void manyCycles();
    void theoremAgainstSchreierSims();
    void solverReplays_data();
    void solverReplays();
    void solverShortestNearTarget();
    void solverTablesAndMemo();
    void shortening();
    void constructedLengths();
};

void TestPuzzle::bigNumbers_data()
{
    QTest::addColumn<quint64>("start");
    QTest::addColumn<QString>("factors");
    QTest::addColumn<QString>("grouped");
    QTest::newRow("zero") << quint64(0) << "7" << "0";
    QTest::newRow("three digits") << quint64(999) << "" << "999";
    QTest::newRow("carry into a new limb") << quint64(999999999) << "1000000001" << "999.999.999.999.999.999";
    QTest::newRow("2^64") << (quint64(1) << 63) << "2" << "18.446.744.073.709.551.616";
}

void TestPuzzle::bigNumbers()
{
    QFETCH(quint64, start);
    QFETCH(QString, factors);
    QFETCH(QString, grouped);
    BigUnsigned n(start);
    for (const QString &f : factors.split(QLatin1Char(' '), Qt::SkipEmptyParts))
        n *= f.toUInt();
    QCOMPARE(QString::fromStdString(formatGrouped(n)), grouped);
    QCOMPARE(QString::fromStdString(n.toString()), QString(grouped).remove(QLatin1Char('.')));
    BigUnsigned doubled = n;
    doubled *= 2;
    QCOMPARE(n < doubled, start != 0);
    QVERIFY(!(doubled < n) && !(n < n));
}

void TestPuzzle::moveRule_data()
{
    QTest::addColumn<QString>("boardText");
    QTest::addColumn<QString>("start");
    QTest::addColumn<int>("field");
    QTest::addColumn<int>("to"); // -1: no move
    QTest::newRow("the only free neighbour") << "0-1 1-2" << "4 5 _" << 1 << 2;
    QTest::newRow("not next to the free field") << "0-1 1-2" << "4 5 _" << 0 << -1;
    QTest::newRow("several free: the highest") << "0-1 0-2 0-3" << "4 _ _ _" << 0 << 3;
    QTest::newRow("one-way, along") << "0>1" << "4 _" << 0 << 1;
    QTest::newRow("one-way, against") << "0>1" << "_ 4" << 1 << -1;
    QTest::newRow("the diagonal is no edge") << "0-0 1" << "4 _" << 0 << -1;
    QTest::newRow("a free field is no token") << "0-1" << "_ _" << 0 << -1;
    QTest::newRow("field beyond 64") << "0-1" << "4 _" << 65 << -1;
}

void TestPuzzle::moveRule()
{
    QFETCH(QString, boardText);
    QFETCH(QString, start);
    QFETCH(int, field);
    QFETCH(int, to);
    Board b = board(boardText.toStdString());
    b.edge[0][40] = b.edge[1][40] = true; // field 40 is free but off the board: never a target
    const Arrangement a = arrangement(b, start.toStdString());
    QCOMPARE(slideTarget(b, a, field), to);
    const int move[] = {field};
    const std::optional<Arrangement> once = replay(b, a, move);
    QCOMPARE(once.has_value(), to >= 0);
    if (once) {
        QCOMPARE((*once)[to], a[field]);
        QCOMPARE((*once)[field], NoToken);
    }
    const int back[] = {field, to}; // and back again, over an edge that way
    QCOMPARE(replay(b, a, back).has_value(), to >= 0 && b.edge[to][field]);
}

void TestPuzzle::knownAnswers_data()
{
    QTest::addColumn<QString>("boardText");
    QTest::addColumn<QString>("start");
    QTest::addColumn<QString>("reachable");
    QTest::addColumn<QString>("total");
    QTest::addColumn<int>("reason");
    const auto row = [](const char *name, const std::string &b, const char *start, const char *reachable,
                        const char *total, Reason reason) {
        QTest::newRow(name) << QString::fromStdString(b) << start << reachable << total << int(reason);
    };
    // A closed walk of the free field on a cycle of M fields turns its M - 1 tokens by
    // whole turns only: M - 1 rotations for each of the M places of the free field.
    row("cycle of 5", "0-1 1-2 2-3 3-4 4-0", "", "20", "120", Reason::CycleRotationsOnly);
    // Two-colourable: every move changes the free field's colour and the parity of the
    // permutation together, so at most half; Wilson: exactly half on a 2-connected board.
    row("4 x 4 grid", grid(4, 4), "", "10.461.394.944.000", "20.922.789.888.000", Reason::BipartiteHalf);
    // 2-connected, not two-colourable, no cycle, not theta_0: every arrangement.
    row("Petersen graph", Petersen, "", "3.628.800", "3.628.800", Reason::None);
    // theta_0: PGL(2,5), 120 of the 720 arrangements for each place of the free field.
    row("theta_0", Theta0, "", "840", "5.040", Reason::ExceptionalBoard);
    // Trees: no token ever passes another; only the free field's place varies.
    row("star of 5", "0-1 0-2 0-3 0-4", "1 2 _ 3 4", "5", "120", Reason::BridgeBlocks);
    // Blocks rotate their own tokens only: triangles 2 ways each.
    row("two triangles and a bridge", "0-1 1-2 2-0 2-3 3-4 4-5 5-3", "", "24", "720", Reason::BridgeBlocks);
    row("two triangles sharing a field", "0-1 1-2 2-0 2-3 3-4 4-2", "", "20", "120", Reason::ArticulationBlocks);
    // A piece without the free field stays as it is.
    row("triangle and a separate pair", "0-1 1-2 2-0 3-4", "", "2", "120", Reason::SeparateParts);
    row("free field in the triangle", "0-1 1-2 2-0 3-4", "0 _ 1 2 3", "6", "120", Reason::SeparateParts);
    row("free field alone", "0-1 1-2 2-0 3", "", "1", "24", Reason::FieldWithoutEdges);
    row("a field alone", "0-1 1-2 2-0 3", "0 _ 1 2", "6", "24", Reason::FieldWithoutEdges);
    row("one field", "0", "", "1", "1", Reason::None);
    row("no field", "", "", "1", "1", Reason::None);
    row("no free field", "0-1", "0 1", "1", "2", Reason::NoFreeField);
    // One-way: the free field goes round 3 -> 2 -> 1 -> 0 -> 3, turning three tokens.
    row("one-way cycle of 4", "0>1 1>2 2>3 3>0", "", "12", "24", Reason::OneWayEdges);
}

void TestPuzzle::knownAnswers()
{
    QFETCH(QString, boardText);
    QFETCH(QString, start);
    QFETCH(QString, reachable);
    QFETCH(QString, total);
    QFETCH(int, reason);
    const Board b = board(boardText.toStdString());
    const Arrangement from = arrangement(b, start.toStdString());
    const Analysis a = analyse(b, from, from);
    QCOMPARE(a.verdict, Verdict::Reachable);
    QCOMPARE(QString::fromStdString(countText(a.reachableCount)), reachable);
    QCOMPARE(QString::fromStdString(formatGrouped(a.totalCount)), total);
    QCOMPARE(int(a.reason), reason);
    QCOMPARE(reasonText(a.reason).empty(), a.reason == Reason::None);
}

void TestPuzzle::verdicts_data()
{
    QTest::addColumn<QString>("boardText");
    QTest::addColumn<QString>("start");
    QTest::addColumn<QString>("target");
    QTest::addColumn<int>("searchStates"); // 0: the default
    QTest::addColumn<int>("verdict");
    QTest::addColumn<int>("reason");
    QTest::addColumn<bool>("solved");
    const auto row = [](const char *name, const std::string &b, const char *start, const char *target, int search,
                        Verdict v, Reason r, bool solved) {
        QTest::newRow(name) << QString::fromStdString(b) << start << target << search << int(v) << int(r) << solved;
    };
    const std::string g = grid(4, 4);
    const Verdict yes = Verdict::Reachable, no = Verdict::Unreachable, unknown = Verdict::Unknown;
    // The 15 puzzle: the sign of the permutation (free field included) times (-1)^(the free
    // field's distance from its start) never changes; A_15 gives everything else.
    row("15: two pairs exchanged", g, "", "1 0 3 2 4 5 6 7 8 9 10 11 12 13 14 _", 0, yes, Reason::BipartiteHalf, true);
    row("15: all one on, but two", g, "", "_ 1 0 2 3 4 5 6 7 8 9 10 11 12 13 14", 0, yes, Reason::BipartiteHalf, true);
    row("cycle: turned", "0-1 1-2 2-3 3-4 4-0", "", "_ 0 1 2 3", 0, yes, Reason::CycleRotationsOnly, true);
    row("over a bridge", "0-1 1-2 2-0 2-3 3-4 4-5 5-3", "", "0 1 3 2 4 _", 0, no, Reason::BridgeBlocks, false);
    row("free field in another piece", "0-1 2-3", "0 _ 1 2", "0 1 _ 2", 0, no, Reason::SeparateParts, false);
    row("a token into another piece", "0-1 1-2 3-4", "0 1 _ 2 3", "0 3 _ 2 1", 0, no, Reason::SeparateParts, false);
    row("target off the board", "0-2 2-3", "", "", 0, no, Reason::TargetOffBoard, false);
    row("other tokens", "0-1 1-2", "", "0 7 _", 0, no, Reason::DifferentTokens, false);
    row("a token twice in the target", "0-1 1-2", "", "0 0 _", 0, no, Reason::DifferentTokens, false);
    row("a token twice at the start", "0-1 1-2", "0 0 _", "0 0 _", 0, unknown, Reason::InvalidStart, false);
    row("no token 70", "0-1 1-2", "70 0 _", "70 0 _", 0, unknown, Reason::InvalidStart, false);
    // Too many arrangements to search: found, or no statement.
    row("two free fields, one move", g, "0 1 2 3 4 5 6 7 8 9 10 11 12 _ 13 _", "0 1 2 3 4 5 6 7 8 9 10 11 _ 12 13 _",
        1000, yes, Reason::SeveralFreeFields, true);
    row("two free fields, far", g, "0 1 2 3 4 5 6 7 8 9 10 11 12 _ 13 _", "1 0 2 3 4 5 6 7 8 9 10 11 12 _ 13 _",
        1000, unknown, Reason::SeveralFreeFields, false);
    // The free field may leave the square for field 4 and never come back.
    const std::string square = "0-1 1-2 2-3 3-0 4>0";
    row("one-way: searched", square, "_ 1 2 3 0", "0 2 3 1 _", 1000, yes, Reason::OneWayEdges, true);
    row("one-way: too many to search", square, "_ 1 2 3 0", "0 2 3 1 _", 2, unknown, Reason::OneWayEdges, false);
    row("one-way: turned in the square", square, "_ 1 2 3 0", "1 2 3 _ 0", 2, yes, Reason::OneWayEdges, false);
    row("one-way: exchanged in the square", square, "_ 1 2 3 0", "2 1 3 _ 0", 2, no, Reason::OneWayEdges, false);
    row("one-way: no way there", "0>1 1-2", "_ 0 1", "0 _ 1", 2, no, Reason::OneWayEdges, false);
}

void TestPuzzle::verdicts()
{
    QFETCH(QString, boardText);
    QFETCH(QString, start);
    QFETCH(QString, target);
    QFETCH(int, searchStates);
    QFETCH(int, verdict);
    QFETCH(int, reason);
    QFETCH(bool, solved);
    const Board b = board(boardText.toStdString());
    Limits limits;
    limits.searchStates = searchStates > 0 ? std::size_t(searchStates) : limits.searchStates;
    const Arrangement from = arrangement(b, start.toStdString());
    Arrangement to = arrangement(b, target.toStdString());
    if (target.isEmpty()) // "Vorgabe" numbering on fields 0 and 1, but field 1 is not on the board
        to = numberedTarget(b, std::vector<int>{1, 0});
    const Analysis a = analyse(b, from, to, limits);
    QCOMPARE(int(a.verdict), verdict);
    QCOMPARE(int(a.reason), reason);
    const std::optional<std::vector<int>> moves = solve(b, from, to, limits);
    QCOMPARE(moves.has_value(), solved);
    if (moves)
        QCOMPARE(replay(b, from, *moves), std::optional(to));
}

void TestPuzzle::groupOrderAgainstSearch()
{
    std::mt19937 rnd(5);
    // Every connected board of 2 to 6 fields up to renumbering: a graph is taken when no
    // renumbering gives a smaller edge mask (bit k: the k-th pair in index order).
    const std::vector<int> expectedGraphs = {1, 2, 6, 21, 112}; // connected graphs on 2..6 vertices
    for (int n = 2; n <= 6; ++n) {
        std::vector<std::pair<int, int>> pairs;
        for (int i = 0; i < n; ++i)
            for (int j = i + 1; j < n; ++j)
                pairs.emplace_back(i, j);
        std::vector<std::vector<int>> bitOf; // per renumbering, where each pair's bit goes
        std::vector<int> p(std::size_t(n), 0);
        std::iota(p.begin(), p.end(), 0);
        do {
            std::vector<int> to;
            for (const auto &[i, j] : pairs) {
                const auto [a, b] = std::minmax(p[std::size_t(i)], p[std::size_t(j)]);
                to.push_back(int(std::find(pairs.begin(), pairs.end(), std::pair(a, b)) - pairs.begin()));
            }
            bitOf.push_back(to);
        } while (std::next_permutation(p.begin(), p.end()));
        int graphs = 0;
        for (unsigned mask = 1; mask < (1u << pairs.size()); ++mask) {
            std::vector<int> part(std::size_t(n), 0); // connected: every field gets field 0's label
            std::iota(part.begin(), part.end(), 0);
            for (int round = 0; round < n; ++round)
                for (std::size_t k = 0; k < pairs.size(); ++k)
                    if (mask & (1u << k))
                        part[std::size_t(pairs[k].second)] = part[std::size_t(pairs[k].first)] =
                            std::min(part[std::size_t(pairs[k].first)], part[std::size_t(pairs[k].second)]);
            if (std::count(part.begin(), part.end(), 0) != n)
                continue;
            const bool smaller = std::any_of(bitOf.begin(), bitOf.end(), [&](const std::vector<int> &to) {
                unsigned m = 0;
                for (std::size_t k = 0; k < pairs.size(); ++k)
                    m |= ((mask >> k) & 1u) << to[k];
                return m < mask;
            });
            if (smaller)
                continue;
            std::string text;
            for (std::size_t k = 0; k < pairs.size(); ++k)
                if (mask & (1u << k))
                    text += edgeText(pairs[k].first, pairs[k].second);
            const Board b = board(text);
            ++graphs;
            compareWithSearch(b, startArrangement(b), Limits{}, rnd, text);
            if (QTest::currentTestFailed())
                return;
        }
        QCOMPARE(graphs, expectedGraphs[std::size_t(n - 2)]);
    }
    // Larger and stranger ones: theta_0 and two like it, random boards of 7 and 8 fields, one-way edges
    // (also with the search turned off, so the group of the one-way walks answers), several free fields.
    for (const char *theta : {Theta0.c_str(), "0-1 1-2 0-3 3-2 0-4 4-5 5-6 6-2", "0-2 0-1 1-2 0-3 3-4 4-5 5-6 6-2"})
        compareWithSearch(board(theta), startArrangement(board(theta)), Limits{}, rnd, theta);
    for (int k = 0; k < 8; ++k) {
        const int n = k % 4 == 3 ? 8 : 7;
        std::string text, oneWay;
        for (int i = 0; i < n; ++i)
            for (int j = i + 1; j < n; ++j) {
                const unsigned r = rnd() % 8;
                text += r < 3 ? edgeText(i, j) : "";
                oneWay += r < 2 ? edgeText(i, j) : r == 2 ? std::to_string(i) + ">" + std::to_string(j) + " " : "";
            }
        text += std::to_string(n - 1);
        const Board b = board(text);
        compareWithSearch(b, startArrangement(b), Limits{}, rnd, text);
        if (k % 2 == 0) {
            const Board d = board(oneWay + std::to_string(n - 2));
            Limits noSearch;
            noSearch.searchStates = 0;
            compareWithSearch(d, startArrangement(d), Limits{}, rnd, oneWay);
            compareWithSearch(d, startArrangement(d), noSearch, rnd, oneWay + " (no search)");
            Arrangement two = startArrangement(b);
            two[std::size_t(k)] = NoToken;
            compareWithSearch(b, two, Limits{}, rnd, text + " (two free)");
        }
    }
}

// Many independent cycles (random Schreier-Sims used to stall there): petals of 3 and 2
// fields, random boards with 17 independent cycles. Wilson: a 2-connected board, neither a
// cycle nor theta_0, reaches every arrangement, or every second one when two-colourable
// (only the petals of 2); then two tokens exchanged are out of reach.
void TestPuzzle::manyCycles()
{
    std::mt19937 rnd(17);
    for (int n : {3, 2, 40, 50, 65}) {
        const Board b = board(n < 4 ? petals(n) : randomTwoConnected(n, 16, unsigned(n)));
        const Arrangement from = randomWalk(b, startArrangement(b), 300, rnd), to = randomWalk(b, from, 300, rnd);
        const Analysis a = analyse(b, from, to); // the total is n!, checked with the known answers
        BigUnsigned reached = a.reachableCount.value_or(0);
        reached *= n == 2 ? 2 : 1;
        QVERIFY(reached == a.totalCount && a.verdict == Verdict::Reachable);
        Arrangement swapped = to;
        std::swap(swapped[to[0] < 0 ? 2 : 0], swapped[to[1] < 0 ? 2 : 1]);
        QCOMPARE(analyse(b, from, swapped).verdict, n == 2 ? Verdict::Unreachable : Verdict::Reachable);
        QCOMPARE(solve(b, from, swapped).has_value(), n != 2);
    }
}

// The theorem's group orders against the Schreier-Sims chains of the blocks' own closed
// walks, without the random head start, on random boards with bridges, cycles and larger
// blocks.
void TestPuzzle::theoremAgainstSchreierSims()
{
    std::mt19937 rnd(3);
    for (int n = 8; n <= 32; ++n) {
        // A random tree and random chords; for odd n every edge joins an even and an odd field.
        const auto other = [n](int a, int c) { return n % 2 && (a - c) % 2 == 0 ? (c > 0 ? c - 1 : 1) : c; };
        std::string text;
        for (int f = 1, c = int(rnd() % unsigned(n)); f < n; ++f, c = int(rnd() % unsigned(n))) {
            const int parent = int(rnd() % unsigned(f)), chord = int(rnd() % unsigned(n)); // sequenced
            text += edgeText(f, other(f, parent)) + edgeText(c, other(c, chord));
        }
        const Board b = board(text);
        const detail::FreeFieldGroup sifted = detail::freeFieldGroup(b, b.onBoard, n % 3, true);
        QVERIFY(sifted.exact && detail::freeFieldGroup(b, b.onBoard, n % 3).order() == sifted.order());
    }
}

void TestPuzzle::solverReplays_data()
{
    QTest::addColumn<QString>("boardText");
    QTest::addColumn<int>("coreFields"); // below the default: the constructions do more of the work
    QTest::addColumn<bool>("search");    // shortest paths wherever the arrangements are few enough
    const auto row = [](const char *name, const std::string &b, int core, bool search) {
        QTest::newRow(name) << QString::fromStdString(b) << core << search;
    };
    row("4 x 4 grid", grid(4, 4), 9, true);
    row("4 x 4 grid, small core", grid(4, 4), 4, false);
    row("3 x 5 grid, no core", grid(3, 5), 0, false);
    row("Petersen graph", Petersen, 9, false);
    row("Petersen graph, no core", Petersen, 0, false);
    row("theta_0", Theta0, 9, false);
    row("cycle of 12 with a chord", "0-1 1-2 2-3 3-4 4-5 5-6 6-7 7-8 8-9 9-10 10-11 11-0 0-5", 9, false);
    row("tree", "0-1 1-2 1-3 3-4 3-5 0-6", 9, false);
    row("cycles and bridges", "0-1 1-2 2-3 3-0 2-4 4-5 5-6 6-4 5-7 7-8 8-9 9-10 10-11 11-7", 3, false);
    row("random 2-connected, 20 fields, small core", randomTwoConnected(20, 12, 2), 5, false);
}

void TestPuzzle::solverReplays()
{
    QFETCH(QString, boardText);
    QFETCH(int, coreFields);
    QFETCH(bool, search);
    const Board b = board(boardText.toStdString());
    Limits limits;
    limits.coreFields = coreFields;
    limits.exactStates = search ? limits.exactStates : 0;
    int asked = 0; // without search the construction alone; with, the searches give up after a while
    limits.stop = [&asked, search] { return !search || ++asked > 100; };
    std::mt19937 rnd(coreFields);
    const Arrangement start = startArrangement(b);
    for (int k = 0; k < 3; ++k) {
        const Arrangement from = randomWalk(b, start, 400, rnd), to = randomWalk(b, start, 400, rnd);
        const std::optional<std::vector<int>> moves = solve(b, from, to, limits);
        QVERIFY(moves);
        QCOMPARE(replay(b, from, *moves), std::optional(to));
        Arrangement swapped = to; // two tokens exchanged: the analysis decides, the solver agrees
        const auto t1 = std::find_if(swapped.begin(), swapped.end(), [](int t) { return t >= 0; });
        std::iter_swap(t1, std::find_if(t1 + 1, swapped.end(), [](int t) { return t >= 0; }));
        const bool reachable = analyse(b, from, swapped, limits).verdict == Verdict::Reachable;
        const std::optional<std::vector<int>> other = solve(b, from, swapped, limits);
        QCOMPARE(other.has_value(), reachable);
        if (other)
            QCOMPARE(replay(b, from, *other), std::optional(swapped));
    }
}

void TestPuzzle::solverShortestNearTarget()
{
    // A few random moves from the target, on boards from 9 to 64 fields: as long as the
    // true distance, found by plain breadth-first search. One memo per board.
    std::mt19937 rnd(17);
    for (const std::string &text : {grid(3, 3), Petersen, grid(4, 4), grid(8, 8)}) {
        const Board b = board(text);
        const Arrangement target = startArrangement(b);
        SearchMemo memo;
        for (int k = 1; k <= 8; ++k) {
            const Arrangement from = randomWalk(b, target, k, rnd);
            const std::optional<std::vector<int>> moves = solve(b, from, target, {}, &memo);
            QVERIFY(moves);
            QCOMPARE(int(moves->size()), distanceBySearch(b, from, target, k));
            QCOMPARE(replay(b, from, *moves), std::optional(target));
        }
    }
}

// Shortening keeps the end and never lengthens; detours through arrangements a loop-free
// solution never passes are certain to go; told to stop at once, everything still replays.
void TestPuzzle::shortening()
{
    std::mt19937 rnd(11);
    Limits stopNow;
    stopNow.stop = [] { return true; };
    for (const std::string &text : {grid(5, 4), grid(8, 8), randomTwoConnected(40, 15, 7)}) {
        const Board b = board(text);
        const Arrangement from = randomWalk(b, startArrangement(b), 500, rnd);
        std::vector<int> wander;
        const Arrangement end = randomWalk(b, from, 400, rnd, &wander);
        const std::vector<int> shorter = detail::shorten(b, from, wander, {});
        QCOMPARE(replay(b, from, shorter), std::optional(end));
        QVERIFY(shorter.size() <= wander.size());

        const std::optional<std::vector<int>> base = solve(b, from, end);
        QVERIFY(base);
        const auto step = [&](Arrangement a, int m) {
            const int one[] = {m};
            return *replay(b, a, one);
        };
        std::set<Arrangement> passed{from};
        for (Arrangement a = from; int m : *base)
            passed.insert(a = step(a, m));
        const auto fresh = [&](Arrangement a, const std::vector<int> &loop) {
            for (std::size_t k = 0; k + 1 < loop.size(); ++k)
                if (passed.count(a = step(a, loop[k])))
                    return false;
            return true;
        };
        // A move and its reverse, and the free field three times round a square (a 3-cycle of tokens, cubed).
        std::vector<int> planted;
        std::size_t plantedMoves = 0;
        Arrangement a = from;
        for (std::size_t i = 0; i <= base->size(); a = i < base->size() ? step(a, (*base)[i]) : a, ++i) {
            const int h = int(std::find(a.begin(), a.end(), NoToken) - a.begin()); // board fields come first
            std::vector<std::vector<int>> detours;
            for (int x = 0; x < FieldCount && i % 7 == 3; ++x) {
                if (b.edge[h][x] && detours.empty())
                    detours.push_back({x, h});
                for (int y = 0; y < FieldCount && b.edge[h][x]; ++y)
                    for (int z = 0; z < FieldCount && detours.size() < 2; ++z)
                        if (y != x && z != h && b.edge[h][y] && b.edge[x][z] && b.edge[z][y])
                            detours.push_back({x, z, y, h, x, z, y, h, x, z, y, h});
            }
            for (const std::vector<int> &d : detours) {
                if (fresh(a, d)) {
                    planted.insert(planted.end(), d.begin(), d.end());
                    plantedMoves += d.size();
                }
            }
            if (i < base->size())
                planted.push_back((*base)[i]);
        }
        QVERIFY(plantedMoves >= 10);
        const std::vector<int> cut = detail::shorten(b, from, planted, {});
        QCOMPARE(replay(b, from, cut), std::optional(end));
        QVERIFY(cut.size() <= planted.size() - plantedMoves);

        const std::vector<int> stopped = detail::shorten(b, from, planted, stopNow);
        QCOMPARE(replay(b, from, stopped), std::optional(end));
        QVERIFY(stopped.size() <= planted.size());
        const std::optional<std::vector<int>> quick = solve(b, from, end, stopNow);
        QVERIFY(quick);
        QCOMPARE(replay(b, from, *quick), std::optional(end));
    }
}

void TestPuzzle::solverTablesAndMemo()
{
    // Against brute force, far from the target too: the distance table (through solve) and
    // the pattern search on small boards, and the pattern search near the target on the
    // 3 x 4 grid; one memo across solves and a changed target.
    std::mt19937 rnd(5);
    std::vector<int> fields(12);
    std::iota(fields.begin(), fields.end(), 0);
    for (const std::string &text : {randomTwoConnected(8, 2, 4), randomTwoConnected(8, 3, 5), std::string("0-1 1-2 0-3 3-4 4-2 0-5 5-6 6-2 1-7 7-4")}) {
        const Board b = board(text);
        SearchMemo memo;
        for (int t = 0; t < 2; ++t) {
            const Arrangement target = randomWalk(b, startArrangement(b), 60, rnd);
            const std::map<Arrangement, int> distance = bySearch(b, target);
            for (int k = 0; k < 5; ++k) {
                auto it = distance.begin();
                std::advance(it, std::ptrdiff_t(rnd() % distance.size()));
                // The part in another order each time: the memo's table must not care.
                std::vector<int> part(fields.begin(), fields.begin() + 8);
                std::rotate(part.begin(), part.begin() + k, part.end());
                for (const std::optional<std::vector<int>> &moves :
                     {solve(b, it->first, target, {}, &memo), detail::solveByTable(b, part, it->first, target, {}, memo),
                      detail::solveByPatterns(b, std::span(fields).first(8), it->first, target, {}, memo, 1u << 30)}) {
                    QVERIFY(moves);
                    QCOMPARE(int(moves->size()), it->second);
                    QCOMPARE(replay(b, it->first, *moves), std::optional(target));
                }
            }
        }
    }
    const Board g = board(grid(4, 3));
    SearchMemo memo;
    for (int t = 0; t < 2; ++t) {
        const Arrangement target = randomWalk(g, startArrangement(g), 60, rnd);
        for (int k = 6; k <= 12; k += 3) {
            const Arrangement from = randomWalk(g, target, k, rnd);
            const std::optional<std::vector<int>> moves =
                detail::solveByPatterns(g, fields, from, target, {}, memo, std::size_t(1) << 30);
            QVERIFY(moves);
            QCOMPARE(int(moves->size()), distanceBySearch(g, from, target, k));
            QCOMPARE(replay(g, from, *moves), std::optional(target));
        }
    }

    // A stop, at once or in the middle of building a table: a correct answer or none,
    // and the memo still answers shortest afterwards.
    for (const std::string &text : {grid(3, 3), grid(4, 4), grid(8, 8)}) {
        const Board b = board(text);
        const Arrangement target = startArrangement(b), from = randomWalk(b, target, 300, rnd);
        SearchMemo stopped;
        for (int after : {0, 3}) {
            int asked = 0;
            Limits limits;
            limits.stop = [&] { return ++asked > after; };
            const std::optional<std::vector<int>> moves = solve(b, from, target, limits, &stopped);
            if (moves)
                QCOMPARE(replay(b, from, *moves), std::optional(target));
        }
        const Arrangement near = randomWalk(b, target, 6, rnd);
        const std::optional<std::vector<int>> moves = solve(b, near, target, {}, &stopped);
        QVERIFY(moves);
        QCOMPARE(int(moves->size()), distanceBySearch(b, near, target, 6));
    }
}

// What the construction and its shortening promise on boards too large for a proof: a
// median over far positions of at most 800 moves on the 8 x 8 grid and 1,500 on a random
// 2-connected board of 65 fields and 97 edges.
void TestPuzzle::constructedLengths()
{
    std::mt19937 rnd(13);
    const std::pair<std::string, std::size_t> aims[] = {{grid(8, 8), 800}, {randomTwoConnected(65, 32, 65), 1500}};
    for (const auto &[text, aim] : aims) {
        const Board b = board(text);
        const Arrangement target = randomWalk(b, startArrangement(b), 20000, rnd);
        std::vector<std::size_t> lengths;
        for (int k = 0; k < 7; ++k) {
            const Arrangement from = randomWalk(b, target, 20000, rnd);
            const std::optional<std::vector<int>> moves = solve(b, from, target);
            QVERIFY(moves && replay(b, from, *moves) == std::optional(target));
            lengths.push_back(moves->size());
        }
        std::sort(lengths.begin(), lengths.end());
        QVERIFY2(lengths[3] <= aim, qPrintable(QString::number(lengths[3])));
    }
}

QTEST_APPLESS_MAIN(TestPuzzle)
#include "tst_puzzle.moc"
