// The two operations on the live bar that the grid drives: create and place one new game
// button, and relayout all buttons (which also renumbers buttons and records).
#pragma once

namespace tolvar {

class Platform;
struct ProgramState;

// Creates a hidden copy of the template as the next button, tags it and places it at the
// next cell for the edge; the bar grows along the way. Returns the new button's 1-based
// index, or -1 when the grid is full or the copy failed (nothing is then added).
int createAndPlaceButton(ProgramState& state, Platform& platform, int edge);

// Moves every button to its cell, rewrites tags and the records' 游戏序号 to 1..n in
// array order (one transaction), and gives the bar its docked rectangle for the edge.
// Leaves the bar visible and the store cursor past the last renumbered record.
void relayoutAllButtons(ProgramState& state, Platform& platform, int edge);

}  // namespace tolvar
