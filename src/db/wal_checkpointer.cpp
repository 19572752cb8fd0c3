#include "db/wal_checkpointer.h"

#include <sqlite3.h>

namespace db {

WalCheckpointer::WalCheckpointer(sqlite3* writer, QString file, int pages, int writerBusyMs)
    : writer_(writer), file_(std::move(file)), pages_(pages), writerBusyMs_(writerBusyMs)
{
    sqlite3_wal_hook(writer_, &WalCheckpointer::onCommit, this);
}

WalCheckpointer::~WalCheckpointer()
{
    // Back to the engine's own automatic checkpoint for whatever the
    // connection still commits.
    sqlite3_wal_autocheckpoint(writer_, pages_);
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stopping_ = true;
    }
    cv_.notify_all();
    if (thread_.joinable())
        thread_.join();
}

int WalCheckpointer::completed() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return completed_;
}

int WalCheckpointer::onCommit(void* self, sqlite3* db, const char* name, int pages)
{
    static_cast<WalCheckpointer*>(self)->committed(db, name, pages);
    return SQLITE_OK;
}

void WalCheckpointer::committed(sqlite3* db, const char* name, int pages)
{
    if (pages < pages_) {
        retryAt_ = 0;  // the log has started afresh
        return;
    }
    if (alone_.load()) {
        // The thread has no connection: checkpoint here, as the engine would.
        sqlite3_wal_checkpoint_v2(db, name, SQLITE_CHECKPOINT_PASSIVE, nullptr, nullptr);
        return;
    }
    std::unique_lock<std::mutex> lock(mutex_);
    // After a round of the thread, or when the log has grown far beyond its
    // size all the same (the thread cannot keep up), the writer finishes.
    if (!running_ && (roundDone_ || pages >= 4 * pages_) && pages >= retryAt_) {
        roundDone_ = false;
        lock.unlock();
        // The rest of the log, waiting at most 50 ms for the readers of older
        // pages to finish what they are reading.
        sqlite3_busy_timeout(db, 50);
        const int rc = sqlite3_wal_checkpoint_v2(db, name, SQLITE_CHECKPOINT_RESTART, nullptr, nullptr);
        sqlite3_busy_timeout(db, writerBusyMs_);
        lock.lock();
        if (rc == SQLITE_OK)
            return;
        // A reader holds on (a long report): another round first, and a new
        // try once the log has grown by a quarter of its size.
        retryAt_ = pages + pages_ / 4;
    }
    if (running_)
        return;
    wanted_ = true;
    if (!thread_.joinable())
        thread_ = std::thread(&WalCheckpointer::loop, this);
    lock.unlock();
    cv_.notify_one();
}

void WalCheckpointer::loop()
{
    sqlite3* own = nullptr;
    if (sqlite3_open_v2(file_.toUtf8().constData(), &own, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK) {
        sqlite3_close(own);
        own = nullptr;
        alone_ = true;
    } else {
        // The same durability as the writers: the log is flushed before its
        // pages are copied, the database file after.
        sqlite3_exec(own, "PRAGMA synchronous=NORMAL", nullptr, nullptr, nullptr);
    }
    std::unique_lock<std::mutex> lock(mutex_);
    for (;;) {
        cv_.wait(lock, [this] { return wanted_ || stopping_; });
        if (stopping_)
            break;
        wanted_ = false;
        running_ = true;
        lock.unlock();
        // Rounds until what the writer wrote meanwhile is little, so that
        // the writer's own part stays short.
        int rc = SQLITE_ERROR;
        for (int round = 0; own && round < 4; ++round) {
            int log = 0, copied = 0;
            rc = sqlite3_wal_checkpoint_v2(own, "main", SQLITE_CHECKPOINT_PASSIVE, &log, &copied);
            if (rc != SQLITE_OK || log - copied <= pages_ / 16)
                break;
        }
        lock.lock();
        running_ = false;
        if (rc == SQLITE_OK) {
            ++completed_;
            roundDone_ = true;
        }
    }
    lock.unlock();
    sqlite3_close(own);
}

}  // namespace db
