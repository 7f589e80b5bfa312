#include "support/fake/fake_toolkit.h"

#include <algorithm>
#include <climits>
#include <stdexcept>

#include "support/fake/fake_glyphs.h"

namespace glint {

namespace {

std::string Num(int n) {
  return std::to_string(n);
}

// A rectangle from a corner and a size, its far edges held within an int: a hand-edited file
// may put a window anywhere an int reaches.
Rect Span(int x, int y, int width, int height) {
  const auto far = [](int start, int size) {
    const long long end = static_cast<long long>(start) + size;
    return static_cast<int>(std::clamp<long long>(end, INT_MIN, INT_MAX));
  };
  return {x, y, far(x, width), far(y, height)};
}

std::string ZName(ZOrder z) {
  switch (z) {
    case ZOrder::kNone:
      return "none";
    case ZOrder::kTop:
      return "top";
    case ZOrder::kTopmost:
      return "topmost";
    case ZOrder::kNoTopmost:
      return "notopmost";
  }
  return "?";
}

}  // namespace

void FakeToolkit::PostTimer(int window, int timer) {
  Post(Event::Raw(msg::kTimer), [this, window, timer] { FireTimer(window, timer); });
}

void FakeToolkit::PostIconDoubleClick(int control) {
  Post(Event::Raw(msg::kLButtonDblClk, control),
       [this, control] { queued.push_back(Event::Control(control, kControlDoubleClick)); });
}

void FakeToolkit::PostIconRightClick(int control) {
  Post(Event::Raw(msg::kRButtonDown, control));
  Post(Event::Raw(msg::kRButtonUp, control),
       [this, control] { queued.push_back(Event::Control(control, kControlRightClick)); });
}

void FakeToolkit::PostClick(int control) {
  Post(Event::Raw(msg::kLButtonDown, control));
  messages.push_back({{}, {}, [this, control] {
                        Control* c = FindControl(control);
                        if (c == nullptr || !c->enabled)
                          return Event::Raw(msg::kLButtonUp, control);
                        if (c->kind == ControlKind::kCheckBox) c->checked = !c->checked;
                        if (c->kind == ControlKind::kRadioButton) SelectRadioButton(control);
                        return Event::Control(control);
                      }});
}

void FakeToolkit::PostScroll(int control, int position) {
  messages.push_back({{}, {}, [this, control, position] {
                        Control* c = FindControl(control);
                        if (c == nullptr || !c->enabled)
                          return Event::Raw(msg::kLButtonUp, control);
                        c->position = std::clamp(position, c->rangeMin, c->rangeMax);
                        return Event::Control(control, kControlScrolled);
                      }});
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
  DestroyWindow(window);
  Window w;
  w.title = std::string(title);
  w.rect = Span(x, y, clientWidth, clientHeight);
  w.client = {0, 0, clientWidth, clientHeight};
  windows[window] = w;
  return true;
}

bool FakeToolkit::CreateCaptionWindow(int window, std::string_view title, int clientWidth,
                                      int clientHeight, int ownerWindow) {
  journal_.Add("CreateCaptionWindow " + Num(window));
  if (clientWidth < 0 || clientHeight < 0 || failWindows.count(window) != 0) return false;
  DestroyWindow(window);
  // A small caption and a thin frame around the client area, centred on the screen.
  constexpr int kFrame = 3, kCaption = 17;
  const int width = clientWidth + 2 * kFrame, height = clientHeight + 2 * kFrame + kCaption;
  const int x = screen.left + (screen.Width() - width) / 2;
  const int y = screen.top + (screen.Height() - height) / 2;
  Window w;
  w.title = std::string(title);
  w.rect = Span(x, y, width, height);
  w.client = {0, 0, clientWidth, clientHeight};
  w.captioned = true;
  w.owner = ownerWindow;
  windows[window] = w;
  return true;
}

void FakeToolkit::DestroyWindow(int window) {
  if (!WindowExists(window)) return;
  journal_.Add("DestroyWindow " + Num(window));
  windows.erase(window);
  for (auto it = controls.begin(); it != controls.end();)
    it = it->second.window == window ? controls.erase(it) : std::next(it);
  for (auto it = timers.begin(); it != timers.end();)
    it = it->first.first == window ? timers.erase(it) : std::next(it);
  for (auto it = trays.begin(); it != trays.end();)
    it = it->second.owner == window ? trays.erase(it) : std::next(it);
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
  journal_.Add("SetWindowPos " + Num(window) + " " + ZName(z) + " " + Num(x) + " " + Num(y) + " " +
               Num(width) + " " + Num(height) + " " + Num(static_cast<int>(flags)));
  auto it = windows.find(window);
  if (it == windows.end() || failWindows.count(window) != 0) return false;
  Window& w = it->second;
  if (!(flags & swp::kNoMove)) {
    const int wd = w.rect.Width(), ht = w.rect.Height();
    w.rect = Span(x, y, wd, ht);
  }
  if (!(flags & swp::kNoSize)) {
    // The popup has no frame; a captioned window keeps its frame around the new client size.
    const int frameX = w.rect.Width() - w.client.Width();
    const int frameY = w.rect.Height() - w.client.Height();
    w.rect = Span(w.rect.left, w.rect.top, width, height);
    w.client = {0, 0, std::max(width - frameX, 0), std::max(height - frameY, 0)};
  }
  if (!(flags & swp::kNoZOrder)) {
    if (z == ZOrder::kTopmost) w.topmost = true;
    if (z == ZOrder::kNoTopmost) w.topmost = false;
  }
  if (flags & swp::kShowWindow) w.visible = true;
  return true;
}

void FakeToolkit::ShowWindow(int window, ShowMode mode) {
  journal_.Add("ShowWindow " + Num(window) + (mode == ShowMode::kHide ? " hide" : " show"));
  auto it = windows.find(window);
  if (it != windows.end()) it->second.visible = mode == ShowMode::kShowNormal;
}

void FakeToolkit::SetToolWindowStyle(int window) {
  journal_.Add("SetToolWindowStyle " + Num(window));
  auto it = windows.find(window);
  if (it == windows.end()) return;
  it->second.toolWindow = true;
  it->second.alpha = 255;
}

void FakeToolkit::AddToolWindowStyle(int window) {
  journal_.Add("AddToolWindowStyle " + Num(window));
  auto it = windows.find(window);
  if (it != windows.end()) it->second.toolWindow = true;
}

bool FakeToolkit::SetWindowAlpha(int window, int alpha) {
  journal_.Add("SetWindowAlpha " + Num(window) + " " + Num(alpha));
  auto it = windows.find(window);
  if (it == windows.end()) return false;
  it->second.alpha = alpha;
  it->second.toolWindow = true;
  return true;
}

void FakeToolkit::SetForegroundWindow(int window) {
  journal_.Add("SetForegroundWindow " + Num(window));
}

void FakeToolkit::ActivateWindow(int window) {
  journal_.Add("ActivateWindow " + Num(window));
}

bool FakeToolkit::WorkAreaNearWindow(int window, Rect& area) const {
  if (!WindowExists(window) || workArea.Width() <= 0) return false;
  area = workArea;
  return true;
}

void FakeToolkit::MoveWindowWithMouse(int window) {
  journal_.Add("MoveWindowWithMouse " + Num(window));
  auto it = windows.find(window);
  if (it == windows.end()) return;
  if (onMoveLoop) onMoveLoop(*this);
  if (drags.empty()) return;
  const Point to = drags.front();
  drags.pop_front();
  Window& w = windows.at(window);
  w.rect = Span(to.x, to.y, w.rect.Width(), w.rect.Height());
}

// --- Controls ---------------------------------------------------------------------------------

FakeToolkit::Control* FakeToolkit::FindControl(int control) {
  auto it = controls.find(control);
  return it == controls.end() ? nullptr : &it->second;
}

std::vector<int> FakeToolkit::ControlsOf(int window) const {
  std::vector<std::pair<int, int>> ordered;
  for (const auto& [number, c] : controls)
    if (c.window == window) ordered.push_back({c.order, number});
  std::sort(ordered.begin(), ordered.end());
  std::vector<int> out;
  for (const auto& entry : ordered) out.push_back(entry.second);
  return out;
}

bool FakeToolkit::CreateControl(int window, const ControlDef& def) {
  if (!WindowExists(window) || def.width < 0 || def.height < 0 ||
      failControls.count(def.number) != 0)
    return false;
  Control c;
  c.window = window;
  c.kind = def.kind;
  c.order = nextOrder_++;
  c.rect = Span(def.x, def.y, def.width, def.height);
  c.text = std::string(def.caption);
  c.tooltip = std::string(def.tooltip);
  c.groupStart = def.groupStart;
  c.rangeMin = def.rangeMin;
  c.rangeMax = def.rangeMax;
  c.position = def.rangeMin;
  c.image = def.kind == ControlKind::kImage ? def.image : 0;
  if (def.font != 0 && FontExists(def.font)) c.font = def.font;
  controls[def.number] = c;
  return true;
}

void FakeToolkit::DestroyControl(int control) {
  controls.erase(control);
}

bool FakeToolkit::ControlExists(int control) const {
  return controls.count(control) != 0;
}

void FakeToolkit::MoveControl(int control, int x, int y, int width, int height) {
  journal_.Add("MoveControl " + Num(control));
  if (Control* c = FindControl(control)) c->rect = Span(x, y, width, height);
}

void FakeToolkit::ShowControl(int control, bool visible) {
  if (Control* c = FindControl(control)) c->visible = visible;
}

void FakeToolkit::EnableControl(int control, bool enabled) {
  if (Control* c = FindControl(control)) c->enabled = enabled;
}

void FakeToolkit::SetControlText(int control, std::string_view text) {
  Control* c = FindControl(control);
  // As on Windows, the text of an image control is not its caption.
  if (c != nullptr && c->kind != ControlKind::kImage) c->text = std::string(text);
}

std::string FakeToolkit::ControlText(int control) const {
  auto it = controls.find(control);
  return it == controls.end() ? std::string() : it->second.text;
}

void FakeToolkit::SetControlFont(int control, int font) {
  Control* c = FindControl(control);
  if (c != nullptr && FontExists(font)) c->font = font;
}

void FakeToolkit::SetControlTooltip(int control, std::string_view text) {
  if (Control* c = FindControl(control)) c->tooltip = std::string(text);
}

void FakeToolkit::SetControlImage(int control, int image) {
  Control* c = FindControl(control);
  if (c != nullptr && c->kind == ControlKind::kImage) c->image = image;
}

void FakeToolkit::SetControlChecked(int control, bool checked) {
  Control* c = FindControl(control);
  if (c != nullptr && (c->kind == ControlKind::kCheckBox || c->kind == ControlKind::kRadioButton))
    c->checked = checked;
}

bool FakeToolkit::IsControlChecked(int control) const {
  auto it = controls.find(control);
  return it != controls.end() && it->second.checked;
}

void FakeToolkit::SelectRadioButton(int control) {
  const Control* target = FindControl(control);
  if (target == nullptr || target->kind != ControlKind::kRadioButton) return;
  // The group: the radio buttons from the last group start up to the next one, in order.
  const std::vector<int> order = ControlsOf(target->window);
  std::vector<int> group;
  bool inGroup = false;
  for (int number : order) {
    const Control& c = controls.at(number);
    if (c.kind != ControlKind::kRadioButton || c.groupStart) {
      if (inGroup) break;
      group.clear();
    }
    if (c.kind == ControlKind::kRadioButton) group.push_back(number);
    if (number == control) inGroup = true;
  }
  for (int number : group) controls.at(number).checked = number == control;
}

void FakeToolkit::SetTrackbarRange(int control, int minimum, int maximum) {
  Control* c = FindControl(control);
  if (c == nullptr || c->kind != ControlKind::kTrackbar) return;
  c->rangeMin = minimum;
  c->rangeMax = std::max(minimum, maximum);
  c->position = std::clamp(c->position, c->rangeMin, c->rangeMax);
}

void FakeToolkit::SetTrackbarPos(int control, int position) {
  Control* c = FindControl(control);
  if (c != nullptr && c->kind == ControlKind::kTrackbar)
    c->position = std::clamp(position, c->rangeMin, c->rangeMax);
}

int FakeToolkit::TrackbarPos(int control) const {
  auto it = controls.find(control);
  return it == controls.end() ? 0 : it->second.position;
}

void FakeToolkit::SetListColumns(int control, std::span<const ListColumn> columns) {
  Control* c = FindControl(control);
  if (c == nullptr || c->kind != ControlKind::kListView) return;
  c->columns.clear();
  for (const ListColumn& column : columns)
    c->columns.push_back(std::string(column.title) + " " + Num(column.width));
}

void FakeToolkit::ClearListRows(int control) {
  Control* c = FindControl(control);
  if (c != nullptr && c->kind == ControlKind::kListView) c->rows.clear();
}

int FakeToolkit::AddListRow(int control, std::span<const std::string_view> cells, Color text,
                            Color back) {
  Control* c = FindControl(control);
  if (c == nullptr || c->kind != ControlKind::kListView) return -1;
  ListRow row;
  for (std::string_view cell : cells) row.cells.emplace_back(cell);
  row.text = text;
  row.back = back;
  c->rows.push_back(std::move(row));
  return static_cast<int>(c->rows.size()) - 1;
}

// --- Images and fonts -------------------------------------------------------------------------

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

bool FakeToolkit::LoadEmbeddedIcon(int image, int resource, int edge) {
  if (!CreateImage(image, edge, edge)) return false;
  embeddedIcons[image] = resource;
  return true;
}

void FakeToolkit::ImageChanged(int image) {
  (void)image;
}

bool FakeToolkit::CreateNumberedFont(int font, std::string_view face, int points, int weight,
                                     int pixelsPerInch) {
  journal_.Add("CreateNumberedFont " + Num(font));
  fonts[font] = {std::string(face), points, weight, pixelsPerInch};
  return true;
}

bool FakeToolkit::FontExists(int font) const {
  return fonts.count(font) != 0;
}

int FakeToolkit::FontPoints(int font) const {
  auto it = fonts.find(font);
  return it == fonts.end() ? 8 : it->second.points * it->second.pixelsPerInch / kBaseDpi;
}

void FakeToolkit::DrawString(int image, int font, int x, int y, std::string_view text,
                             Color color) {
  drawnStrings.push_back(Num(image) + " " + Num(font) + " " + Num(x) + " " + Num(y) + " " +
                         std::string(text));
  PaintGlyphs(Image(image), FontPoints(font), x, y, text, color);
}

int FakeToolkit::TextWidth(int font, std::string_view text) {
  return GlyphTextWidth(FontPoints(font), text);
}

// --- Menu, tray, timers and events ------------------------------------------------------------

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

bool FakeToolkit::AddTrayIcon(int icon, int ownerWindow, int image, unsigned callbackMessage) {
  journal_.Add("AddTrayIcon " + Num(icon));
  if (!WindowExists(ownerWindow) || images.count(image) == 0) return false;
  trays[icon] = {ownerWindow, image, callbackMessage, "", !shellRefusesTrayIcons};
  return !shellRefusesTrayIcons;
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
  return m.caused ? m.caused() : m.event;
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
  if (onMessageBox) onMessageBox(*this);
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

bool FakeToolkit::ChooseColor(int ownerWindow, Color initial, Color& chosen) {
  journal_.Add("ChooseColor " + Num(ownerWindow));
  colorDialogInitials.push_back(initial);
  if (colorAnswers.empty())
    throw std::logic_error("FakeToolkit: colour dialog without a scripted answer");
  const std::optional<Color> answer = colorAnswers.front();
  colorAnswers.pop_front();
  if (!answer) return false;
  chosen = *answer;
  return true;
}

}  // namespace glint
