-- Stock balances per item and department, kept by the database itself on
-- every ledger insert, delete and update (whoever writes: this program or the
-- point-of-sale terminals), so that stock queries never re-add the ledger.
-- satir counts the ledger rows behind a balance; a balance whose last row is
-- gone is removed, so "has ledger rows" stays exact.

CREATE TABLE Q_STOK_BAKIYE (
  StokKodu VARCHAR(20) NOT NULL,
  department VARCHAR(20) NOT NULL,
  giren DOUBLE PRECISION NOT NULL DEFAULT 0,
  cikan DOUBLE PRECISION NOT NULL DEFAULT 0,
  zayi DOUBLE PRECISION NOT NULL DEFAULT 0,
  satir BIGINT NOT NULL DEFAULT 0,
  PRIMARY KEY (StokKodu, department)
);

INSERT INTO Q_STOK_BAKIYE (StokKodu, department, giren, cikan, zayi, satir)
SELECT COALESCE(StokKodu, ''), COALESCE(department, ''), SUM(COALESCE(Giren, 0)), SUM(COALESCE(Cikan, 0)),
       SUM(COALESCE(Zayi, 0)), COUNT(*)
FROM Q_ITEMS_MOV
WHERE COALESCE(urun, 0) = 0
GROUP BY COALESCE(StokKodu, ''), COALESCE(department, '');

-- @sqlite
CREATE TRIGGER tr_mov_balance_ins AFTER INSERT ON Q_ITEMS_MOV WHEN COALESCE(NEW.urun, 0) = 0
BEGIN
  INSERT INTO Q_STOK_BAKIYE (StokKodu, department, giren, cikan, zayi, satir)
  VALUES (COALESCE(NEW.StokKodu, ''), COALESCE(NEW.department, ''), COALESCE(NEW.Giren, 0), COALESCE(NEW.Cikan, 0),
          COALESCE(NEW.Zayi, 0), 1)
  ON CONFLICT (StokKodu, department) DO UPDATE SET
    giren = Q_STOK_BAKIYE.giren + excluded.giren,
    cikan = Q_STOK_BAKIYE.cikan + excluded.cikan,
    zayi = Q_STOK_BAKIYE.zayi + excluded.zayi,
    satir = Q_STOK_BAKIYE.satir + 1;
END;
CREATE TRIGGER tr_mov_balance_del AFTER DELETE ON Q_ITEMS_MOV WHEN COALESCE(OLD.urun, 0) = 0
BEGIN
  UPDATE Q_STOK_BAKIYE SET
    giren = giren - COALESCE(OLD.Giren, 0),
    cikan = cikan - COALESCE(OLD.Cikan, 0),
    zayi = zayi - COALESCE(OLD.Zayi, 0),
    satir = satir - 1
  WHERE StokKodu = COALESCE(OLD.StokKodu, '') AND department = COALESCE(OLD.department, '');
  DELETE FROM Q_STOK_BAKIYE
  WHERE StokKodu = COALESCE(OLD.StokKodu, '') AND department = COALESCE(OLD.department, '') AND satir <= 0;
END;
CREATE TRIGGER tr_mov_balance_upd_old AFTER UPDATE OF StokKodu, department, Giren, Cikan, Zayi, urun ON Q_ITEMS_MOV
WHEN COALESCE(OLD.urun, 0) = 0
BEGIN
  UPDATE Q_STOK_BAKIYE SET
    giren = giren - COALESCE(OLD.Giren, 0),
    cikan = cikan - COALESCE(OLD.Cikan, 0),
    zayi = zayi - COALESCE(OLD.Zayi, 0),
    satir = satir - 1
  WHERE StokKodu = COALESCE(OLD.StokKodu, '') AND department = COALESCE(OLD.department, '');
  DELETE FROM Q_STOK_BAKIYE
  WHERE StokKodu = COALESCE(OLD.StokKodu, '') AND department = COALESCE(OLD.department, '') AND satir <= 0;
