#include <filesystem>
#include <fstream>
#include <sstream>

#include "catalogue/game_buttons.h"
#include "dock/layout.h"
#include "sim_fixture.h"

namespace tolvar {
namespace {

using Catalogue = SimFixture;

std::vector<std::pair<int, std::string>> games(int count, int firstNumber = 1) {
  std::vector<std::pair<int, std::string>> out;
  for (int i = 1; i <= count; ++i) out.push_back({firstNumber + i - 1, "game" + std::to_string(i)});
  return out;
}

std::string fileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

std::vector<int> storedNumbers(RecordStore& store) {
  std::vector<int> numbers;
  store.goToFirst();
  for (int i = 0; i < store.recordCount(); ++i) {
    numbers.push_back(store.readField(texts::fieldNumber).integer);
    store.skipRecord();
  }
  return numbers;
}

TEST_F(Catalogue, StartupShowsOneFilledButtonPerRecordInStoreOrder) {
  seedStore({{7, "alpha"}, {8, "beta"}, {9, "游戏名称很长很长很长很长"}});
  startUp();
  ASSERT_EQ(state.buttons.size(), 3u);
  const Point origins[] = {{6, 5}, {68, 5}, {130, 5}};
  const char* seeded[] = {"alpha", "beta", "游戏名称很长很长很长很长"};
  // The store keeps 20 bytes of the long name.
  const char* names[] = {"alpha", "beta", "游戏名称很长很长很长"};
  for (int n = 1; n <= 3; ++n) {
    SimWindow& b = button(n);
    EXPECT_EQ(b.tag, std::to_string(n));
    EXPECT_EQ(b.name, names[n - 1]);
    EXPECT_EQ(b.normalPicture, std::string("N-") + seeded[n - 1]);
    EXPECT_EQ(b.hotPicture, std::string("H-") + seeded[n - 1]);
    EXPECT_TRUE(b.visible);
    EXPECT_EQ(b.parent, platform.barWindow());
    EXPECT_EQ((Point{b.rect.left, b.rect.top}), origins[n - 1]);
  }
  // The relayout of apply edge renumbered the records.
  EXPECT_EQ(storedNumbers(state.store), (std::vector<int>{1, 2, 3}));
  EXPECT_EQ(platform.bar().rect, (Rect{0, 0, 1366, 85}));
}

TEST_F(Catalogue, MoreRecordsThanTheGridHoldsShowsTheFirstOnesAndKeepsTheRest) {
  // 200 x 160 holds 3 x 2 = 6 buttons.
  platform.screen = {200, 160};
  seedStore(games(9, 101));
  startUp();
  ASSERT_EQ(state.gridColumns * state.gridRows, 6);
  ASSERT_EQ(state.buttons.size(), 6u);
  for (int n = 1; n <= 6; ++n) EXPECT_EQ(button(n).name, "game" + std::to_string(n));
  EXPECT_EQ(storedNumbers(state.store), (std::vector<int>{1, 2, 3, 4, 5, 6, 107, 108, 109}));
  EXPECT_EQ(state.store.recordCount(), 9);

  refreshAllButtons(state, platform);
  for (int n = 1; n <= 6; ++n) EXPECT_EQ(button(n).name, "game" + std::to_string(n));

  // A delete frees a cell: the next record not yet shown gets it, so button n still
  // shows record n.
  removeButton(state, platform, 2);
  state.store.goToRecord(2);
  state.store.deleteCurrent();
  state.store.purgeDeleted();
  relayoutAllButtons(state, platform, state.currentEdge);
  EXPECT_EQ(addButtonsForUnshownRecords(state, platform), 1);
  ASSERT_EQ(state.buttons.size(), 6u);
  const char* expected[] = {"game1", "game3", "game4", "game5", "game6", "game7"};
  for (int n = 1; n <= 6; ++n) {
    EXPECT_EQ(button(n).name, expected[n - 1]);
    EXPECT_EQ(button(n).tag, std::to_string(n));
  }
}

TEST_F(Catalogue, CreateAndPlaceGrowsAndAnchorsTheBar) {
  startUp();
  struct Step {
    int edge;
    int buttons;  // after this many buttons
    Rect bar;
    Point lastOrigin;
  };
  const Step steps[] = {
      {edgeBottom, 22, {0, 683, 1366, 85}, {1309, 5}},
      {edgeBottom, 23, {0, 607, 1366, 161}, {6, 82}},
      {edgeRight, 10, {1296, 0, 70, 768}, {6, 697}},
      {edgeRight, 11, {1234, 0, 132, 768}, {68, 5}},
      {edgeTop, 23, {0, 0, 1366, 161}, {6, 82}},
  };
  for (const Step& s : steps) {
    for (WindowId b : state.buttons) platform.destroyWindow(b);
    state.buttons.clear();
    state.currentEdge = s.edge;
    relayoutAllButtons(state, platform, s.edge);
    for (int i = 1; i <= s.buttons; ++i) ASSERT_EQ(createAndPlaceButton(state, platform, s.edge), i);
    EXPECT_EQ(platform.bar().rect, s.bar) << "edge " << s.edge << ", " << s.buttons << " buttons";
    const SimWindow& last = button(s.buttons);
    EXPECT_EQ((Point{last.rect.left, last.rect.top}), s.lastOrigin);
    EXPECT_EQ(last.tag, std::to_string(s.buttons));
    EXPECT_FALSE(last.visible);  // hidden until filled
  }
}

TEST_F(Catalogue, CreateAndPlaceRefusesBeyondTheGridAndOnAFailedCopy) {
  startUp();
  for (int i = 1; i <= 220; ++i) ASSERT_EQ(createAndPlaceButton(state, platform, edgeTop), i);
  const Rect full = platform.bar().rect;
  EXPECT_EQ(full, (Rect{0, 0, 1366, 776}));
  EXPECT_EQ(createAndPlaceButton(state, platform, edgeTop), -1);
  EXPECT_EQ(state.buttons.size(), 220u);
  EXPECT_EQ(platform.bar().rect, full);

  state.buttons.clear();
  platform.failCopiesAfter = 0;
  EXPECT_EQ(createAndPlaceButton(state, platform, edgeTop), -1);
  EXPECT_TRUE(state.buttons.empty());  // no empty entry left behind
}

TEST_F(Catalogue, RelayoutAfterARemovalRenumbersTagsAndRecords) {
  seedStore(games(4));
  startUp();
  removeButton(state, platform, 2);
  EXPECT_EQ(button(2).tag, "3");  // tags wait for the relayout
  state.store.goToRecord(2);
  state.store.deleteCurrent();
  state.store.purgeDeleted();
  relayoutAllButtons(state, platform, edgeTop);
  ASSERT_EQ(state.buttons.size(), 3u);
  for (int n = 1; n <= 3; ++n) EXPECT_EQ(button(n).tag, std::to_string(n));
  EXPECT_EQ(button(2).name, "game3");
  EXPECT_EQ((Point{button(2).rect.left, button(2).rect.top}), (Point{68, 5}));
  EXPECT_EQ(storedNumbers(state.store), (std::vector<int>{1, 2, 3}));
}

TEST_F(Catalogue, AForeignFileIsMovedAsideByteForByteAndAFreshStoreStarts) {
  const std::string foreign = "Not a database at all, but somebody's notes\n\x01\x02\x03";
  std::ofstream(storePath(), std::ios::binary) << foreign;
  std::ofstream(dir.file("Gameinfo.edb.old"), std::ios::binary) << "an older one";
  startUp();
  const std::string aside = dir.file("Gameinfo.edb.old2");
  EXPECT_EQ(fileBytes(aside), foreign);
  EXPECT_EQ(fileBytes(dir.file("Gameinfo.edb.old")), "an older one");
  ASSERT_EQ(platform.messageBoxes.size(), 1u);
  EXPECT_NE(platform.messageBoxes[0].text.find("C:\\Tolvar\\Gameinfo.edb.old2"), std::string::npos);
  EXPECT_TRUE(state.store.isOpen());
  EXPECT_EQ(state.store.recordCount(), 0);
  EXPECT_TRUE(platform.bar().visible);

  // New games are kept in the fresh store, and the next start says nothing.
  state.store.appendRecord({FieldValue::ofInteger(1), FieldValue::ofText("kept"), FieldValue::ofText("p"),
                            FieldValue::ofBytes(""), FieldValue::ofBytes("")});
  state.store.closeStore();
  SimPlatform again{dir.str()};
  ProgramState secondRun;
  runStartup(secondRun, again);
  EXPECT_TRUE(again.messageBoxes.empty());
  ASSERT_EQ(secondRun.buttons.size(), 1u);
  EXPECT_EQ(again.window(secondRun.buttons[0]).name, "kept");
}

TEST_F(Catalogue, ABusyStoreIsLeftAloneAndTheBarStartsEmpty) {
  seedStore(games(2));
  RecordStore holder{gameFieldSpec()};
  ASSERT_EQ(holder.openStore(storePath()), StoreOpenResult::opened);
  startUp();
  EXPECT_FALSE(state.store.isOpen());
  EXPECT_TRUE(state.buttons.empty());
  EXPECT_TRUE(platform.messageBoxes.empty());
  EXPECT_FALSE(std::filesystem::exists(dir.file("Gameinfo.edb.old")));
  EXPECT_EQ(platform.bar().rect, (Rect{0, 0, 1366, 85}));
  EXPECT_EQ(holder.recordCount(), 2);
}

}  // namespace
}  // namespace tolvar

