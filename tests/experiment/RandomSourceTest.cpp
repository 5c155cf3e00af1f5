#include "RandomSource.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <thread>
#include <vector>

namespace {

class FixedClock final : public Clock {
public:
    explicit FixedClock(float seconds) : seconds_(seconds) {}
    float secondsSinceMidnight() override { return seconds_; }

private:
    float seconds_;
};

std::vector<float> draws(RandomSource& random, std::size_t count) {
    std::vector<float> out(count);
    for (float& value : out) value = random.next();
    return out;
}

} // namespace

TEST(XoshiroRandomSource, FillEqualsSuccessiveDraws) {
    FixedClock clock(1.0f);
    XoshiroRandomSource filled(clock, 99);
    XoshiroRandomSource drawn(clock, 99);
    // Sizes around the internal chunk and unrolling widths.
    for (std::size_t size : {0u, 1u, 3u, 4u, 5u, 255u, 256u, 257u, 1000u, 1003u}) {
        std::vector<float> out(size);
        filled.fill(out);
        EXPECT_EQ(out, draws(drawn, size)) << size;
    }
}

TEST(XoshiroRandomSource, DrawsAre24BitFractionsBelowOne) {
    FixedClock clock(0.0f);
    XoshiroRandomSource random(clock, 0);
    std::vector<float> out(100000);
    random.fill(out);
    for (float r : out) {
        const float scaled = r * 0x1.0p24f;
        ASSERT_TRUE(r >= 0.0f && r < 1.0f && scaled == static_cast<float>(static_cast<std::int32_t>(scaled))) << r;
    }
    EXPECT_LT(*std::min_element(out.begin(), out.end()), 0.001f);
    EXPECT_GT(*std::max_element(out.begin(), out.end()), 0.999f);
}

// A fixed seed with a clock that holds still must replay exactly; a clock
// that holds still must not make reseeds replay.
TEST(XoshiroRandomSource, ReseedDependsOnClockAndState) {
    FixedClock still(45296.25f), later(45296.5f);
    XoshiroRandomSource a(still, 5), b(still, 5), c(later, 5), d(still, 6);
    for (XoshiroRandomSource* random : {&a, &b, &c, &d}) {
        random->reseedFromClock();
    }
    const std::vector<float> first = draws(a, 64);
    EXPECT_EQ(first, draws(b, 64));
    EXPECT_NE(first, draws(c, 64));
    EXPECT_NE(first, draws(d, 64));

    // From the state after `first`, no reseed, one, or two back to back
    // (which a reseed that merely XORed the clock in would undo).
    std::vector<std::vector<float>> onward{first};
    for (int reseeds = 0; reseeds <= 2; ++reseeds) {
        XoshiroRandomSource random(still, 5);
        random.reseedFromClock();
        draws(random, 64);
        for (int k = 0; k < reseeds; ++k) {
            random.reseedFromClock();
        }
        onward.push_back(draws(random, 64));
    }
    for (std::size_t i = 0; i < onward.size(); ++i) {
        for (std::size_t j = i + 1; j < onward.size(); ++j) {
            EXPECT_NE(onward[i], onward[j]) << i << " vs " << j;
        }
    }
}

TEST(SystemClock, TimeOfDayWithFraction) {
    SystemClock clock;
    const float before = clock.secondsSinceMidnight();
    std::this_thread::sleep_for(std::chrono::milliseconds(40));
    const float after = clock.secondsSinceMidnight();
    EXPECT_GE(before, 0.0f);
    EXPECT_LT(after, 86401.0f);  // a leap second reads 86400.x
    EXPECT_NE(before, after);    // also across midnight
}
