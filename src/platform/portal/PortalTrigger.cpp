// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/portal/PortalTrigger.h"

namespace PortalTrigger {

QString KeyName(int vk) {
    if ((vk >= '0' && vk <= '9'))
        return QString(QChar(vk));
    // Letters by their unshifted keysym: the desktop adds Shift only when the entry has it.
    if (vk >= 'A' && vk <= 'Z')
        return QString(QChar(vk - 'A' + 'a'));
    if (vk >= 96 && vk <= 105)
        return QStringLiteral("KP_") + QChar('0' + (vk - 96));
    if (vk >= 112 && vk <= 123)
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
    default: return {};
    }
}

QString Text(unsigned modifierBits, int virtualKey) {
    const QString key = KeyName(virtualKey);
    if (key.isEmpty())
        return {};
    QString text;
    if (modifierBits & 2)
        text += QStringLiteral("CTRL+");
    if (modifierBits & 1)
        text += QStringLiteral("ALT+");
    if (modifierBits & 4)
        text += QStringLiteral("SHIFT+");
    return text + key;
}

} // namespace PortalTrigger
