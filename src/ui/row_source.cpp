#include "ui/row_source.h"

#include <limits>

namespace ui {

QuerySource::QuerySource(db::Session& session, QString sql, db::Params params)
    : session_(session), sql_(std::move(sql)), params_(std::move(params))
{
    sql_ = sql_.trimmed();
    while (sql_.endsWith(';'))
        sql_.chop(1);
    sql_ += QStringLiteral(" LIMIT :qs_limit OFFSET :qs_offset");
}

db::Cursor QuerySource::open(qint64 limit)
{
    db::Params params = params_;
    params.insert(QStringLiteral("qs_limit"), limit);
    params.insert(QStringLiteral("qs_offset"), offset_);
    db::Cursor cursor = session_.cursor(sql_, params);
    columns_ = cursor.columns();
    return cursor;
}

bool QuerySource::fetch(int count, std::vector<db::Row>& out)
{
    db::Cursor cursor = open(count);
    int n = 0;
    while (cursor.next()) {
        out.push_back(cursor.row());
        ++n;
    }
    offset_ += n;
    return n == count;
}

// The rest in one statement, read through in chunks.
void QuerySource::fetchRest(const std::function<void(std::vector<db::Row>&)>& take)
{
    db::Cursor cursor = open(std::numeric_limits<qint64>::max());
    std::vector<db::Row> chunk;
    chunk.reserve(chunkRows);
    while (cursor.next()) {
        chunk.push_back(cursor.row());
        ++offset_;
        if (int(chunk.size()) == chunkRows) {
            take(chunk);
            chunk.clear();
        }
    }
    take(chunk);
}

}  // namespace ui
