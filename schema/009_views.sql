-- Views of documents, accounts, recipes and cost reports, cash and bills. They read tables only (never the
-- inventory views of 002), so that both files stand on their own.
--
-- Conventions:
-- * zaman is the moment made of a date column and its "hh:mm:ss" text; the
--   ledger, the bills and the account movements keep it as a column, the
--   cash views compute it.
-- * Divisions are guarded with NULLIF: a zero divisor gives an empty value
--   on both engines, so one bad card never stops a report.
-- * A group's category comes from Q_GRUPS by group name (one row per name,
--   even if a name was entered twice).
-- * Point-of-sale rows are the ledger rows that carry a bill number (adsno);
--   product rows have urun = 1, the ingredient rows urun = 0. The cost views
--   measure the cost the point-of-sale program writes on its rows (Maliyet)
--   against the amount it writes (Tutar).

-- ---------------------------------------------------------------------------
-- Documents

-- Every invoice with HESNO 50 wide and sirket (no company is kept: empty).
CREATE VIEW Q_INVOICEV AS
SELECT SiraNo, Fno, tur, fatno, CAST(HESNO AS VARCHAR(50)) AS HESNO, HESADI, hesgrup, tarih, saat,
       IrsaliyeNo, Department, Durum, Fgrup, Opsiyon, Vadeoran, VadeTutar, KDV, KDVTutar, Tutar, Toplam,
       emp, kayit_tar, kayit_saat, ACK, iskonto, odemetipi, KASAADI, vadetar, sube,
       PC_NAME, PC_USER, PC_TARIHI, CAST(NULL AS VARCHAR(10)) AS sirket
FROM Q_INVOICE;

-- Every waybill (the list window filters the kinds).
CREATE VIEW Q_WAYBIL_LIST AS
SELECT sira, irs_key, irsno, HESNO, HESADI, tur, cins, Tarih, saat, fno, Department, odenek, KDVTutar,
       Tutar, Toplam, al, emp, kayittar, kayitsaat, carientegre, ACK, odemetipi, KASAADI,
       PC_NAME, PC_USER, PC_TARIHI
FROM Q_WAYBIL;

-- The waybills the picker offers: those none of whose lines belongs to an
-- invoice yet, so a waybill cannot be invoiced twice.
CREATE VIEW Q_WAYBIL_FAST AS
SELECT w.sira, w.irs_key, w.irsno, w.HESNO, w.HESADI, w.tur, w.cins, w.Tarih, w.saat, w.fno, w.Department,
       w.odenek, w.KDVTutar, w.Tutar, w.Toplam, w.al, w.emp, w.kayittar, w.kayitsaat, w.carientegre, w.ACK,
       w.odemetipi, w.KASAADI, w.PC_NAME, w.PC_USER, w.PC_TARIHI
FROM Q_WAYBIL w
WHERE NOT EXISTS (SELECT 1 FROM Q_ITEMS_MOV m
                  WHERE m.irsno = w.irs_key AND m.fno IS NOT NULL AND m.fno <> '');

-- ---------------------------------------------------------------------------
-- Current accounts

-- Every movement with its moment; HESNO 50 wide.
CREATE VIEW Q_CUSTOMER_MOVE AS
SELECT KAYIT_NO, CARIHESAP_ID, CAST(HESNO AS VARCHAR(50)) AS HESNO, HESADI, DOVIZ_ID, Grup, irsno, fno, Saat,
       Tarih, ads, Detay, Islem, Q_odemetipi, Borc, Alacak, Garson, Salon, Pax, indirim, mahsup, toplu, zaman
FROM Q_CUSTOMER_DETAILS;

