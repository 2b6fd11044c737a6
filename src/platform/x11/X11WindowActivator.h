// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/WindowActivator.h"

#include <QAbstractNativeEventFilter>
#include <QPointer>
#include <xcb/xcb.h>

class QWidget;

// Activation that a focus-stealing-prevention window manager grants: the window's
// _NET_WM_USER_TIME and a _NET_ACTIVE_WINDOW request both carry the time of the user's
// action. Qt stamps its own requests with the last X event it saw, which is stale when the
// action was a key press the hotkey grabs consumed, and the manager then refuses or only
// marks the window as demanding attention. Works on Qt's own X connection.
class X11WindowActivator : public WindowActivator, public QAbstractNativeEventFilter {
public:
    X11WindowActivator();
    ~X11WindowActivator() override;
    X11WindowActivator(const X11WindowActivator&) = delete;
    X11WindowActivator& operator=(const X11WindowActivator&) = delete;

    void Activate(QWidget* window, quint32 eventTime) override;

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

private:
    void activateAt(xcb_window_t window, xcb_window_t timeWindow, quint32 time);
    void requestServerTime();
    xcb_window_t userTimeWindow(xcb_window_t window) const;
    bool managerHandlesActivation() const;

    xcb_connection_t* m_conn = nullptr;
    xcb_window_t m_root = 0;
    xcb_window_t m_clock = 0; // an unmapped window of ours whose property changes tell the time
    xcb_atom_t m_netActiveWindow = 0;
    xcb_atom_t m_netSupported = 0;
    xcb_atom_t m_netSupportingWmCheck = 0;
    xcb_atom_t m_netWmUserTime = 0;
    xcb_atom_t m_netWmUserTimeWindow = 0;
    xcb_atom_t m_clockAtom = 0;
    QPointer<QWidget> m_waiting; // activated once the server's time arrives
};
