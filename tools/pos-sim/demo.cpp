#include "demo.h"

#include "demo_catalogue.h"

#include "app/permissions.h"
#include "db/values.h"

#include <QHash>
#include <QRandomGenerator>
#include <algorithm>
#include <cmath>
#include <map>

namespace pos {

namespace {

namespace cat = catalogue;

double round4(double v)
{
    return std::round(v * 10000.0) / 10000.0;
}

// A document key or recipe number: the moment of creation, day first.
QString momentKey(const QDateTime& m)
{
    return m.toString(QStringLiteral("dd.MM.yyyy HH:mm:ss"));
}

QString reversed(const QString& s)
{
    QString r = s;
    std::reverse(r.begin(), r.end());
    return r;
}

struct Card {
    QString code;
    QString name;
    QString group;
    QString unit;
    QString baseUnit;
    double factor = 1;
    double price = 0;
    double vat = 1;
    double cost = 0;  // semi-finished goods: cost of one batch
    bool semi = false;
    double yield = 0;
    QString supplier;
};

struct Builder {
    db::Session& s;
    DemoScale scale;
    std::function<void(const QString&)> progress;
    QRandomGenerator rnd;
    QDate firstDay;
    QDate lastDay;
    QStringList departments;
    std::vector<Card> cards;            // stock items and semi-finished goods
    QHash<QString, size_t> cardByCode;  // KODU -> index
    QHash<QString, size_t> cardByName;  // base name (first card of that name) -> index
    QHash<QString, QString> supplierOfGroup;
    QHash<QString, QString> supplierCode;
    QHash<QString, QString> categoryOfGroup;
    DemoSummary summary;
    QDateTime clock;  // creation moments of records keyed by time, one second apart

    Builder(db::Session& session, const DemoScale& sc, const std::function<void(const QString&)>& p)
        : s(session), scale(sc), progress(p), rnd(sc.seed)
    {
        lastDay = scale.lastDay.isValid() ? scale.lastDay : QDate::currentDate().addDays(-1);
        firstDay = lastDay.addDays(-(scale.days - 1));
        clock = QDateTime(firstDay.addDays(-30), QTime(9, 0, 0));
    }

    void say(const QString& text)
    {
        if (progress)
            progress(text);
    }
    QDateTime tick()
    {
        clock = clock.addSecs(1);
        return clock;
    }
    double vary(double v, double percent) { return v * (1.0 + (rnd.generateDouble() * 2 - 1) * percent / 100.0); }

