// The 3-cycles among the closed walks of a region, as words of those walks.

#include "puzzle/construct.h"

#include <algorithm>
#include <numeric>
#include <set>
#include <string>
#include <unordered_set>

namespace puzzle::detail {

Element Letters::make(Word w) const
{
    Element e;
    e.perm = identityPerm();
    for (int l : w) {
        e.perm = compose(e.perm, all[std::size_t(l)].perm);
        e.cost += all[std::size_t(l)].moves.size();
    }
    e.word = std::move(w);
    return e;
}

Word Letters::inverse(const Word &w)
{
    Word r(w.rbegin(), w.rend());
    for (int &l : r)
        l ^= 1;
    return r;
}

Word Letters::join(std::initializer_list<Word> parts)
{
    Word r;
    for (const Word &p : parts)
        r.insert(r.end(), p.begin(), p.end());
    return r;
}

// At most 64 letters, the shortest first: the searches below grow with their square.
std::vector<int> Letters::shortestLetters() const
{
    std::vector<int> shortest;
    for (int l = 0; l < int(all.size()); ++l)
        shortest.push_back(l);
    std::stable_sort(shortest.begin(), shortest.end(), [&](int a, int b) {
        return all[std::size_t(a)].moves.size() < all[std::size_t(b)].moves.size();
    });
    if (shortest.size() > 64)
        shortest.resize(64);
    return shortest;
}

std::optional<Element> Letters::threeCycle() const
{
    std::optional<Element> best;
    const auto consider = [&](Element e) {
        if (support(e.perm).size() == 3 && (!best || e.cost < best->cost))
            best = std::move(e);
    };
    const std::vector<int> shortest = shortestLetters();
    std::vector<Element> pool;
    for (int x : shortest) {
        consider(make({x}));
        for (int y : shortest) {
            if (x / 2 >= y / 2)
                continue;
            Element c = commutator({x}, {y});
            if (support(c.perm).size() > 3)
                pool.push_back(c);
            consider(std::move(c));
        }
    }
    if (best)
        return best;
    std::sort(pool.begin(), pool.end(), [](const Element &a, const Element &b) {
        return std::pair(support(a.perm).size(), a.cost) < std::pair(support(b.perm).size(), b.cost);
    });
    if (pool.size() > 6)
        pool.resize(6);
    for (const Element &s : pool) {
        const std::vector<int> supp = support(s.perm);
        FieldSet in{};
        for (int x : supp)
            in[x] = true;
        const auto overlap = [&](const std::vector<int> &image) {
            int n = 0;
            for (int x : image)
                n += in[x];
            return n;
        };
        for (int l : shortest)
            if (overlap(support(all[std::size_t(l)].perm)) == 1)
                consider(commutator(s.word, {l}));
        // Breadth-first over the images of the support under words.
        std::vector<std::vector<int>> images{supp};
        std::vector<std::pair<std::size_t, int>> from{{0, -1}};
        std::set<std::vector<int>> seen{supp};
        for (std::size_t k = 0; k < images.size() && images.size() < 20000; ++k) {
            if (overlap(images[k]) == 1) {
                Word w;
                for (std::size_t j = k; j != 0; j = from[j].first)
                    w.push_back(from[j].second);
                std::reverse(w.begin(), w.end());
                consider(commutator(s.word, conjugate(s.word, w).word));
                break;
            }
            for (int l : shortest) {
                std::vector<int> next = images[k];
                for (int &x : next)
                    x = all[std::size_t(l)].perm[x];
                if (seen.insert(next).second) {
                    images.push_back(std::move(next));
                    from.emplace_back(k, l);
                }
            }
        }
    }
    return best ? best : searched(shortest);
}

// Small regions leave no room for supports meeting in one field. Breadth-first over
// the group's elements: a 3-cycle itself, or an element with one 3-cycle and other
// cycles of lengths prime to 3, whose power is that 3-cycle.
std::optional<Element> Letters::searched(const std::vector<int> &shortest) const
{
    std::optional<Element> best;
    std::vector<std::pair<Perm, Word>> elements{{identityPerm(), {}}};
    const Perm one = identityPerm();
    std::unordered_set<std::string> seen{std::string(one.begin(), one.end())};
    for (std::size_t k = 0; k < elements.size() && elements.size() < 50000; ++k) {
        for (int l : shortest) {
            Perm p = compose(elements[k].first, all[std::size_t(l)].perm);
            if (!seen.insert(std::string(p.begin(), p.end())).second)
                continue;
            Word w = elements[k].second;
            w.push_back(l);
            std::array<bool, FieldCount> done{};
            int threes = 0;
            std::size_t power = 1;
            bool primeToThree = true;
            for (int x = 0; x < FieldCount; ++x) {
                std::size_t len = 0;
                for (int y = x; !done[y]; y = p[y], ++len)
                    done[y] = true;
                if (len == 3) {
                    ++threes;
                } else if (len > 1) {
                    primeToThree = primeToThree && len % 3 != 0;
                    power = std::lcm(power, len);
                }
            }
            if (threes == 1 && primeToThree) {
                Word repeated;
                for (std::size_t r = 0; r < power; ++r)
                    repeated.insert(repeated.end(), w.begin(), w.end());
                Element e = make(std::move(repeated));
                if (!best || e.cost < best->cost)
                    best = std::move(e);
                if (power == 1)
                    return best;
            }
            elements.emplace_back(p, std::move(w));
        }
    }
    return best;
}

} // namespace puzzle::detail
