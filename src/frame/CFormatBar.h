#pragma once

#include <QToolBar>

class CMDIFrameWnd;
class QComboBox;

// The format bar (144): the block-format, font-name and font-size drop-downs followed by the
// formatting buttons. A confirmed choice in a drop-down routes the drop-down's id (136, 32823,
// 32824) as a command to the active view, which reads the choice from the list.
class CFormatBar : public QToolBar
{
    Q_OBJECT

public:
    CFormatBar(CMDIFrameWnd *frame, QWidget *parent);

    QComboBox *BlockFormatList() const { return m_blockFormat; }
    QComboBox *FontNameList() const { return m_fontName; }
    QComboBox *FontSizeList() const { return m_fontSize; }

    // No selection in any of the three lists, all disabled (no page active).
    void ClearAndDisable();
    void SetListsEnabled(bool enabled);
    void ClearSelections();

    // The button of a command (to place a popup under it), or null.
    QWidget *ButtonOf(int id) const;

private:
    QComboBox *m_blockFormat;
    QComboBox *m_fontName;
    QComboBox *m_fontSize;
};
