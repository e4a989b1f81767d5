// RecordStore: a small typed record file with one current-record cursor, in the manner
// of a classic single-table database file, kept in an SQLite database. Callers position
// the cursor (first record, record n, next record) and read or write fields of the
// current record by field name. Record numbers are 1-based and dense, in file order.
//
// Durability: every write outside a Transaction commits on its own; a Transaction groups
// the writes of one user action so that a crash or power cut leaves the store as it was
// before the action or as it is after it, never in between.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

namespace tolvar {

enum class FieldType { integer = 1, text = 2, bytes = 3 };

struct FieldSpec {
  std::string name;
  FieldType type = FieldType::text;
  int width = 20;  // byte limit of a text field; no effect on the other types
  friend bool operator==(const FieldSpec&, const FieldSpec&) = default;
};

// A value tagged with its type. `data` holds text or byte-string values.
struct FieldValue {
  FieldType type = FieldType::integer;
  int32_t integer = 0;
  std::string data;

  static FieldValue ofInteger(int32_t v) { return {FieldType::integer, v, {}}; }
  static FieldValue ofText(std::string v) { return {FieldType::text, 0, std::move(v)}; }
  static FieldValue ofBytes(std::string v) { return {FieldType::bytes, 0, std::move(v)}; }
  static FieldValue emptyOf(FieldType t) { return {t, 0, {}}; }
  friend bool operator==(const FieldValue&, const FieldValue&) = default;
};

enum class StoreOpenResult {
  opened,
  // Certainly not a readable store: not a database, damaged, or another schema.
  notAStore,
  // Busy (locked by another process), unreadable or missing: left alone.
  unavailable,
};

class RecordStore {
 public:
  // `schema` is the layout the program expects: openStore accepts only a file with
  // exactly these fields, and reads on a closed store yield their empty values.
  explicit RecordStore(std::vector<FieldSpec> schema);
  ~RecordStore();
  RecordStore(const RecordStore&) = delete;
  RecordStore& operator=(const RecordStore&) = delete;

  // Creates an empty store with these fields at a path where no store exists yet, and
  // leaves it closed. Never touches a file that already holds anything.
  static bool createStore(const std::string& fileName, const std::vector<FieldSpec>& fields);

  StoreOpenResult openStore(const std::string& fileName);
  void closeStore();
  bool isOpen() const { return db_ != nullptr; }
  const std::vector<FieldSpec>& schema() const { return schema_; }

  // Cursor. Position p is 0-based; p == recordCount() is the place past the end.
  void goToFirst();
  bool goToRecord(int number);
  bool skipRecord();
  int recordCount() const { return static_cast<int>(rows_.size()); }
  int position() const { return position_; }

  // Reads the named field of the current record; the empty value of the field's type
  // past the end, on an empty store or with no store open. An unknown name is a
  // programming error.
  FieldValue readField(std::string_view name);
  // Replaces the named field of the current record; texts are cut at the field's byte
  // limit without splitting a double-byte character. A value of the wrong type is a
  // programming error. Past the end nothing is written.
  bool writeField(std::string_view name, const FieldValue& value);
  // Adds a record after the last one with one value per field, in field order; it
  // becomes the current record.
  bool appendRecord(const std::vector<FieldValue>& values);
  // Marks the current record deleted; it stays counted until purgeDeleted.
  bool deleteCurrent();
  // Removes the deleted records; numbering is dense again and the cursor goes to 1.
  bool purgeDeleted();

  // Groups writes into one atomic commit. Nested transactions join the outer one.
  // Without commit(), the destructor rolls the changes back.
  class Transaction {
   public:
    explicit Transaction(RecordStore& store);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;
    bool commit();

   private:
    RecordStore& store_;
    bool active_ = false;
  };

  // Text as it is stored for a field of the given byte limit.
  static std::string cutText(std::string_view text, int width);

 private:
  struct Row {
    int64_t id = 0;
    bool deleted = false;
  };

  int fieldIndex(std::string_view name) const;  // -1 when unknown
  bool exec(const char* sql);
  bool loadRows();
  bool beginOuter();
  bool commitOuter();
  void rollbackOuter();
  bool currentValid() const { return position_ >= 0 && position_ < recordCount(); }

  std::vector<FieldSpec> schema_;
  sqlite3* db_ = nullptr;
  std::vector<Row> rows_;
  int position_ = 0;
  int transactionDepth_ = 0;
  bool transactionFailed_ = false;
};

}  // namespace tolvar
