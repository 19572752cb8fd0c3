#include "simulator.h"

#include "db/values.h"

#include <algorithm>
#include <cmath>

namespace pos {

double money(double v)
{
    return std::round(v * 100.0) / 100.0;
}

SimResult& SimResult::operator+=(const SimResult& o)
{
    if (!firstBill)
        firstBill = o.firstBill;
    if (o.lastBill)
        lastBill = o.lastBill;
    bills += o.bills;
    payments += o.payments;
    ledgerRows += o.ledgerRows;
    accountRows += o.accountRows;
    auditRows += o.auditRows;
    wasteRows += o.wasteRows;
    revenue += o.revenue;
    return *this;
}

struct Simulator::Statements {
    explicit Statements(db::Session& s)
        // The two statements of every bill take their values in column order.
        : bill(s,
               "INSERT INTO Q_adisyon (tarih, saat, islem, adisyon, kasiyer, garson, cari, detay, tutar, ind, servis, "
               "hall_name, masa, kuver, pax, PC_NAME, PC_USER, PC_TARIHI) VALUES "
               "(?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
          account(s,
                  "INSERT INTO Q_CUSTOMER_DETAILS (HESNO, HESADI, Grup, Saat, Tarih, ads, Detay, Islem, Q_odemetipi, "
                  "Borc, Alacak, Garson, Salon, Pax, indirim) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, 0, ?, ?, ?, ?)"),
          audit(s,
                "INSERT INTO Q_bugs (GUN, ZAMAN, garson, username, indirim, servis, hall_name, total, adisyon, sebep, "
                "item_trans, bill_trans, silindi, iade, URUN_ADI, ADET, deta, masa, PCNAME) VALUES (:gun, :zaman, "
                ":garson, :user, :ind, :servis, :hall, :total, :adisyon, :sebep, :itemtr, :billtr, :silindi, :iade, "
                ":urun, :adet, :deta, :masa, :pc)"),
          waste(s,
                "INSERT INTO Q_ITEMS_ZAYI (tarih, Saat, waiter, Islem, StokKodu, StokAdi, Grup, department, Adet, "
                "Zayi, urun, Maliyet, Fiyat, Tutar, Kdv, PC_NAME) VALUES (:tarih, :saat, :waiter, 'Zayi', :kod, :adi, "
                ":grup, :dept, :adet, :adet, 1, :maliyet, :fiyat, :tutar, :kdv, :pc)")
    {
    }
    db::Statement bill;
    db::Statement account;
    db::Statement audit;
    db::Statement waste;
};

Simulator::Simulator(db::Session& session, PosConfig config, quint32 seed)
    : session_(session), config_(std::move(config)), rnd_(seed)
{
    const QString problem = config_.problem();
    if (!problem.isEmpty())
        throw db::Error(problem);
    // Bill numbers continue after every number already used anywhere.
    const double maxBill = std::max({session_.scalar("SELECT MAX(adisyon) FROM Q_adisyon").toDouble(),
                                     session_.scalar("SELECT MAX(adsno) FROM Q_ITEMS_MOV").toDouble(),
                                     session_.scalar("SELECT MAX(Adsno) FROM Q_master_table").toDouble()});
    nextBill_ = qint64(maxBill) + 1;
    for (const auto& r : session_.select("SELECT HESNO, HESADI FROM Q_CUSTOMER WHERE Grup = 'Kasa'"))
        hallAccount_.insert(r.text("HESADI"), r.text("HESNO"));
    st_ = std::make_unique<Statements>(session_);
    // What each hall sells: the products of its groups (all of them when it names none).
    for (const Hall& hall : config_.halls) {
        std::vector<const Product*> menu;
        for (const Product& p : config_.products)
            if (hall.groups.isEmpty() || hall.groups.contains(p.group))
                menu.push_back(&p);
        if (menu.empty())
            for (const Product& p : config_.products)
                menu.push_back(&p);
        menus_.push_back(std::move(menu));
    }
}

Simulator::~Simulator() = default;

// The multi-row ledger insert for `rows` rows, prepared once per row count.
db::Statement& Simulator::ledgerStatement(int rows)
{
    auto it = ledgerStatements_.find(rows);
    if (it != ledgerStatements_.end())
        return *it->second;
    QString sql = QStringLiteral(
        "INSERT INTO Q_ITEMS_MOV (tarih, Saat, waiter, Islem, HESADI, StokKodu, StokAdi, Grup, department, Olcu, "
        "Birim, BIRIMMIK, Adet, Cikan, urun, Maliyet, Fiyat, Tutar, Kdv, KdvTutari, hall_name, adsno, PC_NAME) "
        "VALUES ");
    const QString one = QStringLiteral("(?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?)");
    for (int i = 0; i < rows; ++i)
        sql += (i ? QStringLiteral(",") : QString()) + one;
    auto st = std::make_unique<db::Statement>(session_, sql);
    auto& ref = *st;
    ledgerStatements_.emplace(rows, std::move(st));
    return ref;
}

double Simulator::pick()
{
    return rnd_.generateDouble();
}

int Simulator::between(int low, int high)
{
    return low + int(rnd_.bounded(quint32(high - low + 1)));
}

QString Simulator::departmentFor(const Hall& hall, const Product& product) const
{
    return hall.departmentOfGroup.value(product.group, hall.defaultDepartment);
}

// Times of the bills of one business day, in order from 07:00 to 05:59 the
// next morning; a time before 07:00 belongs to the next calendar day.
QList<QTime> Simulator::dayTimes(int count, bool boundary)
{
    QList<int> seconds;  // seconds after 07:00:00 of the business day
    if (boundary && count >= 5) {
        for (const QTime t : {QTime(7, 0, 0), QTime(23, 59, 30), QTime(0, 0, 0), QTime(5, 59, 0), QTime(5, 59, 30)})
            seconds << (t.msecsSinceStartOfDay() / 1000 - 7 * 3600 + 86400) % 86400;
        count -= 5;
    }
    for (int i = 0; i < count; ++i) {
        const double r = pick();
        int from, to;  // minutes after 07:00
        if (r < 0.10) {
            from = 0;
            to = 4 * 60;  // breakfast 07:00-11:00
        } else if (r < 0.50) {
            from = 4 * 60 + 30;
            to = 8 * 60;  // lunch 11:30-15:00
        } else if (r < 0.60) {
            from = 8 * 60;
            to = 11 * 60 + 30;  // afternoon
        } else if (r < 0.92) {
            from = 11 * 60 + 30;
            to = 16 * 60 + 30;  // dinner 18:30-23:30
        } else {
            from = 16 * 60 + 30;
            to = 19 * 60 + 30;  // late night 23:30-02:30
        }
        seconds << from * 60 + between(0, (to - from) * 60 - 1);
    }
    std::sort(seconds.begin(), seconds.end());
    QList<QTime> out;
    for (int s : seconds)
        out << QTime(7, 0, 0).addSecs(s);
    return out;
}

SimResult Simulator::writeDays(const SimOptions& options)
{
    SimResult total;
    for (int d = 0; d < options.days; ++d) {
        const QDate day = options.firstDay.addDays(d);
        SimResult result;
        db::Transaction tx(session_);
        for (const QTime& t : dayTimes(options.billsPerDay, options.boundaryBills)) {
            const QDate calendar = t < QTime(7, 0, 0) ? day.addDays(1) : day;
            writeBillRows(QDateTime(calendar, t), options.pcName, result);
        }
        // A few portions wasted at the bar or in the kitchen each day.
        const int wasted = between(0, 3);
        for (int i = 0; i < wasted; ++i) {
            const Product& p = config_.products[rnd_.bounded(quint32(config_.products.size()))];
            const Hall& hall = config_.halls[rnd_.bounded(quint32(config_.halls.size()))];
            const double portions = between(1, 2);
            st_->waste.exec({{"tarih", day},
                             {"saat", db::timeText(QTime(between(11, 22), between(0, 59), between(0, 59)))},
                             {"waiter", config_.waiters[rnd_.bounded(quint32(config_.waiters.size()))]},
                             {"kod", p.code},
                             {"adi", p.name},
                             {"grup", p.group},
                             {"dept", departmentFor(hall, p)},
                             {"adet", portions},
                             {"maliyet", money(p.cost * portions)},
                             {"fiyat", p.price},
                             {"tutar", money(p.price * portions)},
                             {"kdv", p.vat},
                             {"pc", options.pcName}});
            ++result.wasteRows;
        }
        tx.commit();
        total += result;
    }
    if (options.openTables > 0 && options.days > 0)
        openTables(options.openTables, QDateTime(options.firstDay.addDays(options.days), QTime(13, 0)));
    return total;
}

SimResult Simulator::writeBill(const QDateTime& moment, const QString& pcName)
{
    SimResult result;
    db::Transaction tx(session_);
    writeBillRows(moment, pcName, result);
    tx.commit();
    return result;
}

void Simulator::writeBillRows(const QDateTime& moment, const QString& pcName, SimResult& result)
{
    // The first hall is the busiest.
    const Hall& hall = config_.halls[pick() < 0.55 ? 0 : rnd_.bounded(quint32(config_.halls.size()))];
    const QString table = hall.tables[rnd_.bounded(quint32(hall.tables.size()))];
    const QString waiter = config_.waiters[rnd_.bounded(quint32(config_.waiters.size()))];
    const QString cashier =
        config_.cashiers.isEmpty() ? QString() : config_.cashiers[rnd_.bounded(quint32(config_.cashiers.size()))];
    const int covers = between(1, 6);

    const std::vector<const Product*>& menu = menus_[size_t(&hall - config_.halls.data())];

    std::vector<BillLine> lines;
    const int count = between(1, 5);
    for (int i = 0; i < count; ++i)
        lines.push_back({menu[rnd_.bounded(quint32(menu.size()))], pick() < 0.75 ? 1.0 : double(between(2, 3))});
    double gross = 0;
    for (const auto& l : lines)
        gross += money(l.product->price * l.portions);
    gross = money(gross);

    // Kind of the bill.
    const double r = pick();
    QString kind;  // ledger kind: "Satış", "IKRAM", "ODENMEZ"
    QString person;
    bool credit = false;
    const Customer* customer =
        config_.customers.empty() ? nullptr : &config_.customers[rnd_.bounded(quint32(config_.customers.size()))];
    if (r < 0.04) {
        kind = "IKRAM";
        person = customer ? customer->name : waiter;
    } else if (r < 0.08) {
        kind = "ODENMEZ";
        person = customer ? customer->name : waiter;
    } else {
        kind = "Satış";
        credit = customer && r < 0.15;
    }
    const bool sale = kind == QStringLiteral("Satış");
    const double discount = sale && pick() < 0.12 ? money(gross * between(5, 15) / 100.0) : 0.0;
    const double service = sale && hall.servicePercent > 0 ? money(gross * hall.servicePercent / 100.0) : 0.0;
    const double net = money(gross - discount + service);

    const qint64 bill = nextBill_++;
    const QDate day = moment.date();
    const QString dayText = db::toDbText(day);
    const QString time = db::timeText(moment.time());
    if (!result.firstBill)
        result.firstBill = bill;
    result.lastBill = bill;
    ++result.bills;

    // Payments: one row each; split bills share the number.
    struct Payment {
        QString kind;
        double amount;
    };
    QList<Payment> payments;
    if (!sale) {
        payments << Payment{kind, gross};
    } else if (credit) {
        payments << Payment{"KREDI", net};
    } else {
        // Cash and card carry most bills; the other types share the rest.
        const double w = pick();
        const int n = int(config_.paymentTypes.size());
        const int index = n < 3 ? int(rnd_.bounded(quint32(n))) : w < 0.45 ? 0 : w < 0.88 ? 1 : between(2, n - 1);
        const QString first = config_.paymentTypes[index];
        if (config_.paymentTypes.size() > 1 && net >= 20 && pick() < 0.12) {
            QString second = first;
            while (second == first)
                second = config_.paymentTypes[rnd_.bounded(quint32(config_.paymentTypes.size()))];
            const double part = money(net * between(30, 70) / 100.0);
            payments << Payment{first, part} << Payment{second, money(net - part)};
        } else {
            payments << Payment{first, net};
        }
    }
    for (int i = 0; i < payments.size(); ++i) {
        const Payment& p = payments[i];
        const QString cari = !sale ? person : (p.kind == QLatin1String("KREDI") ? customer->name : QString());
        const double kuver = i == 0 ? double(covers) : 0.0;
        st_->bill.execValues({dayText, time, p.kind, double(bill), cashier, waiter, cari,
                              i == 0 ? QString() : QStringLiteral("Bölünmüş ödeme"), p.amount,
                              i == 0 ? discount : 0.0, i == 0 ? service : 0.0, hall.name, table, kuver, kuver, pcName,
                              cashier.isEmpty() ? waiter : cashier, db::toDbText(moment)});
        ++result.payments;
        if (sale)
            result.revenue += p.amount;
        // Account rows: the hall's own account takes every payment, a customer
        // account the bills charged to it.
        if (!sale)
            continue;
        const bool toCustomer = p.kind == QLatin1String("KREDI");
        st_->account.execValues({toCustomer ? customer->code : hallAccount_.value(hall.name, hall.name),
                                 toCustomer ? customer->name : hall.name,
                                 toCustomer ? customer->group : QStringLiteral("Kasa"), time, dayText, double(bill),
                                 p.kind, QStringLiteral("Adisyon"), p.kind, p.amount, waiter, hall.name,
                                 i == 0 ? double(covers) : 0.0, i == 0 ? discount : 0.0});
        ++result.accountRows;
    }

    // Stock rows: the product itself (urun = 1), then one row per recipe
    // line; all rows of the bill go in one statement, as a terminal sends them.
    QVariantList values;
    int rows = 0;
    auto ledgerRow = [&](const QString& code, const QString& name, const QString& group, const QString& dept,
                         const QString& olcu, const QString& birim, double quantity, double adet, int urun, double cost,
                         double price, double amount, double vat) {
        values << dayText << time << waiter << kind << person << code << name << group << dept << olcu << birim
               << quantity << adet << quantity << urun << cost << price << amount << vat
               << (vat > 0 ? amount - amount / (1.0 + vat / 100.0) : 0.0) << hall.name << double(bill) << pcName;
        ++rows;
    };
    for (const auto& l : lines) {
        const Product& p = *l.product;
        const QString dept = departmentFor(hall, p);
        const double amount = money(p.price * l.portions);
        ledgerRow(p.code, p.name, p.group, dept, QStringLiteral("PORSIYON"), QStringLiteral("PORSIYON"), l.portions,
                  l.portions, 1, p.cost * l.portions, p.price, amount, p.vat);
        for (const RecipeLine& line : p.lines) {
            const double quantity = line.quantity * l.portions;
            const double lineAmount = amount * line.share / 100.0;
            ledgerRow(line.code, line.name, line.group, dept, line.baseUnit, line.purchaseUnit, quantity,
                      line.factor > 0 ? quantity / line.factor : 0.0, 0, line.cost * l.portions,
                      quantity > 0 ? lineAmount / quantity : 0.0, lineAmount, p.vat);
        }
    }
    ledgerStatement(rows).execValues(values);
    result.ledgerRows += rows;

    // Audit rows of the sensitive operations on the bill.
    auto auditRow = [&](const QString& reason, const QString& flagColumn, const QString& item, double qty) {
        db::Params p{{"gun", day},           {"zaman", time},       {"garson", waiter},
                     {"user", cashier},      {"ind", 0.0},          {"servis", 0.0},
                     {"hall", hall.name},    {"total", gross},      {"adisyon", double(bill)},
                     {"sebep", reason},      {"itemtr", QString()}, {"billtr", QString()},
                     {"silindi", QString()}, {"iade", QString()},   {"urun", item},
                     {"adet", qty},          {"deta", QString()},   {"masa", table},
                     {"pc", pcName}};
        if (!flagColumn.isEmpty())
            p[flagColumn] = QStringLiteral("1");
        if (reason == QStringLiteral("İndirim"))
            p["ind"] = discount;
        if (reason == QLatin1String("Servis"))
            p["servis"] = service;
        st_->audit.exec(p);
        ++result.auditRows;
    };
    if (discount > 0)
        auditRow("İndirim", {}, {}, 0);
    if (service > 0 && pick() < 0.2)
        auditRow("Servis", {}, {}, 0);
    const double a = pick();
    if (a < 0.03)
        auditRow("Ürün Silme", "silindi", lines.front().product->name, 1);
    else if (a < 0.04)
        auditRow("İade", "iade", lines.front().product->name, 1);
    else if (a < 0.05)
        auditRow("Hesap Transfer", "billtr", {}, 0);
    else if (a < 0.06)
        auditRow("Ürün Transfer", "itemtr", lines.front().product->name, 1);
}

void Simulator::openTables(int count, const QDateTime& moment)
{
    db::Transaction tx(session_);
    db::Statement detail(session_,
                         "INSERT INTO Q_master_detay (hall_name, Masa, Adsno, StokKodu, StokAdi, Grup, department, "
                         "Adet, Fiyat, Tutar, waiter, saat, today, gonderildi) VALUES (:hall, :masa, :adsno, :kod, "
                         ":adi, :grup, :dept, :adet, :fiyat, :tutar, :waiter, :saat, :today, 1)");
    for (int i = 0; i < count; ++i) {
        const Hall& hall = config_.halls[size_t(i) % config_.halls.size()];
        const QString table = hall.tables[size_t(i / int(config_.halls.size())) % size_t(hall.tables.size())];
        const QString waiter = config_.waiters[rnd_.bounded(quint32(config_.waiters.size()))];
        const qint64 bill = nextBill_++;
        double total = 0;
        const int n = between(1, 4);
        for (int k = 0; k < n; ++k) {
            const Product& p = config_.products[rnd_.bounded(quint32(config_.products.size()))];
            const double qty = between(1, 2);
            total += money(p.price * qty);
            detail.exec({{"hall", hall.name},
                         {"masa", table},
                         {"adsno", double(bill)},
                         {"kod", p.code},
                         {"adi", p.name},
                         {"grup", p.group},
                         {"dept", departmentFor(hall, p)},
                         {"adet", qty},
                         {"fiyat", p.price},
                         {"tutar", money(p.price * qty)},
                         {"waiter", waiter},
                         {"saat", db::timeText(moment.time())},
                         {"today", moment.date()}});
        }
        session_.exec(
            "UPDATE Q_master_table SET Adsno = :adsno, waiter = :waiter, pax = :pax, gelissaat = :saat, "
            "today = :today, total = :total, subtotal = :total WHERE hall_name = :hall AND Masa = :masa",
            {{"adsno", double(bill)},
             {"waiter", waiter},
             {"pax", double(between(1, 6))},
             {"saat", db::timeText(moment.time())},
             {"today", moment.date()},
             {"total", money(total)},
             {"hall", hall.name},
             {"masa", table}});
    }
    tx.commit();
}

}  // namespace pos
