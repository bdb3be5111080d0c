#pragma once

#include "propgrid/CPropColor.h"

#include <QComboBox>

#include <array>

// The nineteen colours of the panel, in palette order, red in the low byte.
const std::array<PropColorRef, 19> &PanelColours();

// The colour drop-down list of the panel: "Automatic" (data -1) and the nineteen panel colours,
// each entry a swatch inset by one pixel; "Automatic" is written in the panel's default font.
class CPropColourCombo : public QComboBox
{
    Q_OBJECT

public:
    explicit CPropColourCombo(QWidget *parent = nullptr);

    void SetEntryHeight(int height);
    // Selects the entry with that colour; -1 selects none when no entry has it.
    void SelectColour(PropColorRef colour);
    PropColorRef SelectedColour() const; // the first entry's when none is selected

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    int m_entryHeight = 16;
};

// Draws a colour swatch framed in the button-text colour; -1 ("Automatic") is cross-hatched.
class QPainter;
void DrawColourSwatch(QPainter &painter, const QRect &rect, PropColorRef colour,
                      const QPalette &palette);
QColor ToQColor(PropColorRef colour);
PropColorRef FromQColor(const QColor &colour);
