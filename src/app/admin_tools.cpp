#include "app/admin_tools.h"

#include <algorithm>

namespace app {

namespace {

bool isWordStart(QChar c)
{
    return c.isLetter() || c == u'_';
}

bool isWordChar(QChar c)
{
    return c.isLetterOrNumber() || c == u'_' || c == u'$';
}

// A dollar-quote opening at `i` ("$$" or "$tag$"); empty when there is none.
QString dollarTagAt(const QString& text, qsizetype i)
{
    if (text[i] != u'$')
        return {};
    qsizetype j = i + 1;
    if (j < text.size() && (text[j].isLetter() || text[j] == u'_')) {
        while (j < text.size() && (text[j].isLetterOrNumber() || text[j] == u'_'))
            ++j;
    }
    if (j < text.size() && text[j] == u'$')
        return text.mid(i, j - i + 1);
    return {};
}

// The line starting at `i` holds only "GO" (any case, blanks around).
bool goLineAt(const QString& text, qsizetype i, qsizetype* next)
{
    qsizetype end = text.indexOf(u'\n', i);
    if (end < 0)
        end = text.size();
    if (text.mid(i, end - i).trimmed().compare(QLatin1String("GO"), Qt::CaseInsensitive) != 0)
        return false;
    *next = end;
    return true;
}

// Cuts one batch into statements, keeping the text of each as typed.
class BatchSplitter {
public:
    explicit BatchSplitter(const QString& text) : t_(text) {}

    QStringList run()
    {
        const qsizetype n = t_.size();
        bool lineStart = true;
        for (qsizetype i = 0; i < n; ++i) {
            const QChar c = t_[i];
            if (lineStart) {
                qsizetype next = 0;
                if (goLineAt(t_, i, &next)) {
                    finish();
                    i = next;  // the line break itself
                    continue;
                }
            }
            lineStart = c == u'\n';
            if (c == u'\'' || c == u'"') {
                const qsizetype end = closing(c, i + 1);
                take(i, end);
                i = end - 1;
                content_ = true;
                continue;
            }
            if (c == u'-' && i + 1 < n && t_[i + 1] == u'-') {
                qsizetype end = t_.indexOf(u'\n', i);
                if (end < 0)
                    end = n;
                take(i, end);
                i = end - 1;
                continue;
            }
            if (c == u'/' && i + 1 < n && t_[i + 1] == u'*') {
                qsizetype end = t_.indexOf(QLatin1String("*/"), i + 2);
                end = end < 0 ? n : end + 2;
                take(i, end);
                i = end - 1;
                continue;
            }
            if (c == u'$' && (i == 0 || !isWordChar(t_[i - 1]))) {
                const QString tag = dollarTagAt(t_, i);
                if (!tag.isEmpty()) {
                    qsizetype end = t_.indexOf(tag, i + tag.size());
                    end = end < 0 ? n : end + tag.size();
                    take(i, end);
                    i = end - 1;
                    content_ = true;
                    continue;
                }
            }
            if (isWordStart(c) && (i == 0 || !isWordChar(t_[i - 1]))) {
                qsizetype end = i + 1;
                while (end < n && isWordChar(t_[end]))
                    ++end;
                word(t_.mid(i, end - i).toUpper());
                take(i, end);
                i = end - 1;
                content_ = true;
                continue;
            }
            if (c == u';' && depth_ == 0) {
                finish();
                continue;
            }
            current_ += c;
            if (!c.isSpace())
                content_ = true;
        }
        finish();
        return out_;
    }

private:
    qsizetype closing(QChar quote, qsizetype from) const
    {
        for (qsizetype j = from; j < t_.size(); ++j) {
            if (t_[j] != quote)
                continue;
            if (j + 1 < t_.size() && t_[j + 1] == quote) {
                ++j;  // a doubled quote stands for itself
                continue;
            }
            return j + 1;
        }
        return t_.size();
    }

    void take(qsizetype from, qsizetype to) { current_ += QStringView(t_).mid(from, to - from); }

    // A trigger body (SQLite: BEGIN ... END) keeps its semicolons; CASE ... END
    // inside it nests.
    void word(const QString& w)
    {
        if (words_.size() < 3)
            words_ << w;
        const bool trigger =
            words_.value(0) == QLatin1String("CREATE") &&
            (words_.value(1) == QLatin1String("TRIGGER") ||
             (words_.value(2) == QLatin1String("TRIGGER") &&
              (words_.value(1) == QLatin1String("TEMP") || words_.value(1) == QLatin1String("TEMPORARY"))));
        if (!trigger)
            return;
        if (w == QLatin1String("BEGIN") || (depth_ > 0 && w == QLatin1String("CASE")))
            ++depth_;
        else if (depth_ > 0 && w == QLatin1String("END"))
            --depth_;
    }

