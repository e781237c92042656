#include "OfficePackage.h"

#include "ZipXmlPart.h"

#include <QDir>

namespace OfficePackage {

using namespace Qt::StringLiterals;

namespace {

QString relationshipPart(const QString& sourcePart)
{
    const qsizetype slash = sourcePart.lastIndexOf(u'/');
    return sourcePart.left(slash + 1) + QStringLiteral("_rels/") + sourcePart.mid(slash + 1) +
           QStringLiteral(".rels");
}

QString resolveTarget(const QString& sourcePart, const QString& target)
{
    if (target.startsWith(u'/'))
        return QDir::cleanPath(target.mid(1));
    const QString folder = sourcePart.left(sourcePart.lastIndexOf(u'/') + 1);
    return QDir::cleanPath(folder + target);
}

} // namespace

bool readRelationships(const ZipArchive& zip, const QString& sourcePart,
                       QList<PackageRelationship>& relationships, QString& error)
{
    relationships.clear();
    const QString partName = relationshipPart(sourcePart);
    if (!zip.contains(partName))
        return true;
    ZipXmlPart part;
    if (!part.open(zip, partName)) {
        error = part.errorString();
        return false;
    }
    QXmlStreamReader& xml = part.xml();
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement() || xml.name() != u"Relationship")
            continue;
        const QXmlStreamAttributes attributes = xml.attributes();
        if (attributes.value("TargetMode"_L1) == u"External")
            continue;
        relationships.append({attributes.value("Id"_L1).toString(), attributes.value("Type"_L1).toString(),
                              resolveTarget(sourcePart, attributes.value("Target"_L1).toString())});
    }
    error = part.errorString();
    return error.isEmpty();
}

QString mainPart(const ZipArchive& zip)
{
    QList<PackageRelationship> relationships;
    QString error;
    if (!readRelationships(zip, QString(), relationships, error))
        return {};
    for (const PackageRelationship& relationship : relationships) {
        if (hasType(relationship, u"officeDocument"))
            return relationship.target;
    }
    return {};
}

bool hasType(const PackageRelationship& relationship, QStringView lastSegment)
{
    const QStringView type(relationship.type);
    return type.endsWith(lastSegment) && type.size() > lastSegment.size() &&
           type[type.size() - lastSegment.size() - 1] == u'/';
}

} // namespace OfficePackage
