#pragma once

#include "ZipEntryDevice.h"

#include <QHash>
#include <QList>
#include <QString>
#include <memory>
#include <optional>

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
    // The member inflated whole; nothing when it is missing, damaged or larger than largest.
    // The memory grows with what is inflated: the size the archive declares is no measure.
    std::optional<QByteArray> wholeMember(const QString& name, qsizetype largest) const;

private:
    bool fail(const QString& reason);

    std::shared_ptr<PositionalFile> m_file;
    QString m_error;
    QList<ZipEntry> m_entries;
    QHash<QString, qsizetype> m_index;
};
