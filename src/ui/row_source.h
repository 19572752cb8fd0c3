#pragma once

#include "db/row.h"
#include "db/session.h"

#include <functional>
#include <memory>
#include <vector>

namespace ui {

// A stream of rows read a batch at a time (a grid over a large result reads
// only what is on show, then more as the user scrolls).
class RowSource {
public:
    virtual ~RowSource() = default;
    // The result's columns; known once the first batch was asked for.
    virtual std::shared_ptr<const db::Columns> columns() const = 0;
    // Appends up to `count` rows to `out`; returns false once nothing is left
    // (the rows appended by that last call still count).
    virtual bool fetch(int count, std::vector<db::Row>& out) = 0;
    // Hands every row not read yet to `take`, a chunk at a time (the chunk is
    // emptied after each call), so that the rows need not all exist twice.
    virtual void fetchRest(const std::function<void(std::vector<db::Row>&)>& take)
    {
        std::vector<db::Row> chunk;
        for (bool more = true; more;) {
            more = fetch(chunkRows, chunk);
            take(chunk);
            chunk.clear();
        }
    }
    static constexpr int chunkRows = 5000;
};

// A statement read page by page: each batch runs the statement again with
// LIMIT and OFFSET, so nothing stays open on the connection between batches
// and the window may run other statements meanwhile. The statement must
// order its rows completely (ORDER BY ending in a unique key) and must not
// have a LIMIT of its own.
class QuerySource : public RowSource {
public:
    QuerySource(db::Session& session, QString sql, db::Params params = {});
    std::shared_ptr<const db::Columns> columns() const override { return columns_; }
    bool fetch(int count, std::vector<db::Row>& out) override;
    void fetchRest(const std::function<void(std::vector<db::Row>&)>& take) override;

private:
    db::Cursor open(qint64 limit);

    db::Session& session_;
    QString sql_;
    db::Params params_;
    qint64 offset_ = 0;
    std::shared_ptr<const db::Columns> columns_;
};

// A forward-only database cursor as a row source. The cursor must be the
// only statement running on its connection until it is read to the end: on
// PostgreSQL another statement on the same session cuts the cursor's result
// short. Grids that stay open while the window works use QuerySource.
class CursorSource : public RowSource {
public:
    explicit CursorSource(db::Cursor cursor) : cursor_(std::move(cursor)) {}
    std::shared_ptr<const db::Columns> columns() const override { return cursor_.columns(); }
    bool fetch(int count, std::vector<db::Row>& out) override
    {
        for (int i = 0; i < count; ++i) {
            if (!cursor_.next())
                return false;
            out.push_back(cursor_.row());
        }
        return true;
    }

private:
    db::Cursor cursor_;
};

}  // namespace ui
