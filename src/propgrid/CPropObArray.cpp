#include "propgrid/CPropObArray.h"

#include <algorithm>

CPropOb *CPropObArray::Add(std::unique_ptr<CPropOb> item)
{
    CPropOb *raw = item.get();
    if (raw)
        m_items.push_back(std::move(item));
    return raw;
}

CPropOb *CPropObArray::GetAt(int index) const
{
    if (index < 0 || index >= GetSize())
        return nullptr;
    return m_items[static_cast<size_t>(index)].get();
}

void CPropObArray::StoreAll()
{
    for (const auto &item : m_items)
        item->Store();
}

void CPropObArray::StoreAllFrom(const CPropObArray &source, std::span<const std::uint8_t> flags)
{
    const size_t count = std::min({m_items.size(), source.m_items.size(), flags.size()});
    for (size_t i = 0; i < count; ++i) {
        if (flags[i])
            m_items[i]->StoreFrom(*source.m_items[i]);
    }
}

void CPropObArray::RevertAll()
{
    for (const auto &item : m_items)
        item->Revert();
}

bool CPropObArray::RefreshAll()
{
    bool changed = false;
    for (const auto &item : m_items) {
        if (item->Refresh())
            changed = true;
    }
    return changed;
}

void CPropObArray::RemoveAll()
{
    m_items.clear();
}
