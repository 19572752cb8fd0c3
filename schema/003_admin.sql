-- Administration: users and form permissions, the dashboard's
-- calendar, audit log, backup and mail settings, branches, terminal
-- modes, the constant price factor and the point-of-sale counters.
-- Texts without a stated length hold up to 20 characters. Flags are 0/1.

-- One row per user of this program and of the point-of-sale terminals.
-- pwd is the fixed 15-character column of the original: a longer password is
-- refused by the database (SQLite does not enforce VARCHAR lengths, hence the
-- check).
CREATE TABLE Q_userkontrol (
  auto_no {IDENTITY},
  username VARCHAR(50),
  pwd VARCHAR(15) CHECK (pwd IS NULL OR length(pwd) <= 15),
  bolum VARCHAR(50),
  yonetim SMALLINT DEFAULT 0
);
CREATE INDEX ix_userkontrol_username ON Q_userkontrol (username);

-- Permission rows: one per granted category (PR_PARENT empty) or entry.
-- Duplicates are avoided by the editor, not by the table.
CREATE TABLE Q_FRM (
  PR_ID INTEGER,
  PR_PARENT INTEGER,
  PR_NAME VARCHAR(50),
  PR_INFO VARCHAR(50),
  YAZ SMALLINT DEFAULT 0
);
CREATE INDEX ix_frm_info ON Q_FRM (PR_INFO, PR_PARENT, PR_ID);

-- The master catalogue of grantable entries: the rows with PR_INFO 'ADMIN'
-- are installation data (010_installation_data.sql).
CREATE TABLE Q_frmmaster (
  PR_ID INTEGER,
  PR_PARENT INTEGER,
  PR_NAME VARCHAR(50),
  PR_INFO VARCHAR(50),
  YAZ SMALLINT DEFAULT 0
);
CREATE INDEX ix_frmmaster_info ON Q_frmmaster (PR_INFO, PR_ID);

-- Service staff list of the user window.
CREATE TABLE Q_U_Arac (
  Q_UID {IDENTITY},
  ARACNO VARCHAR(50)
);

-- Events of the dashboard calendar, in the calendar's own layout. upsize_ts
-- is the read-only row version of the original: the database raises it on
-- every change of the row.
CREATE TABLE Q_Events (
  ID {IDENTITY},
  ParentID INTEGER,
  Type SMALLINT DEFAULT 0,
  Start {DATETIME},
  Finish {DATETIME},
  Options SMALLINT DEFAULT 0,
  Caption VARCHAR(255),
  RecurrenceIndex SMALLINT,
  RecurrenceInfo TEXT,
  ResourceID TEXT,
  Location VARCHAR(255),
  Message TEXT,
  ReminderDate {DATETIME},
  ReminderMinutes INTEGER DEFAULT 0,
  State SMALLINT DEFAULT 0,
  LabelColor INTEGER DEFAULT 0,
  ActualStart {DATETIME},
  ActualFinish {DATETIME},
  SyncID VARCHAR(255),
  SportID SMALLINT,
  upsize_ts BIGINT DEFAULT 1 NOT NULL
);
CREATE INDEX ix_events_start ON Q_Events (Start);

-- @sqlite
CREATE TRIGGER tr_events_version AFTER UPDATE ON Q_Events
  WHEN NEW.upsize_ts = OLD.upsize_ts
BEGIN
  UPDATE Q_Events SET upsize_ts = OLD.upsize_ts + 1 WHERE ID = NEW.ID;
END;
-- @postgres
CREATE FUNCTION q_events_version() RETURNS trigger AS $$
BEGIN
  NEW.upsize_ts := OLD.upsize_ts + 1;
  RETURN NEW;
END;
$$ LANGUAGE plpgsql;
CREATE TRIGGER tr_events_version BEFORE UPDATE ON Q_Events
  FOR EACH ROW EXECUTE FUNCTION q_events_version();
-- @both

