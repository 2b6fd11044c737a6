// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/Logging.h"

// One default level for all: what is below it shows only when switched on.
Q_LOGGING_CATEGORY(lcStore, "orvane.store", QtCriticalMsg)
Q_LOGGING_CATEGORY(lcLife, "orvane.life", QtCriticalMsg)
Q_LOGGING_CATEGORY(lcAutorun, "orvane.autorun", QtCriticalMsg)
Q_LOGGING_CATEGORY(lcX11, "orvane.x11", QtCriticalMsg)
Q_LOGGING_CATEGORY(lcPortal, "orvane.portal", QtCriticalMsg)
Q_LOGGING_CATEGORY(lcPulse, "orvane.pulse", QtCriticalMsg)
Q_LOGGING_CATEGORY(lcAlsa, "orvane.alsa", QtCriticalMsg)
Q_LOGGING_CATEGORY(lcShell, "orvane.shell", QtCriticalMsg)
Q_LOGGING_CATEGORY(lcStartup, "orvane.startup", QtCriticalMsg)
Q_LOGGING_CATEGORY(lcModule, "orvane.module", QtCriticalMsg)
