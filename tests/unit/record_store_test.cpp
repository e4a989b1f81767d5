#include "catalogue/record_store.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <stdexcept>

#include "app/texts.h"
#include "catalogue/game_store.h"
#include "../support/temp_dir.h"

namespace tolvar {
namespace {

using testing_support::TempDir;

std::vector<FieldValue> game(int number, const std::string& name) {
  return {FieldValue::ofInteger(number), FieldValue::ofText(name), FieldValue::ofText("D:\\" + name + ".exe"),
          FieldValue::ofBytes("N" + name), FieldValue::ofBytes("H" + name)};
}

class RecordStoreTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(RecordStore::createStore(path, gameFieldSpec()));
    ASSERT_EQ(store.openStore(path), StoreOpenResult::opened);
  }
  void fill(int count) {
    for (int i = 1; i <= count; ++i) store.appendRecord(game(i, "g" + std::to_string(i)));
  }
  std::string name() { return store.readField(texts::fieldName).data; }

  TempDir dir;
  std::string path = dir.file("Gameinfo.edb");
  RecordStore store{gameFieldSpec()};
};

TEST_F(RecordStoreTest, NewStoreIsEmptyAndReadsEmptyValues) {
  EXPECT_EQ(store.recordCount(), 0);
  store.goToFirst();
  EXPECT_EQ(store.position(), 0);
  EXPECT_EQ(store.readField(texts::fieldNumber), FieldValue::ofInteger(0));
  EXPECT_EQ(store.readField(texts::fieldName), FieldValue::ofText(""));
  EXPECT_EQ(store.readField(texts::fieldHotImage), FieldValue::ofBytes(""));
  EXPECT_FALSE(store.writeField(texts::fieldName, FieldValue::ofText("x")));
  EXPECT_FALSE(store.skipRecord());
  EXPECT_FALSE(store.deleteCurrent());
  EXPECT_EQ(store.recordCount(), 0);
}

TEST_F(RecordStoreTest, CursorRules) {
  fill(5);
  struct Step {
    const char* op;
    int argument;
    int expectedPosition;
    const char* expectedName;  // read after the step
  };
  const Step steps[] = {
      {"first", 0, 0, "g1"},   {"go", 0, 0, "g1"},    {"go", -7, 0, "g1"},   {"go", 3, 2, "g3"},
      {"go", 8, 4, "g5"},      {"skip", 0, 5, ""},    {"skip", 0, 5, ""},    {"go", 5, 4, "g5"},
      {"skip", 0, 5, ""},      {"first", 0, 0, "g1"}, {"skip", 0, 1, "g2"},
  };
  for (const Step& s : steps) {
    const std::string op = s.op;
    if (op == "first") store.goToFirst();
    if (op == "go") store.goToRecord(s.argument);
    if (op == "skip") store.skipRecord();
    EXPECT_EQ(store.position(), s.expectedPosition) << op << " " << s.argument;
    EXPECT_EQ(name(), s.expectedName) << op << " " << s.argument;
  }
  // Past the end: reads are empty and writes touch nothing.
  store.goToRecord(5);
  store.skipRecord();
  EXPECT_FALSE(store.skipRecord());
  EXPECT_FALSE(store.writeField(texts::fieldName, FieldValue::ofText("x")));
  EXPECT_EQ(store.readField(texts::fieldNumber).integer, 0);
}

TEST_F(RecordStoreTest, AppendMakesTheNewRecordCurrent) {
  fill(2);
  store.goToFirst();
  store.appendRecord(game(3, "new"));
  EXPECT_EQ(store.recordCount(), 3);
  EXPECT_EQ(store.position(), 2);
  EXPECT_EQ(name(), "new");
}

