#pragma once

#include <array>
#include <cstdint>
#include <span>

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

// The process-wide pseudo-random generator the experiments draw from.
class RandomSource
{
public:
    virtual ~RandomSource() = default;

    // Folds the clock into the current state; an unchanged clock value never
    // restarts an earlier sequence.
    virtual void reseedFromClock() = 0;

    // Uniform on [0, 1), never 1.
    virtual float next() = 0;

    // Equal to out.size() successive next() calls. The engine draws a whole
    // experiment at once so that the per-toss loop is free of virtual calls.
    virtual void fill(std::span<float> out);
};

// xoshiro256+ with 24-bit single-precision output.
class XoshiroRandomSource final : public RandomSource
{
public:
    XoshiroRandomSource(Clock& clock, std::uint64_t seed);

    void reseedFromClock() override;
    float next() override { return toUnitFloat(step()); }
    void fill(std::span<float> out) override;

private:
    static float toUnitFloat(std::uint64_t bits)
    {
        return static_cast<float>(bits >> 40) * 0x1.0p-24f;
    }
    std::uint64_t step()
    {
        const std::uint64_t result = s_[0] + s_[3];
        const std::uint64_t t = s_[1] << 17;
        s_[2] ^= s_[0];
        s_[3] ^= s_[1];
        s_[1] ^= s_[2];
        s_[0] ^= s_[3];
        s_[2] ^= t;
        s_[3] = (s_[3] << 45) | (s_[3] >> 19);
        return result;
    }

    // xoshiro must never hold the all-zero state: it would stay there.
    void avoidZeroState();

    Clock& clock_;
    std::array<std::uint64_t, 4> s_{};
};

// The one generator of the program, reseeded from the system clock.
RandomSource& processRandomSource();
