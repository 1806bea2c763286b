// The solver.
//
// First the searches that prove a shortest solution (solve at the bottom, optimal.cpp).
// When none applies or finishes, with one free field and symmetric edges, block by
// block. The free field is first walked to b (the start's free field) in the target too,
// along a fixed path; then each block is solved with the free field entering and leaving
// it through its entry, and the path is walked at the end. Tokens never change blocks, so
// the blocks are independent; a walk into a block and back along the same path changes
// nothing.
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

#include "puzzle/detail.h"

#include <algorithm>
#include <limits>
#include <numeric>
#include <set>
#include <string>
#include <tuple>
#include <unordered_set>

namespace puzzle {

using namespace detail;

namespace {

constexpr std::size_t CoreSearchCap = 2000000;
constexpr int GroupCheckedUpTo = 9; // regions this small are checked by their group, not by Wilson's rule
constexpr int ShuffledOrders = 8;   // more constructions around the core, their order of fields shaken by
                                    // up to two steps of distance from the entry, the later ones by one
constexpr std::size_t CoreCycles = 64; // per root field, the shortest cycles tried for a core
constexpr std::uint32_t Far = std::numeric_limits<std::uint32_t>::max();

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

    Element make(Word w) const
    {
        Element e;
        e.perm = identityPerm();
        for (int l : w) {
            e.perm = compose(e.perm, all[std::size_t(l)].perm);
            e.cost += all[std::size_t(l)].moves.size();
        }
        e.word = std::move(w);
        return e;
    }
    static Word inverse(const Word &w)
    {
        Word r(w.rbegin(), w.rend());
        for (int &l : r)
            l ^= 1;
        return r;
    }
    static Word join(std::initializer_list<Word> parts)
    {
        Word r;
        for (const Word &p : parts)
            r.insert(r.end(), p.begin(), p.end());
        return r;
    }
    Element commutator(const Word &x, const Word &y) const { return make(join({x, y, inverse(x), inverse(y)})); }
    Element conjugate(const Word &s, const Word &g) const { return make(join({inverse(g), s, g})); }

