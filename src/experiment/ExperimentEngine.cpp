// SPDX-FileCopyrightText: トルミナの実験２ developers
// SPDX-License-Identifier: MIT

#include "ExperimentEngine.h"

#include <algorithm>
#include <limits>
#include <stdexcept>
#include <string>

void requireInRange(const char* name, int value, int low, int high)
{
    if (value < low || value > high) {
        throw std::invalid_argument(std::string(name) + " " + std::to_string(value) + " is outside "
                                    + std::to_string(low) + ".." + std::to_string(high));
    }
}

namespace {

template<typename T>
T checkedAdd(T a, T b)
{
    T sum{};
    if (__builtin_add_overflow(a, b, &sum)) {
        throw std::overflow_error("integer overflow in the experiment");
    }
    return sum;
}

// Experiments played side by side, one per vector lane: 32 balances of 16
// bits fill the widest vector register.
constexpr std::size_t kLanes = 32;
using Keys = std::array<std::uint64_t, kLanes>;
using Balances = std::array<std::int16_t, kLanes>;

// The lowest balance of each lane's experiment, the lane's draws coming from
// its key. Written as plain loops over the lanes for the compiler to
// vectorise; the balances stay within +-guests, so no 16-bit sum overflows.
// Each word of 64 upper halves is taken 16 bits at a time, the width of a
// lane, from the top.
[[gnu::always_inline]] inline Balances playBlock(const Keys& keys, int guests)
{
    Balances balance{}, lowest;
    lowest.fill(std::numeric_limits<std::int16_t>::max());
    std::array<std::uint64_t, kLanes> upper{};
    std::array<std::uint16_t, kLanes> bits{};
    for (int i = 0; i < guests; i += 16) {
        if (i % 64 == 0) {
            for (std::size_t l = 0; l < kLanes; ++l)
                upper[l] = RandomSource::changeTosses(keys[l], static_cast<std::uint64_t>(i / 64));
        }
        for (std::size_t l = 0; l < kLanes; ++l)
            bits[l] = static_cast<std::uint16_t>(upper[l] >> (48 - i % 64));
        for (int k = i; k < std::min(guests, i + 16); ++k) {
            for (std::size_t l = 0; l < kLanes; ++l) {
                // -1 for a guest who gets a coin back, else 0; or'ed with 1,
                // the step of the organiser's coins.
                const int down = static_cast<std::int16_t>(bits[l]) >> 15;
                bits[l] = static_cast<std::uint16_t>(bits[l] << 1);
                balance[l] = static_cast<std::int16_t>(balance[l] + (down | 1));
                lowest[l] = std::min(lowest[l], balance[l]);
            }
        }
    }
    return lowest;
}

using BlockPlayer = Balances (*)(const Keys&, int);
Balances playBaseline(const Keys& keys, int guests)
{
    return playBlock(keys, guests);
}

} // namespace

#if defined(__x86_64__) || defined(__i386__)
namespace {
[[gnu::target("avx2")]] Balances playAvx2(const Keys& keys, int guests)
{
    return playBlock(keys, guests);
}
[[gnu::target("avx512bw")]] Balances playAvx512(const Keys& keys, int guests)
{
    return playBlock(keys, guests);
}
constexpr BlockPlayer kPlayers[] = {playBaseline, playAvx2, playAvx512};
} // namespace

InstructionSet widestInstructionSet()
{
    if (__builtin_cpu_supports("avx512bw"))
        return InstructionSet::avx512;
    return __builtin_cpu_supports("avx2") ? InstructionSet::avx2 : InstructionSet::baseline;
}
#else
namespace {
// Other processors get the plain loops, vectorised for their own baseline.
constexpr BlockPlayer kPlayers[] = {playBaseline, playBaseline, playBaseline};
} // namespace

InstructionSet widestInstructionSet()
{
    return InstructionSet::baseline;
}
#endif

int classIndex(int lowestBalance)
{
    // Compared before the shift, which would overflow near INT_MAX.
    if (lowestBalance <= -58) {
        return 1;
    }
    if (lowestBalance >= 4) {
        return kClassCount;
    }
    return lowestBalance + 59;
}

std::string classCaption(int k)
{
    if (k <= 1)
        return "～  -57";
    if (k >= kClassCount)
        return "3  ～";
    return std::to_string(k - 59);
}

int ExperimentResult::countOf(int lowestBalance) const
{
    if (lowestBalance < -kMaxGuests || lowestBalance > 1)
        return 0;
    return lowestBalanceCounts[static_cast<std::size_t>(lowestBalance + kMaxGuests)];
}

int ExperimentResult::countInClass(int k) const
{
    return frequencyCounts.at(static_cast<std::size_t>(k));
}

void ExperimentResult::record(int lowestBalance)
{
    auto& count = frequencyCounts.at(static_cast<std::size_t>(classIndex(lowestBalance)));
    count = checkedAdd(count, std::int16_t{1});
    ++lowestBalanceCounts.at(static_cast<std::size_t>(lowestBalance + kMaxGuests));
}

ExperimentEngine::ExperimentEngine(RandomSource& random, InstructionSet set)
    : random_(random), set_(set)
{
}

ExperimentResult ExperimentEngine::run(int guestCount, int trialCount)
{
    // Within these ranges no balance, index or count below can overflow or
    // leave its array; the sum and the counts are checked all the same.
    requireInRange("guestCount", guestCount, kMinGuests, kMaxGuests);
    requireInRange("trialCount", trialCount, kMinTrials, kMaxTrials);

    ExperimentResult result{.guests = guestCount, .trials = trialCount};
    std::int32_t lowestBalanceSum = 0;
    const BlockPlayer play = kPlayers[static_cast<int>(set_)];
    const auto guests = static_cast<std::uint64_t>(guestCount);
    for (int first = 0; first < trialCount; first += static_cast<int>(kLanes)) {
        const auto lanes = std::min(kLanes, static_cast<std::size_t>(trialCount - first));
        // The reseeds in the order of the experiments; lanes past the last
        // experiment play on key 0 and are ignored.
        Keys keys{};
        for (std::size_t l = 0; l < lanes; ++l)
            keys[l] = random_.reseedAndSkip(guests);
        const Balances lowest = play(keys, guestCount);
        for (std::size_t l = 0; l < lanes; ++l) {
            lowestBalanceSum = checkedAdd(lowestBalanceSum, std::int32_t{lowest[l]});
            result.record(lowest[l]);
        }
    }

    result.meanLowestBalance = static_cast<float>(static_cast<double>(lowestBalanceSum)
                                                  / static_cast<double>(trialCount));
    return result;
}
