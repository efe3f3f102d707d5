// A small random generator for the tests: xorshift32, so every compiler and standard library
// gives the same numbers (the checksums depend on it).
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

using Bytes = std::vector<std::uint8_t>;

class Random {
public:
    explicit Random(std::uint32_t seed) : m_State(seed) {}

    std::uint32_t Next()
    {
        m_State ^= m_State << 13;
        m_State ^= m_State >> 17;
        m_State ^= m_State << 5;
        return m_State;
    }
    int Between(int low, int high) { return low + static_cast<int>(Next() % (high - low + 1)); }

    Bytes Samples(std::size_t count)
    {
        Bytes samples(count);
        for (std::uint8_t& sample : samples)
            sample = static_cast<std::uint8_t>(Next() >> 24);
        return samples;
    }

private:
    std::uint32_t m_State;
};
