// The board as a graph: trees, blocks, and the group of the free field's closed walks.

#include "puzzle/detail.h"

#include <algorithm>
#include <deque>

namespace puzzle::detail {

std::vector<int> members(const FieldSet &set)
{
    std::vector<int> m;
    for (int f = 0; f < FieldCount; ++f)
        if (set[f])
            m.push_back(f);
    return m;
}

Neighbours neighbours(const Board &board, const FieldSet &set)
{
    Neighbours nb;
    for (int f = 0; f < FieldCount; ++f)
        for (int j = 0; j < FieldCount; ++j)
            if (f != j && set[f] && set[j] && (board.edge[f][j] || board.edge[j][f]))
                nb[f].push_back(j);
    return nb;
}

Tree bfsTree(const Neighbours &nb, int root)
{
    Tree t;
    t.dist.fill(-1);
    t.parent.fill(-1);
    t.dist[root] = 0;
    t.order.push_back(root);
    for (std::size_t k = 0; k < t.order.size(); ++k) {
        const int f = t.order[k];
        for (int j : nb[f]) {
            if (t.dist[j] >= 0)
                continue;
            t.dist[j] = t.dist[f] + 1;
            t.parent[j] = f;
            t.order.push_back(j);
        }
    }
    return t;
}

std::vector<int> treePath(const Tree &tree, int to)
{
    std::vector<int> path;
    for (int f = to; tree.parent[f] >= 0; f = tree.parent[f])
        path.push_back(f);
    std::reverse(path.begin(), path.end());
    return path;
}

std::vector<std::vector<int>> offTreeWalks(std::span<const int> fields, const Neighbours &nb, const Tree &tree, int root)
{
    std::vector<std::vector<int>> walks;
    for (int x : fields) {
        for (int y : nb[x]) {
            if (y < x || tree.parent[x] == y || tree.parent[y] == x)
                continue;
            std::vector<int> walk = treePath(tree, x);
            walk.push_back(y);
            const std::vector<int> back = reversedWalk(root, treePath(tree, y));
            walk.insert(walk.end(), back.begin(), back.end());
            walks.push_back(std::move(walk));
        }
    }
    return walks;
}

bool isBipartite(const Neighbours &nb, std::span<const int> fields)
{
    std::array<int, FieldCount> colour;
    colour.fill(-1);
    for (int start : fields) {
        if (colour[start] >= 0)
            continue;
        colour[start] = 0;
        std::deque<int> queue{start};
        while (!queue.empty()) {
            const int f = queue.front();
            queue.pop_front();
            for (int j : nb[f]) {
                if (colour[j] < 0) {
                    colour[j] = 1 - colour[f];
                    queue.push_back(j);
                } else if (colour[j] == colour[f]) {
                    return false;
                }
            }
        }
    }
    return true;
}

bool isCycle(const Neighbours &nb, std::span<const int> fields)
{
    if (fields.size() < 3)
        return false;
    for (int f : fields)
        if (nb[f].size() != 2)
            return false;
    return bfsTree(nb, fields.front()).order.size() == fields.size();
}

// Two fields of three neighbours each joined by three paths: the block's 7 fields and 8
// edges make it such a theta, and its ends share a neighbour only across a path with one
// field between; theta_0 has one such path and none without a field between.
bool isTheta0(const Neighbours &nb, std::span<const int> fields)
{
    if (fields.size() != 7)
        return false;
    std::vector<int> ends;
    std::size_t degrees = 0;
    for (int f : fields) {
        degrees += nb[f].size();
        if (nb[f].size() == 3)
            ends.push_back(f);
    }
    if (degrees != 16 || ends.size() != 2)
        return false;
    int shared = 0;
    for (int x : nb[ends[0]]) {
        if (x == ends[1])
            return false;
        shared += int(std::count(nb[ends[1]].begin(), nb[ends[1]].end(), x));
    }
    return shared == 1;
}

namespace {

// Tarjan's blocks: edges go on a stack, a block is popped when a child cannot reach
// above its parent.
struct BlockSearch {
    const Neighbours &nb;
    Blocks out;
    std::array<int, FieldCount> disc;
    std::array<int, FieldCount> low{};
    std::vector<std::pair<int, int>> edges;
    int time = 0;

    explicit BlockSearch(const Neighbours &n) : nb(n) { disc.fill(-1); }