TEST_F(RecordStoreTest, TextsAreCutAtTheByteLimitOnWholeCharacters) {
  struct Case {
    const char* field;
    std::string value;
    std::string stored;
  };
  const std::string twenty(20, 'n');
  const std::string gbkAcross = std::string(19, 'a') + "游";  // 21 bytes; 游 spans bytes 20-21
  const std::string path512 = std::string(511, 'p') + "戏x";  // 戏 spans bytes 512-513
  const Case cases[] = {
      {texts::fieldName, twenty, twenty},
      {texts::fieldName, twenty + "abcde", twenty},
      {texts::fieldName, gbkAcross, std::string(19, 'a')},
      {texts::fieldName, std::string(18, 'a') + "游戏", std::string(18, 'a') + "游"},
      {texts::fieldPath, std::string(600, 'p'), std::string(512, 'p')},
      {texts::fieldPath, path512, std::string(511, 'p')},
      {texts::fieldName, std::string("ab\0cd", 5), "ab"},  // read stops at a zero byte
  };
  fill(1);
  for (const Case& c : cases) {
    store.goToRecord(1);
    store.writeField(c.field, FieldValue::ofText(c.value));
    EXPECT_EQ(store.readField(c.field).data, c.stored) << c.field << " " << c.value.size();
  }
  store.appendRecord(game(2, twenty + "tail"));
  EXPECT_EQ(name(), twenty);
}

TEST_F(RecordStoreTest, DeleteAndPurgeRenumberDensely) {
  fill(5);
  store.goToRecord(3);
  store.deleteCurrent();
  EXPECT_EQ(store.recordCount(), 5);  // marked, still counted
  EXPECT_EQ(store.position(), 2);
  store.purgeDeleted();
  EXPECT_EQ(store.recordCount(), 4);
  EXPECT_EQ(store.position(), 0);
  std::vector<std::string> names;
  for (int n = 1; n <= 4; ++n) {
    store.goToRecord(n);
    names.push_back(name());
  }
  EXPECT_EQ(names, (std::vector<std::string>{"g1", "g2", "g4", "g5"}));
  // The same after reopening the file.
  store.closeStore();
  ASSERT_EQ(store.openStore(path), StoreOpenResult::opened);
  EXPECT_EQ(store.recordCount(), 4);
  store.goToRecord(3);
  EXPECT_EQ(name(), "g4");
}

TEST_F(RecordStoreTest, SwapKeepsTheNumbers) {
  fill(5);
  swapGameRecords(store, 2, 5);
  store.goToRecord(2);
  EXPECT_EQ(store.readField(texts::fieldNumber).integer, 2);
  EXPECT_EQ(name(), "g5");
  EXPECT_EQ(store.readField(texts::fieldPath).data, "D:\\g5.exe");
  EXPECT_EQ(store.readField(texts::fieldNormalImage).data, "Ng5");
  EXPECT_EQ(store.readField(texts::fieldHotImage).data, "Hg5");
  store.goToRecord(5);
  EXPECT_EQ(store.readField(texts::fieldNumber).integer, 5);
  EXPECT_EQ(name(), "g2");
  swapGameRecords(store, 3, 3);
  store.goToRecord(3);
  EXPECT_EQ(name(), "g3");
}

TEST_F(RecordStoreTest, EmptyAndBinaryPicturesSurviveUnchanged) {
  const std::string binary("\0\x01\xFF\0BM", 6);
  store.appendRecord({FieldValue::ofInteger(1), FieldValue::ofText("a"), FieldValue::ofText("b"),
                      FieldValue::ofBytes(""), FieldValue::ofBytes(binary)});
  store.closeStore();
  ASSERT_EQ(store.openStore(path), StoreOpenResult::opened);
  store.goToFirst();
  EXPECT_EQ(store.readField(texts::fieldNormalImage), FieldValue::ofBytes(""));
  EXPECT_EQ(store.readField(texts::fieldHotImage), FieldValue::ofBytes(binary));
}

TEST_F(RecordStoreTest, WrongTypesAndUnknownFieldsAreProgrammingErrors) {
  fill(1);
  EXPECT_THROW(store.writeField(texts::fieldName, FieldValue::ofInteger(3)), std::logic_error);
  EXPECT_THROW(store.readField("nope"), std::logic_error);
  EXPECT_THROW(store.appendRecord({FieldValue::ofInteger(1)}), std::logic_error);
  EXPECT_THROW(readBytesField(store, texts::fieldName), std::logic_error);
}

