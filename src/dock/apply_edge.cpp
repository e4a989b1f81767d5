#include "dock/apply_edge.h"

#include "app/program_state.h"
#include "app/settings.h"
#include "app/texts.h"
#include "base/ansi_text.h"
#include "dock/layout.h"

namespace tolvar {

MenuItem directionItemOfEdge(int edge) {
  switch (edge) {
    case edgeTop: return MenuItem::directionUp;
    case edgeRight: return MenuItem::directionRight;
    case edgeBottom: return MenuItem::directionDown;
    default: return MenuItem::directionLeft;
  }
}

int applyEdge(ProgramState& state, Platform& platform, int edge, int waitMilliseconds) {
  platform.setTimerPeriod(0);
  platform.releaseCapture();
  const MenuItem checked = directionItemOfEdge(edge);
  for (MenuItem item : {MenuItem::directionUp, MenuItem::directionRight, MenuItem::directionDown,
                        MenuItem::directionLeft}) {
    platform.setMenuCheck(item, item == checked);
  }
  relayoutAllButtons(state, platform, state.currentEdge);
  platform.setTopmost(state.barHandle);
  platform.waitWithEvents(waitMilliseconds);
  platform.setTimerPeriod(state.timerPeriod);
  writeSetting(platform, texts::keyEdge, intToText(state.currentEdge));
  return state.currentEdge;
}

}  // namespace tolvar