    // A 3-cycle: a commutator of two letters, or of a small commutator s and a conjugate
    // of s (or a letter) whose support shares exactly one field with s's; such a
    // commutator is always a 3-cycle. Conjugating words come from a breadth-first search
    // over where the letters carry s's support.
    std::optional<Element> threeCycle() const
    {
        std::optional<Element> best;
        const auto consider = [&](Element e) {
            if (support(e.perm).size() == 3 && (!best || e.cost < best->cost))
                best = std::move(e);
        };
        std::vector<int> shortest;
        for (int l = 0; l < int(all.size()); ++l)
            shortest.push_back(l);
        std::stable_sort(shortest.begin(), shortest.end(), [&](int a, int b) {
            return all[std::size_t(a)].moves.size() < all[std::size_t(b)].moves.size();
        });
        if (shortest.size() > 64)
            shortest.resize(64);
        std::vector<Element> pool;
        for (int x : shortest) {
            consider(make({x}));
            for (int y : shortest) {
                if (x / 2 >= y / 2)
                    continue;
                Element c = commutator({x}, {y});
                if (support(c.perm).size() > 3)
                    pool.push_back(c);
                consider(std::move(c));
            }
        }
        if (best)
            return best;
        std::sort(pool.begin(), pool.end(), [](const Element &a, const Element &b) {
            return std::pair(support(a.perm).size(), a.cost) < std::pair(support(b.perm).size(), b.cost);
        });
        if (pool.size() > 6)
            pool.resize(6);
        for (const Element &s : pool) {
            const std::vector<int> supp = support(s.perm);
            FieldSet in{};
            for (int x : supp)
                in[x] = true;
            const auto overlap = [&](const std::vector<int> &image) {
                int n = 0;
                for (int x : image)
                    n += in[x];
                return n;
            };
            for (int l : shortest)
                if (overlap(support(all[std::size_t(l)].perm)) == 1)
                    consider(commutator(s.word, {l}));
            // Breadth-first over the images of the support under words.
            std::vector<std::vector<int>> images{supp};
            std::vector<std::pair<std::size_t, int>> from{{0, -1}};
            std::set<std::vector<int>> seen{supp};
            for (std::size_t k = 0; k < images.size() && images.size() < 20000; ++k) {
                if (overlap(images[k]) == 1) {
                    Word w;
                    for (std::size_t j = k; j != 0; j = from[j].first)
                        w.push_back(from[j].second);
                    std::reverse(w.begin(), w.end());
                    consider(commutator(s.word, conjugate(s.word, w).word));
                    break;
                }
                for (int l : shortest) {
                    std::vector<int> next = images[k];
                    for (int &x : next)
                        x = all[std::size_t(l)].perm[x];
                    if (seen.insert(next).second) {
                        images.push_back(std::move(next));
                        from.emplace_back(k, l);
                    }
                }
            }
        }
        return best ? best : searched(shortest);
    }

private:
    // Small regions leave no room for supports meeting in one field. Breadth-first over
    // the group's elements: a 3-cycle itself, or an element with one 3-cycle and other
    // cycles of lengths prime to 3, whose power is that 3-cycle.
    std::optional<Element> searched(const std::vector<int> &shortest) const
    {
        std::optional<Element> best;
        std::vector<std::pair<Perm, Word>> elements{{identityPerm(), {}}};
        const Perm one = identityPerm();
        std::unordered_set<std::string> seen{std::string(one.begin(), one.end())};
        for (std::size_t k = 0; k < elements.size() && elements.size() < 50000; ++k) {
            for (int l : shortest) {
                Perm p = compose(elements[k].first, all[std::size_t(l)].perm);
                if (!seen.insert(std::string(p.begin(), p.end())).second)
                    continue;
                Word w = elements[k].second;
                w.push_back(l);
                std::array<bool, FieldCount> done{};
                int threes = 0;
                std::size_t power = 1;
                bool primeToThree = true;
                for (int x = 0; x < FieldCount; ++x) {
                    std::size_t len = 0;
                    for (int y = x; !done[y]; y = p[y], ++len)
                        done[y] = true;
                    if (len == 3) {
                        ++threes;
                    } else if (len > 1) {
                        primeToThree = primeToThree && len % 3 != 0;
                        power = std::lcm(power, len);
                    }
                }
                if (threes == 1 && primeToThree) {
                    Word repeated;
                    for (std::size_t r = 0; r < power; ++r)
                        repeated.insert(repeated.end(), w.begin(), w.end());
                    Element e = make(std::move(repeated));
                    if (!best || e.cost < best->cost)
                        best = std::move(e);
                    if (power == 1)
                        return best;
                }
                elements.emplace_back(p, std::move(w));
            }
        }
        return best;
    }
};

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
    std::optional<std::vector<int>> run()
    {
        m_nb = neighbours(m_board, m_board.onBoard);
        const Neighbours &nb = m_nb;
        const int start = inspect(m_board, m_from, m_to).freeField, end = inspect(m_board, m_to, m_from).freeField;
        int centre = start, least = FieldCount;
        for (int f : bfsTree(nb, start).order) {
            m_apart[std::size_t(f)] = bfsTree(nb, f).dist;
            const int far = *std::max_element(m_apart[std::size_t(f)].begin(), m_apart[std::size_t(f)].end());
            if (far < least) {
                least = far;
                centre = f;
            }
        }
        findCore(nb, start);
        std::size_t ends = 0, fields = 0;
        for (int f = 0; f < FieldCount; ++f) {
            ends += nb[f].size();
            fields += !nb[f].empty();
        }
        m_carry = 4 * ends >= 13 * fields ? 2 : 1;
        std::optional<std::vector<int>> best;
        const auto construct = [&](bool backwards, int entry) {
            m_bound = best ? best->size() : std::numeric_limits<std::size_t>::max();
            std::optional<std::vector<int>> moves =
                attempt(backwards ? m_to : m_from, backwards ? m_from : m_to, entry);
            if (moves && backwards)
                moves = reversedWalk(end, *moves);
            if (moves && (!best || moves->size() < best->size()))
                best = std::move(moves);
        };
        for (const bool backwards : {false, true}) {
            for (const bool cheapFirst : {false, true}) {
                for (const int entry : {-1, centre, CoreEntry}) {
                    if (entry == CoreEntry && m_coreSize == 0)
                        continue;
                    if (best && m_limits.stop && m_limits.stop())
                        return best;
                    m_cheapFirst = cheapFirst;
                    construct(backwards, entry);
                }
            }
        }
        m_cheapFirst = false;
        for (m_seed = 1; m_seed <= ShuffledOrders && m_coreSize > 0; ++m_seed) {
            for (const bool backwards : {false, true}) {
                if (best && m_limits.stop && m_limits.stop())
                    return best;
                construct(backwards, CoreEntry);
            }
        }
        return best;
    }

private:
    static constexpr int CoreEntry = -2;

