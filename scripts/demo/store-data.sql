-- A demo catalogue: @BRANDS@ brands, @PRODUCTS@ products with prices, stock and SEO texts,
-- 60 categories with about three of them to a product.
INSERT INTO `@PREFIX@virtuemart_manufacturers` (`virtuemart_manufacturer_id`)
SELECT seq FROM seq_1_to_@BRANDS@;

INSERT INTO `@PREFIX@virtuemart_manufacturers_@LANG@` (`virtuemart_manufacturer_id`, `mf_name`, `slug`)
SELECT seq,
       CONCAT(ELT(1 + (seq - 1) % 20, 'Acme', 'borvex', 'Caldera', 'Dynatek', 'Élan Motors', 'Fenmoor', 'Gralith',
                  'Horizont Горизонт', 'Ironvale', 'Jastro', 'kelbrin', 'Lumora', 'Marvix', 'Nordale', 'Orbisco',
                  'Pellar', 'Quarto', 'Rennox', 'Stavik', 'Ždírec Díly'),
              IF(seq > 20, CONCAT(' ', (seq - 1) DIV 20 + 1), '')),
       CONCAT('brand-', seq)
FROM seq_1_to_@BRANDS@;

INSERT INTO `@PREFIX@virtuemart_categories` (`virtuemart_category_id`) SELECT seq FROM seq_1_to_60;

INSERT INTO `@PREFIX@virtuemart_categories_@LANG@`
    (`virtuemart_category_id`, `category_name`, `metadesc`, `metakey`, `customtitle`, `slug`)
SELECT seq,
       CONCAT(ELT(1 + (seq - 1) % 6, 'Brakes', 'Filters', 'Engine', 'Suspension', 'Lighting', 'Body parts'),
              ' ', seq),
       CONCAT('Spare parts of group ', seq, ' at fair prices'),
       CONCAT('spare parts, group ', seq),
       IF(seq % 4 = 0, '', CONCAT('Group ', seq, ' | Demo store')),
       CONCAT('car-model-', seq, '-engine')
FROM seq_1_to_60;

INSERT INTO `@PREFIX@virtuemart_products`
    (`virtuemart_product_id`, `product_sku`, `product_in_stock`, `published`)
SELECT seq, CONCAT('AB-', LPAD(seq, 6, '0'), IF(seq % 7 = 0, '/7', '')), IF(seq % 23 = 0, NULL, seq % 50),
       IF(seq % 10 = 0, 0, 1)
FROM seq_1_to_@PRODUCTS@;

INSERT INTO `@PREFIX@virtuemart_products_@LANG@`
    (`virtuemart_product_id`, `product_name`, `product_s_desc`, `metadesc`, `metakey`, `customtitle`, `slug`)
SELECT seq,
       CONCAT(ELT(1 + seq % 8, 'Brake pad', 'Ölfilter', 'Spark plug', 'Amortizér přední', 'Фара головная',
                  'Door mirror', 'Timing belt', 'Αντλία νερού'), ' ', seq, IF(seq % 5 = 0, ', "premium"', '')),
       CONCAT('Short description of part ', seq, '; fits many cars. Price from ', seq % 90 + 10, ' €.'),
       IF(seq % 3 = 0, NULL, CONCAT('Buy part ', seq, ' in our demo store')),
       CONCAT('part ', seq, ', spare part'),
       IF(seq % 4 = 0, '', CONCAT('Part ', seq, ' | Demo store')),
       CONCAT('part-', seq)
FROM seq_1_to_@PRODUCTS@;

INSERT INTO `@PREFIX@virtuemart_product_prices`
    (`virtuemart_product_id`, `product_price`, `product_currency`)
SELECT seq, ROUND(1 + (seq * 37 % 99900) / 100, 2), IF(seq % 13 = 0, 144, 47)
FROM seq_1_to_@PRODUCTS@
WHERE seq % 17 <> 0;

INSERT INTO `@PREFIX@virtuemart_product_manufacturers` (`virtuemart_product_id`, `virtuemart_manufacturer_id`)
SELECT seq, 1 + seq % @BRANDS@ FROM seq_1_to_@PRODUCTS@;

INSERT INTO `@PREFIX@virtuemart_product_categories` (`virtuemart_product_id`, `virtuemart_category_id`)
SELECT p.seq, 1 + (p.seq * c.seq * 7 + c.seq) % 60
FROM seq_1_to_@PRODUCTS@ AS p JOIN seq_1_to_3 AS c;
