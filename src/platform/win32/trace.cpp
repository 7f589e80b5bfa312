#include "platform/win32/trace.h"

#include "platform/win32/windows_api.h"

#include <algorithm>
#include <charconv>

namespace glint::win32 {

namespace {

constexpr std::string_view kPrefix = "Glintbox: ";
constexpr std::string_view kFailed = " failed (";

}  // namespace

FailureTrace::FailureTrace(const char* call) : FailureTrace(call, ::GetLastError()) {}

FailureTrace::FailureTrace(const char* call, unsigned long error) : error_(error) {
  *this << kPrefix << (call != nullptr ? call : "?") << kFailed;
}

FailureTrace& FailureTrace::operator<<(std::string_view text) {
  // Room is kept for the error, its text and the terminator; a long path is cut.
  const std::size_t room = sizeof(line_) - 1 - length_;
  const std::size_t count = std::min(text.size(), room);
  std::copy_n(text.data(), count, line_ + length_);
  length_ += count;
  return *this;
}

FailureTrace& FailureTrace::operator<<(long long number) {
  char digits[24];
  const auto result = std::to_chars(digits, digits + sizeof(digits), number);
  return *this << std::string_view(digits, static_cast<std::size_t>(result.ptr - digits));
}

FailureTrace::~FailureTrace() {
  *this << "), error " << static_cast<long long>(error_);
  // Calls that set no error leave 0, whose system text ("completed successfully") would mislead.
  if (error_ != 0 && length_ + 2 < sizeof(line_) - 1) {
    line_[length_++] = ':';
    line_[length_++] = ' ';
    const DWORD room = static_cast<DWORD>(sizeof(line_) - 1 - length_);
    DWORD written = ::FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                                     nullptr, error_, 0, line_ + length_, room, nullptr);
    // The system's text ends with a line break, which the line adds itself.
    while (written > 0 &&
           (line_[length_ + written - 1] == '\r' || line_[length_ + written - 1] == '\n' ||
            line_[length_ + written - 1] == ' '))
      --written;
    length_ = written > 0 ? length_ + written : length_ - 2;
  }
  length_ = std::min(length_, sizeof(line_) - 2);
  line_[length_++] = '\n';
  line_[length_] = '\0';
  ::OutputDebugStringA(line_);
  // The caller may still read the error of the call that failed.
  ::SetLastError(error_);
}

}  // namespace glint::win32