    // On sparse boards the region left by placing fields tends to end as a long theta,
    // too large for the search and only solvable by costly 3-cycles. So one construction
    // keeps a small solvable core of two short cycles sharing a path, enters the block
    // there and places every field around it first; the search finishes the core.
    void findCore(const Neighbours &nb, int start)
    {
        m_coreSize = 0;
        const std::vector<int> part = bfsTree(nb, start).order;
        const bool bipartite = isBipartite(nb, part);
        std::set<FieldSet> tried;
        int bestEdges = 0;
        for (int r : part) {
            const Tree tree = bfsTree(nb, r);
            std::vector<std::pair<int, FieldSet>> cycles; // with their lengths
            for (int x : part) {
                for (int y : nb[x]) {
                    if (y < x || tree.parent[x] == y || tree.parent[y] == x)
                        continue;
                    FieldSet c{};
                    int a = x, b = y, size = 1;
                    for (; a != b && size <= m_limits.coreFields; ++size) {
                        int &up = tree.dist[a] >= tree.dist[b] ? a : b;
                        c[up] = true;
                        up = tree.parent[up];
                    }
                    c[a] = true;
                    if (size <= m_limits.coreFields)
                        cycles.emplace_back(size, c);
                }
            }
            if (cycles.size() > CoreCycles) { // dense boards have short cycles by the thousand
                std::stable_sort(cycles.begin(), cycles.end(),
                                 [](const auto &a, const auto &b) { return a.first < b.first; });
                cycles.resize(CoreCycles);
            }
            for (std::size_t i = 0; i < cycles.size(); ++i) {
                for (std::size_t j = i + 1; j < cycles.size(); ++j) {
                    FieldSet u{};
                    int count = 0, shared = 0;
                    for (int f : part) {
                        u[f] = cycles[i].second[f] || cycles[j].second[f];
                        count += u[f];
                        shared += cycles[i].second[f] && cycles[j].second[f];
                    }
                    if (count > m_limits.coreFields || count < m_coreSize || shared < 2 || !tried.insert(u).second)
                        continue;
                    const std::vector<int> fields = members(u);
                    const Neighbours inner = within(u);
                    int edges = 0;
                    for (int f : fields)
                        edges += int(inner[f].size());
                    if ((count == m_coreSize && edges <= bestEdges) || !isTwoConnected(inner, fields) ||
                        (!bipartite && isBipartite(inner, fields)) ||
                        !solvableRest(u, count, fields.front(), bipartite))
                        continue;
                    m_core = u;
                    m_coreSize = count;
                    bestEdges = edges;
                }
            }
        }
    }

    // One construction; with an entry >= 0 the free field goes there first, and the
    // region still to be solved closes in around it.
    std::optional<std::vector<int>> attempt(const Arrangement &from, const Arrangement &target, int entry)
    {
        m_now = from;
        m_target = target;
        m_moves.clear();
        const Neighbours nb = within(m_board.onBoard);
        m_free = inspect(m_board, m_now, m_target).freeField;
        m_keepCore = entry == CoreEntry;
        if (m_keepCore) {
            const Tree near = bfsTree(nb, m_free);
            for (int f : near.order) {
                if (m_core[f]) {
                    entry = f;
                    break;
                }
            }
        }
        if (entry >= 0)
            walk(treePath(bfsTree(nb, m_free), entry));
        const Setup s = inspect(m_board, m_now, m_target);
        const int b = s.freeField;
        m_group = freeFieldGroup(m_board, m_board.onBoard, b);
        int t = -1;
        for (int f : s.fields)
            if (m_target[f] == NoToken)
                t = f;
        const std::vector<int> out = treePath(bfsTree(nb, b), t);
        m_goal = m_target;
        int hole = t;
        applyWalk(m_goal, hole, reversedWalk(b, out));

        m_needed.assign(m_group.blocks.size(), -1);
        for (std::size_t i = 0; i < m_group.blocks.size(); ++i)
            if (m_group.blocks[i].entry == b && needed(i) && !visit(i))
                return std::nullopt;
        walk(out);
        return m_moves;
    }

