// Shortest solutions where a search can prove them, inside the free field's part (one
// free field, symmetric edges; tokens outside the part never move).
//
// Small parts: a breadth-first search from the target over every arrangement of the part,
// one byte per arrangement under a perfect ranking; solving walks down the distances.
// Near the target on any board: IDA* with the sum of the tokens' graph distances.
// Parts of up to 16 fields: IDA* with additive pattern databases. Each group of tokens
// (five, grouped by closeness of their target fields) gets the fewest moves of its own
// tokens that bring them home from each placement, the other tokens moving for free, so
// the free field only counts by the region among them it can reach. Every real move moves
// one token of one group, so the sum over the groups never overestimates.

#include "puzzle/detail.h"

#include <algorithm>
#include <bit>
#include <limits>
#include <numeric>

namespace puzzle::detail {

namespace {

constexpr std::uint8_t Unseen = 255;
constexpr std::size_t StopEvery = 1 << 14; // expansions between two questions to limits.stop

bool stopped(const Limits &limits)
{
    return limits.stop && limits.stop();
}

// The part's fields as local numbers 0..n-1, with neighbours, and the target's items:
// item k is what the target has on part[k]; the free field's item is `hole`.
struct Local {
    std::vector<int> part;
    std::array<int, FieldCount> localOf;
    std::vector<std::vector<int>> nb;
    int hole = -1; // the target's free field, local

    Local(const Board &board, std::span<const int> fields, const Arrangement &target)
        : part(fields.begin(), fields.end())
    {
        std::sort(part.begin(), part.end()); // the same numbering whichever field is free now
        localOf.fill(-1);
        for (std::size_t i = 0; i < part.size(); ++i)
            localOf[std::size_t(part[i])] = int(i);
        nb.resize(part.size());
        for (std::size_t i = 0; i < part.size(); ++i)
            for (std::size_t j = 0; j < part.size(); ++j)
                if (i != j && board.edge[std::size_t(part[i])][std::size_t(part[j])])
                    nb[i].push_back(int(j));
        for (std::size_t i = 0; i < part.size(); ++i)
            if (target[std::size_t(part[i])] == NoToken)
                hole = int(i);
    }

