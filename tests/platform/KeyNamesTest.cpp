// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/KeyTable.h"
#include "platform/portal/PortalTrigger.h"
#include "platform/x11/X11KeySyms.h"

#include <X11/XF86keysym.h>
#include <X11/keysym.h>
#include <gtest/gtest.h>

namespace {

// One key after the first 90: where it sits, what is stored for it, and what each backend
// asks the system for.
struct AddedKey {
    int position;
    const char* name;
    int code; // Windows virtual-key code, so a stored table means the same key there
    uint32_t keysym;
    const char* xkbName;
};

// clang-format off
const AddedKey kAddedKeys[] = {
    {90, "End", 35, XK_End, "End"},
    {91, "Delete", 46, XK_Delete, "Delete"},
    {92, "Print Screen", 44, XK_Print, "Print"},
    {93, "` ~", 192, XK_grave, "grave"},
    {94, "Menu", 93, XK_Menu, "Menu"},
    {95, "< >", 226, XK_less, "less"},
    {96, "F13", 124, XK_F13, "F13"},
    {107, "F24", 135, XK_F24, "F24"},
    {108, "Volume Mute", 173, XF86XK_AudioMute, "XF86AudioMute"},
    {109, "Volume Down", 174, XF86XK_AudioLowerVolume, "XF86AudioLowerVolume"},
    {110, "Volume Up", 175, XF86XK_AudioRaiseVolume, "XF86AudioRaiseVolume"},
    {111, "Next Track", 176, XF86XK_AudioNext, "XF86AudioNext"},
    {112, "Previous Track", 177, XF86XK_AudioPrev, "XF86AudioPrev"},
    {113, "Media Stop", 178, XF86XK_AudioStop, "XF86AudioStop"},
    {114, "Play/Pause", 179, XF86XK_AudioPlay, "XF86AudioPlay"},
    {115, "Mail", 180, XF86XK_Mail, "XF86Mail"},
    {116, "Media", 181, XF86XK_AudioMedia, "XF86AudioMedia"},
    {117, "My Computer", 182, XF86XK_MyComputer, "XF86MyComputer"},
    {118, "Calculator", 183, XF86XK_Calculator, "XF86Calculator"},
    {119, "Browser Back", 166, XF86XK_Back, "XF86Back"},
    {120, "Browser Forward", 167, XF86XK_Forward, "XF86Forward"},
    {121, "Browser Refresh", 168, XF86XK_Refresh, "XF86Refresh"},
    {122, "Browser Stop", 169, XF86XK_Stop, "XF86Stop"},
    {123, "Browser Search", 170, XF86XK_Search, "XF86Search"},
    {124, "Browser Favorites", 171, XF86XK_Favorites, "XF86Favorites"},
    {125, "Browser Home", 172, XF86XK_HomePage, "XF86HomePage"},
    {126, "Sleep", 95, XF86XK_Sleep, "XF86Sleep"},
};
// clang-format on

struct AddedKeys : ::testing::TestWithParam<AddedKey> {};

} // namespace

TEST_P(AddedKeys, SitAfterTheFirst90WithTheirCodeKeysymAndXkbName) {
    const AddedKey& k = GetParam();
    EXPECT_STREQ(KeyTable::at(k.position).name, k.name);
    EXPECT_EQ(KeyTable::at(k.position).code, k.code);
    EXPECT_EQ(KeyTable::positionOfName(QString::fromLatin1(k.name)), k.position);
    EXPECT_EQ(KeyTable::nameOfCode(k.code), QString::fromLatin1(k.name));
    EXPECT_EQ(X11KeySyms::ForVirtualKey(k.code), k.keysym);
    EXPECT_EQ(PortalTrigger::KeyName(k.code), QString::fromLatin1(k.xkbName));
}

INSTANTIATE_TEST_SUITE_P(KeyTable, AddedKeys, ::testing::ValuesIn(kAddedKeys));
