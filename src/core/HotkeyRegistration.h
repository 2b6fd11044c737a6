// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>
#include <functional>

class ActionExecutor;
class HotkeyBackend;
class HotkeyTable;

// The properties panel's values as Apply reads them.
struct PanelValues {
    bool enabled = false;
    bool alt = false;
    bool ctrl = false;
    bool shift = false;
    bool win = false;
    int keyPosition = -1; // selection of the key lists, -1 for none
    QString execute;
    int image = -1; // selected icon, -1 for none (the entry keeps its icon)
};

// What Apply leaves for the panel to show.
struct ApplyOutcome {
    bool ran = false;                  // false: no entry selected, nothing happened
    QString message;                   // shown in a box with an OK button when not empty
    bool applyButtonEnabled = true;    // the Apply button's state afterwards
    bool clearEnabledCheckBox = false; // the entry ended disabled by a clash
};

namespace HotkeyRegistration {

struct PassOutcome {
    // Nothing can be registered in this session: every entry kept its stored state.
    bool noDisplay = false;
    // ... because the session's desktop offers no global-shortcut service (Wayland).
    bool noService = false;
    // Rows stored ticked that the system did not take, in table order: refused, without a
    // known key, or with a key this keyboard lacks (those stay ticked).
    QList<int> refused;
};

// Registers every enabled entry in table order; entries the system refuses, entries without
// a known key and disabled entries end unchecked. An entry whose key the current keyboard
// layout lacks stays checked: the backend takes it when a layout has the key. In a session without
// a display the entries stay as they are, so that they are saved as the user left them.
// whileAsked runs once while the system considers the requests (see
// HotkeyBackend::registerHotKeys); it must leave the table alone.
PassOutcome RegistrationPass(HotkeyTable& table, HotkeyBackend& backend,
                             const std::function<void()>& whileAsked = {});

// Writes the panel into the selected entry and registers it anew.
ApplyOutcome ButtonApply(HotkeyTable& table, int selectedRow, const PanelValues& panel,
                         HotkeyBackend& backend);

// Releases every entry's identifier, enabled or not.
void ReleaseAll(const HotkeyTable& table, HotkeyBackend& backend);

// Takes back what ReleaseAll let go: registers every ticked entry with a known key and shows
// the answer in its status. Ticks stay as they are: a release for a while is no reason to
// disable an entry.
void RegisterChecked(HotkeyTable& table, HotkeyBackend& backend);

// The hotkey message: runs the target of the entry whose ID is id, silently. A press that
// only repeats a held key runs nothing but the volume steps.
void ApplicationEvents1Message(const HotkeyTable& table, int id, bool autoRepeat,
                               ActionExecutor& executor);

inline const QString kIncomplete = QStringLiteral("Incomplete!");
inline const QString kCannotRegister =
    QStringLiteral("The hotkey cannot be registered!\nMaybe keystrokes specified for the hotkey "
                   "have already been registered by another hotkey or other application.");
inline const QString kNoDisplay =
    QStringLiteral("Hotkeys cannot work in this session: Orvane registers them on an X11 "
                   "display, and it runs without one.\nYour hotkeys are kept as they are and "
                   "work again when Orvane runs on X11.");
inline const QString kNoService =
    QStringLiteral("This desktop offers no global-shortcut service to applications; use an X11 "
                   "session, or bind a desktop shortcut to Orvane");
QString ClashMessage(const QString& id);

} // namespace HotkeyRegistration
