// Where closing in finds nothing to place: the region is solved by 3-cycles of its closed
// walks, each carried to the three fields it is wanted on by conjugation (see construct.h).

#include "puzzle/construct.h"

#include <algorithm>
#include <limits>

namespace puzzle::detail {

namespace {

constexpr std::uint32_t Far = std::numeric_limits<std::uint32_t>::max();

// A letter and its inverse per edge off the breadth-first tree.
std::vector<Letter> closedWalks(const std::vector<int> &fields, const Neighbours &nb, const Tree &tree, int entry)
{
    std::vector<Letter> list;
    for (std::vector<int> &w : offTreeWalks(fields, nb, tree, entry)) {
        const Perm p = walkPerm(entry, w);
        std::vector<int> undo = reversedWalk(entry, w);
        list.push_back(Letter{std::move(w), p});
        list.push_back(Letter{std::move(undo), inverse(p)});
    }
    return list;
}

// The permutation still to be done on the region, the entry aside.
Perm remaining(const std::vector<int> &fields, int entry, const Arrangement &now, const Arrangement &goal)
{
    std::array<int, FieldCount> at{};
    for (int f : fields)
        if (goal[f] >= 0)
            at[goal[f]] = f;
    Perm p = identityPerm();
    for (int f : fields)
        if (f != entry)
            p[f] = std::uint8_t(at[now[f]]);
    return p;
}

// The shortest odd letter, or -1.
int shortestOdd(const Letters &letters)
{
    int odd = -1;
    for (int l = 0; l < int(letters.all.size()); ++l)
        if (isOdd(letters.all[std::size_t(l)].perm) &&
            (odd < 0 || letters.all[std::size_t(l)].moves.size() < letters.all[std::size_t(odd)].moves.size()))
            odd = l;
    return odd;
}

} // namespace

// Shortest words (in moves) carrying the 3-cycle's fields k1, k2, k3 to any three: a
// shortest-path search over the triples of the region's fields, the entry aside.
class Triples {
public:
    Triples(const Letters &letters, const std::vector<int> &fields, int entry, const Element &cycle)
    {
        for (int f : fields) {
            if (f != entry) {
                m_local[f] = int(m_points.size());
                m_points.push_back(f);
            }
        }
        m_n = m_points.size();
        const std::size_t letterCount = letters.all.size();
        m_image.assign(letterCount, std::vector<std::uint8_t>(m_n));
        std::size_t longest = 0;
        for (std::size_t l = 0; l < letterCount; ++l) {
            for (std::size_t i = 0; i < m_n; ++i)
                m_image[l][i] = std::uint8_t(m_local[letters.all[l].perm[m_points[i]]]);
            longest = std::max(longest, letters.all[l].moves.size());
        }
        const int k1 = support(cycle.perm).front(), k2 = cycle.perm[k1], k3 = cycle.perm[k2];
        m_start = id(std::size_t(m_local[k1]), std::size_t(m_local[k2]), std::size_t(m_local[k3]));
        search(letters, longest);
    }

    const std::vector<int> &points() const { return m_points; }

    // Token on q to v, v's to z, z's to q for some z of order[after..]: the cheapest
    // state, and whether it asks for the 3-cycle's inverse. Nothing when none is reached.
    std::optional<std::pair<std::uint32_t, bool>> cheapest(int q, int v, const std::vector<int> &order,
                                                           std::size_t after) const
    {
        std::uint64_t bestCost = Far;
        std::uint32_t bestState = 0;
        bool bestInverse = false;
        for (std::size_t j = after + 1; j < order.size(); ++j) {
            const int z = order[j];
            if (z == q)
                continue;
            const std::size_t lq = std::size_t(m_local[q]), lv = std::size_t(m_local[v]), lz = std::size_t(m_local[z]);
            const std::pair<std::uint32_t, bool> options[] = {
                {id(lq, lv, lz), false}, {id(lv, lz, lq), false}, {id(lz, lq, lv), false},
                {id(lq, lz, lv), true},  {id(lv, lq, lz), true},  {id(lz, lv, lq), true}};
            for (const auto &[state, inv] : options) {
                if (m_dist[state] != Far && m_dist[state] < bestCost) {
                    bestCost = m_dist[state];
                    bestState = state;
                    bestInverse = inv;
                }
            }
        }
        if (bestCost == Far)
            return std::nullopt;
        return std::pair(bestState, bestInverse);
    }

