// SPDX-FileCopyrightText: トルミナの実験２ developers
// SPDX-License-Identifier: MIT

#pragma once

#include <cstdint>

// Seconds since local midnight, with their fraction, in single precision:
// the value the generator is reseeded from before every experiment.
class Clock
{
public:
    virtual ~Clock() = default;
    virtual float secondsSinceMidnight() = 0;
};

// A clock that always reads the same time: seeded runs, benchmarks and tests
// reseed before every experiment as the program does, but never depend on the
// time of day.
class StillClock final : public Clock
{
public:
    explicit StillClock(float seconds = 0.0f) : seconds_(seconds) { }
    float secondsSinceMidnight() override { return seconds_; }

private:
    float seconds_;
};

class SystemClock final : public Clock
{
public:
    float secondsSinceMidnight() override;

private:
    // The engine reads the clock once per experiment, thousands of times a
    // second; the local calendar conversion is redone only when the whole
    // second changes.
    std::int64_t cachedEpochSecond_ = INT64_MIN;
    std::int32_t cachedSecondOfDay_ = 0;
};

// The process-wide pseudo-random generator the experiments draw from. Its
// state is a key and the number of draws since the last reseed; draw i after
// a reseed is a pure function of the key and i. An experiment therefore need
// not be played for the generator to know where it ends, and the engine can
// play many experiments side by side.
class RandomSource
{
public:
    RandomSource(Clock& clock, std::uint64_t seed) : clock_(clock), key_(seed) { }

    // Folds the clock and the draw count into the key, for a caller that
    // takes the next `draws` draws itself through changeTosses(): returns the
    // key they come from. An unchanged clock value never restarts an earlier
    // sequence.
    std::uint64_t reseedAndSkip(std::uint64_t draws);

    // The coin tossed for guests 64w .. 64w + 63 after a reseed to `key`,
    // the first in the top bit: a set bit is a guest who pays with four
    // 1000-yen notes and gets a 500-yen coin back. A toss is all an
    // experiment needs of a guest, so one counter of splitmix64 gives 64.
    static std::uint64_t changeTosses(std::uint64_t key, std::uint64_t w)
    {
        return mix64(key + (w + 1) * kGamma);
    }
    // Whether guest i after a reseed to `key` gets a coin back.
    static bool getsChange(std::uint64_t key, std::uint64_t i)
    {
        return (changeTosses(key, i / 64) >> (63 - i % 64) & 1) != 0;
    }

private:
    // The splitmix64 finaliser: a bijection on 64-bit words that spreads
    // every input bit over the whole output.
    static constexpr std::uint64_t mix64(std::uint64_t z)
    {
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        return z ^ (z >> 31);
    }
    static constexpr std::uint64_t kGamma = 0x9E3779B97F4A7C15ULL;

    Clock& clock_;
    std::uint64_t key_;
    std::uint64_t draws_ = 0;
};

// The one generator of the program, reseeded from the system clock.
RandomSource& processRandomSource();
