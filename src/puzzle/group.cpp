// Permutations of the fields and the Schreier-Sims stabiliser chain.

#include "puzzle/detail.h"

#include <numeric>

namespace puzzle::detail {

Perm identityPerm()
{
    Perm p;
    std::iota(p.begin(), p.end(), std::uint8_t(0));
    return p;
}

Perm compose(const Perm &first, const Perm &then)
{
    Perm r;
    for (int x = 0; x < FieldCount; ++x)
        r[x] = then[first[x]];
    return r;
}

Perm inverse(const Perm &p)
{
    Perm r;
    for (int x = 0; x < FieldCount; ++x)
        r[p[x]] = std::uint8_t(x);
    return r;
}

bool isIdentity(const Perm &p)
{
    for (int x = 0; x < FieldCount; ++x)
        if (p[x] != x)
            return false;
    return true;
}

std::vector<int> support(const Perm &p)
{
    std::vector<int> s;
    for (int x = 0; x < FieldCount; ++x)
        if (p[x] != x)
            s.push_back(x);
    return s;
}

bool isOdd(const Perm &p)
{
    std::array<bool, FieldCount> seen{};
    int transpositions = 0;
    for (int x = 0; x < FieldCount; ++x) {
        for (int y = x, len = 0; !seen[y]; y = p[y], ++len) {
            seen[y] = true;
            if (len > 0)
                ++transpositions;
        }
    }
    return transpositions % 2 == 1;
}

Perm walkPerm(int start, std::span<const int> moves)
{
    Perm content = identityPerm(); // content[f]: where the content now on f started
    int free = start;
    for (int m : moves) {
        std::swap(content[free], content[m]);
        free = m;
    }
    return inverse(content);
}

std::vector<int> reversedWalk(int start, std::span<const int> moves)
{
    std::vector<int> back;
    back.reserve(moves.size());
    for (std::size_t i = moves.size(); i-- > 0;)
        back.push_back(i == 0 ? start : moves[i - 1]);
    return back;
}

BigUnsigned symmetricOrder(int n, bool half)
{
    BigUnsigned r(1);
    for (int k = 3; k <= n; ++k)
        r *= std::uint32_t(k);
    if (n >= 2 && !half)
        r *= 2;
    return r;
}

namespace {

// splitmix64: a fixed seed keeps every analysis repeatable.
struct Random {
    std::uint64_t state = 0x5eed5eedULL;
    std::uint64_t operator()()
    {
        std::uint64_t z = (state += 0x9e3779b97f4a7c15ULL);
        z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
        z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
        return z ^ (z >> 31);
    }
};

} // namespace

std::pair<Perm, int> StabChain::sift(Perm p, int fromLevel) const
{
    for (int i = fromLevel; i < int(m_levels.size()); ++i) {
        const Level &level = m_levels[std::size_t(i)];
        const int s = level.slot[p[level.base]];
        if (s < 0)
            return {p, i};
        p = compose(p, level.cosetInv[std::size_t(s)]);
    }
    return {p, int(m_levels.size())};
}

void StabChain::addStrong(const Perm &p, int levelIndex)
{
    if (levelIndex == int(m_levels.size())) {
        Level level;
        level.base = support(p).front();
        level.slot.fill(-1);
        level.slot[level.base] = 0;
        level.orbit = {level.base};
        level.coset = {identityPerm()};
        level.cosetInv = {identityPerm()};
        m_levels.push_back(std::move(level));
    }
    // p fixes every earlier base point, so it belongs to every level down to its own.
    for (int i = 0; i <= levelIndex; ++i) {
        Level &level = m_levels[std::size_t(i)];
        level.gens.push_back(p);
        level.checked.push_back(0);
        const auto reach = [&level](std::size_t k, const Perm &g) {
            const int to = g[level.orbit[k]];
            if (level.slot[to] >= 0)
                return;
            level.slot[to] = std::int16_t(level.orbit.size());
            level.orbit.push_back(to);
            const Perm c = compose(level.coset[k], g);
            level.coset.push_back(c);
            level.cosetInv.push_back(inverse(c));
        };
        const std::size_t oldSize = level.orbit.size();
        for (std::size_t k = 0; k < oldSize; ++k)
            reach(k, p);
        for (std::size_t k = oldSize; k < level.orbit.size(); ++k)
            for (std::size_t g = 0; g < level.gens.size(); ++g)
                reach(k, level.gens[g]);
    }
}

// A Schreier generator that sifts to the identity still does once the chain has grown,
// so each is sifted once: checked[g] counts the orbit fields done for generator g.
bool StabChain::complete(long workLimit, const BigUnsigned &bound)
{
    int i = int(m_levels.size()) - 1;
    while (i >= 0) {
        bool added = false;
        for (std::size_t g = 0; !added && g < m_levels[std::size_t(i)].gens.size(); ++g) {
            while (!added && m_levels[std::size_t(i)].checked[g] < m_levels[std::size_t(i)].orbit.size()) {
                if (--workLimit < 0)
                    return false;
                Level &level = m_levels[std::size_t(i)];
                const std::size_t k = level.checked[g]++;
                const Perm &gen = level.gens[g];
                const int to = gen[level.orbit[k]];
                const Perm schreier =
                    compose(compose(level.coset[k], gen), level.cosetInv[std::size_t(level.slot[to])]);
                const auto [residue, at] = sift(schreier, i + 1);
                if (!isIdentity(residue)) {
                    addStrong(residue, at);
                    if (!(order() < bound))
                        return true; // as large as the group can be: the chain is exact
                    i = at;
                    added = true;
                }
            }
        }
        if (!added)
            --i;
    }
    return true;
}

bool StabChain::build(const std::vector<Perm> &gens, const BigUnsigned &bound, long workLimit, bool headStart)
{
    m_levels.clear();
    m_fullCount = -1;
    std::vector<Perm> nontrivial;
    for (const Perm &g : gens)
        if (!isIdentity(g))
            nontrivial.push_back(g);
    if (nontrivial.empty() || !headStart)
        return siftAll(nontrivial, bound, workLimit);

    // A head start only: random elements of the group (product replacement, from random
    // subproducts when there are many generators) usually reach the bound at once on
    // large groups. Whatever they leave out, the generators and the Schreier generators
    // below still bring in, so the answer never rests on chance.
    Random rnd;
    constexpr std::size_t SlotCount = 10;
    std::vector<Perm> slots;
    while (slots.size() < SlotCount) {
        if (nontrivial.size() <= SlotCount) {
            slots.push_back(nontrivial[slots.size() % nontrivial.size()]);
            continue;
        }
        Perm p = identityPerm();
        for (const Perm &g : nontrivial)
            if (rnd() & 1)
                p = compose(p, g);
        slots.push_back(p);
    }
    Perm accumulator = identityPerm();
    const auto next = [&] {
        const std::size_t i = rnd() % SlotCount;
        std::size_t j = rnd() % (SlotCount - 1);
        if (j >= i)
            ++j;
        slots[i] = compose(slots[i], (rnd() & 1) ? slots[j] : inverse(slots[j]));
        accumulator = compose(accumulator, slots[i]);
        return accumulator;
    };
    for (int warm = 0; warm < 40; ++warm)
        next();
    for (int streak = 0; streak < 30; ++streak) {
        const auto [residue, at] = sift(next(), 0);
        if (isIdentity(residue))
            continue;
        streak = -1;
        addStrong(residue, at);
        if (!(order() < bound))
            return true; // as large as the group can be: the chain is exact
    }
    return siftAll(nontrivial, bound, workLimit);
}

bool StabChain::siftAll(const std::vector<Perm> &gens, const BigUnsigned &bound, long workLimit)
{
    for (const Perm &g : gens) {
        const auto [residue, at] = sift(g, 0);
        if (isIdentity(residue))
            continue;
        addStrong(residue, at);
        if (!(order() < bound))
            return true;
    }
    return complete(workLimit, bound);
}

void StabChain::setFull(std::span<const int> points, bool evenOnly)
{
    m_levels.clear();
    m_fullOn.fill(false);
    for (int x : points)
        m_fullOn[std::size_t(x)] = true;
    m_fullCount = int(points.size());
    m_evenOnly = evenOnly;
}

bool StabChain::contains(Perm p) const
{
    if (m_fullCount >= 0) {
        for (int x = 0; x < FieldCount; ++x)
            if (!m_fullOn[std::size_t(x)] && p[x] != x)
                return false;
        return !(m_evenOnly && isOdd(p));
    }
    const auto [residue, at] = sift(p, 0);
    return at == int(m_levels.size()) && isIdentity(residue);
}

BigUnsigned StabChain::order() const
{
    BigUnsigned r(1);
    for (int len : orbitLengths())
        r *= std::uint32_t(len);
    return r;
}

std::vector<int> StabChain::orbitLengths() const
{
    std::vector<int> lengths;
    for (int n = m_fullCount; n >= (m_evenOnly ? 3 : 2); --n)
        lengths.push_back(n);
    for (const Level &level : m_levels)
        lengths.push_back(int(level.orbit.size()));
    return lengths;
}

} // namespace puzzle::detail
