// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtGlobal>
#include <memory>

class QWidget;

// Brings a window of Orvane's to the user. A desktop that prevents focus stealing judges such
// a request by the time of the user's action behind it, which only the caller knows: a hotkey
// press Orvane consumed itself, or a later start of the program.
class WindowActivator {
public:
    virtual ~WindowActivator() = default;

    // Shows window if hidden (restoring it if minimised) and brings it to the front with
    // the keyboard focus. eventTime: the X server time of the user's action that asked for
    // it; 0 = take the current server time.
    virtual void Activate(QWidget* window, quint32 eventTime) = 0;
};

// The activator for the window system the program runs on, chosen at run time.
std::unique_ptr<WindowActivator> CreateWindowActivator();
