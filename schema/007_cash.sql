-- Cash: desks and cash rows of the general book (Q_KASA,
-- Q_KASA_DETAY) and of the desk book (Q_KASA2, Q_KASA_DETAY2), payment types,
-- expense places, the day-end sheet and history, and the handover record.
-- Texts without a stated length hold up to 20 characters. Flags are 0/1.
-- A desk's balance is never stored: Σ Alacak − Σ Borc of its rows.

CREATE TABLE Q_KASA (
  KASA_ID {IDENTITY},
  SIRKET INTEGER,
  KASANO VARCHAR(20),
  KASAADI VARCHAR(80),
  DOVIZ_ID BIGINT,
  HESAP_ID BIGINT,
  KOD BIGINT,
  ACIKLAMA VARCHAR(20),
  devirtop DOUBLE PRECISION DEFAULT 0
);
CREATE INDEX ix_kasa_kasaadi ON Q_KASA (KASAADI);

-- Desks of the desk book: KOD is the code a cashier types to open the desk.
CREATE TABLE Q_KASA2 (
  KASA_ID {IDENTITY},
  SIRKET INTEGER,
  KASANO VARCHAR(20),
  KASAADI VARCHAR(80),
  DOVIZ_ID BIGINT,
  HESAP_ID BIGINT,
  KOD VARCHAR(50),
  ACIKLAMA VARCHAR(20),
  devirtop DOUBLE PRECISION DEFAULT 0
);
CREATE INDEX ix_kasa2_kod ON Q_KASA2 (KOD);

-- Cash rows of the general book. CARIHESAP_ID: NULL for collections,
-- payments, transfers and document rows, 0 for expenses. DOVIZ_ID: the
-- transfer number shared by the two rows of a transfer. FDETAY: the document
-- key of a document's settlement row.
CREATE TABLE Q_KASA_DETAY (
  KAYIT_NO {IDENTITY},
  CARIHESAP_ID BIGINT,
  HESNO VARCHAR(20),
  HESADI VARCHAR(80),
  DOVIZ_ID BIGINT,
  Grup VARCHAR(15),
  Saat VARCHAR(8),
  Tarih {DATETIME},
  Detay VARCHAR(50),
  Islem VARCHAR(30),
  Q_odemetipi VARCHAR(50),
  Borc DOUBLE PRECISION DEFAULT 0,
  Alacak DOUBLE PRECISION DEFAULT 0,
  Bakiye DOUBLE PRECISION DEFAULT 0,
  SIRKET INTEGER,
  AHESAP VARCHAR(20),
  AADI VARCHAR(80),
  AGRUP VARCHAR(15),
  FDETAY VARCHAR(20)
);
CREATE INDEX ix_kasa_detay_hesadi ON Q_KASA_DETAY (HESADI, Tarih);
CREATE INDEX ix_kasa_detay_tarih ON Q_KASA_DETAY (Tarih);
CREATE INDEX ix_kasa_detay_fdetay ON Q_KASA_DETAY (FDETAY);
CREATE INDEX ix_kasa_detay_doviz ON Q_KASA_DETAY (DOVIZ_ID);

-- Cash rows of the desk book, same layout. Both books post to
-- Q_CUSTOMER_DETAILS with CARIHESAP_ID = their own KAYIT_NO, so the desk book
-- numbers its rows from 1 000 000 001 on: a row of one book never shares its
-- number with a row of the other, and deleting one never removes the other's
-- account posting.
CREATE TABLE Q_KASA_DETAY2 (
  KAYIT_NO {IDENTITY},
  CARIHESAP_ID BIGINT,
  HESNO VARCHAR(20),
  HESADI VARCHAR(80),
  DOVIZ_ID BIGINT,
  Grup VARCHAR(15),
  Saat VARCHAR(8),
  Tarih {DATETIME},
  Detay VARCHAR(50),
  Islem VARCHAR(30),
  Q_odemetipi VARCHAR(50),
  Borc DOUBLE PRECISION DEFAULT 0,
  Alacak DOUBLE PRECISION DEFAULT 0,
  Bakiye DOUBLE PRECISION DEFAULT 0,
  SIRKET INTEGER,
  AHESAP VARCHAR(20),
  AADI VARCHAR(80),
  AGRUP VARCHAR(15),
  FDETAY VARCHAR(20)
);
CREATE INDEX ix_kasa_detay2_hesadi ON Q_KASA_DETAY2 (HESADI, Tarih);
CREATE INDEX ix_kasa_detay2_tarih ON Q_KASA_DETAY2 (Tarih);
CREATE INDEX ix_kasa_detay2_doviz ON Q_KASA_DETAY2 (DOVIZ_ID);

