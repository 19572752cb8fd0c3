#include "demo_catalogue.h"

namespace pos::catalogue {

const std::vector<StockGroup>& stockGroups()
{
    static const std::vector<StockGroup> g{
        {"Et ve Tavuk", "Yiyecek", "Gıda", false},     {"Deniz Ürünleri", "Yiyecek", "Gıda", false},
        {"Sebze", "Yiyecek", "Gıda", false},           {"Meyve", "Yiyecek", "Gıda", false},
        {"Süt Ürünleri", "Yiyecek", "Gıda", false},    {"Bakliyat ve Tahıl", "Yiyecek", "Gıda", false},
        {"Unlu Mamul", "Yiyecek", "Gıda", false},      {"Yağlar", "Yiyecek", "Gıda", false},
        {"Baharat", "Yiyecek", "Gıda", false},         {"Kuru Gıda", "Yiyecek", "Gıda", false},
        {"Konserve ve Sos", "Yiyecek", "Gıda", false}, {"Alkolsüz İçecek", "İçecek", "Alkolsüz", false},
        {"Alkollü İçecek", "İçecek", "Alkollü", true}, {"Sıcak İçecek", "İçecek", "Alkolsüz", false},
        {"Temizlik", "Diğer", "Sarf", false},          {"Ambalaj", "Diğer", "Sarf", false},
    };
    return g;
}

const std::vector<StockGroup>& productGroups()
{
    static const std::vector<StockGroup> g{
        {"Çorbalar", "Yiyecek", "Gıda", false},           {"Ana Yemekler", "Yiyecek", "Gıda", false},
        {"Izgaralar", "Yiyecek", "Gıda", false},          {"Salatalar", "Yiyecek", "Gıda", false},
        {"Ara Sıcaklar", "Yiyecek", "Gıda", false},       {"Kahvaltı", "Yiyecek", "Gıda", false},
        {"Tatlılar", "Yiyecek", "Gıda", false},           {"Sıcak İçecekler", "İçecek", "Alkolsüz", false},
        {"Soğuk İçecekler", "İçecek", "Alkolsüz", false}, {"Alkollü İçecekler", "İçecek", "Alkollü", true},
        {"Diğer Satışlar", "Diğer", "Sarf", false},       {"Yarımamuller", "Yiyecek", "Gıda", false},
    };
    return g;
}

const std::vector<StockBase>& stockItems()
{
    static const std::vector<StockBase> s{
        // Et ve Tavuk
        {"Dana Kıyma", "Et ve Tavuk", "KG", "GR", 1000, 650, 1},
        {"Dana Bonfile", "Et ve Tavuk", "KG", "GR", 1000, 1250, 1},
        {"Dana Antrikot", "Et ve Tavuk", "KG", "GR", 1000, 980, 1},
        {"Dana Kuşbaşı", "Et ve Tavuk", "KG", "GR", 1000, 720, 1},
        {"Kuzu Pirzola", "Et ve Tavuk", "KG", "GR", 1000, 1150, 1},
        {"Kuzu Kuşbaşı", "Et ve Tavuk", "KG", "GR", 1000, 820, 1},
        {"Tavuk Göğüs", "Et ve Tavuk", "KG", "GR", 1000, 215, 1},
        {"Tavuk But", "Et ve Tavuk", "KG", "GR", 1000, 175, 1},
        {"Tavuk Kanat", "Et ve Tavuk", "KG", "GR", 1000, 160, 1},
        {"Sucuk", "Et ve Tavuk", "KG", "GR", 1000, 620, 1},
        {"Pastırma", "Et ve Tavuk", "KG", "GR", 1000, 1350, 1},
        // Deniz Ürünleri
        {"Levrek", "Deniz Ürünleri", "KG", "GR", 1000, 460, 1},
        {"Çipura", "Deniz Ürünleri", "KG", "GR", 1000, 430, 1},
        {"Somon Fileto", "Deniz Ürünleri", "KG", "GR", 1000, 920, 1},
        {"Karides", "Deniz Ürünleri", "KG", "GR", 1000, 780, 1},
        {"Kalamar", "Deniz Ürünleri", "KG", "GR", 1000, 540, 1},
        // Sebze
        {"Domates", "Sebze", "KG", "GR", 1000, 38, 1},
        {"Salatalık", "Sebze", "KG", "GR", 1000, 32, 1},
        {"Kuru Soğan", "Sebze", "KG", "GR", 1000, 19, 1},
        {"Sarımsak", "Sebze", "KG", "GR", 1000, 160, 1},
        {"Patates", "Sebze", "KG", "GR", 1000, 22, 1},
        {"Sivri Biber", "Sebze", "KG", "GR", 1000, 48, 1},
        {"Kapya Biber", "Sebze", "KG", "GR", 1000, 58, 1},
        {"Patlıcan", "Sebze", "KG", "GR", 1000, 42, 1},
        {"Kabak", "Sebze", "KG", "GR", 1000, 33, 1},
        {"Havuç", "Sebze", "KG", "GR", 1000, 24, 1},
        {"Marul", "Sebze", "ADET", "ADET", 1, 22, 1},
        {"Maydanoz", "Sebze", "DEMET", "ADET", 1, 12, 1},
        {"Dereotu", "Sebze", "DEMET", "ADET", 1, 12, 1},
        {"Roka", "Sebze", "KG", "GR", 1000, 95, 1},
        {"Kültür Mantarı", "Sebze", "KG", "GR", 1000, 125, 1},
        {"Limon", "Sebze", "KG", "GR", 1000, 42, 1},
        {"Ispanak", "Sebze", "KG", "GR", 1000, 46, 1},
        // Meyve
        {"Elma", "Meyve", "KG", "GR", 1000, 36, 1},
        {"Portakal", "Meyve", "KG", "GR", 1000, 32, 1},
        {"Muz", "Meyve", "KG", "GR", 1000, 62, 1},
        {"Çilek", "Meyve", "KG", "GR", 1000, 125, 1},
        {"Üzüm", "Meyve", "KG", "GR", 1000, 58, 1},
        {"Karpuz", "Meyve", "KG", "GR", 1000, 14, 1},
        // Süt Ürünleri
        {"Süt", "Süt Ürünleri", "LT", "ML", 1000, 34, 1},
        {"Yoğurt", "Süt Ürünleri", "KG", "GR", 1000, 72, 1},
        {"Beyaz Peynir", "Süt Ürünleri", "KG", "GR", 1000, 290, 1},
        {"Kaşar Peyniri", "Süt Ürünleri", "KG", "GR", 1000, 390, 1},
        {"Tereyağı", "Süt Ürünleri", "KG", "GR", 1000, 460, 1},
        {"Krema", "Süt Ürünleri", "LT", "ML", 1000, 145, 1},
        {"Yumurta", "Süt Ürünleri", "KOLI", "ADET", 30, 185, 1},
        {"Mozzarella", "Süt Ürünleri", "KG", "GR", 1000, 360, 1},
        {"Parmesan", "Süt Ürünleri", "KG", "GR", 1000, 920, 1},
        // Bakliyat ve Tahıl
        {"Kırmızı Mercimek", "Bakliyat ve Tahıl", "KG", "GR", 1000, 62, 1},
        {"Nohut", "Bakliyat ve Tahıl", "KG", "GR", 1000, 68, 1},
        {"Kuru Fasulye", "Bakliyat ve Tahıl", "KG", "GR", 1000, 84, 1},
        {"Pirinç", "Bakliyat ve Tahıl", "KG", "GR", 1000, 56, 1},
        {"Bulgur", "Bakliyat ve Tahıl", "KG", "GR", 1000, 36, 1},
        {"Spagetti", "Bakliyat ve Tahıl", "PAKET", "GR", 500, 26, 1},
        {"Penne Makarna", "Bakliyat ve Tahıl", "PAKET", "GR", 500, 27, 1},
        {"Buğday Unu", "Bakliyat ve Tahıl", "KG", "GR", 1000, 24, 1},
        // Unlu Mamul
        {"Ekmek", "Unlu Mamul", "ADET", "ADET", 1, 10, 1},
        {"Lavaş", "Unlu Mamul", "PAKET", "ADET", 10, 42, 1},
        {"Hamburger Ekmeği", "Unlu Mamul", "PAKET", "ADET", 6, 45, 1},
        {"Yufka", "Unlu Mamul", "PAKET", "ADET", 3, 36, 1},
        // Yağlar
        {"Zeytinyağı", "Yağlar", "LT", "ML", 1000, 390, 1},
        {"Ayçiçek Yağı", "Yağlar", "LT", "ML", 1000, 92, 1},
        // Baharat
        {"Tuz", "Baharat", "KG", "GR", 1000, 12, 1},
        {"Karabiber", "Baharat", "KG", "GR", 1000, 420, 1},
        {"Pul Biber", "Baharat", "KG", "GR", 1000, 310, 1},
        {"Kimyon", "Baharat", "KG", "GR", 1000, 360, 1},
        {"Kekik", "Baharat", "KG", "GR", 1000, 260, 1},
        {"Nane", "Baharat", "KG", "GR", 1000, 230, 1},
        {"Toz Şeker", "Baharat", "KG", "GR", 1000, 38, 1},
        {"Tarçın", "Baharat", "KG", "GR", 1000, 380, 1},
        // Kuru Gıda
        {"Ceviz İçi", "Kuru Gıda", "KG", "GR", 1000, 460, 1},
        {"Antep Fıstığı", "Kuru Gıda", "KG", "GR", 1000, 1100, 1},
        {"Bitter Çikolata", "Kuru Gıda", "KG", "GR", 1000, 420, 1},
        {"Bal", "Kuru Gıda", "KG", "GR", 1000, 360, 1},
        {"Siyah Zeytin", "Kuru Gıda", "KG", "GR", 1000, 185, 1},
        {"Nişasta", "Kuru Gıda", "KG", "GR", 1000, 60, 1},
        // Konserve ve Sos
        {"Domates Salçası", "Konserve ve Sos", "KG", "GR", 1000, 125, 1},
        {"Biber Salçası", "Konserve ve Sos", "KG", "GR", 1000, 145, 1},
        {"Ketçap", "Konserve ve Sos", "KG", "GR", 1000, 95, 1},
        {"Mayonez", "Konserve ve Sos", "KG", "GR", 1000, 115, 1},
        {"Nar Ekşisi", "Konserve ve Sos", "LT", "ML", 1000, 165, 1},
        // Alkolsüz İçecek
        {"Kola 33 cl", "Alkolsüz İçecek", "KOLI", "ADET", 24, 490, 20},
        {"Gazoz 25 cl", "Alkolsüz İçecek", "KOLI", "ADET", 24, 370, 20},
        {"Meyve Suyu 20 cl", "Alkolsüz İçecek", "KOLI", "ADET", 27, 310, 20},
        {"Maden Suyu 20 cl", "Alkolsüz İçecek", "KOLI", "ADET", 24, 185, 20},
        {"Su 50 cl", "Alkolsüz İçecek", "KOLI", "ADET", 12, 62, 20},
        {"Ayran 30 cl", "Alkolsüz İçecek", "KOLI", "ADET", 20, 210, 1},
        {"Tonik 25 cl", "Alkolsüz İçecek", "KOLI", "ADET", 24, 420, 20},
        // Alkollü İçecek
        {"Rakı 70 cl", "Alkollü İçecek", "SISE", "ML", 700, 920, 20},
        {"Bira 50 cl", "Alkollü İçecek", "KOLI", "ADET", 20, 1450, 20},
        {"Kırmızı Şarap 75 cl", "Alkollü İçecek", "SISE", "ML", 750, 460, 20},
        {"Beyaz Şarap 75 cl", "Alkollü İçecek", "SISE", "ML", 750, 430, 20},
        {"Viski 70 cl", "Alkollü İçecek", "SISE", "ML", 700, 1650, 20},
        {"Votka 70 cl", "Alkollü İçecek", "SISE", "ML", 700, 1150, 20},
        {"Cin 70 cl", "Alkollü İçecek", "SISE", "ML", 700, 1250, 20},
        // Sıcak İçecek
        {"Siyah Çay", "Sıcak İçecek", "KG", "GR", 1000, 260, 1},
        {"Türk Kahvesi", "Sıcak İçecek", "KG", "GR", 1000, 620, 1},
        {"Espresso Çekirdek", "Sıcak İçecek", "KG", "GR", 1000, 940, 1},
        {"Salep", "Sıcak İçecek", "KG", "GR", 1000, 820, 1},
        {"Bitki Çayı", "Sıcak İçecek", "PAKET", "ADET", 20, 65, 1},
        // Temizlik
        {"Bulaşık Deterjanı", "Temizlik", "LT", "ML", 1000, 95, 20},
        {"Yüzey Temizleyici", "Temizlik", "LT", "ML", 1000, 80, 20},
        {"Kağıt Peçete", "Temizlik", "KOLI", "ADET", 2400, 520, 20},
        {"Çöp Poşeti", "Temizlik", "PAKET", "ADET", 50, 70, 20},
        // Ambalaj
        {"Paket Servis Kabı", "Ambalaj", "KOLI", "ADET", 100, 320, 20},
        {"Karton Bardak", "Ambalaj", "KOLI", "ADET", 1000, 540, 20},
    };
    return s;
}

const std::vector<Recipe>& semiFinished()
{
    static const std::vector<Recipe> r{
        {"Domates Sosu",
         "",
         10,
         {{"Domates", 2500}, {"Kuru Soğan", 300}, {"Sarımsak", 50}, {"Zeytinyağı", 100}, {"Tuz", 20}},
         2200},
        {"Köfte Harcı",
         "",
         10,
         {{"Dana Kıyma", 4000}, {"Kuru Soğan", 600}, {"Ekmek", 4}, {"Tuz", 50}, {"Kimyon", 20}, {"Karabiber", 10}},
         4800},
        {"Beşamel Sos", "", 10, {{"Süt", 2000}, {"Tereyağı", 150}, {"Buğday Unu", 150}, {"Tuz", 10}}, 2200},
    };
    return r;
}

const std::vector<Recipe>& products()
{
    static const std::vector<Recipe> r{
        {"Mercimek Çorbası",
         "Çorbalar",
         10,
         {{"Kırmızı Mercimek", 80},
          {"Kuru Soğan", 20},
          {"Havuç", 15},
          {"Tereyağı", 10},
          {"Buğday Unu", 5},
          {"Tuz", 2}}},
        {"Ezogelin Çorbası",
         "Çorbalar",
         10,
         {{"Kırmızı Mercimek", 60}, {"Bulgur", 20}, {"Pirinç", 10}, {"Domates Salçası", 10}, {"Nane", 1}}},
        {"Yayla Çorbası",
         "Çorbalar",
         10,
         {{"Yoğurt", 120}, {"Pirinç", 20}, {"Nane", 1}, {"Tereyağı", 10}, {"Yumurta", 0.2}}},
        {"Domates Çorbası", "Çorbalar", 10, {{"Domates Sosu", 200}, {"Krema", 20}, {"Kaşar Peyniri", 15}}},
        {"Kuru Fasulye",
         "Ana Yemekler",
         10,
         {{"Kuru Fasulye", 120},
          {"Kuru Soğan", 30},
          {"Domates Salçası", 15},
          {"Ayçiçek Yağı", 15},
          {"Dana Kuşbaşı", 40}}},
        {"Etli Nohut",
         "Ana Yemekler",
         10,
         {{"Nohut", 120}, {"Dana Kuşbaşı", 60}, {"Kuru Soğan", 30}, {"Domates Salçası", 15}, {"Tereyağı", 10}}},
        {"Karnıyarık",
         "Ana Yemekler",
         10,
         {{"Patlıcan", 300},
          {"Dana Kıyma", 100},
          {"Kuru Soğan", 40},
          {"Domates", 80},
          {"Sivri Biber", 30},
          {"Ayçiçek Yağı", 40}}},
        {"Tavuk Sote",
         "Ana Yemekler",
         10,
         {{"Tavuk Göğüs", 200}, {"Kapya Biber", 60}, {"Domates", 80}, {"Kuru Soğan", 40}, {"Zeytinyağı", 15}}},
        {"Mantarlı Tavuk",
         "Ana Yemekler",
         10,
         {{"Tavuk Göğüs", 180}, {"Kültür Mantarı", 100}, {"Krema", 60}, {"Tereyağı", 10}}},
        {"Spagetti Napoliten", "Ana Yemekler", 10, {{"Spagetti", 125}, {"Domates Sosu", 150}, {"Parmesan", 10}}},
        {"Penne Arabiata",
         "Ana Yemekler",
         10,
         {{"Penne Makarna", 125}, {"Domates Sosu", 150}, {"Pul Biber", 2}, {"Zeytinyağı", 10}}},
        {"Fırın Makarna", "Ana Yemekler", 10, {{"Penne Makarna", 125}, {"Beşamel Sos", 150}, {"Kaşar Peyniri", 40}}},
        {"Izgara Köfte",
         "Izgaralar",
         10,
         {{"Köfte Harcı", 200}, {"Patates", 150}, {"Domates", 60}, {"Sivri Biber", 30}, {"Ayçiçek Yağı", 20}}},
        {"Adana Kebap",
         "Izgaralar",
         10,
         {{"Dana Kıyma", 200}, {"Pul Biber", 3}, {"Lavaş", 1}, {"Domates", 60}, {"Kuru Soğan", 40}}},
        {"Kuzu Pirzola", "Izgaralar", 10, {{"Kuzu Pirzola", 300}, {"Patates", 150}, {"Kekik", 1}}},
        {"Tavuk Şiş",
         "Izgaralar",
         10,
         {{"Tavuk Göğüs", 220}, {"Yoğurt", 30}, {"Kapya Biber", 40}, {"Pirinç", 80}, {"Tereyağı", 10}}},
        {"Bonfile Izgara", "Izgaralar", 10, {{"Dana Bonfile", 220}, {"Patates", 150}, {"Tereyağı", 15}, {"Roka", 20}}},
        {"Antrikot", "Izgaralar", 10, {{"Dana Antrikot", 280}, {"Patates", 150}, {"Karabiber", 2}}},
        {"Levrek Izgara", "Izgaralar", 10, {{"Levrek", 450}, {"Roka", 30}, {"Limon", 40}, {"Zeytinyağı", 10}}},
        {"Çipura Izgara", "Izgaralar", 10, {{"Çipura", 450}, {"Roka", 30}, {"Limon", 40}, {"Zeytinyağı", 10}}},
        {"Somon Izgara", "Izgaralar", 10, {{"Somon Fileto", 220}, {"Ispanak", 100}, {"Tereyağı", 15}}},
        {"Karides Güveç",
         "Izgaralar",
         10,
         {{"Karides", 180}, {"Domates", 100}, {"Kaşar Peyniri", 40}, {"Sarımsak", 10}, {"Tereyağı", 15}}},
        {"Çoban Salata",
         "Salatalar",
         10,
         {{"Domates", 150},
          {"Salatalık", 100},
          {"Sivri Biber", 30},
          {"Kuru Soğan", 30},
          {"Maydanoz", 0.2},
          {"Zeytinyağı", 15},
          {"Limon", 20}}},
        {"Mevsim Salata",
         "Salatalar",
         10,
         {{"Marul", 0.3}, {"Domates", 80}, {"Salatalık", 60}, {"Havuç", 30}, {"Zeytinyağı", 15}, {"Nar Ekşisi", 10}}},
        {"Roka Salata", "Salatalar", 10, {{"Roka", 100}, {"Parmesan", 15}, {"Domates", 50}, {"Zeytinyağı", 10}}},
        {"Sezar Salata",
         "Salatalar",
         10,
         {{"Marul", 0.5}, {"Tavuk Göğüs", 120}, {"Parmesan", 15}, {"Mayonez", 30}, {"Ekmek", 0.25}}},
        {"Patates Kızartması", "Ara Sıcaklar", 10, {{"Patates", 250}, {"Ayçiçek Yağı", 40}, {"Tuz", 2}}},
        {"Sigara Böreği",
         "Ara Sıcaklar",
         10,
         {{"Yufka", 0.5}, {"Beyaz Peynir", 80}, {"Maydanoz", 0.1}, {"Ayçiçek Yağı", 40}}},
        {"Kalamar Tava",
         "Ara Sıcaklar",
         10,
         {{"Kalamar", 200}, {"Buğday Unu", 30}, {"Ayçiçek Yağı", 50}, {"Limon", 20}}},
        {"Mantar Sote", "Ara Sıcaklar", 10, {{"Kültür Mantarı", 200}, {"Tereyağı", 15}, {"Sarımsak", 5}, {"Kekik", 1}}},
        {"Humus", "Ara Sıcaklar", 10, {{"Nohut", 120}, {"Zeytinyağı", 20}, {"Limon", 20}, {"Sarımsak", 5}}},
        {"Serpme Kahvaltı",
         "Kahvaltı",
         10,
         {{"Beyaz Peynir", 80},
          {"Kaşar Peyniri", 60},
          {"Siyah Zeytin", 50},
          {"Domates", 80},
          {"Salatalık", 60},
          {"Bal", 30},
          {"Tereyağı", 20},
          {"Yumurta", 2},
          {"Ekmek", 1}}},
        {"Menemen", "Kahvaltı", 10, {{"Yumurta", 3}, {"Domates", 150}, {"Sivri Biber", 50}, {"Tereyağı", 10}}},
        {"Sucuklu Yumurta", "Kahvaltı", 10, {{"Yumurta", 3}, {"Sucuk", 80}, {"Tereyağı", 5}}},
        {"Omlet", "Kahvaltı", 10, {{"Yumurta", 3}, {"Kaşar Peyniri", 30}, {"Tereyağı", 10}}},
        {"Sütlaç", "Tatlılar", 10, {{"Süt", 200}, {"Pirinç", 25}, {"Toz Şeker", 30}, {"Nişasta", 5}, {"Tarçın", 1}}},
        {"Kazandibi", "Tatlılar", 10, {{"Süt", 200}, {"Toz Şeker", 35}, {"Nişasta", 15}, {"Tereyağı", 5}}},
        {"Çikolatalı Sufle",
         "Tatlılar",
         10,
         {{"Bitter Çikolata", 60}, {"Tereyağı", 30}, {"Yumurta", 1}, {"Toz Şeker", 25}}},
        {"Meyve Tabağı",
         "Tatlılar",
         10,
         {{"Elma", 150}, {"Portakal", 150}, {"Muz", 100}, {"Üzüm", 100}, {"Çilek", 80}}},
        {"Fıstıklı Katmer", "Tatlılar", 10, {{"Yufka", 1}, {"Antep Fıstığı", 40}, {"Tereyağı", 30}, {"Toz Şeker", 20}}},
        {"Çay", "Sıcak İçecekler", 10, {{"Siyah Çay", 3}, {"Toz Şeker", 6}}},
        {"Türk Kahvesi", "Sıcak İçecekler", 10, {{"Türk Kahvesi", 7}, {"Su 50 cl", 0.2}}},
        {"Espresso", "Sıcak İçecekler", 10, {{"Espresso Çekirdek", 9}}},
        {"Sahlep", "Sıcak İçecekler", 10, {{"Salep", 15}, {"Süt", 200}, {"Tarçın", 1}}},
        {"Bitki Çayı", "Sıcak İçecekler", 10, {{"Bitki Çayı", 1}}},
        {"Kola", "Soğuk İçecekler", 10, {{"Kola 33 cl", 1}}},
        {"Gazoz", "Soğuk İçecekler", 10, {{"Gazoz 25 cl", 1}}},
        {"Meyve Suyu", "Soğuk İçecekler", 10, {{"Meyve Suyu 20 cl", 1}}},
        {"Maden Suyu", "Soğuk İçecekler", 10, {{"Maden Suyu 20 cl", 1}}},
        {"Su", "Soğuk İçecekler", 10, {{"Su 50 cl", 1}}},
        {"Ayran", "Soğuk İçecekler", 10, {{"Ayran 30 cl", 1}}},
        {"Limonata", "Soğuk İçecekler", 10, {{"Limon", 120}, {"Toz Şeker", 30}, {"Nane", 2}}},
        {"Rakı Tek", "Alkollü İçecekler", 20, {{"Rakı 70 cl", 40}}},
        {"Rakı Duble", "Alkollü İçecekler", 20, {{"Rakı 70 cl", 80}}},
        {"Bira", "Alkollü İçecekler", 20, {{"Bira 50 cl", 1}}},
        {"Kırmızı Şarap Kadeh", "Alkollü İçecekler", 20, {{"Kırmızı Şarap 75 cl", 150}}},
        {"Beyaz Şarap Kadeh", "Alkollü İçecekler", 20, {{"Beyaz Şarap 75 cl", 150}}},
        {"Viski Tek", "Alkollü İçecekler", 20, {{"Viski 70 cl", 40}}},
        {"Votka Tek", "Alkollü İçecekler", 20, {{"Votka 70 cl", 40}}},
        {"Cin Tonik", "Alkollü İçecekler", 20, {{"Cin 70 cl", 40}, {"Tonik 25 cl", 1}, {"Limon", 10}}},
        // A cover charge: sold, but consumes no stock.
        {"Kuver", "Diğer Satışlar", 10, {}},
    };
    return r;
}

const std::vector<const char*>& variantSuffixes()
{
    static const std::vector<const char*> v{"(Ekstra)",  "(Organik)",   "(Yerli)",    "(İthal)",     "(Dökme)",
                                            "(Paketli)", "(1. Kalite)", "(Ekonomik)", "(Büyük Boy)", "(Küçük Boy)"};
    return v;
}

const std::vector<const char*>& suppliers()
{
    static const std::vector<const char*> v{
        "Anadolu Et Gıda Ltd. Şti.",    "Ege Deniz Ürünleri A.Ş.",  "Bereket Sebze Meyve Hali", "Yayla Süt Ürünleri",
        "Karadeniz Bakliyat Tic.",      "Köşk Fırın ve Unlu Mamul", "Ulusoy İçecek Dağıtım",    "Mavi Temizlik Malz.",
        "Akdeniz Baharat ve Kuruyemiş", "Öz Ambalaj San. Tic.",     "Başkent Toptan Gıda",      "Marmara Şarap ve Rakı",
    };
    return v;
}

const std::vector<const char*>& customers()
{
    static const std::vector<const char*> v{
        "Kemal Aydın",       "Selin Yurt",       "Burak Öztürk",  "Elif Şahin",  "Orhan Çelik",
        "Deniz Turizm A.Ş.", "Yıldız Otelcilik", "Mehmet Kaya",   "Ayşe Demir",  "Güneş Organizasyon",
        "Can Erdem",         "Zeynep Arslan",    "Tekin Holding", "Hakan Polat", "Ece Koç",
    };
    return v;
}

const std::vector<const char*>& waiters()
{
    static const std::vector<const char*> v{"Ali", "Veli", "Ahmet", "Murat", "Serkan", "Emre"};
    return v;
}

const std::vector<const char*>& cashiers()
{
    static const std::vector<const char*> v{"Gülay", "Sibel"};
    return v;
}

}  // namespace pos::catalogue
