// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// The text a desktop's shortcut service reads as a key combination: modifier names and an
// xkb key name joined by "+", such as "CTRL+ALT+k".
namespace PortalTrigger {

// The xkb key name of a virtual-key code of the key table; empty for any other code.
QString KeyName(int virtualKey);

// The preferred trigger for modifier bits (Alt 1, Ctrl 2, Shift 4) and a virtual-key code,
// modifiers always in the order CTRL, ALT, SHIFT; empty when the code has no key name.
QString Text(unsigned modifierBits, int virtualKey);

} // namespace PortalTrigger
