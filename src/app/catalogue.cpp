#include "app/catalogue.h"

namespace app {

const QList<CatalogueEntry>& catalogue()
{
    static const QList<CatalogueEntry> list{
        {46, std::nullopt, {}, {}, false},
        {101, 1, "Kasa Tanımları", "kasatanim_frm", false},
        {110, 1, "Kasa Işlemleri", "kasaislem_frm", false},
        {120, 1, "Kasiyer Devir Teslim", "kasadevir_frm", false},
        {121, 1, "Özel Kasalar", "kasaislem2_frm", false},
        {201, 2, "Cari Tanımları", "caritanim_frm", false},
        {202, 2, "Cari işlem Detayları", "cariislemdetay_frm", false},
        {205, 2, "Cari İşlemleri", "kasagiris_frm", false},
        {225, 2, "Virman Girişi", "mahsup_frm", false},
        {301, 3, "Sipariş", "siparis_frm", false},
        {302, 3, "Alış Faturası", "faturalistesi_frm", false},
        {303, 3, "Alış Irsaliyesi", "frmIrsaliyeList", false},
        {305, 3, "Stok Giriş", "stokgiris_frm", false},
        {306, std::nullopt, "Satış Faturası", "sfaturalistesi_frm", false},
        {307, std::nullopt, "Satış Irsaliyesi", {}, false},
        {437, 3, "Alış Hizmet Faturası", {}, false},
        {438, 3, "Satış Hizmet Faturası", {}, false},
        {410, 4, "Ödeme Tahsilat Planlama", "odemeplan_frm", false},
        {430, 4, "Reel Zam Oranları", "reelzam_frm", false},
        {431, 4, "Stok Alış Teklifleri", "alissip_frm", false},
        {432, 4, "Stok Satış Teklifleri", "satissip_frm", false},
        {435, 4, "Stok Alış Siparişleri", "alissip2_frm", false},
        {436, 4, "Stok Satış Siparişleri", "satissip2_frm", false},
        {550, 6, "Yarımamul Tanımlama", "yarimamul_frm", false},
        {555, 6, "Üretim Işlemleri", "uretim_frm", false},
        {556, 6, "Üretim Listesi", "uretimlist_frm", false},
        {559, 6, "Yarımamul Tüketim Zayi İşleme", "yarimamulzayi_frm", false},
        {560, 6, "Yarımamul Hareketleri", "yarimamulhare_frm", false},
        {601, 8, "Salon Tanımları", "salonadmin_frm", false},
        {602, 8, "Kullanıcı Tanımlama", "useredit_frm1", false},
        {603, 8, "Kur Girişi", "kurgiris_frm", false},
        {604, 8, "Ödeme Tipleri", "odemetip_frm", false},
        {605, 8, "Kategori Tanımları", "kategori_frm", false},
        {606, 8, "Tip Kodlama", "tip_frm", false},
        {607, 8, "Birim Kodlama", "birim_frm", false},
        {608, 8, "Bugs", "bugs_frm", false},
        {609, 8, "Garson ve Kasiyer Mode", "switchmode_frm", false},
        {620, 8, "Cari Gruplar", "carigruplar_frm", false},
        {631, 8, "Masraf Yerleri Tanımlama", "masraf_frm", false},
        {640, 8, "Hit Ürünleri Ayarla(Satış İçin)", "hiturunsatis_frm", false},
        {641, 8, "Kdv Hesaplama Oranı", "kdvorani_frm", true},
        {666, 601, "Departman Tanımları", "departman_frm", false},
        {667, 601, "Sipariş Yazıcıları", "siparisyazici_frm", false},
        {668, 601, "Menü Tanımları ve Dizayn", "menutanim_frm", false},
        {670, 601, "Masaları Adlandır", "masaisim_frm", true},
        {9001, 0, "Grup Tanımları", "stokgrup_frm", false},
        {9002, 0, "Stok Kartları", "stok_frm", false},
        {9010, 0, "Reçete Tanımları", "recetelistesi_frm", false},
        {9020, 0, "Asgari Stok Takibi", "stokkalan_frm", false},
        {9030, 0, "Kullanılan ve Kullanılmayan Stoklar", "kullanilanstok_frm", false},
        {9040, 0, "Zayi ve Tüketim İşleme", "zayiliste_frm", false},
        {9042, 0, "Transfer Işlemleri", "transfer_frm", false},
        {9065, 0, "Stok Hareketleri", "stokhareket_frm", false},
        {9066, 0, "Ürün Hareketleri", "urunsorgu_frm", false},
        {9075, 0, "Stok Barkod Basım", "stokbarcode_frm", false},
        {9080, 0, "Stok İzleme", "stokizle_frm", false},
        {9090, 0, "El Terminali ile Stok Sayımı", {}, false},
        {9094, 0, "Son Kullanım Tarihi Girişi", "sonkullanimtar_frm", false},
        {9100, 0, "Stok Sayım Tablosu", "stoksayim_frm", false},
        {9110, 0, "Bugün Satılabilir Ürünler", "bugunsat_frm", false},
        {9501, 0, "Grafik Raporlar", "costwaste_frm", false},
        {9504, 0, "Fiyat Değerlendirmeleri", "fiyatdeger_frm", false},
        {9506, 0, "Genel Cost", "genelcost_frm", false},
        {9515, 0, "Satış Analiz", "icesatisanaliz_frm", false},
        {9520, 0, "Sayıma Göre Durum Raporu", "sayimagoredurum_frm", false},
        {9521, 0, "Stok Maliyet Analizleri", "coststokmal_frm", false},
        {9522, 0, "Genel Analizler", {}, false},
        {9992, 0, "Ürün Adisyon Raporları", "raporlar_frm", true},
    };
    return list;
}

const CatalogueEntry* entryByCode(int code)
{
    for (const auto& e : catalogue())
        if (e.code == code)
            return &e;
    return nullptr;
}

const QList<CategoryItem>& panelCategories()
{
    static const QList<CategoryItem> list{
        {0, "Stok", "Stok", "stok"},
        {2, "Cari Kartlar", "Cari", "cari"},
        {1, "Kasa", "Kasa", "kasa"},
        {3, "Faturalar", "Faturalar", "satin"},
        {4, "Planlama", "Planlama", "plan"},
        {6, "Üretim", "Üretim", "uretim"},
        {8, "Yönetici ve Parametreler", "Parametreler", "yonet"},
    };
    return list;
}

const QList<QPair<int, QString>>& categoryRows()
{
    static const QList<QPair<int, QString>> list{
        {0, "Stok"},     {1, "Kasa"},         {2, "Cari Kartlar"}, {3, "Faturalar"},
        {4, "Planlama"}, {5, "Cost Control"}, {6, "Üretim"},       {8, "Yönetici ve Parametreler"}};
    return list;
}

QList<FixedEntry> fixedEntries(int category)
{
    switch (category) {
        case 0:
            return {{"Grup Cost Raporu", "foodcost_frm"},
                    {"Depolar Giriş Çıkış Raporu", "stokgiriscikis2_frm"},
                    {"Stok Mizan", "mizan_frm"},
                    {"Kategori Cost Raporu", "mrp_frm"},
                    {"Stok Ortalamaları", "stokortalama_frm"},
                    {"Stok Satış Raporu", "rapor_frm"},
                    {"Stok Sayım Onay", "sayimonay_frm"}};
        case 2:
            return {{"Cari Adisyon Detayları", "adisyondokum_frm"}, {"Toplu Cari İşlemleri", "about_frm"}};
        case 1:
            return {{"Kasa Raporları", "kasarapor_frm"}};
        case 3:
            return {{"Barkodlu Stok Giriş", "barkodlustokgiris_frm"}};
        case 8:
            return {{"Barkodlu Terazi Parametreleri", "terazi_frm"}, {"Merkezi Sistem Parametreleri", "merkez_frm"}};
        default:
            return {};
    }
}

QList<int> lightModuleEntries()
{
    return {9992, 110, 120, 9522, 225, 201, 202, 205, 9501, 9506, 9515, 601,  602,  603, 604,
            605,  606, 607, 608,  620, 631, 640, 666, 667,  668,  670,  9001, 9010, 9066};
}

QList<int> masterModuleEntries()
{
    return {9992, 101, 110, 120, 9522, 225, 201, 202, 205, 9501, 9504, 9506, 9515, 601,  602,  603,  604, 605,
            606,  607, 608, 609, 620,  631, 640, 666, 667, 668,  670,  9001, 9010, 9040, 9066, 9110, 641};
}

}  // namespace app
