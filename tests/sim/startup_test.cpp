#include <algorithm>
#include <filesystem>

#include "sim_fixture.h"

namespace tolvar {
namespace {

using Startup = SimFixture;

std::size_t indexOf(const std::vector<std::string>& calls, const std::string& call, std::size_t from = 0) {
  auto it = std::find(calls.begin() + static_cast<std::ptrdiff_t>(from), calls.end(), call);
  return static_cast<std::size_t>(it - calls.begin());
}

TEST_F(Startup, FirstStartInAnEmptyFolder) {
  EXPECT_EQ(startUp(), -1);
  EXPECT_EQ(writes(), (std::vector<std::string>{
                          kv(texts::keyEdge, "1"), kv(texts::keyAlpha, "150"), kv(texts::keyRunAtStartup, "3"),
                          kv(texts::keyAlwaysPopUp, "0"), kv(texts::keyEdge, "1")}));
  EXPECT_EQ(platform.bar().rect, (Rect{0, 0, 1366, 85}));
  EXPECT_TRUE(platform.bar().visible);
  EXPECT_TRUE(platform.bar().topmost);
  EXPECT_EQ(platform.bar().alpha, 150);
  EXPECT_EQ(platform.timerPeriod, 200);
  EXPECT_EQ(state.gridColumns, 22);
  EXPECT_EQ(state.gridRows, 10);
  EXPECT_FALSE(platform.menuChecks[MenuItem::alwaysPopUp]);
  EXPECT_TRUE(platform.menuChecks[MenuItem::runAtStartup]);
  EXPECT_TRUE(platform.menuChecks[MenuItem::directionUp]);
  EXPECT_FALSE(platform.menuChecks[MenuItem::directionDown]);
  EXPECT_FALSE(platform.menuChecks[MenuItem::directionLeft]);
  EXPECT_FALSE(platform.menuChecks[MenuItem::directionRight]);
  EXPECT_TRUE(std::filesystem::exists(storePath()));
  EXPECT_TRUE(state.store.isOpen());
  EXPECT_EQ(state.store.recordCount(), 0);
  EXPECT_TRUE(state.buttons.empty());
  EXPECT_TRUE(platform.messageBoxes.empty());

  // The order that matters: single instance first, opacity before the bar shows, the
  // timer stopped through the two-second wait and started at the very end.
  const auto& calls = platform.calls;
  const std::size_t created = indexOf(calls, "createNamedEvent Game_Menu");
  EXPECT_EQ(indexOf(calls, "openNamedEvent Game_Menu"), 0u);
  EXPECT_EQ(created, 1u);
  const std::size_t stop = indexOf(calls, "setTimerPeriod 0");
  const std::size_t wait = indexOf(calls, "waitWithEvents 2000");
  const std::size_t restore = indexOf(calls, "setTimerPeriod 200");
  EXPECT_LT(indexOf(calls, "registerDropTarget"), indexOf(calls, "installCloseFilter"));
  EXPECT_LT(indexOf(calls, "setOpacity 150"), stop);
  EXPECT_LT(stop, indexOf(calls, "releaseCapture"));
  EXPECT_LT(stop, wait);
  EXPECT_LT(wait, restore);
  EXPECT_EQ(calls.back(), "setTimerPeriod 200");
  EXPECT_EQ(platform.now, 2000);
}

TEST_F(Startup, AnEmptySettingsFileGetsOnlyTheRepairsWritten) {
  platform.virtualFiles.insert(platform.settingsFile());
  startUp();
  // The edge repair comes before the opacity repair; apply edge writes the edge again.
  EXPECT_EQ(writes(), (std::vector<std::string>{kv(texts::keyEdge, "1"), kv(texts::keyAlpha, "150"),
                                                kv(texts::keyEdge, "1")}));
  std::string value;
  EXPECT_FALSE(platform.profileValue(texts::keyAlwaysPopUp, &value));
  EXPECT_FALSE(platform.profileValue(texts::keyRunAtStartup, &value));
  EXPECT_FALSE(platform.menuChecks[MenuItem::alwaysPopUp]);
  EXPECT_FALSE(platform.menuChecks[MenuItem::runAtStartup]);
  EXPECT_EQ(state.alwaysPopUp, 0);
}

TEST_F(Startup, StoredValuesAreReadAndRepaired) {
  struct Case {
    const char* edge;
    const char* alpha;
    int expectedEdge;
    int expectedAlpha;
    std::vector<std::string> expectedWrites;
    Rect bar;
  };
  const std::vector<Case> cases = {
      {"2.9", "10", 2, 10, {kv(texts::keyEdge, "2")}, {1296, 0, 70, 768}},
      {"３", "245", 3, 245, {kv(texts::keyEdge, "3")}, {0, 683, 1366, 85}},
      {"4", "9", 4, 150, {kv(texts::keyAlpha, "150"), kv(texts::keyEdge, "4")}, {0, 0, 70, 768}},
      {"abc", "246", 1, 150,
       {kv(texts::keyEdge, "1"), kv(texts::keyAlpha, "150"), kv(texts::keyEdge, "1")}, {0, 0, 1366, 85}},
      {"0", "１５０", 1, 150, {kv(texts::keyEdge, "1"), kv(texts::keyEdge, "1")}, {0, 0, 1366, 85}},
      {"5", "99999999999", 1, 150,
       {kv(texts::keyEdge, "1"), kv(texts::keyAlpha, "150"), kv(texts::keyEdge, "1")}, {0, 0, 1366, 85}},
  };
  for (const Case& c : cases) {
    testing_support::TempDir caseDir;
    SimPlatform sim{caseDir.str()};
    ProgramState caseState;
    sim.profiles[sim.settingsFile()][texts::settingsSection] = {{texts::keyEdge, c.edge}, {texts::keyAlpha, c.alpha}};
    sim.virtualFiles.insert(sim.settingsFile());
    runStartup(caseState, sim);
    std::vector<std::string> got;
    for (const auto& w : sim.profileWrites) got.push_back(w.key + "=" + w.value);
    EXPECT_EQ(caseState.currentEdge, c.expectedEdge) << c.edge;
    EXPECT_EQ(caseState.alphaLevel, c.expectedAlpha) << c.alpha;
    EXPECT_EQ(sim.bar().alpha, c.expectedAlpha) << c.alpha;
    EXPECT_EQ(got, c.expectedWrites) << c.edge << " " << c.alpha;
    EXPECT_EQ(sim.bar().rect, c.bar) << c.edge;
  }
}

TEST_F(Startup, AlwaysPopUpValueSetsTheCheckMarkAndIsNeverRewritten) {
  writeSettings({{texts::keyEdge, "1"}, {texts::keyAlpha, "150"}, {texts::keyAlwaysPopUp, "5"},
                 {texts::keyRunAtStartup, "0"}});
  startUp();
  EXPECT_EQ(state.alwaysPopUp, 1);
  EXPECT_TRUE(platform.menuChecks[MenuItem::alwaysPopUp]);
  EXPECT_FALSE(platform.menuChecks[MenuItem::runAtStartup]);
  std::string value;
  ASSERT_TRUE(platform.profileValue(texts::keyAlwaysPopUp, &value));
  EXPECT_EQ(value, "5");
}

TEST_F(Startup, SecondInstanceShowsItsMessageAndLeavesEverythingAlone) {
  platform.otherInstanceRunning = true;
  EXPECT_EQ(startUp(), 0);
  ASSERT_EQ(platform.messageBoxes.size(), 1u);
  EXPECT_EQ(platform.messageBoxes[0].text, "程序已运行!");
  EXPECT_EQ(platform.messageBoxes[0].text, "\xB3\xCC\xD0\xF2\xD2\xD1\xD4\xCB\xD0\xD0!");  // GBK bytes
  EXPECT_EQ(platform.messageBoxes[0].caption, "Warning");
  EXPECT_EQ(platform.messageBoxes[0].style, 0x1000u);
  EXPECT_TRUE(platform.profileWrites.empty());
  EXPECT_FALSE(std::filesystem::exists(storePath()));
  EXPECT_FALSE(platform.bar().visible);
  EXPECT_EQ(platform.calls, (std::vector<std::string>{"openNamedEvent Game_Menu", "messageBox Warning",
                                                      "exitProcess 0"}));
}

TEST_F(Startup, ExitCommandSavesEdgeAndOpacityAndEnds) {
  startUp();
  platform.addTrayIcon(texts::trayTooltip);
  state.currentEdge = 3;
  state.alphaLevel = 180;
  platform.profileWrites.clear();
  int code = -1;
  try {
    events.onMenuCommand(MenuItem::exitProgram);
  } catch (const SimProcessExit& exit) {
    code = exit.code;
  }
  EXPECT_EQ(code, 0);
  EXPECT_EQ(writes(), (std::vector<std::string>{kv(texts::keyEdge, "3"), kv(texts::keyAlpha, "180")}));
  EXPECT_EQ(platform.timerPeriod, 0);
  EXPECT_FALSE(platform.hasTrayIcon());
  EXPECT_FALSE(state.store.isOpen());
  EXPECT_FALSE(std::filesystem::exists(storePath() + "-wal"));
}

TEST_F(Startup, EventsRunDuringTheStartupWaitWithTheTimerStopped) {
  bool sawStoppedTimer = false;
  platform.schedule(500, [&] {
    sawStoppedTimer = platform.timerPeriod == 0 && platform.bar().visible;
    events.onMenuCommand(MenuItem::exitProgram);
  });
  EXPECT_EQ(startUp(), 0);
  EXPECT_TRUE(sawStoppedTimer);
  EXPECT_EQ(platform.now, 500);
  EXPECT_EQ(platform.timerTicks, 0);
}

}  // namespace
}  // namespace tolvar
