// The game model without a window: the move rule against an oracle written here, the
// cascade's count, slides and the history, play's layout, "Mischen", the snapshot for the
// solver, the editor's rules, chance, and the file's mapping of the model.

#include "gamefile/gamefile.h"
#include "model/game.h"
#include "model/random.h"

#include <QtTest>
#include <cmath>
#include <numeric>
#include <random>
#include <set>

using model::FieldCount;
using model::Game;

namespace {

// Fields named in "0-1 1-2" on the board, on a grid, joined as given; play laid out.
Game boardOf(const QString &edges, bool play = true)
{
    Game g;
    for (const QString &pair : edges.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        const int a = pair.section(QLatin1Char('-'), 0, 0).toInt(), b = pair.section(QLatin1Char('-'), 1).toInt();
        for (int k : {a, b}) {
            g.fields[size_t(k)].tag = 1;
            g.fields[size_t(k)].left = float(60 + 48 * (k % 12));
            g.fields[size_t(k)].top = float(130 + 48 * (k / 12));
        }
        g.edges[size_t(a)][size_t(b)] = g.edges[size_t(b)][size_t(a)] = 1;
    }
    if (play) {
        g.setMode(model::Mode::Play);
        g.layOutTokens();
    }
    return g;
}

// The rule as the game states it: the highest-index other board field that is free
// and joined to the token's field, which must lie on the board.
int oracleTarget(const Game &g, int token)
{
    const double t = g.tokens[size_t(token)].tag;
    const double r = std::nearbyint(t);
    if (!(r >= 0 && r <= 64) || g.fields[size_t(r)].tag != 1)
        return -1;
    const int from = int(r);
    int best = -1;
    for (int j = 0; j < FieldCount; ++j)
        if (j != from && g.edges[size_t(from)][size_t(j)] == 1 && g.fields[size_t(j)].tag == 1 && g.fields[size_t(j)].tip == model::FreeTip)
            best = j;
    return best;
}

} // namespace

class TestModel : public QObject {
    Q_OBJECT
private slots:
    void moveRuleAgainstOracle()
    {
        std::mt19937 gen(7);
        const double odd[] = {-1, 65, 2.5, 3.5, -0.4, 64.4, 64.6, NAN, INFINITY, 1e300};
        for (int round = 0; round < 300; ++round) {
            Game g;
            for (auto &f : g.fields) {
                f.tag = gen() % 4 ? 1 : (gen() % 2 ? 0 : 1.0000001);
                f.tip = gen() % 3 ? model::OccupiedTip : model::FreeTip;
            }
            for (int a = 0; a < FieldCount; ++a)
                for (int b = 0; b < FieldCount; ++b)
                    g.edges[size_t(a)][size_t(b)] = gen() % 9 == 0 ? (gen() % 8 ? 1 : 2) : 0;
            for (auto &z : g.tokens)
                z.tag = gen() % 5 ? double(gen() % 65) : odd[gen() % std::size(odd)];
            for (int k = 0; k < FieldCount; ++k)
                QCOMPARE(g.moveTarget(k).value_or(-1), oracleTarget(g, k));
            QVERIFY(!g.moveTarget(-1) && !g.moveTarget(FieldCount));
        }
        // On a consistent board the game and the mathematics agree move for move.
        Game g = boardOf(QStringLiteral("0-1 1-2 2-3 3-0 0-2 3-4 4-5"));
        const model::Position p = *g.position();
        for (int k = 0; k < g.tokensInPlay(); ++k)
            QCOMPARE(g.moveTarget(k).value_or(-1), puzzle::slideTarget(p.board, p.now, *g.fieldOfToken(k)));
    }

    void cascadeCount()
    {
        // A star: field 0 in the middle, 1..4 around it; the last board field (4) is free.
        Game g = boardOf(QStringLiteral("0-1 0-2 0-3 0-4"));
        model::CascadeCount c = g.cascadeCount(-1, 7);
        QCOMPARE(c.free, 4);
        QCOMPARE(c.count, 1); // token 0 on field 0 is the one neighbour
        QCOMPARE(c.candidate, 0);
        QCOMPARE(g.cascadeCount(0, 7).count, 0); // the token just moved is not forced
        // Only a tag naming a field exactly counts: 0.5 rounds to 0 for a move, not here.
        g.tokens[0].tag = 0.5;
        QCOMPARE(g.moveTarget(0), std::optional<int>(4));
        QCOMPARE(g.cascadeCount(-1, 7).count, 0);
        // Now field 0 is free: its three other neighbours all could move.
        g.tokens[0].tag = 0;
        g.slideDone(0, 4, g.tokenPlace(0, 4));
        c = g.cascadeCount(-1, 7);
        QCOMPARE(c.free, 0);
        QCOMPARE(c.count, 4);
        QCOMPARE(c.candidate, 0); // the last one found: token 0, now on field 4
        // Without a free board field the previous one stands.
        g.fields[0].tip = model::OccupiedTip;
        c = g.cascadeCount(-1, 3);
        QCOMPARE(c.free, 3);
        QCOMPARE(g.cascadeCount(-1, -1).count, 0);
    }

