// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The engine's random source: xoshiro256** seeded through splitmix64, with
// unbiased bounded draws, so that a seed gives the same puzzles everywhere.
#pragma once

#include <cstdint>

namespace vemo {

class Random {
  public:
    explicit Random(std::uint64_t seed = 0x9E3779B97F4A7C15ull) { Seed(seed); }

    void Seed(std::uint64_t seed) {
        for (auto& word : state_) {
            seed += 0x9E3779B97F4A7C15ull;
            std::uint64_t z = seed;
            z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
            z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
            word = z ^ (z >> 31);
        }
    }

    // Seeds from the clock and the address space: different on every start.
    void SeedFromClock();

    std::uint64_t Next() {
        const std::uint64_t result = Rotl(state_[1] * 5, 7) * 9;
        const std::uint64_t t = state_[1] << 17;
        state_[2] ^= state_[0];
        state_[3] ^= state_[1];
        state_[1] ^= state_[2];
        state_[0] ^= state_[3];
        state_[2] ^= t;
        state_[3] = Rotl(state_[3], 45);
        return result;
    }

    // Uniform in 0..n-1; 0 when n is 0 or less.
    int Below(int n) {
        if (n <= 0) return 0;
        const auto bound = static_cast<std::uint64_t>(n);
        // Lemire's multiply-and-reject keeps the draw exactly uniform.
        __extension__ using U128 = unsigned __int128;
        U128 m = U128{Next()} * bound;
        auto low = static_cast<std::uint64_t>(m);
        if (low < bound) {
            const std::uint64_t threshold = (0 - bound) % bound;
            while (low < threshold) {
                m = U128{Next()} * bound;
                low = static_cast<std::uint64_t>(m);
            }
        }
        return static_cast<int>(m >> 64);
    }

  private:
    static std::uint64_t Rotl(std::uint64_t x, int k) { return (x << k) | (x >> (64 - k)); }
    std::uint64_t state_[4]{};
};

} // namespace vemo
