#include "TestCatalog.h"

#include "TestStore.h"

namespace {

QString literal(const QString& text)
{
    return u'\'' + QString(text).replace(u'\\', QStringLiteral("\\\\")).replace(u'\'', QStringLiteral("''")) +
           u'\'';
}

} // namespace

namespace TestCatalog {

void addBrand(TestStore& store, int id, const QString& name)
{
    store.exec(QStringLiteral(
                   "INSERT INTO @PREFIX@virtuemart_manufacturers (virtuemart_manufacturer_id) VALUES (%1)")
                   .arg(id));
    store.exec(QStringLiteral(
                   "INSERT INTO @PREFIX@virtuemart_manufacturers_@LANG@ (virtuemart_manufacturer_id, mf_name)"
                   " VALUES (%1, %2)")
                   .arg(id)
                   .arg(literal(name)));
}

void addProduct(TestStore& store, const TestProduct& p)
{
    store.exec(
        QStringLiteral(
            "INSERT INTO @PREFIX@virtuemart_products"
            " (virtuemart_product_id, product_sku, product_in_stock, published) VALUES (%1, %2, %3, %4)")
            .arg(p.id)
            .arg(literal(p.sku), p.stock ? QString::number(*p.stock) : QStringLiteral("NULL"))
            .arg(p.published ? 1 : 0));
    store.exec(
        QStringLiteral("INSERT INTO @PREFIX@virtuemart_products_@LANG@ (virtuemart_product_id, product_name)"
                       " VALUES (%1, %2)")
            .arg(p.id)
            .arg(literal(p.name)));
    store.exec(QStringLiteral("INSERT INTO @PREFIX@virtuemart_product_manufacturers"
                              " (virtuemart_product_id, virtuemart_manufacturer_id) VALUES (%1, %2)")
                   .arg(p.id)
                   .arg(p.brand));
    if (p.price)
        store.exec(
            QStringLiteral("INSERT INTO @PREFIX@virtuemart_product_prices"
                           " (virtuemart_product_id, product_price, product_currency) VALUES (%1, %2, %3)")
                .arg(p.id)
                .arg(*p.price)
                .arg(p.currency));
}

void addProducts(TestStore& store, int brand, int firstId, int count, const QString& name)
{
    for (int n = 0; n < count; ++n) {
        const int id = firstId + n;
        addProduct(store, {id, brand, name + u' ' + QString::number(id),
                           QStringLiteral("SKU-") + QString::number(id), n, QString::number(id), 47, true});
    }
}

} // namespace TestCatalog
