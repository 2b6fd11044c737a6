// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QWidget;

// What assistive technology is told of the skinned controls that Qt cannot describe by their
// class: a gradient button as TdxButtonAccessible says; a skinned window is a window (or a dialog)
// named by its title; a link label is a link named by its text, described by the link it opens, and
// pressed like a click; a widget marked decorative (a window's border strip) is a separator, which
// screen readers pass over.
namespace AccessibleWidgets {

void MarkDecorative(QWidget& widget);

// Makes Qt describe those widgets that way; done once, by the first that needs it.
void Install();

} // namespace AccessibleWidgets
