// Shortening a solution. A constructed solution wanders: the free field goes back the way
// it came, and a token is walked round a detour a search would not take. Two steps, run
// again while they pay: every return to an earlier arrangement is cut out, and short
// pieces of the sequence are replaced by shortest ones, found by a bidirectional search
// confined to the few fields the piece moves on (so the arrangements fit 64 bits) and
// pruned by the tokens' graph distances.

#include "puzzle/detail.h"

#include <algorithm>
#include <unordered_map>

namespace puzzle::detail {

namespace {

constexpr int WindowFields = 16;               // 4 bits per field in a window's arrangement
constexpr std::size_t WindowStates = 1 << 15;  // per window search
constexpr std::size_t TotalStates = 6000000;   // per shortening: a few tenths of a second on 65 fields
constexpr std::uint32_t Empty = 0xffffffffU;

std::uint64_t zobrist(int field, int token)
{
    std::uint64_t x = std::uint64_t(field) * 67 + std::uint64_t(token + 1) + 0x9e3779b97f4a7c15ULL; // splitmix64
    x = (x ^ (x >> 30)) * 0xbf58476d1ce4e5b9ULL;
    x = (x ^ (x >> 27)) * 0x94d049bb133111ebULL;
    return x ^ (x >> 31);
}

std::uint64_t hashOf(const Arrangement &a)
{
    std::uint64_t h = 0;
    for (int f = 0; f < FieldCount; ++f)
        if (a[f] >= 0)
            h ^= zobrist(f, a[f]);
    return h;
}

// The moves without any return to an earlier arrangement: from the first arrangement
// that comes again, straight on after its last visit.
std::vector<int> cutLoops(const Arrangement &from, int hole, const std::vector<int> &moves)
{
    std::vector<int> out;
    std::vector<Arrangement> kept{from}; // kept[k]: after the first k moves of out
    std::vector<std::uint64_t> hashes{hashOf(from)};
    std::unordered_map<std::uint64_t, std::size_t> at{{hashes[0], 0}};
    Arrangement a = from;
    std::uint64_t h = hashes[0];
    for (int m : moves) {
        const int token = a[m];
        h ^= zobrist(m, token) ^ zobrist(hole, token);
        a[hole] = token;
        a[m] = NoToken;
        hole = m;
        const auto it = at.find(h);
        if (it != at.end() && kept[it->second] == a) {
            const std::size_t back = it->second;
            for (std::size_t k = back + 1; k < kept.size(); ++k)
                if (const auto e = at.find(hashes[k]); e != at.end() && e->second == k)
                    at.erase(e);
            kept.resize(back + 1);
            hashes.resize(back + 1);
            out.resize(back);
            continue;
        }
        at.emplace(h, kept.size()); // on a (never seen) hash collision the older entry stays
        kept.push_back(a);
        hashes.push_back(h);
        out.push_back(m);
    }
    return out;
}

// Shortest walks between two arrangements that agree outside a few fields, the free field
// staying on them. Tables are reused from window to window.
class WindowSearch {
public:
    WindowSearch() : m_slots(2 * WindowStates, Empty) {}

    std::size_t work = 0; // states stored, over all windows

    // Moves shorter than `limit` from a to b inside `fields`, if there are any.
    std::optional<std::vector<int>> find(const Board &board, std::span<const int> fields, const Arrangement &a,
                                         const Arrangement &b, int limit)
    {
        m_k = int(fields.size());
        m_fields.assign(fields.begin(), fields.end());
        std::uint64_t sa = 0, sb = 0;
        std::array<int, WindowFields> posA{}, posB{};
        if (!number(a, b, sa, sb, posA, posB))
            return std::nullopt; // b brings in a token from outside: not this window's business
        measure(board);
        if (sa == sb)
            return std::vector<int>{};
        if (estimate(sa, posB) >= limit)
            return std::nullopt;

        for (std::uint32_t &slot : m_usedSlots)
            m_slots[slot] = Empty;
        m_usedSlots.clear();
        m_nodes.clear();
        Side sides[2];
        sides[0].goal = posB;
        sides[1].goal = posA;
        add(sides[0], sa, Empty, 0, std::uint8_t(estimate(sa, posB)));
        add(sides[1], sb, Empty, 1, std::uint8_t(estimate(sb, posA)));
        std::uint32_t meet[2] = {Empty, Empty};
        int best = limit;
        bool full = false;
        while (!full && sides[0].depth + sides[1].depth + 1 < best) {
            const int s = sides[0].frontier.size() <= sides[1].frontier.size() ? 0 : 1;
            Side &side = sides[s];
            if (side.frontier.empty())
                break;
            full = !expand(side, s, limit, best, meet);
        }
        work += m_nodes.size();
        if (best >= limit)
            return std::nullopt;
        return pathThrough(meet);
    }

private:
    struct Node {
        std::uint64_t state;
        std::uint32_t parent;
        std::uint8_t side, depth, estimate;
    };
    struct Side {
        std::array<int, WindowFields> goal{};
        std::vector<std::uint32_t> frontier;
        int depth = 0;
    };

