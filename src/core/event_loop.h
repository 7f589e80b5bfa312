#pragma once

#include <functional>

#include "platform/events.h"

namespace glint {

struct App;

// Control, menu and tray events carry the number an event loop remembers as the last control
// number; raw messages and close requests leave it as it was.
bool CarriesControlNumber(const Event& event);

// What a nested loop does around each event it takes.
struct ModalLoopOptions {
  // The Drives and Icons window: before each event, `configEventPending` := 1 and
  // `lastConfigControl` := the last control number.
  bool markConfigEvents = false;
  // A pause after each event (the tray wait sleeps 1 ms).
  int sleepMsAfterEach = 0;
};

// A nested event loop (configuration windows, the tray wait): takes events until `handle`
// returns true. Messages are still dispatched to their windows, so timers and notifications run;
// events that `handle` does not want are dropped.
void RunModalLoop(App& app, const ModalLoopOptions& options,
                  const std::function<bool(const Event&)>& handle);

}  // namespace glint
