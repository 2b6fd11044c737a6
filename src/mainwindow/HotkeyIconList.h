// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QIcon>
#include <array>

// ImageListHotkeysLarge: the 52 hotkey icons (32 by 32 on white) that entries index. An icon
// is read from the compiled-in artwork when it is first asked for and kept from then on, so a
// start that shows no list decodes none of them.
class HotkeyIconList {
public:
    static constexpr int Count = 52;
    static constexpr int NewEntryIcon = 34;

    // The icon at index, or a null icon for an index outside the list. It carries the 32-pixel
    // picture and the 64-pixel one for screens with a device pixel ratio of 2.
    QIcon icon(int index) const;

private:
    mutable std::array<QIcon, Count> m_icons;
};

// The program's own icon, with a picture for each size it is drawn at (16 to 256 pixels).
QIcon AppIcon();
