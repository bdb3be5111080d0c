#pragma once

#include <QMenu>

#include <cstdint>

// The font colour popup: 17 owner-drawn items (ids 32888 + 0..16), each a framed swatch left of
// the colour's name: the sixteen HTML 4 colours and "Automatic" (the system's window-text
// colour). The current colour carries the radio mark; the item under the mouse is drawn
// highlighted with a focus rectangle. Colours are 24-bit values with red in the low byte.
class CFontColorMenu : public QMenu
{
    Q_OBJECT

public:
    static constexpr int kItemCount = 17;
    static constexpr int kAutomaticIndex = 16;

    // current: the colour the component reports; -1 (no explicit colour) marks "Automatic",
    // any other value is compared on its low 24 bits and marks the first item that has it.
    explicit CFontColorMenu(std::int32_t current, QWidget *parent = nullptr);

    static QString ColorName(int index);
    static std::int32_t ColorValue(int index);
    // The index of the item marked for a reported colour, or -1.
    static int MarkedIndex(std::int32_t current);

    // The item the radio mark is on, or -1.
    int CheckedIndex() const;
};
