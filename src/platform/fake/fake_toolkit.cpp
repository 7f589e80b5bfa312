#include "platform/fake/fake_toolkit.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <limits>
#include <stdexcept>

namespace glint {

namespace {
std::string Num(int n) {
  return std::to_string(n);
}

// The glyph renderer: a 5 x 7 bitmap font, each glyph bit a square of `scale` pixels, where
// scale = max(1, em height / 9) and the em height is the font's points at 96 pixels per inch.
// A glyph sits one unit below the cell top and advances 6 units; its pixels take the colour
// fully, the rest of the image is left alone (a transparent background).
constexpr int kGlyphColumns = 5;
constexpr int kGlyphRows = 7;
constexpr int kGlyphAdvance = 6;
using GlyphRows = std::array<std::uint8_t, kGlyphRows>;

struct Glyph {
  char c;
  GlyphRows rows;
};

constexpr Glyph kGlyphs[] = {
    {'A', {0x0E, 0x11, 0x11, 0x1F, 0x11, 0x11, 0x11}},
    {'B', {0x1E, 0x11, 0x11, 0x1E, 0x11, 0x11, 0x1E}},
    {'C', {0x0E, 0x11, 0x10, 0x10, 0x10, 0x11, 0x0E}},
    {'D', {0x1E, 0x11, 0x11, 0x11, 0x11, 0x11, 0x1E}},
    {'E', {0x1F, 0x10, 0x10, 0x1E, 0x10, 0x10, 0x1F}},
    {'F', {0x1F, 0x10, 0x10, 0x1E, 0x10, 0x10, 0x10}},
    {'G', {0x0E, 0x11, 0x10, 0x17, 0x11, 0x11, 0x0F}},
    {'H', {0x11, 0x11, 0x11, 0x1F, 0x11, 0x11, 0x11}},
    {'I', {0x0E, 0x04, 0x04, 0x04, 0x04, 0x04, 0x0E}},
    {'J', {0x07, 0x02, 0x02, 0x02, 0x02, 0x12, 0x0C}},
    {'K', {0x11, 0x12, 0x14, 0x18, 0x14, 0x12, 0x11}},
    {'L', {0x10, 0x10, 0x10, 0x10, 0x10, 0x10, 0x1F}},
    {'M', {0x11, 0x1B, 0x15, 0x15, 0x11, 0x11, 0x11}},
    {'N', {0x11, 0x11, 0x19, 0x15, 0x13, 0x11, 0x11}},
    {'O', {0x0E, 0x11, 0x11, 0x11, 0x11, 0x11, 0x0E}},
    {'P', {0x1E, 0x11, 0x11, 0x1E, 0x10, 0x10, 0x10}},
    {'Q', {0x0E, 0x11, 0x11, 0x11, 0x15, 0x12, 0x0D}},
    {'R', {0x1E, 0x11, 0x11, 0x1E, 0x14, 0x12, 0x11}},
    {'S', {0x0F, 0x10, 0x10, 0x0E, 0x01, 0x01, 0x1E}},
    {'T', {0x1F, 0x04, 0x04, 0x04, 0x04, 0x04, 0x04}},
    {'U', {0x11, 0x11, 0x11, 0x11, 0x11, 0x11, 0x0E}},
    {'V', {0x11, 0x11, 0x11, 0x11, 0x11, 0x0A, 0x04}},
    {'W', {0x11, 0x11, 0x11, 0x15, 0x15, 0x15, 0x0A}},
    {'X', {0x11, 0x11, 0x0A, 0x04, 0x0A, 0x11, 0x11}},
    {'Y', {0x11, 0x11, 0x0A, 0x04, 0x04, 0x04, 0x04}},
    {'Z', {0x1F, 0x01, 0x02, 0x04, 0x08, 0x10, 0x1F}},
    {'0', {0x0E, 0x11, 0x13, 0x15, 0x19, 0x11, 0x0E}},
    {'1', {0x04, 0x0C, 0x04, 0x04, 0x04, 0x04, 0x0E}},
    {'2', {0x0E, 0x11, 0x01, 0x02, 0x04, 0x08, 0x1F}},
    {'3', {0x1F, 0x02, 0x04, 0x02, 0x01, 0x11, 0x0E}},
    {'4', {0x02, 0x06, 0x0A, 0x12, 0x1F, 0x02, 0x02}},
    {'5', {0x1F, 0x10, 0x1E, 0x01, 0x01, 0x11, 0x0E}},
    {'6', {0x06, 0x08, 0x10, 0x1E, 0x11, 0x11, 0x0E}},
    {'7', {0x1F, 0x01, 0x02, 0x04, 0x08, 0x08, 0x08}},
    {'8', {0x0E, 0x11, 0x11, 0x0E, 0x11, 0x11, 0x0E}},
    {'9', {0x0E, 0x11, 0x11, 0x0F, 0x01, 0x02, 0x0C}},
    {' ', {0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00}},
    {'-', {0x00, 0x00, 0x00, 0x1F, 0x00, 0x00, 0x00}},
    {'|', {0x04, 0x04, 0x04, 0x04, 0x04, 0x04, 0x04}},
    {':', {0x00, 0x0C, 0x0C, 0x00, 0x0C, 0x0C, 0x00}},
    {'.', {0x00, 0x00, 0x00, 0x00, 0x00, 0x0C, 0x0C}},
    {'/', {0x00, 0x01, 0x02, 0x04, 0x08, 0x10, 0x00}},
    {'\\', {0x00, 0x10, 0x08, 0x04, 0x02, 0x01, 0x00}},
    {'(', {0x02, 0x04, 0x08, 0x08, 0x08, 0x04, 0x02}},
    {')', {0x08, 0x04, 0x02, 0x02, 0x02, 0x04, 0x08}},
    {'%', {0x18, 0x19, 0x02, 0x04, 0x08, 0x13, 0x03}},
};
// Characters without a glyph show a hollow box.
constexpr GlyphRows kMissingGlyph = {0x1F, 0x11, 0x11, 0x11, 0x11, 0x11, 0x1F};

const GlyphRows& GlyphFor(char c) {
  if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  for (const Glyph& glyph : kGlyphs)
    if (glyph.c == c) return glyph.rows;
  return kMissingGlyph;
}

std::int64_t GlyphScale(const std::map<int, FakeToolkit::Font>& fonts, int font) {
  auto it = fonts.find(font);
  const std::int64_t points = it == fonts.end() ? 8 : std::max(it->second.points, 0);
  const std::int64_t em = (points * 96 + 36) / 72;  // MulDiv(points, 96, 72)
  return std::max<std::int64_t>(em / 9, 1);
}

}  // namespace

void FakeToolkit::PostTimer(int window, int timer) {
  Post(Event::Raw(msg::kTimer), [this, window, timer] { FireTimer(window, timer); });
}

void FakeToolkit::PostIconDoubleClick(int control) {
  Post(Event::Raw(msg::kLButtonDblClk),
       [this, control] { queued.push_back(Event::Control(control, kControlDoubleClick)); });
}

void FakeToolkit::PostIconRightClick(int control) {
  Post(Event::Raw(msg::kRButtonDown));
  Post(Event::Raw(msg::kRButtonUp),
       [this, control] { queued.push_back(Event::Control(control, kControlRightClick)); });
}

bool FakeToolkit::FireTimer(int window, int timer) {
  auto it = timers.find({window, timer});
  if (it == timers.end()) return false;
  // Copy: the callback may replace or kill its own timer.
  TimerCallback callback = it->second.callback;
  if (callback) callback();
  return true;
}

const FakeToolkit::MenuItem* FakeToolkit::FindMenuItem(int menu, int item) const {
  auto it = menus.find(menu);
  if (it == menus.end()) return nullptr;
  for (const auto& entry : it->second)
    if (!entry.separator && entry.item == item) return &entry;
  return nullptr;
}

FakeToolkit::MenuItem* FakeToolkit::FindItem(int menu, int item) {
  return const_cast<MenuItem*>(FindMenuItem(menu, item));
}

void FakeToolkit::Initialize() {
  journal_.Add("ToolkitInitialize");
  initialized = true;
}

void FakeToolkit::ReleaseAll() {
  journal_.Add("ReleaseAll");
  trays.clear();
  menus.clear();
  controls.clear();
  windows.clear();
  images.clear();
  fonts.clear();
  timers.clear();
}

bool FakeToolkit::CreatePopupWindow(int window, std::string_view title, int x, int y,
                                    int clientWidth, int clientHeight) {
  journal_.Add("CreatePopupWindow " + Num(window));
  Window w;
  w.title = std::string(title);
  w.rect = {x, y, x + clientWidth, y + clientHeight};
  windows[window] = w;
  return true;
}

void FakeToolkit::DestroyWindow(int window) {
  journal_.Add("DestroyWindow " + Num(window));
  windows.erase(window);
  for (auto it = controls.begin(); it != controls.end();)
    it = it->second.window == window ? controls.erase(it) : std::next(it);
  for (auto it = timers.begin(); it != timers.end();)
    it = it->first.first == window ? timers.erase(it) : std::next(it);
}

bool FakeToolkit::WindowExists(int window) const {
  return windows.count(window) != 0;
}

bool FakeToolkit::IsWindowVisible(int window) const {
  auto it = windows.find(window);
  return it != windows.end() && it->second.visible;
}

bool FakeToolkit::WindowRect(int window, Rect& outer) const {
  auto it = windows.find(window);
  if (it == windows.end()) return false;
  outer = it->second.rect;
  return true;
}

bool FakeToolkit::SetWindowPos(int window, ZOrder z, int x, int y, int width, int height,
                               unsigned flags) {
  auto it = windows.find(window);
  if (it == windows.end()) return false;
  Window& w = it->second;
  if (!(flags & swp::kNoMove)) {
    int wd = w.rect.Width(), ht = w.rect.Height();
    w.rect = {x, y, x + wd, y + ht};
  }
  if (!(flags & swp::kNoSize))
    w.rect = {w.rect.left, w.rect.top, w.rect.left + width, w.rect.top + height};
  if (z == ZOrder::kTopmost) w.topmost = true;
  if (z == ZOrder::kNoTopmost) w.topmost = false;
  if (flags & swp::kShowWindow) w.visible = true;
  return true;
}

void FakeToolkit::ShowWindow(int window, ShowMode mode) {
  auto it = windows.find(window);
  if (it != windows.end()) it->second.visible = mode == ShowMode::kShowNormal;
}

void FakeToolkit::SetToolWindowStyle(int window) {
  auto it = windows.find(window);
  if (it == windows.end()) return;
  it->second.toolWindow = true;
  it->second.alpha = 255;
}

bool FakeToolkit::SetWindowAlpha(int window, int alpha) {
  auto it = windows.find(window);
  if (it == windows.end()) return false;
  it->second.alpha = alpha;
  return true;
}

void FakeToolkit::SetForegroundWindow(int window) {
  journal_.Add("SetForegroundWindow " + Num(window));
}

bool FakeToolkit::WorkAreaNearWindow(int window, Rect& area) const {
  if (!WindowExists(window)) return false;
  area = workArea;
  return true;
}

bool FakeToolkit::CreateImageControl(int window, int control, int x, int y, int width, int height,
                                     int image) {
  if (!WindowExists(window)) return false;
  Control c;
  c.window = window;
  c.kind = "image";
  c.rect = {x, y, x + width, y + height};
  c.image = image;
  controls[control] = c;
  return true;
}

bool FakeToolkit::CreateButton(int window, int control, int x, int y, int width, int height,
                               std::string_view caption) {
  if (!WindowExists(window)) return false;
  Control c;
  c.window = window;
  c.kind = "button";
  c.rect = {x, y, x + width, y + height};
  c.text = std::string(caption);
  controls[control] = c;
  return true;
}

void FakeToolkit::DestroyControl(int control) {
  controls.erase(control);
}

bool FakeToolkit::ControlExists(int control) const {
  return controls.count(control) != 0;
}

void FakeToolkit::MoveControl(int control, int x, int y, int width, int height) {
  auto it = controls.find(control);
  if (it != controls.end()) it->second.rect = {x, y, x + width, y + height};
}

void FakeToolkit::ShowControl(int control, bool visible) {
  auto it = controls.find(control);
  if (it != controls.end()) it->second.visible = visible;
}

void FakeToolkit::SetControlText(int control, std::string_view text) {
  auto it = controls.find(control);
  if (it != controls.end()) it->second.text = std::string(text);
}

void FakeToolkit::SetControlFont(int control, int font) {
  auto it = controls.find(control);
  if (it != controls.end()) it->second.font = font;
}

void FakeToolkit::SetControlTooltip(int control, std::string_view text) {
  auto it = controls.find(control);
  if (it != controls.end()) it->second.tooltip = std::string(text);
}

void FakeToolkit::SetControlImage(int control, int image) {
  auto it = controls.find(control);
  if (it != controls.end()) it->second.image = image;
}

void FakeToolkit::SetControlChecked(int control, bool checked) {
  auto it = controls.find(control);
  if (it != controls.end()) it->second.checked = checked;
}

bool FakeToolkit::CreateImage(int image, int width, int height) {
  if (width <= 0 || height <= 0) return false;
  Bitmap b;
  b.width = width;
  b.height = height;
  b.stride = ImageView::StrideFor(width);
  b.bits.assign(static_cast<std::size_t>(b.stride) * static_cast<std::size_t>(height), 0);
  images[image] = std::move(b);
  return true;
}

void FakeToolkit::DestroyImage(int image) {
  images.erase(image);
}

ImageView FakeToolkit::Image(int image) {
  auto it = images.find(image);
  if (it == images.end()) return {};
  return {it->second.bits.data(), it->second.width, it->second.height, it->second.stride};
}

void FakeToolkit::ImageChanged(int image) {
  (void)image;
}

bool FakeToolkit::CreateNumberedFont(int font, std::string_view face, int points, int weight) {
  journal_.Add("CreateNumberedFont " + Num(font));
  fonts[font] = {std::string(face), points, weight};
  return true;
}

bool FakeToolkit::FontExists(int font) const {
  return fonts.count(font) != 0;
}

void FakeToolkit::DrawString(int image, int font, int x, int y, std::string_view text,
                             Color color) {
  drawnStrings.push_back(Num(image) + " " + Num(font) + " " + Num(x) + " " + Num(y) + " " +
                         std::string(text));
  const ImageView view = Image(image);
  if (!view) return;
  const std::int64_t scale = GlyphScale(fonts, font);
  // One prepared run of the colour, copied into each covered stretch of a glyph row.
  const int runPixels = static_cast<int>(std::min<std::int64_t>(scale, view.width));
  std::vector<std::uint8_t> run(static_cast<std::size_t>(runPixels) * 3);
  for (int i = 0; i < runPixels; ++i) {
    run[static_cast<std::size_t>(i) * 3] = static_cast<std::uint8_t>(ColorBlue(color));
    run[static_cast<std::size_t>(i) * 3 + 1] = static_cast<std::uint8_t>(ColorGreen(color));
    run[static_cast<std::size_t>(i) * 3 + 2] = static_cast<std::uint8_t>(ColorRed(color));
  }
  std::int64_t left = x;
  for (char c : text) {
    const GlyphRows& rows = GlyphFor(c);
    for (int gy = 0; gy < kGlyphRows; ++gy) {
      for (int gx = 0; gx < kGlyphColumns; ++gx) {
        if ((rows[static_cast<std::size_t>(gy)] & (0x10 >> gx)) == 0) continue;
        const std::int64_t x0 = std::max<std::int64_t>(left + gx * scale, 0);
        const std::int64_t x1 = std::min<std::int64_t>(left + (gx + 1) * scale, view.width);
        const std::int64_t y0 = std::max<std::int64_t>(y + (gy + 1) * scale, 0);
        const std::int64_t y1 = std::min<std::int64_t>(y + (gy + 2) * scale, view.height);
        if (x0 >= x1 || y0 >= y1) continue;
        for (std::int64_t py = y0; py < y1; ++py)
          std::memcpy(view.bits + py * view.stride + x0 * 3, run.data(),
                      static_cast<std::size_t>(x1 - x0) * 3);
      }
    }
    left += kGlyphAdvance * scale;
  }
}

int FakeToolkit::TextWidth(int font, std::string_view text) {
  const std::int64_t width =
      static_cast<std::int64_t>(text.size()) * kGlyphAdvance * GlyphScale(fonts, font);
  return static_cast<int>(std::min<std::int64_t>(width, std::numeric_limits<int>::max()));
}

bool FakeToolkit::CreatePopupMenu(int menu) {
  journal_.Add("CreatePopupMenu " + Num(menu));
  menus[menu].clear();
  return true;
}

void FakeToolkit::AppendMenuItem(int menu, int item, std::string_view text) {
  auto it = menus.find(menu);
  if (it != menus.end()) it->second.push_back({item, std::string(text), false, false});
}

void FakeToolkit::AppendMenuSeparator(int menu) {
  auto it = menus.find(menu);
  if (it != menus.end()) it->second.push_back({0, "", true, false});
}

void FakeToolkit::SetMenuItemChecked(int menu, int item, bool checked) {
  if (MenuItem* entry = FindItem(menu, item)) entry->checked = checked;
}

bool FakeToolkit::IsMenuItemChecked(int menu, int item) const {
  const MenuItem* entry = FindMenuItem(menu, item);
  return entry != nullptr && entry->checked;
}

void FakeToolkit::TrackPopupMenu(int menu, int ownerWindow, int x, int y) {
  journal_.Add("TrackPopupMenu " + Num(menu) + " " + Num(ownerWindow) + " " + Num(x) + " " +
               Num(y));
  ++menusTracked;
}

bool FakeToolkit::AddTrayIcon(int icon, int ownerWindow, int image) {
  journal_.Add("AddTrayIcon " + Num(icon));
  trays[icon] = {ownerWindow, image, ""};
  return true;
}

void FakeToolkit::SetTrayTooltip(int icon, std::string_view text) {
  auto it = trays.find(icon);
  if (it != trays.end()) it->second.tooltip = std::string(text.substr(0, 63));
}

void FakeToolkit::RemoveTrayIcon(int icon) {
  journal_.Add("RemoveTrayIcon " + Num(icon));
  trays.erase(icon);
}

bool FakeToolkit::SetTimer(int window, int timer, unsigned periodMs, TimerCallback callback) {
  journal_.Add("SetTimer " + Num(window) + " " + Num(timer) + " " + std::to_string(periodMs));
  if (!WindowExists(window)) return false;
  timers[{window, timer}] = {periodMs, std::move(callback)};
  return true;
}

void FakeToolkit::KillTimer(int window, int timer) {
  journal_.Add("KillTimer " + Num(window) + " " + Num(timer));
  timers.erase({window, timer});
}

Event FakeToolkit::Deliver() {
  Message m = std::move(messages.front());
  messages.pop_front();
  if (m.onDispatch) m.onDispatch();
  return m.event;
}

Event FakeToolkit::WaitEvent() {
  if (!queued.empty()) {
    Event e = queued.front();
    queued.pop_front();
    return e;
  }
  if (messages.empty() && onEmpty) onEmpty(*this);
  if (messages.empty()) throw std::logic_error("FakeToolkit: WaitEvent with an empty event script");
  return Deliver();
}

bool FakeToolkit::PollEvent(Event& event) {
  if (!queued.empty()) {
    event = queued.front();
    queued.pop_front();
    return true;
  }
  if (messages.empty()) return false;
  event = Deliver();
  return true;
}

int FakeToolkit::ShowMessageBox(std::string_view caption, std::string_view text, unsigned flags) {
  journal_.Add("MessageBox " + std::string(caption) + "|" + std::string(text));
  messageBoxes.push_back({std::string(caption), std::string(text), flags});
  if ((flags & 0xF) == mb::kYesNo) {
    if (messageBoxAnswers.empty())
      throw std::logic_error("FakeToolkit: yes/no box without a scripted answer: " +
                             std::string(text));
    int answer = messageBoxAnswers.front();
    messageBoxAnswers.pop_front();
    return answer;
  }
  return mb::kIdOk;
}

}  // namespace glint
