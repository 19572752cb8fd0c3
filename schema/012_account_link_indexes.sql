-- The link columns of the account movements (invoice, waybill, cash desk
-- movement, offsetting entry) are indexed only where a row has a link: the
-- point-of-sale rows, most of the table, carry none and cost these indexes
-- nothing. A lookup by a link value still uses them.
DROP INDEX ix_custdet_fno;
DROP INDEX ix_custdet_irsno;
DROP INDEX ix_custdet_carihesap;
DROP INDEX ix_custdet_mahsup;
CREATE INDEX ix_custdet_fno ON Q_CUSTOMER_DETAILS (fno) WHERE fno IS NOT NULL;
CREATE INDEX ix_custdet_irsno ON Q_CUSTOMER_DETAILS (irsno) WHERE irsno IS NOT NULL;
CREATE INDEX ix_custdet_carihesap ON Q_CUSTOMER_DETAILS (CARIHESAP_ID) WHERE CARIHESAP_ID IS NOT NULL;
CREATE INDEX ix_custdet_mahsup ON Q_CUSTOMER_DETAILS (mahsup) WHERE mahsup IS NOT NULL;
