#include "catalogue/game_store.h"

#include "app/texts.h"
#include "base/fatal.h"
#include "platform/platform.h"

namespace tolvar {

std::vector<FieldSpec> gameFieldSpec() {
  // Every entry starts with width 20; the text fields then get their limits.
  return {
      {texts::fieldNumber, FieldType::integer, 20},
      {texts::fieldName, FieldType::text, 20},
      {texts::fieldPath, FieldType::text, 512},
      {texts::fieldNormalImage, FieldType::bytes, 20},
      {texts::fieldHotImage, FieldType::bytes, 20},
  };
}

namespace {

std::string readTyped(RecordStore& store, const char* field, FieldType expected) {
  FieldValue value = store.readField(field);
  if (value.type != expected) programmingError(std::string("store field of the wrong type: ") + field);
  return std::move(value.data);
}

// The journal files SQLite may keep beside the store; they belong to the file they were
// written for and move with it, so that they are never applied to a fresh store.
constexpr const char* companionSuffixes[] = {"-wal", "-journal", "-shm"};

}  // namespace

std::string readTextField(RecordStore& store, const char* field) {
  return readTyped(store, field, FieldType::text);
}

std::string readBytesField(RecordStore& store, const char* field) {
  return readTyped(store, field, FieldType::bytes);
}

std::string storeFilePath(Platform& platform) {
  return platform.exeDirectory() + "\\" + texts::storeFileName;
}

StoreStartup openGameStore(Platform& platform, RecordStore& store) {
  const std::string path = storeFilePath(platform);
  if (!platform.fileExists(path)) RecordStore::createStore(platform.storageFileName(path), store.schema());
  StoreStartup outcome;
  outcome.result = store.openStore(platform.storageFileName(path));
  if (outcome.result != StoreOpenResult::notAStore) return outcome;

  std::string aside;
  for (int i = 1; i < 1000; ++i) {
    std::string candidate = path + ".old" + (i == 1 ? std::string() : std::to_string(i));
    if (!platform.fileExists(candidate)) {
      aside = candidate;
      break;
    }
  }
  if (aside.empty() || !platform.renameFile(path, aside)) {
    // Cannot move it: leave the file as it is and run without a store.
    outcome.result = StoreOpenResult::unavailable;
    return outcome;
  }
  for (const char* suffix : companionSuffixes) {
    if (platform.fileExists(path + suffix)) platform.renameFile(path + suffix, aside + suffix);
  }
  outcome.movedAsideTo = aside;
  RecordStore::createStore(platform.storageFileName(path), store.schema());
  outcome.result = store.openStore(platform.storageFileName(path));
  platform.messageBox(std::string(texts::storeMovedAsideHead) + aside + texts::storeMovedAsideTail,
                      texts::storeMovedAsideCaption, 0x2000 /* MB_TASKMODAL */);
  return outcome;
}

void swapGameRecords(RecordStore& store, int s, int t) {
  const char* fields[] = {texts::fieldName, texts::fieldPath, texts::fieldNormalImage, texts::fieldHotImage};
  RecordStore::Transaction swap(store);
  store.goToRecord(s);
  std::vector<FieldValue> source;
  for (const char* f : fields) source.push_back(store.readField(f));
  store.goToRecord(t);
  std::vector<FieldValue> target;
  for (const char* f : fields) target.push_back(store.readField(f));
  for (std::size_t i = 0; i < 4; ++i) store.writeField(fields[i], source[i]);
  store.goToRecord(s);
  for (std::size_t i = 0; i < 4; ++i) store.writeField(fields[i], target[i]);
  swap.commit();
}

}  // namespace tolvar
