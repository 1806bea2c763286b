#pragma once
// Chance in the game: the program's one generator, and the permutations "Mischen" and
// "Vorgabe" draw from it.

#include <cstdint>
#include <vector>

namespace model {

// Uniform values in [0, 1). Always starts from the same seed, so every run repeats the
// same sequence on every platform.
class Random {
public:
    static constexpr std::uint64_t Seed = 0x5EED5C4EB3A7D00Dull;
    double next();
    void reseed(std::uint64_t s = Seed) { m_state = s; }
    // floor(r * n) for a fresh draw r: an index below n.
    int below(int n);

private:
    std::uint64_t m_state = Seed;
};

// A random permutation of 0..n-1, every one equally likely (draws are rejected until
// they differ from all earlier picks).
std::vector<int> randomPermutation(Random &rnd, int n);

} // namespace model
