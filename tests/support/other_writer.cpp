#include "support/other_writer.h"

#include "suite/db/postgres_connection.h"

#include <chrono>
#include <exception>

namespace corvane::testing {

namespace {

bool WaitsForALock(platform::DbConnection& observer, int pid) {
  return observer.QueryValue(QStringLiteral("select count(*) from pg_locks where pid=? and not granted"), {pid})
             .ToInt() > 0;
}

}  // namespace

OtherWriter::OtherWriter(TestDatabase& db, Write write) : connection_(db.OpenAnother()) {
  const auto* pg = dynamic_cast<const suite::PostgresConnection*>(connection_.get());
  if (pg) observer_ = db.OpenAnother();
  const int pid = pg ? pg->BackendPid() : 0;
  thread_ = std::thread([this, write = std::move(write)] {
    try {
      write(*connection_);
    } catch (const std::exception& e) {
      error_ = QString::fromUtf8(e.what());
    }
    done_ = true;
  });
  const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(pg ? 4 : 0) + std::chrono::milliseconds(500);
  while (!done_ && std::chrono::steady_clock::now() < until) {
    if (pg && WaitsForALock(*observer_, pid)) break;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
}

QString OtherWriter::Finish() {
  if (thread_.joinable()) thread_.join();
  return error_;
}

OtherWriter::~OtherWriter() { Finish(); }

}  // namespace corvane::testing
