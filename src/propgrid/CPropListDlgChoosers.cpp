// The property list's choosers: the browse button of a file or colour value, the file and font
// dialogs and the colour palette.
#include "propgrid/CPropListDlg.h"

#include "pagetext/PageProperties.h"
#include "propgrid/CHyperFontDlg.h"
#include "propgrid/CPropColourCombo.h"
#include "propgrid/CPropColourPalette.h"
#include "propgrid/CPropCombo.h"
#include "propgrid/CPropCustColor.h"
#include "propgrid/CPropDataExchange.h"
#include "propgrid/CPropDbl.h"
#include "propgrid/CPropDropDown.h"
#include "propgrid/CPropEditCombo.h"
#include "propgrid/CPropFile.h"
#include "propgrid/CPropFont.h"
#include "propgrid/CPropInt.h"
#include "propgrid/CPropListBox.h"
#include "propgrid/CPropLong.h"
#include "propgrid/CPropObArray.h"
#include "propgrid/CPropStr.h"
#include "propgrid/PropStrings.h"
#include "toolkit/CDataExchange.h"
#include "toolkit/FileDialog.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QColorDialog>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFontDialog>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>

bool CPropListDlg::Browse()
{
    if (!m_pCurrent)
        return false;
    switch (m_pCurrent->m_nTypeCode) {
    case proptype::Color:
        ShowPalette();
        return true;
    case proptype::Font:
        return ChooseFont();
    case proptype::File:
        return ChooseFile();
    default:
        return false;
    }
}

bool CPropListDlg::ChooseFile()
{
    auto &file = static_cast<CPropFile &>(*m_pCurrent);
    PropFileRequest request;
    request.parent = this;
    request.filter = QString::fromStdString(file.GetFilter());
    request.folder = QString::fromStdString(BrowseFolder());
    request.fileName = QString::fromStdString(file.m_value);
    const PropFileAnswer answer = m_fileDialog ? m_fileDialog(request) : PropFileAnswer();
    if (answer.kind == PropFileAnswer::Cancelled)
        return false;
    // The reference keeps the file's own spelling: on this system another letter case is
    // another file. It is relative to the page when the file lies in the page's folder or below.
    m_strValue = answer.kind == PropFileAnswer::Default
                     ? QString()
                     : QString::fromStdString(
                           PageRelativeReference(ReferenceFolder(), answer.path.toStdString()));
    return UpdateItem(true);
}

void CPropListDlg::TakeFont(const QFont &chosen)
{
    m_fontValue.Clear();
    m_fontValue.m_lf.lfHeight =
        -(chosen.pixelSize() > 0 ? chosen.pixelSize() : QFontInfo(chosen).pixelSize());
    m_fontValue.m_lf.lfWeight = chosen.bold() ? 700 : 400;
    m_fontValue.m_lf.lfItalic = chosen.italic();
    m_fontValue.m_lf.lfUnderline = chosen.underline();
    m_fontValue.m_lf.lfStrikeOut = chosen.strikeOut();
    m_fontValue.SetFaceName(chosen.family().toStdString());
}

bool CPropListDlg::ChooseFont()
{
    QFont initial = font();
    if (!m_fontValue.IsEmpty()) {
        initial.setFamily(QString::fromStdString(m_fontValue.GetFaceName()));
        if (m_fontValue.m_lf.lfHeight != 0)
            initial.setPixelSize(std::abs(m_fontValue.m_lf.lfHeight));
        initial.setBold(m_fontValue.m_lf.lfWeight >= 700);
        initial.setItalic(m_fontValue.m_lf.lfItalic != 0);
    }
    CHyperFontDlg dialog(initial, this);
    // Apply commits the font shown so far and leaves the dialog open.
    connect(&dialog, &CHyperFontDlg::applied, this, [this](const QFont &shown) {
        TakeFont(shown);
        if (UpdateItem(true)) {
            m_list->viewport()->update();
            Apply();
        }
    });
    if (dialog.exec() == QDialog::Accepted)
        TakeFont(dialog.selectedFont());
    else if (dialog.DefaultChosen())
        m_fontValue.Clear(); // the empty font: the property's default
    else
        return false;
    return UpdateItem(true);
}

void CPropListDlg::ShowPalette()
{
    if (m_palette) {
        m_palette->disconnect(this);
        m_palette->close();
    }
    const QRect cell = m_list->ValueCell(m_currentRow);
    m_palette = new CPropColourPalette(m_colourValue, m_colourDialog, this);
    connect(m_palette, &CPropColourPalette::chosen, this, [this](PropColorRef colour) {
        // Picking the colour already set changes nothing and applies nothing.
        if (colour == m_colourValue || !m_pCurrent)
            return;
        m_colourValue = colour;
        if (UpdateItem(true)) {
            m_list->viewport()->update();
            Apply();
        }
    });
    connect(m_palette, &QObject::destroyed, this, [this] {
        m_editedRow = -1;
        m_list->viewport()->update();
        // The closed popup hands the keyboard back to the list's window, which not every
        // window system reactivates by itself.
        if (QWidget *top = window(); top && top->isVisible())
            top->activateWindow();
    });
    m_palette->adjustSize();
    m_palette->move(m_list->viewport()->mapToGlobal(cell.topLeft()));
    m_palette->show();
}
