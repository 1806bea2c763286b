// The puzzle's check and solver on sixteen boards, from grids and the sample games to sparse
// and many-cycle random ones. Per board one reachable target and 100 starts (50 on the
// 4 x 4 grid), each the end of a long random walk of the free field, solved with one memo
// as the game keeps it; every solution is replayed. Any failure ends the program with
// exit code 1.
//   check     one analyse (reachability, counts, reason), median and worst
//   solve     one solve including its own replay, median and worst
//   moves     solution length, median and worst
//   shortest  moves over the true distance, from a breadth-first search of the benchmark's
//             own, on the boards small enough for it
// Run the release build: build-rel/bench/bench_puzzle (the table at the end is the README's).

#include "bench_main.h"
#include "puzzle/puzzle.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <numeric>
#include <random>
#include <string>
#include <unordered_map>
#include <vector>

using namespace puzzle;

namespace {

Board boardOf(int n, const std::function<bool(int, int)> &joined)
{
    Board b;
    for (int i = 0; i < n; ++i) {
        b.onBoard[i] = true;
        for (int j = 0; j < n; ++j)
            b.edge[i][j] = b.edge[i][j] || (i != j && (joined(i, j) || joined(j, i)));
    }
    return b;
}

Board grid(int w, int h)
{
    return boardOf(w * h, [w](int i, int j) { return (j == i + 1 && i % w != w - 1) || j == i + w; });
}

// A cycle through all fields in a random order, plus random chords.
Board randomTwoConnected(int n, int chords, unsigned seed)
{
    std::mt19937 rnd(seed);
    std::vector<int> order(std::size_t(n), 0);
    std::iota(order.begin(), order.end(), 0);
    std::shuffle(order.begin(), order.end(), rnd);
    Board b = boardOf(n, [&](int i, int j) {
        const auto at = [&](int f) { return std::find(order.begin(), order.end(), f) - order.begin(); };
        return (at(i) + 1) % n == at(j);
    });
    for (int added = 0; added < chords;) {
        const int i = int(rnd() % unsigned(n)), j = int(rnd() % unsigned(n));
        if (i != j && !b.edge[i][j]) {
            b.edge[i][j] = b.edge[j][i] = true;
            ++added;
        }
    }
    return b;
}

// Token numbers (4 bits each) on the board fields in index order.
std::uint64_t key(const Board &b, const Arrangement &a)
{
    std::uint64_t k = 0;
    for (int f = 0; f < FieldCount; ++f)
        if (b.onBoard[f])
            k = k << 4 | std::uint64_t(a[f] + 1);
    return k;
}

Arrangement randomWalk(const Board &b, Arrangement a, long steps, std::mt19937 &rnd)
{
    std::array<std::vector<int>, FieldCount> next;
    int free = -1;
    for (int f = 0; f < FieldCount; ++f) {
        free = b.onBoard[f] && a[f] == NoToken ? f : free;
        for (int j = 0; j < FieldCount; ++j)
            if (b.onBoard[f] && b.onBoard[j] && b.edge[j][f] && j != f)
                next[f].push_back(j);
    }
    for (long s = 0; s < steps && free >= 0 && !next[free].empty(); ++s) {
        const int j = next[free][rnd() % next[free].size()];
        a[free] = a[j];
        a[j] = NoToken;
        free = j;
    }
    return a;
}

// The distance to `target` of every arrangement reachable from it, by a plain
// breadth-first search of the benchmark's own (boards of at most 15 fields with one free
// field): the proof that a solution is a shortest one.
std::unordered_map<std::uint64_t, int> distancesTo(const Board &b, const Arrangement &target)
{
    std::vector<int> fields;
    for (int f = 0; f < FieldCount; ++f)
        if (b.onBoard[f])
            fields.push_back(f);
    std::unordered_map<std::uint64_t, int> dist{{key(b, target), 0}};
    std::vector<Arrangement> queue{target};
    for (std::size_t i = 0; i < queue.size(); ++i) {
        const int d = dist[key(b, queue[i])];
        const int free = *std::find_if(fields.begin(), fields.end(), [&](int f) { return queue[i][f] == NoToken; });
        for (int f : fields) {
            const int m[] = {f};
            if (!b.edge[f][free])
                continue;
            if (const auto n = replay(b, queue[i], m); n && dist.emplace(key(b, *n), d + 1).second)
                queue.push_back(*n);
        }
    }
    return dist;
}

[[noreturn]] void fail(const char *board, int target, const char *what)
{
    std::fprintf(stderr, "\nbench_puzzle: FAILED on %s, target %d: %s\n", board, target, what);
    std::exit(EXIT_FAILURE);
}

double ms(std::chrono::steady_clock::duration d)
{
    return std::chrono::duration<double, std::milli>(d).count();
}

template <class T>
T median(std::vector<T> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

struct Row {
    std::string name;
    int fields;
    double checkMedian, checkMax, solveMedian, solveMax;
    std::size_t movesMedian, movesMax;
    double ratioMedian = 0, ratioMax = 0; // moves / proven shortest; 0: not proven here
};
std::vector<Row> rows;

// One target per board, kept as the game keeps it while the player works towards it, and
// `targets` starts each the end of a long random walk; one memo for all of them, as in
// the game. With `prove`, every length is compared with the breadth-first distance.
void solveBoard(benchmark::State &state, const char *name, const Board &b, int targets, bool prove)
{
    std::mt19937 rnd(2024);
    std::vector<double> check, solveTime, ratio;
    std::vector<std::size_t> moves;
    for (auto _ : state) {
        const Arrangement to = randomWalk(b, startArrangement(b), 200000, rnd);
        const std::unordered_map<std::uint64_t, int> dist = prove ? distancesTo(b, to) : decltype(dist){};
        SearchMemo memo;
        for (int k = 0; k < targets; ++k) {
            const Arrangement from = randomWalk(b, to, 200000, rnd);
            const auto t0 = std::chrono::steady_clock::now();
            const Analysis a = analyse(b, from, to);
            const auto t1 = std::chrono::steady_clock::now();
            const std::optional<std::vector<int>> m = solve(b, from, to, {}, &memo);
            const auto t2 = std::chrono::steady_clock::now();
            if (a.verdict != Verdict::Reachable || !a.reachableCount)
                fail(name, k, "the check does not count and find a reachable target reachable");
            if (!m)
                fail(name, k, "no solution");
            if (replay(b, from, *m) != std::optional(to))
                fail(name, k, "the moves do not lead to the target");
            if (prove) {
                const int shortest = dist.at(key(b, from));
                ratio.push_back(shortest == 0 ? 1.0 : double(m->size()) / shortest);
            }
            check.push_back(ms(t1 - t0));
            solveTime.push_back(ms(t2 - t1));
            moves.push_back(m->size());
        }
    }
    Row r{name, int(std::count(b.onBoard.begin(), b.onBoard.end(), true)),
          median(check), *std::max_element(check.begin(), check.end()),
          median(solveTime), *std::max_element(solveTime.begin(), solveTime.end()),
          median(moves), *std::max_element(moves.begin(), moves.end())};
    if (prove) {
        r.ratioMedian = median(ratio);
        r.ratioMax = *std::max_element(ratio.begin(), ratio.end());
        state.counters["shortest_ratio_max"] = r.ratioMax;
    }
    rows.push_back(r);
    state.counters["check_ms_med"] = r.checkMedian;
    state.counters["check_ms_max"] = r.checkMax;
    state.counters["solve_ms_med"] = r.solveMedian;
    state.counters["solve_ms_max"] = r.solveMax;
    state.counters["moves_med"] = double(r.movesMedian);
    state.counters["moves_max"] = double(r.movesMax);
}

const Board Petersen = boardOf(10, [](int i, int j) {
    return (i < 5 && j == (i + 1) % 5) || (i < 5 && j == i + 5) || (i >= 5 && j == 5 + (i - 5 + 2) % 5);
});
// Wilson's exception: two fields joined by paths with one, two and two fields between.
const Board Theta0 = boardOf(7, [](int i, int j) {
    return (i == 0 && (j == 1 || j == 3 || j == 5)) || (j == 2 && (i == 1 || i == 4 || i == 6)) || (i == 3 && j == 4) ||
           (i == 5 && j == 6);
});
const Board CycleWithChord = boardOf(20, [](int i, int j) { return j == (i + 1) % 20 || (i == 0 && j == 10); });
// The sample game zwei_kreise: an 8-cycle whose opposite fields 0 and 4 are also joined by the path 0-8-9-4.
const Board TwoCycles = boardOf(10, [](int i, int j) {
    return (i < 8 && j == (i + 1) % 8) || (i == 0 && j == 8) || (i == 8 && j == 9) || (i == 9 && j == 4);
});
// A 4-cycle with 16 petals: paths of three fields whose ends join two neighbours on the cycle.
const Board Petals = boardOf(52, [](int i, int j) {
    if (i < 4)
        return j == (i + 1) % 4;
    const int petal = (i - 4) / 3, at = (i - 4) % 3;
    return (at == 0 && j == petal % 4) || (at < 2 && j == i + 1) || (at == 2 && j == (petal + 1) % 4);
});
// Eight cycles of eight fields, each joined to the next by a bridge.
const Board CyclesAndBridges = boardOf(64, [](int i, int j) {
    return (i / 8 == j / 8 && j == i / 8 * 8 + (i % 8 + 1) % 8) || (i % 8 == 4 && j == i + 4);
});

} // namespace

#define PUZZLE_ROW(id, name, board, targets, prove)                                                            \
    BENCHMARK_CAPTURE(solveBoard, id, name, board, targets, prove)->Iterations(1)->Unit(benchmark::kMillisecond)

PUZZLE_ROW(grid_3x3, "3 x 3 grid", grid(3, 3), 100, true);
PUZZLE_ROW(grid_4x4, "4 x 4 grid (fuenfzehn.swk)", grid(4, 4), 50, false);
PUZZLE_ROW(cycle10, "cycle of 10 (kreis.swk)", boardOf(10, [](int i, int j) { return j == (i + 1) % 10; }), 100, true);
PUZZLE_ROW(path8, "path of 8 (pfad.swk)", boardOf(8, [](int i, int j) { return j == i + 1; }), 100, true);
PUZZLE_ROW(two_cycles, "two cycles sharing a path (zwei_kreise.swk)", TwoCycles, 100, true);
PUZZLE_ROW(petersen, "Petersen graph (petersen.swk)", Petersen, 100, true);
PUZZLE_ROW(theta0, "theta_0 (7 fields)", Theta0, 100, true);
PUZZLE_ROW(grid_8x8, "8 x 8 grid", grid(8, 8), 100, false);
PUZZLE_ROW(cycle_chord, "cycle of 20 with one chord", CycleWithChord, 100, false);
PUZZLE_ROW(random30, "random 2-connected, 30 fields, 45 edges", randomTwoConnected(30, 15, 30), 100, false);
PUZZLE_ROW(random65, "random 2-connected, 65 fields, 97 edges", randomTwoConnected(65, 32, 65), 100, false);
PUZZLE_ROW(bridges, "8 cycles of 8 joined by bridges", CyclesAndBridges, 100, false);
PUZZLE_ROW(petals, "4-cycle with 16 petals of 3 (17 cycles)", Petals, 100, false);
PUZZLE_ROW(many40, "random 2-connected, 40 fields, 17 cycles", randomTwoConnected(40, 16, 40), 100, false);
PUZZLE_ROW(many50, "random 2-connected, 50 fields, 17 cycles", randomTwoConnected(50, 16, 50), 100, false);
PUZZLE_ROW(many65, "random 2-connected, 65 fields, 17 cycles", randomTwoConnected(65, 16, 65), 100, false);

int main(int argc, char **argv)
{
    return runBenchmarks(argc, argv, [] {
        std::printf("\n| board | fields | check ms median / max | solve ms median / max | moves median / max |"
                    " moves / shortest median / max |\n|---|---|---|---|---|---|\n");
        for (const Row &r : rows) {
            std::printf("| %s | %d | %.2f / %.2f | %.1f / %.1f | %zu / %zu | ", r.name.c_str(), r.fields,
                        r.checkMedian, r.checkMax, r.solveMedian, r.solveMax, r.movesMedian, r.movesMax);
            if (r.ratioMax > 0)
                std::printf("%.2f / %.2f |\n", r.ratioMedian, r.ratioMax);
            else
                std::printf("- |\n");
        }
    });
}