-- One row per account that has movements: the live sums (not the stored
-- totals of the card) with the card's name and group. The casts give the sums
-- a numeric type on SQLite too, so that "bakiye <> '0'" compares numbers.
CREATE VIEW Q_CUSTOMER_debt_total AS
SELECT d.HESNO,
       COALESCE((SELECT MIN(c.HESADI) FROM Q_CUSTOMER c WHERE c.HESNO = d.HESNO), MAX(d.HESADI)) AS HESADI,
       CAST(SUM(COALESCE(d.Borc, 0)) AS DOUBLE PRECISION) AS Borc,
       CAST(SUM(COALESCE(d.Alacak, 0)) AS DOUBLE PRECISION) AS Alacak,
       CAST(SUM(COALESCE(d.indirim, 0)) AS DOUBLE PRECISION) AS indirim,
       CAST(SUM(COALESCE(d.Borc, 0)) - SUM(COALESCE(d.Alacak, 0)) AS DOUBLE PRECISION) AS Bakiye,
       COALESCE((SELECT MIN(c.Grup) FROM Q_CUSTOMER c WHERE c.HESNO = d.HESNO), MAX(d.Grup)) AS Grup
FROM Q_CUSTOMER_DETAILS d
WHERE d.HESNO IS NOT NULL
GROUP BY d.HESNO;

-- Movements per account, year, month and payment type (Turkish month name).
CREATE VIEW Q_CUSTOMER_MONTHLY AS
SELECT Ay, yil, HESNO, HESADI, Q_odemetipi,
       SUM(Borc) AS Borc, SUM(Alacak) AS Alacak, SUM(indirim) AS indirim, SUM(Borc) - SUM(Alacak) AS Bakiye
FROM (SELECT {MONTHNAME(Tarih)} AS Ay, {YEAR(Tarih)} AS yil, {MONTH(Tarih)} AS ayno, HESNO, HESADI, Q_odemetipi,
             COALESCE(Borc, 0) AS Borc, COALESCE(Alacak, 0) AS Alacak, COALESCE(indirim, 0) AS indirim
      FROM Q_CUSTOMER_DETAILS) t
GROUP BY yil, ayno, Ay, HESNO, HESADI, Q_odemetipi;

-- Open invoices (state 'Açık', any kind) summed per account and due month;
-- an invoice without a due date is due on its date.
CREATE VIEW Q_INVOICE_OPEN AS
SELECT Ay, yil, HESNO, HESADI, SUM(Toplam) AS Borc
FROM (SELECT CASE {MONTH(COALESCE(vadetar, tarih))}
               WHEN 1 THEN 'OCAK' WHEN 2 THEN 'SUBAT' WHEN 3 THEN 'MART' WHEN 4 THEN 'NISAN'
               WHEN 5 THEN 'MAYIS' WHEN 6 THEN 'HAZIRAN' WHEN 7 THEN 'TEMMUZ' WHEN 8 THEN 'AGUSTOS'
               WHEN 9 THEN 'EYLUL' WHEN 10 THEN 'EKIM' WHEN 11 THEN 'KASIM' WHEN 12 THEN 'ARALIK' END AS Ay,
             {YEAR(COALESCE(vadetar, tarih))} AS yil, {MONTH(COALESCE(vadetar, tarih))} AS ayno,
             HESNO, HESADI, COALESCE(Toplam, 0) AS Toplam
      FROM Q_INVOICE
      WHERE Durum = 'Açık') t
GROUP BY yil, ayno, Ay, HESNO, HESADI;

-- Account postings of the general book's collections and payments: cari is
-- the account, HESADI the desk that took the money.
CREATE VIEW Q_CUSTOMER_TAHTED AS
SELECT d.KAYIT_NO, d.HESNO, CAST(d.HESADI AS VARCHAR(80)) AS cari, k.HESADI AS HESADI, d.Grup, d.Q_odemetipi,
       d.Borc, d.Alacak, d.Tarih, d.Saat, d.Detay, d.zaman
FROM Q_CUSTOMER_DETAILS d
JOIN Q_KASA_DETAY k ON k.KAYIT_NO = d.CARIHESAP_ID;

-- Account movements of the point of sale (rows with a bill number) with the
-- cashier who closed that bill.
CREATE VIEW Q_CUSTOMER_KREDI AS
SELECT d.KAYIT_NO, d.HESNO, d.HESADI, d.Grup, d.Tarih, d.Saat, d.Detay, d.Islem, d.Q_odemetipi,
       d.Borc, d.Alacak, d.indirim, d.Garson, d.Salon, d.Pax, d.ads,
       (SELECT MAX(a.kasiyer) FROM Q_adisyon a WHERE a.adisyon = d.ads) AS kasiyer,
       d.zaman
