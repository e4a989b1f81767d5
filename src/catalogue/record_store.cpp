#include "catalogue/record_store.h"

#include <sqlite3.h>

#include <algorithm>
#include <utility>

#include "base/ansi_text.h"
#include "base/fatal.h"

namespace tolvar {

// File layout: table store_fields holds the list of fields (name, type, width) in
// field order; table records holds one row per record, in file order by id, with one
// column f1..fN per field and a deleted mark. application_id marks the file as ours.
//
// Journal settings: WAL with synchronous=FULL makes every commit durable once it returns
// (the WAL is synced before the commit is reported) and a torn write at a power cut is
// rolled back by the WAL checksums at the next open. Exclusive locking keeps the WAL
// index in process memory instead of a -shm file and holds the file for the one process
// that uses it; closing the store checkpoints the WAL and removes it, so a store that is
// not open is a single file.

namespace {

constexpr int kApplicationId = 0x544C5647;  // "TLVG"
constexpr int kFormatVersion = 1;
constexpr int kBusyTimeoutMs = 250;

// One prepared statement, finalized on scope exit.
class Statement {
 public:
  Statement(sqlite3* db, const std::string& sql) {
    rc_ = sqlite3_prepare_v2(db, sql.c_str(), static_cast<int>(sql.size()), &stmt_, nullptr);
  }
  ~Statement() { sqlite3_finalize(stmt_); }
  Statement(const Statement&) = delete;
  Statement& operator=(const Statement&) = delete;

  bool ok() const { return rc_ == SQLITE_OK && stmt_ != nullptr; }
  int prepareCode() const { return rc_; }
  sqlite3_stmt* get() const { return stmt_; }
  int step() { return sqlite3_step(stmt_); }

  void bind(int index, const FieldValue& value) {
    switch (value.type) {
      case FieldType::integer: sqlite3_bind_int(stmt_, index, value.integer); break;
      case FieldType::text:
        sqlite3_bind_text(stmt_, index, value.data.data(), static_cast<int>(value.data.size()),
                          SQLITE_TRANSIENT);
        break;
      case FieldType::bytes:
        // An empty byte string is stored as a zero-length blob, not as NULL.
        if (value.data.empty()) {
          sqlite3_bind_zeroblob(stmt_, index, 0);
        } else {
          sqlite3_bind_blob(stmt_, index, value.data.data(), static_cast<int>(value.data.size()),
                            SQLITE_TRANSIENT);
        }
        break;
    }
  }

 private:
  sqlite3_stmt* stmt_ = nullptr;
  int rc_ = SQLITE_ERROR;
};

std::string column(int index) { return "f" + std::to_string(index + 1); }

std::string columnBytes(sqlite3_stmt* stmt, int col) {
  const void* data = sqlite3_column_blob(stmt, col);
  const int size = sqlite3_column_bytes(stmt, col);
  if (!data || size <= 0) return {};
  return std::string(static_cast<const char*>(data), static_cast<std::size_t>(size));
}

bool createSchema(sqlite3* db, const std::vector<FieldSpec>& fields) {
  std::string sql =
      "BEGIN;"
      "CREATE TABLE store_fields(position INTEGER PRIMARY KEY, name BLOB NOT NULL,"
      " type INTEGER NOT NULL, width INTEGER NOT NULL);"
      "CREATE TABLE records(id INTEGER PRIMARY KEY, deleted INTEGER NOT NULL DEFAULT 0";
  for (std::size_t i = 0; i < fields.size(); ++i) {
    sql += ", " + column(static_cast<int>(i));
    if (fields[i].type == FieldType::integer) sql += " INTEGER NOT NULL DEFAULT 0";
  }
  sql += ");PRAGMA application_id=" + std::to_string(kApplicationId) +
         ";PRAGMA user_version=" + std::to_string(kFormatVersion) + ";";
  if (sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr) != SQLITE_OK) {
    sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
    return false;
  }
  for (std::size_t i = 0; i < fields.size(); ++i) {
    Statement insert(db, "INSERT INTO store_fields(position, name, type, width) VALUES(?,?,?,?)");
    if (!insert.ok()) break;
    sqlite3_bind_int(insert.get(), 1, static_cast<int>(i + 1));
    sqlite3_bind_blob(insert.get(), 2, fields[i].name.data(), static_cast<int>(fields[i].name.size()),
                      SQLITE_TRANSIENT);
    sqlite3_bind_int(insert.get(), 3, static_cast<int>(fields[i].type));
    sqlite3_bind_int(insert.get(), 4, fields[i].width);
    if (insert.step() != SQLITE_DONE) {
      sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
      return false;
    }
  }
  if (sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr) != SQLITE_OK) {
    sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
    return false;
  }
  return true;
}

