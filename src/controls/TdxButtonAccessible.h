// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class QAccessibleInterface;
class TdxButton;

// What assistive technology is told of a gradient button: a push button that can be pressed,
// named by its own accessible name, else by its caption, else (where the caption is a glyph
// such as "X" or "v") by its hint. A window's title bar is a title bar that reads its caption
// and offers nothing to press.
namespace TdxButtonAccessible {

QString NameOf(const TdxButton& button);

// Makes `bar` read as its window's title bar.
void MarkTitleBar(TdxButton& bar);
bool IsTitleBar(const TdxButton& button);

// The interface that describes `button` so, for the controls' accessibility factory
// (AccessibleWidgets).
QAccessibleInterface* Describe(TdxButton* button);

} // namespace TdxButtonAccessible
