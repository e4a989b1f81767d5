// The real program under Wine with a seeded game store: the buttons, their places,
// captions and looks.
#include <gtest/gtest.h>

#include "app/texts.h"
#include "catalogue/game_store.h"
#include "e2e_support.h"

namespace tolvar::e2e {
namespace {

constexpr uint32_t red = rgb(220, 30, 30);
constexpr uint32_t yellow = rgb(250, 220, 0);
constexpr uint32_t keyBlue = rgb(128, 128, 255);  // transparent in normal pictures
constexpr uint32_t green = rgb(0, 160, 0);        // top-left colour of the hot pictures

struct SeedGame {
  std::string name;
  bool normalPicture;
  bool hotPicture;
};

void seedStore(const ProgramFolder& folder, const std::vector<SeedGame>& games) {
  const std::string path = folder.file(texts::storeFileName);
  ASSERT_TRUE(RecordStore::createStore(path, gameFieldSpec()));
  RecordStore store{gameFieldSpec()};
  ASSERT_EQ(store.openStore(path), StoreOpenResult::opened);
  int number = 1;
  for (const SeedGame& g : games) {
    store.appendRecord({FieldValue::ofInteger(number++), FieldValue::ofText(g.name),
                        FieldValue::ofText("C:\\Games\\" + g.name + ".exe"),
                        FieldValue::ofBytes(g.normalPicture ? makePictureBmp(keyBlue, red) : ""),
                        FieldValue::ofBytes(g.hotPicture ? makePictureBmp(green, yellow) : "")});
  }
}

std::vector<HWND> visibleButtons(HWND bar) {
  std::vector<HWND> shown;
  for (HWND b : childWindows(bar, "TolvarGameButton")) {
    if (IsWindowVisible(b)) shown.push_back(b);
  }
  return shown;
}

uint32_t pixelAt(int x, int y) { return captureScreen(RECT{x, y, x + 1, y + 1}).pixels[0]; }

TEST(CatalogueE2E, SeededGamesShowAsButtonsWithTheirLooks) {
  ProgramFolder folder("seeded_store");
  seedStore(folder, {{"Alpha", true, true},
                     {"超级马里奥兄弟大冒险游戏", true, true},
                     {"No pictures", false, false},
                     {"Hot only", false, true}});
  RunningProgram program(folder);
  HWND bar = program.waitForBar();
  ASSERT_NE(bar, nullptr);
  movePointer(683, 600);  // away from the bar
  const std::vector<HWND> buttons = visibleButtons(bar);
  ASSERT_EQ(buttons.size(), 4u);

  // Places (relative to the bar) and captions; the long name keeps its first 20 bytes.
  const POINT origins[] = {{6, 5}, {68, 5}, {130, 5}, {192, 5}};
  const char* names[] = {"Alpha", "超级马里奥兄弟大冒险", "No pictures", "Hot only"};
  const RECT barRect = windowRect(bar);
  for (std::size_t i = 0; i < buttons.size(); ++i) {
    const RECT r = windowRect(buttons[i]);
    EXPECT_EQ(r.left - barRect.left, origins[i].x) << i;
    EXPECT_EQ(r.top - barRect.top, origins[i].y) << i;
    EXPECT_EQ(r.right - r.left, 50);
    EXPECT_EQ(r.bottom - r.top, 65);
    EXPECT_EQ(windowText(buttons[i]), names[i]) << i;
  }
  EXPECT_EQ(barRect.bottom - barRect.top, 85);

  // Normal look: black background, the normal picture with its key colour left out.
  const RECT first = windowRect(buttons[0]);
  Sleep(300);
  EXPECT_EQ(pixelAt(first.left + 25, first.top + 3 + 16), red);
  EXPECT_EQ(pixelAt(first.left + 25, first.top + 3 + 2), 0u) << "key colour is transparent";
  EXPECT_EQ(pixelAt(first.left + 3, first.top + 55), 0u);
  // A game with only a hot picture shows it in the normal state too.
  const RECT hotOnly = windowRect(buttons[3]);
  EXPECT_EQ(pixelAt(hotOnly.left + 25, hotOnly.top + 3 + 16), yellow);
  EXPECT_EQ(pixelAt(hotOnly.left + 25, hotOnly.top + 3 + 2), 0u);
  saveArtifact("catalogue_normal", captureScreen(RECT{0, 0, 400, 85}));

  // Hot look: the pointer over the first button.
  movePointer(first.left + 25, first.top + 50);
  EXPECT_TRUE(eventually([&] { return pixelAt(first.left + 3, first.top + 55) == rgb(42, 42, 42); }, 3000));
  EXPECT_EQ(pixelAt(first.left + 25, first.top + 3 + 16), yellow);
  EXPECT_EQ(pixelAt(first.left + 25, first.top + 3 + 2), rgb(42, 42, 42)) << "hot key colour is transparent";
  EXPECT_EQ(pixelAt(first.left, first.top), 0u) << "rounded corner shows the bar";
  saveArtifact("catalogue_hot", captureScreen(RECT{0, 0, 400, 85}));

  // Leaving the button makes it normal again.
  movePointer(683, 600);
  EXPECT_TRUE(eventually([&] { return pixelAt(first.left + 3, first.top + 55) == 0u; }, 3000));
}

TEST(CatalogueE2E, TheStoreIsARealSqliteFileKeptWhole) {
  ProgramFolder folder("sqlite_file");
  seedStore(folder, {{"Alpha", true, true}});
  {
    RunningProgram program(folder);
    ASSERT_NE(program.waitForBar(), nullptr);
    EXPECT_TRUE(eventually([&] { return folder.readSetting(texts::keyEdge) == "1"; }));
    Sleep(2500);
  }
  RecordStore store{gameFieldSpec()};
  ASSERT_EQ(store.openStore(folder.file(texts::storeFileName)), StoreOpenResult::opened);
  EXPECT_EQ(store.recordCount(), 1);
  EXPECT_EQ(folder.readFile(texts::storeFileName).substr(0, 15), "SQLite format 3");
}

TEST(CatalogueE2E, AForeignStoreFileIsKeptAndReported) {
  ProgramFolder folder("foreign_store");
  const std::string foreign = "These are my notes, not a game store.\r\n";
  folder.writeFile(texts::storeFileName, foreign);
  RunningProgram program(folder);
  HWND box = nullptr;
  ASSERT_TRUE(eventually([&] { return (box = FindWindowA("#32770", texts::storeMovedAsideCaption)) != nullptr; }));
  char text[1024] = {};
  GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
  EXPECT_NE(std::string(text).find("Gameinfo.edb.old"), std::string::npos) << text;
  SendMessageA(GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
  ASSERT_NE(program.waitForBar(), nullptr);
  EXPECT_EQ(folder.readFile("Gameinfo.edb.old"), foreign);
  EXPECT_EQ(folder.readFile(texts::storeFileName).substr(0, 15), "SQLite format 3");
}

}  // namespace
}  // namespace tolvar::e2e