    void codeLists();
    void accounts();
    void stockCards();
    void recipes();
    void halls();
    void users();
    void rates();
    void events();
    void sales();
    void productions();
    void waste();
    void transfersAndPurchases();
    void count();
    void minimumStock();
};

void Builder::codeLists()
{
    const QStringList names{"Ana Depo", "Mutfak", "Bar", "Restoran"};
    for (int i = 0; i < scale.departments; ++i)
        departments << (i < names.size() ? names[i] : QString("Depo %1").arg(i + 1, 2, 10, QChar('0')));
    for (const QString& d : departments)
        s.exec("INSERT INTO Q_DEPARTMENT (DEPARTMENT) VALUES (:d)", {{"d", d}});
    const QList<QPair<QString, QString>> units{{"KG", "GR"},     {"LT", "ML"},      {"ADET", "ADET"},
                                               {"KOLI", "ADET"}, {"PAKET", "GR"},   {"PAKET", "ADET"},
                                               {"SISE", "ML"},   {"DEMET", "ADET"}, {"PORSIYON", "PORSIYON"}};
    for (const auto& [olcu, birim] : units)
        s.exec("INSERT INTO Q_BIRIMS (Olcu, Birim) VALUES (:o, :b)", {{"o", olcu}, {"b", birim}});
    for (const char* c : {"Yiyecek", "İçecek", "Diğer"})
        s.exec("INSERT INTO Q_CATEGORY (CATEGORY) VALUES (:c)", {{"c", QString::fromUtf8(c)}});
    for (const char* t : {"Gıda", "Alkollü", "Alkolsüz", "Sarf"})
        s.exec("INSERT INTO Q_TYPES (TYPE) VALUES (:t)", {{"t", QString::fromUtf8(t)}});
    auto group = [&](const cat::StockGroup& g, int stock) {
        s.exec("INSERT INTO Q_GRUPS (GRUP, CATEGORY, TYPE, STOK, xchol, fatura) VALUES (:g, :c, :t, :s, :x, :f)",
               {{"g", QString::fromUtf8(g.name)},
                {"c", QString::fromUtf8(g.category)},
                {"t", QString::fromUtf8(g.type)},
                {"s", stock},
                {"x", g.alcohol ? 1 : 0},
                {"f", stock ? QStringLiteral("Fatura") : QStringLiteral("Kasa")}});
        categoryOfGroup.insert(QString::fromUtf8(g.name), QString::fromUtf8(g.category));
    };
    for (const auto& g : cat::stockGroups())
        group(g, 1);
    for (const auto& g : cat::productGroups())
        group(g, 0);
    for (const char* p : {"NAKIT", "KREDI KARTI", "YEMEK KARTI", "KREDI"})
        s.exec("INSERT INTO Q_ODEMETIPI (odemetipi, SIRA, FIS, POS, bank) VALUES (:p, :s, 1, :pos, 0)",
               {{"p", QString::fromLatin1(p)},
                {"s", QString::fromLatin1(p) == "NAKIT" ? 1 : 2},
                {"pos", QString::fromLatin1(p) == "KREDI KARTI" ? 1 : 0}});
    for (const char* m : {"Mutfak", "Bar", "Temizlik", "Personel Yemeği", "Bakım Onarım"})
        s.exec("INSERT INTO Q_MASRAFLAR (MASRAFYERI) VALUES (:m)", {{"m", QString::fromUtf8(m)}});
    s.exec("INSERT INTO Q_KASA (KASANO, KASAADI, KOD, ACIKLAMA) VALUES ('1', 'Merkez Kasa', 1, 'Genel kasa')");
}

void Builder::accounts()
{
    for (const char* g : {"Kasa", "Tedarikçi", "Müşteri", "Personel"})
        s.exec("INSERT INTO Q_CUST_GRP (CARGRUP) VALUES (:g)", {{"g", QString::fromUtf8(g)}});
    const auto& sup = cat::suppliers();
    for (size_t i = 0; i < sup.size(); ++i) {
        const QString code = QString("320.01.%1").arg(i + 1, 3, 10, QChar('0'));
        const QString name = QString::fromUtf8(sup[i]);
        supplierCode.insert(name, code);
        s.exec(
            "INSERT INTO Q_CUSTOMER (HESNO, HESADI, Grup, Telefon, Adres, aktif, bastar) VALUES (:n, :a, "
            "'Tedarikçi', :t, :ad, 1, :b)",
            {{"n", code},
             {"a", name},
             {"t", QString("0232 %1 %2").arg(rnd.bounded(200, 999)).arg(rnd.bounded(1000, 9999))},
             {"ad", QStringLiteral("İzmir")},
             {"b", firstDay.addDays(-60)}});
    }
    const auto& cus = cat::customers();
    for (size_t i = 0; i < cus.size(); ++i)
        s.exec(
            "INSERT INTO Q_CUSTOMER (HESNO, HESADI, Grup, Telefon, aktif, ustlimit, bastar) VALUES (:n, :a, "
            "'Müşteri', :t, 1, :l, :b)",
            {{"n", QString("120.01.%1").arg(i + 1, 3, 10, QChar('0'))},
             {"a", QString::fromUtf8(cus[i])},
             {"t", QString("0532 %1 %2").arg(rnd.bounded(100, 999)).arg(rnd.bounded(1000, 9999))},
             {"l", i % 3 == 0 ? 5000.0 : -1.0},
             {"b", firstDay.addDays(-60)}});
    // Stock groups and their usual supplier.
    const QList<QPair<const char*, int>> bySupplier{
        {"Et ve Tavuk", 0},  {"Deniz Ürünleri", 1},    {"Sebze", 2},         {"Meyve", 2},
        {"Süt Ürünleri", 3}, {"Bakliyat ve Tahıl", 4}, {"Unlu Mamul", 5},    {"Alkolsüz İçecek", 6},
        {"Temizlik", 7},     {"Baharat", 8},           {"Kuru Gıda", 8},     {"Ambalaj", 9},
        {"Yağlar", 10},      {"Konserve ve Sos", 10},  {"Sıcak İçecek", 10}, {"Alkollü İçecek", 11}};
    for (const auto& [g, i] : bySupplier)
        supplierOfGroup.insert(QString::fromUtf8(g), QString::fromUtf8(sup[size_t(i)]));
}

void Builder::stockCards()
{
    say(QStringLiteral("Stok kartları yazılıyor..."));
    const auto& base = cat::stockItems();
    const auto& suffixes = cat::variantSuffixes();
    db::Statement ins(
        s,
        "INSERT INTO Q_ITEMS (KDVTAKIP, MAXMIK, SONKULPLUDAY, KODU, BARKOD, ADI, TANIMI, BIRIM, BIRIMAGR, "
        "BIRIMMIK, GRUP, STOKTAKIP, AFIYAT, SFIYAT, MINFIYAT, KALITE, ACIKLAMA, STOK, MALZ, KDV, "
        "MIN_MIK, AMBMIKTAR, URETICI) VALUES (0, 0, :gun, :kod, :barkod, :adi, :tanim, :birim, :agr, "
        ":bmik, :grup, :takip, :afiyat, 0, :afiyat, 'TL', '', 1, 0, :kdv, 0, :amb, :uretici) "
        "RETURNING URUN_ID");
    for (int i = 0; i < scale.stockItems; ++i) {
        const auto& b = base[size_t(i) % base.size()];
        const int variant = i / int(base.size());
        Card c;
        c.name = QString::fromUtf8(b.name);
        if (variant > 0)
            c.name += " " + (variant <= int(suffixes.size()) ? QString::fromUtf8(suffixes[size_t(variant - 1)])
                                                             : QString("Çeşit %1").arg(variant, 3, 10, QChar('0')));
        c.code = QString("ST%1").arg(i + 1, 5, 10, QChar('0'));
        c.group = QString::fromUtf8(b.group);
        c.unit = QString::fromUtf8(b.unit);
        c.baseUnit = QString::fromUtf8(b.baseUnit);
        c.factor = b.factor;
        c.price = std::round(vary(b.price, variant ? 15 : 0) * 100) / 100;
        c.vat = b.vat;
        c.supplier = supplierOfGroup.value(c.group);
        const QString barcode = i % 2 ? QString("869%1").arg(1000000000 + i * 7919LL % 999999999) : QString();
        ins.insert({{"gun", c.group == "Süt Ürünleri" || c.group == "Et ve Tavuk" ? 7.0 : 0.0},
                    {"kod", c.code},
                    {"barkod", barcode},
                    {"adi", c.name},
                    {"tanim", c.name},
                    {"birim", c.unit},
                    {"agr", c.factor},
                    {"bmik", 1.0},
                    {"grup", c.group},
                    {"takip", i % 5 < 2 ? "1" : "0"},
                    {"afiyat", c.price},
                    {"kdv", c.vat},
                    {"amb", c.baseUnit},
                    {"uretici", c.supplier}});
        cardByCode.insert(c.code, cards.size());
        if (!cardByName.contains(c.name))
            cardByName.insert(c.name, cards.size());
        cards.push_back(c);
    }
    summary.stockItems = scale.stockItems;
}

// Semi-finished goods first (products use them), then the products.
void Builder::recipes()
{
    say(QStringLiteral("Reçeteler yazılıyor..."));
    db::Statement card(
        s,
        "INSERT INTO Q_ITEMS (KODU, receno, URUN, YARIMAMUL, ADI, GRUP, SFIYAT, MINFIYAT, KDV, MALIYET, "
        "BIRIMAGR, AMBMIKTAR, BIRIMMIK, SATNO, SIRA, secenek, terazi) VALUES (:kod, :receno, :urun, :yari, "
        ":adi, :grup, :sfiyat, :minfiyat, :kdv, :maliyet, :agr, :amb, :bmik, :satno, :sira, 0, 0)");
    db::Statement line(
        s,
        "INSERT INTO Q_ITEMS_DETAY (ReceteKodu, StokKodu, StokAdi, Fiyati, Miktar, Tutar, AMBMIKTAR, KDV, "
        "receno, afiyat, bmiktar, oran, firemik, firebirim, firetut) VALUES (:rk, :sk, :sa, :f, :m, :t, "
        ":amb, :kdv, :receno, :f, 0, :oran, 0, :amb, 0)");

    auto write = [&](const cat::Recipe& r, const QString& name, double scaleQty, bool semi, int n, int swap) {
        const QString receno = momentKey(tick());
        const QString code = reversed(receno);
        struct L {
            const Card* card;
            double qty;
            double unitCost;
        };
        std::vector<L> lines;
        for (size_t k = 0; k < r.lines.size(); ++k) {
            const auto& ing = r.lines[k];
            auto it = cardByName.constFind(QString::fromUtf8(ing.name));
            if (it == cardByName.constEnd())
                continue;
            const Card* c = &cards[*it];
            // Variants of a recipe use variant items now and then.
            if (swap > 0 && int(k) == swap % int(r.lines.size()) && !c->semi) {
                const size_t alt = (*it + size_t(swap) * cat::stockItems().size()) % cards.size();
                if (!cards[alt].semi && cards[alt].group == c->group)
                    c = &cards[alt];
            }
            const double unit = c->semi ? round4(c->cost / c->yield / (c->vat / 100.0 + 1.0))
                                        : round4(c->price / c->factor / (c->vat / 100.0 + 1.0));
            lines.push_back({c, ing.quantity * scaleQty, unit});
        }
        double total = 0;
        for (const auto& l : lines)
            total += l.unitCost * l.qty;
        for (const auto& l : lines)
            line.exec({{"rk", code},
                       {"sk", l.card->code},
                       {"sa", l.card->name},
                       {"f", l.unitCost},
                       {"m", l.qty},
                       {"t", l.unitCost * l.qty},
                       {"amb", l.card->baseUnit},
                       {"kdv", l.card->vat},
                       {"receno", receno},
                       {"oran", total > 0 ? round4(l.unitCost * l.qty / total * 100.0) : 0.0}});
        const double markup = QString::fromUtf8(r.group).contains("İçecek") ? 2.6 : 3.3;
        double price = semi ? 0 : std::max(5.0, std::ceil(total * markup / 5.0) * 5.0);
        if (!semi && lines.empty())
            price = 30;  // cover charge
        card.exec({{"kod", code},
                   {"receno", receno},
                   {"urun", semi ? 0 : 1},
                   {"yari", semi ? 1 : 0},
                   {"adi", name},
                   {"grup", semi ? QStringLiteral("Yarımamuller") : QString::fromUtf8(r.group)},
                   {"sfiyat", price},
                   {"minfiyat", std::round(price * 0.9)},
                   {"kdv", r.vat},
                   {"maliyet", total},
                   {"agr", semi ? r.yield * scaleQty : 0.0},
                   {"amb", semi ? QStringLiteral("GR") : QString()},
                   {"bmik", semi ? 100.0 : 0.0},
                   {"satno", double(n + 1)},
                   {"sira", n + 1}});
        if (semi) {
            Card c;
            c.code = code;
            c.name = name;
            c.group = QStringLiteral("Yarımamuller");
            c.baseUnit = QStringLiteral("GR");
            c.unit = QStringLiteral("GR");
            c.factor = 1;
            c.vat = r.vat;
            c.cost = total;
            c.yield = r.yield * scaleQty;
            c.semi = true;
            cardByCode.insert(c.code, cards.size());
            cardByName.insert(c.name, cards.size());
            cards.push_back(c);
        }
    };
    for (const auto& r : cat::semiFinished())
        write(r, QString::fromUtf8(r.name), 1.0, true, 0, 0);
    static const char* variants[] = {"(Büyük)", "(Küçük)", "(Çift)", "(Özel)", "(Ev Usulü)", "(Fırında)"};
    const auto& base = cat::products();
    for (int i = 0; i < scale.products; ++i) {
        const auto& r = base[size_t(i) % base.size()];
        const int variant = i / int(base.size());
        QString name = QString::fromUtf8(r.name);
        double qty = 1.0;
        if (variant > 0) {
            name += " " + (variant <= 6 ? QString::fromUtf8(variants[variant - 1]) : QString("No.%1").arg(variant));
            qty = variant == 1 || variant == 3 ? 1.5 : variant == 2 ? 0.7 : 1.0 + (variant % 5) * 0.1;
        }
        write(r, name, qty, false, i, variant);
    }
    summary.products = scale.products;
}

void Builder::halls()
{
    say(QStringLiteral("Salonlar ve masalar yazılıyor..."));
    struct H {
        const char* name;
        int tables;
        double service;
        const char* prefix;
    };
    const H list[] = {{"Restoran", 30, 0, ""}, {"Bar", 12, 0, "B"}, {"Teras", 20, 10, "T"}};
    int n = 0;
    for (const H& h : list) {
        const QString hall = QString::fromUtf8(h.name);
        s.exec(
            "INSERT INTO Q_Admin (hall_name, hall_pwd, view_table, caption1, caption2, caption3, auto_print, "
            "ask_del, ask_back, ask_disc, ask_ser, which_port, which_prnt, table_count, waiter_prim_percent, "
            "add_service_percent, kuversor, adisyonyaz) VALUES (:h, '1111', 1, 'PELLANTRA RESTAURANT', :c2, "
            "'AFIYET OLSUN', 1, 1, 1, 1, 0, 'Lpt1', 1, :t, 2, :s, 1, 1)",
            {{"h", hall}, {"c2", hall.toUpper()}, {"t", h.tables}, {"s", h.service}});
        s.exec("INSERT INTO Q_CUSTOMER (HESNO, HESADI, Grup, aktif, bastar) VALUES (:n, :h, 'Kasa', 1, :b)",
               {{"n", QString("100.01.%1").arg(++n, 3, 10, QChar('0'))}, {"h", hall}, {"b", firstDay.addDays(-60)}});
        for (int t = 1; t <= h.tables; ++t)
            s.exec("INSERT INTO Q_master_table (hall_name, Masa, Masaadi, sira) VALUES (:h, :m, :a, :s)",
                   {{"h", hall},
                    {"m", QString("%1%2").arg(QString::fromLatin1(h.prefix)).arg(t)},
                    {"a", QString("Masa %1").arg(t)},
                    {"s", t}});
        for (const auto& g : cat::productGroups()) {
            const QString group = QString::fromUtf8(g.name);
            if (group == "Yarımamuller")
                continue;
            const bool drink = QString::fromUtf8(g.category) == "İçecek";
            const QString dept = hall == "Bar" || drink ? QStringLiteral("Bar") : QStringLiteral("Mutfak");
            if (hall == "Bar" && !drink && group != "Ara Sıcaklar" && group != "Diğer Satışlar")
                continue;  // the bar sells drinks and snacks
            s.exec("INSERT INTO Q_Admin_Second (hall_name, GRUP, DEPARTMENT) VALUES (:h, :g, :d)",
                   {{"h", hall}, {"g", group}, {"d", dept}});
        }
        for (const char* d : {"Mutfak", "Bar"})
            s.exec("INSERT INTO Q_Admin_Details (hall_name, DEPARTMENT, PRNT_PATH, BASLIK) VALUES (:h, :d, :p, :b)",
                   {{"h", hall},
                    {"d", QString::fromLatin1(d)},
                    {"p", QString("\\\\SERVER\\%1").arg(QString::fromLatin1(d).toUpper())},
                    {"b", QString::fromLatin1(d).toUpper() + " SIPARIS"}});
    }
    summary.halls = 3;
}

void Builder::users()
{
    auto user = [&](const QString& name, const QString& code, const QString& role, int manager) {
        s.exec("INSERT INTO Q_userkontrol (username, pwd, bolum, yonetim) VALUES (:u, :p, :b, :y)",
               {{"u", name}, {"p", code}, {"b", role}, {"y", manager}});
    };
    user(QString::fromLatin1(kDemoAdminName), QString::fromLatin1(kDemoAdminCode), "Admin", 1);
    user("Maliyet", "5555", "Cost Control", 0);
    int n = 0;
    for (const char* w : cat::waiters())
        user(QString::fromUtf8(w), QString::number(2001 + n++), "Garson", 0);
    n = 0;
    for (const char* c : cat::cashiers()) {
        const QString code = QString::number(3001 + n++);
        user(QString::fromUtf8(c), code, "Kasiyer", 0);
        // A cashier's desk in the general book carries the cashier's name.
        s.exec("INSERT INTO Q_KASA (KASANO, KASAADI, KOD, ACIKLAMA) VALUES (:no, :a, :k, 'Kasiyer')",
               {{"no", QString::number(n + 1)}, {"a", QString::fromUtf8(c)}, {"k", n + 1}});
    }
    // A private desk, opened from the main window by its own code.
    s.exec("INSERT INTO Q_KASA2 (KASANO, KASAADI, KOD, ACIKLAMA) VALUES ('1', 'Özel Kasa', '4321', 'Özel')");
    // The administrator gets every category and every entry of the catalogue.
    app::grantFullModule(s, QString::fromLatin1(kDemoAdminName));
}

void Builder::rates()
{
    const QList<std::tuple<const char*, const char*, double>> cur{
        {"USD", "ABD Doları", 34.2}, {"EUR", "Euro", 37.1}, {"GBP", "İngiliz Sterlini", 43.6}};
    for (const auto& [k, a, v] : cur)
        s.exec("INSERT INTO KURTANIM (kisa, ad) VALUES (:k, :a)",
               {{"k", QString::fromLatin1(k)}, {"a", QString::fromUtf8(a)}});
    db::Statement ins(s, "INSERT INTO KUR (kurdate, ad, kisa, tlal, tlsat) VALUES (:d, :a, :k, :al, :sat)");
    for (QDate d = firstDay; d <= lastDay.addDays(1); d = d.addDays(1)) {
        if (d.dayOfWeek() > 5)
            continue;
        for (const auto& [k, a, v] : cur) {
            const double drift = v * (1.0 + 0.0004 * firstDay.daysTo(d)) * (1.0 + (rnd.generateDouble() - 0.5) * 0.004);
            ins.exec({{"d", d},
                      {"a", QString::fromUtf8(a)},
                      {"k", QString::fromLatin1(k)},
                      {"al", round4(drift)},
                      {"sat", round4(drift * 1.004)}});
        }
    }
}

void Builder::events()
{
    const QDate today = QDate::currentDate();
    const QDate monday = today.addDays(1 - today.dayOfWeek());
    const QList<std::tuple<int, int, int, const char*, const char*>> list{
        {0, 10, 11, "Haftalık mutfak toplantısı", "Toplantı Odası"},
        {1, 9, 10, "Et tedarikçisi ile fiyat görüşmesi", "Ofis"},
        {2, 15, 16, "Bar sayımı", "Bar"},
        {3, 11, 12, "Yeni menü tadımı", "Restoran"},
        {4, 18, 23, "Özel grup rezervasyonu (40 kişi)", "Teras"},
        {5, 8, 9, "Ana depo sayımı", "Ana Depo"}};
    for (const auto& [day, from, to, caption, where] : list)
        s.exec(
            "INSERT INTO Q_Events (Type, Start, Finish, Options, Caption, Location, Message, State, LabelColor) "
            "VALUES (0, :s, :f, 0, :c, :l, '', 0, :col)",
            {{"s", QDateTime(monday.addDays(day), QTime(from, 0))},
             {"f", QDateTime(monday.addDays(day), QTime(to, 0))},
             {"c", QString::fromUtf8(caption)},
             {"l", QString::fromUtf8(where)},
             {"col", 0x3399ff + day * 0x101010}});
}

void Builder::sales()
{
    say(QStringLiteral("Satışlar (adisyonlar) yazılıyor..."));
    Simulator sim(s, PosConfig::load(s), scale.seed + 1);
    SimOptions o;
    o.firstDay = firstDay;
    o.days = scale.days;
    o.billsPerDay = scale.billsPerDay;
    o.openTables = 4;
    summary.sales = sim.writeDays(o);
}

// Semi-finished goods are produced in the kitchen every Monday for the week's use.
void Builder::productions()
{
    say(QStringLiteral("Üretimler yazılıyor..."));
    db::Statement log(s,
                      "INSERT INTO Q_URETIM (KODU, ADI, gdepartment, cdepartment, tarih, saat, miktar, emp, tamam) "
                      "VALUES (:k, :a, 'Mutfak', 'Mutfak', :t, '08:30:00', :m, :e, 1) RETURNING U_ID");
    db::Statement mov(s,
                      "INSERT INTO Q_ITEMS_MOV (tarih, Saat, Islem, StokKodu, StokAdi, Grup, department, Olcu, Birim, "
                      "BIRIMMIK, Adet, Giren, Cikan, urun, Maliyet, uretno) VALUES (:t, '08:30:00', :i, :k, :a, :g, "
                      "'Mutfak', :o, :b, :q, :adet, :in, :out, 0, :mal, :u)");
    for (const Card& sf : cards) {
        if (!sf.semi)
            continue;
        const auto use = s.select(
            "SELECT tarih, SUM(Cikan) AS q FROM Q_ITEMS_MOV WHERE StokKodu = :k AND urun = 0 "
            "GROUP BY tarih",
            {{"k", sf.code}});
        std::map<int, double> perWeek;
        for (const auto& r : use)
            perWeek[int(firstDay.daysTo(r.date("tarih")) / 7)] += r.number("q");
        const auto lines =
            s.select("SELECT StokKodu, StokAdi, Miktar FROM Q_ITEMS_DETAY WHERE ReceteKodu = :k", {{"k", sf.code}});
        for (const auto& [week, qty] : perWeek) {
            const double batches = std::ceil(qty * 1.1 / sf.yield);
            const QDate day = firstDay.addDays(week * 7);
            const qint64 id = log.insert({{"k", sf.code}, {"a", sf.name}, {"t", day}, {"m", batches}, {"e", "admin"}});
            mov.exec({{"t", day},
                      {"i", "Üretim"},
                      {"k", sf.code},
                      {"a", sf.name},
                      {"g", sf.group},
                      {"o", sf.baseUnit},
                      {"b", sf.unit},
                      {"q", batches * sf.yield},
                      {"adet", batches},
                      {"in", batches * sf.yield},
                      {"out", 0.0},
                      {"mal", batches * sf.cost},
                      {"u", id}});
            for (const auto& l : lines) {
                const Card& c = cards[cardByCode.value(l.text("StokKodu"))];
                const double q = l.number("Miktar") * batches;
                mov.exec({{"t", day},
                          {"i", "Tüketim"},
                          {"k", c.code},
                          {"a", c.name},
                          {"g", c.group},
                          {"o", c.baseUnit},
                          {"b", c.unit},
                          {"q", q},
                          {"adet", q / c.factor},
                          {"in", 0.0},
                          {"out", q},
                          {"mal", q / c.factor * c.price},
                          {"u", id}});
            }
        }
    }
}

void Builder::waste()
{
    say(QStringLiteral("Zayi ve tüketim fişleri yazılıyor..."));
    db::Statement header(s, "INSERT INTO Q_TUKETIM_MAS (Fno, emp, tarih) VALUES (:f, 'admin', :t)");
    db::Statement line(
        s,
        "INSERT INTO Q_TUKETIM (emp, tarih, saat, StokKodu, StokAdi, Grup, department, Olcu, Birim, "
        "BIRIMMIK, Adet, Fiyat, Tutar, KdvTutari, Zayi, fno, Islem, ack) VALUES ('admin', :t, :s, :k, :a, "
        ":g, :d, :o, :b, :q, :adet, :f, :tutar, :kdv, :q, :fno, :i, :ack) RETURNING Z_ID");
    db::Statement mov(s,
                      "INSERT INTO Q_ITEMS_MOV (tarih, Saat, Islem, StokKodu, StokAdi, Grup, department, Olcu, Birim, "
                      "BIRIMMIK, Adet, urun, Fiyat, Tutar, KdvTutari, Zayi, tuketim, ack) VALUES (:t, :s, :i, :k, :a, "
                      ":g, :d, :o, :b, :q, :adet, 0, :f, :tutar, :kdv, :q, :z, :ack)");
    static const char* reasons[] = {"Bozuldu", "Tarihi geçti", "Döküldü", "Personel yemeği", "Temizlik"};
    for (QDate day = firstDay.addDays(1); day <= lastDay; day = day.addDays(7)) {
        const QDateTime at(day, QTime(22, 30, 0));
        const QString fno = momentKey(at);
        header.exec({{"f", fno}, {"t", day}});
        const int n = 3 + int(rnd.bounded(4));
        for (int k = 0; k < n; ++k) {
            const Card& c = cards[rnd.bounded(quint32(std::min<size_t>(cards.size(), cat::stockItems().size())))];
            if (c.semi)
                continue;
            const QString kind =
                k == 0 ? QStringLiteral("Personel") : (k % 3 ? QStringLiteral("Zayi") : QStringLiteral("Tüketim"));
            const QString dept = c.group.contains("İçecek") ? QStringLiteral("Bar") : QStringLiteral("Mutfak");
            const double adet = c.factor >= 100 ? std::round((0.2 + rnd.generateDouble()) * 10) / 10 : 1.0;
            const double q = adet * c.factor;
            const double amount = adet * c.price;
            const double vat = amount - amount / (1.0 + c.vat / 100.0);
            const db::Params p{{"t", day},        {"s", db::timeText(at.time())},
                               {"k", c.code},     {"a", c.name},
                               {"g", c.group},    {"d", dept},
                               {"o", c.baseUnit}, {"b", c.unit},
                               {"q", q},          {"adet", adet},
                               {"f", c.price},    {"tutar", amount},
                               {"kdv", vat},      {"fno", fno},
                               {"i", kind},       {"ack", QString::fromUtf8(reasons[k % 5])}};
            const qint64 z = line.insert(p);
            db::Params m = p;
            m["z"] = double(z);
            mov.exec(m);
        }
    }
}

// Every Monday the kitchen and the bar get from the main store what they will
// use that week; every Saturday before, the main store buys it from the
// suppliers. Semi-finished goods are made, not bought.
void Builder::transfersAndPurchases()
{
    say(QStringLiteral("Transferler ve alış faturaları yazılıyor..."));
    const QString mainStore = departments.value(0);
    // Use per week, item and department (outside the main store).
    std::map<std::tuple<int, QString, QString>, double> use;
    {
        auto c = s.cursor(
            "SELECT tarih, StokKodu, department, SUM(Cikan) + SUM(Zayi) AS q FROM Q_ITEMS_MOV WHERE urun = 0 "
            "AND department <> :m GROUP BY tarih, StokKodu, department",
            {{"m", mainStore}});
        while (c.next()) {
            const auto r = c.row();
            const int week = int(firstDay.daysTo(r.date("tarih")) / 7);
            use[{std::max(0, week), r.text("StokKodu"), r.text("department")}] += r.number("q");
        }
    }
    db::Statement head(s, "INSERT INTO Q_TRANSFER_ID (MDY, tarih, saat) VALUES ('admin', :t, :s) RETURNING MD_ID");
    db::Statement line(
        s,
        "INSERT INTO Q_TRANSFER (transnum, emp, tarih, saat, StokKodu, StokAdi, Grup, department, Olcu, "
        "Birim, BIRIMMIK, Adet, Zayi, hedef) VALUES (:n, 'admin', :t, :s, :k, :a, :g, :src, :olcu, :bmik, "
        ":q, :adet, :q, :dst) RETURNING T_ID");
    db::Statement mov(s,
                      "INSERT INTO Q_ITEMS_MOV (tarih, Saat, Islem, StokKodu, StokAdi, Grup, department, Olcu, Birim, "
                      "BIRIMMIK, Adet, urun, tuketim, Giren, Cikan, hall_name) VALUES (:t, :s, 'Transfer', :k, :a, :g, "
                      ":d, :o, :b, :q, :adet, 0, :tid, :in, :out, :other)");
    std::map<std::pair<int, QString>, double> bought;  // (week, item) -> base units to buy
    std::map<std::pair<int, QString>, std::vector<std::pair<QString, double>>> byWeekDept;
    for (const auto& [key, q] : use) {
        const auto& [week, code, dept] = key;
        const auto it = cardByCode.constFind(code);
        if (it == cardByCode.constEnd() || cards[*it].semi)
            continue;
        byWeekDept[{week, dept}].push_back({code, q});
    }
    for (const auto& [key, items] : byWeekDept) {
        const auto& [week, dept] = key;
        const QDate day = firstDay.addDays(week * 7);
        const QString time = QStringLiteral("07:30:00");
        const qint64 id = head.insert({{"t", day}, {"s", time}});
        double total = 0;
        for (const auto& [code, q] : items) {
            const Card& c = cards[cardByCode.value(code)];
            const double adet = std::ceil(q * 1.08 / c.factor);
            const double base = adet * c.factor;
            const qint64 tid = line.insert({{"n", double(id)},
                                            {"t", day},
                                            {"s", time},
                                            {"k", c.code},
                                            {"a", c.name},
                                            {"g", c.group},
                                            {"src", mainStore},
                                            {"olcu", c.unit},
                                            {"bmik", 1.0},
                                            {"q", base},
                                            {"adet", adet},
                                            {"dst", dept}});
            total += adet * c.price;
            const db::Params common{{"t", day},     {"s", time},         {"k", c.code}, {"a", c.name},
                                    {"g", c.group}, {"o", c.baseUnit},   {"b", c.unit}, {"q", base},
                                    {"adet", adet}, {"tid", double(tid)}};
            db::Params out = common;
            out["d"] = mainStore;
            out["in"] = 0.0;
            out["out"] = base;
            out["other"] = dept;
            mov.exec(out);
            db::Params in = common;
            in["d"] = dept;
            in["in"] = base;
            in["out"] = 0.0;
            in["other"] = mainStore;
            mov.exec(in);
            // The main store buys a little more than it hands out.
            bought[{week, code}] += std::ceil(base * 1.12 / c.factor) * c.factor;
        }
        s.exec("UPDATE Q_TRANSFER_ID SET Toplam = :t WHERE MD_ID = :id", {{"t", total}, {"id", id}});
        ++summary.transfers;
    }

    // Purchases, one invoice per supplier and week.
    db::Statement inv(s,
                      "INSERT INTO Q_INVOICE (Fno, tur, fatno, HESNO, HESADI, hesgrup, tarih, saat, Department, Durum, "
                      "Fgrup, Opsiyon, KDV, KDVTutar, Tutar, Toplam, emp, ACK, iskonto, odemetipi, KASAADI, vadetar, "
                      "sube) VALUES (:fno, 'Alış', :fatno, :hesno, :hesadi, 'Tedarikçi', :t, :s, :d, :durum, 'Fatura', "
                      "30, 0, :kdv, :tutar, :toplam, 'admin', '', 0, :odeme, :kasa, :vade, 'MERKEZ')");
    db::Statement buy(
        s,
        "INSERT INTO Q_ITEMS_MOV (ISKTUTAR1, ISKTUTAR2, ISKONTO1, ISKONTO2, afiyat, tarih, Saat, fno, "
        "Islem, HESNO, HESADI, hesgrup, StokKodu, StokAdi, Grup, department, Olcu, Birim, BIRIMMIK, Adet, "
        "Giren, Cikan, urun, Fiyat, Tutar, Kdv, KdvTutari) VALUES (0, 0, 0, 0, :f, :t, :s, :fno, 'Alış', "
        ":hesno, :hesadi, 'Tedarikçi', :k, :a, :g, :d, :o, :b, :q, :adet, :q, 0, 0, :f, :tutar, :kdv, "
        ":kdvt)");
    db::Statement price(s, "UPDATE Q_ITEMS SET MINFIYAT = AFIYAT, AFIYAT = :f, KDV = :kdv WHERE KODU = :k");
    db::Statement history(
        s, "INSERT INTO Q_ITEMS_F_CHANGE (KODU, AFIYAT, TARIH, fno, HESADI) VALUES (:k, :f, :t, :fno, :h)");
    db::Statement account(s,
                          "INSERT INTO Q_CUSTOMER_DETAILS (Q_odemetipi, fno, HESNO, HESADI, GRUP, SAAT, tarih, detay, "
                          "Borc, Alacak) VALUES (:odeme, :fno, :hesno, :hesadi, 'Tedarikçi', :s, :t, :detay, :borc, "
                          ":alacak)");
    db::Statement cash(s,
                       "INSERT INTO Q_KASA_DETAY (HESADI, Saat, Tarih, Detay, Q_odemetipi, Borc, Alacak, AHESAP, AADI, "
                       "AGRUP, FDETAY) VALUES ('Merkez Kasa', :s, :t, :detay, 'NAKIT', :borc, 0, :hesno, :hesadi, "
                       "'Tedarikçi', :fno)");
    std::map<std::pair<int, QString>, std::vector<std::pair<QString, double>>> invoices;  // (week, supplier)
    for (const auto& [key, q] : bought) {
        const Card& c = cards[cardByCode.value(key.second)];
        invoices[{key.first, c.supplier}].push_back({c.code, q});
    }
    const int weeks = (scale.days + 6) / 7;
    int number = 0;
    for (const auto& [key, items] : invoices) {
        const auto& [week, supplier] = key;
        const QDate day = firstDay.addDays(week * 7 - 2);
        const QDateTime created(day, QTime(10, 0, 0).addSecs(60 * ++number % 28800));
        const QString fno = momentKey(created);
        const QString fatno = QString("A%1").arg(240000 + number);
        const QString hesno = supplierCode.value(supplier);
        // The last two weeks' invoices are still open, the others were paid in cash.
        const bool open = week >= weeks - 2;
        double net = 0, gross = 0;
        for (const auto& [code, q] : items) {
            Card& c = cards[cardByCode.value(code)];
            c.price = std::round(vary(c.price, 3) * 100) / 100;
            const double adet = q / c.factor;
            const double amount = adet * c.price;
            const double vat = amount - amount / (1.0 + c.vat / 100.0);
            buy.exec({{"f", c.price},
                      {"t", day},
                      {"s", db::timeText(created.time())},
                      {"fno", fno},
                      {"hesno", hesno},
                      {"hesadi", supplier},
                      {"k", c.code},
                      {"a", c.name},
                      {"g", c.group},
                      {"d", departments.value(0)},
                      {"o", c.baseUnit},
                      {"b", c.unit},
                      {"q", q},
                      {"adet", adet},
                      {"tutar", amount},
                      {"kdv", c.vat},
                      {"kdvt", vat}});
            price.exec({{"f", c.price}, {"kdv", c.vat}, {"k", c.code}});
            history.exec({{"k", c.code}, {"f", c.price}, {"t", day}, {"fno", fno}, {"h", supplier}});
            gross += amount;
            net += amount - vat;
        }
        inv.exec({{"fno", fno},
                  {"fatno", fatno},
                  {"hesno", hesno},
                  {"hesadi", supplier},
                  {"t", day},
                  {"s", db::timeText(created.time())},
                  {"d", departments.value(0)},
                  {"durum", open ? QStringLiteral("Açık") : QStringLiteral("Kapalı")},
                  {"kdv", gross - net},
                  {"tutar", net},
                  {"toplam", gross},
                  {"odeme", open ? QString() : QStringLiteral("NAKIT")},
                  {"kasa", open ? QString() : QStringLiteral("Merkez Kasa")},
                  {"vade", day.addDays(30)}});
        account.exec({{"odeme", QStringLiteral("Alış Faturası")},
                      {"fno", fno},
                      {"hesno", hesno},
                      {"hesadi", supplier},
                      {"s", db::timeText(created.time())},
                      {"t", day},
                      {"detay", QStringLiteral("Alış Faturası")},
                      {"borc", 0.0},
                      {"alacak", gross}});
        if (!open) {
            account.exec({{"odeme", QStringLiteral("NAKIT")},
                          {"fno", fno},
                          {"hesno", hesno},
                          {"hesadi", supplier},
                          {"s", db::timeText(created.time())},
                          {"t", day},
                          {"detay", QStringLiteral("Fatura Ödeme")},
                          {"borc", gross},
                          {"alacak", 0.0}});
            cash.exec({{"s", db::timeText(created.time())},
                       {"t", day},
                       {"detay", fatno + "  Fatura Ödeme"},
                       {"borc", gross},
                       {"hesno", hesno},
                       {"hesadi", supplier},
                       {"fno", fno}});
        }
        ++summary.invoices;
    }
}

// A count of the kitchen's food in the middle of the period.
void Builder::count()
{
    say(QStringLiteral("Sayım yazılıyor..."));
    const QDate day = firstDay.addDays(scale.days / 2);
    const QDateTime at(day, QTime(23, 0, 0));
    const QString number = momentKey(at);
    const auto stock = s.select(
        "SELECT m.StokKodu, SUM(m.Giren) AS giren, SUM(m.Cikan) AS cikan, SUM(m.Zayi) AS zayi, "
        "SUM(m.Giren) - SUM(m.Cikan) - SUM(m.Zayi) AS kalan FROM Q_ITEMS_MOV m WHERE m.urun = 0 AND "
        "m.department = 'Mutfak' AND m.zaman <= :at GROUP BY m.StokKodu ORDER BY m.StokKodu",
        {{"at", at}});
    db::Statement all(
        s,
        "INSERT INTO Q_ITEMS_INVENTORY_ALL (tarih, Saat, StokKodu, StokAdi, Grup, department, Olcu, "
        "Birim, BIRIMMIK, AMBMIKTAR, Adet, Giren, Cikan, Zayi, Olcusay, birimsay, kalan, Islem, devreden, "
        "devir, fark, toplam, emp, sayimno, KATEGORY, sayimkalan, fazla, eksik) VALUES (:t, :s, :k, :a, "
        ":g, 'Mutfak', :o, :agr, :agr, :b, :birimsay, :giren, :cikan, :zayi, :sayim, :birimsay, :sayim, "
        ":islem, 0, :sayim, :fark, '', 'admin', :no, 'Yiyecek', :kalan, :fazla, :eksik)");
    db::Statement mov(
        s,
        "INSERT INTO Q_ITEMS_MOV (Saat, tarih, ozet, Islem, StokKodu, StokAdi, Grup, department, Olcu, "
        "Birim, BIRIMMIK, Adet, Giren, Cikan, urun) VALUES (:s, :t, :no, :islem, :k, :a, :g, 'Mutfak', :o, "
        ":b, :agr, :birimsay, :in, :out, 0)");
    for (const auto& r : stock) {
        const auto it = cardByCode.constFind(r.text("StokKodu"));
        if (it == cardByCode.constEnd())
            continue;
        const Card& c = cards[*it];
        if (c.semi || categoryOfGroup.value(c.group) != "Yiyecek")
            continue;
        const double kalan = r.number("kalan");
        double counted = kalan;
        if (rnd.generateDouble() < 0.35)
            counted = std::max(0.0, std::round(kalan * (1.0 + (rnd.generateDouble() - 0.6) * 0.08)));
        const double diff = counted - kalan;
        const QString kind = diff > 0   ? QStringLiteral("S.Alış")
                             : diff < 0 ? QStringLiteral("S.Tüketim")
                                        : QStringLiteral("Devir");
        const db::Params p{{"t", day},
                           {"s", db::timeText(at.time())},
                           {"k", c.code},
                           {"a", c.name},
                           {"g", c.group},
                           {"o", c.baseUnit},
                           {"agr", c.factor},
                           {"b", c.unit},
                           {"birimsay", counted / c.factor},
                           {"giren", r.number("giren")},
                           {"cikan", r.number("cikan")},
                           {"zayi", r.number("zayi")},
                           {"sayim", counted},
                           {"islem", kind},
                           {"fark", std::abs(diff)},
                           {"no", number},
                           {"kalan", kalan},
                           {"fazla", diff > 0 ? diff : 0.0},
                           {"eksik", diff < 0 ? -diff : 0.0},
                           {"in", diff > 0 ? diff : 0.0},
                           {"out", diff < 0 ? -diff : 0.0}};
        all.exec(p);
        if (diff != 0)
            mov.exec(p);
    }
}

// Watched items get a minimum of about a few days' use; some fall under it.
void Builder::minimumStock()
{
    const auto rows = s.select(
        "SELECT StokKodu, SUM(Cikan) + SUM(Zayi) AS q FROM Q_ITEMS_MOV WHERE urun = 0 AND "
        "department IN ('Mutfak', 'Bar') GROUP BY StokKodu");
    db::Statement upd(s, "UPDATE Q_ITEMS SET MIN_MIK = :m, MAXMIK = :x WHERE KODU = :k AND STOKTAKIP = '1'");
    for (const auto& r : rows) {
        const double weekly = r.number("q") / std::max(1.0, scale.days / 7.0);
        const double factor = 0.15 + rnd.generateDouble() * 0.5;
        upd.exec({{"m", std::round(weekly * factor)}, {"x", std::round(weekly * 6)}, {"k", r.text("StokKodu")}});
    }
}

}  // namespace

DemoScale DemoScale::bench(qint64 ledgerRows)
{
    DemoScale s;
    s.stockItems = 5000;
    s.products = 5000;
    s.departments = 20;
    s.billsPerDay = 800;
    // About 14 ledger rows a bill (products and their ingredients); the stock
    // documents add a few percent.
    s.days = int(std::max<qint64>(7, ledgerRows / (qint64(s.billsPerDay) * 14)));
    s.seed = 424242;
    return s;
}

DemoSummary buildDemo(db::Session& session, const DemoScale& scale, const std::function<void(const QString&)>& progress)
{
    if (session.scalar("SELECT COUNT(*) FROM Q_ITEMS").toInt() > 0)
        throw db::Error(QStringLiteral("Veritabanı boş değil: örnek kurulum yalnızca boş bir veritabanına yazılır."));
    Builder b(session, scale, progress);
    {
        db::Transaction tx(session);
        b.codeLists();
        b.accounts();
        b.stockCards();
        b.recipes();
        b.halls();
        b.users();
        b.rates();
        b.events();
        tx.commit();
    }
    b.sales();
    {
        db::Transaction tx(session);
        b.productions();
        b.waste();
        b.transfersAndPurchases();
        b.count();
        b.minimumStock();
        tx.commit();
    }
    b.summary.ledgerRows = session.scalar("SELECT COUNT(*) FROM Q_ITEMS_MOV").toLongLong();
    return b.summary;
}

}  // namespace pos