    void finish()
    {
        const QString s = current_.trimmed();
        if (content_ && !s.isEmpty())
            out_ << s;
        current_.clear();
        words_.clear();
        depth_ = 0;
        content_ = false;
    }

    const QString& t_;
    QStringList out_;
    QString current_;
    QStringList words_;
    int depth_ = 0;
    bool content_ = false;
};

// The first words of a statement, upper case, comments skipped.
QStringList leadingWords(const QString& statement, int count)
{
    QStringList words;
    const qsizetype n = statement.size();
    for (qsizetype i = 0; i < n && words.size() < count;) {
        const QChar c = statement[i];
        if (c == u'-' && i + 1 < n && statement[i + 1] == u'-') {
            const qsizetype end = statement.indexOf(u'\n', i);
            i = end < 0 ? n : end;
            continue;
        }
        if (c == u'/' && i + 1 < n && statement[i + 1] == u'*') {
            const qsizetype end = statement.indexOf(QLatin1String("*/"), i + 2);
            i = end < 0 ? n : end + 2;
            continue;
        }
        if (isWordStart(c)) {
            qsizetype end = i + 1;
            while (end < n && isWordChar(statement[end]))
                ++end;
            words << statement.mid(i, end - i).toUpper();
            i = end;
            continue;
        }
        if (!c.isSpace())
            break;
        ++i;
    }
    return words;
}

bool isTransactionControl(const QString& statement)
{
    static const QStringList control{"BEGIN", "START", "COMMIT", "END", "ROLLBACK", "SAVEPOINT", "RELEASE", "ABORT"};
    const QStringList w = leadingWords(statement, 2);
    // A PostgreSQL "BEGIN" block of a function is inside a dollar-quoted body,
    // never at the start of a statement.
    return !w.isEmpty() && control.contains(w.first());
}

}  // namespace

QStringList splitSqlBatch(const QString& text)
{
    return BatchSplitter(text).run();
}

bool runsOutsideTransaction(const QString& statement)
{
    static const QStringList single{"VACUUM", "CHECKPOINT", "PRAGMA", "ATTACH", "DETACH", "REINDEX", "CLUSTER"};
    const QStringList w = leadingWords(statement, 3);
    if (w.isEmpty())
        return false;
    if (single.contains(w.first()) || isTransactionControl(statement))
        return true;
    if ((w.first() == QLatin1String("CREATE") || w.first() == QLatin1String("DROP") ||
         w.first() == QLatin1String("ALTER")) &&
        (w.value(1) == QLatin1String("DATABASE") || w.value(1) == QLatin1String("SYSTEM") ||
         w.value(1) == QLatin1String("TABLESPACE")))
        return true;
    // CREATE INDEX CONCURRENTLY
    return w.first() == QLatin1String("CREATE") && w.value(2) == QLatin1String("CONCURRENTLY");
}

bool runSqlBatch(db::Session& session, const QString& text)
{
    const QStringList statements = splitSqlBatch(text);
    const bool ownCommits = std::any_of(statements.begin(), statements.end(), runsOutsideTransaction);
    if (!ownCommits) {
        try {
            db::Transaction tx(session);
            for (const QString& s : statements)
                session.execRaw(s);
            tx.commit();
            return true;
        } catch (const db::Error&) {
            return false;
        }
    }
    // Each statement commits on its own; a transaction the batch opened and
    // left open (by a failure or a missing COMMIT) would hold its locks for
    // the rest of the run, so whatever it did not commit is undone.
    bool ok = true;
    bool open = false;
    try {
        for (const QString& s : statements) {
            const QStringList words = leadingWords(s, 2);
            const QString first = words.value(0);
            if (first == QLatin1String("BEGIN") || first == QLatin1String("START"))
                open = true;
            else if (first == QLatin1String("COMMIT") || first == QLatin1String("END") ||
                     first == QLatin1String("ABORT") ||
                     (first == QLatin1String("ROLLBACK") && words.value(1) != QLatin1String("TO")))
                open = false;
            session.execRaw(s);
        }
    } catch (const db::Error&) {
        ok = false;
    }
    if (open) {
        try {
            session.execRaw(QStringLiteral("ROLLBACK"));
        } catch (const db::Error&) {
            // the failed statement ended it already
        }
    }
    return ok;
}

QString maintenanceStatement(db::Engine engine, Maintenance which)
{
    if (which == Maintenance::Compact)
        return QStringLiteral("VACUUM");
    return engine == db::Engine::Sqlite ? QStringLiteral("PRAGMA wal_checkpoint(TRUNCATE)")
                                        : QStringLiteral("CHECKPOINT");
}

QString clockText(const QDateTime& moment)
{
    return moment.toString(QStringLiteral("dd.MM.yyyy.HH.mm.ss"));
}

const QStringList& salesTables()
{
    static const QStringList list{"Q_bugs", "Q_Customer_details", "Q_Items_mov", "Q_Kasa_Detay", "Q_adisyon"};
    return list;
}

const QStringList& installationTables()
{
    static const QStringList list =
        QStringLiteral(
            "Q_bugs Q_adisyon Q_admin Q_admin_details Q_admin_second Q_customer Q_customer_details "
            "Q_envantory Q_grups Q_invoice Q_ITEMS Q_ITEMS_DETAY Q_ITEMS_DETAYX Q_ITEMS_INVENTORY "
            "Q_ITEMS_INVENTORY_ALL Q_ITEMS_mov Q_ITEMS_ORTAK Q_ITEMS_PRICES Q_ITEMS_SFIYAT Q_Items_zayi "
            "Q_Kasa Q_Kasa_detay Q_kasa_devir Q_Kasa_gn Q_Kasa_gn1 Q_Kasa_gn12 Q_Kasa_gn2 Q_Kasa_detay2 "
            "Q_master_delete Q_master_detay Q_master_table Q_odemetipi Q_admin_second Q_Transfer Q_tuketim "
            "Q_Events Q_Transfer_Id Q_Userkontrol Q_waybil A_Details A_Pool A_Pool_C A_ID_CHECK acehesap "
            "acekontenjan acenta acenta_pazar acenta_pazard acepromo aearlybook cari exchanget fatura "
            "fatura_detay fatura_otel folars folexars folio foliochange folioex folioextra foliolist "
            "iptalrez acenta kasa_devir kasa_otel kasabalans kasablns konaklama konaklama_change kur mainco "
            "maincourant mesaj musteri musteri_detay musteri_history oda odaariza odabloke odagelir odaoz "
            "odatip pro_folio_add proforma proforma_header reserve room_change roomrack userkontrol")
            .split(u' ', Qt::SkipEmptyParts);
    return list;
}

void AdminTools::deleteSales()
{
    db::Transaction tx(session_);
    for (const QString& table : salesTables())
        session_.exec("DELETE FROM " + table);
    tx.commit();
}

bool AdminTools::installationCodeMatches(const std::optional<QString>& typedCode)
{
    return typedCode && *typedCode == QLatin1String(kInstallationCode);
}

std::optional<WipeResult> AdminTools::newInstallation(const std::optional<QString>& typedCode)
{
    if (!installationCodeMatches(typedCode))
        return std::nullopt;
    WipeResult result;
    db::Transaction tx(session_);
    for (const QString& table : installationTables()) {
        // Hotel front-office tables live only in some databases: a table this
        // one lacks is passed over instead of stopping the wipe half done.
        if (!session_.tableExists(table)) {
            result.skipped << table;
            continue;
        }
        session_.exec("DELETE FROM " + table);
        result.emptied << table;
    }
    tx.commit();
    return result;
}

void AdminTools::fixPda()
{
    db::Transaction tx(session_);
    session_.exec(QStringLiteral("DELETE FROM Q_pda_adisyon"));
    session_.exec(QStringLiteral("DELETE FROM Q_pda_process"));
    tx.commit();
}

void AdminTools::resetCounter()
{
    db::Transaction tx(session_);
    session_.exec(QStringLiteral("UPDATE RACK_RENK SET CHE = :c"), {{"c", QStringLiteral("1")}});
    tx.commit();
}

std::optional<double> AdminTools::constant()
{
    const auto row = session_.selectOne(QStringLiteral("SELECT CONSTANT FROM Q_CONSTANT"));
    if (!row)
        return std::nullopt;
    return row->number(QStringLiteral("CONSTANT"));
}

void AdminTools::saveConstant(double value)
{
    db::Transaction tx(session_);
    if (session_.exec(QStringLiteral("UPDATE Q_CONSTANT SET CONSTANT = :c"), {{"c", value}}) <= 0)
        session_.exec(QStringLiteral("INSERT INTO Q_CONSTANT (CONSTANT) VALUES (:c)"), {{"c", value}});
    tx.commit();
}

}  // namespace app
