-- Views over the inventory. Stock on hand of an item in a department is
-- SUM(Giren) - SUM(Cikan) - SUM(Zayi) over its ledger rows, in base units;
-- point-of-sale product rows (urun = 1) never enter stock. Valuations divide by
-- the card's factor BIRIMAGR: a factor of 0 gives an empty value instead of an
-- error, so one bad card cannot stop a report.

CREATE VIEW Q_KALANS AS
SELECT m.StokKodu AS StokKodu, i.ADI AS ADI, i.AFIYAT AS AFIYAT, i.GRUP AS GRUP, m.department AS department,
       SUM(COALESCE(m.Giren, 0)) AS giren,
       SUM(COALESCE(m.Cikan, 0)) AS cikan,
       SUM(COALESCE(m.Zayi, 0)) AS zayi,
       SUM(COALESCE(m.Giren, 0)) - SUM(COALESCE(m.Cikan, 0)) - SUM(COALESCE(m.Zayi, 0)) AS kalan,
       i.AMBMIKTAR AS AMBMIKTAR
FROM Q_ITEMS_MOV m
JOIN Q_ITEMS i ON i.KODU = m.StokKodu AND COALESCE(i.URUN, 0) = 0
WHERE COALESCE(m.urun, 0) = 0
GROUP BY m.StokKodu, i.ADI, i.AFIYAT, i.GRUP, m.department, i.AMBMIKTAR;

CREATE VIEW Q_KALANS_AY AS
SELECT {MONTHNAME(m.tarih)} AS Ay, {YEAR(m.tarih)} AS yil, {MONTH(m.tarih)} AS ayno,
       m.StokKodu AS StokKodu, i.ADI AS ADI, m.department AS department, i.AFIYAT AS AFIYAT,
       SUM(COALESCE(m.Giren, 0)) AS giren,
       SUM(COALESCE(m.Cikan, 0)) AS cikan,
       SUM(COALESCE(m.Zayi, 0)) AS zayi,
       SUM(COALESCE(m.Giren, 0)) - SUM(COALESCE(m.Cikan, 0)) - SUM(COALESCE(m.Zayi, 0)) AS kalan,
       i.AMBMIKTAR AS AMBMIKTAR
FROM Q_ITEMS_MOV m
JOIN Q_ITEMS i ON i.KODU = m.StokKodu AND COALESCE(i.URUN, 0) = 0
WHERE COALESCE(m.urun, 0) = 0
GROUP BY {YEAR(m.tarih)}, {MONTH(m.tarih)}, {MONTHNAME(m.tarih)}, m.StokKodu, i.ADI, m.department, i.AFIYAT, i.AMBMIKTAR;

-- Stock items offered by the item look-ups; CATEGORY is the category of the
-- item's group (a stock group when a product group has the same name).
CREATE VIEW Q_STOKLIST AS
SELECT i.KODU AS KODU, i.ADI AS ADI, i.BIRIM AS BIRIM, i.BIRIMAGR AS BIRIMAGR, i.BIRIMMIK AS BIRIMMIK,
       i.AMBMIKTAR AS AMBMIKTAR, i.STOK AS STOK, i.AFIYAT AS AFIYAT, i.GRUP AS GRUP,
       (SELECT g.CATEGORY FROM Q_GRUPS g WHERE g.GRUP = i.GRUP ORDER BY g.STOK DESC, g.GRUP_ID LIMIT 1) AS CATEGORY,
       i.KDV AS KDV, i.SFIYAT AS SFIYAT, i.BARKOD AS BARKOD
FROM Q_ITEMS i
WHERE COALESCE(i.URUN, 0) = 0;

CREATE VIEW Q_STOCK_LIST AS
SELECT i.ADI AS ADI, i.GRUP AS GRUP, i.KODU AS KODU
FROM Q_ITEMS i
WHERE COALESCE(i.URUN, 0) = 0 AND COALESCE(i.YARIMAMUL, 0) = 0;

CREATE VIEW Q_STOCKS AS
SELECT i.ADI AS ADI, i.GRUP AS GRUP, i.KODU AS KODU, i.AFIYAT AS AFIYAT, i.BIRIMAGR AS BIRIMAGR,
       i.AMBMIKTAR AS AMBMIKTAR, i.BARKOD AS BARKOD
