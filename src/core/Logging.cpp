// SPDX-License-Identifier: GPL-3.0-or-later
#include "Logging.h"

// Only critical messages by default: the warnings stay silent until a rule asks for them.
Q_LOGGING_CATEGORY(lcStore, "orvane.store", QtCriticalMsg)
Q_LOGGING_CATEGORY(lcLife, "orvane.life", QtCriticalMsg)
