// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/HotkeyPause.h"

#include "core/HotkeyTable.h"
#include "core/KeyTable.h"
#include "core/Logging.h"

HotkeyPause::HotkeyPause(HotkeyBackend& system, HotkeyTable& table, QObject* parent)
    : HotkeyBackend(parent), m_system(system), m_table(table) {
    connect(&system, &HotkeyBackend::hotkeyPressed, this, &HotkeyBackend::hotkeyPressed);
    connect(&system, &HotkeyBackend::registrationChanged, this,
            &HotkeyBackend::registrationChanged);
    connect(&system, &HotkeyBackend::serviceMissing, this, &HotkeyBackend::serviceMissing);
}

bool HotkeyPause::isWayBack(int id) const {
    const int row = m_table.rowOfId(id);
    return row >= 0 && IsPauseTarget(m_table.at(row).Execute);
}

RegisterResult HotkeyPause::registerHotKey(int id, unsigned modifierBits, int virtualKey) {
    if (m_paused && !isWayBack(id))
        return RegisterResult::Paused;
    return m_system.registerHotKey(id, modifierBits, virtualKey);
}

std::vector<RegisterResult> HotkeyPause::registerHotKeys(std::span<const HotkeyRequest> requests,
                                                         const std::function<void()>& whileAsked) {
    if (!m_paused)
        return m_system.registerHotKeys(requests, whileAsked);
    std::vector<HotkeyRequest> through;
    std::vector<size_t> places;
    for (size_t i = 0; i < requests.size(); ++i) {
        if (isWayBack(requests[i].id)) {
            through.push_back(requests[i]);
            places.push_back(i);
        }
    }
    std::vector<RegisterResult> answers(requests.size(), RegisterResult::Paused);
    const std::vector<RegisterResult> system = m_system.registerHotKeys(through, whileAsked);
    for (size_t k = 0; k < places.size(); ++k)
        answers[places[k]] = system[k];
    return answers;
}

void HotkeyPause::unregisterHotKey(int id) {
    m_system.unregisterHotKey(id);
}

void HotkeyPause::SetPaused(bool paused) {
    if (paused == m_paused)
        return;
    m_paused = paused;
    qCInfo(lcLife) << (paused ? "hotkeys paused" : "hotkeys resumed");
    for (int row = 0; row < m_table.count(); ++row) {
        const HotkeyEntry& e = m_table.at(row);
        const int id = e.ID.toInt();
        if (isWayBack(id))
            continue;
        if (paused) {
            m_system.unregisterHotKey(id);
            if (e.Checked)
                m_table.setStatus(row, StatusOf(RegisterResult::Paused));
            continue;
        }
        const auto code = KeyTable::codeOfName(e.Key);
        if (e.Checked && code)
            m_table.setStatus(row, StatusOf(m_system.registerHotKey(id, ModifierBits(e), *code)));
    }
    emit pausedChanged(paused);
}
