#include "ExperimentEngine.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <random>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace {

// Plays a script back in a loop, logging R per reseed and N per draw. '+' is
// heads (the float just below 0.5), 'h' exactly 0.5, '-' the float below 1.
struct ScriptedRandom final : RandomSource
{
    explicit ScriptedRandom(std::string s) : script(std::move(s)) { }
    void reseedFromClock() override { calls += 'R'; }
    float next() override
    {
        calls += 'N';
        const char c = script[position++ % script.size()];
        return c == '+' ? 0.49999997f : c == 'h' ? 0.5f : 0.99999994f;
    }
    std::string script, calls;
    std::size_t position = 0;
};

// Reference: the whole exchange sort of the running balances 1..n.
int lowestByFullSort(const std::string& walk)
{
    std::vector<int> b{0};
    for (char c : walk)
        b.push_back(b.back() + (c == '+' ? 1 : -1));
    for (std::size_t i = 1; i + 1 < b.size(); ++i)
        for (std::size_t j = i + 1; j < b.size(); ++j)
            if (b[i] > b[j])
                std::swap(b[i], b[j]);
    return b[1];
}

// One experiment over the walk; its class must agree with its exact lowest balance.
int lowestOfOneExperiment(const std::string& walk)
{
    ScriptedRandom random(walk);
    const ExperimentResult r = ExperimentEngine(random).run(static_cast<int>(walk.size()), 1);
    const auto& n = r.lowestBalanceCounts;
    const int m = static_cast<int>(std::find(n.begin(), n.end(), 1) - n.begin()) - kMaxCustomers;
    EXPECT_EQ(r.frequencyCounts.at(static_cast<std::size_t>(classIndex(m))), 1) << walk;
    return m;
}

} // namespace

TEST(ClassIndex, OpenEndsAndOneValuePerInnerClass)
{
    for (auto [m, expected] :
         {std::pair{-1000, 1}, {-58, 1}, {-57, 2}, {-1, 58}, {0, 59}, {1, 60}, {3, 62}, {4, 63}})
        EXPECT_EQ(classIndex(m), expected) << m;
}

// Hand-checked walks (lengths around the engine's blocks of eight among them), then random ones.
TEST(ExperimentEngine, LowestBalanceEqualsTheFullSorts)
{
    const std::pair<std::string, int> walks[] = {{std::string(57, '-'), -57},
                                                 {std::string(58, '-'), -58},
                                                 {std::string(1000, 'h'), -1000},
                                                 {std::string(1000, '+'), 1},
                                                 {"++-+-+-+-+-+-+-+-+-", 1},
                                                 {"+-++-+", 0},
                                                 {"h", -1},
                                                 {"hhhhhhhhh", -9},
                                                 {"++++++++---------", -1},
                                                 {"++-----+++------+", -6}};
    for (const auto& [walk, lowest] : walks)
        EXPECT_EQ(lowestOfOneExperiment(walk), lowest) << walk;
    std::mt19937 generator(7);
    for (int k = 0; k < 300; ++k) {
        std::string walk(static_cast<std::size_t>(k < 40 ? k + 1 : 3 * k + 103), '-');
        for (char& c : walk)
            c = "++-h"[generator() % 4];
        EXPECT_EQ(lowestOfOneExperiment(walk), lowestByFullSort(walk)) << walk;
    }
}

TEST(ExperimentEngine, RunsCountFromZeroAndReseedOncePerExperiment)
{
    ScriptedRandom random("---++-----+++++"); // lowest balances -3, -5 and 1
    ExperimentEngine engine(random);
    for (int run = 0; run < 2; ++run) { // the second run must not add to the first
        random.calls.clear();
        const ExperimentResult r = engine.run(5, 3);
        EXPECT_EQ(random.calls, "RNNNNNRNNNNNRNNNNN");
        EXPECT_EQ(r.meanLowestBalance, static_cast<float>(-7.0 / 3.0));
        for (std::size_t c : {54u, 56u, 60u})
            EXPECT_EQ(r.frequencyCounts[c], 1) << c;
        EXPECT_EQ(std::accumulate(r.frequencyCounts.begin(), r.frequencyCounts.end(), 0), 3);
    }
}

TEST(ExperimentEngine, RefusesParametersOutsideItsArrays)
{
    for (auto [guests, trials, message] : {std::tuple{0, 1, "customerCount 0 is outside 1..1000"},
                                           {1001, 1, "customerCount 1001 is outside 1..1000"},
                                           {1, 0, "trialCount 0 is outside 1..10000"},
                                           {1, 10001, "trialCount 10001 is outside 1..10000"}}) {
        ScriptedRandom random("+");
        try {
            ExperimentEngine(random).run(guests, trials);
            ADD_FAILURE() << "accepted " << guests << ", " << trials;
        } catch (const std::invalid_argument& error) {
            EXPECT_STREQ(error.what(), message);
        }
        EXPECT_EQ(random.calls, "");
    }
}

// fill() equals successive next() calls; reseeding from a clock that holds still never restarts the
// sequence.
TEST(XoshiroRandomSource, FillsLikeNextAndAStillClockDoesNotRepeatTheDraws)
{
    StillClock still(45296.25f);
    XoshiroRandomSource filled(still, 5), drawn(still, 5);
    float first = -1.0f;
    for (std::size_t size : {1003u, 257u, 256u, 5u}) {
        filled.reseedFromClock();
        drawn.reseedFromClock();
        std::vector<float> out(size), one(size);
        filled.fill(out);
        for (float& r : one)
            r = drawn.next();
        EXPECT_EQ(out, one) << size;
        EXPECT_NE(out[0], std::exchange(first, out[0])) << size;
    }
}