    // Local numbers: fields by position in m_fields, tokens 1..k-1 in a's order, 0 free.
    // False when b holds a token a does not.
    bool number(const Arrangement &a, const Arrangement &b, std::uint64_t &sa, std::uint64_t &sb,
                std::array<int, WindowFields> &posA, std::array<int, WindowFields> &posB) const
    {
        std::array<int, FieldCount + 1> id{};
        id.fill(-1);
        id[0] = 0;
        int next = 1;
        for (int p = 0; p < m_k; ++p) {
            const int t = a[m_fields[std::size_t(p)]];
            if (t >= 0)
                id[std::size_t(t + 1)] = next++;
            sa |= std::uint64_t(id[std::size_t(t + 1)]) << (4 * p);
            posA[std::size_t(id[std::size_t(t + 1)])] = p;
        }
        for (int p = 0; p < m_k; ++p) {
            const int local = id[std::size_t(b[m_fields[std::size_t(p)]] + 1)];
            if (local < 0)
                return false;
            sb |= std::uint64_t(local) << (4 * p);
            posB[std::size_t(local)] = p;
        }
        return true;
    }

    // Neighbours and distances on the window's fields.
    void measure(const Board &board)
    {
        const int k = m_k;
        for (int p = 0; p < k; ++p) {
            m_nb[std::size_t(p)].clear();
            for (int q = 0; q < k; ++q)
                if (p != q && board.edge[m_fields[std::size_t(p)]][m_fields[std::size_t(q)]])
                    m_nb[std::size_t(p)].push_back(q);
        }
        for (int p = 0; p < k; ++p) {
            auto &d = m_dist[std::size_t(p)];
            d.fill(99);
            d[std::size_t(p)] = 0;
            int queue[WindowFields] = {p}, n = 1;
            for (int i = 0; i < n; ++i)
                for (int q : m_nb[std::size_t(queue[i])])
                    if (d[std::size_t(q)] == 99) {
                        d[std::size_t(q)] = d[std::size_t(queue[i])] + 1;
                        queue[n++] = q;
                    }
        }
    }

    // The sum of the tokens' distances to their fields in `goal`.
    int estimate(std::uint64_t s, const std::array<int, WindowFields> &goal) const
    {
        int h = 0;
        for (int p = 0; p < m_k; ++p)
            if (const int t = int(s >> (4 * p) & 15); t != 0)
                h += m_dist[std::size_t(p)][std::size_t(goal[std::size_t(t)])];
        return h;
    }

    // One level more on side `s`; a state the other side has seen is a meeting, kept in
    // meet when shorter than `best`. False when the tables are full: the level is
    // incomplete, but a meeting found so far still holds.
    bool expand(Side &side, int s, int limit, int &best, std::uint32_t (&meet)[2])
    {
        bool full = false;
        const int depth = side.depth + 1;
        const int bound = limit - 1 - depth; // the estimate a new state may have
        std::vector<std::uint32_t> frontier;
        for (std::uint32_t n : side.frontier) {
            if (m_nodes.size() + FieldCount > WindowStates) {
                full = true;
                break;
            }
            const std::uint64_t st = m_nodes[n].state;
            int hole = 0;
            while ((st >> (4 * hole) & 15) != 0)
                ++hole;
            for (int q : m_nb[std::size_t(hole)]) {
                const std::uint64_t t = st >> (4 * q) & 15;
                const std::uint64_t moved = st | t << (4 * hole);
                const std::uint64_t ns = moved & ~(std::uint64_t(15) << (4 * q));
                const int goal = side.goal[std::size_t(t)];
                const int h = int(m_nodes[n].estimate) + m_dist[std::size_t(hole)][std::size_t(goal)] -
                              m_dist[std::size_t(q)][std::size_t(goal)];
                if (h > bound)
                    continue;
                const std::uint32_t slot = slotOf(ns);
                if (m_slots[slot] != Empty) {
                    const Node &other = m_nodes[m_slots[slot]];
                    if (other.side != s && other.depth + depth < best) {
                        best = other.depth + depth;
                        meet[s] = n;
                        meet[1 - s] = m_slots[slot];
                    }
                    continue;
                }
                frontier.push_back(add(side, ns, n, s, std::uint8_t(h), slot));
            }
        }
        side.frontier = std::move(frontier);
        side.depth = depth;
        return !full;
    }

