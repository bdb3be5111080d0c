#include "toolkit/CRecentFileList.h"

#include <QSettings>

static const char kSection[] = "Recent File List";

CRecentFileList::CRecentFileList(int size)
    : m_size(size)
{}

void CRecentFileList::ReadList()
{
    m_entries.clear();
    QSettings settings;
    settings.beginGroup(QLatin1String(kSection));
    for (int i = 0; i < m_size; ++i) {
        const QString path = settings.value(QStringLiteral("File%1").arg(i + 1)).toString();
        if (!path.isEmpty() && !m_entries.contains(path))
            m_entries.append(path);
    }
}

void CRecentFileList::Add(const QString &path)
{
    if (path.isEmpty())
        return;
    m_entries.removeAll(path);
    m_entries.prepend(path);
    while (m_entries.size() > m_size)
        m_entries.removeLast();
    WriteList();
}

void CRecentFileList::Remove(int index)
{
    if (index < 0 || index >= m_entries.size())
        return;
    m_entries.removeAt(index);
    WriteList();
}

QString CRecentFileList::Entry(int index) const
{
    return index >= 0 && index < m_entries.size() ? m_entries.at(index) : QString();
}

void CRecentFileList::WriteList() const
{
    QSettings settings;
    settings.beginGroup(QLatin1String(kSection));
    for (int i = 0; i < m_size; ++i) {
        const QString key = QStringLiteral("File%1").arg(i + 1);
        if (i < m_entries.size())
            settings.setValue(key, m_entries.at(i));
        else
            settings.remove(key);
    }
}
