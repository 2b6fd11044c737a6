#pragma once

#include <QIcon>
#include <vector>

// ImageListHotkeysLarge: the 52 hotkey icons (32 by 32 on white) that entries index.
class HotkeyIconList {
public:
    static constexpr int Count = 52;
    static constexpr int NewEntryIcon = 34;

    HotkeyIconList();
    // The icon at index, or a null icon for an index outside the list.
    QIcon icon(int index) const;

private:
    std::vector<QIcon> m_icons;
};
