// Game buttons: the copies of the template button that show the store's games. Button n
// (element n of `buttons`) shows record n and carries the tag text of n.
#pragma once

#include <string>

#include "platform/platform.h"

namespace tolvar {

struct ProgramState;

// The cursor stands on record n: pictures, then name (caption and tooltip), then visible.
// The cursor is not moved.
void fillButtonFromRecord(ProgramState& state, Platform& platform, int n);
// The same from `pendingGame`.
void fillButtonFromPending(ProgramState& state, Platform& platform, int n);
// Refills button n from record n for every record that has a button; positions and tags
// stay.
void refreshAllButtons(ProgramState& state, Platform& platform);
void renameButton(ProgramState& state, Platform& platform, int n, const std::string& name);
// Destroys button n and closes the gap in `buttons`; tags are left to the next relayout.
void removeButton(ProgramState& state, Platform& platform, int n);
// The integer value of the button's tag.
int recordNumberOfButton(Platform& platform, WindowId button);

// Start-up and after a delete: gives the records that have no button yet (a store larger
// than the grid) buttons, in record order, while the grid has room. Returns how many.
int addButtonsForUnshownRecords(ProgramState& state, Platform& platform);

}  // namespace tolvar