    // p[field] = item now on that field, or nothing when `from` holds a token the target
    // keeps elsewhere (unreachable; analyse says so first).
    std::optional<std::vector<int>> items(const Arrangement &from, const Arrangement &target) const
    {
        std::array<int, FieldCount + 1> itemOf; // by token + 1
        itemOf.fill(-1);
        for (std::size_t i = 0; i < part.size(); ++i)
            itemOf[std::size_t(target[std::size_t(part[i])] + 1)] = int(i);
        std::vector<int> p(part.size());
        for (std::size_t i = 0; i < part.size(); ++i) {
            const int t = from[std::size_t(part[i])];
            if (t < NoToken || t >= FieldCount || itemOf[std::size_t(t + 1)] < 0)
                return std::nullopt;
            p[i] = itemOf[std::size_t(t + 1)];
            itemOf[std::size_t(t + 1)] = -1;
        }
        return p;
    }
};

bool sameBoard(const Board &a, const Board &b)
{
    return a.onBoard == b.onBoard && a.edge == b.edge;
}

// ---------------------------------------------------------------- the distance table

// A permutation of the part's items, four bits per field (n <= 15); the free field's
// local number in the top four bits.
using Packed = std::uint64_t;

int itemAt(Packed p, int field)
{
    return int(p >> (4 * field) & 15);
}

int holeOf(Packed p)
{
    return int(p >> 60);
}

// The free field steps onto field j.
Packed slide(Packed p, int j)
{
    const int h = holeOf(p);
    const Packed x = Packed(itemAt(p, h) ^ itemAt(p, j));
    p ^= x << (4 * h) | x << (4 * j);
    return (p & ~(Packed(15) << 60)) | Packed(j) << 60;
}

Packed pack(const std::vector<int> &items, int hole)
{
    Packed p = 0;
    for (std::size_t i = 0; i < items.size(); ++i) {
        p |= Packed(items[i]) << (4 * i);
        if (items[i] == hole)
            p |= Packed(i) << 60;
    }
    return p;
}

// Bits set in 12-bit numbers: the plain x86-64 target has no popcount instruction.
constexpr std::array<std::uint8_t, 4096> BitCounts = [] {
    std::array<std::uint8_t, 4096> c{};
    for (std::size_t i = 1; i < c.size(); ++i)
        c[i] = std::uint8_t(c[i / 2] + (i & 1));
    return c;
}();

// Lexicographic rank of the permutation (n <= 12).
std::uint32_t rankOf(Packed p, int n)
{
    std::uint32_t r = 0, used = 0;
    for (int i = 0; i < n; ++i) {
        const int v = itemAt(p, i);
        r = r * std::uint32_t(n - i) + BitCounts[((1u << v) - 1) & ~used];
        used |= 1u << v;
    }
    return r;
}

// Distances modulo 255 from the target (rank 0) to every arrangement of the part; empty
// when stopped. Neighbours differ by at most one move, so modulo 255 still tells the
// way down. The layers keep whole arrangements: unranking would cost more than the rest.
std::vector<std::uint8_t> distanceTable(const Local &l, const Limits &limits)
{
    const int n = int(l.part.size());
    std::size_t size = 1;
    for (std::size_t k = 2; k <= std::size_t(n); ++k)
        size *= k;
    std::vector<std::uint8_t> dist(size, Unseen);
    std::vector<int> identity(std::size_t(n), 0);
    std::iota(identity.begin(), identity.end(), 0);
    std::vector<Packed> layer{pack(identity, l.hole)}, next;
    dist[0] = 0;
    // The table is far larger than the caches: the neighbours of a batch are ranked and
    // fetched ahead, then looked at.
    constexpr std::size_t Batch = 256;
    std::vector<std::pair<Packed, std::uint32_t>> ahead;
    std::size_t work = 0;
    for (unsigned d = 1; !layer.empty(); ++d) {
        const std::uint8_t mark = std::uint8_t(d % 255);
        for (std::size_t b = 0; b < layer.size(); b += Batch) {
            if (++work % (StopEvery / Batch) == 0 && stopped(limits))
                return {};
            ahead.clear();
            for (std::size_t i = b; i < std::min(layer.size(), b + Batch); ++i)
                for (int j : l.nb[std::size_t(holeOf(layer[i]))]) {
                    const Packed q = slide(layer[i], j);
                    ahead.emplace_back(q, rankOf(q, n));
                    __builtin_prefetch(&dist[ahead.back().second]);
                }
            for (const auto &[q, s] : ahead)
                if (dist[s] == Unseen) {
                    dist[s] = mark;
                    next.push_back(q);
                }
        }
        layer.swap(next);
        next.clear();
    }
    return dist;
}

// ---------------------------------------------------------------- pattern databases

constexpr std::size_t GroupSize = 5; // tokens per pattern database; 5-5-5 beat 6-6-3 on the 4 x 4 grid, build included

// Placements of one group's tokens, four bits per token: the byte index of its table.
struct Pattern {
    std::vector<int> items;          // target fields of the group's tokens
    std::vector<std::uint8_t> dist;  // by placement; Unseen where none
};

std::uint32_t placementOf(const std::vector<int> &fieldOfItem, const std::vector<int> &items)
{
    std::uint32_t idx = 0;
    for (std::size_t s = 0; s < items.size(); ++s)
        idx |= std::uint32_t(fieldOfItem[std::size_t(items[s])]) << (4 * s);
    return idx;
}

// Breadth-first from the target, counting only the group's moves: the other tokens move
// for free, so only the free field's region among them matters. A placement's value is
// its first layer. False when stopped.
bool buildPattern(const Local &l, Pattern &pat, const Limits &limits)
{
    const std::size_t k = pat.items.size();
    std::vector<std::uint32_t> nbMask(l.part.size(), 0);
    for (std::size_t f = 0; f < l.part.size(); ++f)
        for (int j : l.nb[f])
            nbMask[f] |= 1u << j;
    const auto region = [&](std::uint32_t from, std::uint32_t open) {
        std::uint32_t r = 1u << from, old = 0;
        while (r != old) {
            old = r;
            for (std::uint32_t rest = r; rest; rest &= rest - 1)
                r |= nbMask[std::size_t(std::countr_zero(rest))] & open;
        }
        return r;
    };
    const std::uint32_t all = (1u << l.part.size()) - 1;
    const auto occupied = [&](std::uint32_t idx) {
        std::uint32_t m = 0;
        for (std::size_t s = 0; s < k; ++s)
            m |= 1u << ((idx >> (4 * s)) & 15);
        return m;
    };
    pat.dist.assign(std::size_t(1) << (4 * k), Unseen);
    // Placement * 16 + field: the free field was there in some region already seen.
    std::vector<std::uint64_t> seen((std::size_t(1) << (4 * k + 4)) / 64, 0);
    const auto visit = [&](std::uint32_t idx, std::uint32_t hole, unsigned d, std::vector<std::uint64_t> &to) {
        const std::uint64_t key = std::uint64_t(idx) << 4 | hole;
        if (seen[key / 64] >> (key % 64) & 1)
            return;
        const std::uint32_t r = region(hole, all & ~occupied(idx));
        for (std::uint32_t rest = r; rest; rest &= rest - 1) {
            const std::uint64_t in = std::uint64_t(idx) << 4 | std::uint32_t(std::countr_zero(rest));
            seen[in / 64] |= std::uint64_t(1) << (in % 64);
        }
        pat.dist[idx] = std::min(pat.dist[idx], std::uint8_t(std::min(d, 254u)));
        to.push_back(std::uint64_t(r) << 32 | idx);
    };
    std::uint32_t start = 0;
    for (std::size_t s = 0; s < k; ++s)
        start |= std::uint32_t(pat.items[s]) << (4 * s);
    std::vector<std::uint64_t> layer, next;
    visit(start, std::uint32_t(l.hole), 0, layer);
    std::size_t work = 0;
    for (unsigned d = 1; !layer.empty(); ++d) {
        for (std::uint64_t state : layer) {
            if (++work % StopEvery == 0 && stopped(limits))
                return false;
            const std::uint32_t idx = std::uint32_t(state), r = std::uint32_t(state >> 32);
            for (std::size_t s = 0; s < k; ++s) {
                const std::uint32_t f = (idx >> (4 * s)) & 15;
                for (std::uint32_t into = nbMask[f] & r; into; into &= into - 1) {
                    const std::uint32_t j = std::uint32_t(std::countr_zero(into));
                    visit(idx ^ ((f ^ j) << (4 * s)), f, d, next);
                }
            }
        }
        layer.swap(next);
        next.clear();
    }
    return true;
}

// Tokens grouped by closeness of their target fields: far from the free field's target
// field first, each group grown breadth-first around its first field.
std::vector<std::vector<int>> groupsFor(const Local &l)
{
    const std::size_t n = l.part.size();
    const auto bfs = [&](int root) {
        std::vector<int> dist(n, -1), queue{root};
        dist[std::size_t(root)] = 0;
        for (std::size_t q = 0; q < queue.size(); ++q)
            for (int j : l.nb[std::size_t(queue[q])])
                if (dist[std::size_t(j)] < 0) {
                    dist[std::size_t(j)] = dist[std::size_t(queue[q])] + 1;
                    queue.push_back(j);
                }
        return queue;
    };
    std::vector<int> order = bfs(l.hole);
    std::reverse(order.begin(), order.end());
    std::vector<bool> taken(n, false);
    taken[std::size_t(l.hole)] = true;
    std::vector<std::vector<int>> groups;
    for (int first : order) {
        if (taken[std::size_t(first)])
            continue;
        std::vector<int> g;
        for (int f : bfs(first))
            if (!taken[std::size_t(f)] && g.size() < GroupSize) {
                taken[std::size_t(f)] = true;
                g.push_back(f);
            }
        groups.push_back(std::move(g));
    }
    return groups;
}

// ---------------------------------------------------------------- IDA*

// Depth-first search below a bound on moves plus heuristic. step(item, from, to) moves the
// heuristic's own state along with a token and says by how much the estimate changed.
class Ida {
public:
    Ida(const Local &l, std::vector<int> fieldItems, const Limits &limits, std::size_t nodeCap)
        : m_l(l), m_items(std::move(fieldItems)), m_limits(limits), m_cap(nodeCap)
    {
        m_free = int(std::find(m_items.begin(), m_items.end(), l.hole) - m_items.begin());
    }

