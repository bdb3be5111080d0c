#pragma once

#include <QFontDialog>

class QPushButton;

// The font dialog of a font property: Qt's own font dialog with an "Apply" button, which sends
// the font shown so far without closing, and a "&Default" button, which closes the dialog as
// cancelled and asks for the empty font (the property falls back to its default).
class CHyperFontDlg : public QFontDialog
{
    Q_OBJECT

public:
    CHyperFontDlg(const QFont &initial, QWidget *parent);

    // True once the dialog was closed with "&Default".
    bool DefaultChosen() const { return m_default; }

    QPushButton *ApplyButton() const { return m_apply; }
    QPushButton *DefaultButton() const { return m_defaultButton; }

signals:
    void applied(const QFont &font);

private:
    QPushButton *m_apply = nullptr;
    QPushButton *m_defaultButton = nullptr;
    bool m_default = false;
};
