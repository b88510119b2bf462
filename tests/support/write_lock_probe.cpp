// Another process's look at a SQLite database: tries to take the write lock
// without waiting and says "busy" (someone holds it, or holds the database
// against it) or "taken" (nobody does; given back at once). It never writes,
// and leaves the WAL as it found it when it closes.
//
// With "--read" it is a plain reader instead, as the sqlite3 shell is: it
// reads the schema and closes as usual, and so, when it finds itself the last
// connection (nobody holds the database file), checkpoints and deletes the
// -wal and -shm files. Says "read".
#include <sqlite3.h>

#include <cstdio>
#include <cstring>

namespace {

int ReadAndClose(sqlite3* db) {
  const int rc = sqlite3_exec(db, "select count(*) from sqlite_master", nullptr, nullptr, nullptr);
  if (rc == SQLITE_OK)
    std::printf("read\n");
  else
    std::printf("error: %s\n", sqlite3_errmsg(db));
  sqlite3_close(db);
  return rc == SQLITE_OK ? 0 : 2;
}

}  // namespace

int main(int argc, char** argv) {
  const bool reader = argc == 3 && std::strcmp(argv[2], "--read") == 0;
  if (argc != 2 && !reader) {
    std::fprintf(stderr, "usage: %s database-file [--read]\n", argv[0]);
    return 2;
  }
  sqlite3* db = nullptr;
  if (sqlite3_open_v2(argv[1], &db, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK) {
    std::printf("error: %s\n", db ? sqlite3_errmsg(db) : "out of memory");
    return 2;
  }
  if (reader) return ReadAndClose(db);
  sqlite3_db_config(db, SQLITE_DBCONFIG_NO_CKPT_ON_CLOSE, 1, nullptr);
  sqlite3_busy_timeout(db, 0);
  const int rc = sqlite3_exec(db, "begin immediate", nullptr, nullptr, nullptr);
  int exitCode = 0;
  if (rc == SQLITE_BUSY) {
    std::printf("busy\n");
  } else if (rc == SQLITE_OK) {
    std::printf("taken\n");
    sqlite3_exec(db, "rollback", nullptr, nullptr, nullptr);
  } else {
    std::printf("error: %s\n", sqlite3_errmsg(db));
    exitCode = 2;
  }
  sqlite3_close(db);
  return exitCode;
}
