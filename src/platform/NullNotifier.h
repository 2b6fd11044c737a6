// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Notifier.h"

// A desktop without notifications: every message is for another way of saying it.
class NullNotifier : public Notifier {
public:
    void notify(const QString&, const QString&, const QString&, std::function<void()>,
                std::function<void()> unavailable) override {
        if (unavailable)
            unavailable();
    }
};
