#include "app/admin_lists.h"

namespace app {

namespace {

constexpr int kTimeLength = 10;
constexpr int kMailLength = 100;
constexpr int kBranchLength = 100;
constexpr int kMailBranchLength = 50;
constexpr int kMacLength = 50;

struct Limit {
    QString text;
    QString caption;
    QString field;
    int length;
};

CheckResult checkLengths(const QList<Limit>& limits)
{
    for (const auto& l : limits)
        if (l.text.size() > l.length)
            return CheckResult::refused(tooLongMessage(l.caption, l.length), l.field);
    return CheckResult::passed();
}

}  // namespace

QString tooLongMessage(const QString& caption, int length)
{
    return QStringLiteral("%1 En Fazla %2 Karakter Olabilir").arg(caption).arg(length);
}

ListQuery auditLogQuery(const std::optional<QDate>& day)
{
    ListQuery q;
    QString where;
    if (day) {
        // The whole day, whatever time of day a writer stored with it.
        where = QStringLiteral(" WHERE GUN >= :gun AND GUN < :ertesi");
        q.params = {{"gun", QDateTime(*day, QTime(0, 0))}, {"ertesi", QDateTime(day->addDays(1), QTime(0, 0))}};
    }
    q.sql = QStringLiteral("SELECT * FROM Q_bugs") + where + QStringLiteral(" ORDER BY GUN, S_ID");
    q.footerSql = QStringLiteral(
                      "SELECT SUM(ADET) AS ADET, COUNT(*) AS bill_trans, COUNT(*) AS item_trans, COUNT(*) AS URUN_ADI "
                      "FROM Q_bugs") +
                  where;
    return q;
}

db::RowSet AdminLists::backupTimes()
{
    return session_.select(QStringLiteral("SELECT * FROM Q_backup ORDER BY M_ID"));
}

CheckResult AdminLists::saveBackupTime(const std::optional<qint64>& id, const QString& time, qint64* newId)
{
    if (const CheckResult c = checkLengths({{time, QStringLiteral("Saat"), QStringLiteral("saat"), kTimeLength}});
        !c.ok())
        return c;
    db::Transaction tx(session_);
    if (id)
        session_.exec(QStringLiteral("UPDATE Q_backup SET saat = :s WHERE M_ID = :id"), {{"s", time}, {"id", *id}});
    else if (const qint64 key = session_.insert(
                 QStringLiteral("INSERT INTO Q_backup (saat) VALUES (:s) RETURNING M_ID"), {{"s", time}});
             newId)
        *newId = key;
    tx.commit();
    return CheckResult::passed();
}

db::RowSet AdminLists::mailRecipients()
{
    return session_.select(QStringLiteral("SELECT * FROM Q_mail ORDER BY M_ID"));
}

CheckResult AdminLists::saveMailRecipient(const std::optional<qint64>& id, const MailRecipient& m, qint64* newId)
{
    if (const CheckResult c =
            checkLengths({{m.mail1, QStringLiteral("mail1"), QStringLiteral("mail1"), kMailLength},
                          {m.mail2, QStringLiteral("mail2"), QStringLiteral("mail2"), kMailLength},
                          {m.sendTime, QStringLiteral("Saat"), QStringLiteral("sendtime"), kTimeLength},
                          {m.branch, QStringLiteral("sube"), QStringLiteral("sube"), kMailBranchLength}});
        !c.ok())
        return c;
    const db::Params p{{"m1", m.mail1}, {"m2", m.mail2}, {"t", m.sendTime}, {"s", m.branch}};
    db::Transaction tx(session_);
    if (id) {
        db::Params u = p;
        u.insert(QStringLiteral("id"), *id);
        session_.exec(
            QStringLiteral("UPDATE Q_mail SET mail1 = :m1, mail2 = :m2, sendtime = :t, sube = :s WHERE M_ID = :id"), u);
    } else {
        const qint64 key = session_.insert(
            QStringLiteral(
                "INSERT INTO Q_mail (mail1, mail2, sendtime, sube) VALUES (:m1, :m2, :t, :s) RETURNING M_ID"),
            p);
        if (newId)
            *newId = key;
    }
    tx.commit();
    return CheckResult::passed();
}

db::RowSet AdminLists::branches()
{
    return session_.select(QStringLiteral("SELECT * FROM Q_Sube ORDER BY numara"));
}

CheckResult AdminLists::renameBranch(qint64 number, const QString& name)
{
    if (const CheckResult c = checkLengths({{name, QStringLiteral("Sube Adı"), QStringLiteral("sube"), kBranchLength}});
        !c.ok())
        return c;
    db::Transaction tx(session_);
    session_.exec(QStringLiteral("UPDATE Q_Sube SET sube = :s WHERE numara = :n"), {{"s", name}, {"n", number}});
    tx.commit();
    return CheckResult::passed();
}

db::RowSet AdminLists::switchModes()
{
    return session_.select(QStringLiteral("SELECT * FROM Q_Switch_mode ORDER BY SW_ID"));
}

CheckResult AdminLists::saveSwitchMode(const std::optional<qint64>& id, bool cashMode, const QString& macId,
                                       qint64* newId)
{
    if (const CheckResult c = checkLengths({{macId, QStringLiteral("Mac_id"), QStringLiteral("mac_id"), kMacLength}});
        !c.ok())
        return c;
    const db::Params p{{"m", cashMode ? 1 : 0}, {"mac", macId}};
    db::Transaction tx(session_);
    if (id) {
        db::Params u = p;
        u.insert(QStringLiteral("id"), *id);
        session_.exec(QStringLiteral("UPDATE Q_Switch_mode SET switch_cash_mode = :m, mac_id = :mac WHERE SW_ID = :id"),
                      u);
    } else {
        const qint64 key = session_.insert(
            QStringLiteral("INSERT INTO Q_Switch_mode (switch_cash_mode, mac_id) VALUES (:m, :mac) RETURNING SW_ID"),
            p);
        if (newId)
            *newId = key;
    }
    tx.commit();
    return CheckResult::passed();
}

}  // namespace app
