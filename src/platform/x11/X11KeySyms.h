// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

namespace X11KeySyms {

// The keysym whose key is the given Windows virtual-key code (letters as lower case, the
// form a keyboard map holds them in), or 0 for a code without one.
uint32_t ForVirtualKey(int virtualKey);

// True when sym is the keysym of one of the virtual-key codes, i.e. names a key of its own.
bool NamesAKey(uint32_t sym);

// True for the keypad keys that send their digit or decimal point only with NumLock on.
bool NeedsNumLock(int virtualKey);

} // namespace X11KeySyms
