// SPDX-FileCopyrightText: トルミナの実験２ developers
// SPDX-License-Identifier: MIT

#include "Evening.h"

#include "ExperimentEngine.h"
#include "RandomSource.h"

#include <algorithm>

int Evening::tableClass() const
{
    return classIndex(lowestBalance());
}

Evening eveningOfSeed(std::uint64_t seed, int guests)
{
    requireInRange("guests", guests, kMinGuests, kMaxGuests);
    // The tosses the engine reads for the first experiment of the seeded
    // run, one guest each.
    const std::uint64_t key = SeededRun(seed).nextExperimentKey(guests);
    const auto count = static_cast<std::uint64_t>(guests);
    Evening evening{seed, {}};
    evening.steps.reserve(static_cast<std::size_t>(guests));
    int stock = 0;
    int lowest = guests; // above any stock
    for (std::uint64_t i = 0; i < count; ++i) {
        const bool changeGiven = RandomSource::getsChange(key, i);
        stock += changeGiven ? -1 : 1;
        lowest = std::min(lowest, stock);
        evening.steps.push_back(
                {changeGiven ? Payment::ChangeGiven : Payment::CoinGiven, stock, lowest});
    }
    return evening;
}

std::string paymentText(Payment payment)
{
    return payment == Payment::ChangeGiven ? "1000円札 4 枚（お釣り 500円玉 1 枚）"
                                           : "1000円札 3 枚と 500円玉 1 枚";
}

std::string tossText(Payment payment)
{
    return payment == Payment::ChangeGiven ? "裏" : "表";
}

std::string eveningStartText(int guests)
{
    return "まだお客は来ていません（お客人数 " + std::to_string(guests)
            + " 人）。グラフで 0 より下は、500円玉が足りなかった枚数です。";
}

std::string guestStepText(int guest, const GuestStep& step)
{
    return std::to_string(guest) + " 人目：" + tossText(step.payment) + "　"
            + paymentText(step.payment) + "　手元の 500円玉 " + std::to_string(step.stock)
            + " 枚　これまでの最低 " + std::to_string(step.lowestSoFar) + " 枚";
}

std::string eveningAnswerText(const Evening& evening)
{
    const std::string coins = evening.coinsNeeded() > 0
            ? "500円玉を " + std::to_string(evening.coinsNeeded()) + " 枚用意しておけば足りました"
            : std::string("500円玉を用意しなくても足りました");
    return "この夜の不足枚数は " + std::to_string(evening.lowestBalance()) + " でした（" + coins
            + "）。表では「" + classCaption(evening.tableClass()) + "」の欄に入る夜です。";
}
