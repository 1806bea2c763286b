// The puzzle's check and solver on nine boards, from grids to sparse random ones: 100 random
// reachable targets each (ends of long random walks of the free field from a random start),
// every one solved and its moves replayed; on the 3 x 3 grid every solution is also
// compared with the true distance. Any failure ends the program with exit code 1.
//   check   one analyse (reachability, counts, reason), median and worst
//   solve   one solve including its own replay, median and worst
//   moves   solution length, median and worst
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

// Breadth-first distance on a board of at most 16 fields with one free field, for the
// optimality check.
int distance(const Board &b, const Arrangement &from, const Arrangement &to)
{
    std::vector<int> fields;
    for (int f = 0; f < FieldCount; ++f)
        if (b.onBoard[f])
            fields.push_back(f);
    const auto key = [&](const Arrangement &a) {
        std::uint64_t k = 0;
        for (int f : fields)
            k = k << 4 | std::uint64_t(a[f] + 1);
        return k;
    };
    std::unordered_map<std::uint64_t, int> seen{{key(from), 0}};
    std::vector<Arrangement> queue{from};
    for (std::size_t i = 0; i < queue.size(); ++i) {
        const int d = seen[key(queue[i])];
        if (queue[i] == to)
            return d;
        const int free = *std::find_if(fields.begin(), fields.end(), [&](int f) { return queue[i][f] == NoToken; });
        for (int f : fields) {
            const int m[] = {f};
            if (!b.edge[f][free])
                continue;
            if (const auto n = replay(b, queue[i], m); n && seen.emplace(key(*n), d + 1).second)
                queue.push_back(*n);
        }
    }
    return -1;
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
};
std::vector<Row> rows;

void solveBoard(benchmark::State &state, const char *name, const Board &b, bool checkShortest)
{
    constexpr int Targets = 100;
    std::mt19937 rnd(2024);
    std::vector<double> check, solveTime;
    std::vector<std::size_t> moves;
    for (auto _ : state) {
        for (int k = 0; k < Targets; ++k) {
            const Arrangement from = randomWalk(b, startArrangement(b), 200000, rnd);
            const Arrangement to = randomWalk(b, startArrangement(b), 200000, rnd);
            const auto t0 = std::chrono::steady_clock::now();
            const Analysis a = analyse(b, from, to);
            const auto t1 = std::chrono::steady_clock::now();
            const std::optional<std::vector<int>> m = solve(b, from, to);
            const auto t2 = std::chrono::steady_clock::now();
            if (a.verdict != Verdict::Reachable)
                fail(name, k, "the check does not find a reachable target reachable");
            if (!m)
                fail(name, k, "no solution");
            if (replay(b, from, *m) != std::optional(to))
                fail(name, k, "the moves do not lead to the target");
            if (checkShortest && int(m->size()) != distance(b, from, to))
                fail(name, k, "the solution is not a shortest one");
            check.push_back(ms(t1 - t0));
            solveTime.push_back(ms(t2 - t1));
            moves.push_back(m->size());
        }
    }
    const Row r{name, int(std::count(b.onBoard.begin(), b.onBoard.end(), true)),
                median(check), *std::max_element(check.begin(), check.end()),
                median(solveTime), *std::max_element(solveTime.begin(), solveTime.end()),
                median(moves), *std::max_element(moves.begin(), moves.end())};
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
// Eight cycles of eight fields, each joined to the next by a bridge.
const Board CyclesAndBridges = boardOf(64, [](int i, int j) {
    return (i / 8 == j / 8 && j == i / 8 * 8 + (i % 8 + 1) % 8) || (i % 8 == 4 && j == i + 4);
});

} // namespace

BENCHMARK_CAPTURE(solveBoard, grid_3x3, "3 x 3 grid", grid(3, 3), true)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(solveBoard, grid_4x4, "4 x 4 grid", grid(4, 4), false)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(solveBoard, grid_8x8, "8 x 8 grid", grid(8, 8), false)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(solveBoard, petersen, "Petersen graph", Petersen, false)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(solveBoard, theta0, "theta_0 (7 fields)", Theta0, false)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(solveBoard, cycle_chord, "cycle of 20 with one chord", CycleWithChord, false)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(solveBoard, random30, "random 2-connected, 30 fields, 45 edges", randomTwoConnected(30, 15, 30), false)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(solveBoard, random65, "random 2-connected, 65 fields, 97 edges", randomTwoConnected(65, 32, 65), false)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(solveBoard, bridges, "8 cycles of 8 joined by bridges", CyclesAndBridges, false)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

int main(int argc, char **argv)
{
    return runBenchmarks(argc, argv, [] {
        std::printf("\n| board | fields | check ms median / max | solve ms median / max | moves median / max |\n"
                    "|---|---|---|---|---|\n");
        for (const Row &r : rows)
            std::printf("| %s | %d | %.2f / %.2f | %.1f / %.1f | %zu / %zu |\n", r.name.c_str(), r.fields,
                        r.checkMedian, r.checkMax, r.solveMedian, r.solveMax, r.movesMedian, r.movesMax);
    });
}