    // The board's neighbours inside a set of fields; far cheaper than asking the board.
    Neighbours within(const FieldSet &set) const
    {
        Neighbours nb;
        for (int f = 0; f < FieldCount; ++f)
            if (set[f])
                for (int j : m_nb[f])
                    if (set[j])
                        nb[f].push_back(j);
        return nb;
    }

    void walk(std::span<const int> moves)
    {
        applyWalk(m_now, m_free, moves);
        m_moves.insert(m_moves.end(), moves.begin(), moves.end());
    }

    std::vector<std::size_t> children(std::size_t i) const
    {
        std::vector<std::size_t> c;
        const BlockGroup &blk = m_group.blocks[i];
        for (std::size_t j = 0; j < m_group.blocks.size(); ++j)
            if (j != i && m_group.blocks[j].entry != blk.entry &&
                std::find(blk.fields.begin(), blk.fields.end(), m_group.blocks[j].entry) != blk.fields.end())
                c.push_back(j);
        return c;
    }

    // Whether a block, or one behind it, has a token out of place; decided before any move.
    bool needed(std::size_t i)
    {
        if (m_needed[i] < 0) {
            const BlockGroup &blk = m_group.blocks[i];
            bool n = false;
            for (int x : blk.fields)
                n = n || (x != blk.entry && m_now[x] != m_goal[x]);
            for (std::size_t j : children(i))
                n = needed(j) || n;
            m_needed[i] = n;
        }
        return m_needed[i] == 1;
    }

    bool visit(std::size_t i)
    {
        const BlockGroup &blk = m_group.blocks[i];
        if (!solveBlock(blk))
            return false;
        FieldSet in{};
        for (int x : blk.fields)
            in[x] = true;
        const Tree tree = bfsTree(within(in), blk.entry);
        for (std::size_t j : children(i)) {
            if (!needed(j))
                continue;
            const std::vector<int> path = treePath(tree, m_group.blocks[j].entry);
            walk(path);
            if (!visit(j))
                return false;
            walk(reversedWalk(blk.entry, path));
        }
        return true;
    }

    bool solveBlock(const BlockGroup &blk)
    {
        Arrangement goal = m_now;
        for (int x : blk.fields)
            goal[x] = x == blk.entry ? NoToken : m_goal[x];
        if (goal == m_now)
            return true;
        if (blk.fields.size() == 2)
            return false;
        // A block whose group is smaller than parity allows (a cycle, or the 7-field
        // exception) has few arrangements, and only search finds its way through them.
        const BigUnsigned order = blk.chain.order();
        BigUnsigned states = order;
        states *= std::uint32_t(blk.fields.size());
        const bool small = order < symmetricOrder(int(blk.fields.size()) - 1, blk.bipartite);
        if (small || !(BigUnsigned(m_limits.exactStates) < states)) {
            const auto moves = shortestWalk(m_board, blk.fields, m_now, goal,
                                            small ? CoreSearchCap : 2 * m_limits.exactStates + 2);
            if (moves)
                walk(*moves);
            return moves.has_value();
        }
        return peel(blk, goal);
    }

    // Can the region left after placing a field still be solved, whatever its arrangement
    // (up to the parity every arrangement of a bipartite block keeps)?
    bool solvableRest(const FieldSet &rest, int count, int entry, bool bipartiteBlock) const
    {
        const std::vector<int> fields = members(rest);
        if (count > GroupCheckedUpTo) {
            const Neighbours nb = within(rest);
            return isTwoConnected(nb, fields) && !isCycle(nb, fields) && (bipartiteBlock || !isBipartite(nb, fields));
        }
        const FreeFieldGroup g = freeFieldGroup(m_board, rest, entry);
        return g.exact && g.part.size() == fields.size() && !(g.order() < symmetricOrder(count - 1, bipartiteBlock));
    }