// -1: the file could not be read (busy, I/O); 0: not a database or damaged; else the
// number of tables.
int countTables(sqlite3* db, bool* damaged) {
  *damaged = false;
  Statement count(db, "SELECT count(*) FROM sqlite_master");
  int rc = count.ok() ? count.step() : count.prepareCode();
  if (rc == SQLITE_ROW) return sqlite3_column_int(count.get(), 0);
  if (rc == SQLITE_NOTADB || rc == SQLITE_CORRUPT) *damaged = true;
  return -1;
}

bool isDamageCode(int rc) {
  rc &= 0xFF;
  return rc == SQLITE_NOTADB || rc == SQLITE_CORRUPT || rc == SQLITE_FORMAT;
}

int pragmaInt(sqlite3* db, const char* sql) {
  Statement s(db, sql);
  if (s.ok() && s.step() == SQLITE_ROW) return sqlite3_column_int(s.get(), 0);
  return 0;
}

}  // namespace

RecordStore::RecordStore(std::vector<FieldSpec> schema) : schema_(std::move(schema)) {}

RecordStore::~RecordStore() { closeStore(); }

std::string RecordStore::cutText(std::string_view text, int width) {
  return std::string(cutToBytes(text, width < 0 ? 0 : static_cast<std::size_t>(width)));
}

bool RecordStore::createStore(const std::string& fileName, const std::vector<FieldSpec>& fields) {
  sqlite3* db = nullptr;
  if (sqlite3_open_v2(fileName.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) !=
      SQLITE_OK) {
    sqlite3_close_v2(db);
    return false;
  }
  sqlite3_busy_timeout(db, kBusyTimeoutMs);
  bool damaged = false;
  bool created = false;
  // Only a file with no tables at all (a new or zero-length file) is given a schema.
  if (countTables(db, &damaged) == 0) created = createSchema(db, fields);
  sqlite3_close_v2(db);
  return created;
}