    void slidesAndHistory()
    {
        Game g = boardOf(QStringLiteral("0-1 1-2 2-3 3-0"));
        const model::TokenFields start = g.tokenFields();
        QVERIFY(g.beginStep(true));
        QVERIFY(!g.beginStep(false)); // an action inside another is part of its step
        g.slideDone(2, 3, g.tokenPlace(2, 3));
        QCOMPARE(g.fields[3].tip, model::OccupiedTip);
        QCOMPARE(g.fields[2].tip, model::FreeTip);
        QCOMPARE(g.tokens[2].tag, 3.0);
        QCOMPARE(std::make_pair(g.tokens[2].left, g.tokens[2].top), g.tokenPlace(2, 3));
        QCOMPARE(g.slidesMade, 1);
        g.endStep();
        QCOMPARE(g.history.done.size(), size_t(1));
        QCOMPARE(g.history.done[0].before, start);
        QCOMPARE(g.history.done[0].after, g.tokenFields());
        QCOMPARE(g.history.done[0].slides.size(), size_t(1));
        QCOMPARE(g.history.done[0].slides[0].from, 2);
        // A step that changed nothing is none; one without slides records none.
        QVERIFY(g.beginStep(false));
        g.endStep();
        QCOMPARE(g.history.done.size(), size_t(1));
        QVERIFY(g.beginStep(false));
        g.slideDone(1, 2, g.tokenPlace(1, 2));
        g.endStep();
        QVERIFY(g.history.done.back().slides.empty());
        // Back, then a new step drops what could be redone.
        std::optional<model::HistoryStep> back = g.takeStep(true);
        QVERIFY(back && g.history.done.size() == 1);
        QVERIFY(!g.takeStep(true)); // the tokens no longer stand where the first step left them
        QVERIFY(g.history.done.empty() && g.history.undone.empty());
        QVERIFY(g.beginStep(false));
        g.slideDone(1, 1, g.tokenPlace(1, 1));
        g.history.undone.push_back(*back);
        g.endStep();
        QVERIFY(g.history.undone.empty());
        QVERIFY(!g.takeStep(false));
    }

    void playLayoutAndRearranging()
    {
        Game g = boardOf(QStringLiteral("3-9 9-20 20-3"));
        QCOMPARE(g.tokenCount, std::optional<std::int32_t>(2));
        QCOMPARE(g.startFields[0], 3);
        QCOMPARE(g.startFields[1], 9);
        QVERIFY(g.tokens[1].visible && !g.tokens[2].visible);
        QCOMPARE(g.fields[9].tip, model::OccupiedTip);
        QCOMPARE(g.fields[20].tip, model::FreeTip);
        // Centred: a 32-pixel token on a 42-pixel field sits 5 pixels in.
        QCOMPARE(g.tokens[0].left, g.fields[3].left + 5);
        QCOMPARE(g.tokens[0].top, g.fields[3].top + 5);
        QVERIFY(g.atTarget());
        g.rearrange({1, 0});
        QCOMPARE(g.fieldOfToken(0), std::optional<int>(9));
        QCOMPARE(g.tokens[0].left, g.fields[9].left + 5);
        QVERIFY(!g.atTarget());
        model::TokenFields to;
        to.fill(-1);
        to[0] = 20;
        to[1] = 3;
        g.placeTokens(to);
        QCOMPARE(g.tokenFields(), to);
        QCOMPARE(g.fields[9].tip, model::FreeTip);
        QCOMPARE(g.fields[20].tip, model::OccupiedTip);
        g.tokensOff(1);
        QVERIFY(!g.tokens[0].visible && g.tokens[0].tag == -1 && g.fields[20].free() && g.fields[20].pointer == 1);
        // The count serves only when it can count tokens 0..N-1.
        for (int n : {-1, 0, 65})
            QCOMPARE((g.tokenCount = n, g.tokensInPlay()), 0);
        QCOMPARE((g.tokenCount = 64, g.tokensInPlay()), 64);
    }