FROM Q_CUSTOMER_DETAILS d
WHERE d.ads IS NOT NULL;

-- ---------------------------------------------------------------------------
-- Recipes and products

-- Products with the group's category: KDVBUL the sale price without VAT,
-- KDVSIZFIYAT the VAT in the sale price, COST the recipe cost (without VAT)
-- in percent of KDVBUL.
CREATE VIEW Q_RECETELER AS
SELECT i.ADI, i.GRUP, g.CATEGORY, i.KODU, i.KDV, i.MALIYET, i.SFIYAT,
       i.SFIYAT / NULLIF(1 + COALESCE(i.KDV, 0) * 0.01, 0) AS KDVBUL,
       i.SFIYAT - i.SFIYAT / NULLIF(1 + COALESCE(i.KDV, 0) * 0.01, 0) AS KDVSIZFIYAT,
       i.MALIYET * 100 / NULLIF(i.SFIYAT / NULLIF(1 + COALESCE(i.KDV, 0) * 0.01, 0), 0) AS COST,
       i.receno
FROM Q_ITEMS i
LEFT JOIN (SELECT GRUP, MAX(CATEGORY) AS CATEGORY FROM Q_GRUPS GROUP BY GRUP) g ON g.GRUP = i.GRUP
WHERE i.URUN = 1;

CREATE VIEW Q_PRA_COST AS
SELECT ADI, GRUP, CATEGORY, KODU, KDV, MALIYET, SFIYAT, KDVBUL, KDVSIZFIYAT, COST
FROM Q_RECETELER;

-- The products whose pricing needs attention: no sale price, no recipe cost,
-- or a recipe cost at or above the sale price without VAT.
CREATE VIEW Q_PRA_COST_HANDLE AS
SELECT ADI, GRUP, CATEGORY, KODU, KDV, MALIYET, SFIYAT, KDVBUL, KDVSIZFIYAT, COST
FROM Q_RECETELER
WHERE COST IS NULL OR COST >= 100 OR COALESCE(MALIYET, 0) = 0;

CREATE VIEW Q_YARIMAMUL AS
SELECT i.ADI, i.GRUP, g.CATEGORY, i.KODU, i.BIRIMAGR, i.AMBMIKTAR, i.MALIYET
FROM Q_ITEMS i
LEFT JOIN (SELECT GRUP, MAX(CATEGORY) AS CATEGORY FROM Q_GRUPS GROUP BY GRUP) g ON g.GRUP = i.GRUP
WHERE i.YARIMAMUL = 1;

-- Stock of semi-finished goods per department (as Q_KALANS); MALIYET is the
-- cost of one base unit: the batch cost over the batch yield.
CREATE VIEW Q_YARIMAMULKALAN AS
SELECT m.StokKodu, i.ADI, i.AFIYAT, i.GRUP, m.department,
       SUM(COALESCE(m.Giren, 0)) AS giren,
       SUM(COALESCE(m.Cikan, 0)) AS cikan,
       SUM(COALESCE(m.Zayi, 0)) AS zayi,
       SUM(COALESCE(m.Giren, 0)) - SUM(COALESCE(m.Cikan, 0)) - SUM(COALESCE(m.Zayi, 0)) AS kalan,
       i.AMBMIKTAR,
       i.MALIYET / NULLIF(i.BIRIMAGR, 0) AS MALIYET
FROM Q_ITEMS_MOV m
JOIN Q_ITEMS i ON i.KODU = m.StokKodu
WHERE i.YARIMAMUL = 1 AND m.urun = 0
GROUP BY m.StokKodu, i.URUN_ID, i.ADI, i.AFIYAT, i.GRUP, m.department, i.AMBMIKTAR, i.MALIYET, i.BIRIMAGR;