    bool peel(const BlockGroup &blk, const Arrangement &goal)
    {
        FieldSet region{};
        for (int x : blk.fields)
            region[x] = true;
        int count = int(blk.fields.size());
        const int entry = blk.entry;
        bool searchCore = true;
        bool keepCore = m_keepCore && m_core[entry] &&
                        (blk.bipartite || !isBipartite(within(m_core), members(m_core)));
        for (int f = 0; f < FieldCount; ++f)
            keepCore = keepCore && (!m_core[f] || region[f]);
        while (true) {
            if (m_moves.size() >= m_bound)
                return false;
            if (count <= m_limits.coreFields && searchCore) {
                if (const auto moves = shortestWalk(m_board, members(region), m_now, goal, CoreSearchCap)) {
                    walk(*moves);
                    return true;
                }
                searchCore = false; // a core too large for the search: go on placing
            }
            const Neighbours nb = within(region);
            const Tree fromEntry = bfsTree(nb, entry);
            const auto tokenAt = [&](int token) {
                for (int f : members(region))
                    if (m_now[f] == token)
                        return f;
                return -1;
            };
            // What goes next: one field, or a whole chain of fields with two neighbours each
            // (filled like a conveyor). First what keeps the most independent cycles (the
            // region's room to move), then far from the entry so the region closes in
            // around it, then a field whose token is in place, then the nearest token.
            using Key = std::tuple<int, int, bool, int>;
            std::vector<int> best;
            int bestU = -1, bestW = -1;
            Key bestKey{};
            const auto offer = [&](std::vector<int> fields, int u, int w, Key key) {
                if (!best.empty() && key <= bestKey)
                    return;
                for (int x : fields)
                    if (keepCore && m_core[x])
                        return;
                FieldSet rest = region;
                for (int x : fields)
                    rest[x] = false;
                if (!solvableRest(rest, count - int(fields.size()), entry, blk.bipartite))
                    return;
                if (fields.size() > 1 && !enoughSpare(rest, fields, goal))
                    return;
                best = std::move(fields);
                bestU = u;
                bestW = w;
                bestKey = key;
            };
            // Or, for the other construction, the field whose token is cheapest to bring.
            const Tree fromFree = bfsTree(nb, m_free);
            for (int v : members(region)) {
                if (v == entry)
                    continue;
                const int at = tokenAt(goal[v]);
                const int dist = m_apart[std::size_t(v)][std::size_t(at)];
                offer({v}, -1, -1,
                      m_cheapFirst ? Key{1 - int(nb[v].size()), 0, at == v, -5 * dist - fromFree.dist[at]}
                                   : Key{1 - int(nb[v].size()), fromEntry.dist[v] + jitter(v), at == v, -dist});
            }
            FieldSet seen{};
            for (int v : members(region)) {
                if (seen[v] || nb[v].size() != 2)
                    continue;
                std::vector<int> ear{v};
                seen[v] = true;
                int ends[2] = {-1, -1};
                for (int side = 0; side < 2; ++side) {
                    int prev = v, at = nb[v][std::size_t(side)];
                    while (nb[at].size() == 2 && at != v) {
                        seen[at] = true;
                        if (side == 0)
                            ear.push_back(at);
                        else
                            ear.insert(ear.begin(), at);
                        const int next = nb[at][0] == prev ? nb[at][1] : nb[at][0];
                        prev = at;
                        at = next;
                    }
                    ends[side] = at;
                }
                // The chain runs from ends[1] to ends[0].
                if (ear.size() < 2 || ends[0] == ends[1] || std::find(ear.begin(), ear.end(), entry) != ear.end())
                    continue;
                int far = 0;
                for (int x : ear)
                    far = std::max(far, fromEntry.dist[x]);
                offer(ear, ends[1], ends[0], Key{-1, m_cheapFirst ? 0 : far + jitter(ear.front()), false, -int(ear.size())});
            }
            if (best.empty() && keepCore) {
                keepCore = false; // the core could not be kept: place as usual
                continue;
            }
            if (best.empty())
                return threeCycles(region, entry, goal);
            if (best.size() == 1) {
                const auto moves = route(nb, region, tokenAt(goal[best[0]]), best[0], -1, goal);
                if (!moves)
                    return false;
                walk(*moves);
                region[best[0]] = false;
            } else {
                if (!fillCheaper(region, best, bestU, bestW, goal))
                    return false;
            }
            count -= int(best.size());
        }
    }