-- Audit log: one row per sensitive operation, written by the point-of-sale
-- program and by this program. PCNAME, when the writer leaves it out, names
-- the connection the row came from (see 004_documents.sql for PC_NAME).
CREATE TABLE Q_bugs (
  S_ID {IDENTITY},
  GUN {DATETIME},
  ZAMAN VARCHAR(8),
  garson VARCHAR(50),
  username VARCHAR(50),
  indirim DOUBLE PRECISION DEFAULT 0,
  ind_geri DOUBLE PRECISION DEFAULT 0,
  servis DOUBLE PRECISION DEFAULT 0,
  servis_geri DOUBLE PRECISION DEFAULT 0,
  hall_name VARCHAR(50),
  total DOUBLE PRECISION DEFAULT 0,
  adisyon DOUBLE PRECISION DEFAULT 0,
  sebep VARCHAR(100),
  item_trans VARCHAR(10),
  bill_trans VARCHAR(10),
  silindi VARCHAR(10),
  iade VARCHAR(10),
  URUN_ADI VARCHAR(100),
  ADET DOUBLE PRECISION DEFAULT 0,
  deta VARCHAR(250),
  masa VARCHAR(80),
-- @sqlite
  PCNAME VARCHAR(100) DEFAULT 'LOCAL'
-- @postgres
  PCNAME VARCHAR(100) DEFAULT (COALESCE(NULLIF(current_setting('application_name'), ''), host(inet_client_addr()), 'LOCAL'))
-- @both
);
CREATE INDEX ix_bugs_gun ON Q_bugs (GUN);

-- Times of day at which the server takes a backup.
CREATE TABLE Q_backup (
  M_ID {IDENTITY},
  saat VARCHAR(10)
);

-- Recipients and sending time of the daily e-mail report, per branch.
CREATE TABLE Q_mail (
  M_ID {IDENTITY},
  mail1 VARCHAR(100),
  mail2 VARCHAR(100),
  sendtime VARCHAR(10),
  sube VARCHAR(50),
  tumu SMALLINT DEFAULT 0,
  tarih {DATETIME}
);

-- Branch names; the first row is the branch of this installation (one row is
-- installation data: the branch window edits it and adds none).
CREATE TABLE Q_Sube (
  numara {IDENTITY},
  sube VARCHAR(100),
  tarih {DATETIME} DEFAULT {NOW},
  saat VARCHAR(8) DEFAULT {TIMENOW}
);

-- Waiter/cashier mode per terminal, identified by its adapter address. SW_ID
-- is a key of our own so that a grid can write an edited mac_id back.
CREATE TABLE Q_Switch_mode (
  SW_ID {IDENTITY},
  switch_cash_mode SMALLINT DEFAULT 0,
  mac_id VARCHAR(50)
);

-- One row: the constant price factor of the recipe pricing.
CREATE TABLE Q_CONSTANT (
  CONSTANT DOUBLE PRECISION DEFAULT 0
);

-- A counter flag of the point-of-sale program, reset by "Sayac Sıfırla".
CREATE TABLE RACK_RENK (
  CHE VARCHAR(10)
);

-- Queues of the hand terminals; this program only empties them ("Fix Pda").
-- Their layout belongs to the point-of-sale program; these columns are the
-- ones a queued order and a queued command need.
CREATE TABLE Q_pda_adisyon (
  P_ID {IDENTITY},
  pda_id VARCHAR(50),
  hall_name VARCHAR(50),
  masa VARCHAR(80),
  garson VARCHAR(50),
  adisyon DOUBLE PRECISION,
  StokKodu VARCHAR(20),
  StokAdi VARCHAR(80),
  Adet DOUBLE PRECISION DEFAULT 0,
  Fiyat DOUBLE PRECISION DEFAULT 0,
  Tutar DOUBLE PRECISION DEFAULT 0,
  aciklama VARCHAR(100),
  tarih {DATETIME} DEFAULT {NOW},
  saat VARCHAR(8) DEFAULT {TIMENOW},
  islendi SMALLINT DEFAULT 0
);

CREATE TABLE Q_pda_process (
  P_ID {IDENTITY},
  pda_id VARCHAR(50),
  islem VARCHAR(50),
  hall_name VARCHAR(50),
  masa VARCHAR(80),
  garson VARCHAR(50),
  deger VARCHAR(100),
  tarih {DATETIME} DEFAULT {NOW},
  saat VARCHAR(8) DEFAULT {TIMENOW},
  islendi SMALLINT DEFAULT 0
);
