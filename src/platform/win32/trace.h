#pragma once

// The trace of failing Windows calls: one line each to the debugger (OutputDebugStringA), for
// whoever needs to know afterwards what failed and why. Nothing here reaches the user, and
// nothing runs unless a call failed.

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace glint::win32 {

// Collects one line and sends it when the statement ends:
//   FailureTrace("CreateWindowExA") << "control " << number << " of window " << window;
// gives "Glintbox: CreateWindowExA failed (control 205 of window 3), error 1400: Invalid window
// handle." The error is GetLastError's, read when the trace is made: make it first thing after
// the failing call, or hand it the error read earlier.
class FailureTrace {
 public:
  explicit FailureTrace(const char* call);
  FailureTrace(const char* call, unsigned long error);
  ~FailureTrace();
  FailureTrace(const FailureTrace&) = delete;
  FailureTrace& operator=(const FailureTrace&) = delete;

  FailureTrace& operator<<(std::string_view text);
  FailureTrace& operator<<(long long number);

 private:
  char line_[512];
  std::size_t length_ = 0;
  unsigned long error_;
};

// True the first time it is asked for a bit, which it then sets: a failure that comes back on
// every tick is traced once.
inline bool FirstTime(std::uint64_t& traced, unsigned bit) {
  const std::uint64_t mask = std::uint64_t{1} << (bit % 64);
  if ((traced & mask) != 0) return false;
  traced |= mask;
  return true;
}

}  // namespace glint::win32
