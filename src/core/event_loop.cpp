#include "core/event_loop.h"

#include "core/app.h"

namespace glint {

bool CarriesControlNumber(const Event& event) {
  return event.kind == EventKind::kControl || event.kind == EventKind::kMenu ||
         event.kind == EventKind::kTray;
}

void RunModalLoop(App& app, const ModalLoopOptions& options,
                  const std::function<bool(const Event&)>& handle) {
  for (;;) {
    const Event event = app.toolkit.WaitEvent();
    if (CarriesControlNumber(event)) app.lastControlNumber = event.number;
    if (options.markConfigEvents) {
      // Read by the rebuild's empty-selection guard, which may run inside `handle`.
      app.configEventPending = 1;
      app.lastConfigControl = app.lastControlNumber;
    }
    const bool done = handle(event);
    if (options.sleepMsAfterEach > 0) app.system.Sleep(options.sleepMsAfterEach);
    if (done) return;
  }
}

}  // namespace glint
