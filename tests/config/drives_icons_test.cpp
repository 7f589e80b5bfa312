#include "config/drives_icons_window.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "config/config_env.h"
#include "config/drive_list.h"

namespace glint {
namespace {

namespace di = drives_and_icons;

constexpr Color kWhite = MakeColor(255, 255, 255);
constexpr Color kGrey = MakeColor(153, 153, 153);
constexpr Color kDarkRed = MakeColor(128, 0, 0);
constexpr Color kGreen = MakeColor(0, 128, 0);

// Runs the window with clicks scripted by `script`, then "Save Changes".
void RunWindow(ConfigEnv& env, const std::function<void(ConfigEnv&)>& script) {
  script(env);
  env.toolkit.PostClick(di::kSaveButton);
  RunDrivesAndIconsWindow(env.app);
}

// Posts a step that runs `check` inside the window, and counts that it ran.
void Inside(ConfigEnv& env, int& ran, std::function<void(ConfigEnv&)> check) {
  env.toolkit.Post(Event::Raw(msg::kPaint), [&env, &ran, check] {
    check(env);
    ++ran;
  });
}

TEST(DrivesAndIconsTest, DriveBoxesInColumnsOfSevenThenTheRest) {
  const std::span<const ControlDef> controls = DrivesAndIconsControls();
  const std::vector<int> numbers = NumbersOf(controls);
  ASSERT_EQ(numbers.size(), 56u);
  EXPECT_TRUE(Unique(numbers));
  for (int slot = 1; slot <= 26; ++slot) {
    const ControlDef& box = controls[static_cast<std::size_t>(slot - 1)];
    EXPECT_EQ(box.number, 250 + slot);
    EXPECT_EQ(box.caption, std::string(1, static_cast<char>('A' + slot - 1)));
    EXPECT_EQ(box.x, 10 + 40 * ((slot - 1) / 7)) << slot;
    EXPECT_EQ(box.y, 10 + 20 * ((slot - 1) % 7)) << slot;
    EXPECT_EQ(box.width * 100 + box.height, 40 * 100 + 20) << slot;
  }
  const std::vector<int> rest = {280, 281, 283, 284, 285, 286, 307, 308, 309, 310,
                                 311, 312, 287, 288, 289, 290, 291, 292, 293, 294,
                                 306, 295, 296, 297, 298, 317, 318, 319, 320, 305};
  EXPECT_EQ(std::vector<int>(numbers.begin() + 26, numbers.end()), rest);
  // One group: the four sizes, starting with the small one.
  for (const ControlDef& def : controls)
    EXPECT_EQ(def.groupStart, def.number == di::kSmallSize) << def.number;
}

TEST(DrivesAndIconsTest, OpensFreshFromTheSettingsAndADiscoveryPass) {
  ConfigEnv env;
  AppSettings& s = env.app.settings;
  s.drives = "10192 a0000000000000000001";  // non-zero digits tick
  s.iconSize = 4, s.customIconSize = 300, s.showIconLines = 0, s.autoHideDisconnected = 1;
  s.turnOffDetectInterval = 1;
  env.disk.drives['Z'] = {};  // found by the window's own pass
  env.toolkit.dpi = 144;      // the layout grows with the text, halves rounded up
  int ran = 0;
  Inside(env, ran, [](ConfigEnv& e) {
    const FakeToolkit::Window& w = e.toolkit.windows.at(kDrivesAndIconsWindow);
    EXPECT_EQ(w.title, "  Drives and Icons Configuration");
    EXPECT_EQ(w.client, (Rect{0, 0, 833, 360}));
    EXPECT_EQ(e.ControlOf(di::kSaveButton).rect, (Rect{461, 323, 604, 353}));
    EXPECT_TRUE(w.captioned && w.toolWindow && w.topmost && w.visible);
    for (int box = 251; box <= 276; ++box)
      EXPECT_EQ(e.Checked(box), box == 251 || (box >= 253 && box <= 255) || box == 276) << box;
    EXPECT_FALSE(e.ControlOf(253).enabled);  // auto-hide
    EXPECT_TRUE(e.Checked(di::kCustomSize));
    EXPECT_TRUE(e.ControlOf(di::kSizeTrackbar).visible);
    EXPECT_EQ(e.toolkit.TrackbarPos(di::kSizeTrackbar), 300);
    const auto& trackbar = e.ControlOf(di::kSizeTrackbar);
    EXPECT_EQ(std::pair(trackbar.rangeMin, trackbar.rangeMax), std::pair(10, 1024));
    EXPECT_EQ(e.toolkit.ControlText(di::kSizeValue), "300");
    EXPECT_FALSE(e.Checked(di::kLines));
    EXPECT_TRUE(e.Checked(di::kSquare));
    EXPECT_TRUE(e.Checked(di::kAutoHide));
    EXPECT_TRUE(e.Checked(di::kDetectionOff));
    EXPECT_EQ(e.app.presenceMask, "00100000000000000000000001");
    const auto& list = e.ControlOf(di::kDriveList);
    EXPECT_EQ(list.columns, (std::vector<std::string>{"ID 38", "Type 135"}));
    ASSERT_EQ(list.rows.size(), 2u);
    EXPECT_EQ(list.rows[1].cells, (std::vector<std::string>{"Z:\\", "HardDisk Drive"}));
    EXPECT_EQ(list.rows[1].back, kGreen);
    // Previews: the read colour above, the write colour below, at the icons' own size; swatches
    // all one colour, as large as their controls.
    const ImageView large = e.toolkit.Image(kLargePreviewImage);
    ASSERT_EQ(large.width, 30);
    EXPECT_EQ(e.ControlOf(di::kLargePreview).rect, (Rect{473, 45, 503, 75}));
    EXPECT_EQ(large.Pixel(29, 14), MakeColor(0x00, 0xD8, 0x00));
    EXPECT_EQ(large.Pixel(0, 15), MakeColor(0xFF, 0x26, 0x26));
    EXPECT_EQ(e.toolkit.Image(kTextSwatchImage).Pixel(14, 29), kWhite);
    EXPECT_EQ(
        e.toolkit.Image(kTextSwatchImage).width * 100 + e.toolkit.Image(kTextSwatchImage).height,
        15 * 100 + 30);
    EXPECT_EQ(e.ControlOf(di::kTextSwatch).image, kTextSwatchImage);
    EXPECT_EQ(e.ControlOf(di::kUndoText).tooltip,
              "Undo color change for Text, Lines and Box graphics");
  });
  RunWindow(env, [](ConfigEnv&) {});
  EXPECT_EQ(ran, 1);
  // Gone with the window: its previews and swatches.
  EXPECT_FALSE(env.toolkit.WindowExists(kDrivesAndIconsWindow));
  for (int image = kSmallPreviewImage; image <= kTextSwatchImage; ++image)
    EXPECT_EQ(env.toolkit.images.count(image), 0u) << image;
}

TEST(DrivesAndIconsTest, OpensWithTheSizeRadioButtonOfTheSettings) {
  for (int size : {1, 2, 3, 4}) {
    ConfigEnv env;
    env.app.settings.iconSize = size;
    env.app.settings.customIconSize = 10;  // the trackbar's lowest
    int ran = 0;
    Inside(env, ran, [size](ConfigEnv& e) {
      EXPECT_EQ(e.Checked(di::kSmallSize), size == 1);
      EXPECT_EQ(e.Checked(di::kMediumSize), size == 2);
      EXPECT_EQ(e.Checked(di::kLargeSize), size == 3);
      EXPECT_EQ(e.Checked(di::kCustomSize), size == 4);
      EXPECT_EQ(e.ControlOf(di::kSizeTrackbar).visible, size == 4);
      EXPECT_EQ(e.ControlOf(di::kSizeValue).visible, size == 4);
      if (size == 4) EXPECT_EQ(e.toolkit.TrackbarPos(di::kSizeTrackbar), 10);
    });
    RunWindow(env, [](ConfigEnv&) {});
    EXPECT_EQ(ran, 1) << size;
  }
}

TEST(DrivesAndIconsTest, EveryChangeTakesEffectAtOnce) {
  const struct {
    const char* what;
    std::function<void(AppSettings&)> set;
    std::function<void(ConfigEnv&)> act;
    std::function<void(ConfigEnv&)> check;  // right after the action, inside the window
    // This window active again after the last layout of the LED window, which took it.
    bool activatedAgain = true;
  } cases[] = {
      {"a drive box",
       {},
       [](ConfigEnv& e) { e.toolkit.PostClick(253); },
       [](ConfigEnv& e) {
         EXPECT_EQ(e.app.settings.drives, "11011111111111111111111111");
         EXPECT_EQ(e.Renders(), 0);
         EXPECT_EQ(e.toolkit.windows.at(kLedWindow).rect.Width(), 25 * 18 - 1);
       }},
      {"the last drive box", [](AppSettings& s) { s.drives = "00100000000000000000000000"; },
       [](ConfigEnv& e) { e.toolkit.PostClick(253); },
       [](ConfigEnv& e) {
         ASSERT_EQ(e.toolkit.messageBoxes.size(), 1u);
         EXPECT_EQ(e.toolkit.messageBoxes[0].caption, "All year merry-go-round easter egg");
         EXPECT_TRUE(e.Checked(253));
         EXPECT_EQ(e.app.settings.drives, "00100000000000000000000000");
       }},
      {"auto-hide",
       {},
       [](ConfigEnv& e) { e.toolkit.PostClick(di::kAutoHide); },
       [](ConfigEnv& e) {
         EXPECT_EQ(e.app.settings.autoHideDisconnected, 1);
         EXPECT_FALSE(e.ControlOf(251).enabled || e.ControlOf(276).enabled);
         EXPECT_TRUE(e.Checked(251));                                   // the ticks stay
         EXPECT_EQ(e.toolkit.windows.at(kLedWindow).rect.Width(), 17);  // only C is present
       }},
      {"auto-hide off", [](AppSettings& s) { s.autoHideDisconnected = 1; },
       [](ConfigEnv& e) { e.toolkit.PostClick(di::kAutoHide); },
       [](ConfigEnv& e) {
         EXPECT_EQ(e.app.settings.autoHideDisconnected, 0);
         EXPECT_TRUE(e.ControlOf(251).enabled && e.ControlOf(276).enabled);
       }},
      {"lines",
       {},
       [](ConfigEnv& e) { e.toolkit.PostClick(di::kLines); },
       [](ConfigEnv& e) {
         EXPECT_EQ(e.app.settings.showIconLines, 0);
         EXPECT_EQ(e.Renders(), 1);
       }},
      {"square",
       {},
       [](ConfigEnv& e) { e.toolkit.PostClick(di::kSquare); },
       [](ConfigEnv& e) {
         EXPECT_EQ(e.app.settings.showSmallSquare, 0);
         EXPECT_EQ(e.Renders(), 1);
       }},
      // Chosen in a window opened with another size: the thumb shows 10, nothing changes yet.
      {"custom size chosen", [](AppSettings& s) { s.customIconSize = 300; },
       [](ConfigEnv& e) { e.toolkit.PostClick(di::kCustomSize); },
       [](ConfigEnv& e) {
         EXPECT_EQ(e.app.settings.iconSize, 4);
         EXPECT_TRUE(e.ControlOf(di::kSizeTrackbar).visible && e.ControlOf(di::kSizeValue).visible);
         EXPECT_EQ(e.toolkit.TrackbarPos(di::kSizeTrackbar), 10);
         EXPECT_EQ(e.toolkit.ControlText(di::kSizeValue), "10");
         EXPECT_EQ(e.Renders(), 0);
         EXPECT_EQ(e.Rebuilds(), 0);
       }},
      {"custom size dragged", [](AppSettings& s) { s.iconSize = 4, s.customIconSize = 300; },
       [](ConfigEnv& e) {
         e.toolkit.PostScroll(di::kSizeTrackbar, 40);
         e.toolkit.PostScroll(di::kSizeTrackbar, 5000);  // the range ends at 1024
       },
       [](ConfigEnv& e) {
         EXPECT_EQ(e.app.settings.customIconSize, 1024);
         EXPECT_EQ(e.toolkit.ControlText(di::kSizeValue), "1024");
         EXPECT_EQ(e.Renders(), 2);  // every movement
         EXPECT_EQ(e.toolkit.windows.at(kLedWindow).rect.Height(), 1024);
         EXPECT_EQ(e.journal.Matching("Sleep 1").size(), 2u);
       }},
      {"detection off",
       {},
       [](ConfigEnv& e) { e.toolkit.PostClick(di::kDetectionOff); },
       [](ConfigEnv& e) {
         EXPECT_EQ(e.app.settings.turnOffDetectInterval, 1);
         EXPECT_EQ(e.Renders(), 1);
         EXPECT_EQ(e.journal.Matching("Sleep 1").size(), 1u);
       }},
      {"a colour picked, another cancelled",
       {},
       [](ConfigEnv& e) {
         e.toolkit.colorAnswers = {MakeColor(0x12, 0x34, 0x56), std::nullopt, MakeColor(1, 2, 3)};
         e.toolkit.PostClick(di::kBackButton);
         e.toolkit.PostClick(di::kTextButton);
         e.toolkit.PostClick(di::kWriteButton);
       },
       [](ConfigEnv& e) {
         const AppSettings& s = e.app.settings;
         EXPECT_EQ(s.backColor, "123456");
         EXPECT_EQ((std::array{s.backRed, s.backGreen, s.backBlue}), (std::array{18, 52, 86}));
         EXPECT_EQ(s.textColor, "FFFFFF");
         EXPECT_EQ(e.toolkit.colorDialogInitials,
                   (std::vector<Color>{MakeColor(0, 0, 0), kWhite, MakeColor(0xFF, 0x26, 0x26)}));
         EXPECT_EQ(e.toolkit.Image(kBackSwatchImage).Pixel(0, 0), MakeColor(0x12, 0x34, 0x56));
         EXPECT_EQ(e.toolkit.Image(kLargePreviewImage).Pixel(0, 29), MakeColor(1, 2, 3));
         EXPECT_EQ(e.toolkit.Image(IconImageNumber(3, 0)).Pixel(0, 17),
                   MakeColor(0x12, 0x34, 0x56));
         EXPECT_EQ(e.Renders(), 2);
         EXPECT_EQ(e.Rebuilds(), 2);
       },
       false},  // the colour dialog gave the focus back
      // Undo returns to the colour of the opening; only the read colour's leaves the LED window.
      {"undo",
       {},
       [](ConfigEnv& e) {
         e.toolkit.colorAnswers = {MakeColor(1, 2, 3), MakeColor(4, 5, 6), MakeColor(7, 8, 9),
                                   MakeColor(10, 11, 12)};
         for (int button : {di::kReadButton, di::kWriteButton, di::kBackButton, di::kTextButton})
           e.toolkit.PostClick(button);
         for (int undo : {di::kUndoRead, di::kUndoWrite, di::kUndoBack, di::kUndoText})
           e.toolkit.PostClick(undo);
       },
       [](ConfigEnv& e) {
         const AppSettings& s = e.app.settings;
         EXPECT_EQ(s.readColor, "00D800");
         EXPECT_EQ(s.readGreen, 216);
         EXPECT_EQ(s.writeColor + s.backColor + s.textColor, "FF2626000000FFFFFF");
         EXPECT_EQ(e.toolkit.Image(kSmallPreviewImage).Pixel(0, 0), MakeColor(0, 0xD8, 0));
         EXPECT_EQ(e.toolkit.Image(kTextSwatchImage).Pixel(0, 0), kWhite);
         EXPECT_EQ(e.toolkit.Image(IconImageNumber(3, 0)).Pixel(0, 17), MakeColor(0, 0, 0));
         EXPECT_EQ(e.Renders(), 7);  // four picks and three undos
       }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    ConfigEnv env;
    if (c.set) c.set(env.app.settings);
    int ran = 0;
    RunWindow(env, [&](ConfigEnv& e) {
      c.act(e);
      Inside(e, ran, [&c](ConfigEnv& e) {
        c.check(e);
        const auto& lines = e.journal.lines;
        const auto laidOut = std::find(lines.rbegin(), lines.rend(), "ShowWindow 0 show");
        EXPECT_EQ(std::find(lines.rbegin(), laidOut, "ActivateWindow 2") != laidOut,
                  c.activatedAgain);
      });
    });
    EXPECT_EQ(ran, 1);
  }
}

TEST(DrivesAndIconsTest, TheSizeButtonsSetTheSize) {
  ConfigEnv env;
  env.app.settings.iconSize = 4;  // the trackbar shown, to be hidden by any of the three
  std::vector<std::string> seen;
  for (int button : {di::kSmallSize, di::kMediumSize, di::kLargeSize}) {
    env.toolkit.PostClick(button);
    env.toolkit.Post(Event::Raw(msg::kPaint), [&] {
      seen.push_back(std::to_string(env.app.settings.iconSize) + " " +
                     std::to_string(env.toolkit.windows.at(kLedWindow).rect.Height()) +
                     (env.ControlOf(di::kSizeTrackbar).visible ? " trackbar" : "") +
                     (env.ControlOf(di::kSizeValue).visible ? " label" : ""));
    });
  }
  RunWindow(env, [](ConfigEnv&) {});
  EXPECT_EQ(seen, (std::vector<std::string>{"1 18", "2 24", "3 30"}));
}

TEST(DrivesAndIconsTest, TheBoxesSetTheirFieldsBothWays) {
  const struct {
    int box;
    int AppSettings::*field;
  } boxes[] = {{di::kLines, &AppSettings::showIconLines},
               {di::kSquare, &AppSettings::showSmallSquare},
               {di::kDetectionOff, &AppSettings::turnOffDetectInterval},
               {di::kAutoHide, &AppSettings::autoHideDisconnected}};
  for (const auto& b : boxes) {
    ConfigEnv env;
    const int before = env.app.settings.*b.field;
    std::vector<int> seen;
    for (int click = 0; click < 2; ++click) {
      env.toolkit.PostClick(b.box);
      env.toolkit.Post(Event::Raw(msg::kPaint), [&] { seen.push_back(env.app.settings.*b.field); });
    }
    RunWindow(env, [](ConfigEnv&) {});
    EXPECT_EQ(seen, (std::vector<int>{1 - before, before})) << b.box;
  }
}

TEST(DrivesAndIconsTest, OnlySaveEndsItAndItAlwaysSaves) {
  ConfigEnv env;
  env.system.files.erase(kConfigIni);
  env.toolkit.Post(Event::Close(kDrivesAndIconsWindow));
  env.toolkit.PostClick(di::kAutoHide);
  int ran = 0;
  Inside(env, ran, [](ConfigEnv& e) {
    EXPECT_TRUE(e.toolkit.WindowExists(kDrivesAndIconsWindow));  // the close was ignored
    EXPECT_EQ(e.app.lastConfigControl, di::kAutoHide);
    EXPECT_EQ(e.app.configEventPending, 1);
    e.toolkit.SetControlChecked(251, false);  // no event of its own: Save reads the boxes
  });
  RunWindow(env, [](ConfigEnv&) {});
  EXPECT_EQ(ran, 1);
  const std::string& ini = env.system.files.at(kConfigIni);
  EXPECT_NE(ini.find("Auto Hide Disconnected = Yes"), std::string::npos);
  EXPECT_NE(ini.find("Drives = 01111111111111111111111111"), std::string::npos);
  const std::string path = kConfigIni;
  EXPECT_EQ(
      env.Finishing(kDrivesAndIconsWindow),
      (std::vector<std::string>{"DestroyWindow 2", "CreateNumberedFont 1", "ShowWindow 0 show",
                                "MoveFileOver " + path + ".tmp -> " + path}));
}

TEST(DriveListTest, FivePassesColourTheRows) {
  const std::vector<std::string> types = {
      "A:\\|HardDisk Drive|0", "C:\\|HardDisk Drive|1", "D:\\|CD-ROM Drive|2",
      "E:\\|Flash Drive|3",    "F:\\|Flash Drive|4",    "G:\\|Network Drive|5",
      "H:\\|RAM DISK Drive|6", "I:\\|Unknown|7",        "",
      "B:\\|Flash Drive|9"};  // left over from an earlier pass: listed all the same
  std::vector<std::string> floppies(27);
  floppies[0] = "B:\\|Floppy Drive|9";
  const std::string present = "10100100000000000000000000";  // A, C and F
  using R = DriveListRow;
  using Rows = std::vector<DriveListRow>;
  const struct {
    int vista, floppyCount;
    std::vector<DriveListRow> rows;
  } cases[] = {
      {1, 1,
       Rows{R{"A:\\", "HardDisk Drive", kWhite, kGreen},
            R{"C:\\", "HardDisk Drive", kWhite, kGreen},
            R{"D:\\", "CD-ROM Drive", kWhite, kDarkRed}, R{"E:\\", "Flash Drive", kWhite, kGrey},
            R{"F:\\", "Flash Drive", kWhite, kGreen}, R{"G:\\", "Network Drive", kWhite, kDarkRed},
            R{"H:\\", "RAM DISK Drive", kWhite, kDarkRed}, R{"I:\\", "Unknown", kWhite, kDarkRed},
            R{"B:\\", "Floppy Drive", kWhite, kDarkRed}}},
      {0,
       0,  // no floppy counted: B keeps its listed type
       Rows{
           R{"A:\\", "HardDisk Drive", kWhite, kGreen}, R{"C:\\", "HardDisk Drive", kWhite, kGreen},
           R{"D:\\", "CD-ROM Drive", kWhite, kDarkRed}, R{"E:\\", "Flash Drive", kWhite, kDarkRed},
           R{"F:\\", "Flash Drive", kWhite, kDarkRed}, R{"G:\\", "Network Drive", kWhite, kDarkRed},
           R{"H:\\", "RAM DISK Drive", kWhite, kDarkRed}, R{"I:\\", "Unknown", kWhite, kDarkRed},
           R{"B:\\", "Flash Drive", kWhite, kDarkRed}}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(DriveListRows(types, floppies, c.floppyCount, present, c.vista), c.rows) << c.vista;
  }
}

}  // namespace
}  // namespace glint
