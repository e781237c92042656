#include "UpdateScript.h"

#include "EscapeSqlText.h"
#include "export/OutputFile.h"
#include "platform/AppError.h"
#include "platform/ProgramFolder.h"

QString UpdateScript::defaultPath()
{
    return ProgramFolder::filePath(fileName());
}

UpdateScript::UpdateScript(const QString& path, StoreSchema schema)
    : m_path(path), m_schema(std::move(schema)), m_file(std::make_unique<OutputFile>(path))
{
    m_file->write(QByteArrayLiteral("\xEF\xBB\xBF"));
}

UpdateScript::~UpdateScript() = default;

QString UpdateScript::numberText(double value)
{
    return QString::number(value, 'g', 15);
}

void UpdateScript::writeBlock(const QStringList& lines)
{
    QString text;
    for (const QString& line : lines)
        text += line + QStringLiteral("\r\n");
    text += QStringLiteral("  \r\n");
    try {
        m_file->write(text.toUtf8());
    } catch (...) {
        m_failed = true;
        throw;
    }
}

void UpdateScript::writePublication(int artid, int publis)
{
    writeBlock({QStringLiteral("UPDATE ") + m_schema.products() + QStringLiteral(" as Pmain "),
                QStringLiteral("SET Pmain.published = ") + QString::number(publis),
                QStringLiteral("WHERE Pmain.virtuemart_product_id = %1;").arg(artid)});
}

void UpdateScript::writePrice(int artid, double price)
{
    writeBlock({QStringLiteral("UPDATE ") + m_schema.productPrices() + QStringLiteral(" as Price "),
                QStringLiteral("SET Price.product_price = ") + numberText(price),
                QStringLiteral("WHERE Price.virtuemart_product_id = %1;").arg(artid)});
}

void UpdateScript::writeStock(int artid, int quantity)
{
    writeBlock({QStringLiteral("UPDATE ") + m_schema.products() + QStringLiteral(" as Pmain "),
                QStringLiteral("SET Pmain.product_in_stock = ") + QString::number(quantity),
                QStringLiteral("WHERE Pmain.virtuemart_product_id = %1;").arg(artid)});
}

namespace {
QString setList(const UpdateScript::SetItems& items)
{
    QStringList parts;
    for (const auto& [column, text] : items)
        parts << QStringLiteral("Pmain.") + column + QStringLiteral(" = '") + EscapeSqlText(text) + u'\'';
    return parts.join(QStringLiteral(", \r\n"));
}
} // namespace

void UpdateScript::writeProductSeo(int id, const SetItems& items)
{
    writeBlock({QStringLiteral("UPDATE ") + m_schema.productTexts() + QStringLiteral(" as Pmain SET "), setList(items),
                QStringLiteral("WHERE Pmain.virtuemart_product_id = %1;").arg(id)});
}

void UpdateScript::writeCategorySeo(int id, const SetItems& items)
{
    writeBlock({QStringLiteral("UPDATE ") + m_schema.categoryTexts() + QStringLiteral(" as Pmain SET "), setList(items),
                QStringLiteral("WHERE Pmain.virtuemart_category_id = %1;").arg(id)});
}

void UpdateScript::commit()
{
    if (m_failed)
        throw AppError(QStringLiteral("The update script %1 could not be written whole").arg(m_path));
    m_file->write(QByteArrayLiteral("COMMIT;\r\n"));
    m_file->close();
}
