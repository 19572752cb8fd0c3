-- Purchasing and sales documents: invoice, waybill, offer and order
-- headers, offer and order lines, order requests and the document kinds.
-- Invoice and waybill lines live in the stock ledger Q_ITEMS_MOV (001).
-- Texts without a stated length hold up to 20 characters (document keys are
-- the creation moment as text, "09.12.2026 21:30:15", 19 characters).
--
-- Server-filled columns: kayit_tar/kayit_saat (kayittar/kayitsaat) are the
-- moment of insertion; PC_NAME is the workstation the row came from (on
-- PostgreSQL the connection's application_name when the program sets it,
-- else the client address, else 'LOCAL'; on SQLite, which is local by nature,
-- 'LOCAL'), PC_USER the database user (SQLite: 'LOCAL') and PC_TARIHI the
-- moment of insertion as text.

CREATE TABLE Q_TUR (
  Q_ID {IDENTITY},
  turu VARCHAR(20)
);

CREATE TABLE Q_INVOICE (
  SiraNo {IDENTITY},
  Fno VARCHAR(20),
  tur VARCHAR(20),
  fatno VARCHAR(20),
  HESNO VARCHAR(20),
  HESADI VARCHAR(80),
  hesgrup VARCHAR(15),
  tarih {DATETIME},
  saat VARCHAR(10),
  IrsaliyeNo BIGINT,
  Department VARCHAR(20),
  Durum VARCHAR(10),
  Fgrup VARCHAR(10),
  Opsiyon INTEGER DEFAULT 0,
  Vadeoran DOUBLE PRECISION DEFAULT 0,
  VadeTutar DOUBLE PRECISION DEFAULT 0,
  KDV DOUBLE PRECISION DEFAULT 0,
  KDVTutar DOUBLE PRECISION DEFAULT 0,
  Tutar DOUBLE PRECISION DEFAULT 0,
  Toplam DOUBLE PRECISION DEFAULT 0,
  emp VARCHAR(50),
  kayit_tar {DATETIME} DEFAULT {NOW},
  kayit_saat VARCHAR(10) DEFAULT {TIMENOW},
  ACK VARCHAR(100),
  iskonto DOUBLE PRECISION DEFAULT 0,
  odemetipi VARCHAR(50),
  KASAADI VARCHAR(80),
  vadetar {DATETIME},
  sube VARCHAR(20),
-- @sqlite
  PC_NAME VARCHAR(100) DEFAULT 'LOCAL',
  PC_USER VARCHAR(100) DEFAULT 'LOCAL',
-- @postgres
  PC_NAME VARCHAR(100) DEFAULT (COALESCE(NULLIF(current_setting('application_name'), ''), host(inet_client_addr()), 'LOCAL')),
  PC_USER VARCHAR(100) DEFAULT (current_user),
-- @both
  PC_TARIHI VARCHAR(100) DEFAULT (CAST({NOW} AS VARCHAR(19)))
);
CREATE INDEX ix_invoice_fno ON Q_INVOICE (Fno);
CREATE INDEX ix_invoice_hesadi_fatno ON Q_INVOICE (HESADI, fatno);
CREATE INDEX ix_invoice_hesno ON Q_INVOICE (HESNO);
CREATE INDEX ix_invoice_durum ON Q_INVOICE (Durum, vadetar);
CREATE INDEX ix_invoice_tarih ON Q_INVOICE (tarih);
CREATE INDEX ix_invoice_kayit ON Q_INVOICE (kayit_tar);

