#pragma once

#include "propgrid/CPropOb.h"

#include <cstdint>
#include <memory>
#include <span>
#include <vector>

// The property items of one owner, in display order. The array owns its items: RemoveAll and
// the destructor delete them.
class CPropObArray
{
public:
    CPropObArray() = default;
    CPropObArray(const CPropObArray &) = delete;
    CPropObArray &operator=(const CPropObArray &) = delete;

    // Appends an item and returns it (null stays null and is not added).
    CPropOb *Add(std::unique_ptr<CPropOb> item);
    template<class Item, class... Args>
    Item *Emplace(Args &&...args)
    {
        auto item = std::make_unique<Item>(std::forward<Args>(args)...);
        Item *raw = item.get();
        m_items.push_back(std::move(item));
        return raw;
    }

    int GetSize() const { return static_cast<int>(m_items.size()); }
    bool IsEmpty() const { return m_items.empty(); }
    // The item at index, or null outside 0 .. GetSize() - 1.
    CPropOb *GetAt(int index) const;

    void StoreAll();
    // StoreFrom the source item at every index whose flag is set; both arrays list the same
    // properties in the same order. Indexes beyond either array or the flags are skipped.
    void StoreAllFrom(const CPropObArray &source, std::span<const std::uint8_t> flags);
    void RevertAll();
    // Refreshes every item (none is skipped); true when any of them changed.
    bool RefreshAll();
    void RemoveAll();

private:
    std::vector<std::unique_ptr<CPropOb>> m_items;
};
