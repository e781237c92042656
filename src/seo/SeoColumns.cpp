#include "SeoColumns.h"

const QStringList& SeoColumns::names()
{
    static const QStringList list = {QStringLiteral("IDPART"),
                                     QStringLiteral("BRAND"),
                                     QStringLiteral("TRADENUMBER"),
                                     QStringLiteral("NAMEPART"),
                                     QStringLiteral("PRODUCT:product_s_desc"),
                                     QStringLiteral("PRODUCT:metadesc"),
                                     QStringLiteral("PRODUCT:metakey"),
                                     QStringLiteral("PRODUCT:customtitle"),
                                     QStringLiteral("PRODUCT:sluq"),
                                     QStringLiteral("IDCATEGORY"),
                                     QStringLiteral("CATEGORYNAME"),
                                     QStringLiteral("CATEGORY:metadesc"),
                                     QStringLiteral("CATEGORY:metakey"),
                                     QStringLiteral("CATEGORY:customtitle"),
                                     QStringLiteral("CATEGORY:sluq")};
    return list;
}
