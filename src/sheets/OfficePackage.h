#pragma once

#include "ZipArchive.h"

#include <QList>
#include <QString>

// The relationships of an Office Open XML package, which lead from one part to the next.
struct PackageRelationship
{
    QString id;
    QString type;   // a URI; compare by its last segment, which transitional and strict files share
    QString target; // the resolved part name, e.g. "xl/worksheets/sheet1.xml"
};

namespace OfficePackage {

// The relationships of sourcePart ("" for the package itself); none when it has no
// relationship part. Returns false when that part is damaged; error tells why.
bool readRelationships(const ZipArchive& zip, const QString& sourcePart,
                       QList<PackageRelationship>& relationships, QString& error);

// The part the package is about ("xl/workbook.xml" for a workbook); empty when there is none.
QString mainPart(const ZipArchive& zip);

bool hasType(const PackageRelationship& relationship, QStringView lastSegment);

} // namespace OfficePackage
