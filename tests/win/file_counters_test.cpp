// The test build's drive counters: read from a file, and through the real sampler onto the
// icon controls.
#include <gtest/gtest.h>

#include <string>

#include "app/startup.h"
#include "core/app.h"
#include "core/numbers.h"
#include "monitor/sampler.h"
#include "platform/win32/file_counters_disk.h"
#include "platform/win32/win32_system.h"
#include "win_test_support.h"

namespace glint {
namespace {

TEST(FileCountersTest, ParsesLinesPerLetter) {
  const std::string text = "C 120 7\r\nz 5 6\n# comment\nD x y\nE 4294967297 1\n";
  struct Case {
    char letter;
    bool found;
    std::uint32_t reads, writes;
  };
  for (const Case& c : {Case{'C', true, 120, 7}, Case{'Z', true, 5, 6}, Case{'D', false, 0, 0},
                        Case{'E', true, 1, 1}, Case{'Q', false, 0, 0}}) {
    std::uint32_t reads = 0, writes = 0;
    EXPECT_EQ(ParseDriveCounters(text, c.letter, reads, writes), c.found) << c.letter;
    if (c.found) {
      EXPECT_EQ(reads, c.reads) << c.letter;
      EXPECT_EQ(writes, c.writes) << c.letter;
    }
  }
}

class FileCountersSamplerTest : public wintest::ToolkitTest {};

TEST_F(FileCountersSamplerTest, IconsFollowTheCountersFile) {
  wintest::ScratchFolder folder;
  const std::string counters = folder.Path("counters.txt");
  Win32System system;
  FileCountersDisk disk(counters);
  App app(toolkit_, disk, system);
  for (int image = 1; image <= 104; ++image) ASSERT_TRUE(toolkit_.CreateImage(image, 18, 18));
  for (int slot = 1; slot <= 26; ++slot)
    ASSERT_TRUE(toolkit_.CreateImageControl(0, slot, (slot - 1) * 18, 0, 18, 18, slot));
  app.slotRootPaths[3] = "C:\\";
  app.slotRootPaths[4] = "D:\\";  // no line in the file: idle
  app.samplingEnabled = 1;

  auto shown = [&](int control) {
    return reinterpret_cast<void*>(SendMessageA(Control(control), STM_GETIMAGE, IMAGE_BITMAP, 0));
  };
  auto tick = [&](const std::string& contents) {
    ASSERT_TRUE(system.WriteFileFlushed(counters, contents));
    SampleDriveActivity(app);
  };

  tick("C 0 0\n");
  EXPECT_EQ(shown(3), toolkit_.NativeImage(3));
  tick("C 1 0\n");  // a read
  EXPECT_EQ(shown(3), toolkit_.NativeImage(26 + 3));
  tick("C 1 1\n");  // a write
  EXPECT_EQ(shown(3), toolkit_.NativeImage(52 + 3));
  tick("C 2 2\n");  // both
  EXPECT_EQ(shown(3), toolkit_.NativeImage(78 + 3));
  tick("C 2 2\n");  // nothing new: idle again
  EXPECT_EQ(shown(3), toolkit_.NativeImage(3));
  EXPECT_EQ(shown(4), toolkit_.NativeImage(4));

  tick("C 3 2\n");
  EXPECT_EQ(shown(3), toolkit_.NativeImage(26 + 3));
  ASSERT_TRUE(system.RemoveFile(counters));  // the file gone: the drive reads as idle
  SampleDriveActivity(app);
  EXPECT_EQ(shown(3), toolkit_.NativeImage(3));
}

}  // namespace
}  // namespace glint
