#include "app/database_backup.h"

#include <QCollator>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSettings>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QUuid>

namespace app {

namespace {

// The last line pg_dump writes into a plain dump; a dump cut short lacks it.
constexpr const char* kDumpCompleteMark = "-- PostgreSQL database dump complete";

QString sqliteCheck(const QString& file)
{
    const QString name = QStringLiteral("backup-check-") + QUuid::createUuid().toString(QUuid::Id128);
    QString problem;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(file);
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
        if (!db.open()) {
            problem = QStringLiteral("Yedek dosyası açılamadı.");
        } else {
            QSqlQuery q(db);
            if (!q.exec(QStringLiteral("PRAGMA quick_check")) || !q.next())
                problem = QStringLiteral("Yedek dosyası okunamadı.");
            else if (q.value(0).toString() != QLatin1String("ok"))
                problem = QStringLiteral("Yedek dosyası bozuk: ") + q.value(0).toString();
            else if (!q.exec(QStringLiteral("SELECT COUNT(*) FROM sqlite_master WHERE type = 'table'")) || !q.next() ||
                     q.value(0).toInt() == 0)
                problem = QStringLiteral("Yedek dosyasında tablo yok.");
            q.finish();
            db.close();
        }
    }
    QSqlDatabase::removeDatabase(name);
    return problem;
}

QString postgresCheck(const QString& file)
{
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly))
        return QStringLiteral("Yedek dosyası okunamadı.");
    if (f.size() == 0)
        return QStringLiteral("Yedek dosyası boş.");
    f.seek(std::max<qint64>(0, f.size() - 4096));
    if (!f.readAll().contains(kDumpCompleteMark))
        return QStringLiteral("Yedek dosyası eksik yazılmış.");
    return {};
}

}  // namespace

QString DatabaseBackup::defaultFolder()
{
    return QDir::current().filePath(QStringLiteral("yedek"));
}

namespace {
QString settingsFile()
{
    return QDir::current().filePath(QStringLiteral("yedekleme.ini"));
}
}  // namespace

QString DatabaseBackup::configuredFolder()
{
    const QString folder =
        QSettings(settingsFile(), QSettings::IniFormat).value(QStringLiteral("Yedekleme/Klasor")).toString();
    return folder.trimmed().isEmpty() ? defaultFolder() : folder;
}

void DatabaseBackup::setConfiguredFolder(const QString& folder)
{
    QSettings settings(settingsFile(), QSettings::IniFormat);
    settings.setValue(QStringLiteral("Yedekleme/Klasor"), folder);
}

QString DatabaseBackup::clientProgram(const QString& name)
{
    const QString onPath = QStandardPaths::findExecutable(name);
    if (!onPath.isEmpty())
        return onPath;
    // Debian keeps the client programs of each server version apart.
    QDir versions(QStringLiteral("/usr/lib/postgresql"));
    QStringList found = versions.entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    QCollator numeric;
    numeric.setNumericMode(true);
    std::sort(found.begin(), found.end(),
              [&](const QString& a, const QString& b) { return numeric.compare(a, b) > 0; });
    for (const QString& v : found) {
        const QString candidate = versions.filePath(v + QStringLiteral("/bin/") + name);
        if (QFileInfo(candidate).isExecutable())
            return candidate;
    }
    return {};
}

QString DatabaseBackup::databaseName() const
{
    const auto& s = session_.settings();
    if (s.engine == db::Engine::Sqlite)
        return QFileInfo(s.sqliteFile).completeBaseName();
    return s.database;
}

QString DatabaseBackup::fileName(const QString& label) const
{
    const QString suffix = session_.engine() == db::Engine::Sqlite ? QStringLiteral(".db") : QStringLiteral(".sql");
    return databaseName() + u'_' + label + suffix;
}

QString DatabaseBackup::verify(const QString& file) const
{
    const QFileInfo info(file);
    if (!info.exists())
        return QStringLiteral("Yedek dosyası oluşmadı: ") + file;
    if (!info.isReadable())
        return QStringLiteral("Yedek dosyası okunamıyor: ") + file;
    return session_.engine() == db::Engine::Sqlite ? sqliteCheck(file) : postgresCheck(file);
}

BackupResult DatabaseBackup::run(const QString& folder, const QString& label)
{
    BackupResult result;
    if (folder.trimmed().isEmpty()) {
        result.reason = QStringLiteral("Yedekleme klasörü belirtilmemiş.");
        return result;
    }
    if (!QDir().mkpath(folder)) {
        result.reason = QStringLiteral("Yedekleme klasörü oluşturulamadı: ") + folder;
        return result;
    }
    // Two backups within one second get distinct names.
    QString file = QDir(folder).filePath(fileName(label));
    for (int n = 2; QFileInfo::exists(file); ++n)
        file = QDir(folder).filePath(fileName(label + u'-' + QString::number(n)));

    result = session_.engine() == db::Engine::Sqlite ? sqliteBackup(file) : postgresBackup(file);
    result.file = file;
    if (!result.ok)
        return result;
    result.reason = verify(file);
    result.ok = result.reason.isEmpty();
    return result;
}

BackupResult DatabaseBackup::sqliteBackup(const QString& file)
{
    BackupResult result;
    if (session_.inTransaction()) {
        result.reason = QStringLiteral("Açık bir işlem varken yedek alınamaz.");
        return result;
    }
    try {
        // A consistent copy of the live database, write-ahead log included,
        // while other workstations keep working.
        session_.exec(QStringLiteral("VACUUM INTO :file"), {{"file", QDir::toNativeSeparators(file)}});
        result.ok = true;
    } catch (const db::Error& e) {
        result.reason = e.text();
    }
    return result;
}

BackupResult DatabaseBackup::postgresBackup(const QString& file)
{
    BackupResult result;
    const QString program = clientProgram(QStringLiteral("pg_dump"));
    if (program.isEmpty()) {
        result.reason = QStringLiteral("pg_dump programı bulunamadı.");
        return result;
    }
    const db::ConnectionSettings& s = session_.settings();
    QStringList args{QStringLiteral("--no-password"), QStringLiteral("--no-owner"), QStringLiteral("--no-privileges"),
                     QStringLiteral("--file"), file};
    if (!s.host.isEmpty())
        args << QStringLiteral("--host") << s.host;
    if (s.port)
        args << QStringLiteral("--port") << QString::number(s.port);
    if (!s.user.isEmpty())
        args << QStringLiteral("--username") << s.user;
    args << QStringLiteral("--dbname") << s.database;

    QProcess dump;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    if (!s.password.isEmpty())
        env.insert(QStringLiteral("PGPASSWORD"), s.password);
    dump.setProcessEnvironment(env);
    dump.start(program, args);
    if (!dump.waitForStarted()) {
        result.reason = QStringLiteral("pg_dump çalıştırılamadı: ") + dump.errorString();
        return result;
    }
    dump.waitForFinished(-1);
    if (dump.exitStatus() != QProcess::NormalExit || dump.exitCode() != 0) {
        const QString text = QString::fromLocal8Bit(dump.readAllStandardError()).trimmed();
        result.reason = text.isEmpty() ? QStringLiteral("pg_dump hata ile sonlandı.") : text;
        QFile::remove(file);  // a partial dump is no backup
        return result;
    }
    result.ok = true;
    return result;
}

}  // namespace app