TEST_F(RecordStoreTest, TransactionRollsBackWholeWhenNotCommitted) {
  fill(3);
  {
    RecordStore::Transaction action(store);
    store.appendRecord(game(4, "g4"));
    store.goToRecord(1);
    store.deleteCurrent();
    store.purgeDeleted();
  }  // no commit
  EXPECT_EQ(store.recordCount(), 3);
  store.goToRecord(1);
  EXPECT_EQ(name(), "g1");
  {
    RecordStore::Transaction action(store);
    store.appendRecord(game(4, "g4"));
    {
      RecordStore::Transaction inner(store);
      store.goToRecord(1);
      store.writeField(texts::fieldName, FieldValue::ofText("renamed"));
      EXPECT_TRUE(inner.commit());
    }
    EXPECT_TRUE(action.commit());
  }
  store.closeStore();
  ASSERT_EQ(store.openStore(path), StoreOpenResult::opened);
  EXPECT_EQ(store.recordCount(), 4);
  store.goToRecord(1);
  EXPECT_EQ(name(), "renamed");
}

TEST_F(RecordStoreTest, ClosedStoreLeavesASingleFileAndReadsEmpty) {
  fill(2);
  store.closeStore();
  EXPECT_FALSE(std::filesystem::exists(path + "-wal"));
  EXPECT_FALSE(std::filesystem::exists(path + "-shm"));
  EXPECT_EQ(store.recordCount(), 0);
  EXPECT_EQ(store.readField(texts::fieldPath), FieldValue::ofText(""));
  EXPECT_FALSE(store.appendRecord(game(1, "x")));
}

TEST_F(RecordStoreTest, AStoreHeldByAnotherProcessIsUnavailableNotDamaged) {
  fill(1);
  // The open store holds the file exclusively; a second opener is told it is busy.
  RecordStore second{gameFieldSpec()};
  EXPECT_EQ(second.openStore(path), StoreOpenResult::unavailable);
}

TEST(RecordStoreOpen, ClassifiesFilesThatAreNotStores) {
  TempDir dir;
  struct Case {
    const char* what;
    std::function<void(const std::string&)> make;
    StoreOpenResult expected;
  };
  const Case cases[] = {
      {"missing", [](const std::string&) {}, StoreOpenResult::unavailable},
      {"text file",
       [](const std::string& p) { std::ofstream(p) << "this is not a database, just some text that is long"; },
       StoreOpenResult::notAStore},
      {"another schema",
       [](const std::string& p) {
         sqlite3* db = nullptr;
         sqlite3_open(p.c_str(), &db);
         sqlite3_exec(db, "CREATE TABLE t(x); INSERT INTO t VALUES(1);", nullptr, nullptr, nullptr);
         sqlite3_close(db);
       },
       StoreOpenResult::notAStore},
      {"other fields",
       [](const std::string& p) {
         RecordStore::createStore(p, {{"a", FieldType::integer, 20}});
       },
       StoreOpenResult::notAStore},
      {"zero-length file", [](const std::string& p) { std::ofstream{p}; }, StoreOpenResult::opened},
  };
  int i = 0;
  for (const Case& c : cases) {
    const std::string p = dir.file("case" + std::to_string(i++) + ".edb");
    c.make(p);
    RecordStore store{gameFieldSpec()};
    EXPECT_EQ(store.openStore(p), c.expected) << c.what;
  }
}

TEST(RecordStoreOpen, DamagedPagesAreNotAStore) {
  TempDir dir;
  const std::string p = dir.file("damaged.edb");
  {
    RecordStore::createStore(p, gameFieldSpec());
    RecordStore store{gameFieldSpec()};
    ASSERT_EQ(store.openStore(p), StoreOpenResult::opened);
    for (int i = 0; i < 200; ++i) store.appendRecord(game(i, std::string(20, 'x')));
  }
  // Scribble over the page headers past the first page.
  const auto size = std::filesystem::file_size(p);
  ASSERT_GT(size, 4096u * 3);
  std::fstream f(p, std::ios::in | std::ios::out | std::ios::binary);
  const std::string junk(64, '\x5A');
  for (std::uintmax_t page = 4096; page < size; page += 4096) {
    f.seekp(static_cast<std::streamoff>(page));
    f.write(junk.data(), static_cast<std::streamsize>(junk.size()));
  }
  f.close();
  RecordStore store{gameFieldSpec()};
  EXPECT_EQ(store.openStore(p), StoreOpenResult::notAStore);
}

}  // namespace
}  // namespace tolvar
