// The program's handlers, reached from the platform's event dispatch. Each event goes to
// one named handler that gathers its facts through the platform, decides with the pure
// logic and carries the decision out.
#pragma once

#include "platform/platform.h"

namespace tolvar {

struct ProgramState;

class BarEvents : public EventSink {
 public:
  BarEvents(ProgramState& state, Platform& platform) : state_(state), platform_(platform) {}

  void onTimer() override;
  void onMenuCommand(MenuItem item) override;

 private:
  ProgramState& state_;
  Platform& platform_;
};

}  // namespace tolvar
