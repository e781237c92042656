#include "ZipXmlPart.h"

bool ZipXmlPart::open(const ZipArchive& zip, const QString& name)
{
    m_name = name;
    m_device = zip.entry(name);
    if (!m_device) {
        m_openError = QStringLiteral("the part %1 is missing").arg(name);
        return false;
    }
    if (!m_device->open(QIODevice::ReadOnly)) {
        m_openError = m_device->errorString();
        m_device.reset();
        return false;
    }
    m_openError.clear();
    m_xml.setDevice(m_device.get());
    return true;
}

QString ZipXmlPart::errorString() const
{
    if (!m_openError.isEmpty())
        return m_openError;
    if (m_device && m_device->hasFailed())
        return m_device->errorString();
    if (m_xml.hasError())
        return QStringLiteral("%1, line %2: %3").arg(m_name).arg(m_xml.lineNumber()).arg(m_xml.errorString());
    return {};
}
