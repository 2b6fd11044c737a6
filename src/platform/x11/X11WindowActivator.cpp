// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/x11/X11WindowActivator.h"
#include "platform/qt/QtWindowActivator.h"

#include <QGuiApplication>
#include <QWidget>
#include <QWindow>
#include <algorithm>
#include <array>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <utility>

namespace {

struct FreeReply {
    void operator()(void* reply) const { free(reply); }
};
template <typename T> using Reply = std::unique_ptr<T, FreeReply>;

// The first window a WINDOW property of window names, or 0.
xcb_window_t windowProperty(xcb_connection_t* conn, xcb_window_t window, xcb_atom_t property) {
    const Reply<xcb_get_property_reply_t> reply(xcb_get_property_reply(
        conn, xcb_get_property(conn, 0, window, property, XCB_ATOM_WINDOW, 0, 1), nullptr));
    if (!reply || reply->format != 32 || xcb_get_property_value_length(reply.get()) < 4)
        return 0;
    xcb_window_t value = 0;
    std::memcpy(&value, xcb_get_property_value(reply.get()), sizeof value);
    return value;
}

} // namespace

X11WindowActivator::X11WindowActivator() {
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    if (!x11 || !x11->connection())
        return; // not on X: activation as Qt does it
    m_conn = x11->connection();
    m_root = xcb_setup_roots_iterator(xcb_get_setup(m_conn)).data->root;

    const std::array<std::pair<const char*, xcb_atom_t*>, 6> atoms{{
        {"_NET_ACTIVE_WINDOW", &m_netActiveWindow},
        {"_NET_SUPPORTED", &m_netSupported},
        {"_NET_SUPPORTING_WM_CHECK", &m_netSupportingWmCheck},
        {"_NET_WM_USER_TIME", &m_netWmUserTime},
        {"_NET_WM_USER_TIME_WINDOW", &m_netWmUserTimeWindow},
        {"_ORVANE_SERVER_TIME", &m_clockAtom},
    }};
    std::array<xcb_intern_atom_cookie_t, atoms.size()> cookies{};
    for (size_t i = 0; i < atoms.size(); ++i) {
        const char* name = atoms[i].first;
        cookies[i] = xcb_intern_atom(m_conn, 0, uint16_t(std::strlen(name)), name);
    }
    for (size_t i = 0; i < atoms.size(); ++i) {
        const Reply<xcb_intern_atom_reply_t> reply(
            xcb_intern_atom_reply(m_conn, cookies[i], nullptr));
        *atoms[i].second = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
    }
    qGuiApp->installNativeEventFilter(this);
}

X11WindowActivator::~X11WindowActivator() {
    if (!m_conn)
        return;
    if (qGuiApp)
        qGuiApp->removeNativeEventFilter(this);
    if (m_clock) {
        xcb_destroy_window(m_conn, m_clock);
        xcb_flush(m_conn);
    }
}

void X11WindowActivator::Activate(QWidget* window, quint32 eventTime) {
    if (!window)
        return;
    QWidget* top = window->window();
    if (!m_conn) {
        QtWindowActivator().Activate(top, eventTime);
        return;
    }
    // An older request still waiting for the server's time must not win over this one.
    m_waiting = nullptr;
    const auto id = xcb_window_t(top->winId());
    // Read before the window is shown: the user time then reaches the manager together
    // with the map, so that the map itself may take the focus.
    const xcb_window_t timeWindow = userTimeWindow(id);
    ShowRestored(top);
    top->raise();
    if (eventTime == 0) {
        // The window is up at once; the request follows when the server has told the time.
        m_waiting = top;
        requestServerTime();
        return;
    }
    activateAt(id, timeWindow, eventTime);
}

