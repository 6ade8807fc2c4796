#pragma once
#include <cstddef>
#include <cstdint>
#include <cstdlib>

// What the generators of benchmark input share, so that every run writes the
// same bytes.

// xorshift64: one fixed sequence.
inline std::uint64_t NextRandom()
{
    static std::uint64_t state = 0x9E3779B97F4A7C15ull;
    state ^= state << 13;
    state ^= state >> 7;
    state ^= state << 17;
    return state;
}

// The size asked for as the first argument, 16 MiB when none is given.
inline std::size_t RequestedBytes(int argc, char** argv)
{
    return argc > 1 ? std::strtoull(argv[1], nullptr, 10) : std::size_t{16} << 20;
}
