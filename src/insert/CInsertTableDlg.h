#pragma once

#include "toolkit/CDialog.h"

#include <cstdint>

class CColorPickerButton;
class QLineEdit;
class QRadioButton;
class QToolButton;

// "Insert Table" (151): builds the text of an empty table (CTableObject) from width and unit,
// rows, columns, cell spacing and padding, border and background colour. OK with 0 rows or 0
// columns does nothing; after OK the caller inserts m_strHtml. The number boxes are read as
// typed: a leading number counts ("12abc" is 12), anything else is 0.
class CInsertTableDlg : public CDialog
{
    Q_OBJECT

public:
    explicit CInsertTableDlg(const QString &prefix, QWidget *parent = nullptr);

    void accept() override;

    int m_nWidthUnit = 1; // 0 pixels, 1 percent
    std::uint32_t m_crBackground;
    QString m_strHtml;

    CColorPickerButton *ColorButton() const { return m_color; }

protected:
    void DoDataExchange(CDataExchange &dx) override;

private:
    void StepBorder(int by);

    QString m_strPrefix;
    QLineEdit *m_width;
    QRadioButton *m_pixels;
    QRadioButton *m_percent;
    QLineEdit *m_rows;
    QLineEdit *m_columns;
    QLineEdit *m_spacing;
    QLineEdit *m_padding;
    QLineEdit *m_border;
    CColorPickerButton *m_color;
};

// Runs the dialog for the editor view; true with the table's text in html after OK.
bool RunInsertTableDialog(QWidget *parent, QString &html);
