#include "config/drives_icons_window.h"

#include <array>
#include <string>
#include <string_view>

#include "config/color_rows.h"
#include "config/control_table.h"
#include "config/drive_list.h"
#include "core/app.h"
#include "core/event_loop.h"
#include "ledwindow/led_window.h"
#include "ledwindow/render.h"
#include "monitor/discovery.h"
#include "settings/ini.h"
#include "settings/settings_file.h"

namespace glint {

namespace {

using namespace config;
namespace di = drives_and_icons;

constexpr int kDriveBoxes = kDriveCount;
constexpr int kOtherControls = 30;

// The drive boxes in columns of seven: A to G, H to N, O to U, V to Z.
constexpr ControlDef DriveBox(int slot) {
  const std::string_view letter = kDriveLetters.substr(static_cast<std::size_t>(slot - 1), 1);
  return CheckBox(di::kFirstDriveBox + slot - 1, 10 + 40 * ((slot - 1) / 7),
                  10 + 20 * ((slot - 1) % 7), 40, 20, letter);
}

constexpr std::array<ControlDef, kOtherControls> kOthers = {
    Button(di::kSaveButton, 307, 215, 95, 20, "Save Changes", kUiBoldFont),
    CheckBox(di::kAutoHide, 10, 155, 150, 20, "Auto Hide Disconnected"),
    Label(di::kSizeLabel, 190, 10, 200, 16, "Use Drive Icon Size:", kUiBoldFont),
    FirstRadioButton(di::kSmallSize, 190, 30, 16, 16, ""),
    RadioButton(di::kMediumSize, 240, 30, 16, 16, ""),
    RadioButton(di::kLargeSize, 295, 30, 16, 16, ""),
    RadioButton(di::kCustomSize, 190, 65, 200, 16, "Use Custom Icon Size:", kUiBoldFont),
    Trackbar(di::kSizeTrackbar, 185, 85, 180, 20, 10, 1024),
    Label(di::kSizeValue, 370, 85, 40, 20, "10"),
    CheckBox(di::kDetectionOff, 10, 214, 190, 20, "Turn off Device Detection Interval"),
    ReportList(di::kDriveList, 410, 30, 140, 206),
    Label(di::kListLabel, 410, 10, 200, 16, "Assigned Drives:", kUiBoldFont),
    IconPicture(di::kSmallPreview, 210, 30, 18, kSmallPreviewImage),
    IconPicture(di::kMediumPreview, 260, 30, 24, kMediumPreviewImage),
    IconPicture(di::kLargePreview, 315, 30, 30, kLargePreviewImage),
    Label(di::kColorsLabel, 190, 115, 150, 20, "Configure Icon Colors:", kUiBoldFont),
    Button(di::kReadButton, 190, 135, 75, 20, "Read Activity"),
    Button(di::kWriteButton, 300, 135, 75, 20, "Write Activity"),
    Button(di::kBackButton, 190, 160, 75, 20, "Background"),
    Button(di::kTextButton, 300, 160, 75, 20, "Text"),
    CheckBox(di::kSquare, 10, 175, 150, 20, "Show Small Square On Icon"),
    Picture(di::kReadSwatch, 267, 135, 10, 20, kReadSwatchImage),
    Picture(di::kWriteSwatch, 377, 135, 10, 20, kWriteSwatchImage),
    Picture(di::kBackSwatch, 267, 160, 10, 20, kBackSwatchImage),
    Picture(di::kTextSwatch, 377, 160, 10, 20, kTextSwatchImage),
    Button(di::kUndoRead, 278, 135, 14, 20, "U", kUiFont, "Undo color change for Read Activity"),
    Button(di::kUndoBack, 278, 160, 14, 20, "U", kUiFont, "Undo color change for Background"),
    Button(di::kUndoWrite, 387, 135, 14, 20, "U", kUiFont, "Undo color change for Write Activity"),
    Button(di::kUndoText, 387, 160, 14, 20, "U", kUiFont,
           "Undo color change for Text, Lines and Box graphics"),
    CheckBox(di::kLines, 10, 195, 150, 20, "Show Icon Separator Lines"),
};

constexpr std::array<ControlDef, kDriveBoxes + kOtherControls> kControls = [] {
  std::array<ControlDef, kDriveBoxes + kOtherControls> all{};
  for (int slot = 1; slot <= kDriveBoxes; ++slot)
    all[static_cast<std::size_t>(slot - 1)] = DriveBox(slot);
  for (std::size_t i = 0; i < kOthers.size(); ++i) all[kDriveBoxes + i] = kOthers[i];
  return all;
}();

constexpr std::array<ListColumn, 2> kListColumns = {{{"ID", 25}, {"Type", 90}}};

struct DrivesAndIcons {
  App& app;
  Toolkit& toolkit;
  ColorRows colors{app};
  int saveRequested = 0;