namespace tolvar {
namespace {

TEST_F(Catalogue, PendingGameRenameAndRemoveKeepTheirParts) {
  seedStore(games(3));
  startUp();
  // A new button filled from the pending game shows the full name, pictures first.
  state.pendingGame = {"A name longer than twenty bytes", "D:\\x.exe", "normal", "hot"};
  const int n = createAndPlaceButton(state, platform, state.currentEdge);
  ASSERT_EQ(n, 4);
  fillButtonFromPending(state, platform, n);
  EXPECT_EQ(button(4).name, "A name longer than twenty bytes");
  EXPECT_EQ(button(4).normalPicture, "normal");
  EXPECT_EQ(button(4).hotPicture, "hot");
  EXPECT_TRUE(button(4).visible);

  renameButton(state, platform, 2, "renamed");
  EXPECT_EQ(button(2).name, "renamed");
  EXPECT_EQ(button(2).normalPicture, "N-game2");

  const WindowId second = state.buttons[1];
  removeButton(state, platform, 2);
  EXPECT_TRUE(platform.window(second).destroyed);
  ASSERT_EQ(state.buttons.size(), 3u);
  EXPECT_EQ(button(2).name, "game3");
  EXPECT_THROW(removeButton(state, platform, 4), std::logic_error);
  EXPECT_EQ(recordNumberOfButton(platform, state.buttons[1]), 3);
}

}  // namespace
}  // namespace tolvar
