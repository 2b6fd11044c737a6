// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/x11/X11KeySyms.h"

#include <X11/XF86keysym.h>
#include <X11/keysym.h>

namespace X11KeySyms {

uint32_t ForVirtualKey(int vk) {
    if (vk >= '0' && vk <= '9')
        return XK_0 + static_cast<uint32_t>(vk - '0');
    if (vk >= 'A' && vk <= 'Z')
        return XK_a + static_cast<uint32_t>(vk - 'A');
    if (vk >= 96 && vk <= 105)
        return XK_KP_0 + static_cast<uint32_t>(vk - 96);
    if (vk >= 112 && vk <= 135) // F1 to F24
        return XK_F1 + static_cast<uint32_t>(vk - 112);
    switch (vk) {
    case 144: return XK_Num_Lock;
    case 111: return XK_KP_Divide;
    case 106: return XK_KP_Multiply;
    case 109: return XK_KP_Subtract;
    case 107: return XK_KP_Add;
    case 110: return XK_KP_Decimal;
    case 45: return XK_Insert;
    case 36: return XK_Home;
    case 33: return XK_Prior;
    case 34: return XK_Next;
    case 38: return XK_Up;
    case 40: return XK_Down;
    case 37: return XK_Left;
    case 39: return XK_Right;
    case 27: return XK_Escape;
    case 9: return XK_Tab;
    case 20: return XK_Caps_Lock;
    case 32: return XK_space;
    case 189: return XK_minus;
    case 187: return XK_equal;
    case 8: return XK_BackSpace;
    case 219: return XK_bracketleft;
    case 221: return XK_bracketright;
    case 220: return XK_backslash;
    case 186: return XK_semicolon;
    case 222: return XK_apostrophe;
    case 13: return XK_Return;
    case 188: return XK_comma;
    case 190: return XK_period;
    case 191: return XK_slash;
    case 145: return XK_Scroll_Lock;
    case 19: return XK_Pause;
    case 35: return XK_End;
    case 46: return XK_Delete;
    case 44: return XK_Print;
    case 192: return XK_grave;
    case 93: return XK_Menu;
    case 226: return XK_less;
    case 173: return XF86XK_AudioMute;
    case 174: return XF86XK_AudioLowerVolume;
    case 175: return XF86XK_AudioRaiseVolume;
    case 176: return XF86XK_AudioNext;
    case 177: return XF86XK_AudioPrev;
    case 178: return XF86XK_AudioStop;
    case 179: return XF86XK_AudioPlay;
    case 180: return XF86XK_Mail;
    case 181: return XF86XK_AudioMedia;
    case 182: return XF86XK_MyComputer;
    case 183: return XF86XK_Calculator;
    case 166: return XF86XK_Back;
    case 167: return XF86XK_Forward;
    case 168: return XF86XK_Refresh;
    case 169: return XF86XK_Stop;
    case 170: return XF86XK_Search;
    case 171: return XF86XK_Favorites;
    case 172: return XF86XK_HomePage;
    case 95: return XF86XK_Sleep;
    default: return 0;
    }
}

bool NamesAKey(uint32_t sym) {
    if (sym == 0)
        return false;
    for (int vk = 1; vk < 256; ++vk) {
        if (ForVirtualKey(vk) == sym)
            return true;
    }
    return false;
}

bool NeedsNumLock(int vk) {
    return (vk >= 96 && vk <= 105) || vk == 110;
}

} // namespace X11KeySyms
