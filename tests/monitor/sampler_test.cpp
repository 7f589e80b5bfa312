#include "monitor/sampler.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "monitor/activity_query.h"
#include "support/fake_env.h"

namespace glint {
namespace {

constexpr int kC = 3;
constexpr char kDeviceC[] = "\\\\.\\C:";

// The LED window with its 26 icon controls showing their idle images; sampling on.
struct SamplerEnv : FakeEnv {
  SamplerEnv() {
    toolkit.CreatePopupWindow(kLedWindow, "Glintbox", 0, 0, 8, 8);
    for (int slot = 1; slot <= kDriveCount; ++slot)
      EXPECT_TRUE(toolkit.CreateImageControl(kLedWindow, slot, 0, 0, 18, 18, slot));
    app.samplingEnabled = 1;
  }
  // A drive the main loop has given its root.
  FakeDisk::Drive& Sampled(char letter) {
    app.slotRootPaths[static_cast<std::size_t>(letter - 'A' + 1)] = {letter, ':', '\\'};
    return disk.drives[letter];
  }
  int Image(int slot) const { return toolkit.controls.at(slot).image; }
  void Tick() { SampleDriveActivity(app); }
};

TEST(SamplerTest, EachTickShowsTheLatestIntervalOnly) {
  SamplerEnv env;
  // The first slot, an inner one and the last, alike.
  const std::vector<FakeDisk::Drive*> drives = {&env.Sampled('A'), &env.Sampled('C'),
                                                &env.Sampled('Z')};
  struct Step {
    std::uint32_t read, write;
    int image;
    const char* what;
  };
  const std::vector<Step> steps = {
      {1200, 800, 78 + kC, "first sample: counters since boot"},
      {1200, 800, kC, "then the real state"},
      {1201, 800, 26 + kC, "one read"},
      {1201, 800, kC, "lit for one tick only"},
      {1201, 804, 52 + kC, "writes"},
      {1209, 805, 78 + kC, "read and write in one interval"},
      {3, 805, 26 + kC, "read counter wrapped"},
      {3, 0, 52 + kC, "write counter reset by the system"},
  };
  for (const auto& step : steps) {
    for (FakeDisk::Drive* drive : drives)
      drive->readCount = step.read, drive->writeCount = step.write;
    env.Tick();
    for (int slot : {1, kC, 26}) EXPECT_EQ(env.Image(slot), step.image - kC + slot) << step.what;
  }
}

TEST(SamplerTest, ImagesAreSetOnlyWhenTheStateChanges) {
  SamplerEnv env;
  auto& c = env.Sampled('C');
  // A mark on the control shows whether the sampler sets an image again.
  env.toolkit.SetControlImage(kC, 999);
  for (int i = 0; i < 3; ++i) env.Tick();
  EXPECT_EQ(env.Image(kC), 999) << "idle drive";

  c.readCount = 1;
  env.Tick();
  env.toolkit.SetControlImage(kC, 999);
  for (int i = 0; i < 3; ++i) {
    ++c.readCount;
    env.Tick();
  }
  EXPECT_EQ(env.Image(kC), 999) << "continuous reads";
}

TEST(SamplerTest, AFailingDeviceShowsIdleAndKeepsItsCounters) {
  for (const char* failure : {"does not open", "refuses the query", "unplugged"}) {
    SamplerEnv env;
    auto& c = env.Sampled('C');
    c.readCount = 10;
    env.Tick();
    c.readCount = 11;
    c.writeCount = 20;
    env.Tick();
    const FakeDisk::Drive saved = c;
    const std::string kind = failure;
    if (kind == "does not open") c.opens = false;
    if (kind == "refuses the query") c.answers = false;
    if (kind == "unplugged") env.disk.drives.erase('C');
    env.Tick();
    EXPECT_EQ(env.Image(kC), kC) << failure;
    EXPECT_EQ(env.app.slotRootPaths[kC], "C:\\") << failure;

    // Back with the same counters: nothing happened meanwhile, so no flash.
    env.disk.drives['C'] = saved;
    env.Tick();
    EXPECT_EQ(env.Image(kC), kC) << failure;
    EXPECT_TRUE(env.toolkit.messageBoxes.empty());
  }
}

TEST(SamplerTest, DisabledSamplingDoesNothingAndThePauseShowsOnce) {
  SamplerEnv env;
  auto& c = env.Sampled('C');
  env.disk.drives['D'].readCount = 7;  // on the system but without a root: never queried
  env.Tick();
  env.app.samplingEnabled = 0;
  c.readCount = 50;
  c.writeCount = 2;
  env.Tick();
  EXPECT_EQ(env.disk.counterReads, 1);
  EXPECT_EQ(env.Image(kC), kC);

  env.app.samplingEnabled = 1;
  env.Tick();
  EXPECT_EQ(env.Image(kC), 78 + kC);
  env.Tick();
  EXPECT_EQ(env.Image(kC), kC);
  EXPECT_EQ(env.Image(4), 4);
}

TEST(ActivityQueryTest, SlotsOutsideTheTablesGive255AndTouchNothing) {
  SamplerEnv env;
  env.disk.drives['C'].readCount = 5;
  const ActivityQueryTables before = env.app.activityQuery;
  for (int slot : {-1, 128, -2147483647 - 1, 2147483647})
    EXPECT_EQ(QueryDriveActivity(env.app, kDeviceC, slot), 255) << slot;
  EXPECT_EQ(env.disk.counterReads, 0);
  EXPECT_TRUE(env.app.activityQuery == before);

  // The edges of the tables, each with its own counters.
  for (int slot : {0, 127}) {
    EXPECT_EQ(QueryDriveActivity(env.app, kDeviceC, slot), 1) << slot;
    EXPECT_EQ(QueryDriveActivity(env.app, kDeviceC, slot), 0) << slot;
  }
  EXPECT_EQ(QueryDriveActivity(env.app, nullptr, 5), 0);
}

}  // namespace
}  // namespace glint