CREATE VIEW Q_URUNLER AS
SELECT i.ADI, i.GRUP, g.CATEGORY, i.KODU
FROM Q_ITEMS i
LEFT JOIN (SELECT GRUP, MAX(CATEGORY) AS CATEGORY FROM Q_GRUPS GROUP BY GRUP) g ON g.GRUP = i.GRUP
WHERE i.URUN = 1;

CREATE VIEW Q_URUNLER2 AS
SELECT i.ADI, i.GRUP, g.CATEGORY, i.KODU, i.MALIYET, i.SFIYAT
FROM Q_ITEMS i
LEFT JOIN (SELECT GRUP, MAX(CATEGORY) AS CATEGORY FROM Q_GRUPS GROUP BY GRUP) g ON g.GRUP = i.GRUP
WHERE i.URUN = 1;

CREATE VIEW Q_URUNLERS AS
SELECT ADI FROM Q_ITEMS WHERE URUN = 1;

-- ---------------------------------------------------------------------------
-- Cost reports

-- Ledger rows of stock items with their card. tuketim is the quantity of a
-- consumption row (kind 'Tüketim'), not the ledger's link number; maliyet and
-- toplam are the cost and the amount of point-of-sale rows (0 elsewhere), so
-- Σ maliyet / Σ toplam is the food cost of the period.
CREATE VIEW Q_FOODCOST AS
SELECT m.StokKodu, i.ADI, i.BIRIM, i.AFIYAT, i.BIRIMAGR, i.GRUP,
       COALESCE(m.Giren, 0) AS giren,
       COALESCE(m.Cikan, 0) AS cikan,
       COALESCE(m.Zayi, 0) AS zayi,
       CASE WHEN m.Islem = 'Tüketim' THEN COALESCE(m.Zayi, 0) + COALESCE(m.Cikan, 0) ELSE 0 END AS tuketim,
       COALESCE(m.Giren, 0) - COALESCE(m.Cikan, 0) - COALESCE(m.Zayi, 0) AS kalan,
       i.AMBMIKTAR, m.department,
       CASE WHEN m.adsno IS NOT NULL THEN COALESCE(m.Maliyet, 0) ELSE 0 END AS maliyet,
       CASE WHEN m.adsno IS NOT NULL THEN COALESCE(m.Tutar, 0) ELSE 0 END AS toplam,
       m.zaman
FROM Q_ITEMS_MOV m
JOIN Q_ITEMS i ON i.KODU = m.StokKodu AND i.URUN = 0
WHERE m.urun = 0;

-- The same rows with the category of the card's group.
CREATE VIEW Q_CATEGORI_COST AS
SELECT m.StokKodu, i.ADI, i.AFIYAT, i.GRUP, m.department,
       COALESCE(m.Giren, 0) AS Giren,
       COALESCE(m.Cikan, 0) AS Cikan,
       COALESCE(m.Zayi, 0) AS Zayi,
       i.AMBMIKTAR, g.CATEGORY,
       CASE WHEN m.adsno IS NOT NULL THEN COALESCE(m.Maliyet, 0) ELSE 0 END AS Maliyet,
       CASE WHEN m.adsno IS NOT NULL THEN COALESCE(m.Tutar, 0) ELSE 0 END AS Tutar,
       m.zaman
FROM Q_ITEMS_MOV m
JOIN Q_ITEMS i ON i.KODU = m.StokKodu AND i.URUN = 0
LEFT JOIN (SELECT GRUP, MAX(CATEGORY) AS CATEGORY FROM Q_GRUPS GROUP BY GRUP) g ON g.GRUP = i.GRUP
WHERE m.urun = 0;

-- Point-of-sale product rows classed by the category of their group
-- (YIYEICE: 'Yiyecek', 'İçecek', ...): amount and cost of every kind.
CREATE VIEW Q_GENTOP AS
SELECT g.CATEGORY AS YIYEICE, m.Islem, m.tarih, COALESCE(m.Tutar, 0) AS Tutar, COALESCE(m.Maliyet, 0) AS Mal
FROM Q_ITEMS_MOV m
LEFT JOIN (SELECT GRUP, MAX(CATEGORY) AS CATEGORY FROM Q_GRUPS GROUP BY GRUP) g ON g.GRUP = m.Grup
WHERE m.urun = 1;