    // Moves that bring the token on `tokenField` onto `goalField` (and the free field onto
    // `goalFree`, unless that is -1), the free field staying inside `allowed`. The free
    // field shifts every token it steps onto, so the cheapest way by a cost per step is
    // taken: 3 - m_carry where the shifted token comes one field nearer its own field, 3
    // where its distance stays, 3 + m_carry where it grows. A slightly longer way that
    // carries tokens along pays later. The cost reads the tokens where they stand now; a token shifted twice
    // on the way is misjudged, which only makes the way a little worse, never wrong.
    std::optional<std::vector<int>> route(const Neighbours &nb, const FieldSet &allowed, int tokenField, int goalField,
                                          int goalFree, const Arrangement &goal) const
    {
        if (tokenField < 0 || m_free < 0)
            return std::nullopt;
        std::array<int, FieldCount> home; // where each token belongs
        home.fill(-1);
        for (int f = 0; f < FieldCount; ++f)
            if (goal[f] >= 0)
                home[std::size_t(goal[f])] = f;
        constexpr int Size = FieldCount * FieldCount; // token field * 65 + free field
        std::vector<int> cost(Size, std::numeric_limits<int>::max()), parent(Size, -1);
        std::array<std::vector<int>, 6> buckets; // Dijkstra with costs up to 5
        const int start = tokenField * FieldCount + m_free;
        cost[std::size_t(start)] = 0;
        buckets[0].push_back(start);
        std::size_t pending = 1;
        for (int c = 0; pending > 0; ++c) {
            std::vector<int> items;
            items.swap(buckets[std::size_t(c) % buckets.size()]);
            pending -= items.size();
            for (int state : items) {
                if (cost[std::size_t(state)] != c)
                    continue;
                const int token = state / FieldCount, hole = state % FieldCount;
                if (token == goalField && (goalFree < 0 || hole == goalFree)) {
                    std::vector<int> moves;
                    for (int s = state; s != start; s = parent[std::size_t(s)])
                        moves.push_back(s % FieldCount);
                    std::reverse(moves.begin(), moves.end());
                    return moves;
                }
                for (int j : nb[std::size_t(hole)]) {
                    if (!allowed[j])
                        continue;
                    const int to = j == token ? goalField : m_now[j] < 0 ? -1 : home[std::size_t(m_now[j])];
                    const int gain =
                        to < 0 ? 0 : m_apart[std::size_t(to)][std::size_t(j)] - m_apart[std::size_t(to)][std::size_t(hole)];
                    const int next = (j == token ? hole : token) * FieldCount + j;
                    const int nc = c + 3 - m_carry * std::clamp(gain, -1, 1);
                    if (nc < cost[std::size_t(next)]) {
                        cost[std::size_t(next)] = nc;
                        parent[std::size_t(next)] = state;
                        buckets[std::size_t(nc) % buckets.size()].push_back(next);
                        ++pending;
                    }
                }
            }
        }
        return std::nullopt;
    }

    // Tokens of the rest that belong to no field of the ear, for the ear's flushing.
    int spare(const FieldSet &rest, const std::vector<int> &ear, const Arrangement &goal) const
    {
        int n = 0;
        for (int f : members(rest)) {
            if (m_now[f] < 0)
                continue;
            bool wanted = false;
            for (int x : ear)
                wanted = wanted || goal[x] == m_now[f];
            n += !wanted;
        }
        return n;
    }
    bool enoughSpare(const FieldSet &rest, const std::vector<int> &ear, const Arrangement &goal) const
    {
        return spare(rest, ear, goal) >= int(ear.size());
    }

    // The shake of a field's distance from the entry in construction m_seed (splitmix64).
    int jitter(int field) const
    {
        if (m_seed == 0)
            return 0;
        std::uint64_t x = std::uint64_t(m_seed) * 0x9e3779b97f4a7c15ULL + std::uint64_t(field);
        x = (x ^ (x >> 30)) * 0xbf58476d1ce4e5b9ULL;
        x = (x ^ (x >> 27)) * 0x94d049bb133111ebULL;
        return int((x ^ (x >> 31)) % (m_seed <= ShuffledOrders / 2 ? 3U : 2U));
    }

    // A chain fills from either end; which costs less depends on where the tokens stand,
    // so both are tried and the cheaper kept.
    bool fillCheaper(FieldSet &region, std::vector<int> ear, int u, int w, const Arrangement &goal)
    {
        const Arrangement now = m_now;
        const int free = m_free;
        const std::size_t before = m_moves.size(), bound = m_bound;
        FieldSet first = region;
        const bool one = fillEar(first, ear, u, w, goal);
        const std::vector<int> kept(m_moves.begin() + std::ptrdiff_t(before), m_moves.end());
        const Arrangement oneNow = m_now;
        const int oneFree = m_free;
        m_now = now;
        m_free = free;
        m_moves.resize(before);
        if (one)
            m_bound = std::min(m_bound, m_moves.size() + kept.size());
        std::reverse(ear.begin(), ear.end());
        FieldSet second = region;
        const bool two = fillEar(second, ear, w, u, goal);
        m_bound = bound;
        if (two) {
            region = second;
            return true;
        }
        if (!one)
            return false;
        m_now = oneNow;
        m_free = oneFree;
        m_moves.resize(before);
        m_moves.insert(m_moves.end(), kept.begin(), kept.end());
        region = first;
        return true;
    }

