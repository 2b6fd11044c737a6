// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "controls/Skin.h"

class QWidget;
class TdxButton;

// What the main window adds to the skinned window's chrome: the program's glyph on the title
// bar, the minimise and hide buttons on it, and the row of four menu buttons under it.
struct MainWindowFrame {
    TdxButton* ButtonBar = nullptr;
    TdxButton* ButtonMinimize = nullptr;
    TdxButton* ButtonExit = nullptr;
    TdxButton* ButtonHotKeys = nullptr;
    TdxButton* ButtonView = nullptr;
    TdxButton* ButtonWindow = nullptr;
    TdxButton* ButtonHelp = nullptr;

    // Builds the frame around the window's title bar, in the design colours.
    static MainWindowFrame Build(QWidget* window, TdxButton* titleBar);
    // A colour scheme: the push buttons' set on the two title-bar buttons, the tab set on
    // the menu buttons.
    void ApplyPalette(const SkinPalette& palette) const;
};
