#pragma once

#include <QString>
#include <atomic>
#include <condition_variable>
#include <mutex>
#include <thread>

struct sqlite3;

namespace db {

// Copies a SQLite write-ahead log back into the database file mostly on a
// thread of its own, with a connection of its own, so that the point-of-sale
// writer seldom waits for the disk flush a checkpoint ends with. Installed on a
// writing connection in place of the engine's automatic checkpoint:
//  - after a commit leaves `pages` or more pages in the log, the thread is woken
//    (started the first time) and copies the bulk of the log beside the writer;
//  - at the writer's next commit after such a round (or once the log holds
//    four times `pages`, should the thread fall behind), the writer copies
//    what was written meanwhile and waits, at most 50 ms, for readers of
//    older pages, so that the log starts afresh: a writer that never pauses
//    would otherwise keep the log growing;
//  - a reader that holds on longer (a long report) puts that off until the
//    log has grown by another quarter of `pages`.
class WalCheckpointer {
public:
    // `writerBusyMs`: the writer connection's own busy timeout, restored after
    // the brief wait above.
    WalCheckpointer(sqlite3* writer, QString file, int pages, int writerBusyMs);
    ~WalCheckpointer();
    WalCheckpointer(const WalCheckpointer&) = delete;
    WalCheckpointer& operator=(const WalCheckpointer&) = delete;

    // Rounds the thread has completed so far (for tests).
    int completed() const;

private:
    static int onCommit(void* self, sqlite3* db, const char* name, int pages);
    void committed(sqlite3* db, const char* name, int pages);
    void loop();

    sqlite3* writer_;
    QString file_;
    int pages_;
    int writerBusyMs_;
    std::thread thread_;
    mutable std::mutex mutex_;
    std::condition_variable cv_;
    bool wanted_ = false;    // the writer asks for a round
    bool running_ = false;   // a round is under way
    bool roundDone_ = false; // a round ended since the log last started afresh
    bool stopping_ = false;
    // After a reader held the finish off: the log size to try again at (the
    // writer's thread only).
    int retryAt_ = 0;
    int completed_ = 0;
    std::atomic<bool> alone_{false};  // the thread has no connection: the writer checkpoints
};

}  // namespace db
