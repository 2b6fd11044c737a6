// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLoggingCategory>

// Every category Orvane logs in: failures it goes on after without a word to the user. All
// are silent below critical unless switched on, for example with
// QT_LOGGING_RULES="orvane.*=true".
Q_DECLARE_LOGGING_CATEGORY(lcStore)   // orvane.store: Hotkeys.ini and Settings.ini
Q_DECLARE_LOGGING_CATEGORY(lcLife)    // orvane.life: single instance, signals, start and end
Q_DECLARE_LOGGING_CATEGORY(lcAutorun) // orvane.autorun: the log-on entry
Q_DECLARE_LOGGING_CATEGORY(lcX11)     // orvane.x11: key grabs on the X server
Q_DECLARE_LOGGING_CATEGORY(lcPortal)  // orvane.portal: the desktop's global shortcuts
Q_DECLARE_LOGGING_CATEGORY(lcPulse)   // orvane.pulse: the sound server
Q_DECLARE_LOGGING_CATEGORY(lcAlsa)    // orvane.alsa: ALSA mixer devices
Q_DECLARE_LOGGING_CATEGORY(lcShell)   // orvane.shell: applications started for targets
Q_DECLARE_LOGGING_CATEGORY(lcStartup) // orvane.startup: the time each start-up step took
Q_DECLARE_LOGGING_CATEGORY(lcModule)  // orvane.module: the sound and GIO modules
