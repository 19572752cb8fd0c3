-- Current accounts: cards, groups, bank details, movements,
-- offsetting entries and the stock trial balance work table.
-- Texts without a stated length hold up to 20 characters. Flags are 0/1.
-- Sign convention: Borc is what the account owes the business, Alacak what
-- the business owes the account; balance = Σ Borc − Σ Alacak.

-- Borc, Alacak and Bakiye are stored totals refreshed by the balance update
-- only. ustlimit: -1 means "no limit", the value the cards window stores for
-- an empty or zero limit, so cards made elsewhere (halls) get it too.
CREATE TABLE Q_CUSTOMER (
  CARIHESAP_ID {IDENTITY},
  HESNO VARCHAR(20),
  muhasebekodu VARCHAR(20),
  HESADI VARCHAR(80),
  Grup VARCHAR(15),
  Telefon VARCHAR(20),
  Fax VARCHAR(20),
  Verda VARCHAR(20),
  Verno VARCHAR(20),
  aktif SMALLINT DEFAULT 0,
  maas DOUBLE PRECISION DEFAULT 0,
  borclandirma VARCHAR(1),
  mail VARCHAR(100),
  Adres VARCHAR(250),
  bastar {DATETIME} DEFAULT {NOW},
  Borc DOUBLE PRECISION DEFAULT 0,
  Alacak DOUBLE PRECISION DEFAULT 0,
  Bakiye DOUBLE PRECISION DEFAULT 0,
  ustlimit DOUBLE PRECISION DEFAULT -1,
  usedkredi DOUBLE PRECISION DEFAULT 0,
  garson_maxodenmez DOUBLE PRECISION DEFAULT 0,
  garson_maxodenmez1 DOUBLE PRECISION DEFAULT 0,
  fandbind SMALLINT DEFAULT 0,
  ice DOUBLE PRECISION DEFAULT 0,
  yiye DOUBLE PRECISION DEFAULT 0,
  auto_ind DOUBLE PRECISION DEFAULT 0,
  MUHHESAP_ID BIGINT,
  tarih {DATETIME},
  garson_primsure VARCHAR(10),
  garson_kota DOUBLE PRECISION DEFAULT 0,
  garson_kotaprim DOUBLE PRECISION DEFAULT 0,
  garson_kotaaltiprim DOUBLE PRECISION DEFAULT 0,
  garson_yuzde DOUBLE PRECISION DEFAULT 0
);
CREATE INDEX ix_customer_hesno ON Q_CUSTOMER (HESNO);
CREATE INDEX ix_customer_hesadi ON Q_CUSTOMER (HESADI);
CREATE INDEX ix_customer_muhasebe ON Q_CUSTOMER (muhasebekodu);

CREATE TABLE Q_CUST_GRP (
  ID {IDENTITY},
  CARGRUP VARCHAR(15)
);

CREATE TABLE Q_CUSTOMER_BANKA (
  ID {IDENTITY},
  HESNO VARCHAR(50),
  banka VARCHAR(50),
  il VARCHAR(50),
  sube VARCHAR(50),
  hesapkodu VARCHAR(50),
  iban VARCHAR(50),
  ack VARCHAR(200)
);
CREATE INDEX ix_customer_banka_hesno ON Q_CUSTOMER_BANKA (HESNO);