    // meet[0] is followed by meet[1]: forwards to the first, then backwards from the second.
    std::vector<int> pathThrough(const std::uint32_t (&meet)[2]) const
    {
        std::vector<int> moves;
        for (std::uint32_t n = meet[0]; m_nodes[n].parent != Empty; n = m_nodes[n].parent)
            moves.push_back(holeOf(m_nodes[n].state));
        std::reverse(moves.begin(), moves.end());
        for (std::uint32_t n = meet[1]; n != Empty; n = m_nodes[n].parent)
            moves.push_back(holeOf(m_nodes[n].state));
        return moves;
    }

    int holeOf(std::uint64_t s) const
    {
        int p = 0;
        while ((s >> (4 * p) & 15) != 0)
            ++p;
        return m_fields[std::size_t(p)];
    }

    // The slot holding s, or the empty one where it belongs.
    std::uint32_t slotOf(std::uint64_t s) const
    {
        const std::uint32_t mask = std::uint32_t(m_slots.size() - 1);
        std::uint32_t i = std::uint32_t((s * 0x9e3779b97f4a7c15ULL) >> 40) & mask;
        while (m_slots[i] != Empty && m_nodes[m_slots[i]].state != s)
            i = (i + 1) & mask;
        return i;
    }

    std::uint32_t add(Side &side, std::uint64_t s, std::uint32_t parent, int which, std::uint8_t estimate,
                      std::uint32_t slot = Empty)
    {
        if (slot == Empty)
            slot = slotOf(s);
        const std::uint32_t n = std::uint32_t(m_nodes.size());
        m_nodes.push_back(Node{s, parent, std::uint8_t(which), std::uint8_t(side.depth + (parent != Empty)), estimate});
        m_slots[slot] = n;
        m_usedSlots.push_back(slot);
        if (parent == Empty)
            side.frontier.push_back(n);
        return n;
    }

    int m_k = 0; // the window's fields
    std::vector<int> m_fields;
    std::array<std::vector<int>, WindowFields> m_nb;
    std::array<std::array<int, WindowFields>, WindowFields> m_dist{};
    std::vector<Node> m_nodes;
    std::vector<std::uint32_t> m_slots; // node numbers, twice as many slots as a window may fill
    std::vector<std::uint32_t> m_usedSlots;
};

} // namespace

std::vector<int> shorten(const Board &board, const Arrangement &from, std::vector<int> moves, const Limits &limits)
{
    // Only the one free field on symmetric edges is shortened: there a move is the free
    // field stepping onto the moved token's field.
    const Setup setup = inspect(board, from, from);
    if (!setup.startValid || setup.freeCount != 1 || !setup.symmetric)
        return moves;
    int hole = setup.freeField;
    for (int h = hole; int m : moves) {
        if (m < 0 || m >= FieldCount || !board.onBoard[m] || m == h || !board.edge[m][h])
            return moves;
        h = m;
    }
    const std::vector<int> input = moves;
    const std::optional<Arrangement> end = replay(board, from, moves);
    const auto stopped = [&] { return limits.stop && limits.stop(); };

    moves = cutLoops(from, hole, moves);
    WindowSearch search;
    for (const int length : {12, 20, 28, 36}) {
        // states[i]: the arrangement after i moves, holes[i] its free field.
        std::vector<Arrangement> states{from};
        std::vector<int> holes{hole};
        const auto recompute = [&](std::size_t i) {
            states.resize(i + 1);
            holes.resize(i + 1);
            for (std::size_t k = i; k < moves.size(); ++k) {
                Arrangement a = states[k];
                a[holes[k]] = a[moves[k]];
                a[moves[k]] = NoToken;
                states.push_back(a);
                holes.push_back(moves[k]);
            }
        };
        recompute(0);
        bool changed = false;
        for (std::size_t i = 0; i < moves.size();) {
            if (stopped() || search.work > TotalStates)
                break;
            // The window: as many moves as fit `length` and the field limit.
            std::vector<int> fields{holes[i]};
            std::size_t j = i;
            for (; j < moves.size() && j - i < std::size_t(length); ++j) {
                if (std::find(fields.begin(), fields.end(), moves[j]) == fields.end()) {
                    if (fields.size() == WindowFields)
                        break;
                    fields.push_back(moves[j]);
                }
            }
            const auto piece = j - i >= 3 ? search.find(board, fields, states[i], states[j], int(j - i)) : std::nullopt;
            if (piece) {
                moves.erase(moves.begin() + std::ptrdiff_t(i), moves.begin() + std::ptrdiff_t(j));
                moves.insert(moves.begin() + std::ptrdiff_t(i), piece->begin(), piece->end());
                recompute(i);
                changed = true;
            } else {
                i += std::size_t(std::max(1, length / 4));
            }
        }
        if (changed)
            moves = cutLoops(from, hole, moves);
        if (stopped() || search.work > TotalStates)
            break;
    }
    // Cheap insurance: never hand back something worse than what came in.
    if (moves.size() > input.size() || replay(board, from, moves) != end)
        return input;
    return moves;
}

} // namespace puzzle::detail