-- Complimentary and unpaid product rows, classed likewise.
CREATE VIEW Q_GENTOP2 AS
SELECT g.CATEGORY AS YIYEICE, m.tarih, COALESCE(m.Tutar, 0) AS Tutar, COALESCE(m.Maliyet, 0) AS Mal
FROM Q_ITEMS_MOV m
LEFT JOIN (SELECT GRUP, MAX(CATEGORY) AS CATEGORY FROM Q_GRUPS GROUP BY GRUP) g ON g.GRUP = m.Grup
WHERE m.urun = 1 AND m.Islem IN ('IKRAM', 'ODENMEZ');

-- Stock rows classed likewise: Tutar is the row's amount (purchases, waste),
-- Mal the cost of stock used by the point of sale.
CREATE VIEW Q_GENTOP3 AS
SELECT g.CATEGORY AS YIYEICE, m.Islem, m.tarih, COALESCE(m.Tutar, 0) AS Tutar,
       CASE WHEN m.adsno IS NOT NULL THEN COALESCE(m.Maliyet, 0) ELSE 0 END AS Mal
FROM Q_ITEMS_MOV m
LEFT JOIN (SELECT GRUP, MAX(CATEGORY) AS CATEGORY FROM Q_GRUPS GROUP BY GRUP) g ON g.GRUP = m.Grup
WHERE m.urun = 0;

-- Per stock item, department and day: quantities in base units and their
-- values with VAT (...Maliyet) and without (...Kdvsiz). Received goods are
-- valued at the row's purchase price (afiyat), issued goods at the row's
-- price (Fiyat), waste and the remainder at the card's purchase price; all
-- prices are per purchase unit (the stock valuation rules).
CREATE VIEW Q_GIREN_CIKAN_MAL AS
SELECT StokKodu, ADI, AFIYAT,
       giren, girendeger AS GirenMaliyet, girendeger / kdvbolen AS GirenKdvsiz,
       cikan, cikandeger AS CikanMaliyet, cikandeger / kdvbolen AS CikanKdvsiz,
       zayi, zayi * AFIYAT / birimagr AS ZayiMaliyet, zayi * AFIYAT / birimagr / kdvbolen AS ZayiKdvsiz,
       giren - cikan - zayi AS kalan,
       (giren - cikan - zayi) * AFIYAT / birimagr AS KalanMaliyet,
       (giren - cikan - zayi) * AFIYAT / birimagr / kdvbolen AS KalanKdvsiz,
       Birim, GRUP, department, tarih
FROM (SELECT m.StokKodu, i.ADI, i.AFIYAT, i.AMBMIKTAR AS Birim, i.GRUP, m.department, m.tarih,
             NULLIF(i.BIRIMAGR, 0) AS birimagr,
             NULLIF(1 + COALESCE(i.KDV, 0) * 0.01, 0) AS kdvbolen,
             SUM(COALESCE(m.Giren, 0)) AS giren,
             SUM(COALESCE(m.Cikan, 0)) AS cikan,
             SUM(COALESCE(m.Zayi, 0)) AS zayi,
             SUM(COALESCE(m.Giren, 0) * COALESCE(m.afiyat, 0)) / NULLIF(i.BIRIMAGR, 0) AS girendeger,
             SUM(COALESCE(m.Cikan, 0) * COALESCE(m.Fiyat, 0)) / NULLIF(i.BIRIMAGR, 0) AS cikandeger
      FROM Q_ITEMS_MOV m
      JOIN Q_ITEMS i ON i.KODU = m.StokKodu AND i.URUN = 0
      WHERE m.urun = 0
      GROUP BY m.StokKodu, i.URUN_ID, i.ADI, i.AFIYAT, i.AMBMIKTAR, i.GRUP, i.BIRIMAGR, i.KDV, m.department, m.tarih) t;

