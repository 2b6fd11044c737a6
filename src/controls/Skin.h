// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QFont>
#include <array>

class QWidget;
class TdxButton;
class TdxColors;

// The four colours every window is drawn from. The design look is the blue one; colour
// schemes swap the palette later.
struct SkinPalette {
    QColor dark;
    QColor accent;
    QColor listBackground;
    QColor windowBackground;
    bool operator==(const SkinPalette&) const = default;
};

namespace Skin {

inline const QColor Navy{0, 0, 128};
inline const QColor SkyBlue{166, 202, 240};
inline const QColor Teal{0, 128, 128};
inline const QColor WindowBackground{220, 240, 255};

// The look the windows are laid out with.
inline const SkinPalette DesignPalette{Navy, SkyBlue, QColor(230, 250, 255), WindowBackground};

// The colour schemes, in the order of the options dialog's list and of the stored index.
inline constexpr std::array<const char*, 7> SchemeNames = {"Blue",   "Green",  "Red",  "Yellow",
                                                           "Purple", "Silver", "Black"};
// The palette of a scheme by its exact name; any other name (none selected included) gives
// the fallback, which is the blue one with a paler list.
SkinPalette SchemePalette(const QString& name);
// The palette of a stored scheme index; an index outside the list gives the fallback.
SkinPalette SchemePalette(int index);

// Gives every gradient button inside `root` the quality (0 Low, 1 Middle, 2 High; any other
// value is held and painted like Middle without dithering).
void ApplyQuality(QWidget* root, int quality);

// The windows' type at a character height in pixels: "MS Sans Serif" where it exists, else a
// close sans-serif of similar width.
QFont Font(int pixelHeight, bool bold = false);

// Title bars: dark to accent in every state.
void ApplyTitleBarSet(TdxColors& colors, const SkinPalette& palette);
// A window's title bar "ButtonBar": `width` by TitleBarHeight at the top, the caption in white
// bold type 16 pixels high, never focused, no focus rectangle or accelerator, design colours.
inline constexpr int TitleBarHeight = 26;
TdxButton* AddTitleBar(QWidget* window, const QString& caption, int width);
// Push buttons: the colours a scheme changes, dark to accent.
void ApplyActionButtonSet(TdxColors& colors, const SkinPalette& palette);
// The main window's push buttons as laid out: the blue set, white where the state
// gradients start.
void ApplyActionButtonDesign(TdxColors& colors);
// The About box's OK button: dark to accent, the focused frame starting from its own colour.
void ApplyOkButtonSet(TdxColors& colors, const SkinPalette& palette);
// The menu buttons under a title bar: accent to white with a dark outline; the caption takes
// the dark colour too.
void ApplyTabButtonSet(TdxButton& button, const SkinPalette& palette);
// The menu buttons as laid out, before any scheme: a teal outline.
void ApplyTabButtonDesign(TdxButton& button);

// A borderless window's background, which is also the colour its transparency keys out.
void SetWindowBackground(QWidget* window, const QColor& colour);

// Text colour of a label, check box or edit field.
void SetTextColour(QWidget* widget, const QColor& colour);

} // namespace Skin
