#include "OfficePackage.h"

#include "PlainXmlScanner.h"
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

// Relationship parts are small and plain: read whole the quick way, unless that gives up on
// anything (a reference in a value included), when the full parser reads them.
constexpr qsizetype largestQuickPart = qsizetype(1) << 20;

bool quickRelationships(const ZipArchive& zip, const QString& partName, const QString& sourcePart,
                        QList<PackageRelationship>& relationships)
{
    const std::optional<QByteArray> part = zip.wholeMember(partName, largestQuickPart);
    if (!part)
        return false;
    PlainXmlScanner xml(*part);
    const auto plain = [](std::optional<QByteArrayView> value) { return !value || !value->contains('&'); };
    while (true) {
        switch (xml.next()) {
        case PlainXmlScanner::Token::EndOfDocument:
            return true;
        case PlainXmlScanner::Token::GiveUp:
            relationships.clear();
            return false;
        case PlainXmlScanner::Token::StartElement: {
            if (!xml.isNamed("Relationship"))
                break;
            const auto id = xml.attribute("Id");
            const auto type = xml.attribute("Type");
            const auto target = xml.attribute("Target");
            const auto mode = xml.attribute("TargetMode");
            if (!plain(id) || !plain(type) || !plain(target) || !plain(mode)) {
                relationships.clear();
                return false;
            }
            if (mode && *mode == "External")
                break;
            const auto text = [](std::optional<QByteArrayView> value) {
                return value ? QString::fromUtf8(*value) : QString();
            };
            relationships.append({text(id), text(type), resolveTarget(sourcePart, text(target))});
            break;
        }
        default:
            break;
        }
    }
}

} // namespace

bool readRelationships(const ZipArchive& zip, const QString& sourcePart,
                       QList<PackageRelationship>& relationships, QString& error)
{
    relationships.clear();
    const QString partName = relationshipPart(sourcePart);
    if (!zip.contains(partName))
        return true;
    if (quickRelationships(zip, partName, sourcePart, relationships))
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