FROM Q_ITEMS i
WHERE COALESCE(i.URUN, 0) = 0 AND COALESCE(i.YARIMAMUL, 0) = 0;

CREATE VIEW Q_BARCODE AS
SELECT i.KODU AS KODU, i.BARKOD AS BARKOD, i.ADI AS ADI
FROM Q_ITEMS i;

CREATE VIEW Q_MARKET_RP2 AS
SELECT k.ADI AS ADI, k.department AS department, k.kalan AS kalan, k.AMBMIKTAR AS AMBMIKTAR,
       k.AFIYAT AS a_fiyat, k.GRUP AS GRUP, k.StokKodu AS StokKodu
FROM Q_KALANS k;

-- Stock rows of the ledger with their moment and category, for count sheets.
CREATE VIEW Q_SAYIM AS
SELECT m.StokKodu AS StokKodu,
       (SELECT g.CATEGORY FROM Q_GRUPS g WHERE g.GRUP = m.Grup ORDER BY g.STOK DESC, g.GRUP_ID LIMIT 1) AS YIYEICE,
       m.department AS department, m.zaman AS zaman,
       COALESCE(m.Giren, 0) AS giren, COALESCE(m.Cikan, 0) AS Cikan, COALESCE(m.Zayi, 0) AS Zayi
FROM Q_ITEMS_MOV m
WHERE COALESCE(m.urun, 0) = 0;

-- Ledger rows with their group and category (zaman is a column of the ledger).
CREATE VIEW Q_ITEMS_MOV_IN AS
SELECT m.*, m.Grup AS GRUPLAR,
       (SELECT g.CATEGORY FROM Q_GRUPS g WHERE g.GRUP = m.Grup ORDER BY g.STOK DESC, g.GRUP_ID LIMIT 1) AS YIYEICE
FROM Q_ITEMS_MOV m;

CREATE VIEW Q_STOK_SORGULA AS
SELECT m.*, m.Grup AS GRUPLAR,
       (SELECT g.CATEGORY FROM Q_GRUPS g WHERE g.GRUP = m.Grup ORDER BY g.STOK DESC, g.GRUP_ID LIMIT 1) AS YIYEICE
FROM Q_ITEMS_MOV m
WHERE COALESCE(m.urun, 0) = 0;

CREATE INDEX ix_mov_islem ON Q_ITEMS_MOV (Islem);
CREATE VIEW Q_ISLEM_TYPES AS
SELECT DISTINCT m.Islem AS Islem FROM Q_ITEMS_MOV m WHERE m.Islem IS NOT NULL;

CREATE VIEW Q_ITEMS_MOVE_STOK AS
SELECT m.* FROM Q_ITEMS_MOV m WHERE COALESCE(m.urun, 0) = 0;

CREATE VIEW Q_ITEMS_MOVE_PRODUCT AS
SELECT m.zaman AS zaman, m.tarih AS tarih, m.Saat AS Saat, m.Islem AS Islem, m.StokKodu AS StokKodu,
       m.StokAdi AS StokAdi, m.Grup AS Grup, m.department AS department, m.Adet AS Adet, m.Cikan AS Cikan,
       m.Maliyet AS Maliyet, m.Fiyat AS Fiyat, m.Tutar AS Tutar, m.Kdv AS Kdv, m.KdvTutari AS KdvTutari,
       m.adsno AS adsno, m.ack AS ack, m.hall_name AS hall_name, m.waiter AS waiter, m.HESADI AS HESADI
FROM Q_ITEMS_MOV m
WHERE m.urun = 1;

-- Stock that left through sales: cost is the row's own cost when its writer
-- recorded one (point of sale), otherwise the quantity valued at the card price.
CREATE VIEW Q_STOK_SAT AS
SELECT m.StokKodu AS StokKodu, i.ADI AS ADI, i.AFIYAT AS AFIYAT,
       CASE WHEN COALESCE(m.Maliyet, 0) <> 0 THEN m.Maliyet
            ELSE COALESCE(m.Cikan, 0) / NULLIF(i.BIRIMAGR, 0) * i.AFIYAT END AS CMALIYET,
       COALESCE(m.Cikan, 0) AS cikan, COALESCE(m.Tutar, 0) AS TTOPLAM, i.SFIYAT AS SFIYAT,
       m.department AS department, i.BIRIM AS BIRIM,
       (SELECT g.CATEGORY FROM Q_GRUPS g WHERE g.GRUP = i.GRUP ORDER BY g.STOK DESC, g.GRUP_ID LIMIT 1) AS CATEGORY,
       COALESCE(m.Adet, 0) AS adet, i.GRUP AS grup, m.zaman AS zaman
