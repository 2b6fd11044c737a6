// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArrayView>
#include <QtGlobal>
#include <algorithm>
#include <optional>
#include <vector>

// Lines of a text found by their names, ASCII letters folded, the first line of a name kept.
// It holds only the lines' offsets, in an open-addressing table of 32-bit slots, and reads a
// name from the text (through nameOf) whenever two must be compared, so that it costs a few
// bytes per name however long the names are.
class NameIndex {
public:
    using Line = quint32;

    template <typename NameOf>
    std::optional<Line> find(QByteArrayView name, const NameOf& nameOf) const {
        if (m_slots.empty())
            return std::nullopt;
        const size_t mask = m_slots.size() - 1;
        for (size_t i = hashOf(name) & mask;; i = (i + 1) & mask) {
            const Line slot = m_slots[i];
            if (slot == 0)
                return std::nullopt;
            if (sameName(nameOf(slot - 1), name))
                return slot - 1;
        }
    }

    // Adds line under its name, unless a line of that name is there already.
    template <typename NameOf> bool insert(Line line, const NameOf& nameOf) {
        if ((m_count + 1) * 4 > m_slots.size() * 3)
            grow(nameOf);
        const QByteArrayView name = nameOf(line);
        const size_t mask = m_slots.size() - 1;
        for (size_t i = hashOf(name) & mask;; i = (i + 1) & mask) {
            if (m_slots[i] == 0) {
                m_slots[i] = line + 1;
                ++m_count;
                return true;
            }
            if (sameName(nameOf(m_slots[i] - 1), name))
                return false;
        }
    }

    size_t size() const { return m_count; }
    size_t bytes() const { return m_slots.capacity() * sizeof(Line); }

    static bool sameName(QByteArrayView a, QByteArrayView b) {
        return a.size() == b.size() &&
               std::equal(a.begin(), a.end(), b.begin(),
                          [](char x, char y) { return folded(x) == folded(y); });
    }

private:
    static char folded(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; }

    static size_t hashOf(QByteArrayView name) {
        quint64 h = 14695981039346656037ull; // FNV-1a
        for (const char c : name)
            h = (h ^ static_cast<unsigned char>(folded(c))) * 1099511628211ull;
        return static_cast<size_t>(h ^ (h >> 29));
    }

    template <typename NameOf> void grow(const NameOf& nameOf) {
        std::vector<Line> old(std::max<size_t>(16, m_slots.size() * 2), 0);
        old.swap(m_slots);
        const size_t mask = m_slots.size() - 1;
        for (const Line slot : old) {
            if (slot == 0)
                continue;
            size_t i = hashOf(nameOf(slot - 1)) & mask;
            while (m_slots[i] != 0)
                i = (i + 1) & mask;
            m_slots[i] = slot;
        }
    }

    std::vector<Line> m_slots; // line + 1, or 0 for a free slot
    size_t m_count = 0;
};