-- Account movements. Each writer removes its own rows by its link column
-- (fno, irsno, Islem, CARIHESAP_ID, mahsup). zaman, the date and the time of
-- day together, is kept by the database for the period filters of the views
-- (as Q_ITEMS_MOV.zaman); ads is the point-of-sale bill number of rows that
-- the point-of-sale program writes, empty on every other row.
CREATE TABLE Q_CUSTOMER_DETAILS (
  KAYIT_NO {IDENTITY},
  CARIHESAP_ID BIGINT,
  HESNO VARCHAR(20),
  HESADI VARCHAR(80),
  DOVIZ_ID BIGINT,
  Grup VARCHAR(15),
  irsno VARCHAR(20),
  fno VARCHAR(20),
  Saat VARCHAR(8),
  Tarih {DATETIME},
  ads DOUBLE PRECISION,
  Detay VARCHAR(50),
  Islem VARCHAR(30),
  Q_odemetipi VARCHAR(50),
  Borc DOUBLE PRECISION DEFAULT 0,
  Alacak DOUBLE PRECISION DEFAULT 0,
  Garson VARCHAR(80),
  Salon VARCHAR(50),
  Pax DOUBLE PRECISION DEFAULT 0,
  indirim DOUBLE PRECISION DEFAULT 0,
  mahsup BIGINT,
  toplu SMALLINT DEFAULT 0,
-- @sqlite
  zaman TEXT GENERATED ALWAYS AS ({ZAMAN(Tarih, Saat)}) STORED
-- @postgres
  zaman TIMESTAMP(0)
-- @both
);
CREATE INDEX ix_custdet_hesno ON Q_CUSTOMER_DETAILS (HESNO);
CREATE INDEX ix_custdet_fno ON Q_CUSTOMER_DETAILS (fno);
CREATE INDEX ix_custdet_irsno ON Q_CUSTOMER_DETAILS (irsno);
CREATE INDEX ix_custdet_carihesap ON Q_CUSTOMER_DETAILS (CARIHESAP_ID);
CREATE INDEX ix_custdet_mahsup ON Q_CUSTOMER_DETAILS (mahsup);
CREATE INDEX ix_custdet_islem ON Q_CUSTOMER_DETAILS (Islem);
CREATE INDEX ix_custdet_tarih ON Q_CUSTOMER_DETAILS (Tarih);
CREATE INDEX ix_custdet_zaman ON Q_CUSTOMER_DETAILS (zaman);
CREATE INDEX ix_custdet_ads ON Q_CUSTOMER_DETAILS (ads);

-- @postgres
CREATE FUNCTION q_customer_details_zaman() RETURNS trigger AS $$
BEGIN
  NEW.zaman := {ZAMAN(NEW.Tarih, NEW.Saat)};
  RETURN NEW;
END;
$$ LANGUAGE plpgsql;
CREATE TRIGGER tr_customer_details_zaman BEFORE INSERT OR UPDATE OF Tarih, Saat ON Q_CUSTOMER_DETAILS
  FOR EACH ROW EXECUTE FUNCTION q_customer_details_zaman();
-- @both

-- Offsetting entries: Borc is the amount moved from the account
-- to the counter account KHESNO/KHESADI.
CREATE TABLE Q_MAHSUP (
  M_ID {IDENTITY},
  HESNO VARCHAR(20),
  HESADI VARCHAR(80),
  Borc DOUBLE PRECISION DEFAULT 0,
  tarih {DATETIME},
  KHESNO VARCHAR(20),
  KHESADI VARCHAR(80),
  ACK VARCHAR(200)
);
CREATE INDEX ix_mahsup_tarih ON Q_MAHSUP (tarih);

-- Work table of the stock trial balance ("Mizan"), emptied and refilled by
-- each run.
CREATE TABLE Q_ENVANTORY (
  KODU VARCHAR(20),
  ADI VARCHAR(100),
  BIRIM VARCHAR(20),
  BIRIMAGR DOUBLE PRECISION DEFAULT 0,
  BIRIMMIK DOUBLE PRECISION DEFAULT 0,
  AMBMIKTAR VARCHAR(10),
  STOK SMALLINT DEFAULT 0,
  AFIYAT DOUBLE PRECISION DEFAULT 0,
  GRUP VARCHAR(30),
  CATEGORY VARCHAR(20),
  GIREN DOUBLE PRECISION DEFAULT 0,
  CIKAN DOUBLE PRECISION DEFAULT 0,
  KALAN DOUBLE PRECISION DEFAULT 0,
  ZAYI DOUBLE PRECISION DEFAULT 0,
  TUKETIM DOUBLE PRECISION DEFAULT 0,
  MALIYET DOUBLE PRECISION DEFAULT 0,
  SATISTOPLAM DOUBLE PRECISION DEFAULT 0,
  IKRAM DOUBLE PRECISION DEFAULT 0,
  ODENMEZ DOUBLE PRECISION DEFAULT 0,
  MARJ DOUBLE PRECISION DEFAULT 0,
  ORTMALIYET DOUBLE PRECISION DEFAULT 0,
  ORTFIYAT DOUBLE PRECISION DEFAULT 0,
  KDVTUT DOUBLE PRECISION DEFAULT 0
);
