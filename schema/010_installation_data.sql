-- Installation data: the rows a new database starts with.

-- The four document kinds.
INSERT INTO Q_TUR (turu) VALUES ('Alış');
INSERT INTO Q_TUR (turu) VALUES ('İade Gelen');
INSERT INTO Q_TUR (turu) VALUES ('Satış');
INSERT INTO Q_TUR (turu) VALUES ('İade Edilen');

-- The VAT rate used in calculations: the rate of food and
-- beverage sales, the same 8 that a new stock card proposes.
INSERT INTO Q_KDV (KDV) VALUES (8);

-- The one row of the constant price factor; 1 leaves prices as
-- they are until the administrator sets it.
INSERT INTO Q_CONSTANT (CONSTANT) VALUES (1);

-- The branch of this installation: the branch window edits this
-- row and adds none. A workstation whose setup file names the branch code
-- "0" sees every branch's invoices.
INSERT INTO Q_Sube (sube) VALUES ('MERKEZ');

-- The point-of-sale program's counter flag, so that "Sayac Sıfırla" has a
-- row to reset.
INSERT INTO RACK_RENK (CHE) VALUES ('1');

-- The master catalogue of form permissions: the tree
-- "ALL FORMS " of the permission editor, stored under the reserved name
-- ADMIN. Category nodes have no parent; every grantable entry of the main
-- window's catalogue (all codes but 46) hangs under its category, the hall
-- settings' sub-entries under node 601. Node numbers are the entry codes,
-- except node 520 (grants 9520) and node 521 (grants 9521). Entries 306 and
-- 307 are granted without a category; in the tree they are filed under
-- "Faturalar" (3), so "Full Modül", which copies the tree's parents, lists
-- them there.

