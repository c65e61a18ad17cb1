#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace tess::fuzz {

// Deterministic choices drawn from a fuzz input: the input is hashed once (FNV-1a) to seed
// a SplitMix64 sequence, so every byte of the input steers every choice and the same input
// always replays the same run.
class Choices {
public:
    explicit Choices(std::span<const std::uint8_t> input) {
        for (const std::uint8_t byte : input) state_ = (state_ ^ byte) * 0x100000001B3ull;
    }

    std::uint64_t next() {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    // A number in [0, bound); 0 when bound is 0.
    std::uint64_t below(std::uint64_t bound) { return bound == 0 ? 0 : next() % bound; }
    // A number in [low, high].
    std::int32_t between(std::int32_t low, std::int32_t high) {
        return low + static_cast<std::int32_t>(below(static_cast<std::uint64_t>(high - low) + 1));
    }
    bool oneIn(std::uint64_t n) { return below(n) == 0; }

private:
    std::uint64_t state_ = 0xCBF29CE484222325ull;
};

}  // namespace tess::fuzz
