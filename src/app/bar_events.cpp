#include "app/bar_events.h"

#include "app/program_state.h"
#include "app/startup.h"

namespace tolvar {

void BarEvents::onTimer() {
  // The auto-hide tick: the bar stays docked until the hide-and-reveal decision is wired
  // in here.
}

void BarEvents::onMenuCommand(MenuItem item) {
  switch (item) {
    case MenuItem::exitProgram: exitCommand(state_, platform_);
    default: break;
  }
}

}  // namespace tolvar
