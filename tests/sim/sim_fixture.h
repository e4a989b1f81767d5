// A simulated world with the program's state and handlers wired to it.
#pragma once

#include <gtest/gtest.h>

#include "app/bar_events.h"
#include "app/program_state.h"
#include "app/startup.h"
#include "app/texts.h"
#include "catalogue/game_store.h"
#include "platform/sim/sim_platform.h"
#include "../support/temp_dir.h"

namespace tolvar {

class SimFixture : public ::testing::Test {
 protected:
  SimFixture() { platform.setEventSink(&events); }

  // Runs start-up; returns the exit code when the process ended inside it, else -1.
  int startUp() {
    try {
      runStartup(state, platform);
    } catch (const SimProcessExit& exit) {
      return exit.code;
    }
    return -1;
  }

  std::string storePath() const { return dir.file(texts::storeFileName); }

  void seedStore(const std::vector<std::pair<int, std::string>>& games) {
    ASSERT_TRUE(RecordStore::createStore(storePath(), gameFieldSpec()));
    RecordStore store{gameFieldSpec()};
    ASSERT_EQ(store.openStore(storePath()), StoreOpenResult::opened);
    for (const auto& [number, name] : games) {
      store.appendRecord({FieldValue::ofInteger(number), FieldValue::ofText(name),
                          FieldValue::ofText("D:\\Games\\" + name + ".exe"), FieldValue::ofBytes("N-" + name),
                          FieldValue::ofBytes("H-" + name)});
    }
  }

  void writeSettings(const std::map<std::string, std::string>& keys) {
    auto& section = platform.profiles[platform.settingsFile()][texts::settingsSection];
    for (const auto& [k, v] : keys) section[k] = v;
    platform.virtualFiles.insert(platform.settingsFile());
  }

  std::vector<std::string> writes() const {
    std::vector<std::string> out;
    for (const auto& w : platform.profileWrites) out.push_back(w.key + "=" + w.value);
    return out;
  }

  SimWindow& button(int n) { return platform.window(state.buttons.at(static_cast<std::size_t>(n - 1))); }

  testing_support::TempDir dir;
  SimPlatform platform{dir.str()};
  ProgramState state;
  BarEvents events{state, platform};
};

// "key=value" in the program's own (GBK) key names.
inline std::string kv(const char* key, const char* value) { return std::string(key) + "=" + value; }

}  // namespace tolvar
