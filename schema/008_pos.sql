-- Point-of-sale configuration and bills (and the tables shared with the
-- point-of-sale program): halls with their settings
-- and tables, menu groups, order printers, discount-free products, course-call
-- groups, and the bills the point-of-sale program closes.
-- Texts without a stated length hold up to 20 characters. Flags are 0/1.

-- One row per hall. The switches default to 0 like the window's boxes.
CREATE TABLE Q_Admin (
  hall_id {IDENTITY},
  hall_name VARCHAR(50),
  hall_pwd VARCHAR(50),
  view_table SMALLINT DEFAULT 0,
  caption1 VARCHAR(50),
  caption2 VARCHAR(50),
  caption3 VARCHAR(50),
  auto_print SMALLINT DEFAULT 0,
  ask_del SMALLINT DEFAULT 0,
  ask_back SMALLINT DEFAULT 0,
  ask_disc SMALLINT DEFAULT 0,
  ask_ser SMALLINT DEFAULT 0,
  ask_mrs SMALLINT DEFAULT 0,
  ask_bill_trnsfer SMALLINT DEFAULT 0,
  ask_item_trnsfer SMALLINT DEFAULT 0,
  ask_waiter_pwd SMALLINT DEFAULT 0,
  auto_cust_ind SMALLINT DEFAULT 0,
  which_port VARCHAR(50),
  which_prnt INTEGER DEFAULT 0,
  table_count INTEGER DEFAULT 0,
  waiter_prim_percent DOUBLE PRECISION DEFAULT 0,
  add_service_percent DOUBLE PRECISION DEFAULT 0,
  fiyat_degisim SMALLINT DEFAULT 0,
  fiyat_degisim_askpwd SMALLINT DEFAULT 0,
  odenmez_ikram SMALLINT DEFAULT 0,
  takeaway SMALLINT DEFAULT 0,
  DVZ SMALLINT DEFAULT 0,
  kuversor SMALLINT DEFAULT 0,
  cariadres SMALLINT DEFAULT 0,
  adisyonyaz SMALLINT DEFAULT 0,
  masaac SMALLINT DEFAULT 0,
  odenmezcari SMALLINT DEFAULT 0,
  urunind SMALLINT DEFAULT 0,
  which_portad VARCHAR(50),
  sure DOUBLE PRECISION DEFAULT 0,
  RNK VARCHAR(50),
  pdahesapkapat SMALLINT DEFAULT 0,
  pdakasa VARCHAR(80),
  kuverfiyat DOUBLE PRECISION DEFAULT 0,
  hesapkapanis SMALLINT DEFAULT 0,
  servisac SMALLINT DEFAULT 0,
  serviskota DOUBLE PRECISION DEFAULT 0,
  dcolumn DOUBLE PRECISION DEFAULT 0,
  drow DOUBLE PRECISION DEFAULT 0,
  onodeme SMALLINT DEFAULT 0,
  malifis SMALLINT DEFAULT 0,
  harfsize DOUBLE PRECISION DEFAULT 0,
  harffontsize DOUBLE PRECISION DEFAULT 0,
  otel SMALLINT DEFAULT 0
);
CREATE INDEX ix_admin_hall ON Q_Admin (hall_name);

