// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <algorithm>
#include <cmath>

// The mixer's 0..65535 scale mapped linearly onto an ALSA element's own range, rounded to
// the nearest step, so that a value written and read back is the value written.
namespace AlsaVolumeScale {

inline constexpr long kFull = 65535;

inline int ToUnits(long raw, long min, long max) {
    if (max <= min)
        return 0;
    const long double units =
        static_cast<long double>(std::clamp(raw, min, max) - min) * kFull / (max - min);
    return int(std::lround(double(units)));
}

inline long ToRaw(int units, long min, long max) {
    if (max <= min)
        return min;
    const long clamped = std::clamp<long>(units, 0, kFull);
    return min + std::lround(double(static_cast<long double>(clamped) * (max - min) / kFull));
}

// The raw value to write for units when the element now holds currentRaw. Writing back
// what was read keeps the raw value exactly. On an element with fewer steps than the mixer
// scale a small change would round back to the value it has; it moves one step in the
// asked direction instead, so that volume steps never stick.
inline long RawForWrite(int units, long currentRaw, long min, long max) {
    const int current = ToUnits(currentRaw, min, max);
    if (units == current)
        return currentRaw;
    const long raw = ToRaw(units, min, max);
    if (raw != currentRaw)
        return raw;
    return std::clamp(currentRaw + (units > current ? 1 : -1), min, max);
}

} // namespace AlsaVolumeScale
