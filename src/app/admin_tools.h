#pragma once

#include "db/session.h"

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <optional>

namespace app {

// The code that "Yeni Kurulum" asks for before it wipes the database.
inline constexpr const char* kInstallationCode = "1907";

namespace adminmsg {
inline constexpr const char* kDone = "Tamamlandı";
inline constexpr const char* kDoneCaps = "TAMAMLANDI";
inline constexpr const char* kCodingError = "KODLAMA HATASI";
inline constexpr const char* kAreYouSure = "D I K K A T . . . . . ?";
inline constexpr const char* kCaution = "D I K K A T ...";
inline constexpr const char* kCodeTitle = "PWD";
inline constexpr const char* kCodePrompt = "  PWD ? ";
inline constexpr const char* kWrongCode = "Hatalı Şifre ;\nYöneticinize Başvurun !!!";
inline constexpr const char* kBackupDone = "Yedekleme Tamamlandı";
inline constexpr const char* kBackupFailed = "Yedekleme Yapılamadı";
}  // namespace adminmsg

// The free SQL page: a batch is cut into statements at ";" (outside quotes,
// comments, dollar-quoted bodies and trigger bodies) and at lines that hold
// only "GO".
QStringList splitSqlBatch(const QString& text);
// Runs a batch; false on any failure (the database's text is not shown to the
// user). A batch runs in one transaction, unless it holds a statement that
// cannot run inside one (maintenance, transaction control), in which case each
// statement commits on its own.
bool runSqlBatch(db::Session& session, const QString& text);
// True for a statement that cannot run inside a transaction.
bool runsOutsideTransaction(const QString& statement);

// The maintenance of the two "BAKIM" buttons, for the engine in use: the
// first folds the write-ahead log into the database (SQLite) or forces a
// checkpoint (PostgreSQL); the second compacts the database.
enum class Maintenance { Checkpoint, Compact };
QString maintenanceStatement(db::Engine engine, Maintenance which);

// The clock label of the administration window, also the label of a backup:
// "20.07.2016.10.50.49".
QString clockText(const QDateTime& moment);

// The tables "Satışları Sil" empties: the audit log, account movements, stock
// movements, cash movements and bills.
const QStringList& salesTables();
// The tables "Yeni Kurulum" empties, in order; names repeat as they always did.
// The permission rows (Q_FRM) are kept.
const QStringList& installationTables();

struct WipeResult {
    QStringList emptied;  // in the order of the list
    QStringList skipped;  // not part of this database
};

class AdminTools {
public:
    explicit AdminTools(db::Session& session) : session_(session) {}

    // One transaction.
    void deleteSales();
    // Nothing happens unless `typedCode` is the installation code (a cancelled
    // input is no code). Tables this database does not have are skipped; the
    // rest are emptied in one transaction.
    std::optional<WipeResult> newInstallation(const std::optional<QString>& typedCode);
    static bool installationCodeMatches(const std::optional<QString>& typedCode);
    // Empties the queues of the hand terminals.
    void fixPda();
    // Resets the counter flag of the point-of-sale program.
    void resetCounter();

    // The constant price factor: none while Q_CONSTANT has no row.
    std::optional<double> constant();
    // Writes the factor, adding the row when there is none.
    void saveConstant(double value);

private:
    db::Session& session_;
};

}  // namespace app