CREATE TABLE Q_WAYBIL (
  sira {IDENTITY},
  irs_key VARCHAR(20),
  irsno VARCHAR(20),
  HESNO VARCHAR(20),
  HESADI VARCHAR(80),
  tur VARCHAR(20),
  cins VARCHAR(10),
  Tarih {DATETIME},
  saat VARCHAR(10),
  fno VARCHAR(15),
  Department VARCHAR(20),
  odenek DOUBLE PRECISION DEFAULT 0,
  KDVTutar DOUBLE PRECISION DEFAULT 0,
  Tutar DOUBLE PRECISION DEFAULT 0,
  Toplam DOUBLE PRECISION DEFAULT 0,
  al SMALLINT DEFAULT 0,
  emp VARCHAR(50),
  kayittar {DATETIME} DEFAULT {NOW},
  kayitsaat VARCHAR(10) DEFAULT {TIMENOW},
  carientegre SMALLINT DEFAULT 0,
  ACK VARCHAR(100),
  odemetipi VARCHAR(50),
  KASAADI VARCHAR(80),
-- @sqlite
  PC_NAME VARCHAR(100) DEFAULT 'LOCAL',
  PC_USER VARCHAR(100) DEFAULT 'LOCAL',
-- @postgres
  PC_NAME VARCHAR(100) DEFAULT (COALESCE(NULLIF(current_setting('application_name'), ''), host(inet_client_addr()), 'LOCAL')),
  PC_USER VARCHAR(100) DEFAULT (current_user),
-- @both
  PC_TARIHI VARCHAR(100) DEFAULT (CAST({NOW} AS VARCHAR(19)))
);
CREATE INDEX ix_waybil_key ON Q_WAYBIL (irs_key);
CREATE INDEX ix_waybil_irsno ON Q_WAYBIL (irsno);

-- Offer (Fgrup '1') and order (Fgrup '2') headers: the invoice layout
-- without sube.
CREATE TABLE Q_SIPARIS_MASTER (
  SiraNo {IDENTITY},
  HESNO VARCHAR(20),
  HESADI VARCHAR(80),
  hesgrup VARCHAR(15),
  tur VARCHAR(20),
  Fno VARCHAR(20),
  fatno VARCHAR(20),
  tarih {DATETIME},
  saat VARCHAR(10),
  IrsaliyeNo BIGINT,
  Department VARCHAR(20),
  Durum VARCHAR(10),
  Fgrup VARCHAR(10),
  Opsiyon INTEGER DEFAULT 0,
  iskonto DOUBLE PRECISION DEFAULT 0,
  Vadeoran DOUBLE PRECISION DEFAULT 0,
  VadeTutar DOUBLE PRECISION DEFAULT 0,
  KDV DOUBLE PRECISION DEFAULT 0,
  KDVTutar DOUBLE PRECISION DEFAULT 0,
  Tutar DOUBLE PRECISION DEFAULT 0,
  Toplam DOUBLE PRECISION DEFAULT 0,
  emp VARCHAR(50),
  kayit_tar {DATETIME} DEFAULT {NOW},
  kayit_saat VARCHAR(10) DEFAULT {TIMENOW},
  ACK VARCHAR(100),
  odemetipi VARCHAR(50),
  KASAADI VARCHAR(80),
-- @sqlite
  PC_NAME VARCHAR(100) DEFAULT 'LOCAL',
  PC_USER VARCHAR(100) DEFAULT 'LOCAL',
-- @postgres
  PC_NAME VARCHAR(100) DEFAULT (COALESCE(NULLIF(current_setting('application_name'), ''), host(inet_client_addr()), 'LOCAL')),
  PC_USER VARCHAR(100) DEFAULT (current_user),
-- @both
  PC_TARIHI VARCHAR(100) DEFAULT (CAST({NOW} AS VARCHAR(19))),
  vadetar {DATETIME}
);
CREATE INDEX ix_siparis_master_fno ON Q_SIPARIS_MASTER (Fno);
CREATE INDEX ix_siparis_master_tur ON Q_SIPARIS_MASTER (tur, Fgrup);

