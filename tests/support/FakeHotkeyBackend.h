// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/HotkeyBackend.h"

#include <QSet>
#include <QStringList>
#include <map>
#include <utility>

// Records registrations like the system does: a combination can be held once, and ones
// listed in `takenElsewhere` belong to another program.
class FakeHotkeyBackend : public HotkeyBackend {
public:
    struct Combo {
        unsigned modifiers;
        int key;
        bool operator<(const Combo& o) const {
            return std::pair(modifiers, key) < std::pair(o.modifiers, o.key);
        }
    };

    RegisterResult registerHotKey(int id, unsigned modifierBits, int virtualKey) override {
        calls << QStringLiteral("register %1 %2 %3").arg(id).arg(modifierBits).arg(virtualKey);
        if (noDisplay)
            return noService ? RegisterResult::NoService : RegisterResult::NoDisplay;
        const Combo c{modifierBits, virtualKey};
        if (takenElsewhere.count(c))
            return RegisterResult::HeldByOtherProgram;
        if (registered.count(id))
            return RegisterResult::HeldByThisProgram;
        for (const auto& [otherId, combo] : registered) {
            if (!(combo < c) && !(c < combo))
                return RegisterResult::HeldByThisProgram;
        }
        registered[id] = c;
        return RegisterResult::Registered;
    }
    void unregisterHotKey(int id) override {
        calls << QStringLiteral("unregister %1").arg(id);
        registered.erase(id);
    }
    // Each press carries a later X time, as a real key press does.
    void press(int id, bool repeat = false) {
        m_pressTime += 100;
        emit hotkeyPressed(id, repeat);
    }
    quint32 lastPressTime() const override { return m_pressTime; }

    std::map<int, Combo> registered;
    std::map<Combo, bool> takenElsewhere;
    bool noDisplay = false; // a session where nothing can be registered
    bool noService = false; // ... because its desktop has no global-shortcut service
    QStringList calls;

private:
    quint32 m_pressTime = 0;
};
