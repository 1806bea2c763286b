// The solver: first the searches that prove a shortest solution (optimal.cpp, table.cpp,
// near.cpp, search.cpp), the cheapest that applies first. When none applies or finishes,
// with one free field and symmetric edges, a construction (construct.h), shortened
// (shorten.cpp).

#include "puzzle/construct.h"

namespace puzzle {

using namespace detail;

SearchMemo::SearchMemo() = default;
SearchMemo::~SearchMemo() = default;
SearchMemo::SearchMemo(SearchMemo &&) noexcept = default;
SearchMemo &SearchMemo::operator=(SearchMemo &&) noexcept = default;

namespace {

constexpr int NearMoves = 20;                  // the plain search near the target goes this deep
constexpr std::size_t NearNodes = 1000000;     // and looks at this many positions
constexpr std::size_t PatternNodes = 100000000; // 4 to 5 s; random 4 x 4 positions took a quarter
constexpr std::uint64_t FewStates = 20000;     // a short search answers without a table

} // namespace

// Shortest where a search can prove it, from the cheapest such search that applies: the
// distance table of a part of up to 11 fields, a short search on few arrangements, IDA*
// near the target, IDA* with pattern databases up to 16 fields. Otherwise constructed.
std::optional<std::vector<int>> solve(const Board &board, const Arrangement &from, const Arrangement &target,
                                      const Limits &limits, SearchMemo *memo)
{
    const Analysis a = analyse(board, from, target, limits);
    if (a.verdict != Verdict::Reachable)
        return std::nullopt;
    const Setup s = inspect(board, from, target);
    SearchMemo ownMemo;
    SearchMemo &m = memo ? *memo : ownMemo;
    std::optional<std::vector<int>> moves;
    if (from == target) {
        moves = std::vector<int>{};
    } else if (s.freeCount != 1 || !s.symmetric) {
        Exhaustive e = exhaustiveSearch(board, from, target, limits.searchStates, true);
        if (e.found)
            moves = std::move(e.moves);
    } else {
        const Tree tree = bfsTree(neighbours(board, board.onBoard), s.freeField);
        const std::span<const int> part = tree.order;
        const auto atMost = [&](std::uint64_t n) { return a.reachableCount && !(BigUnsigned(n) < *a.reachableCount); };
        if (!atMost(FewStates))
            moves = solveByTable(board, part, from, target, limits, m);
        if (!moves && atMost(limits.exactStates) && !(limits.stop && limits.stop()))
            moves = shortestWalk(board, part, from, target, 2 * limits.exactStates + 2);
        if (!moves)
            moves = solveNear(board, part, from, target, limits, NearMoves, NearNodes);
        if (!moves)
            moves = solveByPatterns(board, part, from, target, limits, m, PatternNodes);
        if (!moves) {
            moves = Constructor(board, from, target, limits).run();
            if (moves) // a construction wanders; shortening takes out the detours
                moves = shorten(board, from, std::move(*moves), limits);
        }
    }
    if (!moves)
        return std::nullopt;
    const std::optional<Arrangement> end = replay(board, from, *moves);
    if (!end || *end != target)
        return std::nullopt;
    return moves;
}

} // namespace puzzle