END;
CREATE TRIGGER tr_mov_balance_upd_new AFTER UPDATE OF StokKodu, department, Giren, Cikan, Zayi, urun ON Q_ITEMS_MOV
WHEN COALESCE(NEW.urun, 0) = 0
BEGIN
  INSERT INTO Q_STOK_BAKIYE (StokKodu, department, giren, cikan, zayi, satir)
  VALUES (COALESCE(NEW.StokKodu, ''), COALESCE(NEW.department, ''), COALESCE(NEW.Giren, 0), COALESCE(NEW.Cikan, 0),
          COALESCE(NEW.Zayi, 0), 1)
  ON CONFLICT (StokKodu, department) DO UPDATE SET
    giren = Q_STOK_BAKIYE.giren + excluded.giren,
    cikan = Q_STOK_BAKIYE.cikan + excluded.cikan,
    zayi = Q_STOK_BAKIYE.zayi + excluded.zayi,
    satir = Q_STOK_BAKIYE.satir + 1;
END;
-- @postgres
CREATE FUNCTION q_items_mov_balance() RETURNS trigger AS $$
BEGIN
  IF TG_OP IN ('DELETE', 'UPDATE') AND COALESCE(OLD.urun, 0) = 0 THEN
    UPDATE Q_STOK_BAKIYE SET
      giren = giren - COALESCE(OLD.Giren, 0),
      cikan = cikan - COALESCE(OLD.Cikan, 0),
      zayi = zayi - COALESCE(OLD.Zayi, 0),
      satir = satir - 1
    WHERE StokKodu = COALESCE(OLD.StokKodu, '') AND department = COALESCE(OLD.department, '');
    DELETE FROM Q_STOK_BAKIYE
    WHERE StokKodu = COALESCE(OLD.StokKodu, '') AND department = COALESCE(OLD.department, '') AND satir <= 0;
  END IF;
  IF TG_OP IN ('INSERT', 'UPDATE') AND COALESCE(NEW.urun, 0) = 0 THEN
    INSERT INTO Q_STOK_BAKIYE AS b (StokKodu, department, giren, cikan, zayi, satir)
    VALUES (COALESCE(NEW.StokKodu, ''), COALESCE(NEW.department, ''), COALESCE(NEW.Giren, 0), COALESCE(NEW.Cikan, 0),
            COALESCE(NEW.Zayi, 0), 1)
    ON CONFLICT (StokKodu, department) DO UPDATE SET
      giren = b.giren + EXCLUDED.giren,
      cikan = b.cikan + EXCLUDED.cikan,
      zayi = b.zayi + EXCLUDED.zayi,
      satir = b.satir + 1;
  END IF;
  RETURN NULL;
END;
$$ LANGUAGE plpgsql;
CREATE TRIGGER tr_mov_balance AFTER INSERT OR DELETE OR UPDATE OF StokKodu, department, Giren, Cikan, Zayi, urun
  ON Q_ITEMS_MOV FOR EACH ROW EXECUTE FUNCTION q_items_mov_balance();
-- Statement-level truncation empties the balances too.
CREATE FUNCTION q_items_mov_truncate() RETURNS trigger AS $$
BEGIN
  DELETE FROM Q_STOK_BAKIYE;
  RETURN NULL;
END;
$$ LANGUAGE plpgsql;
CREATE TRIGGER tr_mov_truncate AFTER TRUNCATE ON Q_ITEMS_MOV FOR EACH STATEMENT EXECUTE FUNCTION q_items_mov_truncate();
-- @both

-- Q_KALANS reads the balances; the figures are those of the ledger sums,
-- rounded to six decimals so that adding and removing rows leaves no residue.
DROP VIEW Q_MARKET_RP2;
DROP VIEW Q_KALANS;

CREATE VIEW Q_KALANS AS
SELECT b.StokKodu AS StokKodu, i.ADI AS ADI, i.AFIYAT AS AFIYAT, i.GRUP AS GRUP, b.department AS department,
       {ROUND(b.giren, 6)} AS giren,
       {ROUND(b.cikan, 6)} AS cikan,
       {ROUND(b.zayi, 6)} AS zayi,
       {ROUND(b.giren - b.cikan - b.zayi, 6)} AS kalan,
       i.AMBMIKTAR AS AMBMIKTAR
FROM Q_STOK_BAKIYE b
JOIN Q_ITEMS i ON i.KODU = b.StokKodu AND COALESCE(i.URUN, 0) = 0;

CREATE VIEW Q_MARKET_RP2 AS
SELECT k.ADI AS ADI, k.department AS department, k.kalan AS kalan, k.AMBMIKTAR AS AMBMIKTAR,
       k.AFIYAT AS a_fiyat, k.GRUP AS GRUP, k.StokKodu AS StokKodu
FROM Q_KALANS k;
