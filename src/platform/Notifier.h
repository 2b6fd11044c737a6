// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <functional>
#include <memory>

// The desktop's notifications: a short message outside Orvane's windows, with one action.
class Notifier {
public:
    virtual ~Notifier() = default;
    // Shows summary and body, with an action named actionLabel; onAction runs when the user
    // picks it. Where the desktop has no notification service, unavailable runs instead
    // (perhaps later: the desktop is asked in the background), so the caller can say it
    // another way.
    virtual void notify(const QString& summary, const QString& body, const QString& actionLabel,
                        std::function<void()> onAction, std::function<void()> unavailable) = 0;
};

// The platform's notifications.
std::unique_ptr<Notifier> CreateNotifier();
