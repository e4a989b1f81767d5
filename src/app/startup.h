// The start-up sequence that runs once the bar exists, before it is first shown, and the
// exit command.
#pragma once

namespace tolvar {

class Platform;
struct ProgramState;

// Start-up steps 1 to 20, in order. A second instance shows its message and ends the
// process inside step 1.
void runStartup(ProgramState& state, Platform& platform);

// Stops the timer, removes the tray icon, writes the edge and the opacity, closes the
// store and ends the process with exit code 0.
[[noreturn]] void exitCommand(ProgramState& state, Platform& platform);

}  // namespace tolvar
