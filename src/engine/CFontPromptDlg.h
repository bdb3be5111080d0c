#pragma once

#include <QDialog>
#include <QVariantMap>

class QCheckBox;
class QComboBox;
class QFontComboBox;
class QPushButton;

// The component's font dialog: face, size (1-7), bold, italic, underline and colour for the
// selection. Starts from the selection's values; Values() holds only what the user set, in the
// font command's input map (colour red in the low byte, -1 automatic).
class CFontPromptDlg : public QDialog
{
    Q_OBJECT

public:
    struct Start
    {
        QString face;
        int size = 0; // 0: mixed or unknown
        Qt::CheckState bold = Qt::Unchecked, italic = Qt::Unchecked, underline = Qt::Unchecked;
        int color = -1;
    };
    CFontPromptDlg(const Start &start, QWidget *parent = nullptr);

    QVariantMap Values() const;

private:
    void showColour();

    Start m_start;
    QFontComboBox *m_face;
    QComboBox *m_size;
    QCheckBox *m_bold, *m_italic, *m_underline;
    QPushButton *m_colourButton;
    int m_color;
    bool m_colourChosen = false;
};