void X11WindowActivator::activateAt(xcb_window_t window, xcb_window_t timeWindow, quint32 time) {
    // Qt wrote its own, older time when it mapped the window; this one is the user's.
    xcb_change_property(m_conn, XCB_PROP_MODE_REPLACE, timeWindow, m_netWmUserTime,
                        XCB_ATOM_CARDINAL, 32, 1, &time);
    // At the first show Qt may have only now made a window of its own for the user time.
    if (const xcb_window_t now = userTimeWindow(window); now != timeWindow)
        xcb_change_property(m_conn, XCB_PROP_MODE_REPLACE, now, m_netWmUserTime, XCB_ATOM_CARDINAL,
                            32, 1, &time);

    if (managerHandlesActivation()) {
        xcb_client_message_event_t event{};
        event.response_type = XCB_CLIENT_MESSAGE;
        event.format = 32;
        event.window = window;
        event.type = m_netActiveWindow;
        event.data.data32[0] = 1; // the request comes from an application
        event.data.data32[1] = time;
        const QWindow* active = QGuiApplication::focusWindow();
        event.data.data32[2] = active ? xcb_window_t(active->winId()) : XCB_NONE;
        xcb_send_event(m_conn, 0, m_root,
                       XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY | XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT,
                       reinterpret_cast<const char*>(&event));
    } else {
        // No window manager: the focus is ours to set.
        xcb_set_input_focus(m_conn, XCB_INPUT_FOCUS_PARENT, window, time);
    }
    xcb_flush(m_conn);
}

xcb_window_t X11WindowActivator::userTimeWindow(xcb_window_t window) const {
    const xcb_window_t named = windowProperty(m_conn, window, m_netWmUserTimeWindow);
    return named ? named : window;
}

bool X11WindowActivator::managerHandlesActivation() const {
    // A manager that ended leaves its properties on the root window; only one whose check
    // window still names itself is running.
    const xcb_window_t check = windowProperty(m_conn, m_root, m_netSupportingWmCheck);
    if (!check || windowProperty(m_conn, check, m_netSupportingWmCheck) != check)
        return false;
    const Reply<xcb_get_property_reply_t> reply(xcb_get_property_reply(
        m_conn, xcb_get_property(m_conn, 0, m_root, m_netSupported, XCB_ATOM_ATOM, 0, 4096),
        nullptr));
    if (!reply || reply->format != 32)
        return false;
    const auto* atoms = static_cast<const xcb_atom_t*>(xcb_get_property_value(reply.get()));
    const int count = xcb_get_property_value_length(reply.get()) / int(sizeof(xcb_atom_t));
    return std::find(atoms, atoms + count, m_netActiveWindow) != atoms + count;
}

void X11WindowActivator::requestServerTime() {
    if (!m_clock) {
        m_clock = xcb_generate_id(m_conn);
        const uint32_t values[] = {1, XCB_EVENT_MASK_PROPERTY_CHANGE};
        xcb_create_window(m_conn, XCB_COPY_FROM_PARENT, m_clock, m_root, -1, -1, 1, 1, 0,
                          XCB_WINDOW_CLASS_INPUT_ONLY, XCB_COPY_FROM_PARENT,
                          XCB_CW_OVERRIDE_REDIRECT | XCB_CW_EVENT_MASK, values);
    }
    // Appending nothing changes nothing, but the server answers with a PropertyNotify
    // stamped with its time now.
    xcb_change_property(m_conn, XCB_PROP_MODE_APPEND, m_clock, m_clockAtom, XCB_ATOM_INTEGER, 32, 0,
                        nullptr);
    xcb_flush(m_conn);
}

bool X11WindowActivator::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) {
    if (eventType != "xcb_generic_event_t")
        return false;
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    if ((event->response_type & 0x7f) != XCB_PROPERTY_NOTIFY)
        return false;
    const auto* notify = static_cast<const xcb_property_notify_event_t*>(message);
    if (!m_clock || notify->window != m_clock || notify->atom != m_clockAtom)
        return false;
    // Hidden again meanwhile: the user has changed their mind.
    if (const QPointer<QWidget> top = std::exchange(m_waiting, nullptr); top && top->isVisible()) {
        const auto id = xcb_window_t(top->winId());
        activateAt(id, userTimeWindow(id), notify->time);
    }
    // Qt takes the time too: its own later requests are then no older than this one.
    return false;
}