    // Fills the chain x1..xk between u and w like a conveyor: each pass of the free field
    // from u along the chain to w pushes every token of the chain one field towards u and
    // draws the token on w in at xk. The wanted tokens go onto w in the order x1..xk, each
    // while the free field waits on u; wanted tokens still inside the chain first leave it
    // at u, pushed out by tokens nobody there wants.
    bool fillEar(FieldSet &region, const std::vector<int> &ear, int u, int w, const Arrangement &goal)
    {
        const int k = int(ear.size());
        for (int j = k; j-- > 0;) {
            if (m_free == ear[std::size_t(j)]) { // the free field leaves the chain towards u
                std::vector<int> out(ear.rend() - j, ear.rend());
                out.push_back(u);
                walk(out);
            }
        }
        FieldSet rest = region;
        for (int x : ear)
            rest[x] = false;
        const Neighbours nb = within(rest);
        int flush = 0;
        for (int j = 0; j < k; ++j)
            for (int i = 0; i < k; ++i)
                if (m_now[ear[std::size_t(j)]] == goal[ear[std::size_t(i)]])
                    flush = std::max(flush, j - i + 1);
        std::vector<int> pass(ear);
        pass.push_back(w);
        for (int step = 0; step < flush + k; ++step) {
            if (m_moves.size() >= m_bound)
                return false;
            int from = -1;
            if (step >= flush) {
                for (int f : members(rest))
                    if (m_now[f] == goal[ear[std::size_t(step - flush)]])
                        from = f;
            } else {
                const Tree near = bfsTree(nb, w);
                for (int f : near.order) {
                    bool wanted = m_now[f] < 0;
                    for (int x : ear)
                        wanted = wanted || goal[x] == m_now[f];
                    if (!wanted) {
                        from = f;
                        break;
                    }
                }
            }
            if (from < 0)
                return false;
            const auto moves = route(nb, rest, from, w, u, goal);
            if (!moves)
                return false;
            walk(*moves);
            walk(pass);
        }
        region = rest;
        return true;
    }

