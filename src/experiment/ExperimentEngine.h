// SPDX-FileCopyrightText: トルミナの実験２ developers
// SPDX-License-Identifier: MIT

#pragma once

#include "RandomSource.h"

#include <array>
#include <cstdint>
#include <string>

// The frequency table's classes in 7 rows of 9, read row by row from the
// top and left to right, as the window and torumina-sim's text lay them out.
inline constexpr int kTableRows = 7;
inline constexpr int kTableColumns = 9;
inline constexpr int kClassCount = kTableRows * kTableColumns;
// What the engine runs: within these no balance, index or count overflows
// or leaves its array.
inline constexpr int kMinGuests = 1;
inline constexpr int kMaxGuests = 1000;
inline constexpr int kMinTrials = 1;
inline constexpr int kMaxTrials = 10000;
// The window asks for 10 guests or more: fewer leave every evening in the
// few classes around 0, too narrow a spread for the lesson. torumina-sim
// takes whatever the engine runs.
inline constexpr int kMinGuestsAsked = 10;

// Throws std::invalid_argument naming the value and its allowed range
// unless low <= value <= high: the core's callers pass only what the entry
// and torumina-sim's options took, so this is a fault of the caller.
void requireInRange(const char* name, int value, int low, int high);

// Class 1 holds every lowest balance below -57, class 63 every one above 3,
// and the classes between hold one value each (m + 59).
int classIndex(int lowestBalance);

// The caption of class k in the table's header row, in UTF-8: "～  -57" over
// the open class below, "3  ～" over the open class above, the value itself
// over every other class.
std::string classCaption(int k);

// A run of trials experiments of guests guests each; the figures travel
// with the run they describe.
struct ExperimentResult
{
    int guests = 0;
    int trials = 0;
    // Indexed 1..63 like the table cells; element 0 is unused.
    std::array<std::int16_t, kClassCount + 1> frequencyCounts{};
    float meanLowestBalance = 0.0f;
    // How many experiments ended on each exact lowest balance m, at index
    // m + 1000 for m from -1000 to 1: the open classes hide these.
    std::array<std::int32_t, kMaxGuests + 2> lowestBalanceCounts{};

    // The experiments that ended on exactly this lowest balance; 0 outside
    // -1000..1.
    int countOf(int lowestBalance) const;
    // The experiments counted in class k of the table, 1..63.
    int countInClass(int k) const;
    // One more experiment that ended on lowestBalance, counted in its class
    // too.
    void record(int lowestBalance);
};

// The instruction sets the engine's inner loop is built for, baseline being
// whatever the compiler targets by default. An engine uses the widest the
// processor has; the benchmark compares it with the narrower ones. A set the
// processor lacks must not be asked for.
enum class InstructionSet { baseline, avx2, avx512 };
InstructionSet widestInstructionSet();

class ExperimentEngine
{
public:
    explicit ExperimentEngine(RandomSource& random, InstructionSet set = widestInstructionSet());

    // Throws std::invalid_argument naming the parameter, its value and the
    // allowed range when guestCount is outside kMinGuests..kMaxGuests
    // or trialCount outside kMinTrials..kMaxTrials.
    ExperimentResult run(int guestCount, int trialCount);

private:
    RandomSource& random_;
    InstructionSet set_;
};

// A run that its seed repeats, as torumina-sim, the evening and the tests
// run it: the clock the engine reseeds from before every experiment stands
// still, so that the seed alone decides every draw.
class SeededRun
{
public:
    explicit SeededRun(std::uint64_t seed) : source_(clock_, seed), engine_(source_) { }
    SeededRun(const SeededRun&) = delete;
    SeededRun& operator=(const SeededRun&) = delete;

    ExperimentResult run(int guestCount, int trialCount)
    {
        return engine_.run(guestCount, trialCount);
    }
    // The key the next experiment of guestCount guests draws from, reseeded
    // as the engine reseeds before it.
    std::uint64_t nextExperimentKey(int guestCount)
    {
        return source_.reseedAndSkip(static_cast<std::uint64_t>(guestCount));
    }
    // For a window that runs the engine itself.
    ExperimentEngine& engine() { return engine_; }

private:
    StillClock clock_;
    RandomSource source_;
    ExperimentEngine engine_;
};