    // The word that carries the 3-cycle's fields to the state.
    Word wordTo(std::uint32_t s) const
    {
        Word w;
        while (s != m_start) {
            const int l = m_via[s];
            w.push_back(l);
            s = apply(s, std::size_t(l ^ 1));
        }
        std::reverse(w.begin(), w.end());
        return w;
    }

private:
    std::uint32_t id(std::size_t a, std::size_t b, std::size_t c) const
    {
        return std::uint32_t((a * m_n + b) * m_n + c);
    }
    std::uint32_t apply(std::uint32_t s, std::size_t l) const
    {
        return id(m_image[l][s / (m_n * m_n)], m_image[l][s / m_n % m_n], m_image[l][s % m_n]);
    }

    // Dijkstra with buckets: a letter costs its moves, at most `longest`.
    void search(const Letters &letters, std::size_t longest)
    {
        const std::size_t letterCount = letters.all.size();
        m_dist.assign(m_n * m_n * m_n, Far);
        m_via.assign(m_n * m_n * m_n, -1);
        std::vector<std::vector<std::uint32_t>> buckets(longest + 1);
        m_dist[m_start] = 0;
        buckets[0].push_back(m_start);
        std::size_t pending = 1;
        for (std::uint32_t d = 0; pending > 0; ++d) {
            std::vector<std::uint32_t> items;
            items.swap(buckets[d % buckets.size()]);
            pending -= items.size();
            for (std::uint32_t s : items) {
                if (m_dist[s] != d)
                    continue;
                for (std::size_t l = 0; l < letterCount; ++l) {
                    const std::uint32_t next = apply(s, l);
                    const std::uint32_t nd = d + std::uint32_t(letters.all[l].moves.size());
                    if (nd < m_dist[next]) {
                        m_dist[next] = nd;
                        m_via[next] = std::int16_t(l);
                        buckets[nd % buckets.size()].push_back(next);
                        ++pending;
                    }
                }
            }
        }
    }

    std::vector<int> m_points;              // the region's fields but the entry
    std::array<int, FieldCount> m_local{};  // a field's index in m_points
    std::size_t m_n = 0;
    std::vector<std::vector<std::uint8_t>> m_image; // per letter: where it takes each point
    std::uint32_t m_start = 0;
    std::vector<std::uint32_t> m_dist;
    std::vector<std::int16_t> m_via; // the last letter of a shortest word
};

bool Constructor::threeCycles(const FieldSet &region, int entry, const Arrangement &goal)
{
    const std::vector<int> fields = members(region);
    const Neighbours nb = within(region);
    const Tree tree = bfsTree(nb, entry);
    walk(reversedWalk(entry, treePath(tree, m_free)));

    const Letters letters(closedWalks(fields, nb, tree, entry));
    if (isOdd(remaining(fields, entry, m_now, goal))) {
        const int odd = shortestOdd(letters);
        if (odd < 0)
            return false;
        play(letters, {odd});
    }
    if (inPlace(fields, goal))
        return true;
    const std::optional<Element> cycle = letters.threeCycle();
    if (!cycle)
        return false;
    const Triples triples(letters, fields, entry, *cycle);
    return placeByCycles(letters, *cycle, triples, tree, fields, goal);
}

void Constructor::play(const Letters &letters, const Word &w)
{
    for (int l : w)
        walk(letters.all[std::size_t(l)].moves);
}

bool Constructor::inPlace(const std::vector<int> &fields, const Arrangement &goal) const
{
    for (int f : fields)
        if (m_now[f] != goal[f])
            return false;
    return true;
}

// Far fields first; the last two fall into place (the rest is even).
bool Constructor::placeByCycles(const Letters &letters, const Element &cycle, const Triples &triples,
                                const Tree &tree, const std::vector<int> &fields, const Arrangement &goal)
{
    const std::vector<int> &points = triples.points();
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
        const auto best = triples.cheapest(q, v, order, i);
        if (!best)
            return false;
        const Word w = triples.wordTo(best->first);
        const Word &turn = cycle.word;
        play(letters, Letters::join({Letters::inverse(w), best->second ? Letters::inverse(turn) : turn, w}));
    }
    return inPlace(fields, goal);
}

} // namespace puzzle::detail
