// Searches over arrangements: exhaustive with the game's move rule, shortest paths with one
// free field, and the route of a single token.

#include "puzzle/detail.h"

#include <algorithm>
#include <limits>
#include <optional>
#include <string>
#include <string_view>

namespace puzzle::detail {

namespace {

// An arrangement restricted to some fields, one byte per field: 0 for free, token + 1.
std::string encode(const Arrangement &a, std::span<const int> fields)
{
    std::string s(fields.size(), '\0');
    for (std::size_t i = 0; i < fields.size(); ++i)
        s[i] = char(a[fields[i]] + 1);
    return s;
}

// Encoded arrangements stored end to end, found again through an open-addressing table:
// no allocation per arrangement (a search may hold hundreds of thousands).
class StateTable {
public:
    explicit StateTable(std::size_t width) : m_width(width), m_slots(1024, Empty) {}

    std::size_t size() const { return m_count; }
    std::string at(std::uint32_t i) const { return m_bytes.substr(std::size_t(i) * m_width, m_width); }
    void copy(std::uint32_t i, std::string &out) const { out.assign(m_bytes, std::size_t(i) * m_width, m_width); }

    // The state's number, and whether it is new.
    std::pair<std::uint32_t, bool> insert(const std::string &s)
    {
        if ((m_count + 1) * 2 > m_slots.size())
            grow();
        std::size_t h = slotOf(s);
        while (m_slots[h] != Empty) {
            if (m_bytes.compare(std::size_t(m_slots[h]) * m_width, m_width, s) == 0)
                return {m_slots[h], false};
            h = (h + 1) & (m_slots.size() - 1);
        }
        m_bytes += s;
        m_slots[h] = std::uint32_t(m_count);
        return {std::uint32_t(m_count++), true};
    }

    std::optional<std::uint32_t> find(const std::string &s) const
    {
        for (std::size_t h = slotOf(s); m_slots[h] != Empty; h = (h + 1) & (m_slots.size() - 1))
            if (m_bytes.compare(std::size_t(m_slots[h]) * m_width, m_width, s) == 0)
                return m_slots[h];
        return std::nullopt;
    }

private:
    static constexpr std::uint32_t Empty = std::numeric_limits<std::uint32_t>::max();

    std::size_t slotOf(std::string_view s) const
    {
        std::uint64_t h = 0xcbf29ce484222325ULL; // FNV-1a
        for (char c : s)
            h = (h ^ std::uint8_t(c)) * 0x100000001b3ULL;
        return std::size_t(h ^ (h >> 29)) & (m_slots.size() - 1);
    }

    void grow()
    {
        m_slots.assign(m_slots.size() * 2, Empty);
        for (std::size_t i = 0; i < m_count; ++i) {
            std::size_t h = slotOf(std::string_view(m_bytes).substr(i * m_width, m_width));
            while (m_slots[h] != Empty)
                h = (h + 1) & (m_slots.size() - 1);
            m_slots[h] = std::uint32_t(i);
        }
    }

