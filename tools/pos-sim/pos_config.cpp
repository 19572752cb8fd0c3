#include "pos_config.h"

namespace pos {

PosConfig PosConfig::load(db::Session& s)
{
    PosConfig c;
    const auto departments = s.select("SELECT DEPARTMENT FROM Q_DEPARTMENT ORDER BY DEPO_ID");
    const QString firstDepartment = departments.empty() ? QString() : departments[0].text("DEPARTMENT");

    for (const auto& h : s.select("SELECT hall_name, add_service_percent FROM Q_Admin ORDER BY hall_id")) {
        Hall hall;
        hall.name = h.text("hall_name");
        hall.servicePercent = h.number("add_service_percent");
        for (const auto& t :
             s.select("SELECT Masa FROM Q_master_table WHERE hall_name = :h ORDER BY Q_ID", {{"h", hall.name}}))
            hall.tables << t.text("Masa");
        for (const auto& g : s.select("SELECT GRUP, DEPARTMENT FROM Q_Admin_Second WHERE hall_name = :h ORDER BY D_ID",
                                      {{"h", hall.name}})) {
            hall.departmentOfGroup.insert(g.text("GRUP"), g.text("DEPARTMENT"));
            if (!hall.groups.contains(g.text("GRUP")))
                hall.groups << g.text("GRUP");
            if (hall.defaultDepartment.isEmpty())
                hall.defaultDepartment = g.text("DEPARTMENT");
        }
        if (hall.defaultDepartment.isEmpty())
            hall.defaultDepartment = firstDepartment;
        if (hall.tables.isEmpty())
            hall.tables << "1";
        c.halls.push_back(hall);
    }

    // Products with their recipe lines; an ingredient's card gives its units.
    const auto products = s.select(
        "SELECT KODU, ADI, GRUP, SFIYAT, KDV, MALIYET FROM Q_ITEMS WHERE URUN = 1 AND SFIYAT > 0 ORDER BY URUN_ID");
    QHash<QString, size_t> byCode;
    for (const auto& p : products) {
        Product product;
        product.code = p.text("KODU");
        product.name = p.text("ADI");
        product.group = p.text("GRUP");
        product.price = p.number("SFIYAT");
        product.vat = p.number("KDV");
        product.cost = p.number("MALIYET");
        byCode.insert(product.code, c.products.size());
        c.products.push_back(product);
    }
    const auto lines = s.select(
        "SELECT d.ReceteKodu, d.StokKodu, d.StokAdi, d.Miktar, d.Tutar, d.oran, d.AMBMIKTAR, i.GRUP, i.BIRIM, "
        "i.BIRIMAGR FROM Q_ITEMS_DETAY d JOIN Q_ITEMS p ON p.KODU = d.ReceteKodu AND p.URUN = 1 "
        "LEFT JOIN Q_ITEMS i ON i.KODU = d.StokKodu AND i.URUN = 0 ORDER BY d.U_ID");
    for (const auto& l : lines) {
        const auto it = byCode.constFind(l.text("ReceteKodu"));
        if (it == byCode.constEnd())
            continue;
        RecipeLine line;
        line.code = l.text("StokKodu");
        line.name = l.text("StokAdi");
        line.group = l.text("GRUP");
        line.baseUnit = l.text("AMBMIKTAR").trimmed();
        line.purchaseUnit = l.text("BIRIM");
        line.factor = l.number("BIRIMAGR");
        line.quantity = l.number("Miktar");
        line.cost = l.number("Tutar");
        line.share = l.number("oran");
        c.products[*it].lines.push_back(line);
    }

    for (const auto& u : s.select("SELECT username, bolum FROM Q_userkontrol ORDER BY auto_no")) {
        if (u.text("bolum") == QLatin1String("Garson"))
            c.waiters << u.text("username");
        else if (u.text("bolum") == QLatin1String("Kasiyer"))
            c.cashiers << u.text("username");
    }
    for (const auto& p : s.select("SELECT odemetipi FROM Q_ODEMETIPI ORDER BY SIRA, auto_no"))
        if (p.text("odemetipi") != QLatin1String("KREDI"))
            c.paymentTypes << p.text("odemetipi");
    if (c.paymentTypes.isEmpty())
        c.paymentTypes << "NAKIT";
    for (const auto& a : s.select("SELECT HESNO, HESADI, Grup FROM Q_CUSTOMER WHERE Grup <> 'Kasa' AND Grup <> "
                                  "'Tedarikçi' ORDER BY CARIHESAP_ID"))
        c.customers.push_back({a.text("HESNO"), a.text("HESADI"), a.text("Grup")});
    return c;
}

QString PosConfig::problem() const
{
    if (halls.empty())
        return "Salon tanımı yok (Q_Admin).";
    if (products.empty())
        return "Satılacak ürün yok (Q_ITEMS, URUN = 1, fiyatlı).";
    if (waiters.isEmpty())
        return "Garson yok (Q_userkontrol, bolum = 'Garson').";
    return {};
}

}  // namespace pos
