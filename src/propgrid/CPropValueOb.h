#pragma once

#include "propgrid/CPropOb.h"

#include <cmath>
#include <type_traits>

// The value handling that every item class with a plain value type shares: working value,
// initial value and bound variable, and the operations that move values between them. Derived
// is the item class itself, so that values only move between items of the same class (or of
// classes derived from it).
template<class Derived, class T>
class CPropValueOb : public CPropOb
{
public:
    CPropValueOb(T *bound, int nameId, bool validate)
        : CPropOb(nameId, validate)
        , m_pBound(bound)
    {
        if (m_pBound && ReadsBoundAtConstruction()) {
            m_value = *m_pBound;
            m_initial = *m_pBound;
        }
    }

    bool IsEqual(const CPropOb &other) const override
    {
        const auto *same = dynamic_cast<const Derived *>(&other);
        return same && SameValue(m_value, same->m_value);
    }
    void CopyValue(const CPropOb &other) override
    {
        if (const auto *same = dynamic_cast<const Derived *>(&other))
            m_value = same->m_value;
    }
    void Store() override
    {
        if (m_pBound)
            *m_pBound = m_value;
    }
    void StoreFrom(const CPropOb &other) override
    {
        const auto *same = dynamic_cast<const Derived *>(&other);
        if (m_pBound && same)
            *m_pBound = same->m_value;
    }
    void Revert() override
    {
        if (m_pBound)
            *m_pBound = m_initial;
    }
    bool Refresh() override
    {
        if (!m_pBound || SameValue(*m_pBound, m_value))
            return false;
        m_value = *m_pBound;
        return true;
    }

    T m_value{};   // the working value the panel edits
    T m_initial{}; // the bound value found at construction
    T *m_pBound;

private:
    // NaN counts as equal to NaN, so that a double item bound to NaN does not report a change
    // on every refresh.
    static bool SameValue(const T &a, const T &b)
    {
        if constexpr (std::is_floating_point_v<T>)
            return a == b || (std::isnan(a) && std::isnan(b));
        else
            return a == b;
    }
};