-- Bill totals per month and per day (bills; complimentary and
-- unpaid rows left out, as in the other bill reports). adstop counts bills.
CREATE VIEW Q_ADSAY AS
SELECT Gun, yil, SUM(ind) AS indirim, SUM(servis) AS servis, SUM(tutar) AS tutar, COUNT(DISTINCT adisyon) AS adstop
FROM (SELECT {MONTHNAME(tarih)} AS Gun, {YEAR(tarih)} AS yil, {MONTH(tarih)} AS ayno,
             COALESCE(ind, 0) AS ind, COALESCE(servis, 0) AS servis, COALESCE(tutar, 0) AS tutar,
             CASE WHEN adisyon <> 0 THEN adisyon END AS adisyon
      FROM Q_adisyon
      WHERE COALESCE(islem, '') NOT IN ('ODENMEZ', 'IKRAM')) t
GROUP BY yil, ayno, Gun;

-- Gun is the day as "dd.mm.yyyy".
CREATE VIEW Q_ADSGUN3 AS
SELECT Gun, yil, SUM(ind) AS indirim, SUM(servis) AS servis, SUM(tutar) AS tutar, COUNT(DISTINCT adisyon) AS adstop
FROM (SELECT CASE WHEN {DAY(tarih)} < 10 THEN '0' ELSE '' END || CAST({DAY(tarih)} AS VARCHAR(2)) || '.'
             || CASE WHEN {MONTH(tarih)} < 10 THEN '0' ELSE '' END || CAST({MONTH(tarih)} AS VARCHAR(2)) || '.'
             || CAST({YEAR(tarih)} AS VARCHAR(4)) AS Gun,
             {YEAR(tarih)} AS yil, {MONTH(tarih)} AS ayno, {DAY(tarih)} AS gunno,
             COALESCE(ind, 0) AS ind, COALESCE(servis, 0) AS servis, COALESCE(tutar, 0) AS tutar,
             CASE WHEN adisyon <> 0 THEN adisyon END AS adisyon
      FROM Q_adisyon
      WHERE COALESCE(islem, '') NOT IN ('ODENMEZ', 'IKRAM')) t
GROUP BY yil, ayno, gunno, Gun;

-- ---------------------------------------------------------------------------
-- Price and sales analyses

-- Point-of-sale sales per product and day, best-selling rows first (the
-- popularity slices take the first tenth, third and half of the rows).
CREATE VIEW Q_ITEMS_MOVE_PRODATE AS
SELECT StokKodu, MAX(StokAdi) AS StokAdi, tarih AS Tarih,
       SUM(COALESCE(Cikan, 0)) AS Cikan, SUM(COALESCE(Tutar, 0)) AS Tutar
FROM Q_ITEMS_MOV
WHERE urun = 1 AND Islem = 'Satış'
GROUP BY StokKodu, tarih
ORDER BY SUM(COALESCE(Cikan, 0)) DESC, StokKodu, tarih;

-- One row per product and day: quantity sold, average price, cost, amount.
CREATE VIEW Q_ITEMS_DAY AS
SELECT s.StokKodu, COALESCE(i.ADI, s.StokAdi) AS ADI, COALESCE(i.GRUP, s.Grup) AS GRUP, s.cikan,
       g.CATEGORY, s.tarih, s.Tutar / NULLIF(s.cikan, 0) AS Fiyat, s.Maliyet, s.Tutar
FROM (SELECT StokKodu, tarih, MAX(StokAdi) AS StokAdi, MAX(Grup) AS Grup,
             SUM(COALESCE(Cikan, 0)) AS cikan, SUM(COALESCE(Maliyet, 0)) AS Maliyet,
             SUM(COALESCE(Tutar, 0)) AS Tutar
      FROM Q_ITEMS_MOV
      WHERE urun = 1 AND Islem = 'Satış'
      GROUP BY StokKodu, tarih) s
LEFT JOIN (SELECT KODU, MIN(ADI) AS ADI, MIN(GRUP) AS GRUP FROM Q_ITEMS WHERE URUN = 1 GROUP BY KODU) i
       ON i.KODU = s.StokKodu
