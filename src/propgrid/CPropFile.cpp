#include "propgrid/CPropFile.h"

#include "propgrid/PropStrings.h"
#include "util/StringUtil.h"

CPropFile::CPropFile(std::string *bound, int nameId, int filterId)
    : CPropValueOb(bound, nameId, false)
    , m_nFilterId(filterId)
{
    m_nTypeCode = proptype::File;
    m_nEditorId = propeditor::Browse;
    m_nCaptionId = propstr::FileCaption;
}

const char *CPropFile::GetClassName() const
{
    return "CPropFile";
}

bool CPropFile::GetValueText(std::string &text) const
{
    if (m_value.empty()) {
        text = PropString(propstr::None);
        return true;
    }
    // Page references may come from pages written on either platform, so both separators
    // count; a drive-relative reference ("A:Logo.gif") has its name after the colon.
    size_t cut = m_value.find_last_of("/\\");
    if (cut == std::string::npos)
        cut = m_value.rfind(':');
    const std::string name = cut == std::string::npos ? m_value : m_value.substr(cut + 1);
    text = util::ToLowerAscii(name);
    return true;
}

bool CPropFile::GetAsString(std::string &value) const
{
    if (!m_pBound) {
        value.clear();
        return false;
    }
    value = *m_pBound;
    return true;
}

bool CPropFile::SetAsString(const std::string &value)
{
    if (!m_pBound)
        return false;
    *m_pBound = value;
    return true;
}

std::string CPropFile::GetFilter() const
{
    std::string filter;
    if (m_nFilterId == 0 || !LoadPropString(m_nFilterId, filter) || filter.empty())
        filter = PropString(propstr::AllFilesFilter);
    return filter;
}
