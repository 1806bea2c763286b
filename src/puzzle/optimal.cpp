// Shortest solutions where a search can prove them, inside the free field's part (one
// free field, symmetric edges; tokens outside the part never move). Small parts: the
// distance table (table.cpp). Near the target on any board: IDA* with the sum of the
// tokens' graph distances (near.cpp). Here, the shared parts and parts of up to 16 fields:
// IDA* with additive pattern databases. Each group of tokens (five, grouped by closeness of
// their target fields) gets the fewest moves of its own tokens that bring them home from
// each placement, the other tokens moving for free, so the free field only counts by the
// region among them it can reach. Every real move moves one token of one group, so the
// sum over the groups never overestimates.

#include "puzzle/optimal.h"

#include <bit>

namespace puzzle::detail {

namespace {

bool sameBoard(const Board &a, const Board &b)
{
    return a.onBoard == b.onBoard && a.edge == b.edge;
}

bool memoFits(const SearchMemo::Tables &t, const Board &board, const Arrangement &target)
{
    return sameBoard(t.board, board) && t.target == target;
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

} // namespace

Local::Local(const Board &board, std::span<const int> fields, const Arrangement &target)
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

std::optional<std::vector<int>> Local::items(const Arrangement &from, const Arrangement &target) const
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

SearchMemo::Tables &tablesFor(SearchMemo &memo, const Board &board, const Arrangement &target)
{
    if (!memo.tables || !memoFits(*memo.tables, board, target)) {
        memo.tables = std::make_unique<SearchMemo::Tables>();
        memo.tables->board = board;
        memo.tables->target = target;
    }
    return *memo.tables;
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