    void visit(int u, int parent)
    {
        disc[u] = low[u] = time++;
        int children = 0;
        for (int v : nb[u]) {
            if (disc[v] < 0) {
                ++children;
                edges.emplace_back(u, v);
                visit(v, u);
                low[u] = std::min(low[u], low[v]);
                if (low[v] >= disc[u]) {
                    if (parent >= 0)
                        out.articulation[u] = true;
                    popBlock(u, v);
                }
            } else if (v != parent && disc[v] < disc[u]) {
                edges.emplace_back(u, v);
                low[u] = std::min(low[u], disc[v]);
            }
        }
        if (parent < 0 && children > 1)
            out.articulation[u] = true;
    }

    void popBlock(int u, int v)
    {
        FieldSet in{};
        std::vector<int> block;
        const auto add = [&](int f) {
            if (!in[f]) {
                in[f] = true;
                block.push_back(f);
            }
        };
        while (!edges.empty()) {
            const auto [a, b] = edges.back();
            edges.pop_back();
            add(a);
            add(b);
            if (a == u && b == v)
                break;
        }
        std::sort(block.begin(), block.end());
        out.blocks.push_back(std::move(block));
    }
};

} // namespace

Blocks findBlocks(const Neighbours &nb, int root)
{
    BlockSearch search(nb);
    search.visit(root, -1);
    return std::move(search.out);
}

bool isTwoConnected(const Neighbours &nb, std::span<const int> fields)
{
    if (fields.size() < 3)
        return false;
    const Blocks b = findBlocks(nb, fields.front());
    return b.blocks.size() == 1 && b.blocks.front().size() == fields.size();
}

BigUnsigned FreeFieldGroup::order() const
{
    BigUnsigned r(1);
    for (const BlockGroup &b : blocks)
        for (int len : b.chain.orbitLengths())
            r *= std::uint32_t(len);
    return r;
}

bool FreeFieldGroup::contains(const Perm &p) const
{
    for (int x = 0; x < FieldCount; ++x) {
        if (blockOf[x] < 0 ? p[x] != x : blockOf[p[x]] != blockOf[x])
            return false;
    }
    for (const BlockGroup &b : blocks) {
        Perm q = identityPerm();
        for (int x : b.fields)
            if (x != b.entry)
                q[x] = p[x];
        if (!b.chain.contains(q))
            return false;
    }
    return true;
}

FreeFieldGroup freeFieldGroup(const Board &board, const FieldSet &allowed, int root, bool sifted)
{
    FreeFieldGroup g;
    g.root = root;
    g.blockOf.fill(-1);
    const Neighbours nb = neighbours(board, allowed);
    const Tree tree = bfsTree(nb, root);
    g.part = tree.order;
    const Blocks blocks = findBlocks(nb, root);
    for (const std::vector<int> &fields : blocks.blocks) {
        BlockGroup b;
        b.fields = fields;
        b.entry = *std::min_element(fields.begin(), fields.end(),
                                    [&](int x, int y) { return tree.dist[x] < tree.dist[y]; });
        std::vector<int> moved;
        for (int x : fields) {
            if (x != b.entry) {
                g.blockOf[x] = int(g.blocks.size());
                moved.push_back(x);
            }
        }
        if (fields.size() == 2) {
            g.hasBridge = true;
            g.blocks.push_back(std::move(b));
            continue;
        }
        FieldSet in{};
        for (int x : fields)
            in[x] = true;
        const Neighbours local = neighbours(board, in);
        b.bipartite = isBipartite(local, fields);
        b.cycle = isCycle(local, fields);
        const bool theta0 = !b.cycle && isTheta0(local, fields);
        if (!sifted && !b.cycle && !theta0) {
            b.chain.setFull(moved, b.bipartite);
            g.blocks.push_back(std::move(b));
            continue;
        }
        // One closed walk per edge outside a breadth-first tree generates the block's group.
        for (const std::vector<int> &walk : offTreeWalks(fields, local, bfsTree(local, b.entry), b.entry))
            b.perms.push_back(walkPerm(b.entry, walk));
        // The theorem's order ends the sifting of a cycle or theta_0 as soon as it is reached.
        const int n = int(moved.size());
        const BigUnsigned bound = sifted ? symmetricOrder(n, b.bipartite) : BigUnsigned(b.cycle ? n : 120);
        b.exact = b.chain.build(b.perms, bound, sifted ? 100000000 : 20000, !sifted);
        g.exact = g.exact && b.exact;
        g.blocks.push_back(std::move(b));
    }
    return g;
}

} // namespace puzzle::detail
