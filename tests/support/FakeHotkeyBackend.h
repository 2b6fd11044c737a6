#pragma once

#include "HotkeyBackend.h"

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
            return RegisterResult::NoDisplay;
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
    void press(int id, bool repeat = false) { emit hotkeyPressed(id, repeat); }

    std::map<int, Combo> registered;
    std::map<Combo, bool> takenElsewhere;
    bool noDisplay = false; // a session where nothing can be registered
    QStringList calls;
};
