#include "db/schema.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>

namespace db {

const std::vector<SchemaStep>& schemaSteps()
{
    static const std::vector<SchemaStep> steps = [] {
        std::vector<SchemaStep> out;
        QDir dir(QStringLiteral(":/schema"));
        const QStringList files = dir.entryList({QStringLiteral("*.sql")}, QDir::Files, QDir::Name);
        static const QRegularExpression re(R"(^(\d{3})_(.+)\.sql$)");
        for (const QString& f : files) {
            const auto m = re.match(f);
            if (!m.hasMatch())
                continue;
            QFile file(dir.filePath(f));
            if (!file.open(QIODevice::ReadOnly))
                continue;
            out.push_back({m.captured(1).toInt(), m.captured(2), QString::fromUtf8(file.readAll())});
        }
        return out;
    }();
    return steps;
}

int latestSchemaVersion()
{
    const auto& steps = schemaSteps();
    return steps.empty() ? 0 : steps.back().version;
}

int installedSchemaVersion(Session& session)
{
    if (!session.tableExists(QStringLiteral("schema_version")))
        return 0;
    return session.scalar(QStringLiteral("SELECT MAX(version) FROM schema_version")).toInt();
}

int upgradeSchema(Session& session, int target)
{
    if (target < 0)
        target = latestSchemaVersion();
    if (!session.tableExists(QStringLiteral("schema_version"))) {
        Transaction tx(session);
        session.execRaw(
            QStringLiteral("CREATE TABLE schema_version (version INTEGER NOT NULL PRIMARY KEY, "
                           "name VARCHAR(100) NOT NULL, applied_at VARCHAR(19) NOT NULL)"));
        tx.commit();
    }
    const int current = installedSchemaVersion(session);
    int applied = 0;
    for (const SchemaStep& step : schemaSteps()) {
        if (step.version <= current || step.version > target)
            continue;
        Transaction tx(session);
        const QStringList statements = Dialect::splitStatements(session.dialect().expand(step.source));
        for (const QString& sql : statements) {
            try {
                session.execRaw(sql);
            } catch (const Error& e) {
                throw Error(QString("Schema step %1 (%2): %3").arg(step.version).arg(step.name, e.text()), sql);
            }
        }
        session.exec(QStringLiteral("INSERT INTO schema_version (version, name, applied_at) VALUES (:v, :n, :t)"),
                     {{"v", step.version},
                      {"n", step.name},
                      {"t", QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"))}});
        tx.commit();
        ++applied;
    }
    return applied;
}

QStringList schemaObjects(Session& session)
{
    QStringList names;
    const QString sql = session.engine() == Engine::Sqlite
                            ? QStringLiteral(
                                  "SELECT name FROM sqlite_master WHERE type IN ('table','view') "
                                  "AND name NOT LIKE 'sqlite_%' ORDER BY lower(name)")
                            : QStringLiteral(
                                  "SELECT table_name FROM information_schema.tables "
                                  "WHERE table_schema = current_schema() ORDER BY table_name");
    for (const Row& r : session.select(sql))
        names << r.at(0).toString();
    return names;
}

}  // namespace db
