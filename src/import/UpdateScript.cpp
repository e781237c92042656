#include "UpdateScript.h"

#include "EscapeSqlText.h"
#include "platform/AppError.h"
#include "platform/AppPlaces.h"
#include "platform/OutputFile.h"
#include "sheets/FifteenDigits.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <charconv>

QString UpdateScript::defaultPath()
{
    return QDir(AppPlaces::dataFolder()).filePath(fileName());
}

QString UpdateScript::undoPath(const QString& scriptPath, const QDateTime& time)
{
    return QFileInfo(scriptPath)
        .dir()
        .filePath(QStringLiteral("ScriptForUndo-") + time.toString(QStringLiteral("yyyy-MM-dd-HHmmss")) +
                  QStringLiteral(".sql"));
}

UpdateScript::UpdateScript(const QString& path, StoreSchema schema)
    : m_path(path), m_schema(std::move(schema)),
      m_file(path.isEmpty() ? nullptr : std::make_unique<OutputFile>(path, OutputFile::Access::OwnerOnly)),
      m_publicationHead(("UPDATE " + m_schema.products() + " as Pmain \r\nSET Pmain.published = ").toUtf8()),
      m_priceHead(
          ("UPDATE " + m_schema.productPrices() + " as Price \r\nSET Price.product_price = ").toUtf8()),
      m_stockHead(("UPDATE " + m_schema.products() + " as Pmain \r\nSET Pmain.product_in_stock = ").toUtf8()),
      m_productWhere("\r\nWHERE Pmain.virtuemart_product_id = "),
      m_priceWhere("\r\nWHERE Price.virtuemart_product_id = ")
{
    if (m_file)
        m_file->write(QByteArrayLiteral("\xEF\xBB\xBF"));
}

UpdateScript::~UpdateScript() = default;

QString UpdateScript::numberText(double value)
{
    return QString::fromLatin1(FifteenDigits(value).text());
}

void UpdateScript::writeBlock(const QStringList& lines)
{
    QString text;
    for (const QString& line : lines)
        text += line + QStringLiteral("\r\n");
    text += QStringLiteral("  \r\n");
    writeBlocks(text.toUtf8());
}

void UpdateScript::writeBlocks(QByteArrayView blocks)
{
    if (!m_file)
        return;
    try {
        m_file->write(blocks);
    } catch (...) {
        m_failed = true;
        throw;
    }
}

namespace {

struct Decimal
{
    explicit Decimal(int n) : end(std::to_chars(digits, digits + sizeof digits, n).ptr) {}
    QByteArrayView text() const { return QByteArrayView(digits, end); }

    char digits[12];
    char* end;
};

} // namespace

void UpdateScript::writeValueBlock(const QByteArray& head, QByteArrayView value, const QByteArray& where,
                                   int id)
{
    const Decimal number(id);
    m_block.assign(head.data(), std::size_t(head.size()));
    m_block.append(value.data(), std::size_t(value.size()));
    m_block.append(where.data(), std::size_t(where.size()));
    m_block.append(number.text().data(), std::size_t(number.text().size()));
    m_block.append(";\r\n  \r\n");
    writeBlocks(QByteArrayView(m_block.data(), qsizetype(m_block.size())));
}

namespace PlannedField {
const int price = StoreField::indexOf(StoreTable::Prices, QStringLiteral("product_price"));
const int stock = StoreField::indexOf(StoreTable::Products, QStringLiteral("product_in_stock"));
const int publication = StoreField::indexOf(StoreTable::Products, QStringLiteral("published"));
} // namespace PlannedField

void UpdateScript::writePublication(int productId, int published)
{
    const Decimal value(published);
    writeValueBlock(m_publicationHead, value.text(), m_productWhere, productId);
    m_planned.add(PlannedField::publication, productId, value.text());
}

void UpdateScript::writePrice(int productId, double price)
{
    const FifteenDigits value(price);
    writeValueBlock(m_priceHead, value.text(), m_priceWhere, productId);
    m_planned.add(PlannedField::price, productId, value.text());
}

void UpdateScript::writeStock(int productId, int quantity)
{
    const Decimal value(quantity);
    writeValueBlock(m_stockHead, value.text(), m_productWhere, productId);
    m_planned.add(PlannedField::stock, productId, value.text());
}

void UpdateScript::planSeo(StoreTable table, int id, const SetItems& items)
{
    std::vector<std::pair<int, QString>> values;
    for (const auto& [column, text] : items)
        values.emplace_back(StoreField::indexOf(table, column), text);
    m_planned.addStatement(values, id);
}

namespace {
QString setList(const UpdateScript::SetItems& items)
{
    QStringList parts;
    for (const auto& [column, text] : items)
        parts << QStringLiteral("Pmain.") + column + QStringLiteral(" = '") + escapeSqlText(text) + u'\'';
    return parts.join(QStringLiteral(", \r\n"));
}
} // namespace

void UpdateScript::writeProductSeo(int id, const SetItems& items)
{
    writeBlock({QStringLiteral("UPDATE ") + m_schema.productTexts() + QStringLiteral(" as Pmain SET "),
                setList(items), QStringLiteral("WHERE Pmain.virtuemart_product_id = %1;").arg(id)});
    planSeo(StoreTable::ProductTexts, id, items);
}

void UpdateScript::writeCategorySeo(int id, const SetItems& items)
{
    writeBlock({QStringLiteral("UPDATE ") + m_schema.categoryTexts() + QStringLiteral(" as Pmain SET "),
                setList(items), QStringLiteral("WHERE Pmain.virtuemart_category_id = %1;").arg(id)});
    planSeo(StoreTable::CategoryTexts, id, items);
}

void UpdateScript::commit()
{
    if (!m_file)
        return;
    try {
        if (m_failed)
            throw AppError(QStringLiteral("The update script %1 could not be written whole").arg(m_path));
        m_file->write(QByteArrayLiteral("COMMIT;\r\n"));
        m_file->close();
    } catch (...) {
        // A script cut short could end in a statement without its WHERE line: it must never run.
        m_file.reset();
        if (QFileInfo(m_path).isFile()) // never a device or whatever else the path names
            QFile::remove(m_path);
        throw;
    }
}
