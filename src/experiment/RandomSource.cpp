// SPDX-FileCopyrightText: トルミナの実験２ developers
// SPDX-License-Identifier: MIT

#include "RandomSource.h"

#include <cstring>
#include <chrono>
#include <ctime>
#include <exception>
#include <random>

float SystemClock::secondsSinceMidnight()
{
    using namespace std::chrono;
    const auto now = system_clock::now().time_since_epoch();
    const auto whole = floor<seconds>(now);
    const std::int64_t epochSecond = whole.count();
    if (epochSecond != cachedEpochSecond_) {
        const std::time_t asTimeT = static_cast<std::time_t>(epochSecond);
        std::tm local{};
        if (localtime_r(&asTimeT, &local) == nullptr) {
            // Without a calendar the UTC time of day is the best we have.
            cachedSecondOfDay_ = static_cast<std::int32_t>(((epochSecond % 86400) + 86400) % 86400);
        } else {
            cachedSecondOfDay_ = local.tm_hour * 3600 + local.tm_min * 60 + local.tm_sec;
        }
        cachedEpochSecond_ = epochSecond;
    }
    const double fraction = duration<double>(now - whole).count();
    return static_cast<float>(static_cast<double>(cachedSecondOfDay_) + fraction);
}

std::uint64_t RandomSource::reseedAndSkip(std::uint64_t draws)
{
    // For a given clock value and draw count this is a bijection of the key,
    // so the key moves on along one long cycle rather than returning to a
    // value that depends on the clock alone.
    const float seconds = clock_.secondsSinceMidnight();
    std::uint32_t bits = 0; // the float's bits: every fraction of a second counts
    std::memcpy(&bits, &seconds, sizeof bits);
    const std::uint64_t clock = bits;
    key_ = mix64(key_ + (clock << 32) + draws_ + kGamma);
    draws_ = draws;
    return key_;
}

RandomSource& processRandomSource()
{
    static SystemClock clock;
    static RandomSource source(clock, [] {
        std::uint64_t seed = static_cast<std::uint64_t>(
                std::chrono::steady_clock::now().time_since_epoch().count());
        seed ^= static_cast<std::uint64_t>(
                        std::chrono::system_clock::now().time_since_epoch().count())
                << 1;
        try {
            std::random_device device;
            seed ^= (static_cast<std::uint64_t>(device()) << 32) ^ device();
        } catch (const std::exception&) {
            // No entropy device: the two clocks above still vary per start.
        }
        return seed;
    }());
    return source;
}
