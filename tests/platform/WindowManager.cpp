// SPDX-License-Identifier: GPL-3.0-or-later
#include "WindowManager.h"

#include <QDeadlineTimer>
#include <cstdlib>
#include <cstring>
#include <poll.h>
#include <xcb/xcb.h>

namespace {

bool announced(xcb_connection_t* c, xcb_window_t root, xcb_atom_t check) {
    xcb_get_property_reply_t* reply = xcb_get_property_reply(
        c, xcb_get_property(c, 0, root, check, XCB_ATOM_WINDOW, 0, 1), nullptr);
    const bool set = reply && xcb_get_property_value_length(reply) == 4;
    free(reply);
    return set;
}

} // namespace

WindowManager::~WindowManager() {
    if (m_process.state() == QProcess::NotRunning)
        return;
    m_process.terminate();
    if (!m_process.waitForFinished(10000)) {
        m_process.kill();
        m_process.waitForFinished();
    }
}

bool WindowManager::start(int timeoutMs) {
    xcb_connection_t* c = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(c)) {
        xcb_disconnect(c);
        return false;
    }
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
    const char name[] = "_NET_SUPPORTING_WM_CHECK";
    xcb_intern_atom_reply_t* atom =
        xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, sizeof name - 1, name), nullptr);
    const xcb_atom_t check = atom ? atom->atom : xcb_atom_t(XCB_ATOM_NONE);
    free(atom);
    // Told of every root property change from before the manager starts, so that its
    // announcement cannot slip by between a look and the wait.
    const uint32_t mask = XCB_EVENT_MASK_PROPERTY_CHANGE;
    xcb_change_window_attributes(c, root, XCB_CW_EVENT_MASK, &mask);
    free(xcb_get_input_focus_reply(c, xcb_get_input_focus(c), nullptr));

    // Its settings stay in memory: a test run leaves the user's own alone.
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("GSETTINGS_BACKEND", "memory");
    m_process.setProcessEnvironment(environment);
    m_process.setStandardOutputFile(QProcess::nullDevice());
    m_process.setStandardErrorFile(QProcess::nullDevice());
    m_process.start("metacity", {"--sm-disable", "--compositor=none"});
    bool ready = m_process.waitForStarted();
    const QDeadlineTimer deadline(timeoutMs);
    while (ready && !announced(c, root, check)) {
        pollfd fd{xcb_get_file_descriptor(c), POLLIN, 0};
        ready = m_process.state() == QProcess::Running &&
                poll(&fd, 1, int(deadline.remainingTime())) > 0;
        while (xcb_generic_event_t* event = xcb_poll_for_event(c))
            free(event);
    }
    xcb_disconnect(c);
    return ready;
}
