#include "page/OptionsDialog.h"

#include "page/EditingOptions.h"
#include "page/COptFilterPage.h"
#include "page/COptMiscPage.h"
#include "page/COptUIActivationPage.h"
#include "toolkit/CPropertySheet.h"

bool RunOptionsDialog(EditingOptions &options, QWidget *parent)
{
    CPropertySheet sheet(QStringLiteral("Pelion"), parent);
    auto *activation = new COptUIActivationPage;
    activation->m_activateDTCs = options.activateDTCs;
    activation->m_activateActiveX = options.activateActiveX;
    activation->m_activateApplets = options.activateApplets;
    auto *filter = new COptFilterPage;
    filter->m_filterDTCs = options.filterDTCs;
    filter->m_filterServerScript = options.filterServerScript;
    filter->m_filterSourceFormatting = options.filterSourceFormatting;
    auto *misc = new COptMiscPage;
    misc->m_showBorders = options.showBorders;
    misc->m_autoSaveMetafiles = options.autoSaveMetafiles;
    sheet.AddPage(activation);
    sheet.AddPage(filter);
    sheet.AddPage(misc);
    if (sheet.DoModal() != QDialog::Accepted)
        return false;
    if (activation->WasOpened()) {
        options.activateDTCs = activation->m_activateDTCs;
        options.activateActiveX = activation->m_activateActiveX;
        options.activateApplets = activation->m_activateApplets;
    }
    if (filter->WasOpened()) {
        options.filterDTCs = filter->m_filterDTCs;
        options.filterServerScript = filter->m_filterServerScript;
        options.filterSourceFormatting = filter->m_filterSourceFormatting;
    }
    if (misc->WasOpened()) {
        options.showBorders = misc->m_showBorders;
        options.autoSaveMetafiles = misc->m_autoSaveMetafiles;
    }
    return true;
}
