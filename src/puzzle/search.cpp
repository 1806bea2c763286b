// Searches over arrangements: exhaustive with the game's move rule, shortest paths with one
// free field, and the route of a single token.

#include "puzzle/detail.h"

#include <algorithm>
#include <limits>
#include <string>
#include <unordered_map>

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
    std::unordered_map<std::string, std::uint32_t> index;
    std::vector<std::string> states{encode(from, fields)};
    std::vector<std::uint32_t> parent{0};
    std::vector<std::uint8_t> moved{0};
    index.emplace(states.front(), 0);
    std::size_t found = states.front() == goal ? 0 : None;
    bool capped = false;
    std::size_t k = 0;
    for (; k < states.size() && !capped && !(wantMoves && found != None); ++k) {
        for (std::size_t i = 0; i < n && !capped; ++i) {
            if (states[k][i] <= 0)
                continue;
            for (std::size_t j : into[i]) {
                if (states[k][j] != 0)
                    continue;
                std::string next = states[k];
                std::swap(next[i], next[j]);
                if (index.count(next) == 0) {
                    if (states.size() >= cap) {
                        capped = true;
                        break;
                    }
                    index.emplace(next, std::uint32_t(states.size()));
                    if (next == goal)
                        found = states.size();
                    states.push_back(std::move(next));
                    parent.push_back(std::uint32_t(k));
                    moved.push_back(std::uint8_t(fields[i]));
                }
                break; // only the highest free field is the token's move
            }
        }
    }
    Exhaustive result;
    result.complete = !capped && k == states.size();
    result.count = states.size();
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
        std::unordered_map<std::string, std::uint32_t> index;
        std::vector<std::string> states;
        std::vector<std::uint32_t> parent;
        std::vector<std::uint32_t> depth;
        std::vector<std::uint32_t> frontier;
        void add(std::string s, std::uint32_t p, std::uint32_t d)
        {
            index.emplace(s, std::uint32_t(states.size()));
            states.push_back(std::move(s));
            parent.push_back(p);
            depth.push_back(d);
        }
    };
    Side sides[2];
    sides[0].add(encode(from, fields), 0, 0);
    sides[1].add(encode(to, fields), 0, 0);
    if (sides[0].states[0] == sides[1].states[0])
        return std::vector<int>{};
    sides[0].frontier = {0};
    sides[1].frontier = {0};

    std::uint32_t best = std::numeric_limits<std::uint32_t>::max();
    std::uint32_t meet[2] = {0, 0};
    while (best == std::numeric_limits<std::uint32_t>::max()) {
        const int s = sides[0].frontier.size() <= sides[1].frontier.size() ? 0 : 1;
        Side &side = sides[s];
        const Side &other = sides[1 - s];
        if (side.frontier.empty() || sides[0].states.size() + sides[1].states.size() > cap)
            return std::nullopt;
        std::vector<std::uint32_t> next;
        // A whole level, and the best meeting in it: that one is a shortest path.
        for (std::uint32_t k : side.frontier) {
            const std::size_t hole = side.states[k].find('\0');
            for (std::size_t j : nb[hole]) {
                std::string t = side.states[k];
                std::swap(t[hole], t[j]);
                if (side.index.count(t) != 0)
                    continue;
                const auto hit = other.index.find(t);
                const std::uint32_t id = std::uint32_t(side.states.size());
                if (hit != other.index.end() && side.depth[k] + 1 + other.depth[hit->second] < best) {
                    best = side.depth[k] + 1 + other.depth[hit->second];
                    meet[s] = id;
                    meet[1 - s] = hit->second;
                }
                side.add(std::move(t), k, side.depth[k] + 1);
                next.push_back(id);
            }
        }
        side.frontier = std::move(next);
    }
    // States from start to the meeting, then on to the goal; each move is the field the
    // free field steps onto.
    std::vector<const std::string *> path;
    for (std::uint32_t k = meet[0];; k = sides[0].parent[k]) {
        path.push_back(&sides[0].states[k]);
        if (k == 0)
            break;
    }
    std::reverse(path.begin(), path.end());
    for (std::uint32_t k = meet[1]; k != 0;) {
        k = sides[1].parent[k];
        path.push_back(&sides[1].states[k]);
    }
    std::vector<int> moves;
    for (std::size_t i = 1; i < path.size(); ++i)
        moves.push_back(fields[path[i]->find('\0')]);
    return moves;
}

std::optional<std::vector<int>> bringToken(const Neighbours &nb, const FieldSet &allowed, int freeField,
                                           int tokenField, int goal, int goalFree)
{
    const auto reached = [&](int token, int hole) { return token == goal && (goalFree < 0 || hole == goalFree); };
    if (reached(tokenField, freeField))
        return std::vector<int>{};
    // State: token field * 65 + free field.
    constexpr int Size = FieldCount * FieldCount;
    std::vector<int> from(Size, -1);
    std::vector<int> queue{tokenField * FieldCount + freeField};
    from[queue.front()] = queue.front();
    for (std::size_t k = 0; k < queue.size(); ++k) {
        const int token = queue[k] / FieldCount, hole = queue[k] % FieldCount;
        for (int j : nb[hole]) {
            if (!allowed[j])
                continue;
            const int nextToken = j == token ? hole : token;
            const int state = nextToken * FieldCount + j;
            if (from[state] >= 0)
                continue;
            from[state] = queue[k];
            if (reached(nextToken, j)) {
                std::vector<int> moves;
                for (int s = state; s != queue.front(); s = from[s])
                    moves.push_back(s % FieldCount);
                std::reverse(moves.begin(), moves.end());
                return moves;
            }
            queue.push_back(state);
        }
    }
    return std::nullopt;
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
