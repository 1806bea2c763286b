#pragma once
// What the searches for shortest solutions share (optimal.cpp, table.cpp, near.cpp): the
// free field's part in local numbers, IDA*, and the memo's tables.

#include "puzzle/detail.h"

#include <algorithm>
#include <limits>

namespace puzzle::detail {

inline constexpr std::uint8_t Unseen = 255;
inline constexpr std::size_t StopEvery = 1 << 14; // expansions between two questions to limits.stop

inline bool stopped(const Limits &limits)
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

    Local(const Board &board, std::span<const int> fields, const Arrangement &target);

    // p[field] = item now on that field, or nothing when `from` holds a token the target
    // keeps elsewhere (unreachable; analyse says so first).
    std::optional<std::vector<int>> items(const Arrangement &from, const Arrangement &target) const;
};

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

// The memo's tables for this board and target, emptied when they were for others.
SearchMemo::Tables &tablesFor(SearchMemo &memo, const Board &board, const Arrangement &target);

} // namespace puzzle::detail
