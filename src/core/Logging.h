// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLoggingCategory>

// Failures Orvane goes on after without a word to the user. Silent unless switched on, for
// example with QT_LOGGING_RULES="orvane.*=true".
Q_DECLARE_LOGGING_CATEGORY(lcStore) // orvane.store: Hotkeys.ini and Settings.ini
Q_DECLARE_LOGGING_CATEGORY(lcLife)  // orvane.life: single instance, signals, start and end
