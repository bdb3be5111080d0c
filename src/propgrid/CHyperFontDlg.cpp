#include "propgrid/CHyperFontDlg.h"

#include <QDialogButtonBox>
#include <QPushButton>

CHyperFontDlg::CHyperFontDlg(const QFont &initial, QWidget *parent)
    : QFontDialog(parent)
{
    // The buttons are added to the dialog's own button box, which only the widget-based
    // dialog has.
    setOption(QFontDialog::DontUseNativeDialog);
    setOption(QFontDialog::ScalableFonts);
    setOption(QFontDialog::NonScalableFonts);
    setCurrentFont(initial);
    if (auto *buttons = findChild<QDialogButtonBox *>()) {
        m_apply = buttons->addButton(QDialogButtonBox::Apply);
        m_defaultButton = buttons->addButton(tr("&Default"), QDialogButtonBox::HelpRole);
        connect(m_apply, &QPushButton::clicked, this, [this] { emit applied(currentFont()); });
        connect(m_defaultButton, &QPushButton::clicked, this, [this] {
            m_default = true;
            reject();
        });
    }
}