CREATE TABLE Q_SIPARIS_DETAY (
  S_ID {IDENTITY},
  fno VARCHAR(20),
  tarih {DATETIME},
  Saat VARCHAR(8),
  waiter VARCHAR(50),
  ozet VARCHAR(20),
  Islem VARCHAR(50),
  HESNO VARCHAR(20),
  HESADI VARCHAR(80),
  hesgrup VARCHAR(15),
  StokKodu VARCHAR(20),
  StokAdi VARCHAR(80),
  Grup VARCHAR(30),
  Olcu VARCHAR(10),
  Birim VARCHAR(20),
  BIRIMMIK DOUBLE PRECISION DEFAULT 0,
  AMBMIKTAR VARCHAR(10),
  Adet DOUBLE PRECISION DEFAULT 0,
  Giren DOUBLE PRECISION DEFAULT 0,
  Cikan DOUBLE PRECISION DEFAULT 0,
  Maliyet DOUBLE PRECISION DEFAULT 0,
  Fiyat DOUBLE PRECISION DEFAULT 0,
  afiyat DOUBLE PRECISION DEFAULT 0,
  Tutar DOUBLE PRECISION DEFAULT 0,
  Kdv DOUBLE PRECISION DEFAULT 0,
  KdvTutari DOUBLE PRECISION DEFAULT 0,
  ISKONTO1 INTEGER DEFAULT 0,
  ISKONTO2 INTEGER DEFAULT 0,
  ISKTUTAR1 DOUBLE PRECISION DEFAULT 0,
  ISKTUTAR2 DOUBLE PRECISION DEFAULT 0,
-- @sqlite
  PC_NAME VARCHAR(100) DEFAULT 'LOCAL',
  PC_USER VARCHAR(100) DEFAULT 'LOCAL',
-- @postgres
  PC_NAME VARCHAR(100) DEFAULT (COALESCE(NULLIF(current_setting('application_name'), ''), host(inet_client_addr()), 'LOCAL')),
  PC_USER VARCHAR(100) DEFAULT (current_user),
-- @both
  PC_TARIHI VARCHAR(100) DEFAULT (CAST({NOW} AS VARCHAR(19)))
);
CREATE INDEX ix_siparis_detay_fno ON Q_SIPARIS_DETAY (fno);

-- Order requests of the order-entry window. The window writes SIPTAR, KODU,
-- ADI, BIRIM, BIRIMAGR, AFIYAT and BIRIMMIK; the database fills the rest that
-- it can: the card's barcode, unit coefficient, base unit and group, the
-- supplier named on the card (URETICI, an account name) with its code and
-- group, the item's last purchase (SONTAR, department), and sip_key, the
-- moment of the request, by which the lists are ordered.
CREATE TABLE Q_ORDER_DETAY (
  SIPTAR VARCHAR(50),
  KODU VARCHAR(20),
  BARKOD VARCHAR(50),
  ADI VARCHAR(100),
  BIRIM VARCHAR(20),
  BIRIMAGR DOUBLE PRECISION DEFAULT 0,
  BIRIMMIK DOUBLE PRECISION DEFAULT 0,
  BRMKATSAYI DOUBLE PRECISION,
  AMBMIKTAR VARCHAR(10),
  GRUP VARCHAR(30),
  AFIYAT DOUBLE PRECISION DEFAULT 0,
  HESNO VARCHAR(20),
  HESADI VARCHAR(80),
  CariGrup VARCHAR(15),
  SONTAR {DATETIME},
  department VARCHAR(20),
  ISTEYEN VARCHAR(50),
  sip_key {DATETIME} DEFAULT {NOW},
  SIP_ID1 {IDENTITY},
  JJOIN VARCHAR(50)
);
CREATE INDEX ix_order_detay_siptar ON Q_ORDER_DETAY (SIPTAR);

