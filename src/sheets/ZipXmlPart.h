#pragma once

#include "ZipArchive.h"

#include <QXmlStreamReader>
#include <memory>

// One XML member of a ZIP archive, parsed as it is inflated.
class ZipXmlPart
{
public:
    // False when the member is missing or cannot be opened; errorString() tells why.
    bool open(const ZipArchive& zip, const QString& name);

    QXmlStreamReader& xml() { return m_xml; }
    // The first problem met so far (damaged data or malformed XML); empty while there is none.
    QString errorString() const;

private:
    QString m_name;
    QString m_openError;
    std::unique_ptr<ZipEntryDevice> m_device;
    QXmlStreamReader m_xml;
};
