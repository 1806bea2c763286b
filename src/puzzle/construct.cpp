// The constructions, and the blocks the free field's part falls into (see construct.h).

#include "puzzle/construct.h"

#include <algorithm>
#include <limits>
#include <set>

namespace puzzle::detail {

namespace {

constexpr int GroupCheckedUpTo = 9; // regions this small are checked by their group, not by Wilson's rule
constexpr std::size_t CoreCycles = 64; // per root field, the shortest cycles tried for a core

} // namespace

std::optional<std::vector<int>> Constructor::run()
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

// On sparse boards the region left by placing fields tends to end as a long theta,
// too large for the search and only solvable by costly 3-cycles. So one construction
// keeps a small solvable core of two short cycles sharing a path, enters the block
// there and places every field around it first; the search finishes the core.
void Constructor::findCore(const Neighbours &nb, int start)
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
std::optional<std::vector<int>> Constructor::attempt(const Arrangement &from, const Arrangement &target, int entry)
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
Neighbours Constructor::within(const FieldSet &set) const
{
    Neighbours nb;
    for (int f = 0; f < FieldCount; ++f)
        if (set[f])
            for (int j : m_nb[f])
                if (set[j])
                    nb[f].push_back(j);
    return nb;
}

void Constructor::walk(std::span<const int> moves)
{
    applyWalk(m_now, m_free, moves);
    m_moves.insert(m_moves.end(), moves.begin(), moves.end());
}

std::vector<std::size_t> Constructor::children(std::size_t i) const
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
bool Constructor::needed(std::size_t i)
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

bool Constructor::visit(std::size_t i)
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

bool Constructor::solveBlock(const BlockGroup &blk)
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
bool Constructor::solvableRest(const FieldSet &rest, int count, int entry, bool bipartiteBlock) const
{
    const std::vector<int> fields = members(rest);
    if (count > GroupCheckedUpTo) {
        const Neighbours nb = within(rest);
        return isTwoConnected(nb, fields) && !isCycle(nb, fields) && (bipartiteBlock || !isBipartite(nb, fields));
    }
    const FreeFieldGroup g = freeFieldGroup(m_board, rest, entry);
    return g.exact && g.part.size() == fields.size() && !(g.order() < symmetricOrder(count - 1, bipartiteBlock));
}

} // namespace puzzle::detail
