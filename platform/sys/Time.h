#pragma once
#include <cstdint>

// The millisecond clock the engine counts with (wraps after 49 days, like the
// multimedia timer it stands for).
uint32_t PlatformGetTickMs();
// Sleeps at least `ms` milliseconds.
void PlatformSleepMs(uint32_t ms);
// Sleeps until `ms` milliseconds have passed, to the millisecond: the scheduler's
// coarse sleep for most of it, then short yields for the rest.
void PlatformPreciseSleepMs(uint32_t ms);
