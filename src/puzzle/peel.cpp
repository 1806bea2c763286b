// Closing in on a block's region: placing one field or a chain of fields at a time, each
// by the cheapest route of its tokens, while what is left stays solvable (see construct.h).

#include "puzzle/construct.h"

#include <algorithm>
#include <limits>
#include <tuple>

namespace puzzle::detail {

namespace {

// A chain of fields with two neighbours each, running from u to w (both outside it).
struct Chain {
    std::vector<int> fields;
    int u = -1, w = -1;
};

// The region's chains of two or more fields with two different ends, the entry on none.
std::vector<Chain> chainsOf(const std::vector<int> &fields, const Neighbours &nb, int entry)
{
    std::vector<Chain> chains;
    FieldSet seen{};
    for (int v : fields) {
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
        chains.push_back({std::move(ear), ends[1], ends[0]});
    }
    return chains;
}

} // namespace

bool Constructor::peel(const BlockGroup &blk, const Arrangement &goal)
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
        const Choice best = choose(region, count, entry, blk.bipartite, keepCore, nb, goal);
        if (best.fields.empty() && keepCore) {
            keepCore = false; // the core could not be kept: place as usual
            continue;
        }
        if (best.fields.empty())
            return threeCycles(region, entry, goal);
        if (!place(region, best, nb, goal))
            return false;
        count -= int(best.fields.size());
    }
}

// The field of the region holding the token, or -1.
int Constructor::tokenAt(const FieldSet &region, int token) const
{
    for (int f : members(region))
        if (m_now[f] == token)
            return f;
    return -1;
}

// What goes next: one field, or a whole chain of fields with two neighbours each (filled
// like a conveyor). First what keeps the most independent cycles (the region's room to
// move), then far from the entry so the region closes in around it, then a field whose
// token is in place, then the nearest token. Nothing when no choice leaves a solvable rest.
Constructor::Choice Constructor::choose(const FieldSet &region, int count, int entry, bool bipartiteBlock,
                                        bool keepCore, const Neighbours &nb, const Arrangement &goal) const
{
    const Tree fromEntry = bfsTree(nb, entry);
    using Key = std::tuple<int, int, bool, int>;
    Choice best;
    Key bestKey{};
    const auto offer = [&](std::vector<int> fields, int u, int w, Key key) {
        if (!best.fields.empty() && key <= bestKey)
            return;
        for (int x : fields)
            if (keepCore && m_core[x])
                return;
        FieldSet rest = region;
        for (int x : fields)
            rest[x] = false;
        if (!solvableRest(rest, count - int(fields.size()), entry, bipartiteBlock))
            return;
        if (fields.size() > 1 && !enoughSpare(rest, fields, goal))
            return;
        best.fields = std::move(fields);
        best.u = u;
        best.w = w;
        bestKey = key;
    };
    // Or, for the other construction, the field whose token is cheapest to bring.
    const Tree fromFree = bfsTree(nb, m_free);
    for (int v : members(region)) {
        if (v == entry)
            continue;
        const int at = tokenAt(region, goal[v]);
        const int dist = m_apart[std::size_t(v)][std::size_t(at)];
        offer({v}, -1, -1,
              m_cheapFirst ? Key{1 - int(nb[v].size()), 0, at == v, -5 * dist - fromFree.dist[at]}
                           : Key{1 - int(nb[v].size()), fromEntry.dist[v] + jitter(v), at == v, -dist});
    }
    for (Chain &c : chainsOf(members(region), nb, entry)) {
        int far = 0;
        for (int x : c.fields)
            far = std::max(far, fromEntry.dist[x]);
        const Key key{-1, m_cheapFirst ? 0 : far + jitter(c.fields.front()), false, -int(c.fields.size())};
        offer(std::move(c.fields), c.u, c.w, key);
    }
    return best;
}

// Fills the chosen field or chain; it leaves the region.
bool Constructor::place(FieldSet &region, const Choice &choice, const Neighbours &nb, const Arrangement &goal)
{
    if (choice.fields.size() == 1) {
        const int v = choice.fields[0];
        const auto moves = route(nb, region, tokenAt(region, goal[v]), v, -1, goal);
        if (!moves)
            return false;
        walk(*moves);
        region[v] = false;
        return true;
    }
    return fillCheaper(region, choice.fields, choice.u, choice.w, goal);
}

// Moves that bring the token on `tokenField` onto `goalField` (and the free field onto
// `goalFree`, unless that is -1), the free field staying inside `allowed`. The free
// field shifts every token it steps onto, so the cheapest way by a cost per step is
// taken: 3 - m_carry where the shifted token comes one field nearer its own field, 3
// where its distance stays, 3 + m_carry where it grows. A slightly longer way that
// carries tokens along pays later. The cost reads the tokens where they stand now; a token shifted twice
// on the way is misjudged, which only makes the way a little worse, never wrong.
std::optional<std::vector<int>> Constructor::route(const Neighbours &nb, const FieldSet &allowed, int tokenField,
                                                   int goalField, int goalFree, const Arrangement &goal) const
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
int Constructor::spare(const FieldSet &rest, const std::vector<int> &ear, const Arrangement &goal) const
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

bool Constructor::enoughSpare(const FieldSet &rest, const std::vector<int> &ear, const Arrangement &goal) const
{
    return spare(rest, ear, goal) >= int(ear.size());
}

// The shake of a field's distance from the entry in construction m_seed (splitmix64).
int Constructor::jitter(int field) const
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
bool Constructor::fillCheaper(FieldSet &region, std::vector<int> ear, int u, int w, const Arrangement &goal)
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
bool Constructor::fillEar(FieldSet &region, const std::vector<int> &ear, int u, int w, const Arrangement &goal)
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

} // namespace puzzle::detail
