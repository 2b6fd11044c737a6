// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class LogonEntry;
class SettingsStore;

// Keeps the log-on entry as the Autorun setting says: written for executablePath while it is
// on, removed while it is off. A refusal turns the setting off without a word, and that
// change runs this again, which removes whatever there is to remove.
void CheckBoxAutorunClick(SettingsStore& settings, LogonEntry& entry,
                          const QString& executablePath);
