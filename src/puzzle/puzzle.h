#pragma once
// The mathematics of the sliding puzzle on an arbitrary board, without any widget or Qt
// type: which arrangements can be reached from which, how many there are, and a solver.
//
// The model
//   Fields are numbered 0..64. A Board says which fields lie on the board and which
//   moves exist: edge[f][j] means a token on field f may slide into field j when j is
//   free. Only pairs of board fields count; the diagonal is ignored. edge is normally
//   symmetric; a hand-edited game may make it one-way.
//   An Arrangement holds, for every field, the number of the token standing on it, or
//   NoToken for a free field and for every field off the board. Tokens are 0..64, each
//   at most once. The game has N tokens on N + 1 board fields, so one field is free;
//   everything else is handled too (answered by search where small, else Unknown).
//   A move is the field whose token slides, exactly as in the game: the token on f goes
//   to the highest-numbered free board field j with edge[f][j].
//
// What is proven and how (see analyse.cpp and solve.cpp)
//   With a symmetric matrix the free field walks the board's graph; the walks that end
//   where they started permute the tokens and form a group. Tokens never pass a field
//   whose removal splits the board (an articulation or a bridge), so the group is the
//   product of one group per 2-connected block, each known by Wilson's theorem: always
//   exact. One-way edges: exact where an exhaustive search fits the limit or where the
//   free field can always get back (its closed walks still form a group, found by
//   Schreier-Sims); otherwise no statement is made.
//
// From the game: onBoard[f] = field f lies on the board (its tag is "1"), edge[f][j] =
// edges(f, j) == 1, and a token k in play standing on field f (its tag) gives a[f] = k.
// "Lösbarkeit prüfen" is analyse with reasonText and formatGrouped; "Tipp" plays the first
// move of solve, "Lösen" all of them (each move: the token on that field slides). Only
// shortest solutions are sure to get shorter move by move: for hint after hint, keep the
// solution and go on along it while the board follows it, rather than solving afresh.
//
// All functions are pure, never throw for any input (std::bad_alloc aside), never read
// or write outside 0..64, and are safe to call from any thread (a memo from one at a
// time). The check takes about 0.1 ms. A solution on 65 fields takes a tenth to a fifth
// of a second; the first on a part of 10 or 11 fields a quarter of a second to two
// seconds for its table, later ones microseconds; one on 16 fields mostly well under a
// second. Only an exhaustive search (one-way edges the group cannot settle, several free
// fields) stops after Limits::searchStates arrangements, some tenths of a second.

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace puzzle {

inline constexpr int FieldCount = 65;
inline constexpr int NoToken = -1;

struct Board {
    std::array<bool, FieldCount> onBoard{};
    std::array<std::array<bool, FieldCount>, FieldCount> edge{};
};

using Arrangement = std::array<int, FieldCount>;

// A small unsigned integer of any size: the counts exceed 64 bits (64! has 90 digits).
class BigUnsigned {
public:
    BigUnsigned(std::uint64_t value = 0); // implicit: a count is naturally written as a number
    BigUnsigned &operator*=(std::uint32_t factor);
    friend bool operator==(const BigUnsigned &, const BigUnsigned &) = default;
    friend bool operator<(const BigUnsigned &a, const BigUnsigned &b);
    std::string toString() const; // plain decimal digits, "0" for zero

private:
    std::vector<std::uint32_t> m_limbs; // base 10^9, least significant first, no leading zero limb
};

// Decimal with German digit grouping: "20.922.789.888.000".
std::string formatGrouped(const BigUnsigned &value);

enum class Verdict {
    Reachable,
    Unreachable,
    Unknown, // no statement possible (one-way edges or several free fields on a large board)
};

// Why not every arrangement can be reached, where one plain reason exists; or why the
// question itself is ill-posed. reasonText gives the sentence.
enum class Reason {
    None,
    FieldWithoutEdges,  // a board field has no edge at all
    SeparateParts,      // the board falls apart into pieces; no token changes piece
    BridgeBlocks,       // tokens cannot pass a bridge
    ArticulationBlocks, // tokens cannot pass a field whose removal splits the board
    CycleRotationsOnly, // the free field's part is one cycle: rotations only
    BipartiteHalf,      // two-colourable with every edge joining both colours: every second one
    ExceptionalBoard,   // the one 7-field board with only a sixth of the arrangements
    OneWayEdges,        // some edges hold in one direction only
    SeveralFreeFields,
    NoFreeField,
    TargetOffBoard,   // the target puts a token on a field that is not on the board
    DifferentTokens,  // the target holds other tokens than the board
    InvalidStart,     // the start arrangement itself is broken (token off the board, twice, ...)
};

struct Analysis {
    Verdict verdict = Verdict::Unknown;
    std::optional<BigUnsigned> reachableCount; // arrangements reachable from the start; empty when not known
    BigUnsigned totalCount;                    // arrangements of these tokens on the board fields
    Reason reason = Reason::None;
};

// Tuning knobs. The defaults are what the game uses; tests turn them down to reach every
// path of the code on small boards.
struct Limits {
    std::size_t searchStates = 300000; // exhaustive search (one-way edges, several free fields)
    std::size_t exactStates = 400000;  // solve by shortest-path search when this many arrangements are reachable
    int coreFields = 9;                // the solver finishes the last this-many fields of a block by search
                                       // (beyond 10 the search gives up and the construction goes on)
    // Asked now and then by every search that may run long. Once it answers true, the
    // searches for a shortest solution give up and solve returns the best it has by then
    // (the construction, shortened as far as it got), or nothing where only a search
    // answers. The game ties it to a clock and to the player's cancel; empty: no limit.
    std::function<bool()> stop;
};

// What the searches of one solve learn about a board and target that the next solve can
// use again: a distance for every arrangement on small boards, pattern databases on
// boards of up to 16 fields. Building them can take a second or two; answering from them
// takes microseconds. Keep one memo while board and target stay the same and pass it to
// every solve; solve notices a different board or target itself and starts afresh. One
// thread at a time.
class SearchMemo {
public:
    SearchMemo();
    ~SearchMemo();
    SearchMemo(SearchMemo &&) noexcept;
    SearchMemo &operator=(SearchMemo &&) noexcept;
    struct Tables;
    std::unique_ptr<Tables> tables; // empty until a search builds something worth keeping
};

// Can `target` be reached from `from` with single moves, and how many arrangements can?
Analysis analyse(const Board &board, const Arrangement &from, const Arrangement &target, const Limits &limits = {});

// The sentence for a reason, German, UTF-8; empty for Reason::None.
std::string reasonText(Reason reason);

// The move rule, shared by the game and its mathematics: a token on `field` slides into
// the highest-index other field that is joined to it and open. Each side brings its own
// view of "joined" and "open"; -1 when there is no such field.
template <class Joined, class Open>
int highestOpenNeighbour(int field, Joined joined, Open open)
{
    int target = -1;
    for (int j = 0; j < FieldCount; ++j)
        if (j != field && open(j) && joined(j))
            target = j;
    return target;
}

// The field the token on `field` would slide into, or -1 when it cannot move (or there
// is no token, or `field` is out of range).
int slideTarget(const Board &board, const Arrangement &arrangement, int field);

// The arrangement after the moves, or std::nullopt when one of them is not a legal move.
std::optional<Arrangement> replay(const Board &board, const Arrangement &from, std::span<const int> moves);

// Moves that turn `from` into exactly `target`. Shortest wherever a search proves it: when
// the free field's part has at most 11 fields (a distance table), the reachable
// arrangements are few (Limits::exactStates), a solution of at most 20 moves exists, or
// the part has at most 16 fields (IDA* with pattern databases, unless `stop` or its cap
// ends it first). Otherwise constructed block by block and shortened. Every answer is
// checked by replay before it is returned. std::nullopt when the target cannot be
// reached, and also when no statement is possible (analyse says Unknown), when a board
// with one-way edges or several free fields is too large to search, and (never seen in
// the tests) when a construction fails its own replay.
std::optional<std::vector<int>> solve(const Board &board, const Arrangement &from, const Arrangement &target,
                                      const Limits &limits = {}, SearchMemo *memo = nullptr);

// The game's start order: token k on the k-th board field in index order, the last board field free.
Arrangement startArrangement(const Board &board);

// The target of a numbering: token numbering[i] on field i for i = 0..size-1 (entries
// beyond 65 ignored) and every other field free. With N tokens on N + 1 board fields that
// leaves the one remaining board field free; a token numbered onto a field off the board
// stays there, so analyse answers TargetOffBoard.
Arrangement numberedTarget(const Board &board, std::span<const int> numbering);

} // namespace puzzle