    std::size_t m_width;
    std::string m_bytes;
    std::vector<std::uint32_t> m_slots;
    std::size_t m_count = 0;
};

} // namespace

Exhaustive exhaustiveSearch(const Board &board, const Arrangement &from, const Arrangement &target,
                            std::size_t cap, bool wantMoves)
{
    const std::vector<int> fields = members(board.onBoard);
    const std::size_t n = fields.size();
    // For each field the fields its token may slide into, highest first: the game takes
    // the highest free one.
    std::vector<std::vector<std::size_t>> into(n);
    for (std::size_t i = 0; i < n; ++i)
        for (std::size_t j = n; j-- > 0;)
            if (i != j && board.edge[fields[i]][fields[j]])
                into[i].push_back(j);

    constexpr std::size_t None = std::numeric_limits<std::size_t>::max();
    const std::string goal = encode(target, fields);
    StateTable table(n);
    table.insert(encode(from, fields));
    std::vector<std::uint32_t> parent{0};
    std::vector<std::uint8_t> moved{0};
    std::size_t found = encode(from, fields) == goal ? 0 : None;
    bool capped = false;
    std::size_t k = 0;
    std::string state, next;
    for (; k < table.size() && !capped && !(wantMoves && found != None); ++k) {
        table.copy(std::uint32_t(k), state);
        for (std::size_t i = 0; i < n && !capped; ++i) {
            if (state[i] <= 0)
                continue;
            for (std::size_t j : into[i]) {
                if (state[j] != 0)
                    continue;
                next = state;
                std::swap(next[i], next[j]);
                const auto [id, added] = table.insert(next);
                if (added) {
                    capped = table.size() > cap;
                    if (next == goal)
                        found = id;
                    parent.push_back(std::uint32_t(k));
                    moved.push_back(std::uint8_t(fields[i]));
                }
                break; // only the highest free field is the token's move
            }
        }
    }
    Exhaustive result;
    result.complete = !capped && k == table.size();
    result.count = table.size();
    result.found = found != None;
    if (result.found && wantMoves) {
        for (std::size_t s = found; s != 0; s = parent[s])
            result.moves.push_back(moved[s]);
        std::reverse(result.moves.begin(), result.moves.end());
    }
    return result;
}

std::optional<std::vector<int>> shortestWalk(const Board &board, std::span<const int> fields,
                                             const Arrangement &from, const Arrangement &to, std::size_t cap)
{
    const std::size_t n = fields.size();
    std::vector<std::vector<std::size_t>> nb(n);
    for (std::size_t i = 0; i < n; ++i)
        for (std::size_t j = 0; j < n; ++j)
            if (i != j && board.edge[fields[i]][fields[j]])
                nb[i].push_back(j);

    struct Side {
        explicit Side(std::size_t width) : table(width) {}
        StateTable table;
        std::vector<std::uint32_t> parent;
        std::vector<std::uint32_t> depth;
        std::vector<std::uint32_t> frontier{0};
    };
    Side sides[2] = {Side(n), Side(n)};
    sides[0].table.insert(encode(from, fields));
    sides[1].table.insert(encode(to, fields));
    for (Side &side : sides) {
        side.parent.push_back(0);
        side.depth.push_back(0);
    }
    if (encode(from, fields) == encode(to, fields))
        return std::vector<int>{};

    std::uint32_t best = std::numeric_limits<std::uint32_t>::max();
    std::uint32_t meet[2] = {0, 0};
    while (best == std::numeric_limits<std::uint32_t>::max()) {
        const int s = sides[0].frontier.size() <= sides[1].frontier.size() ? 0 : 1;
        Side &side = sides[s];
        const Side &other = sides[1 - s];
        if (side.frontier.empty() || sides[0].table.size() + sides[1].table.size() > cap)
            return std::nullopt;
        std::vector<std::uint32_t> next;
        // A whole level, and the best meeting in it: that one is a shortest path.
        std::string state, t;
        for (std::uint32_t k : side.frontier) {
            side.table.copy(k, state);
            const std::size_t hole = state.find('\0');
            for (std::size_t j : nb[hole]) {
                t = state;
                std::swap(t[hole], t[j]);
                const auto [id, added] = side.table.insert(t);
                if (!added)
                    continue;
                side.parent.push_back(k);
                side.depth.push_back(side.depth[k] + 1);
                next.push_back(id);
                const std::optional<std::uint32_t> hit = other.table.find(t);
                if (hit && side.depth[k] + 1 + other.depth[*hit] < best) {
                    best = side.depth[k] + 1 + other.depth[*hit];
                    meet[s] = id;
                    meet[1 - s] = *hit;
                }
            }
        }
        side.frontier = std::move(next);
    }
    // States from start to the meeting, then on to the goal; each move is the field the
    // free field steps onto.
    std::vector<std::string> path;
    for (std::uint32_t k = meet[0];; k = sides[0].parent[k]) {
        path.push_back(sides[0].table.at(k));
        if (k == 0)
            break;
    }
    std::reverse(path.begin(), path.end());
    for (std::uint32_t k = meet[1]; k != 0;) {
        k = sides[1].parent[k];
        path.push_back(sides[1].table.at(k));
    }
    std::vector<int> moves;
    for (std::size_t i = 1; i < path.size(); ++i)
        moves.push_back(fields[path[i].find('\0')]);
    return moves;
}

void applyWalk(Arrangement &a, int &freeField, std::span<const int> moves)
{
    for (int m : moves) {
        a[freeField] = a[m];
        a[m] = NoToken;
        freeField = m;
    }
}

} // namespace puzzle::detail
