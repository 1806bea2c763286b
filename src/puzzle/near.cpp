// Near the target on any board: IDA* with the sum of the tokens' graph distances.

#include "puzzle/optimal.h"

namespace puzzle::detail {

std::optional<std::vector<int>> solveNear(const Board &board, std::span<const int> part, const Arrangement &from,
                                          const Arrangement &target, const Limits &limits, int maxMoves,
                                          std::size_t nodeCap)
{
    const Local l(board, part, target);
    const std::optional<std::vector<int>> items = l.items(from, target);
    if (!items || l.hole < 0 || stopped(limits))
        return std::nullopt;
    const std::size_t n = part.size();
    std::vector<std::uint8_t> dist(n * n, Unseen); // field * n + field
    for (std::size_t a = 0; a < n; ++a) {
        std::vector<int> queue{int(a)};
        dist[a * n + a] = 0;
        for (std::size_t q = 0; q < queue.size(); ++q)
            for (int j : l.nb[std::size_t(queue[q])])
                if (dist[a * n + std::size_t(j)] == Unseen) {
                    dist[a * n + std::size_t(j)] = std::uint8_t(dist[a * n + std::size_t(queue[q])] + 1);
                    queue.push_back(j);
                }
    }
    int h = 0;
    for (std::size_t f = 0; f < n; ++f)
        if ((*items)[f] != l.hole)
            h += dist[f * n + std::size_t((*items)[f])];
    if (h > maxMoves)
        return std::nullopt;
    Ida ida(l, *items, limits, nodeCap);
    return ida.run(h, maxMoves, [&](int item, int fromField, int toField) {
        return int(dist[std::size_t(toField) * n + std::size_t(item)]) -
               int(dist[std::size_t(fromField) * n + std::size_t(item)]);
    });
}

} // namespace puzzle::detail
