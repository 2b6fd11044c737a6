// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Where Orvane lives on the web and how to reach its developers. The About box, the Help
// menu's online items and "What's new" take their addresses from here.
namespace ProjectLinks {

// The web site; "Check for updates" opens it.
inline constexpr char WebSite[] = "https://orvane.org/";
// Bug reports and the forum share one page.
inline constexpr char ForumPage[] = "https://orvane.org/forum/";
// The developers' mail address.
inline constexpr char EMail[] = "orvane@orvane.org";
// The version history beside the executable, or in an installed copy's data folder.
inline constexpr char WhatsNewFile[] = "history.txt";

} // namespace ProjectLinks
