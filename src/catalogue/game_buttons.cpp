#include "catalogue/game_buttons.h"

#include <algorithm>

#include "app/program_state.h"
#include "app/texts.h"
#include "base/ansi_text.h"
#include "base/fatal.h"
#include "dock/layout.h"

namespace tolvar {

namespace {

WindowId buttonAt(ProgramState& state, int n) {
  if (n < 1 || n > static_cast<int>(state.buttons.size())) {
    programmingError("game button number out of range: " + std::to_string(n));
  }
  return state.buttons[static_cast<std::size_t>(n - 1)];
}

}  // namespace

void fillButtonFromRecord(ProgramState& state, Platform& platform, int n) {
  const WindowId button = buttonAt(state, n);
  const std::string normal = readBytesField(state.store, texts::fieldNormalImage);
  const std::string hot = readBytesField(state.store, texts::fieldHotImage);
  platform.setButtonPictures(button, normal, hot);
  platform.setButtonName(button, readTextField(state.store, texts::fieldName));
  platform.setVisible(button, true);
}

void fillButtonFromPending(ProgramState& state, Platform& platform, int n) {
  const WindowId button = buttonAt(state, n);
  platform.setButtonPictures(button, state.pendingGame.normalImage, state.pendingGame.hotImage);
  platform.setButtonName(button, state.pendingGame.name);
  platform.setVisible(button, true);
}

void refreshAllButtons(ProgramState& state, Platform& platform) {
  state.store.goToFirst();
  const int k = state.store.recordCount();
  // Records beyond the grid have no button; they stay in the store untouched.
  const int shown = std::min(k, static_cast<int>(state.buttons.size()));
  for (int n = 1; n <= shown; ++n) {
    fillButtonFromRecord(state, platform, n);
    state.store.skipRecord();
  }
}

void renameButton(ProgramState& state, Platform& platform, int n, const std::string& name) {
  platform.setButtonName(buttonAt(state, n), name);
}

void removeButton(ProgramState& state, Platform& platform, int n) {
  const WindowId button = buttonAt(state, n);
  platform.destroyWindow(button);
  state.buttons.erase(state.buttons.begin() + (n - 1));
}

int recordNumberOfButton(Platform& platform, WindowId button) {
  return textToInt(platform.buttonTag(button));
}

int addButtonsForUnshownRecords(ProgramState& state, Platform& platform) {
  const int k = state.store.recordCount();
  int added = 0;
  while (static_cast<int>(state.buttons.size()) < k) {
    const int n = createAndPlaceButton(state, platform, state.currentEdge);
    if (n < 0) break;
    state.store.goToRecord(n);
    fillButtonFromRecord(state, platform, n);
    ++added;
  }
  return added;
}

}  // namespace tolvar
