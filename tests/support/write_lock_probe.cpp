// Another process's look at a SQLite database: tries to take the write lock
// without waiting and says "busy" (someone holds it, or holds the database
// against it) or "taken" (nobody does; given back at once). It never writes,
// and leaves the WAL as it found it when it closes.
#include <sqlite3.h>

#include <cstdio>

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s database-file\n", argv[0]);
    return 2;
  }
  sqlite3* db = nullptr;
  if (sqlite3_open_v2(argv[1], &db, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK) {
    std::printf("error: %s\n", db ? sqlite3_errmsg(db) : "out of memory");
    return 2;
  }
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