LEFT JOIN (SELECT GRUP, MAX(CATEGORY) AS CATEGORY FROM Q_GRUPS GROUP BY GRUP) g
       ON g.GRUP = COALESCE(i.GRUP, s.Grup);

-- Ledger rows of products with their moment. The ledger keeps no user or
-- time of the workstation: PC_USER and PC_TARIHI are empty.
CREATE VIEW Q_URUN_SORGULA AS
SELECT S_ID, tarih, Saat, waiter, ozet, fno, irsno, receno, Islem, HESNO, HESADI, hesgrup, StokKodu, StokAdi,
       Grup, department, Olcu, Birim, BIRIMMIK, AMBMIKTAR, Adet, Giren, Cikan, Zayi, tuketim, urun, Maliyet,
       Fiyat, Tutar, Kdv, KdvTutari, Vade, afiyat, hall_name, adsno, uretno, ISKONTO1, ISKONTO2, ISKTUTAR1,
       ISKTUTAR2, kdvsizfiyfat, kdvsiztutfat, ack,
       zaman,
       CAST(PC_NAME AS VARCHAR(100)) AS PC_NAME,
       CAST(NULL AS VARCHAR(100)) AS PC_USER,
       CAST(NULL AS VARCHAR(100)) AS PC_TARIHI,
       CAST(sube AS VARCHAR(100)) AS sube
FROM Q_ITEMS_MOV
WHERE urun = 1;

-- ---------------------------------------------------------------------------
-- Cash

-- Per desk and payment type ('KREDI' left out, as on the day-end sheet): the
-- totals of all cash rows and the amount handed over on the day-end sheet
-- (empty when none).
CREATE VIEW Q_KASA_GV AS
SELECT s.HESADI, s.Borc, s.Alacak, s.Bakiye, s.Q_odemetipi, v.Devir
FROM (SELECT HESADI, Q_odemetipi, SUM(COALESCE(Borc, 0)) AS Borc, SUM(COALESCE(Alacak, 0)) AS Alacak,
             SUM(COALESCE(Alacak, 0)) - SUM(COALESCE(Borc, 0)) AS Bakiye
      FROM Q_KASA_DETAY
      WHERE Q_odemetipi <> 'KREDI'
      GROUP BY HESADI, Q_odemetipi) s
LEFT JOIN (SELECT HESADI, Q_odemetipi, SUM(Devir) AS Devir FROM Q_KASA_GN GROUP BY HESADI, Q_odemetipi) v
       ON v.HESADI = s.HESADI AND v.Q_odemetipi = s.Q_odemetipi;

CREATE VIEW Q_KASA_SORGU AS
SELECT KAYIT_NO, CARIHESAP_ID, HESNO, HESADI, DOVIZ_ID, Grup, Saat, Tarih, Detay, Islem, Q_odemetipi,
       Borc, Alacak, Bakiye, SIRKET, AHESAP, AADI, AGRUP, FDETAY,
       {ZAMAN(Tarih, Saat)} AS zaman
FROM Q_KASA_DETAY;

-- Collections of the general book (Borc 0, not an expense; the receiving rows
-- of transfers included) with their desk's name and note.
CREATE VIEW Q_KASIYER_ISLEM_TAHSIL AS
SELECT {ZAMAN(d.Tarih, d.Saat)} AS zaman, COALESCE(k.KASAADI, d.HESADI) AS KASAADI, k.ACIKLAMA,
       d.HESADI, d.Tarih, d.Saat, d.Detay, d.Islem, d.Q_odemetipi, d.Borc, d.Alacak, d.Bakiye,
       d.CARIHESAP_ID, d.AHESAP, d.AADI, d.AGRUP, d.KAYIT_NO
FROM Q_KASA_DETAY d
LEFT JOIN (SELECT KASAADI, MIN(ACIKLAMA) AS ACIKLAMA FROM Q_KASA GROUP BY KASAADI) k ON k.KASAADI = d.HESADI
WHERE d.Borc = 0 AND d.CARIHESAP_ID IS NULL;

