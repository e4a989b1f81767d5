// Docking the bar at an edge: the direction check marks, the layout, two seconds on
// screen, and the edge saved.
#pragma once

#include "platform/platform.h"

namespace tolvar {

struct ProgramState;

// The direction menu item of an edge; any value other than 1, 2, 3 selects 左(←).
MenuItem directionItemOfEdge(int edge);

// The caller has set `currentEdge`. Pauses the timer, releases the capture, sets the
// check marks, relayouts for `currentEdge`, makes the bar topmost, waits with events,
// restores the timer and writes "当前位置". Returns `currentEdge`.
int applyEdge(ProgramState& state, Platform& platform, int edge, int waitMilliseconds);

}  // namespace tolvar
