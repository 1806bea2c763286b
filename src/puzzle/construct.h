#pragma once
// The construction, for when no search finds a shortest solution: with one free field
// and symmetric edges, block by block. The free field is first walked to b (the start's
// free field) in the target too, along a fixed path; then each block is solved with the
// free field entering and leaving it through its entry, and the path is walked at the
// end. Tokens never change blocks, so the blocks are independent; a walk into a block and
// back along the same path changes nothing.
//
// A block that is a cycle or the 7-field exception has few arrangements: search. Any other
// block's group is everything parity allows (Wilson 1974). There the region still to be
// solved shrinks: a field is filled with its token by the shortest route of that token, or
// a chain of fields with two neighbours each is filled like a conveyor, and the region
// left must stay 2-connected, no cycle and, unless the block is bipartite, not bipartite,
// so that it stays solvable (checked by its group on small regions). The last coreFields
// fields are solved by search. Where nothing can go (a long cycle with one chord, say),
// tokens are placed by 3-cycles: a small commutator of the region's closed walks, carried
// to any three fields by conjugation with a word from a shortest-path search over triples
// of fields. Such regions need long solutions whatever the method: a token only gets past
// others where the region branches.
//
// On sparse boards the region easily ends as such a long theta. So some constructions
// first pick a small solvable core (two short cycles sharing a path), close in on it and
// leave it to the search.
//
// A construction is cheap, so a few are made (forwards and backwards, two orders of
// fields, three fields to close in on, the core's order of fields shaken a little) and
// the shortest is kept; one that grows longer than the best so far is given up. solve
// then shortens it (shorten.cpp).
//
// construct.cpp: the constructions and the blocks; peel.cpp: closing in on a region;
// threecycles.cpp and letters.cpp: the 3-cycles.

#include "puzzle/detail.h"

#include <initializer_list>
#include <optional>
#include <span>
#include <vector>

namespace puzzle::detail {

inline constexpr std::size_t CoreSearchCap = 2000000;
inline constexpr int ShuffledOrders = 8; // more constructions around the core, their order of fields shaken by
                                         // up to two steps of distance from the entry, the later ones by one

// ---------------------------------------------------------------- words of closed walks

// A closed walk of the free field from a region's entry, with the permutation it causes.
struct Letter {
    std::vector<int> moves;
    Perm perm;
};

// A product of letters; letter 2i + 1 is the inverse of letter 2i.
using Word = std::vector<int>;

struct Element {
    Word word;
    Perm perm;
    std::size_t cost = 0; // moves
};

class Letters {
public:
    explicit Letters(std::vector<Letter> l) : all(std::move(l)) {}
    std::vector<Letter> all;

    Element make(Word w) const;
    static Word inverse(const Word &w);
    static Word join(std::initializer_list<Word> parts);
    Element commutator(const Word &x, const Word &y) const { return make(join({x, y, inverse(x), inverse(y)})); }
    Element conjugate(const Word &s, const Word &g) const { return make(join({inverse(g), s, g})); }

    // A 3-cycle: a commutator of two letters, or of a small commutator s and a conjugate
    // of s (or a letter) whose support shares exactly one field with s's; such a
    // commutator is always a 3-cycle. Conjugating words come from a breadth-first search
    // over where the letters carry s's support.
    std::optional<Element> threeCycle() const;

private:
    std::vector<int> shortestLetters() const;
    std::optional<Element> searched(const std::vector<int> &shortest) const;
};

// Shortest words carrying a 3-cycle's fields to any three fields of a region (threecycles.cpp).
class Triples;

// ---------------------------------------------------------------- the construction

class Constructor {
public:
    Constructor(const Board &board, const Arrangement &from, const Arrangement &target, const Limits &limits)
        : m_board(board), m_from(from), m_to(target), m_limits(limits)
    {
    }

    // The shortest of a few constructions: forwards and backwards (the moves of the way
    // from the target to the start, reversed), with the fields filled in two orders, and
    // closing in on the free field's own field, on the board's centre or on a small core;
    // then more around the core with the order shaken. Which one wins varies from target
    // to target, and each costs only milliseconds.
    std::optional<std::vector<int>> run();

private:
    static constexpr int CoreEntry = -2;

    // What goes next while closing in: one field, or a chain running from u to w.
    struct Choice {
        std::vector<int> fields;
        int u = -1, w = -1;
    };

    void findCore(const Neighbours &nb, int start);
    std::optional<std::vector<int>> attempt(const Arrangement &from, const Arrangement &target, int entry);
    Neighbours within(const FieldSet &set) const;
    void walk(std::span<const int> moves);
    std::vector<std::size_t> children(std::size_t i) const;
    bool needed(std::size_t i);
    bool visit(std::size_t i);
    bool solveBlock(const BlockGroup &blk);
    bool solvableRest(const FieldSet &rest, int count, int entry, bool bipartiteBlock) const;

    // peel.cpp
    bool peel(const BlockGroup &blk, const Arrangement &goal);
    int tokenAt(const FieldSet &region, int token) const;
    Choice choose(const FieldSet &region, int count, int entry, bool bipartiteBlock, bool keepCore,
                  const Neighbours &nb, const Arrangement &goal) const;
    bool place(FieldSet &region, const Choice &choice, const Neighbours &nb, const Arrangement &goal);
    std::optional<std::vector<int>> route(const Neighbours &nb, const FieldSet &allowed, int tokenField, int goalField,
                                          int goalFree, const Arrangement &goal) const;
    int spare(const FieldSet &rest, const std::vector<int> &ear, const Arrangement &goal) const;
    bool enoughSpare(const FieldSet &rest, const std::vector<int> &ear, const Arrangement &goal) const;
    int jitter(int field) const;
    bool fillCheaper(FieldSet &region, std::vector<int> ear, int u, int w, const Arrangement &goal);
    bool fillEar(FieldSet &region, const std::vector<int> &ear, int u, int w, const Arrangement &goal);

    // threecycles.cpp
    bool threeCycles(const FieldSet &region, int entry, const Arrangement &goal);
    void play(const Letters &letters, const Word &w);
    bool inPlace(const std::vector<int> &fields, const Arrangement &goal) const;
    bool placeByCycles(const Letters &letters, const Element &cycle, const Triples &triples, const Tree &tree,
                       const std::vector<int> &fields, const Arrangement &goal);

    const Board &m_board;
    const Arrangement m_from, m_to;
    const Limits &m_limits;
    bool m_cheapFirst = false; // which order of fields
    int m_seed = 0;            // 0, or which shaken order of fields
    // How much a way that carries other tokens home is preferred. Where fields have three
    // or four neighbours on average (grids), carrying a token costs a short detour; on
    // sparser boards it costs a long cycle, and ways that carry strongly get too long.
    int m_carry = 2;
    Neighbours m_nb; // of the whole board
    std::size_t m_bound = 0;   // a construction this long is given up: a shorter one is known
    bool m_keepCore = false;   // whether this construction places the fields around m_core first
    FieldSet m_core{};
    int m_coreSize = 0;        // 0: the board has no small core
    Arrangement m_target{};    // of the current construction
    Arrangement m_now{};
    int m_free = -1;
    std::vector<int> m_moves;
    Arrangement m_goal{};
    FreeFieldGroup m_group;
    std::array<std::array<int, FieldCount>, FieldCount> m_apart{}; // distances between board fields
    std::vector<int> m_needed; // per block: -1 unknown, 0 nothing to do, 1 work in it or behind it
};

} // namespace puzzle::detail
