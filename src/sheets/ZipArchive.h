#pragma once

#include "ZipEntryDevice.h"

#include <QHash>
#include <QList>
#include <QString>
#include <memory>

// The member list of a ZIP archive, read from its central directory (no ZIP64, one disk).
class ZipArchive
{
public:
    bool open(const QString& path);
    const QString& errorString() const { return m_error; }

    // Member names are matched without regard to case, as office packages name their parts.
    bool contains(const QString& name) const;
    // Not yet opened; null when there is no such member.
    std::unique_ptr<ZipEntryDevice> entry(const QString& name) const;

private:
    bool fail(const QString& reason);

    QString m_path;
    QString m_error;
    QList<ZipEntry> m_entries;
    QHash<QString, qsizetype> m_index;
};
