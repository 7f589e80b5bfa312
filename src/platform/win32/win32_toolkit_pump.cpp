// The event pump: timers, the event queue and one step of the message loop.
#include "platform/win32/win32_toolkit_records.h"

namespace glint {

bool Win32Toolkit::SetTimer(int window, int timer, unsigned periodMs, TimerCallback callback) {
  const WindowRecord* record = LookUpWindow(window);
  if (record == nullptr || record->hwnd == nullptr || !callback) return false;
  if (::SetTimer(record->hwnd, static_cast<UINT_PTR>(timer), periodMs, &Callbacks::TimerProc) ==
      0) {
    win32::FailureTrace("SetTimer") << "timer " << timer << " of window " << window;
    return false;
  }
  timers_[{window, timer}] = std::make_shared<TimerCallback>(std::move(callback));
  return true;
}

void Win32Toolkit::KillTimer(int window, int timer) {
  if (const WindowRecord* record = LookUpWindow(window); record && record->hwnd)
    ::KillTimer(record->hwnd, static_cast<UINT_PTR>(timer));
  timers_.erase({window, timer});
}

void Win32Toolkit::RaiseEvent(const Event& event) {
  if (capture_ != nullptr && !capture_->has_value()) {
    *capture_ = event;
  } else {
    QueueEvent(event);
  }
}

void Win32Toolkit::QueueEvent(const Event& event) {
  queue_.push_back(event);
  // Raised by a message sent to us while GetMessageA waits: wake it so the event is seen.
  if (waiting_ && !::PostThreadMessageA(::GetCurrentThreadId(), WM_NULL, 0, 0))
    win32::FailureTrace("PostThreadMessageA") << "waking the message loop";
}

bool Win32Toolkit::Step(bool wait, Event& event) {
  if (!queue_.empty()) {
    event = queue_.front();
    queue_.pop_front();
    return true;
  }
  // Sent messages handled while retrieving are not caused by this step's dispatch.
  std::optional<Event>* outer = std::exchange(capture_, nullptr);
  MSG message{};
  bool dispatch = false;
  if (wait) {
    waiting_ = true;
    const BOOL result = ::GetMessageA(&message, nullptr, 0, 0);
    waiting_ = false;
    if (result == -1) {
      win32::FailureTrace("GetMessageA") << "the next message";
      message.message = WM_NULL;
    }
    dispatch = result > 0;  // 0 is WM_QUIT
  } else {
    if (!::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      capture_ = outer;
      return false;
    }
    dispatch = message.message != WM_QUIT;
  }
  std::optional<Event> caused;
  if (dispatch) {
    capture_ = &caused;
    Callbacks::Dispatch(*this, message);
    TakeQueuedMovements(caused);
  }
  capture_ = outer;
  if (caused) {
    event = *caused;
  } else {
    // A raw message names the control it was for: a click on an icon, not on the background.
    const ControlRecord* control =
        message.hwnd != nullptr ? LookUpControlByHandle(message.hwnd) : nullptr;
    event = Event::Raw(message.message, control != nullptr ? control->number : 0);
  }
  return true;
}

namespace {

// The top-level window a control belongs to (GetAncestor with GA_ROOT, which NT 4.0 lacks).
HWND RootWindow(HWND hwnd) {
  while (hwnd != nullptr && (::GetWindowLongA(hwnd, GWL_STYLE) & WS_CHILD) != 0)
    hwnd = ::GetParent(hwnd);
  return hwnd;
}

}  // namespace

void Win32Toolkit::Callbacks::Dispatch(Win32Toolkit& toolkit, MSG& message) {
  if (message.message >= WM_KEYFIRST && message.message <= WM_KEYLAST) {
    const WindowRecord* window = toolkit.LookUpWindowByHandle(RootWindow(message.hwnd));
    if (window != nullptr && window->captioned) {
      // Escape is taken here: the dialog manager would send IDCANCEL with the handle of the
      // control numbered 2, if there is one, just as that control's click looks.
      if (message.message == WM_KEYDOWN && message.wParam == VK_ESCAPE) {
        toolkit.RaiseEvent(Event::Close(window->number));
        return;
      }
      // Tab and the arrow keys move between the controls; this translates and dispatches.
      if (::IsDialogMessageA(window->hwnd, &message)) return;
    }
  }
  ::TranslateMessage(&message);
  ::DispatchMessageA(&message);
}

void Win32Toolkit::TakeQueuedMovements(std::optional<Event>& caused) {
  // A trackbar's queued keys and moves are taken with the one that moved it: the program then
  // sees one movement, at the latest position, and a slow handler (a render per movement) never
  // falls ever further behind a held arrow key.
  constexpr int kMostTaken = 256;
  for (int taken = 0; taken < kMostTaken; ++taken) {
    if (!caused || caused->kind != EventKind::kControl || caused->detail != kControlScrolled)
      return;
    const ControlRecord* trackbar = LookUpControl(caused->number);
    MSG next{};
    // The next message of all, so that nothing is taken out of its order.
    if (trackbar == nullptr || !::PeekMessageA(&next, nullptr, 0, 0, PM_NOREMOVE)) return;
    const bool movement =
        next.message == WM_KEYDOWN || next.message == WM_KEYUP || next.message == WM_MOUSEMOVE;
    if (next.hwnd != trackbar->hwnd || !movement) return;
    if (!::PeekMessageA(&next, trackbar->hwnd, next.message, next.message, PM_REMOVE)) return;
    std::optional<Event> more;
    capture_ = &more;
    Callbacks::Dispatch(*this, next);
    if (!more) continue;  // a move that changed nothing
    if (more->kind == EventKind::kControl && more->number == caused->number &&
        more->detail == kControlScrolled) {
      continue;  // the same movement, further on
    }
    QueueEvent(*more);  // anything else comes next, as it would have
    return;
  }
}

Event Win32Toolkit::WaitEvent() {
  Event event;
  Step(true, event);
  return event;
}

bool Win32Toolkit::PollEvent(Event& event) {
  return Step(false, event);
}

}  // namespace glint
