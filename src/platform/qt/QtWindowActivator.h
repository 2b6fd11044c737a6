// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/WindowActivator.h"

// Show, raise and activate as Qt does them, for window systems without event times.
class QtWindowActivator : public WindowActivator {
public:
    void Activate(QWidget* window, quint32 eventTime) override;
};

// Shows window's top-level window if it is hidden and restores it if it is minimised; what
// brings it to the front is the activator's own business.
void ShowRestored(QWidget* window);
