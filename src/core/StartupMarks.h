// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Marks of the start-up's steps, for finding what makes a start slow: each logs, in the
// category orvane.startup (QT_LOGGING_RULES="orvane.startup=true"), the milliseconds since
// the program was loaded and since the mark before. Switched off, a mark costs one check.
namespace StartupMarks {

void Mark(const char* step);

} // namespace StartupMarks
