#pragma once

#include "RandomSource.h"

// Reads 10:00:00 plus `tick` seconds at the first reading and at every one after, and counts them.
struct TickingClock final : Clock
{
    explicit TickingClock(float t = 0.0f) : tick(t) { }
    float secondsSinceMidnight() override { return ++readings, seconds += tick; }
    float tick, seconds = 36000.0f;
    int readings = 0;
};
