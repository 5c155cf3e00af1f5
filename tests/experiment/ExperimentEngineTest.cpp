#include "ExperimentEngine.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <numeric>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

// One character per draw: '+' 0.25, '-' 0.75, and at the edges of the coin
// '0' 0.0, 'j' the float just below 0.5, 'h' exactly 0.5, '9' the largest
// float below 1.
float drawFor(char c) {
    switch (c) {
        case '+': return 0.25f;
        case '0': return 0.0f;
        case 'j': return 0.49999997f;
        case 'h': return 0.5f;
        case '9': return 0.99999994f;
        default: return 0.75f;
    }
}

bool isHeads(char c) { return c == '+' || c == '0' || c == 'j'; }

// Plays a script back in a loop and logs each call: R reseed, N draw. It
// leaves fill() to the base class, so the log shows every draw taken.
class ScriptedRandom final : public RandomSource {
public:
    explicit ScriptedRandom(std::string script) : script_(std::move(script)) {}
    void reseedFromClock() override { calls += 'R'; }
    float next() override {
        calls += 'N';
        return drawFor(script_.at(position_++ % script_.size()));
    }
    std::string calls;

private:
    std::string script_;
    std::size_t position_ = 0;
};

// The whole exchange sort of the running balances, ascending.
int lowestByFullSort(const std::string& walk) {
    std::vector<int> balances{0};  // position 0 unused
    for (char c : walk) balances.push_back(balances.back() + (isHeads(c) ? 1 : -1));
    for (std::size_t i = 1; i + 1 < balances.size(); ++i) {
        for (std::size_t j = i + 1; j < balances.size(); ++j) {
            if (balances[i] > balances[j]) std::swap(balances[i], balances[j]);
        }
    }
    return balances[1];
}

// The one lowest balance of a single-experiment run.
int lowestOfOnlyExperiment(const std::string& walk) {
    ScriptedRandom random(walk);
    const ExperimentResult result = ExperimentEngine(random).run(static_cast<int>(walk.size()), 1);
    const auto at = std::find(result.lowestBalanceCounts.begin(), result.lowestBalanceCounts.end(), 1);
    const int m = static_cast<int>(at - result.lowestBalanceCounts.begin()) - kMaxCustomers;
    EXPECT_EQ(result.meanLowestBalance, static_cast<float>(m)) << walk;
    EXPECT_EQ(result.frequencyCounts.at(static_cast<std::size_t>(classIndex(m))), 1) << walk;
    return m;
}

std::string operator*(const std::string& s, int times) {
    std::string out;
    for (int i = 0; i < times; ++i) out += s;
    return out;
}

} // namespace

TEST(ClassIndex, OpenEndsAndOneValuePerInnerClass) {
    const std::vector<std::pair<int, int>> cases = {
        {INT_MIN, 1}, {-1000, 1}, {-58, 1}, {-57, 2}, {-50, 9}, {-1, 58},
        {0, 59},      {1, 60},    {3, 62},  {4, 63},  {1000, 63}, {INT_MAX, 63}};
    for (auto [m, expected] : cases) EXPECT_EQ(classIndex(m), expected) << "m = " << m;
}

// Walks whose lowest balance is known by hand, including the edge draws and
// lengths around multiples of eight (the engine tosses in blocks of eight).
TEST(ExperimentEngine, LowestBalanceOfScriptedWalks) {
    const std::string down = "-", up = "+";
    const std::vector<std::pair<std::string, int>> walks = {
        {down * 57, -57},       {down * 58, -58},         {down * 1000, -1000},
        {up * 1000, 1},         {std::string("+-") * 20, 0}, {"++-+-+-+-+-+-+-+-+-", 1},
        {"+-++-+", 0},          {std::string("-+") * 9, -1}, {"+-+-+-+-+-+-+-+--", -1},
        {"-------+++++++-", -7}, {"++++++++---------", -1}, {"---------+", -9},
        {"++-----+++------+", -6}, {"--++--+-", -2},
        {"h", -1}, {"hhhhhhhh", -8}, {"hhhhhhhhh", -9}, {"9", -1},
        {"j", 1},  {"jjjjjjjjj", 1}, {"0", 1},          {"0000000+j", 1}};
    for (const auto& [walk, expected] : walks) {
        EXPECT_EQ(lowestByFullSort(walk), expected) << walk;
        EXPECT_EQ(lowestOfOnlyExperiment(walk), expected) << walk;
    }
}

