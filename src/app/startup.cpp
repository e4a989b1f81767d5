#include "app/startup.h"

#include <cstdlib>

#include "app/program_state.h"
#include "app/settings.h"
#include "app/texts.h"
#include "base/ansi_text.h"
#include "catalogue/game_buttons.h"
#include "catalogue/game_store.h"
#include "dock/apply_edge.h"
#include "dock/grid.h"
#include "dock/layout.h"
#include "platform/platform.h"

namespace tolvar {

namespace {

constexpr unsigned mbSystemModal = 0x1000;
constexpr int startupWaitMilliseconds = 2000;

// Start-with-Windows: until registration is built, the check mark follows the value read
// and nothing is registered.
void reconcileRunAtStartup(Platform& platform) {
  const int value = readSetting(platform, texts::keyRunAtStartup);
  platform.setMenuCheck(MenuItem::runAtStartup, value != 0);
}

// One button per record, in record order, while the grid has room; records beyond it
// stay in the store without a button.
void buildButtons(ProgramState& state, Platform& platform) {
  state.store.goToFirst();
  const int count = state.store.recordCount();
  for (int i = 1; i <= count; ++i) {
    const int n = createAndPlaceButton(state, platform, state.currentEdge);
    if (n < 0) break;
    fillButtonFromRecord(state, platform, n);
    state.store.skipRecord();
  }
}

}  // namespace

void runStartup(ProgramState& state, Platform& platform) {
  // 1. Single instance.
  if (platform.openNamedEvent(texts::instanceEventName)) {
    platform.messageBox(texts::alreadyRunning, texts::alreadyRunningCaption, mbSystemModal);
    platform.exitProcess(0);
  }
  platform.createNamedEvent(texts::instanceEventName);
  // 2. No privilege is adjusted: nothing in the program needs one, and games started
  //    from the bar would inherit it.
  // 3-6. The bar, the screen and the grid capacity.
  state.barHandle = platform.barWindow();
  const Size screen = platform.screenSize();
  state.screenWidth = screen.width;
  state.screenHeight = screen.height;
  state.timerPeriod = 200;
  state.gridMargin = 10;
  state.templateSize = platform.templateButtonSize();
  const GridCapacity capacity = computeGridCapacity(state.screenWidth, state.screenHeight,
                                                    state.templateSize.width,
                                                    state.templateSize.height, state.gridMargin);
  state.gridColumns = capacity.columns;
  state.gridRows = capacity.rows;
  // 7-8. Drop target and the close filter.
  platform.registerDropTarget(state.barHandle);
  platform.installCloseFilter(state.barHandle);
  // 9-13. Settings.
  loadSettingsAtStartup(state, platform);
  // 14. Opacity.
  platform.setOpacity(state.barHandle, state.alphaLevel);
  // 15. Start with Windows.
  reconcileRunAtStartup(platform);
  // 16-17. The store and one button per record.
  openGameStore(platform, state.store);
  buildButtons(state, platform);
  // 18-20. Show the bar at its edge, keep it on top, start the timer.
  applyEdge(state, platform, state.currentEdge, startupWaitMilliseconds);
  platform.setTopmost(state.barHandle);
  platform.setTimerPeriod(state.timerPeriod);
}

void exitCommand(ProgramState& state, Platform& platform) {
  platform.setTimerPeriod(0);
  if (platform.hasTrayIcon()) platform.removeTrayIcon();
  writeSetting(platform, texts::keyEdge, intToText(state.currentEdge));
  writeSetting(platform, texts::keyAlpha, intToText(state.alphaLevel));
  state.store.closeStore();
  platform.exitProcess(0);
  std::abort();  // exitProcess does not come back
}

}  // namespace tolvar
