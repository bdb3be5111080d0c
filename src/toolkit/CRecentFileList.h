#pragma once

#include <QString>
#include <QStringList>

// The recent-file list: the most recent first, at most Size() entries, kept in the application's
// QSettings under "Recent File List" as "File1", "File2", ... and written at every change.
class CRecentFileList
{
public:
    explicit CRecentFileList(int size);

    void ReadList();
    // Puts path first (moving it when present); the oldest entry drops off a full list.
    void Add(const QString &path);
    void Remove(int index);

    int Size() const { return m_size; }
    int Count() const { return static_cast<int>(m_entries.size()); }
    QString Entry(int index) const;
    const QStringList &Entries() const { return m_entries; }

private:
    void WriteList() const;

    int m_size;
    QStringList m_entries;
};
