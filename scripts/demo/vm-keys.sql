-- The link tables with VirtueMart 2.0's own keys instead of the demo's: no key starts with
-- the manufacturer, so the server finds a brand's products by reading the whole link table.
ALTER TABLE `@PREFIX@virtuemart_product_manufacturers`
  DROP KEY `idx_manufacturer`,
  ADD UNIQUE KEY `virtuemart_product_id` (`virtuemart_product_id`, `virtuemart_manufacturer_id`);

ALTER TABLE `@PREFIX@virtuemart_product_categories`
  DROP KEY `idx_product`,
  ADD KEY `virtuemart_product_id` (`virtuemart_product_id`, `virtuemart_category_id`);
