#include "monitor/discovery.h"
#include "monitor/drive_classes.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "support/fake_env.h"

namespace glint {
namespace {

constexpr std::uint64_t kMb = 1048576;

struct DiscoveryEnv : FakeEnv {
  DiscoveryEnv() {
    toolkit.CreatePopupWindow(kLedWindow, "Glintbox", 0, 0, 8, 8);
    for (int slot = 1; slot <= kDriveCount; ++slot)
      EXPECT_TRUE(toolkit.CreateImageControl(kLedWindow, slot, 0, 0, 18, 18, slot));
  }
  FakeDisk::Drive& Add(char letter, int type) {
    disk.drives[letter].type = type;
    return disk.drives[letter];
  }
  // A removable drive whose volume query takes `ms` on the virtual clock.
  void Removable(char letter, std::uint32_t ms, const char* fileSystem) {
    Add(letter, drive_type::kRemovable).volume = {"", fileSystem};
    disk.drives[letter].volumeQueryMs = ms;
  }
  std::string Tooltip(char letter) const { return toolkit.controls.at(letter - 'A' + 1).tooltip; }
  std::string& Entry(int index) { return app.driveTypeList[static_cast<std::size_t>(index)]; }
  void Pass() { DiscoverDrives(app); }
};

std::string Mask(std::string_view presentLetters) {
  std::string mask(kDriveCount, '0');
  for (char c : presentLetters) mask[static_cast<std::size_t>(c - 'A')] = '1';
  return mask;
}

TEST(DiscoverDrivesTest, EachDriveTypeIsListedByItsIndexAndOnlyFixedDisksArePresent) {
  DiscoveryEnv env;
  // Gaps in the letters: entries follow the position in the system's list, not the letter.
  using D = std::pair<char, int>;
  for (const auto& [letter, type] :
       {D{'C', drive_type::kFixed}, D{'E', drive_type::kCdRom}, D{'H', drive_type::kRemote},
        D{'K', drive_type::kRamDisk}, D{'M', drive_type::kUnknown}, D{'P', drive_type::kNoRootDir},
        D{'Q', 7}, D{'Z', drive_type::kFixed}})
    env.Add(letter, type);
  env.Pass();
  std::string entries;
  for (int i = 0; i < 9; ++i) entries += env.Entry(i) + ";";
  EXPECT_EQ(entries,
            "C:\\|HardDisk Drive|0;E:\\|CD-ROM Drive|1;H:\\|Network Drive|2;K:\\|RAM DISK Drive|3;"
            "M:\\|Unknown|4;;;Z:\\|HardDisk Drive|7;;");
  EXPECT_EQ(env.app.presenceMask, Mask("CZ"));
  EXPECT_NE(env.Tooltip('Z'), "");                                      // the last slot too
  EXPECT_EQ(DriveTooltip(env.app, 0) + DriveTooltip(env.app, 27), "");  // no drive slots
  EXPECT_EQ(env.Tooltip('E'), "");
}

TEST(DiscoverDrivesTest, RemovableDrivesByTheTimeOfTheirVolumeQuery) {
  struct Case {
    std::uint32_t ms;
    const char* fileSystem;
    int vistaOrSeven;
    const char* entry;
    bool present;
  };
  const std::vector<Case> cases = {
      {150, "FAT", 1, "A:\\|Floppy Drive|0", false},
      {100, "FAT", 1, "", false},  // exactly 100 ms: neither floppy nor flash
      {100, "", 1, "", false},
      {50, "  FAT32 ", 1, "A:\\|Flash Drive|0", true},
      {50, "FAT32", 0, "A:\\|Flash Drive|0", false},  // XP, 8 and later: listed, not present
      {0, "   ", 1, "A:\\|Flash Drive|0", false},     // a reader without a card
  };
  for (const auto& c : cases) {
    DiscoveryEnv env;
    env.app.vistaOrSeven = c.vistaOrSeven;
    env.Removable('A', c.ms, c.fileSystem);
    env.Pass();
    const std::string what = std::to_string(c.ms) + " ms, \"" + c.fileSystem + "\"";
    EXPECT_EQ(env.Entry(0), c.entry) << what;
    EXPECT_EQ(env.app.presenceMask, Mask(c.present ? "A" : "")) << what;
    EXPECT_EQ(env.Tooltip('A').empty(), !c.present) << what;
    EXPECT_EQ(env.app.floppyCount, c.ms > 100 ? 1 : 0) << what;
  }
}

TEST(DiscoverDrivesTest, ASlowDriveIsAFloppyForTheRestOfTheRun) {
  DiscoveryEnv env;
  env.Add('C', drive_type::kFixed);
  env.Removable('A', 150, "FAT");
  env.Pass();
  EXPECT_EQ(env.app.floppyList[0], "A:\\|Floppy Drive|0");

  // Never asked again, and it writes no entry of its own in later passes.
  env.Entry(0).clear();
  env.Pass();
  env.Pass();
  EXPECT_EQ(env.journal.Matching("VolumeInformation A:").size(), 1u);
  EXPECT_EQ(env.Entry(0), "");
  EXPECT_EQ(env.app.floppyCount, 1);
}

TEST(DiscoverDrivesTest, FloppyListWrapsAndNeverReachesOutside) {
  // The list indexes A, B and D (found in that order) are written to; -1 for none.
  const struct {
    int countBefore, a, b, d, countAfter;
  } cases[] = {
      {26, 0, 1, 2, 3},    // starts over
      {25, 25, 26, 0, 1},  // fills the last two entries, then wraps
      {27, 0, -1, -1, 3},  // left by two floppies added from 25
      {-1, 0, -1, -1, 3},
  };
  for (const auto& c : cases) {
    DiscoveryEnv env;
    env.app.floppyCount = c.countBefore;
    for (char letter : {'A', 'B', 'D'}) env.Removable(letter, 200, "");
    env.Pass();
    const std::pair<int, const char*> written[] = {
        {c.a, "A:\\|Floppy Drive|0"}, {c.b, "B:\\|Floppy Drive|1"}, {c.d, "D:\\|Floppy Drive|2"}};
    for (const auto& [index, entry] : written)
      if (index >= 0) EXPECT_EQ(env.app.floppyList[static_cast<std::size_t>(index)], entry);
    EXPECT_EQ(env.app.floppyCount, c.countAfter) << c.countBefore;
  }
}

TEST(DiscoverDrivesTest, TheFloppyEntriesUpToTheCountAreTheKnownOnes) {
  // B, quick and blank, has an entry of an earlier run in the list; the entries 0 to the count
  // (inclusive) are known, and within a pass the count grows with each floppy found.
  const struct {
    int count, bAt;
    bool slowA, asked, listed;  // listed: blank and in the list, so no medium, no entry
  } cases[] = {
      {0, 0, false, true, true},     // no count, no known floppy
      {1, 1, false, false, true},    // the entry at the count is known too
      {25, 26, false, true, false},  // past the count
      {25, 26, true, false, true},   // reached by the count once A is found slow
      {26, 0, false, true, true},    // a full list starts over: entry 0 is known again
  };
  for (const auto& c : cases) {
    DiscoveryEnv env;
    env.app.floppyCount = c.count;
    env.app.floppyList[static_cast<std::size_t>(c.bAt)] = "B:\\|Floppy Drive|9";
    if (c.slowA) env.Removable('A', 150, "FAT");
    env.Removable('B', 0, "");
    env.Pass();
    EXPECT_EQ(env.journal.Matching("VolumeInformation B:").size(), c.asked ? 1u : 0u) << c.count;
    int entries = 0;
    for (const std::string& entry : env.app.driveTypeList) entries += entry.rfind("B:", 0) == 0;
    EXPECT_EQ(entries, c.listed ? 0 : 1) << c.count;
  }
}

TEST(DiscoverDrivesTest, EntriesOfEarlierPassesSurvive) {
  DiscoveryEnv env;
  env.Add('C', drive_type::kFixed);
  env.Add('D', drive_type::kCdRom);
  env.Add('G', drive_type::kRemote);
  env.Pass();
  env.disk.drives.erase('D');
  env.Pass();
  EXPECT_EQ(env.Entry(1), "G:\\|Network Drive|1");
  EXPECT_EQ(env.Entry(2), "G:\\|Network Drive|2");  // from the first pass
}

TEST(DiscoverDrivesTest, Tooltips) {
  struct Case {
    const char *label, *fileSystem;
    bool hasVolume, hasFreeSpace;
    std::uint64_t freeBytes, totalBytes;
    const char* tooltip;  // after "C:\ "
  };
  const std::uint64_t pib = std::uint64_t{1} << 50;
  const std::vector<Case> cases = {
      {"System", "NTFS", true, true, 2 * kMb - 1, 10 * kMb + kMb / 2,
       "System [NTFS] - Free: 1 MB - Total: 10 MB"},
      {"  My Disk ", " FAT32 ", true, true, 0, kMb, "My Disk [FAT32] - Free: 0 MB - Total: 1 MB"},
      {"  ", "", true, true, 0, 0, "No Label [Unknown Filesystem] - Free: 0 MB - Total: 0 MB"},
      {"Data", "NTFS", false, true, 0, 0,
       "No Label [Unknown Filesystem] - Free: 0 MB - Total: 0 MB"},
      {"Data", "NTFS", true, false, 5 * kMb, 9 * kMb, "Data [NTFS] - Free: ? MB - Total: ? MB"},
      {"Big", "NTFS", true, true, 2 * pib, 3 * pib,
       "Big [NTFS] - Free: 2147483648 MB - Total: 3221225472 MB"},
  };
  for (const auto& c : cases) {
    DiscoveryEnv env;
    auto& drive = env.Add('C', drive_type::kFixed);
    drive.volume = {c.label, c.fileSystem};
    drive.hasVolume = c.hasVolume, drive.hasFreeSpace = c.hasFreeSpace;
    drive.freeBytes = c.freeBytes, drive.totalBytes = c.totalBytes;
    env.Pass();
    EXPECT_EQ(env.Tooltip('C'), std::string("C:\\ ") + c.tooltip);
  }
}

TEST(DiscoverDrivesTest, OnlyAChangedMaskFlagsTheDriveSet) {
  DiscoveryEnv env;
  env.Add('C', drive_type::kFixed);
  env.Add('D', drive_type::kFixed);
  env.Pass();
  EXPECT_EQ(env.app.driveSetChanged, 1) << "the previous mask starts empty";
  env.app.driveSetChanged = 0;
  env.Pass();
  EXPECT_EQ(env.app.driveSetChanged, 0) << "same drives";
  env.disk.drives.erase('D');
  env.Pass();
  EXPECT_EQ(env.app.driveSetChanged, 1) << "unplugged";
  EXPECT_EQ(env.app.previousPresenceMask, Mask("C"));
  EXPECT_EQ(env.app.presenceSnapshot, Mask("C")) << "the pass marks the drives itself";
}

TEST(DiscoverClassifyTest, RemovableRule) {
  struct Case {
    std::uint32_t ms;
    const char *label, *fileSystem;
    std::uint32_t serial;
    bool listed;
    RemovableKind kind;
  };
  using K = RemovableKind;
  const std::vector<Case> cases = {
      {0xFFFFFFFF, "X", "FAT", 7, true, K::kFloppy},
      {99, "", "FAT", 0, true, K::kFlash},
      {0, "", "", 0, true, K::kNone},           // known floppy, not asked again
      {0, "", "", 1234, true, K::kFlashEmpty},  // a serial number: a medium answered
      {0, "Label", "", 0, false, K::kNone},     // a label without a file system
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ClassifyRemovable(c.ms, c.label, c.fileSystem, c.serial, c.listed), c.kind)
        << c.ms << " ms, \"" << c.label << "\", \"" << c.fileSystem << "\", " << c.serial;
  }
}

}  // namespace
}  // namespace glint
