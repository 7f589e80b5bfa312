#include "core/event_loop.h"

#include <gtest/gtest.h>

#include <vector>

#include "support/fake_env.h"

namespace glint {
namespace {

TEST(ModalLoopTest, TakesEventsUntilTheHandlerIsDoneMarkingEachForTheDrivesWindow) {
  FakeEnv env;
  env.app.lastControlNumber = 9;
  env.toolkit.Post(Event::Raw(msg::kTimer));
  env.toolkit.Post(Event::Control(281));
  env.toolkit.Post(Event::Close(kDrivesAndIconsWindow));
  env.toolkit.Post(Event::Control(280));
  env.toolkit.Post(Event::Menu(12));  // after the loop: stays queued

  struct Seen {
    Event event;
    int pending, lastConfig;
  };
  std::vector<Seen> seen;
  RunModalLoop(env.app, {.markConfigEvents = true}, [&](const Event& e) {
    seen.push_back({e, env.app.configEventPending, env.app.lastConfigControl});
    env.app.configEventPending = 0;  // as the rebuild's guard does
    return e == Event::Control(280);
  });

  ASSERT_EQ(seen.size(), 4u);
  // Every event is marked before it is handled; only control, menu and tray events change the
  // last control number.
  const int lastConfig[] = {9, 281, 281, 280};
  for (std::size_t i = 0; i < seen.size(); ++i) {
    EXPECT_EQ(seen[i].pending, 1) << i;
    EXPECT_EQ(seen[i].lastConfig, lastConfig[i]) << i;
  }
  EXPECT_EQ(env.toolkit.messages.size(), 1u);
  EXPECT_EQ(env.system.clockMs, 0u);
}

TEST(ModalLoopTest, TrayWaitSleepsAfterEveryEventAndMarksNothing) {
  FakeEnv env;
  for (int click : {kTrayLeftPress, kTrayRightDoubleClick, kTrayLeftDoubleClick})
    env.toolkit.Post(Event::Tray(click));
  int events = 0;
  RunModalLoop(env.app, {.sleepMsAfterEach = 1}, [&](const Event& e) {
    ++events;
    return e.kind == EventKind::kTray && e.detail == kTrayLeftDoubleClick;
  });
  EXPECT_EQ(events, 3);
  EXPECT_EQ(env.journal.Matching("Sleep 1").size(), 3u);
  EXPECT_EQ(env.app.configEventPending, 0);
}

}  // namespace
}  // namespace glint
