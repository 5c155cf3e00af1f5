#include "RandomSource.h"

#include <algorithm>
#include <bit>
#include <chrono>
#include <exception>
#include <ctime>
#include <random>

namespace {

constexpr std::uint64_t kGoldenGamma = 0x9E3779B97F4A7C15ULL;

// The splitmix64 finaliser: a bijection on 64-bit words that spreads every
// input bit over the whole output.
constexpr std::uint64_t mix64(std::uint64_t z)
{
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
}

constexpr std::uint64_t splitmix64(std::uint64_t& x)
{
    x += kGoldenGamma;
    return mix64(x);
}

} // namespace

void RandomSource::fill(std::span<float> out)
{
    for (float& value : out) {
        value = next();
    }
}

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

XoshiroRandomSource::XoshiroRandomSource(Clock& clock, std::uint64_t seed) : clock_(clock)
{
    std::uint64_t x = seed;
    for (std::uint64_t& word : s_) {
        word = splitmix64(x);
    }
    avoidZeroState();
}

void XoshiroRandomSource::reseedFromClock()
{
    // Each word goes through a bijection keyed by the clock value, so the
    // new state depends on both. Reseeding twice with the same clock value
    // gives g(g(s)) rather than g(s): the sequence goes on instead of
    // starting over, which a plain XOR of the clock would not ensure.
    std::uint64_t key = std::bit_cast<std::uint32_t>(clock_.secondsSinceMidnight());
    for (std::uint64_t& word : s_) {
        word = mix64(word + splitmix64(key));
    }
    avoidZeroState();
}

void XoshiroRandomSource::fill(std::span<float> out)
{
    // The generator is one serial chain; the integer-to-float conversion is
    // not, so it runs as a separate loop the compiler can vectorise. A local
    // copy of the state stays in registers.
    XoshiroRandomSource local = *this;
    std::array<std::uint32_t, 256> bits;
    while (!out.empty()) {
        const std::size_t count = std::min(out.size(), bits.size());
        // Unrolled by hand: the loop overhead would otherwise compete with
        // the chain's own instructions.
        std::size_t i = 0;
        for (; i + 4 <= count; i += 4) {
            bits[i] = static_cast<std::uint32_t>(local.step() >> 40);
            bits[i + 1] = static_cast<std::uint32_t>(local.step() >> 40);
            bits[i + 2] = static_cast<std::uint32_t>(local.step() >> 40);
            bits[i + 3] = static_cast<std::uint32_t>(local.step() >> 40);
        }
        for (; i < count; ++i) {
            bits[i] = static_cast<std::uint32_t>(local.step() >> 40);
        }
        for (i = 0; i < count; ++i) {
            out[i] = static_cast<float>(static_cast<std::int32_t>(bits[i])) * 0x1.0p-24f;
        }
        out = out.subspan(count);
    }
    s_ = local.s_;
}

void XoshiroRandomSource::avoidZeroState()
{
    if ((s_[0] | s_[1] | s_[2] | s_[3]) == 0) {
        s_[0] = kGoldenGamma;
    }
}

RandomSource& processRandomSource()
{
    static SystemClock clock;
    static XoshiroRandomSource source(clock, [] {
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
