// SPDX-FileCopyrightText: トルミナの実験２ developers
// SPDX-License-Identifier: MIT

#pragma once

#include <cstdint>
#include <string>
#include <vector>

// How a guest paid the 3500-yen fee, as the toss of a coin decided.
enum class Payment {
    // 表: three 1000-yen notes and a 500-yen coin; the organiser gains the coin.
    CoinGiven,
    // 裏: four 1000-yen notes; the organiser gives a 500-yen coin back.
    ChangeGiven,
};

struct GuestStep
{
    Payment payment = Payment::CoinGiven;
    // The organiser's 500-yen coins after this guest, counted from 0 before
    // the first: below 0, coins that had to be found somewhere.
    int stock = 0;
    // The lowest stock after any guest so far; the stock of 0 before the
    // first guest is not among them, as in the engine.
    int lowestSoFar = 0;
};

// One experiment of the engine told guest by guest.
struct Evening
{
    std::uint64_t seed = 0;
    std::vector<GuestStep> steps;

    // The lowest balance the engine counts for this experiment.
    int lowestBalance() const { return steps.back().lowestSoFar; }
    // The 500-yen coins that, prepared before the first guest, sufficed.
    int coinsNeeded() const { return lowestBalance() < 0 ? -lowestBalance() : 0; }
    // The class of the frequency table the evening is counted in.
    int tableClass() const;
};

// The first experiment of a run of `guests` guests with this seed, as
// torumina-sim runs it: the same draws, so the same lowest balance. Throws
// std::invalid_argument unless kMinGuests <= guests <= kMaxGuests.
Evening eveningOfSeed(std::uint64_t seed, int guests);

// How the guest paid, in UTF-8 words a pupil reads and a screen reader
// speaks: 「1000円札 4 枚（お釣り 500円玉 1 枚）」.
std::string paymentText(Payment payment);
// 表 or 裏.
std::string tossText(Payment payment);

// Before the first guest: what is to come, and what the chart shows below 0.
std::string eveningStartText(int guests);
// One guest's line, the guest-th: 「3 人目：裏　1000円札 4 枚（お釣り 500円玉 1
// 枚）　手元の 500円玉 -1 枚　これまでの最低 -1 枚」.
std::string guestStepText(int guest, const GuestStep& step);
// The evening's end: the table's word for the lowest point and the class it
// falls in, what the evening would count as in a run, not that it was counted.
std::string eveningAnswerText(const Evening& evening);