-- @sqlite
CREATE TRIGGER tr_order_detay_fill AFTER INSERT ON Q_ORDER_DETAY
BEGIN
  UPDATE Q_ORDER_DETAY SET
    BARKOD = coalesce(NEW.BARKOD, (SELECT BARKOD FROM Q_ITEMS WHERE KODU = NEW.KODU ORDER BY URUN_ID LIMIT 1)),
    BRMKATSAYI = coalesce(NEW.BRMKATSAYI, (SELECT BRMKATSAYI FROM Q_ITEMS WHERE KODU = NEW.KODU ORDER BY URUN_ID LIMIT 1)),
    AMBMIKTAR = coalesce(NEW.AMBMIKTAR, (SELECT AMBMIKTAR FROM Q_ITEMS WHERE KODU = NEW.KODU ORDER BY URUN_ID LIMIT 1)),
    GRUP = coalesce(NEW.GRUP, (SELECT GRUP FROM Q_ITEMS WHERE KODU = NEW.KODU ORDER BY URUN_ID LIMIT 1)),
    HESADI = coalesce(NEW.HESADI, (SELECT c.HESADI FROM Q_ITEMS i JOIN Q_CUSTOMER c ON c.HESADI = i.URETICI
                                   WHERE i.KODU = NEW.KODU ORDER BY i.URUN_ID, c.CARIHESAP_ID LIMIT 1)),
    HESNO = coalesce(NEW.HESNO, (SELECT c.HESNO FROM Q_ITEMS i JOIN Q_CUSTOMER c ON c.HESADI = i.URETICI
                                 WHERE i.KODU = NEW.KODU ORDER BY i.URUN_ID, c.CARIHESAP_ID LIMIT 1)),
    CariGrup = coalesce(NEW.CariGrup, (SELECT c.Grup FROM Q_ITEMS i JOIN Q_CUSTOMER c ON c.HESADI = i.URETICI
                                       WHERE i.KODU = NEW.KODU ORDER BY i.URUN_ID, c.CARIHESAP_ID LIMIT 1)),
    SONTAR = coalesce(NEW.SONTAR, (SELECT tarih FROM Q_ITEMS_MOV WHERE StokKodu = NEW.KODU AND Islem = 'Alış'
                                   ORDER BY zaman DESC, S_ID DESC LIMIT 1)),
    department = coalesce(NEW.department, (SELECT department FROM Q_ITEMS_MOV WHERE StokKodu = NEW.KODU AND Islem = 'Alış'
                                           ORDER BY zaman DESC, S_ID DESC LIMIT 1))
  WHERE SIP_ID1 = NEW.SIP_ID1;
END;
-- @postgres
CREATE FUNCTION q_order_detay_fill() RETURNS trigger AS $$
DECLARE
  card RECORD;
  supplier RECORD;
  lastbuy RECORD;
BEGIN
  SELECT BARKOD, BRMKATSAYI, AMBMIKTAR, GRUP, URETICI INTO card
    FROM Q_ITEMS WHERE KODU = NEW.KODU ORDER BY URUN_ID LIMIT 1;
  IF FOUND THEN
    NEW.BARKOD := coalesce(NEW.BARKOD, card.BARKOD);
    NEW.BRMKATSAYI := coalesce(NEW.BRMKATSAYI, card.BRMKATSAYI);
    NEW.AMBMIKTAR := coalesce(NEW.AMBMIKTAR, card.AMBMIKTAR);
    NEW.GRUP := coalesce(NEW.GRUP, card.GRUP);
    SELECT HESNO, HESADI, Grup INTO supplier
      FROM Q_CUSTOMER WHERE HESADI = card.URETICI ORDER BY CARIHESAP_ID LIMIT 1;
    IF FOUND THEN
      NEW.HESNO := coalesce(NEW.HESNO, supplier.HESNO);
      NEW.HESADI := coalesce(NEW.HESADI, supplier.HESADI);
      NEW.CariGrup := coalesce(NEW.CariGrup, supplier.Grup);
    END IF;
  END IF;
  SELECT tarih, department INTO lastbuy
    FROM Q_ITEMS_MOV WHERE StokKodu = NEW.KODU AND Islem = 'Alış' ORDER BY zaman DESC, S_ID DESC LIMIT 1;
  IF FOUND THEN
    NEW.SONTAR := coalesce(NEW.SONTAR, lastbuy.tarih);
    NEW.department := coalesce(NEW.department, lastbuy.department);
  END IF;
  RETURN NEW;
END;
$$ LANGUAGE plpgsql;
CREATE TRIGGER tr_order_detay_fill BEFORE INSERT ON Q_ORDER_DETAY
  FOR EACH ROW EXECUTE FUNCTION q_order_detay_fill();
-- @both
