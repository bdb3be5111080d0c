#pragma once

#include "propgrid/CPropColor.h"

#include <QFrame>

#include <functional>

class QToolButton;

// The colour palette popup of colour items: the nineteen panel colours with the current one
// marked, "Automatic" and "More Colors..." (the platform's colour dialog, through the given
// function). A final choice is reported by chosen(); closing without one reports nothing.
class CPropColourPalette : public QFrame
{
    Q_OBJECT

public:
    using MoreColours = std::function<bool(PropColorRef current, PropColorRef &chosen)>;

    CPropColourPalette(PropColorRef current, MoreColours more, QWidget *parent = nullptr);

    // The swatch button of a panel colour index, "Automatic" and "More Colors...".
    QToolButton *ColourButton(int index) const;
    QToolButton *AutomaticButton() const { return m_automatic; }
    QToolButton *MoreButton() const { return m_more; }

signals:
    void chosen(PropColorRef colour);

private:
    void Choose(PropColorRef colour);

    QList<QToolButton *> m_buttons;
    QToolButton *m_automatic = nullptr;
    QToolButton *m_more = nullptr;
    MoreColours m_moreColours;
    PropColorRef m_current;
};