StoreOpenResult RecordStore::openStore(const std::string& fileName) {
  closeStore();
  sqlite3* db = nullptr;
  if (sqlite3_open_v2(fileName.c_str(), &db, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK) {
    sqlite3_close_v2(db);
    return StoreOpenResult::unavailable;
  }
  sqlite3_busy_timeout(db, kBusyTimeoutMs);
  sqlite3_exec(db, "PRAGMA locking_mode=EXCLUSIVE", nullptr, nullptr, nullptr);

  auto fail = [&](StoreOpenResult result) {
    sqlite3_close_v2(db);
    return result;
  };

  bool damaged = false;
  const int tables = countTables(db, &damaged);
  if (tables < 0) return fail(damaged ? StoreOpenResult::notAStore : StoreOpenResult::unavailable);
  // A file with no tables holds nothing to lose (a zero-length file, or a creation that
  // was cut short): give it the schema in place.
  if (tables == 0 && !createSchema(db, schema_)) return fail(StoreOpenResult::unavailable);

  {
    Statement check(db, "PRAGMA quick_check");
    int rc = check.ok() ? check.step() : check.prepareCode();
    if (rc != SQLITE_ROW) {
      return fail(isDamageCode(rc) ? StoreOpenResult::notAStore : StoreOpenResult::unavailable);
    }
    const unsigned char* verdict = sqlite3_column_text(check.get(), 0);
    if (!verdict || std::string(reinterpret_cast<const char*>(verdict)) != "ok") {
      return fail(StoreOpenResult::notAStore);
    }
  }

  if (pragmaInt(db, "PRAGMA application_id") != kApplicationId) return fail(StoreOpenResult::notAStore);
  {
    std::vector<FieldSpec> stored;
    Statement fields(db, "SELECT name, type, width FROM store_fields ORDER BY position");
    if (!fields.ok()) return fail(StoreOpenResult::notAStore);
    int rc;
    while ((rc = fields.step()) == SQLITE_ROW) {
      stored.push_back({columnBytes(fields.get(), 0),
                        static_cast<FieldType>(sqlite3_column_int(fields.get(), 1)),
                        sqlite3_column_int(fields.get(), 2)});
    }
    if (rc != SQLITE_DONE) return fail(StoreOpenResult::unavailable);
    if (stored != schema_) return fail(StoreOpenResult::notAStore);
    std::string probe = "SELECT id, deleted";
    for (std::size_t i = 0; i < schema_.size(); ++i) probe += ", " + column(static_cast<int>(i));
    probe += " FROM records LIMIT 0";
    Statement columns(db, probe);
    if (!columns.ok()) return fail(StoreOpenResult::notAStore);
  }

  sqlite3_exec(db, "PRAGMA journal_mode=WAL", nullptr, nullptr, nullptr);
  sqlite3_exec(db, "PRAGMA synchronous=FULL", nullptr, nullptr, nullptr);
  // Take the write lock now and keep it (exclusive locking mode), so that no other
  // process writes the file while the program runs.
  if (sqlite3_exec(db, "BEGIN IMMEDIATE; COMMIT;", nullptr, nullptr, nullptr) != SQLITE_OK) {
    sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
  }

  db_ = db;
  if (!loadRows()) {
    closeStore();
    return StoreOpenResult::unavailable;
  }
  position_ = 0;
  return StoreOpenResult::opened;
}

void RecordStore::closeStore() {
  if (!db_) return;
  if (transactionDepth_ > 0) sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
  transactionDepth_ = 0;
  sqlite3_close_v2(db_);
  db_ = nullptr;
  rows_.clear();
  position_ = 0;
}

bool RecordStore::loadRows() {
  rows_.clear();
  Statement s(db_, "SELECT id, deleted FROM records ORDER BY id");
  if (!s.ok()) return false;
  int rc;
  while ((rc = s.step()) == SQLITE_ROW) {
    rows_.push_back({sqlite3_column_int64(s.get(), 0), sqlite3_column_int(s.get(), 1) != 0});
  }
  if (position_ > recordCount()) position_ = recordCount();
  return rc == SQLITE_DONE;
}

bool RecordStore::exec(const char* sql) {
  return db_ && sqlite3_exec(db_, sql, nullptr, nullptr, nullptr) == SQLITE_OK;
}

int RecordStore::fieldIndex(std::string_view name) const {
  for (std::size_t i = 0; i < schema_.size(); ++i) {
    if (schema_[i].name == name) return static_cast<int>(i);
  }
  return -1;
}

void RecordStore::goToFirst() { position_ = 0; }

bool RecordStore::goToRecord(int number) {
  const int k = recordCount();
  position_ = std::max(0, std::min(k - 1, number - 1));
  return k > 0;
}

bool RecordStore::skipRecord() {
  const int k = recordCount();
  if (k == 0 || position_ >= k) return false;
  ++position_;
  return true;
}

FieldValue RecordStore::readField(std::string_view name) {
  const int index = fieldIndex(name);
  if (index < 0) programmingError("readField: unknown field " + std::string(name));
  const FieldSpec& field = schema_[static_cast<std::size_t>(index)];
  FieldValue value = FieldValue::emptyOf(field.type);
  if (!db_ || !currentValid()) return value;
  Statement s(db_, "SELECT " + column(index) + " FROM records WHERE id=?");
  if (!s.ok()) return value;
  sqlite3_bind_int64(s.get(), 1, rows_[static_cast<std::size_t>(position_)].id);
  if (s.step() != SQLITE_ROW) return value;
  switch (field.type) {
    case FieldType::integer: value.integer = sqlite3_column_int(s.get(), 0); break;
    case FieldType::text: {
      std::string text = columnBytes(s.get(), 0);
      const std::size_t zero = text.find('\0');
      if (zero != std::string::npos) text.resize(zero);
      value.data = std::move(text);
      break;
    }
    case FieldType::bytes: value.data = columnBytes(s.get(), 0); break;
  }
  return value;
}

bool RecordStore::writeField(std::string_view name, const FieldValue& value) {
  const int index = fieldIndex(name);
  if (index < 0) programmingError("writeField: unknown field " + std::string(name));
  const FieldSpec& field = schema_[static_cast<std::size_t>(index)];
  if (value.type != field.type) programmingError("writeField: wrong type for " + std::string(name));
  if (!db_ || !currentValid()) return false;
  Statement s(db_, "UPDATE records SET " + column(index) + "=? WHERE id=?");
  if (!s.ok()) return false;
  if (field.type == FieldType::text) {
    s.bind(1, FieldValue::ofText(cutText(value.data, field.width)));
  } else {
    s.bind(1, value);
  }
  sqlite3_bind_int64(s.get(), 2, rows_[static_cast<std::size_t>(position_)].id);
  const bool ok = s.step() == SQLITE_DONE;
  if (!ok && transactionDepth_ > 0) transactionFailed_ = true;
  return ok;
}

bool RecordStore::appendRecord(const std::vector<FieldValue>& values) {
  if (values.size() != schema_.size()) programmingError("appendRecord: wrong number of values");
  for (std::size_t i = 0; i < values.size(); ++i) {
    if (values[i].type != schema_[i].type) programmingError("appendRecord: wrong type for " + schema_[i].name);
  }
  if (!db_) return false;
  std::string sql = "INSERT INTO records(deleted";
  for (std::size_t i = 0; i < schema_.size(); ++i) sql += ", " + column(static_cast<int>(i));
  sql += ") VALUES(0";
  for (std::size_t i = 0; i < schema_.size(); ++i) sql += ",?";
  sql += ")";
  Statement s(db_, sql);
  if (!s.ok()) return false;
  for (std::size_t i = 0; i < values.size(); ++i) {
    const int param = static_cast<int>(i + 1);
    if (schema_[i].type == FieldType::text) {
      s.bind(param, FieldValue::ofText(cutText(values[i].data, schema_[i].width)));
    } else {
      s.bind(param, values[i]);
    }
  }
  if (s.step() != SQLITE_DONE) {
    if (transactionDepth_ > 0) transactionFailed_ = true;
    return false;
  }
  rows_.push_back({sqlite3_last_insert_rowid(db_), false});
  position_ = recordCount() - 1;
  return true;
}

bool RecordStore::deleteCurrent() {
  if (!db_ || !currentValid()) return false;
  Statement s(db_, "UPDATE records SET deleted=1 WHERE id=?");
  if (!s.ok()) return false;
  sqlite3_bind_int64(s.get(), 1, rows_[static_cast<std::size_t>(position_)].id);
  if (s.step() != SQLITE_DONE) {
    if (transactionDepth_ > 0) transactionFailed_ = true;
    return false;
  }
  rows_[static_cast<std::size_t>(position_)].deleted = true;
  return true;
}

bool RecordStore::purgeDeleted() {
  if (!db_) return false;
  if (!exec("DELETE FROM records WHERE deleted<>0")) {
    if (transactionDepth_ > 0) transactionFailed_ = true;
    return false;
  }
  rows_.erase(std::remove_if(rows_.begin(), rows_.end(), [](const Row& r) { return r.deleted; }),
              rows_.end());
  position_ = 0;
  return true;
}

bool RecordStore::beginOuter() {
  transactionFailed_ = false;
  return exec("BEGIN IMMEDIATE");
}

bool RecordStore::commitOuter() {
  if (!transactionFailed_ && exec("COMMIT")) return true;
  rollbackOuter();
  return false;
}

void RecordStore::rollbackOuter() {
  exec("ROLLBACK");
  // The cursor index mirrors the file; after a rollback read it back.
  if (db_) loadRows();
}

RecordStore::Transaction::Transaction(RecordStore& store) : store_(store) {
  if (!store_.db_) return;
  if (store_.transactionDepth_ == 0 && !store_.beginOuter()) return;
  ++store_.transactionDepth_;
  active_ = true;
}

bool RecordStore::Transaction::commit() {
  if (!active_) return false;
  active_ = false;
  if (--store_.transactionDepth_ > 0) return !store_.transactionFailed_;
  return store_.commitOuter();
}

RecordStore::Transaction::~Transaction() {
  if (!active_) return;
  // Leaving without commit: an inner scope fails the whole action.
  if (--store_.transactionDepth_ > 0) {
    store_.transactionFailed_ = true;
    return;
  }
  store_.rollbackOuter();
}

}  // namespace tolvar
