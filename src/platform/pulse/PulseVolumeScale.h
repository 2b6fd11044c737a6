// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtGlobal>
#include <algorithm>
#include <cmath>
#include <pulse/volume.h>
#include <span>

// A sink's volume on the mixer's 0..65535 scale (the sound server's 100 % is 65535) as the
// one or two channels a mixer line has: a mono or stereo sink channel by channel, any other
// layout as its loudest left and loudest right side, so that stepping keeps its balance.
namespace PulseVolumeScale {

inline constexpr long kFull = 65535;

inline int ToUnits(pa_volume_t volume) {
    const pa_volume_t v = std::min<pa_volume_t>(volume, PA_VOLUME_NORM);
    return int(std::lround(double(v) * kFull / PA_VOLUME_NORM));
}

// The server volume for units where the sink now has current. Writing back what was read
// keeps the server's value exactly, also above 100 %, which the mixer scale cannot hold.
inline pa_volume_t ToVolume(qint32 units, pa_volume_t current) {
    if (units == ToUnits(current))
        return current;
    const long clamped = std::clamp<long>(units, 0, kFull);
    return pa_volume_t(std::lround(double(clamped) * PA_VOLUME_NORM / kFull));
}

// Left and right of any layout: the loudest channel and the balance between the sides.
inline void Sides(const pa_cvolume& cv, const pa_channel_map& map, pa_volume_t& left,
                  pa_volume_t& right) {
    const pa_volume_t loudest = pa_cvolume_max(&cv);
    const float balance = pa_cvolume_get_balance(&cv, &map);
    left = balance > 0 ? pa_volume_t(std::lround(loudest * (1.0 - balance))) : loudest;
    right = balance < 0 ? pa_volume_t(std::lround(loudest * (1.0 + balance))) : loudest;
}

// values holds one (the loudest channel) or two (left, right) values.
inline void Read(const pa_cvolume& cv, const pa_channel_map& map, std::span<qint32> values) {
    if (values.size() == 1) {
        values[0] = ToUnits(pa_cvolume_max(&cv));
        return;
    }
    if (cv.channels <= 2) {
        values[0] = ToUnits(cv.values[0]);
        values[1] = ToUnits(cv.values[cv.channels - 1]);
        return;
    }
    pa_volume_t left = 0, right = 0;
    Sides(cv, map, left, right);
    values[0] = ToUnits(left);
    values[1] = ToUnits(right);
}

// The sink volume that gives the line values (one or two, as Read).
inline pa_cvolume Written(const pa_cvolume& cv, const pa_channel_map& map,
                          std::span<const qint32> values) {
    pa_cvolume out = cv;
    if (values.size() == 1 || cv.channels == 1) {
        const pa_volume_t loudest = pa_cvolume_max(&cv);
        const pa_volume_t target = ToVolume(values[0], loudest);
        if (target != loudest)
            pa_cvolume_scale(&out, target);
        return out;
    }
    if (cv.channels == 2) {
        out.values[0] = ToVolume(values[0], cv.values[0]);
        out.values[1] = ToVolume(values[1], cv.values[1]);
        return out;
    }
    pa_volume_t left = 0, right = 0;
    Sides(cv, map, left, right);
    const pa_volume_t newLeft = ToVolume(values[0], left);
    const pa_volume_t newRight = ToVolume(values[1], right);
    if (newLeft == left && newRight == right)
        return out;
    const pa_volume_t loudest = std::max(newLeft, newRight);
    pa_cvolume_scale(&out, loudest);
    if (loudest > 0) {
        const double ratio = double(std::min(newLeft, newRight)) / loudest;
        pa_cvolume_set_balance(&out, &map, float(newLeft >= newRight ? ratio - 1 : 1 - ratio));
    }
    return out;
}

} // namespace PulseVolumeScale