TEST(ExperimentEngine, RandomWalksMatchTheFullSort) {
    std::mt19937 generator(7);
    std::uniform_int_distribution<int> length(1, kMaxCustomers);
    std::bernoulli_distribution heads;
    for (int k = 0; k < 300; ++k) {
        std::string walk(static_cast<std::size_t>(k < 40 ? k + 1 : length(generator)), '-');
        for (char& c : walk) c = heads(generator) ? '+' : '-';
        EXPECT_EQ(lowestOfOnlyExperiment(walk), lowestByFullSort(walk)) << walk;
    }
}

// Lowest balances -3, -5 and 1; a second run must not add to the first.
TEST(ExperimentEngine, RunsCountFromZeroAndFollowTheCallingOrder) {
    ScriptedRandom random("---++" "-----" "+++++");
    ExperimentEngine engine(random);
    for (int run = 0; run < 2; ++run) {
        random.calls.clear();
        const ExperimentResult result = engine.run(5, 3);
        EXPECT_EQ(random.calls, std::string("RNNNNN") * 3);
        EXPECT_EQ(result.meanLowestBalance, static_cast<float>(-7.0 / 3.0));
        for (std::size_t c : {54u, 56u, 60u}) EXPECT_EQ(result.frequencyCounts[c], 1) << c;
        EXPECT_EQ(std::accumulate(result.frequencyCounts.begin(), result.frequencyCounts.end(), 0), 3);
    }
}

TEST(ExperimentEngine, RefusesParametersOutsideItsArrays) {
    const std::vector<std::tuple<int, int, std::string>> cases = {
        {0, 1, "customerCount 0 is outside 1..1000"},
        {-1, 1, "customerCount -1 is outside 1..1000"},
        {1001, 1, "customerCount 1001 is outside 1..1000"},
        {1, 0, "trialCount 0 is outside 1..10000"},
        {1, 10001, "trialCount 10001 is outside 1..10000"}};
    for (const auto& [guests, trials, message] : cases) {
        ScriptedRandom random("+");
        try {
            ExperimentEngine(random).run(guests, trials);
            ADD_FAILURE() << "accepted " << guests << ", " << trials;
        } catch (const std::invalid_argument& error) {
            EXPECT_EQ(error.what(), message);
        }
        EXPECT_EQ(random.calls, "");
    }
}

class StillClock final : public Clock {
public:
    float secondsSinceMidnight() override { return 45296.25f; }
};

// The largest run: the exact lowest balances agree with the classes, add up
// to the number of experiments and give the mean; nothing lands above 1.
TEST(ExperimentEngine, LargestRunIsConsistent) {
    StillClock clock;
    XoshiroRandomSource random(clock, 20240601);
    const ExperimentResult result = ExperimentEngine(random).run(kMaxCustomers, kMaxTrials);
    std::array<int, kClassCount + 1> fromExact{};
    std::int64_t sum = 0;
    for (int m = -kMaxCustomers; m <= 1; ++m) {
        const int count = result.lowestBalanceCounts[static_cast<std::size_t>(m + kMaxCustomers)];
        fromExact[static_cast<std::size_t>(classIndex(m))] += count;
        sum += std::int64_t{m} * count;
    }
    for (std::size_t c = 1; c <= kClassCount; ++c) EXPECT_EQ(result.frequencyCounts[c], fromExact[c]) << c;
    EXPECT_EQ(std::accumulate(fromExact.begin(), fromExact.end(), 0), kMaxTrials);
    EXPECT_GT(result.frequencyCounts[1], 0);
    EXPECT_EQ(result.meanLowestBalance, static_cast<float>(static_cast<double>(sum) / kMaxTrials));
}
