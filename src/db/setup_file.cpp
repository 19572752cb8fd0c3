#include "db/setup_file.h"

#include <QDir>
#include <QFile>
#include <QTextStream>

namespace db {

namespace {

QString cut(const QStringList& lines, int lineNo, int first, int length)
{
    const QString& line = lines[lineNo - 1];
    if (line.size() < first)
        return {};
    return line.mid(first - 1, length);
}

QString rightTrimmed(QString s)
{
    while (!s.isEmpty() && s.back().isSpace())
        s.chop(1);
    return s;
}

}  // namespace

SetupResult parseSetupLines(const QStringList& lines)
{
    SetupResult r;
    if (lines.size() < 8) {
        r.error = QString("%1 dosyası eksik: %2. satır yok (8 satır olmalı).")
                      .arg(QString::fromLatin1(kSetupFileName))
                      .arg(lines.size() + 1);
        return r;
    }
    SetupFile f;
    f.modul = cut(lines, 2, 7, 9);
    f.server = cut(lines, 3, 8, 30);
    f.database = cut(lines, 5, 10, 25);
    f.user = cut(lines, 6, 10, 3);
    f.password = cut(lines, 7, 10, 3);
    f.sube = cut(lines, 8, 10, 50);
    r.file = f;
    return r;
}

SetupResult readSetupFile(const QString& path)
{
    QFile file(path);
    if (!file.exists() || !file.open(QIODevice::ReadOnly)) {
        SetupResult r;
        r.missing = true;
        r.error = QString("File %1  BULUNAMADI").arg(QString::fromLatin1(kSetupFileName));
        return r;
    }
    QStringList lines;
    QTextStream in(&file);
    in.setEncoding(QStringConverter::Utf8);
    while (!in.atEnd()) {
        QString line = in.readLine();
        if (line.endsWith('\r'))
            line.chop(1);
        lines << line;
    }
    return parseSetupLines(lines);
}

ConnectionSettings connectionFor(const SetupFile& setup, const QString& workingDir)
{
    ConnectionSettings c;
    // Server and database names are names, not free text: trailing blanks
    // (kept by the fixed-position cut) are not part of them.
    const QString server = rightTrimmed(setup.server);
    QString database = rightTrimmed(setup.database);
    if (server.trimmed().isEmpty()) {
        c.engine = Engine::Sqlite;
        if (database.trimmed().isEmpty())
            database = QString::fromLatin1(kDefaultDatabase);
        c.database = database;
        c.sqliteFile = QDir(workingDir).filePath(database + ".db");
        return c;
    }
    c.engine = Engine::Postgres;
    const int colon = server.lastIndexOf(':');
    if (colon > 0 && !server.startsWith('/')) {
        c.host = server.left(colon);
        c.port = server.mid(colon + 1).toInt();
    } else {
        c.host = server;
    }
    c.database = database;  // empty: the login's default database
    c.user = setup.user.isEmpty() ? QString::fromLatin1(kDefaultLogin) : setup.user;
    c.password = setup.password.isEmpty() ? QString::fromLatin1(kDefaultPassword) : setup.password;
    if (c.database.isEmpty())
        c.database = c.user;
    return c;
}

}  // namespace db