-- Expenses of the general book, likewise.
CREATE VIEW Q_KASIYER_ISLEM_MASRAF AS
SELECT {ZAMAN(d.Tarih, d.Saat)} AS zaman, COALESCE(k.KASAADI, d.HESADI) AS KASAADI, k.ACIKLAMA,
       d.HESADI, d.Tarih, d.Saat, d.Detay, d.Islem, d.Q_odemetipi, d.Borc, d.Alacak, d.Bakiye,
       d.CARIHESAP_ID, d.AHESAP, d.AADI, d.AGRUP, d.KAYIT_NO
FROM Q_KASA_DETAY d
LEFT JOIN (SELECT KASAADI, MIN(ACIKLAMA) AS ACIKLAMA FROM Q_KASA GROUP BY KASAADI) k ON k.KASAADI = d.HESADI
WHERE d.CARIHESAP_ID IS NOT NULL;

-- Every row of the general book, likewise: the balance of a desk is
-- Σ Alacak − Σ Borc of its rows.
CREATE VIEW Q_KASIYER_BAKIYE AS
SELECT {ZAMAN(d.Tarih, d.Saat)} AS zaman, COALESCE(k.KASAADI, d.HESADI) AS KASAADI, k.ACIKLAMA,
       d.HESADI, d.Tarih, d.Saat, d.Detay, d.Islem, d.Q_odemetipi, d.Borc, d.Alacak, d.Bakiye,
       d.CARIHESAP_ID, d.AHESAP, d.AADI, d.AGRUP, d.KAYIT_NO
FROM Q_KASA_DETAY d
LEFT JOIN (SELECT KASAADI, MIN(ACIKLAMA) AS ACIKLAMA FROM Q_KASA GROUP BY KASAADI) k ON k.KASAADI = d.HESADI;

-- Desk book: monthly sums per desk and payment type.
CREATE VIEW Q_KASA_AYLIK2 AS
SELECT Ay, YIL, HESADI, Q_odemetipi, SUM(Borc) AS borc, SUM(Alacak) AS alacak
FROM (SELECT {MONTHNAME(Tarih)} AS Ay, {YEAR(Tarih)} AS YIL, {MONTH(Tarih)} AS ayno, HESADI, Q_odemetipi,
             COALESCE(Borc, 0) AS Borc, COALESCE(Alacak, 0) AS Alacak
      FROM Q_KASA_DETAY2) t
GROUP BY YIL, ayno, Ay, HESADI, Q_odemetipi;

CREATE VIEW Q_KASA_SORGU2 AS
SELECT KAYIT_NO, CARIHESAP_ID, HESNO, HESADI, DOVIZ_ID, Grup, Saat, Tarih, Detay, Islem, Q_odemetipi,
       Borc, Alacak, Bakiye, SIRKET, AHESAP, AADI, AGRUP, FDETAY,
       {ZAMAN(Tarih, Saat)} AS zaman
FROM Q_KASA_DETAY2;

-- Desk book amounts per desk, payment type and moment, with their balance
-- (Alacak − Borc).
CREATE VIEW Q_KASA_YENI2 AS
SELECT HESADI, Q_odemetipi, SUM(Borc) AS Borc, SUM(Alacak) AS Alacak, SUM(Alacak) - SUM(Borc) AS Bakiye, zaman
FROM (SELECT HESADI, Q_odemetipi, COALESCE(Borc, 0) AS Borc, COALESCE(Alacak, 0) AS Alacak,
             {ZAMAN(Tarih, Saat)} AS zaman
      FROM Q_KASA_DETAY2) t
GROUP BY HESADI, Q_odemetipi, zaman;

-- ---------------------------------------------------------------------------
-- Bills: the bill table with its moment.
CREATE VIEW Q_Ads AS
SELECT ADS_NO, tarih, saat, islem, adisyon, kasiyer, garson, cari, detay, tutar, ind, servis, hall_name, masa,
       kuver, pax, PC_NAME, PC_USER, PC_TARIHI, zaman
FROM Q_adisyon;
