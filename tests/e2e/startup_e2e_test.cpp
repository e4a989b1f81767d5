// The real program under Wine: first start, the second instance, repaired settings and
// the close filter.
#include <gtest/gtest.h>

#include "app/texts.h"
#include "e2e_support.h"

namespace tolvar::e2e {
namespace {

TEST(StartupE2E, FirstStartInAnEmptyFolder) {
  ProgramFolder folder("first_start");
  RunningProgram program(folder);
  ASSERT_TRUE(program.started());
  HWND bar = program.waitForBar();
  ASSERT_NE(bar, nullptr);

  const RECT r = windowRect(bar);
  EXPECT_EQ(r.left, 0);
  EXPECT_EQ(r.top, 0);
  EXPECT_EQ(r.right, GetSystemMetrics(SM_CXSCREEN));
  EXPECT_EQ(r.bottom - r.top, 85);

  const LONG_PTR exStyle = GetWindowLongPtrA(bar, GWL_EXSTYLE);
  EXPECT_TRUE(exStyle & WS_EX_TOPMOST);
  EXPECT_TRUE(exStyle & WS_EX_TOOLWINDOW) << "kept out of the taskbar";
  EXPECT_FALSE(exStyle & WS_EX_APPWINDOW);
  EXPECT_TRUE(exStyle & WS_EX_LAYERED);
  BYTE alpha = 0;
  DWORD flags = 0;
  ASSERT_TRUE(GetLayeredWindowAttributes(bar, nullptr, &alpha, &flags));
  EXPECT_EQ(alpha, 150);
  EXPECT_TRUE(flags & LWA_ALPHA);
  EXPECT_EQ(GetWindowLongPtrA(bar, GWL_STYLE) & (WS_CAPTION | WS_THICKFRAME | WS_SYSMENU), 0);

  EXPECT_EQ(folder.readSetting(texts::keyEdge), "1");
  EXPECT_EQ(folder.readSetting(texts::keyAlpha), "150");
  EXPECT_EQ(folder.readSetting(texts::keyRunAtStartup), "3");
  EXPECT_EQ(folder.readSetting(texts::keyAlwaysPopUp), "0");
  EXPECT_TRUE(folder.exists(texts::storeFileName));

  // The system close command with lParam 0 leaves the bar open.
  SendMessageA(bar, WM_SYSCOMMAND, SC_CLOSE, 0);
  Sleep(300);
  EXPECT_TRUE(program.running());
  EXPECT_TRUE(IsWindowVisible(bar));

  saveArtifact("first_start_bar", captureScreen(r));
}

TEST(StartupE2E, SecondInstanceShowsItsMessageAndLeavesTheFirstAlone) {
  ProgramFolder folder("second_instance");
  RunningProgram first(folder);
  HWND bar = first.waitForBar();
  ASSERT_NE(bar, nullptr);
  // Let the first copy finish its start-up before the second arrives.
  ASSERT_TRUE(eventually([&] { return folder.readSetting(texts::keyEdge) == "1"; }));
  Sleep(2500);
  const RECT before = windowRect(bar);
  const std::string settingsBefore = folder.readFile(texts::settingsFileName);

  RunningProgram second(folder);
  HWND box = nullptr;
  ASSERT_TRUE(eventually([&] { return (box = FindWindowA("#32770", texts::alreadyRunningCaption)) != nullptr; }));
  char text[256] = {};
  GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
  EXPECT_STREQ(text, texts::alreadyRunning);
  EXPECT_TRUE(GetWindowLongPtrA(box, GWL_EXSTYLE) & WS_EX_TOPMOST) << "system-modal boxes are topmost";
  EXPECT_EQ(findProcessWindow(second.pid(), texts::barClassName), nullptr) << "the second copy shows no bar";

  SendMessageA(GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
  DWORD code = 99;
  ASSERT_TRUE(second.waitForExit(10000, &code));
  EXPECT_EQ(code, 0u);

  EXPECT_TRUE(first.running());
  const RECT after = windowRect(bar);
  EXPECT_TRUE(EqualRect(&before, &after));
  EXPECT_EQ(folder.readFile(texts::settingsFileName), settingsBefore);
  EXPECT_TRUE(IsWindowVisible(bar));
  // (Which window Windows activates once the box is gone is the system's choice; the first
  // copy is never told about the second one, which the unchanged files and place show.)
}

TEST(StartupE2E, StoredSettingsAreRepairedAtStart) {
  struct Case {
    const char* name;
    const char* edge;
    const char* alpha;
    const char* savedEdge;
    int expectedAlpha;
    const char* savedAlpha;
    RECT bar;  // left, top, right, bottom on 1366 x 768
  };
  const Case cases[] = {
      {"repair_right", "2.9", "9", "2", 150, "150", {1296, 0, 1366, 768}},
      {"repair_bottom", "３", "246", "3", 150, "150", {0, 683, 1366, 768}},
      {"repair_top", "abc", "10", "1", 10, "10", {0, 0, 1366, 85}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ProgramFolder folder(c.name);
    folder.writeSetting(texts::keyEdge, c.edge);
    folder.writeSetting(texts::keyAlpha, c.alpha);
    folder.writeSetting(texts::keyRunAtStartup, "0");
    folder.writeSetting(texts::keyAlwaysPopUp, "0");
    RunningProgram program(folder);
    HWND bar = program.waitForBar();
    ASSERT_NE(bar, nullptr);
    const RECT r = windowRect(bar);
    EXPECT_EQ(r.left, c.bar.left);
    EXPECT_EQ(r.top, c.bar.top);
    EXPECT_EQ(r.right, c.bar.right);
    EXPECT_EQ(r.bottom, c.bar.bottom);
    BYTE alpha = 0;
    GetLayeredWindowAttributes(bar, nullptr, &alpha, nullptr);
    EXPECT_EQ(alpha, c.expectedAlpha);
    EXPECT_TRUE(eventually([&] { return folder.readSetting(texts::keyEdge) == c.savedEdge; }));
    EXPECT_EQ(folder.readSetting(texts::keyAlpha), c.savedAlpha);
  }
}

TEST(StartupE2E, AnEmptySettingsFileGetsOnlyEdgeAndOpacity) {
  ProgramFolder folder("empty_settings");
  folder.writeFile(texts::settingsFileName, "");
  RunningProgram program(folder);
  ASSERT_NE(program.waitForBar(), nullptr);
  EXPECT_TRUE(eventually([&] { return folder.readSetting(texts::keyEdge) == "1"; }));
  EXPECT_EQ(folder.readSetting(texts::keyAlpha), "150");
  EXPECT_FALSE(folder.hasSetting(texts::keyRunAtStartup));
  EXPECT_FALSE(folder.hasSetting(texts::keyAlwaysPopUp));
}

}  // namespace
}  // namespace tolvar::e2e

namespace tolvar::e2e {
namespace {

TEST(StartupE2E, KeepsItsFilesBesideItselfInAFolderWithAChineseName) {
  ProgramFolder folder("游戏菜单");
  RunningProgram program(folder);
  ASSERT_NE(program.waitForBar(), nullptr);
  EXPECT_TRUE(eventually([&] { return folder.readSetting(texts::keyEdge) == "1"; }));
  EXPECT_EQ(folder.readSetting(texts::keyAlpha), "150");
  // The store's file name goes to SQLite in UTF-8: it must land under the GBK name.
  EXPECT_TRUE(folder.exists(texts::storeFileName));
  program.kill();
  EXPECT_EQ(folder.readFile(texts::storeFileName).substr(0, 15), "SQLite format 3");
}

}  // namespace
}  // namespace tolvar::e2e