INSERT INTO Q_frmmaster (PR_ID, PR_PARENT, PR_NAME, PR_INFO) VALUES (0, NULL, 'Stok', 'ADMIN');
INSERT INTO Q_frmmaster (PR_ID, PR_PARENT, PR_NAME, PR_INFO) VALUES (1, NULL, 'Kasa', 'ADMIN');
INSERT INTO Q_frmmaster (PR_ID, PR_PARENT, PR_NAME, PR_INFO) VALUES (2, NULL, 'Cari Kartlar', 'ADMIN');
INSERT INTO Q_frmmaster (PR_ID, PR_PARENT, PR_NAME, PR_INFO) VALUES (3, NULL, 'Faturalar', 'ADMIN');
INSERT INTO Q_frmmaster (PR_ID, PR_PARENT, PR_NAME, PR_INFO) VALUES (4, NULL, 'Planlama', 'ADMIN');
INSERT INTO Q_frmmaster (PR_ID, PR_PARENT, PR_NAME, PR_INFO) VALUES (5, NULL, 'Cost Control', 'ADMIN');
INSERT INTO Q_frmmaster (PR_ID, PR_PARENT, PR_NAME, PR_INFO) VALUES (6, NULL, 'Üretim', 'ADMIN');
INSERT INTO Q_frmmaster (PR_ID, PR_PARENT, PR_NAME, PR_INFO) VALUES (8, NULL, 'Yönetici ve Parametreler', 'ADMIN');
INSERT INTO Q_frmmaster (PR_ID, PR_PARENT, PR_NAME, PR_INFO) VALUES (101, 1, 'Kasa Tanımları', 'ADMIN');
INSERT INTO Q_frmmaster (PR_ID, PR_PARENT, PR_NAME, PR_INFO) VALUES (110, 1, 'Kasa Işlemleri', 'ADMIN');
INSERT INTO Q_frmmaster (PR_ID, PR_PARENT, PR_NAME, PR_INFO) VALUES (120, 1, 'Kasiyer Devir Teslim', 'ADMIN');
INSERT INTO Q_frmmaster (PR_ID, PR_PARENT, PR_NAME, PR_INFO) VALUES (121, 1, 'Özel Kasalar', 'ADMIN');
INSERT INTO Q_frmmaster (PR_ID, PR_PARENT, PR_NAME, PR_INFO) VALUES (201, 2, 'Cari Tanımları', 'ADMIN');
INSERT INTO Q_frmmaster (PR_ID, PR_PARENT, PR_NAME, PR_INFO) VALUES (202, 2, 'Cari işlem Detayları', 'ADMIN');
INSERT INTO Q_frmmaster (PR_ID, PR_PARENT, PR_NAME, PR_INFO) VALUES (205, 2, 'Cari İşlemleri', 'ADMIN');
INSERT INTO Q_frmmaster (PR_ID, PR_PARENT, PR_NAME, PR_INFO) VALUES (225, 2, 'Virman Girişi', 'ADMIN');
INSERT INTO Q_frmmaster (PR_ID, PR_PARENT, PR_NAME, PR_INFO) VALUES (301, 3, 'Sipariş', 'ADMIN');
INSERT INTO Q_frmmaster (PR_ID, PR_PARENT, PR_NAME, PR_INFO) VALUES (302, 3, 'Alış Faturası', 'ADMIN');
INSERT INTO Q_frmmaster (PR_ID, PR_PARENT, PR_NAME, PR_INFO) VALUES (303, 3, 'Alış Irsaliyesi', 'ADMIN');
INSERT INTO Q_frmmaster (PR_ID, PR_PARENT, PR_NAME, PR_INFO) VALUES (305, 3, 'Stok Giriş', 'ADMIN');
INSERT INTO Q_frmmaster (PR_ID, PR_PARENT, PR_NAME, PR_INFO) VALUES (306, 3, 'Satış Faturası', 'ADMIN');
INSERT INTO Q_frmmaster (PR_ID, PR_PARENT, PR_NAME, PR_INFO) VALUES (307, 3, 'Satış Irsaliyesi', 'ADMIN');
INSERT INTO Q_frmmaster (PR_ID, PR_PARENT, PR_NAME, PR_INFO) VALUES (437, 3, 'Alış Hizmet Faturası', 'ADMIN');
INSERT INTO Q_frmmaster (PR_ID, PR_PARENT, PR_NAME, PR_INFO) VALUES (438, 3, 'Satış Hizmet Faturası', 'ADMIN');
INSERT INTO Q_frmmaster (PR_ID, PR_PARENT, PR_NAME, PR_INFO) VALUES (410, 4, 'Ödeme Tahsilat Planlama', 'ADMIN');
INSERT INTO Q_frmmaster (PR_ID, PR_PARENT, PR_NAME, PR_INFO) VALUES (430, 4, 'Reel Zam Oranları', 'ADMIN');
INSERT INTO Q_frmmaster (PR_ID, PR_PARENT, PR_NAME, PR_INFO) VALUES (431, 4, 'Stok Alış Teklifleri', 'ADMIN');
INSERT INTO Q_frmmaster (PR_ID, PR_PARENT, PR_NAME, PR_INFO) VALUES (432, 4, 'Stok Satış Teklifleri', 'ADMIN');
INSERT INTO Q_frmmaster (PR_ID, PR_PARENT, PR_NAME, PR_INFO) VALUES (435, 4, 'Stok Alış Siparişleri', 'ADMIN');
INSERT INTO Q_frmmaster (PR_ID, PR_PARENT, PR_NAME, PR_INFO) VALUES (436, 4, 'Stok Satış Siparişleri', 'ADMIN');
INSERT INTO Q_frmmaster (PR_ID, PR_PARENT, PR_NAME, PR_INFO) VALUES (550, 6, 'Yarımamul Tanımlama', 'ADMIN');
INSERT INTO Q_frmmaster (PR_ID, PR_PARENT, PR_NAME, PR_INFO) VALUES (555, 6, 'Üretim Işlemleri', 'ADMIN');
INSERT INTO Q_frmmaster (PR_ID, PR_PARENT, PR_NAME, PR_INFO) VALUES (556, 6, 'Üretim Listesi', 'ADMIN');
INSERT INTO Q_frmmaster (PR_ID, PR_PARENT, PR_NAME, PR_INFO) VALUES (559, 6, 'Yarımamul Tüketim Zayi İşleme', 'ADMIN');
INSERT INTO Q_frmmaster (PR_ID, PR_PARENT, PR_NAME, PR_INFO) VALUES (560, 6, 'Yarımamul Hareketleri', 'ADMIN');
INSERT INTO Q_frmmaster (PR_ID, PR_PARENT, PR_NAME, PR_INFO) VALUES (601, 8, 'Salon Tanımları', 'ADMIN');
INSERT INTO Q_frmmaster (PR_ID, PR_PARENT, PR_NAME, PR_INFO) VALUES (602, 8, 'Kullanıcı Tanımlama', 'ADMIN');
INSERT INTO Q_frmmaster (PR_ID, PR_PARENT, PR_NAME, PR_INFO) VALUES (603, 8, 'Kur Girişi', 'ADMIN');
INSERT INTO Q_frmmaster (PR_ID, PR_PARENT, PR_NAME, PR_INFO) VALUES (604, 8, 'Ödeme Tipleri', 'ADMIN');
INSERT INTO Q_frmmaster (PR_ID, PR_PARENT, PR_NAME, PR_INFO) VALUES (605, 8, 'Kategori Tanımları', 'ADMIN');
INSERT INTO Q_frmmaster (PR_ID, PR_PARENT, PR_NAME, PR_INFO) VALUES (606, 8, 'Tip Kodlama', 'ADMIN');
INSERT INTO Q_frmmaster (PR_ID, PR_PARENT, PR_NAME, PR_INFO) VALUES (607, 8, 'Birim Kodlama', 'ADMIN');
INSERT INTO Q_frmmaster (PR_ID, PR_PARENT, PR_NAME, PR_INFO) VALUES (608, 8, 'Bugs', 'ADMIN');
INSERT INTO Q_frmmaster (PR_ID, PR_PARENT, PR_NAME, PR_INFO) VALUES (609, 8, 'Garson ve Kasiyer Mode', 'ADMIN');
INSERT INTO Q_frmmaster (PR_ID, PR_PARENT, PR_NAME, PR_INFO) VALUES (620, 8, 'Cari Gruplar', 'ADMIN');
INSERT INTO Q_frmmaster (PR_ID, PR_PARENT, PR_NAME, PR_INFO) VALUES (631, 8, 'Masraf Yerleri Tanımlama', 'ADMIN');
INSERT INTO Q_frmmaster (PR_ID, PR_PARENT, PR_NAME, PR_INFO) VALUES (640, 8, 'Hit Ürünleri Ayarla(Satış İçin)', 'ADMIN');
INSERT INTO Q_frmmaster (PR_ID, PR_PARENT, PR_NAME, PR_INFO) VALUES (641, 8, 'Kdv Hesaplama Oranı', 'ADMIN');
INSERT INTO Q_frmmaster (PR_ID, PR_PARENT, PR_NAME, PR_INFO) VALUES (666, 601, 'Departman Tanımları', 'ADMIN');
INSERT INTO Q_frmmaster (PR_ID, PR_PARENT, PR_NAME, PR_INFO) VALUES (667, 601, 'Sipariş Yazıcıları', 'ADMIN');
INSERT INTO Q_frmmaster (PR_ID, PR_PARENT, PR_NAME, PR_INFO) VALUES (668, 601, 'Menü Tanımları ve Dizayn', 'ADMIN');
INSERT INTO Q_frmmaster (PR_ID, PR_PARENT, PR_NAME, PR_INFO) VALUES (670, 601, 'Masaları Adlandır', 'ADMIN');
INSERT INTO Q_frmmaster (PR_ID, PR_PARENT, PR_NAME, PR_INFO) VALUES (9001, 0, 'Grup Tanımları', 'ADMIN');
INSERT INTO Q_frmmaster (PR_ID, PR_PARENT, PR_NAME, PR_INFO) VALUES (9002, 0, 'Stok Kartları', 'ADMIN');
INSERT INTO Q_frmmaster (PR_ID, PR_PARENT, PR_NAME, PR_INFO) VALUES (9010, 0, 'Reçete Tanımları', 'ADMIN');
INSERT INTO Q_frmmaster (PR_ID, PR_PARENT, PR_NAME, PR_INFO) VALUES (9020, 0, 'Asgari Stok Takibi', 'ADMIN');
INSERT INTO Q_frmmaster (PR_ID, PR_PARENT, PR_NAME, PR_INFO) VALUES (9030, 0, 'Kullanılan ve Kullanılmayan Stoklar', 'ADMIN');
INSERT INTO Q_frmmaster (PR_ID, PR_PARENT, PR_NAME, PR_INFO) VALUES (9040, 0, 'Zayi ve Tüketim İşleme', 'ADMIN');
INSERT INTO Q_frmmaster (PR_ID, PR_PARENT, PR_NAME, PR_INFO) VALUES (9042, 0, 'Transfer Işlemleri', 'ADMIN');
INSERT INTO Q_frmmaster (PR_ID, PR_PARENT, PR_NAME, PR_INFO) VALUES (9065, 0, 'Stok Hareketleri', 'ADMIN');
INSERT INTO Q_frmmaster (PR_ID, PR_PARENT, PR_NAME, PR_INFO) VALUES (9066, 0, 'Ürün Hareketleri', 'ADMIN');
INSERT INTO Q_frmmaster (PR_ID, PR_PARENT, PR_NAME, PR_INFO) VALUES (9075, 0, 'Stok Barkod Basım', 'ADMIN');
INSERT INTO Q_frmmaster (PR_ID, PR_PARENT, PR_NAME, PR_INFO) VALUES (9080, 0, 'Stok İzleme', 'ADMIN');
INSERT INTO Q_frmmaster (PR_ID, PR_PARENT, PR_NAME, PR_INFO) VALUES (9090, 0, 'El Terminali ile Stok Sayımı', 'ADMIN');
INSERT INTO Q_frmmaster (PR_ID, PR_PARENT, PR_NAME, PR_INFO) VALUES (9094, 0, 'Son Kullanım Tarihi Girişi', 'ADMIN');
INSERT INTO Q_frmmaster (PR_ID, PR_PARENT, PR_NAME, PR_INFO) VALUES (9100, 0, 'Stok Sayım Tablosu', 'ADMIN');
INSERT INTO Q_frmmaster (PR_ID, PR_PARENT, PR_NAME, PR_INFO) VALUES (9110, 0, 'Bugün Satılabilir Ürünler', 'ADMIN');
INSERT INTO Q_frmmaster (PR_ID, PR_PARENT, PR_NAME, PR_INFO) VALUES (9501, 0, 'Grafik Raporlar', 'ADMIN');
INSERT INTO Q_frmmaster (PR_ID, PR_PARENT, PR_NAME, PR_INFO) VALUES (9504, 0, 'Fiyat Değerlendirmeleri', 'ADMIN');
INSERT INTO Q_frmmaster (PR_ID, PR_PARENT, PR_NAME, PR_INFO) VALUES (9506, 0, 'Genel Cost', 'ADMIN');
INSERT INTO Q_frmmaster (PR_ID, PR_PARENT, PR_NAME, PR_INFO) VALUES (9515, 0, 'Satış Analiz', 'ADMIN');
INSERT INTO Q_frmmaster (PR_ID, PR_PARENT, PR_NAME, PR_INFO) VALUES (520, 0, 'Sayıma Göre Durum Raporu', 'ADMIN');
INSERT INTO Q_frmmaster (PR_ID, PR_PARENT, PR_NAME, PR_INFO) VALUES (521, 0, 'Stok Maliyet Analizleri', 'ADMIN');
INSERT INTO Q_frmmaster (PR_ID, PR_PARENT, PR_NAME, PR_INFO) VALUES (9522, 0, 'Genel Analizler', 'ADMIN');
INSERT INTO Q_frmmaster (PR_ID, PR_PARENT, PR_NAME, PR_INFO) VALUES (9992, 0, 'Ürün Adisyon Raporları', 'ADMIN');
