// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <functional>

class LogonEntry;
class SettingsStore;

// Keeps the log-on entry as the Autorun setting says: written for executablePath while it is
// on, removed while it is off. A refusal turns the setting off without a word, and that
// change runs this again, which removes whatever there is to remove. An executable that no
// entry can start turns it off too, and tellUser says why: the user must rename something.
// An empty executablePath is an executable the system could not name (its path is not valid
// UTF-8).
void CheckBoxAutorunClick(SettingsStore& settings, LogonEntry& entry, const QString& executablePath,
                          const std::function<void(const QString&)>& tellUser = {});

// Why Orvane cannot start at log-on, followed by the reason.
inline constexpr char16_t kNoLogonStart[] = u"Orvane cannot start when you log on: %1";
inline constexpr char16_t kUnnamedExecutable[] =
    u"the name of its folder is not valid UTF-8 text. Until the folder is renamed, Orvane "
    u"keeps Hotkeys.ini and Settings.ini in the Orvane folder of your configuration folder.";