  AppSettings& Settings() { return app.settings; }
  // Re-rendered and laid out at once; the rebuild activates the LED window, so this one takes
  // the focus back.
  void Refresh(bool render, bool pause = false) {
    if (render) RenderDriveIcons(app);
    RebuildLedWindow(app);
    if (pause) app.system.Sleep(1);
    toolkit.ActivateWindow(kDrivesAndIconsWindow);
  }
};

void TakeDriveBoxes(DrivesAndIcons& w) {
  std::string mask(kDriveCount, '0');
  for (int slot = 1; slot <= kDriveCount; ++slot)
    if (w.toolkit.IsControlChecked(di::kFirstDriveBox + slot - 1))
      mask[static_cast<std::size_t>(slot - 1)] = '1';
  w.Settings().drives = mask;
}

void EnableDriveBoxes(DrivesAndIcons& w, bool enabled) {
  for (int slot = 1; slot <= kDriveCount; ++slot)
    w.toolkit.EnableControl(di::kFirstDriveBox + slot - 1, enabled);
}

void ShowSizeTrackbar(DrivesAndIcons& w, bool shown) {
  w.toolkit.ShowControl(di::kSizeTrackbar, shown);
  w.toolkit.ShowControl(di::kSizeValue, shown);
}

// --- Handlers ----------------------------------------------------------------------------

void OnDriveBox(DrivesAndIcons& w) {
  TakeDriveBoxes(w);
  w.Refresh(false);  // an empty selection is refused by the rebuild
}

void OnSave(DrivesAndIcons& w) {
  TakeDriveBoxes(w);
  w.saveRequested = 1;
}

void OnAutoHide(DrivesAndIcons& w) {
  const bool on = w.toolkit.IsControlChecked(di::kAutoHide);
  w.Settings().autoHideDisconnected = on ? 1 : 0;
  EnableDriveBoxes(w, !on);
  w.Refresh(false);
}

void OnLines(DrivesAndIcons& w) {
  w.Settings().showIconLines = w.toolkit.IsControlChecked(di::kLines) ? 1 : 0;
  w.Refresh(true);
}

void OnSquare(DrivesAndIcons& w) {
  w.Settings().showSmallSquare = w.toolkit.IsControlChecked(di::kSquare) ? 1 : 0;
  w.Refresh(true);
}

void SetIconSize(DrivesAndIcons& w, int size) {
  w.Settings().iconSize = size;
  ShowSizeTrackbar(w, false);
  w.Refresh(true);
}

void OnSmallSize(DrivesAndIcons& w) {
  SetIconSize(w, 1);
}

void OnMediumSize(DrivesAndIcons& w) {
  SetIconSize(w, 2);
}

void OnLargeSize(DrivesAndIcons& w) {
  SetIconSize(w, 3);
}

void OnCustomSize(DrivesAndIcons& w) {
  // Only the thumb's movement changes the icons.
  ShowSizeTrackbar(w, true);
  w.Settings().iconSize = 4;
}

void OnSizeTrackbar(DrivesAndIcons& w) {
  w.toolkit.SetControlText(di::kSizeValue,
                           std::to_string(w.toolkit.TrackbarPos(di::kSizeTrackbar)));
  // Read back from the label, as shown.
  const std::string shown = w.toolkit.ControlText(di::kSizeValue);
  const int size = ini::ParsePlainInteger(shown);
  w.Settings().customIconSize = size;
  w.Settings().iconPixels = size;
  w.Refresh(true, true);
}

void OnDetectionOff(DrivesAndIcons& w) {
  w.Settings().turnOffDetectInterval = w.toolkit.IsControlChecked(di::kDetectionOff) ? 1 : 0;
  w.Refresh(true, true);
}

// A colour picked is shown at once; a cancelled dialog changes nothing.
void PickColor(DrivesAndIcons& w, ColorRows::Row row) {
  if (!w.colors.Pick(row)) return;
  RenderDriveIcons(w.app);
  RebuildLedWindow(w.app);
}

void OnReadButton(DrivesAndIcons& w) {
  PickColor(w, ColorRows::kRead);
}

void OnWriteButton(DrivesAndIcons& w) {
  PickColor(w, ColorRows::kWrite);
}

void OnBackButton(DrivesAndIcons& w) {
  PickColor(w, ColorRows::kBack);
}

void OnTextButton(DrivesAndIcons& w) {
  PickColor(w, ColorRows::kText);
}

void OnUndoRead(DrivesAndIcons& w) {
  // The LED window shows the restored read colour with its next render.
  w.colors.Undo(ColorRows::kRead);
}

void OnUndoWrite(DrivesAndIcons& w) {
  w.colors.Undo(ColorRows::kWrite);
  w.Refresh(true);
}

void OnUndoBack(DrivesAndIcons& w) {
  w.colors.Undo(ColorRows::kBack);
  w.Refresh(true);
}

void OnUndoText(DrivesAndIcons& w) {
  w.colors.Undo(ColorRows::kText);
  w.Refresh(true);
}

constexpr std::array<Handler<DrivesAndIcons>, 19> kHandlers = {{
    {di::kSaveButton, &OnSave},
    {di::kAutoHide, &OnAutoHide},
    {di::kLines, &OnLines},
    {di::kSquare, &OnSquare},
    {di::kSmallSize, &OnSmallSize},
    {di::kMediumSize, &OnMediumSize},
    {di::kLargeSize, &OnLargeSize},
    {di::kCustomSize, &OnCustomSize},
    {di::kSizeTrackbar, &OnSizeTrackbar},
    {di::kDetectionOff, &OnDetectionOff},
    {di::kReadButton, &OnReadButton},
    {di::kWriteButton, &OnWriteButton},
    {di::kBackButton, &OnBackButton},
    {di::kTextButton, &OnTextButton},
    {di::kUndoRead, &OnUndoRead},
    {di::kUndoBack, &OnUndoBack},
    {di::kUndoWrite, &OnUndoWrite},
    {di::kUndoText, &OnUndoText},
    {di::kFirstDriveBox, &OnDriveBox},  // stands for every drive box
}};

void Handle(DrivesAndIcons& w, int control) {
  if (DriveBoxSlot(control) != 0) control = di::kFirstDriveBox;
  const Handler<DrivesAndIcons>* handler =
      FindHandler(std::span<const Handler<DrivesAndIcons>>(kHandlers), control);
  if (handler != nullptr) handler->handle(w);
}

// --- Building ------------------------------------------------------------------------------

void ShowSettings(DrivesAndIcons& w) {
  const AppSettings& s = w.Settings();
  Toolkit& tk = w.toolkit;
  switch (s.iconSize) {
    case 1:
      tk.SelectRadioButton(di::kSmallSize);
      break;
    case 2:
      tk.SelectRadioButton(di::kMediumSize);
      break;
    case 3:
      tk.SelectRadioButton(di::kLargeSize);
      break;
    case 4:
      tk.SelectRadioButton(di::kCustomSize);
      break;
    default:
      break;
  }
  if (s.iconSize == 4) {
    ShowSizeTrackbar(w, true);
    tk.SetControlText(di::kSizeValue, std::to_string(s.customIconSize));
    tk.SetTrackbarRange(di::kSizeTrackbar, 10, 1024);
    tk.SetTrackbarPos(di::kSizeTrackbar, s.customIconSize);
  } else {
    ShowSizeTrackbar(w, false);
  }
  tk.SetControlChecked(di::kLines, s.showIconLines == 1);
  tk.SetControlChecked(di::kSquare, s.showSmallSquare == 1);
  tk.SetControlChecked(di::kAutoHide, s.autoHideDisconnected == 1);
  if (s.autoHideDisconnected == 1) EnableDriveBoxes(w, false);
  tk.SetControlChecked(di::kDetectionOff, s.turnOffDetectInterval == 1);
}

void FillDriveList(DrivesAndIcons& w) {
  const App& app = w.app;
  Toolkit& tk = w.toolkit;
  std::array<ListColumn, kListColumns.size()> columns = kListColumns;
  for (ListColumn& column : columns) column.width = ScaleToDpi(column.width, tk.DisplayDpi());
  tk.SetListColumns(di::kDriveList, columns);
  tk.ClearListRows(di::kDriveList);
  for (const DriveListRow& row : DriveListRows(app.driveTypeList, app.floppyList, app.floppyCount,
                                               app.presenceMask, app.vistaOrSeven)) {
    const std::array<std::string_view, 2> cells = {row.id, row.type};
    // A row the list refuses is left out; the window works on without it.
    static_cast<void>(tk.AddListRow(di::kDriveList, cells, row.text, row.back));
  }
}

// False when the window or one of its controls could not be made (out of handles, say).
bool Build(DrivesAndIcons& w) {
  App& app = w.app;
  Toolkit& tk = w.toolkit;
  DiscoverDrives(app);
  if (!OpenConfigWindow(tk, kDrivesAndIconsWindow, "  Drives and Icons Configuration", 555, 240))
    return false;

  // A window without all of its controls (its Save button above all) could never be left.
  const std::span<const ControlDef> boxes(kControls.data(), kDriveBoxes);
  if (!CreateScaledControls(tk, kDrivesAndIconsWindow, boxes)) return false;
  for (int slot = 1; slot <= kDriveCount; ++slot) {
    const std::string& drives = app.settings.drives;
    const char c = static_cast<std::size_t>(slot) <= drives.size()
                       ? drives[static_cast<std::size_t>(slot - 1)]
                       : '0';
    tk.SetControlChecked(di::kFirstDriveBox + slot - 1, c >= '1' && c <= '9');
  }

  w.colors.CreateImages();
  if (!CreateScaledControls(tk, kDrivesAndIconsWindow, kOthers)) return false;
  w.colors.TakeSnapshot();
  ShowSettings(w);
  FillDriveList(w);
  return true;
}

}  // namespace

std::span<const ControlDef> DrivesAndIconsControls() {
  return kControls;
}

void RunDrivesAndIconsWindow(App& app) {
  DrivesAndIcons w{app, app.toolkit};
  // A window that could not open could never be saved: finish at once, writing nothing.
  const bool opened = Build(w);
  // Every event is marked for the rebuild's empty-selection guard before it is handled; close
  // requests are ignored: the only way out is "Save Changes".
  if (opened) {
    RunModalLoop(app, {.markConfigEvents = true}, [&w](const Event& event) {
      if (event.kind == EventKind::kControl) Handle(w, event.number);
      return w.saveRequested == 1;
    });
  }
  w.toolkit.DestroyWindow(kDrivesAndIconsWindow);
  w.colors.DestroyImages();
  RenderDriveIcons(app);
  RebuildLedWindow(app);
  if (opened) SaveSettings(app);
}

}  // namespace glint
