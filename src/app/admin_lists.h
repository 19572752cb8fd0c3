#pragma once

#include "app/check_result.h"
#include "db/session.h"

#include <QDate>
#include <QString>
#include <optional>

namespace app {

// A statement for a paged grid (complete ORDER BY) and the one aggregate that
// gives its footer figures.
struct ListQuery {
    QString sql;
    QString footerSql;
    db::Params params;
};

// The audit log (Q_bugs) of one day, or all of it: ordered by GUN; the footer
// sums ADET and counts the rows under bill_trans, item_trans and URUN_ADI
// (counted as the grid counts: rows).
ListQuery auditLogQuery(const std::optional<QDate>& day);

// The small lists of the administration windows, edited in their grids. Each
// save is one transaction; a text longer than its column is refused.
class AdminLists {
public:
    explicit AdminLists(db::Session& session) : session_(session) {}

    // Backup times (Q_backup).
    db::RowSet backupTimes();
    CheckResult saveBackupTime(const std::optional<qint64>& id, const QString& time, qint64* newId = nullptr);

    // E-mail recipients of the daily report (Q_mail).
    struct MailRecipient {
        QString mail1;
        QString mail2;
        QString sendTime;
        QString branch;
    };
    db::RowSet mailRecipients();
    CheckResult saveMailRecipient(const std::optional<qint64>& id, const MailRecipient& m, qint64* newId = nullptr);

    // Branch names (Q_Sube): renamed only, never added here.
    db::RowSet branches();
    CheckResult renameBranch(qint64 number, const QString& name);

    // Waiter/cashier mode per terminal (Q_Switch_mode).
    db::RowSet switchModes();
    CheckResult saveSwitchMode(const std::optional<qint64>& id, bool cashMode, const QString& macId,
                               qint64* newId = nullptr);

private:
    db::Session& session_;
};

// "<caption> En Fazla <n> Karakter Olabilir"
QString tooLongMessage(const QString& caption, int length);

}  // namespace app
