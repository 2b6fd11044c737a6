// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "controls/BorderStrips.h"
#include "controls/Skin.h"

class QWidget;
class TdxButton;

// The main window's own frame: the gradient title bar with its minimise and hide buttons,
// the border strips, and the row of four menu buttons under the title bar.
struct MainWindowFrame {
    TdxButton* ButtonBar = nullptr;
    TdxButton* ButtonMinimize = nullptr;
    TdxButton* ButtonExit = nullptr;
    TdxButton* ButtonHotKeys = nullptr;
    TdxButton* ButtonView = nullptr;
    TdxButton* ButtonWindow = nullptr;
    TdxButton* ButtonHelp = nullptr;
    BorderStrips Strips;

    static constexpr int TitleHeight = Skin::TitleBarHeight;

    // Builds the frame on a window `width` pixels wide, in the design colours.
    static MainWindowFrame Build(QWidget* window, int width);
    // A colour scheme: the title bar's set, the push buttons' set on the two title-bar
    // buttons, the tab set on the menu buttons, the strips dark.
    void ApplyPalette(const SkinPalette& palette) const;
};
