// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class QFile;

enum class RegularFileOpen { Opened, Missing, NotRegular, Failed };

// Opens path for reading when it is a regular file (or a link to one). Anything else, such as
// a FIFO or a device, is never read and the open never waits on it, so that a configuration
// file nobody can read cannot hold the program before its event loop runs.
RegularFileOpen OpenRegularFileForReading(QFile& file, const QString& path);
