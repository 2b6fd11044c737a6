// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArrayView>
#include <QtGlobal>
#include <algorithm>
#include <optional>
#include <vector>

// Lines of a text found by their names, ASCII letters folded, the first line of a name kept.
// It holds only the lines' offsets with their names' hashes, in an open-addressing table, and
// reads a name from the text (through nameOf) only when two hashes match, so that it costs a
// few bytes per name however long the names are.
class NameIndex {
public:
    using Line = quint32;

    template <typename NameOf>
    std::optional<Line> find(QByteArrayView name, const NameOf& nameOf) const {
        if (m_slots.empty())
            return std::nullopt;
        const size_t mask = m_slots.size() - 1;
        const quint32 hash = hashOf(name);
        for (size_t i = hash & mask;; i = (i + 1) & mask) {
            const Slot slot = m_slots[i];
            if (slot.line == 0)
                return std::nullopt;
            if (slot.hash == hash && sameName(nameOf(slot.line - 1), name))
                return slot.line - 1;
        }
    }

    // Adds line under its name, unless a line of that name is there already.
    template <typename NameOf> bool insert(Line line, const NameOf& nameOf) {
        if ((m_count + 1) * 4 > m_slots.size() * 3)
            grow();
        const QByteArrayView name = nameOf(line);
        const size_t mask = m_slots.size() - 1;
        const quint32 hash = hashOf(name);
        for (size_t i = hash & mask;; i = (i + 1) & mask) {
            const Slot slot = m_slots[i];
            if (slot.line == 0) {
                m_slots[i] = {line + 1, hash};
                ++m_count;
                return true;
            }
            if (slot.hash == hash && sameName(nameOf(slot.line - 1), name))
                return false;
        }
    }

    size_t size() const { return m_count; }
    size_t bytes() const { return m_slots.capacity() * sizeof(Slot); }

    static bool sameName(QByteArrayView a, QByteArrayView b) {
        return a.size() == b.size() &&
               std::equal(a.begin(), a.end(), b.begin(),
                          [](char x, char y) { return folded(x) == folded(y); });
    }

private:
    static char folded(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; }

    struct Slot {
        Line line; // line + 1, or 0 for a free slot
        quint32 hash;
    };

    static quint32 hashOf(QByteArrayView name) {
        quint64 h = 14695981039346656037ull; // FNV-1a
        for (const char c : name)
            h = (h ^ static_cast<unsigned char>(folded(c))) * 1099511628211ull;
        // FNV's low bits depend on the low bits alone: mix the high ones in (MurmurHash3's
        // finaliser), or names that differ only at their end pile up in neighbouring slots.
        h = (h ^ (h >> 33)) * 0xFF51AFD7ED558CCDull;
        h = (h ^ (h >> 33)) * 0xC4CEB9FE1A85EC53ull;
        return static_cast<quint32>(h ^ (h >> 33));
    }

    void grow() {
        std::vector<Slot> old(std::max<size_t>(16, m_slots.size() * 2), Slot{0, 0});
        old.swap(m_slots);
        const size_t mask = m_slots.size() - 1;
        for (const Slot slot : old) {
            if (slot.line == 0)
                continue;
            size_t i = slot.hash & mask;
            while (m_slots[i].line != 0)
                i = (i + 1) & mask;
            m_slots[i] = slot;
        }
    }

    std::vector<Slot> m_slots;
    size_t m_count = 0;
};
