// The game store: the record schema of "Gameinfo.edb", typed reads that enforce it, and
// opening the store at start-up, with an unreadable file moved aside, never overwritten.
#pragma once

#include <string>
#include <vector>

#include "catalogue/record_store.h"

namespace tolvar {

class Platform;

// (游戏序号, integer), (游戏名称, text, 20), (游戏路径, text, 512),
// (通常图标, byte string), (点燃图标, byte string).
std::vector<FieldSpec> gameFieldSpec();

// Reads of the current record that insist on the field's type; any other type is a
// programming error that ends the program.
std::string readTextField(RecordStore& store, const char* field);
std::string readBytesField(RecordStore& store, const char* field);

std::string storeFilePath(Platform& platform);

// What opening the store at start-up came to.
struct StoreStartup {
  StoreOpenResult result = StoreOpenResult::unavailable;
  std::string movedAsideTo;  // set when an unreadable file was moved aside
};

// Creates the store when the file does not exist, then opens it. A file that is not a
// readable store is moved to a free name beside it ("Gameinfo.edb.old", ".old2", ...),
// a fresh store takes its place, and the user is told once where the old data is. A file
// that is only busy or unreadable is left alone and the store stays closed.
StoreStartup openGameStore(Platform& platform, RecordStore& store);

// Exchanges name, path and both pictures of records s and t, in one transaction; field
// 游戏序号 stays with its record, so numbers still match buttons.
void swapGameRecords(RecordStore& store, int s, int t);

}  // namespace tolvar
