// The program-wide state, in one place, under the names the program's design uses.
// Handlers receive it by reference; there are no other globals.
#pragma once

#include <string>
#include <vector>

#include "catalogue/game_store.h"
#include "catalogue/pending_game.h"
#include "dock/grid.h"
#include "platform/platform.h"

namespace tolvar {

struct ProgramState {
  // Element n (1-based in the design, n - 1 here) is the button of store record n.
  std::vector<WindowId> buttons;
  WindowId barHandle = 0;
  int screenWidth = 0;
  int screenHeight = 0;
  int timerPeriod = 200;
  int gridMargin = 10;
  int gridColumns = 0;
  int gridRows = 0;
  Size templateSize{50, 65};

  int currentEdge = edgeTop;
  int alphaLevel = 150;
  int alwaysPopUp = 0;
  int trayHidden = 0;

  PendingGame pendingGame;
  std::string selectedGameNumber;
  int dragSourceNumber = 0;
  std::string editorTitle;

  RecordStore store{gameFieldSpec()};

  GridMetrics grid() const {
    return {screenWidth, screenHeight, templateSize.width, templateSize.height, gridMargin,
            gridColumns, gridRows};
  }
};

}  // namespace tolvar
