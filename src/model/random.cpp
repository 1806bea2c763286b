#include "random.h"

#include <algorithm>

namespace model {

double Random::next()
{
    // splitmix64: tiny, fast and the same on every platform; 53 bits make the value.
    std::uint64_t z = (m_state += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    z ^= z >> 31;
    return double(z >> 11) * (1.0 / 9007199254740992.0);
}

int Random::below(int n)
{
    if (n <= 0)
        return 0;
    const int k = int(next() * n);
    return k < n ? k : n - 1;
}

std::vector<int> randomPermutation(Random &rnd, int n)
{
    std::vector<int> perm;
    perm.reserve(size_t(std::max(n, 0)));
    for (int i = 0; i < n; ++i) {
        int r = 0;
        bool ok = false;
        while (!ok) {
            ok = true;
            r = rnd.below(n);
            for (int j = 0; j < i; ++j)
                if (perm[size_t(j)] == r)
                    ok = false;
        }
        perm.push_back(r);
    }
    return perm;
}

} // namespace model