    // The shortest moves when some are at most maxMoves long and found within the caps.
    template <class Step>
    std::optional<std::vector<int>> run(int h, int maxMoves, Step &&step)
    {
        for (int bound = h; bound <= maxMoves;) {
            m_next = std::numeric_limits<int>::max();
            m_path.clear();
            if (dive(0, h, bound, -1, step))
                return m_path;
            if (m_gaveUp || m_next == std::numeric_limits<int>::max())
                return std::nullopt;
            bound = m_next;
        }
        return std::nullopt;
    }

private:
    template <class Step>
    bool dive(int g, int h, int bound, int back, Step &step)
    {
        if (g + h > bound) {
            m_next = std::min(m_next, g + h);
            return false;
        }
        if (h == 0 && solved())
            return true;
        if (++m_nodes > m_cap || (m_nodes % StopEvery == 0 && stopped(m_limits))) {
            m_gaveUp = true;
            return false;
        }
        const int hole = m_free;
        for (int j : m_l.nb[std::size_t(hole)]) {
            if (j == back)
                continue;
            const int item = m_items[std::size_t(j)];
            const int dh = step(item, j, hole);
            m_items[std::size_t(hole)] = item;
            m_items[std::size_t(j)] = m_l.hole;
            m_free = j;
            m_path.push_back(m_l.part[std::size_t(j)]);
            if (dive(g + 1, h + dh, bound, hole, step))
                return true;
            m_path.pop_back();
            m_free = hole;
            m_items[std::size_t(j)] = item;
            m_items[std::size_t(hole)] = m_l.hole;
            step(item, hole, j);
            if (m_gaveUp)
                return false;
        }
        return false;
    }

