// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// The tray icon's rules, values in and outcome out.
namespace TrayRules {

// The tool tip holds 63 characters at most.
inline constexpr int MaxTipLength = 63;

// The image an index selects: n itself, the last image for any n at or past the end, 0 for
// an empty list.
inline int ClampIconIndex(int n, int count) {
    if (count <= 0)
        return 0;
    return n < count ? n : count - 1;
}

// The image an animation tick moves to: the next one, after the last the first.
inline int NextCycleIndex(int index, int count) {
    return index < count - 1 ? index + 1 : 0;
}

// The tool tip: the hint cut to its maximum, or none while hints are off.
inline QString TipText(const QString& hint, bool showHint) {
    return showHint ? hint.left(MaxTipLength) : QString();
}

} // namespace TrayRules
