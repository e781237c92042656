-- Brands, products and categories for the SEO runs.
INSERT INTO `@PREFIX@virtuemart_manufacturers` (`virtuemart_manufacturer_id`) VALUES (1), (2), (3), (4), (5);

INSERT INTO `@PREFIX@virtuemart_manufacturers_@LANG@` (`virtuemart_manufacturer_id`, `mf_name`) VALUES
(1, 'Acme'), (2, 'Borvex'), (3, 'Caldera'), (4, 'Dynatek'), (5, 'Ždírec Díly');

INSERT INTO `@PREFIX@virtuemart_categories` (`virtuemart_category_id`) VALUES (10), (11), (12), (13), (14);

INSERT INTO `@PREFIX@virtuemart_categories_@LANG@`
    (`virtuemart_category_id`, `category_name`, `metadesc`, `metakey`, `customtitle`, `slug`) VALUES
(10, 'Brakes', 'All brakes', 'brakes', 'Brakes | Shop', 'audi-a4-2-0'),
(11, 'Pads; front', 'Pads "OEM"', '', '', ''),
(12, 'Ελληνικά', 'Φρένα', 'φρένα', 'Φρένα | Shop', 'bmw-e46'),
(13, 'Filters', 'Filters', 'filters', 'Filters', 'filters'),
(14, 'Категория €', 'Ελλάδα 🚗', 'Příliš žluťoučký kůň', 'Запчасти € 🚗', 'lada-2107');

-- Acme: 57 with three categories, 58 with none, 60 without texts in the language table.
-- Borvex: ten products. Caldera: one product with three categories. Dynatek: one product.
-- Ždírec Díly: texts in several scripts.
INSERT INTO `@PREFIX@virtuemart_products` (`virtuemart_product_id`, `product_sku`) VALUES
(57, 'AB 12/7'), (58, 'X"Q 5'), (60, NULL),
(101, 'B-101'), (102, 'B-102'), (103, 'B-103'), (104, 'B-104'), (105, 'B-105'),
(106, 'B-106'), (107, 'B-107'), (108, 'B-108'), (109, 'B-109'), (110, 'B-110'),
(201, 'C-1'), (202, 'D-1'), (301, 'ŽD-€1');

INSERT INTO `@PREFIX@virtuemart_products_@LANG@`
    (`virtuemart_product_id`, `product_name`, `product_s_desc`, `metadesc`, `metakey`, `customtitle`, `slug`) VALUES
(57, 'Brake pad', 'Fits front; rear\r\nand "sport" models', 'Brake pad for Škoda', 'brake, pad', 'Brake pad | Acme',
 'brake-pad-57'),
(58, 'Mirror, left', NULL, NULL, NULL, NULL, NULL),
(101, 'Part 101', '', '', '', '', ''), (102, 'Part 102', '', '', '', '', ''), (103, 'Part 103', '', '', '', '', ''),
(104, 'Part 104', '', '', '', '', ''), (105, 'Part 105', '', '', '', '', ''), (106, 'Part 106', '', '', '', '', ''),
(107, 'Part 107', '', '', '', '', ''), (108, 'Part 108', '', '', '', '', ''), (109, 'Part 109', '', '', '', '', ''),
(110, 'Part 110', '', '', '', '', ''),
(201, 'Caliper', '', '', '', '', ''), (202, 'Disc', '', '', '', '', ''),
(301, 'Příliš žluťoučký kůň', 'Съешь же ещё этих мягких французских булок', 'Ελληνικά κείμενα €', '🚗, 😀',
 'Ždírec € 🚗', 'zdirec-1');

INSERT INTO `@PREFIX@virtuemart_product_manufacturers` (`virtuemart_product_id`, `virtuemart_manufacturer_id`) VALUES
(57, 1), (58, 1), (60, 1),
(101, 2), (102, 2), (103, 2), (104, 2), (105, 2), (106, 2), (107, 2), (108, 2), (109, 2), (110, 2),
(201, 3), (202, 4), (301, 5);

INSERT INTO `@PREFIX@virtuemart_product_categories` (`virtuemart_product_id`, `virtuemart_category_id`) VALUES
(57, 10), (57, 11), (57, 12), (60, 10),
(101, 13), (102, 13), (103, 13), (104, 13), (105, 13), (106, 13), (107, 13), (108, 13), (109, 13), (110, 13),
(201, 10), (201, 12), (201, 13), (202, 10), (301, 14);
