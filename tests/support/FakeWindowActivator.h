// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/WindowActivator.h"

#include <QWidget>
#include <vector>

// Shows the window as the plain Qt way does and records the event time it was asked with;
// the real activation is tested against a window manager of its own.
class FakeWindowActivator : public WindowActivator {
public:
    void Activate(QWidget* window, quint32 eventTime) override {
        times.push_back(eventTime);
        window->showNormal();
        window->raise();
        window->activateWindow();
    }
    std::vector<quint32> times;
};
