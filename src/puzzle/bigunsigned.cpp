#include "puzzle/puzzle.h"

#include <algorithm>

namespace puzzle {

namespace {
constexpr std::uint32_t LimbBase = 1000000000u;
}

BigUnsigned::BigUnsigned(std::uint64_t value)
{
    while (value != 0) {
        m_limbs.push_back(std::uint32_t(value % LimbBase));
        value /= LimbBase;
    }
}

BigUnsigned &BigUnsigned::operator*=(std::uint32_t factor)
{
    std::uint64_t carry = 0;
    for (std::uint32_t &limb : m_limbs) {
        const std::uint64_t v = std::uint64_t(limb) * factor + carry;
        limb = std::uint32_t(v % LimbBase);
        carry = v / LimbBase;
    }
    while (carry != 0) {
        m_limbs.push_back(std::uint32_t(carry % LimbBase));
        carry /= LimbBase;
    }
    while (!m_limbs.empty() && m_limbs.back() == 0)
        m_limbs.pop_back();
    return *this;
}

bool operator<(const BigUnsigned &a, const BigUnsigned &b)
{
    if (a.m_limbs.size() != b.m_limbs.size())
        return a.m_limbs.size() < b.m_limbs.size();
    return std::lexicographical_compare(a.m_limbs.rbegin(), a.m_limbs.rend(), b.m_limbs.rbegin(), b.m_limbs.rend());
}

std::string BigUnsigned::toString() const
{
    if (m_limbs.empty())
        return "0";
    std::string text = std::to_string(m_limbs.back());
    for (auto it = m_limbs.rbegin() + 1; it != m_limbs.rend(); ++it) {
        const std::string part = std::to_string(*it);
        text += std::string(9 - part.size(), '0') + part;
    }
    return text;
}

std::string formatGrouped(const BigUnsigned &value)
{
    const std::string digits = value.toString();
    std::string text;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i != 0 && (digits.size() - i) % 3 == 0)
            text += '.';
        text += digits[i];
    }
    return text;
}

} // namespace puzzle