-- One row per table of a hall (Masa '0' is the hall's own row); the
-- point-of-sale program keeps an open table's running state in the same row
-- (open: subtotal > 0).
CREATE TABLE Q_master_table (
  Q_ID {IDENTITY},
  hall_name VARCHAR(50),
  Masa VARCHAR(80),
  Masaadi VARCHAR(20),
  RNK VARCHAR(50),
  sira INTEGER,
  pax DOUBLE PRECISION DEFAULT 0,
  adisyaz SMALLINT DEFAULT 0,
  Adsno DOUBLE PRECISION,
  servpercent DOUBLE PRECISION DEFAULT 0,
  servtotal DOUBLE PRECISION DEFAULT 0,
  indpercent DOUBLE PRECISION DEFAULT 0,
  indtotal DOUBLE PRECISION DEFAULT 0,
  waiter VARCHAR(50),
  waipwd VARCHAR(50),
  HESADI VARCHAR(80),
  gelissaat VARCHAR(8),
  today {DATETIME},
  total DOUBLE PRECISION DEFAULT 0,
  subtotal DOUBLE PRECISION DEFAULT 0,
  payfor DOUBLE PRECISION DEFAULT 0
);
CREATE INDEX ix_master_table_hall ON Q_master_table (hall_name, Masa);

-- Menu groups of a hall and the department each one sells from.
CREATE TABLE Q_Admin_Second (
  D_ID {IDENTITY},
  hall_name VARCHAR(50),
  GRUP VARCHAR(30),
  DEPARTMENT VARCHAR(20),
  articel_id INTEGER DEFAULT 0
);
CREATE INDEX ix_admin_second_hall ON Q_Admin_Second (hall_name);

-- Order printers: one per hall and department.
CREATE TABLE Q_Admin_Details (
  ADMIN_ID {IDENTITY},
  hall_name VARCHAR(50),
  DEPARTMENT VARCHAR(20),
  PRNT_PATH VARCHAR(50),
  BASLIK VARCHAR(30)
);

-- Products sold without discount.
CREATE TABLE Q_ITEMS_IND (
  U_ID {IDENTITY},
  ADI VARCHAR(100),
  SFIYAT DOUBLE PRECISION DEFAULT 0
);

-- Course-call groups and their printers.
CREATE TABLE Q_Mars (
  MDY_ID {IDENTITY},
  MADI VARCHAR(80),
  YAZ VARCHAR(50)
);

-- Closed bills and bill payments, written by the point-of-sale program and
-- read through the view Q_Ads. zaman, the bill's date and time of day
-- together, is kept by the database (as Q_ITEMS_MOV.zaman) so that the period
-- filters of the reports can use an index. PC_* name the workstation that
-- wrote the row; the program writes them, the defaults cover a writer that
-- does not (see 004_documents.sql).
CREATE TABLE Q_adisyon (
  ADS_NO {IDENTITY},
  tarih {DATETIME},
  saat VARCHAR(10),
  islem VARCHAR(50),
  adisyon DOUBLE PRECISION DEFAULT 0,
  kasiyer VARCHAR(50),
  garson VARCHAR(50),
  cari VARCHAR(80),
  detay VARCHAR(100),
  tutar DOUBLE PRECISION DEFAULT 0,
  ind DOUBLE PRECISION DEFAULT 0,
  servis DOUBLE PRECISION DEFAULT 0,
  hall_name VARCHAR(50),
  masa VARCHAR(80),
  kuver DOUBLE PRECISION DEFAULT 0,
  pax DOUBLE PRECISION DEFAULT 0,
-- @sqlite
  PC_NAME VARCHAR(100) DEFAULT 'LOCAL',
  PC_USER VARCHAR(100) DEFAULT 'LOCAL',
  PC_TARIHI VARCHAR(100) DEFAULT (CAST({NOW} AS VARCHAR(19))),
  zaman TEXT GENERATED ALWAYS AS ({ZAMAN(tarih, saat)}) STORED
-- @postgres
  PC_NAME VARCHAR(100) DEFAULT (COALESCE(NULLIF(current_setting('application_name'), ''), host(inet_client_addr()), 'LOCAL')),
  PC_USER VARCHAR(100) DEFAULT (current_user),
  PC_TARIHI VARCHAR(100) DEFAULT (CAST({NOW} AS VARCHAR(19))),
  zaman TIMESTAMP(0)
-- @both
);
CREATE INDEX ix_adisyon_zaman ON Q_adisyon (zaman);
CREATE INDEX ix_adisyon_adisyon ON Q_adisyon (adisyon);
CREATE INDEX ix_adisyon_tarih ON Q_adisyon (tarih);
CREATE INDEX ix_adisyon_cari ON Q_adisyon (cari);

-- @postgres
CREATE FUNCTION q_adisyon_zaman() RETURNS trigger AS $$
BEGIN
  NEW.zaman := {ZAMAN(NEW.tarih, NEW.saat)};
  RETURN NEW;
END;
$$ LANGUAGE plpgsql;
CREATE TRIGGER tr_adisyon_zaman BEFORE INSERT OR UPDATE OF tarih, saat ON Q_adisyon
  FOR EACH ROW EXECUTE FUNCTION q_adisyon_zaman();
-- @both

-- The point-of-sale program's lines of open tables and its log of items
-- deleted from them. Named here only by the data reset of the administration window ("Yeni
-- Kurulum" empties them); their layout is the point-of-sale program's, these
-- are the columns an order line needs.
CREATE TABLE Q_master_detay (
  D_ID {IDENTITY},
  hall_name VARCHAR(50),
  Masa VARCHAR(80),
  Adsno DOUBLE PRECISION,
  StokKodu VARCHAR(20),
  StokAdi VARCHAR(80),
  Grup VARCHAR(30),
  department VARCHAR(20),
  Adet DOUBLE PRECISION DEFAULT 0,
  Fiyat DOUBLE PRECISION DEFAULT 0,
  Tutar DOUBLE PRECISION DEFAULT 0,
  waiter VARCHAR(50),
  saat VARCHAR(8),
  today {DATETIME},
  gonderildi SMALLINT DEFAULT 0
);
CREATE INDEX ix_master_detay_table ON Q_master_detay (hall_name, Masa);

CREATE TABLE Q_master_delete (
  D_ID {IDENTITY},
  hall_name VARCHAR(50),
  Masa VARCHAR(80),
  Adsno DOUBLE PRECISION,
  StokKodu VARCHAR(20),
  StokAdi VARCHAR(80),
  Adet DOUBLE PRECISION DEFAULT 0,
  Fiyat DOUBLE PRECISION DEFAULT 0,
  Tutar DOUBLE PRECISION DEFAULT 0,
  waiter VARCHAR(50),
  username VARCHAR(50),
  sebep VARCHAR(100),
  saat VARCHAR(8),
  today {DATETIME}
);