    bool threeCycles(const FieldSet &region, int entry, const Arrangement &goal)
    {
        const std::vector<int> fields = members(region);
        const Neighbours nb = within(region);
        const Tree tree = bfsTree(nb, entry);
        walk(reversedWalk(entry, treePath(tree, m_free)));

        std::vector<Letter> list;
        for (int x : fields) {
            for (int y : nb[x]) {
                if (y < x || tree.parent[x] == y || tree.parent[y] == x)
                    continue;
                std::vector<int> w = treePath(tree, x);
                w.push_back(y);
                const std::vector<int> back = reversedWalk(entry, treePath(tree, y));
                w.insert(w.end(), back.begin(), back.end());
                const Perm p = walkPerm(entry, w);
                std::vector<int> undo = reversedWalk(entry, w);
                list.push_back(Letter{std::move(w), p});
                list.push_back(Letter{std::move(undo), inverse(p)});
            }
        }
        const Letters letters(std::move(list));
        const auto play = [&](const Word &w) {
            for (int l : w)
                walk(letters.all[std::size_t(l)].moves);
        };
        const auto remaining = [&] {
            std::array<int, FieldCount> at{};
            for (int f : fields)
                if (goal[f] >= 0)
                    at[goal[f]] = f;
            Perm p = identityPerm();
            for (int f : fields)
                if (f != entry)
                    p[f] = std::uint8_t(at[m_now[f]]);
            return p;
        };
        const auto done = [&] {
            for (int f : fields)
                if (m_now[f] != goal[f])
                    return false;
            return true;
        };

        if (isOdd(remaining())) {
            int odd = -1;
            for (int l = 0; l < int(letters.all.size()); ++l)
                if (isOdd(letters.all[std::size_t(l)].perm) &&
                    (odd < 0 || letters.all[std::size_t(l)].moves.size() < letters.all[std::size_t(odd)].moves.size()))
                    odd = l;
            if (odd < 0)
                return false;
            play({odd});
        }
        if (done())
            return true;
        const std::optional<Element> cycle = letters.threeCycle();
        if (!cycle)
            return false;

        // Shortest words (in moves) carrying the 3-cycle's fields k1, k2, k3 to any three.
        std::vector<int> points;
        std::array<int, FieldCount> local{};
        for (int f : fields) {
            if (f != entry) {
                local[f] = int(points.size());
                points.push_back(f);
            }
        }
        const std::size_t n = points.size();
        const std::size_t letterCount = letters.all.size();
        std::vector<std::vector<std::uint8_t>> image(letterCount, std::vector<std::uint8_t>(n));
        std::size_t longest = 0;
        for (std::size_t l = 0; l < letterCount; ++l) {
            for (std::size_t i = 0; i < n; ++i)
                image[l][i] = std::uint8_t(local[letters.all[l].perm[points[i]]]);
            longest = std::max(longest, letters.all[l].moves.size());
        }
        const auto id = [n](std::size_t a, std::size_t b, std::size_t c) { return std::uint32_t((a * n + b) * n + c); };
        const auto apply = [&](std::uint32_t s, std::size_t l) {
            return id(image[l][s / (n * n)], image[l][s / n % n], image[l][s % n]);
        };
        const int k1 = support(cycle->perm).front(), k2 = cycle->perm[k1], k3 = cycle->perm[k2];
        const std::uint32_t start = id(std::size_t(local[k1]), std::size_t(local[k2]), std::size_t(local[k3]));
        std::vector<std::uint32_t> dist(n * n * n, Far);
        std::vector<std::int16_t> via(n * n * n, -1);
        std::vector<std::vector<std::uint32_t>> buckets(longest + 1);
        dist[start] = 0;
        buckets[0].push_back(start);
        std::size_t pending = 1;
        for (std::uint32_t d = 0; pending > 0; ++d) {
            std::vector<std::uint32_t> items;
            items.swap(buckets[d % buckets.size()]);
            pending -= items.size();
            for (std::uint32_t s : items) {
                if (dist[s] != d)
                    continue;
                for (std::size_t l = 0; l < letterCount; ++l) {
                    const std::uint32_t next = apply(s, l);
                    const std::uint32_t nd = d + std::uint32_t(letters.all[l].moves.size());
                    if (nd < dist[next]) {
                        dist[next] = nd;
                        via[next] = std::int16_t(l);
                        buckets[nd % buckets.size()].push_back(next);
                        ++pending;
                    }
                }
            }
        }
        const auto wordTo = [&](std::uint32_t s) {
            Word w;
            while (s != start) {
                const int l = via[s];
                w.push_back(l);
                s = apply(s, std::size_t(l ^ 1));
            }
            std::reverse(w.begin(), w.end());
            return w;
        };

        // Far fields first; the last two fall into place (the rest is even).
        std::vector<int> order = points;
        std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return tree.dist[a] > tree.dist[b]; });
        for (std::size_t i = 0; i + 2 < order.size(); ++i) {
            const int v = order[i];
            int q = -1;
            for (int f : points)
                if (m_now[f] == goal[v])
                    q = f;
            if (q == v)
                continue;
            if (m_moves.size() >= m_bound)
                return false;
            // Token on q to v, v's to z, z's to q: the 3-cycle or its inverse, conjugated.
            std::uint64_t bestCost = Far;
            std::uint32_t bestState = 0;
            bool bestInverse = false;
            for (std::size_t j = i + 1; j < order.size(); ++j) {
                const int z = order[j];
                if (z == q)
                    continue;
                const std::size_t lq = std::size_t(local[q]), lv = std::size_t(local[v]), lz = std::size_t(local[z]);
                const std::pair<std::uint32_t, bool> options[] = {
                    {id(lq, lv, lz), false}, {id(lv, lz, lq), false}, {id(lz, lq, lv), false},
                    {id(lq, lz, lv), true},  {id(lv, lq, lz), true},  {id(lz, lv, lq), true}};
                for (const auto &[state, inv] : options) {
                    if (dist[state] != Far && dist[state] < bestCost) {
                        bestCost = dist[state];
                        bestState = state;
                        bestInverse = inv;
                    }
                }
            }
            if (bestCost == Far)
                return false;
            const Word w = wordTo(bestState);
            play(Letters::join({Letters::inverse(w), bestInverse ? Letters::inverse(cycle->word) : cycle->word, w}));
        }
        return done();
    }

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

} // namespace

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
