// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <functional>

// An ordered list of pointers. With a free-item callback the list owns its items: clearing
// or destroying it hands every item to the callback, in order.
template <class T> class TPointerList {
public:
    using FreeItem = std::function<void(T*)>;

    explicit TPointerList(FreeItem freeItem = {}) : OnFreeItem(std::move(freeItem)) {}
    ~TPointerList() { Clear(); }
    TPointerList(const TPointerList&) = delete;
    TPointerList& operator=(const TPointerList&) = delete;

    void Add(T* item) { m_items.append(item); }
    // nullptr for an index outside the list.
    T* Get(int index) const {
        return index >= 0 && index < m_items.size() ? m_items.at(index) : nullptr;
    }
    int Count() const { return int(m_items.size()); }
    void Clear() {
        if (OnFreeItem) {
            for (T* item : m_items)
                OnFreeItem(item);
        }
        m_items.clear();
    }

    FreeItem OnFreeItem;

private:
    QList<T*> m_items;
};