    void positionForTheSolver()
    {
        Game g = boardOf(QStringLiteral("0-1 1-2 2-0"));
        QVERIFY(g.position() && g.atTarget());
        g.targetNumbering = std::vector<int>{1, 0};
        QVERIFY(g.position() && !g.atTarget());
        QCOMPARE(g.position()->target[0], 1);
        g.targetNumbering.reset();
        g.fields[2].tip = model::OccupiedTip; // occupied, yet no token stands there
        QVERIFY(!g.position() && !g.atTarget());
        g.fields[2].tip = model::FreeTip;
        g.tokens[1].tag = 0; // two tokens on one field
        QVERIFY(!g.position());
        g.tokens[1].tag = 40; // a token off the board
        QVERIFY(!g.position());
    }

    void editorRules()
    {
        Game g = boardOf(QStringLiteral("0-1"), false);
        g.toggleEdge(0, 1);
        QVERIFY(g.edges[0][1] == 0 && g.edges[1][0] == 0);
        g.toggleEdge(2, 5);
        QVERIFY(g.edges[2][5] == 1 && g.edges[5][2] == 1);
        g.toggleEdge(4, 4); // flips twice
        QCOMPARE(g.edges[4][4], 0);
        g.toggleEdge(-1, 3);
        g.toggleEdge(3, 65);
        g.toggleEdge(0, 5);
        g.removeEdgesOf(5);
        for (int k = 0; k < FieldCount; ++k)
            QVERIFY(g.edges[5][size_t(k)] == 0 && g.edges[size_t(k)][5] == 0);
        QCOMPARE(g.edges[2][5] + g.edges[0][5], 0);
        g.fields[7].left = 100;
        g.fields[7].top = 50;
        g.resizeFields(20); // 42 -> 20 about the centre
        QCOMPARE(g.fields[7].left, 111.f);
        QCOMPARE(g.fields[7].top, 61.f);
        QCOMPARE(g.fields[7].width, 20.f);
        QCOMPARE(g.fieldSize, 20);
        g.setMode(model::Mode::Connect);
        QVERIFY(g.inMode(model::Mode::Connect) && !g.inMode(model::Mode::Set) && !g.inMode(model::Mode::Play));
    }

    void chance()
    {
        model::Random a, b;
        std::vector<double> draws;
        for (int i = 0; i < 1000; ++i) {
            const double r = a.next();
            QVERIFY(r >= 0 && r < 1);
            draws.push_back(r);
        }
        QVERIFY(std::set<double>(draws.begin(), draws.end()).size() == draws.size());
        const double mean = std::accumulate(draws.begin(), draws.end(), 0.0) / double(draws.size());
        QVERIFY(mean > 0.45 && mean < 0.55);
        QCOMPARE(b.next(), draws[0]);
        a.reseed();
        QCOMPARE(a.next(), draws[0]);
        QCOMPARE(a.below(0), 0);
        std::vector<int> seen(7);
        for (int i = 0; i < 700; ++i)
            ++seen[size_t(a.below(7))];
        QVERIFY(*std::min_element(seen.begin(), seen.end()) > 60);
        for (int n : {1, 5, 64}) {
            std::vector<int> p = model::randomPermutation(a, n);
            std::sort(p.begin(), p.end());
            for (int i = 0; i < n; ++i)
                QCOMPARE(p[size_t(i)], i);
        }
        QVERIFY(model::randomPermutation(a, 0).empty());
    }

    void fileMapsTheModel()
    {
        Game g = boardOf(QStringLiteral("0-1 1-2 2-0 2-3"));
        g.tokens[1].colour = 0x123456;
        g.tokens[2].text = QStringLiteral("Ä");
        g.fields[60].pointer = 99;
        g.fieldSize = 30;
        gamefile::Game file = gamefile::collect(g);
        QCOMPARE(file.fieldSize, std::int16_t(30));
        QCOMPARE(file.tokenCount, 3);
        QCOMPARE(file.groups[1].tokenColour, 0x123456);
        QCOMPARE(file.groups[60].fieldPointer, std::int16_t(99));
        // A tag read back holds what its 15-digit text says.
        file.groups[2].fieldTag = 1.0000000000000002;
        file.groups[0].tokenTag = 2.0000000000000004;
        file.modeTags[2] = 0.9999999999999999;
        Game h;
        gamefile::apply(h, file);
        QVERIFY(h.onBoard(2) && h.tokens[0].tag == 2.0 && h.inMode(model::Mode::Play));
        // The size first, then the places: a game opens exactly where it was saved.
        QCOMPARE(h.fields[3].left, g.fields[3].left);
        QCOMPARE(h.fields[3].width, 30.f);
        file.groups[2].fieldTag = 1;
        file.groups[0].tokenTag = 2;
        file.modeTags[2] = 1;
        QVERIFY(gamefile::collect(h) == file);
        QCOMPARE(h.tokens[2].text, QStringLiteral("Ä"));
    }
};

QTEST_APPLESS_MAIN(TestModel)
#include "tst_model.moc"
