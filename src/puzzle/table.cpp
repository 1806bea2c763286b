// The distance table: a breadth-first search from the target over every arrangement of a
// small part, one byte per arrangement under a perfect ranking; solving walks down the
// distances.

#include "puzzle/optimal.h"

#include <numeric>

namespace puzzle::detail {

namespace {

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

} // namespace puzzle::detail
