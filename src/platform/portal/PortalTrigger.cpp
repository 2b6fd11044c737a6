// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/portal/PortalTrigger.h"

#include "core/HotkeyEntry.h"

namespace PortalTrigger {

QString KeyName(int vk) {
    if ((vk >= '0' && vk <= '9'))
        return QString(QChar(vk));
    // Letters by their unshifted keysym: the desktop adds Shift only when the entry has it.
    if (vk >= 'A' && vk <= 'Z')
        return QString(QChar(vk - 'A' + 'a'));
    if (vk >= 96 && vk <= 105)
        return QStringLiteral("KP_") + QChar('0' + (vk - 96));
    if (vk >= 112 && vk <= 135) // F1 to F24
        return QStringLiteral("F") + QString::number(vk - 111);
    switch (vk) {
    case 144: return QStringLiteral("Num_Lock");
    case 111: return QStringLiteral("KP_Divide");
    case 106: return QStringLiteral("KP_Multiply");
    case 109: return QStringLiteral("KP_Subtract");
    case 107: return QStringLiteral("KP_Add");
    case 110: return QStringLiteral("KP_Decimal");
    case 45: return QStringLiteral("Insert");
    case 36: return QStringLiteral("Home");
    case 33: return QStringLiteral("Page_Up");
    case 34: return QStringLiteral("Page_Down");
    case 38: return QStringLiteral("Up");
    case 40: return QStringLiteral("Down");
    case 37: return QStringLiteral("Left");
    case 39: return QStringLiteral("Right");
    case 27: return QStringLiteral("Escape");
    case 9: return QStringLiteral("Tab");
    case 20: return QStringLiteral("Caps_Lock");
    case 32: return QStringLiteral("space");
    case 189: return QStringLiteral("minus");
    case 187: return QStringLiteral("equal");
    case 8: return QStringLiteral("BackSpace");
    case 219: return QStringLiteral("bracketleft");
    case 221: return QStringLiteral("bracketright");
    case 220: return QStringLiteral("backslash");
    case 186: return QStringLiteral("semicolon");
    case 222: return QStringLiteral("apostrophe");
    case 13: return QStringLiteral("Return");
    case 188: return QStringLiteral("comma");
    case 190: return QStringLiteral("period");
    case 191: return QStringLiteral("slash");
    case 145: return QStringLiteral("Scroll_Lock");
    case 19: return QStringLiteral("Pause");
    case 35: return QStringLiteral("End");
    case 46: return QStringLiteral("Delete");
    case 44: return QStringLiteral("Print");
    case 192: return QStringLiteral("grave");
    case 93: return QStringLiteral("Menu");
    case 226: return QStringLiteral("less");
    case 173: return QStringLiteral("XF86AudioMute");
    case 174: return QStringLiteral("XF86AudioLowerVolume");
    case 175: return QStringLiteral("XF86AudioRaiseVolume");
    case 176: return QStringLiteral("XF86AudioNext");
    case 177: return QStringLiteral("XF86AudioPrev");
    case 178: return QStringLiteral("XF86AudioStop");
    case 179: return QStringLiteral("XF86AudioPlay");
    case 180: return QStringLiteral("XF86Mail");
    case 181: return QStringLiteral("XF86AudioMedia");
    case 182: return QStringLiteral("XF86MyComputer");
    case 183: return QStringLiteral("XF86Calculator");
    case 166: return QStringLiteral("XF86Back");
    case 167: return QStringLiteral("XF86Forward");
    case 168: return QStringLiteral("XF86Refresh");
    case 169: return QStringLiteral("XF86Stop");
    case 170: return QStringLiteral("XF86Search");
    case 171: return QStringLiteral("XF86Favorites");
    case 172: return QStringLiteral("XF86HomePage");
    case 95: return QStringLiteral("XF86Sleep");
    default: return {};
    }
}

QString Text(unsigned modifierBits, int virtualKey) {
    const QString key = KeyName(virtualKey);
    if (key.isEmpty())
        return {};
    QString text;
    if (modifierBits & Modifiers::Ctrl)
        text += QStringLiteral("CTRL+");
    if (modifierBits & Modifiers::Alt)
        text += QStringLiteral("ALT+");
    if (modifierBits & Modifiers::Shift)
        text += QStringLiteral("SHIFT+");
    if (modifierBits & Modifiers::Win)
        text += QStringLiteral("LOGO+");
    return text + key;
}

} // namespace PortalTrigger
