#pragma once

#include <algorithm>
#include <array>
#include <cstddef>

#include "core/drives.h"

// The numbers by which the program addresses its windows, controls, images, fonts, menu items,
// tray icon and timers, all in one place so that the ones that must not collide are checked to
// not collide.
namespace glint {

// --- Windows -----------------------------------------------------------------------------------
inline constexpr int kLedWindow = 0;
inline constexpr int kDrivesAndIconsWindow = 2;
inline constexpr int kWindowOptionsWindow = 3;

// --- Controls of the LED window ----------------------------------------------------------------
// Controls 1..26 are the drive icons: the control of slot p is p.
inline constexpr int kFirstIconControl = 1;
inline constexpr int kLastIconControl = kDriveCount;
inline constexpr int kFillerControl = 27;
inline constexpr int kMinimizeButtonControl = 5000;

// --- Controls of the Drives and Icons window -----------------------------------------------------
namespace drives_and_icons {
// The box of slot p is 250 + p: 251 for A to 276 for Z.
inline constexpr int kFirstDriveBox = 251;
inline constexpr int kLastDriveBox = 250 + kDriveCount;
inline constexpr int kSaveButton = 280;
inline constexpr int kAutoHide = 281;
inline constexpr int kSizeLabel = 283;
inline constexpr int kSmallSize = 284;
inline constexpr int kMediumSize = 285;
inline constexpr int kLargeSize = 286;
inline constexpr int kSmallPreview = 287;
inline constexpr int kMediumPreview = 288;
inline constexpr int kLargePreview = 289;
inline constexpr int kColorsLabel = 290;
inline constexpr int kReadButton = 291;
inline constexpr int kWriteButton = 292;
inline constexpr int kBackButton = 293;
inline constexpr int kTextButton = 294;
inline constexpr int kReadSwatch = 295;
inline constexpr int kWriteSwatch = 296;
inline constexpr int kBackSwatch = 297;
inline constexpr int kTextSwatch = 298;
inline constexpr int kLines = 305;
inline constexpr int kSquare = 306;
inline constexpr int kCustomSize = 307;
inline constexpr int kSizeTrackbar = 308;
inline constexpr int kSizeValue = 309;
inline constexpr int kDetectionOff = 310;
inline constexpr int kDriveList = 311;
inline constexpr int kListLabel = 312;
inline constexpr int kUndoRead = 317;
inline constexpr int kUndoBack = 318;
inline constexpr int kUndoWrite = 319;
inline constexpr int kUndoText = 320;
}  // namespace drives_and_icons

// The drive slot (1..26) a drive box of the Drives and Icons window stands for; 0 for any other
// control. The range is checked before any arithmetic, so no number can overflow it.
constexpr int DriveBoxSlot(int control) {
  if (control < drives_and_icons::kFirstDriveBox || control > drives_and_icons::kLastDriveBox)
    return 0;
  return control - drives_and_icons::kFirstDriveBox + 1;
}

// --- Controls of the Window Options window -------------------------------------------------------
// Some numbers are those of Drives and Icons controls: the two windows are never open together.
namespace window_options {
inline constexpr int kMinimizeButton = 299;
inline constexpr int kSaveButton = 301;
inline constexpr int kLeftDoubleClick = 303;
inline constexpr int kMiddleClick = 304;
inline constexpr int kTransparencyLabel = 310;
inline constexpr int kTransparencyTrackbar = 311;
inline constexpr int kTransparencyValue = 312;
inline constexpr int kPersistent = 314;
inline constexpr int kClickThrough = 315;
inline constexpr int kDualMode = 316;
inline constexpr int kVertical = 300;
inline constexpr int kSnap = 321;
inline constexpr int kIgnoreOnTop = 322;
}  // namespace window_options

// --- Images ------------------------------------------------------------------------------------
// The four images of every drive slot: idle, reading, writing, reading and writing.
inline constexpr int kIconStates = 4;
inline constexpr int kFirstIconImage = 1;
inline constexpr int kLastIconImage = kIconStates * kDriveCount;
// Image number of drive slot p (1..26) in an activity state (0 idle, 1 read, 2 write, 3 both).
constexpr int IconImageNumber(int slot, int state) {
  return kDriveCount * state + slot;
}
inline constexpr int kTrayImage = 200;
// The program's icon among its resources: the window class's icon and the tray icon's artwork.
inline constexpr int kProgramIconResource = 1;
inline constexpr int kTrayImageEdge = 32;
inline constexpr int kSmallPreviewImage = 1666;
inline constexpr int kMediumPreviewImage = 1667;
inline constexpr int kLargePreviewImage = 1668;
inline constexpr int kReadSwatchImage = 1669;
inline constexpr int kWriteSwatchImage = 1670;
inline constexpr int kBackSwatchImage = 1671;
inline constexpr int kTextSwatchImage = 1672;
inline constexpr int kFillerImage = 1700;

// --- Fonts -------------------------------------------------------------------------------------
inline constexpr int kLetterFont = 1;
inline constexpr int kSmallButtonFont = 2;
inline constexpr int kUiFont = 3;
inline constexpr int kUiBoldFont = 4;
// The UI font at 96 pixels per inch, for the minimize button: the LED window keeps its pixels at
// every DPI.
inline constexpr int kButtonFont = 5;

// --- Popup menu and tray icon ------------------------------------------------------------------
inline constexpr int kPopupMenu = 0;
inline constexpr int kMenuAbout = 1;
inline constexpr int kMenuDocumentation = 2;
inline constexpr int kMenuConfigureDrives = 3;
inline constexpr int kMenuConfigureWindow = 4;
inline constexpr int kMenuOnTopOnce = 5;
inline constexpr int kMenuNotOnTopOnce = 6;
inline constexpr int kMenuLockPosition = 7;
inline constexpr int kMenuSavePosition = 8;
inline constexpr int kMenuMinimizeToTray = 9;
inline constexpr int kMenuAlwaysShowTrayIcon = 10;
inline constexpr int kMenuRestoreDefaults = 11;
inline constexpr int kMenuExit = 12;
inline constexpr int kMenuUninstall = 13;
inline constexpr int kMenuDonation = 14;

inline constexpr int kTrayIcon = 0;
// The message the tray icon sends to the LED window.
inline constexpr unsigned kTrayCallbackMessage = 12501;

// --- Timers on the LED window ------------------------------------------------------------------
inline constexpr int kSampleTimer = 1;
inline constexpr int kDiscoveryTimer = 2;
inline constexpr int kTopmostTimer = 3;
inline constexpr int kLimitTimer = 4;

// --- What must not collide ---------------------------------------------------------------------
namespace numbers_check {

template <std::size_t N>
constexpr bool AllDistinct(std::array<int, N> values) {
  std::sort(values.begin(), values.end());
  return std::adjacent_find(values.begin(), values.end()) == values.end();
}

template <std::size_t N>
constexpr bool NoneIn(const std::array<int, N>& values, int low, int high) {
  return std::none_of(values.begin(), values.end(), [=](int v) { return v >= low && v <= high; });
}

namespace di = drives_and_icons;
namespace wo = window_options;

inline constexpr std::array<int, 30> kOtherDrivesAndIcons = {
    di::kSaveButton,  di::kAutoHide,     di::kSizeLabel,     di::kSmallSize,    di::kMediumSize,
    di::kLargeSize,   di::kSmallPreview, di::kMediumPreview, di::kLargePreview, di::kColorsLabel,
    di::kReadButton,  di::kWriteButton,  di::kBackButton,    di::kTextButton,   di::kReadSwatch,
    di::kWriteSwatch, di::kBackSwatch,   di::kTextSwatch,    di::kLines,        di::kSquare,
    di::kCustomSize,  di::kSizeTrackbar, di::kSizeValue,     di::kDetectionOff, di::kDriveList,
    di::kListLabel,   di::kUndoRead,     di::kUndoBack,      di::kUndoWrite,    di::kUndoText};
inline constexpr std::array<int, 13> kWindowOptions = {wo::kVertical,
                                                       wo::kDualMode,
                                                       wo::kMinimizeButton,
                                                       wo::kClickThrough,
                                                       wo::kLeftDoubleClick,
                                                       wo::kMiddleClick,
                                                       wo::kSnap,
                                                       wo::kPersistent,
                                                       wo::kIgnoreOnTop,
                                                       wo::kTransparencyLabel,
                                                       wo::kTransparencyTrackbar,
                                                       wo::kTransparencyValue,
                                                       wo::kSaveButton};

// Each window's controls are distinct, and the drive boxes take no other control's number.
static_assert(AllDistinct(kOtherDrivesAndIcons));
static_assert(NoneIn(kOtherDrivesAndIcons, di::kFirstDriveBox, di::kLastDriveBox));
static_assert(AllDistinct(kWindowOptions));
static_assert(NoneIn(kWindowOptions, di::kFirstDriveBox, di::kLastDriveBox));
// The LED window's controls live as long as the program and share the number space with the
// configuration windows' controls.
static_assert(kFillerControl == kLastIconControl + 1);
static_assert(NoneIn(kOtherDrivesAndIcons, kFirstIconControl, kFillerControl));
static_assert(NoneIn(kWindowOptions, kFirstIconControl, kFillerControl));
static_assert(di::kFirstDriveBox > kFillerControl);
static_assert(NoneIn(kOtherDrivesAndIcons, kMinimizeButtonControl, kMinimizeButtonControl));
static_assert(NoneIn(kWindowOptions, kMinimizeButtonControl, kMinimizeButtonControl));
static_assert(kMinimizeButtonControl > di::kLastDriveBox);

static_assert(AllDistinct(std::array{kLedWindow, kDrivesAndIconsWindow, kWindowOptionsWindow}));

inline constexpr std::array<int, 9> kOtherImages = {
    kTrayImage,         kSmallPreviewImage, kMediumPreviewImage,
    kLargePreviewImage, kReadSwatchImage,   kWriteSwatchImage,
    kBackSwatchImage,   kTextSwatchImage,   kFillerImage};
static_assert(AllDistinct(kOtherImages));
static_assert(NoneIn(kOtherImages, kFirstIconImage, kLastIconImage));
static_assert(IconImageNumber(1, 0) == kFirstIconImage);
static_assert(IconImageNumber(kDriveCount, kIconStates - 1) == kLastIconImage);

static_assert(AllDistinct(std::array{kLetterFont, kSmallButtonFont, kUiFont, kUiBoldFont,
                                     kButtonFont}));
static_assert(AllDistinct(std::array{
    kMenuAbout, kMenuDocumentation, kMenuConfigureDrives, kMenuConfigureWindow, kMenuOnTopOnce,
    kMenuNotOnTopOnce, kMenuLockPosition, kMenuSavePosition, kMenuMinimizeToTray,
    kMenuAlwaysShowTrayIcon, kMenuRestoreDefaults, kMenuExit, kMenuUninstall, kMenuDonation}));
static_assert(AllDistinct(std::array{kSampleTimer, kDiscoveryTimer, kTopmostTimer, kLimitTimer}));
// Within WM_USER .. 0xBFFF: the program's own range, clear of every system message.
static_assert(kTrayCallbackMessage >= 0x0400 && kTrayCallbackMessage < 0xC000);

}  // namespace numbers_check

}  // namespace glint