-- @sqlite
INSERT INTO sqlite_sequence (name, seq) VALUES ('Q_KASA_DETAY2', 1000000000);
-- @postgres
ALTER TABLE Q_KASA_DETAY2 ALTER COLUMN KAYIT_NO RESTART WITH 1000000001;
-- @both

CREATE TABLE Q_ODEMETIPI (
  auto_no {IDENTITY},
  odemetipi VARCHAR(50),
  ask_pwd VARCHAR(50),
  SIRA INTEGER DEFAULT 0,
  FIS SMALLINT DEFAULT 0,
  POS SMALLINT DEFAULT 0,
  bank SMALLINT DEFAULT 0
);

CREATE TABLE Q_MASRAFLAR (
  M_ID {IDENTITY},
  MASRAFYERI VARCHAR(50)
);

-- Day-end sheet, rebuilt each time the day-end window opens.
-- Devir, devreden and Kasa stay empty until the user fills them.
CREATE TABLE Q_KASA_GN (
  MD_ID {IDENTITY},
  Tarih {DATETIME},
  HESADI VARCHAR(80),
  Q_odemetipi VARCHAR(50),
  Borc DOUBLE PRECISION DEFAULT 0,
  Alacak DOUBLE PRECISION DEFAULT 0,
  Bakiye DOUBLE PRECISION DEFAULT 0,
  Devir DOUBLE PRECISION,
  devreden DOUBLE PRECISION,
  Kasa VARCHAR(80)
);

-- Day-end history: one row per desk, payment type and day. Devreden is the
-- amount handed over the day before, empty when there was none.
CREATE TABLE Q_KASA_GN1 (
  MD_ID {IDENTITY},
  Tarih {DATETIME},
  HESADI VARCHAR(80),
  Q_odemetipi VARCHAR(50),
  Borc DOUBLE PRECISION DEFAULT 0,
  Alacak DOUBLE PRECISION DEFAULT 0,
  Bakiye DOUBLE PRECISION DEFAULT 0,
  Devir DOUBLE PRECISION,
  Devreden DOUBLE PRECISION
);
CREATE INDEX ix_kasa_gn1_tarih ON Q_KASA_GN1 (Tarih);

-- Spare day-end sheet and history of the original installation, named only
-- by the data reset ("Yeni Kurulum" empties them); same layouts.
CREATE TABLE Q_KASA_GN2 (
  MD_ID {IDENTITY},
  Tarih {DATETIME},
  HESADI VARCHAR(80),
  Q_odemetipi VARCHAR(50),
  Borc DOUBLE PRECISION DEFAULT 0,
  Alacak DOUBLE PRECISION DEFAULT 0,
  Bakiye DOUBLE PRECISION DEFAULT 0,
  Devir DOUBLE PRECISION,
  devreden DOUBLE PRECISION,
  Kasa VARCHAR(80)
);

CREATE TABLE Q_KASA_GN12 (
  MD_ID {IDENTITY},
  Tarih {DATETIME},
  HESADI VARCHAR(80),
  Q_odemetipi VARCHAR(50),
  Borc DOUBLE PRECISION DEFAULT 0,
  Alacak DOUBLE PRECISION DEFAULT 0,
  Bakiye DOUBLE PRECISION DEFAULT 0,
  Devir DOUBLE PRECISION,
  Devreden DOUBLE PRECISION
);

-- Handover record by currency; written by no window of this program.
CREATE TABLE Q_KASA_DEVIR (
  auto_no {IDENTITY},
  teslim_eden VARCHAR(50),
  alan VARCHAR(50),
  ytl DOUBLE PRECISION DEFAULT 0,
  eur DOUBLE PRECISION DEFAULT 0,
  gbp DOUBLE PRECISION DEFAULT 0,
  usd DOUBLE PRECISION DEFAULT 0,
  ticket DOUBLE PRECISION DEFAULT 0,
  diger VARCHAR(50),
  today {DATETIME},
  emp VARCHAR(50),
  kayit_tarihi {DATETIME} DEFAULT {NOW},
  ex1 VARCHAR(20)
);
