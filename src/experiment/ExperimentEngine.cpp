#include "ExperimentEngine.h"

#include <algorithm>
#include <stdexcept>
#include <string>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

void requireInRange(const char* name, int value, int low, int high)
{
    if (value < low || value > high) {
        throw std::invalid_argument(std::string(name) + " " + std::to_string(value) + " is outside "
                                    + std::to_string(low) + ".." + std::to_string(high));
    }
}

template<typename T>
T checkedAdd(T a, T b)
{
    T sum{};
    if (__builtin_add_overflow(a, b, &sum)) {
        throw std::overflow_error("integer overflow in the experiment");
    }
    return sum;
}

template<typename Array>
void requireIndex(const Array& array, int index)
{
    if (index < 0 || static_cast<std::size_t>(index) >= array.size()) {
        throw std::out_of_range("index " + std::to_string(index) + " outside 0.."
                                + std::to_string(array.size() - 1));
    }
}

// Plays the tosses of one experiment: steps[1..n] and the running balances
// balances[1..n] from the draws draws[0..n-1]. Returns the final balance.
//
// A draw below 0.5 is +1, anything else (0.5 included) -1. Nothing here
// branches on a draw: each is a coin flip, and a branch on it would be
// mispredicted every other toss.
std::int16_t tossAll(const float* draws, std::int16_t* steps, std::int16_t* balances, std::size_t n)
{
    std::int16_t balance = 0;
    std::size_t i = 1;
#if defined(__SSE2__)
    // Eight guests at a time. The running sum is one serial chain of
    // additions; scanning eight steps within a register and then adding the
    // balance carried in from the previous eight shortens that chain
    // eightfold. Each sum is checked: a saturating and a wrapping addition
    // disagree exactly when the 16-bit sum overflows.
    const __m128 half = _mm_set1_ps(0.5f);
    const __m128i one = _mm_set1_epi16(1);
    __m128i carried = _mm_setzero_si128();
    for (; i + 7 <= n; i += 8) {
        const __m128 tailsLow = _mm_cmpge_ps(_mm_loadu_ps(draws + i - 1), half);
        const __m128 tailsHigh = _mm_cmpge_ps(_mm_loadu_ps(draws + i + 3), half);
        const __m128i tails =
                _mm_packs_epi32(_mm_castps_si128(tailsLow), _mm_castps_si128(tailsHigh));
        // tails is -1 or 0 per lane: -2 | 1 = -1, 0 | 1 = +1.
        const __m128i step = _mm_or_si128(_mm_add_epi16(tails, tails), one);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(steps + i), step);

        __m128i scan = _mm_add_epi16(step, _mm_slli_si128(step, 2));
        scan = _mm_add_epi16(scan, _mm_slli_si128(scan, 4));
        scan = _mm_add_epi16(scan, _mm_slli_si128(scan, 8));
        const __m128i sum = _mm_adds_epi16(carried, scan);
        if (_mm_movemask_epi8(_mm_cmpeq_epi16(sum, _mm_add_epi16(carried, scan))) != 0xFFFF) {
            throw std::overflow_error("balance overflow in the experiment");
        }
        _mm_storeu_si128(reinterpret_cast<__m128i*>(balances + i), sum);
        // Broadcast the last lane: the balance after these eight guests.
        const __m128i high = _mm_shufflehi_epi16(sum, 0xFF);
        carried = _mm_unpackhi_epi64(high, high);
    }
    balance = static_cast<std::int16_t>(_mm_cvtsi128_si32(carried));
#endif
    for (; i <= n; ++i) {
        const auto step = static_cast<std::int16_t>(1 - 2 * static_cast<int>(draws[i - 1] >= 0.5f));
        steps[i] = step;
        balance = checkedAdd(balance, step);
        balances[i] = balance;
    }
    return balance;
}

} // namespace

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

ExperimentEngine::ExperimentEngine(RandomSource& random) : random_(random) { }

ExperimentResult ExperimentEngine::run(int customerCount, int trialCount)
{
    requireInRange("customerCount", customerCount, 1, kMaxCustomers);
    requireInRange("trialCount", trialCount, 1, kMaxTrials);
    // Every per-guest index below lies in 0..customerCount; checking the
    // largest once covers them all without a test per toss.
    requireIndex(coinSteps_, customerCount);
    requireIndex(balances_, customerCount);
    requireIndex(draws_, customerCount - 1);

    ExperimentResult result;
    lowestBalanceSum_ = 0;
    const auto n = static_cast<std::size_t>(customerCount);
    const std::span<float> draws(draws_.data(), n);
    std::int16_t* const steps = coinSteps_.data();
    std::int16_t* const balances = balances_.data();

    for (int trial = 0; trial < trialCount; ++trial) {
        // Every entry in 1..n is written below before it is read, so the
        // arrays need no clearing here.
        random_.reseedFromClock();
        random_.fill(draws);

        balance_ = tossAll(draws.data(), steps, balances, n);

        // Of the sorted balances only position 1, the lowest, is ever read,
        // and the exchange sort's first pass alone already puts it there; the
        // later passes would only order positions 2..n, at about 5e9
        // comparisons for the largest run. The first pass is taken as a plain
        // minimum rather than with its exchanges: a minimum vectorises, while
        // the exchanges form one serial chain through the row that costs more
        // than all the tossing. Positions 2..n keep the running balances.
        std::int16_t lowest = balances[1];
        for (std::size_t j = 2; j <= n; ++j) {
            lowest = std::min(lowest, balances[j]);
        }
        balances[1] = lowest;

        lowestBalanceSum_ = checkedAdd(lowestBalanceSum_, static_cast<std::int32_t>(lowest));
        const int cls = classIndex(lowest);
        requireIndex(result.frequencyCounts, cls);
        auto& count = result.frequencyCounts[static_cast<std::size_t>(cls)];
        count = checkedAdd(count, std::int16_t{1});
        const int exact = lowest + kMaxCustomers;
        requireIndex(result.lowestBalanceCounts, exact);
        ++result.lowestBalanceCounts[static_cast<std::size_t>(exact)];
    }

    result.meanLowestBalance = static_cast<float>(static_cast<double>(lowestBalanceSum_)
                                                  / static_cast<double>(trialCount));
    return result;
}