FROM Q_ITEMS_MOV m
JOIN Q_ITEMS i ON i.KODU = m.StokKodu AND COALESCE(i.URUN, 0) = 0
WHERE COALESCE(m.urun, 0) = 0 AND m.Islem = 'Satış';

CREATE VIEW Q_SAYIMNO AS
SELECT a.sayimno AS sayimno, a.department AS department, MAX(a.tarih) AS tarih
FROM Q_ITEMS_INVENTORY_ALL a
GROUP BY a.sayimno, a.department;

-- Approved count rows valued at the card price: the counted stock, the surplus
-- and the shortage.
CREATE VIEW Q_ESKISAYIMLAR_LAST AS
SELECT a.*, i.AFIYAT AS Afiyat,
       COALESCE(a.kalan, 0) / NULLIF(i.BIRIMAGR, 0) * i.AFIYAT AS Kalanmaliyet,
       COALESCE(a.fazla, 0) / NULLIF(i.BIRIMAGR, 0) * i.AFIYAT AS fazla_tutar,
       COALESCE(a.eksik, 0) / NULLIF(i.BIRIMAGR, 0) * i.AFIYAT AS eksik_tutar
FROM Q_ITEMS_INVENTORY_ALL a
LEFT JOIN Q_ITEMS i ON i.URUN_ID = (SELECT MIN(x.URUN_ID) FROM Q_ITEMS x WHERE x.KODU = a.StokKodu AND COALESCE(x.URUN, 0) = 0);

CREATE VIEW Q_ESKISAYIMLAR_MALIYETLI AS
SELECT a.*, i.AFIYAT AS AFIYAT,
       COALESCE(a.kalan, 0) / NULLIF(i.BIRIMAGR, 0) * i.AFIYAT AS KALMAL,
       COALESCE(a.eksik, 0) / NULLIF(i.BIRIMAGR, 0) * i.AFIYAT AS KACAK
FROM Q_ITEMS_INVENTORY_ALL a
LEFT JOIN Q_ITEMS i ON i.URUN_ID = (SELECT MIN(x.URUN_ID) FROM Q_ITEMS x WHERE x.KODU = a.StokKodu AND COALESCE(x.URUN, 0) = 0);

-- KACAK: the unexplained loss (the shortage at the card price); ARTI the surplus.
CREATE VIEW Q_ESKISAYIMLAR_CONTRABAND AS
SELECT a.*, i.AFIYAT AS Expr1,
       COALESCE(a.kalan, 0) / NULLIF(i.BIRIMAGR, 0) * i.AFIYAT AS KALMAL,
       COALESCE(a.fazla, 0) / NULLIF(i.BIRIMAGR, 0) * i.AFIYAT AS ARTI,
       COALESCE(a.eksik, 0) / NULLIF(i.BIRIMAGR, 0) * i.AFIYAT AS KACAK
FROM Q_ITEMS_INVENTORY_ALL a
LEFT JOIN Q_ITEMS i ON i.URUN_ID = (SELECT MIN(x.URUN_ID) FROM Q_ITEMS x WHERE x.KODU = a.StokKodu AND COALESCE(x.URUN, 0) = 0);

-- The expiry estimate is a work table refilled by each listing.
CREATE TABLE Q_ITEMS_EXPDATE_USE (
  KODU VARCHAR(20),
  ADI VARCHAR(100),
  EXP_DATE {DATETIME},
  DEPARTMENT VARCHAR(20),
  ALISTAR {DATETIME},
  MIKTAR DOUBLE PRECISION DEFAULT 0,
  Olcu VARCHAR(10),
  Birim VARCHAR(20),
  BIRIMMIK DOUBLE PRECISION DEFAULT 0,
  Kalan DOUBLE PRECISION DEFAULT 0,
  Cikan DOUBLE PRECISION DEFAULT 0
);