    bool solved() const
    {
        for (std::size_t i = 0; i < m_items.size(); ++i)
            if (m_items[i] != int(i))
                return false;
        return true;
    }

    const Local &m_l;
    std::vector<int> m_items;
    const Limits &m_limits;
    std::size_t m_cap;
    int m_free = -1;
    std::size_t m_nodes = 0;
    int m_next = 0;
    bool m_gaveUp = false;
    std::vector<int> m_path;
};

bool memoFits(const SearchMemo::Tables &t, const Board &board, const Arrangement &target)
{
    return sameBoard(t.board, board) && t.target == target;
}

SearchMemo::Tables &tablesFor(SearchMemo &memo, const Board &board, const Arrangement &target)
{
    if (!memo.tables || !memoFits(*memo.tables, board, target)) {
        memo.tables = std::make_unique<SearchMemo::Tables>();
        memo.tables->board = board;
        memo.tables->target = target;
    }
    return *memo.tables;
}

} // namespace

std::optional<std::vector<int>> solveByTable(const Board &board, std::span<const int> part, const Arrangement &from,
                                             const Arrangement &target, const Limits &limits, SearchMemo &memo)
{
    if (part.size() > TableFields || part.size() < 2)
        return std::nullopt;
    const Local l(board, part, target);
    std::optional<std::vector<int>> items = l.items(from, target);
    if (!items || l.hole < 0)
        return std::nullopt;
    SearchMemo::Tables &t = tablesFor(memo, board, target);
    if (t.distance.empty()) {
        if (stopped(limits))
            return std::nullopt;
        t.distance = distanceTable(l, limits);
        if (t.distance.empty())
            return std::nullopt;
    }
    const int n = int(part.size());
    Packed p = pack(*items, l.hole);
    std::uint32_t r = rankOf(p, n);
    if (t.distance[r] == Unseen)
        return std::nullopt;
    std::vector<int> moves;
    while (r != 0 && moves.size() < t.distance.size()) {
        const std::uint8_t down = std::uint8_t((t.distance[r] + 254) % 255);
        const std::vector<int> &around = l.nb[std::size_t(holeOf(p))];
        const auto j = std::find_if(around.begin(), around.end(),
                                    [&](int f) { return t.distance[rankOf(slide(p, f), n)] == down; });
        if (j == around.end())
            return std::nullopt;
        p = slide(p, *j);
        r = rankOf(p, n);
        moves.push_back(l.part[std::size_t(*j)]);
    }
    if (r != 0)
        return std::nullopt;
    return moves;
}

std::optional<std::vector<int>> solveNear(const Board &board, std::span<const int> part, const Arrangement &from,
                                          const Arrangement &target, const Limits &limits, int maxMoves,
                                          std::size_t nodeCap)
{
    const Local l(board, part, target);
    const std::optional<std::vector<int>> items = l.items(from, target);
    if (!items || l.hole < 0 || stopped(limits))
        return std::nullopt;
    const std::size_t n = part.size();
    std::vector<std::uint8_t> dist(n * n, Unseen); // field * n + field
    for (std::size_t a = 0; a < n; ++a) {
        std::vector<int> queue{int(a)};
        dist[a * n + a] = 0;
        for (std::size_t q = 0; q < queue.size(); ++q)
            for (int j : l.nb[std::size_t(queue[q])])
                if (dist[a * n + std::size_t(j)] == Unseen) {
                    dist[a * n + std::size_t(j)] = std::uint8_t(dist[a * n + std::size_t(queue[q])] + 1);
                    queue.push_back(j);
                }
    }
    int h = 0;
    for (std::size_t f = 0; f < n; ++f)
        if ((*items)[f] != l.hole)
            h += dist[f * n + std::size_t((*items)[f])];
    if (h > maxMoves)
        return std::nullopt;
    Ida ida(l, *items, limits, nodeCap);
    return ida.run(h, maxMoves, [&](int item, int fromField, int toField) {
        return int(dist[std::size_t(toField) * n + std::size_t(item)]) -
               int(dist[std::size_t(fromField) * n + std::size_t(item)]);
    });
}

std::optional<std::vector<int>> solveByPatterns(const Board &board, std::span<const int> part,
                                                const Arrangement &from, const Arrangement &target,
                                                const Limits &limits, SearchMemo &memo, std::size_t nodeCap)
{
    if (part.size() > PatternFields || part.size() < 2)
        return std::nullopt;
    const Local l(board, part, target);
    const std::optional<std::vector<int>> items = l.items(from, target);
    if (!items || l.hole < 0 || stopped(limits))
        return std::nullopt;
    SearchMemo::Tables &t = tablesFor(memo, board, target);
    if (t.patterns.empty()) {
        std::vector<Pattern> built;
        for (std::vector<int> &g : groupsFor(l)) {
            built.push_back({std::move(g), {}});
            if (!buildPattern(l, built.back(), limits))
                return std::nullopt;
        }
        for (Pattern &p : built) {
            t.patterns.push_back(std::move(p.dist));
            t.patternItems.push_back(std::move(p.items));
        }
    }
    const std::size_t n = part.size();
    // Per item: its group and its four-bit slot in the group's placement.
    std::vector<int> groupOf(n, -1), shift(n, 0);
    std::vector<int> fieldOfItem(n);
    for (std::size_t f = 0; f < n; ++f)
        fieldOfItem[std::size_t((*items)[f])] = int(f);
    std::vector<std::uint32_t> placement;
    int h = 0;
    for (std::size_t g = 0; g < t.patterns.size(); ++g) {
        const std::vector<int> &its = t.patternItems[g];
        for (std::size_t s = 0; s < its.size(); ++s) {
            groupOf[std::size_t(its[s])] = int(g);
            shift[std::size_t(its[s])] = int(4 * s);
        }
        placement.push_back(placementOf(fieldOfItem, its));
        if (t.patterns[g][placement.back()] == Unseen)
            return std::nullopt; // cannot happen from a reachable start; no bound to go by
        h += t.patterns[g][placement.back()];
    }
    Ida ida(l, *items, limits, nodeCap);
    return ida.run(h, std::numeric_limits<int>::max() - 1, [&](int item, int fromField, int toField) {
        const std::size_t g = std::size_t(groupOf[std::size_t(item)]);
        const std::vector<std::uint8_t> &dist = t.patterns[g];
        const int before = dist[placement[g]];
        placement[g] ^= std::uint32_t(fromField ^ toField) << shift[std::size_t(item)];
        return int(dist[placement[g]]) - before;
    });
}

} // namespace puzzle::detail
