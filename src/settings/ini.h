#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The INI dialect of the settings file: ";" comments, "[group]" headers and "key = value"
// entries, one per line. Reading is a set of pure functions over the file's text; nothing is
// cached between lookups.
namespace glint::ini {

enum class LineKind { kBlank, kComment, kGroup, kEntry, kOther };

// One line as the reader sees it. kComment: `name` is the comment text. kGroup: `name` is the
// group. kEntry: `name` is the key (trailing blanks removed), `value` the text after the first
// "=" (leading blanks removed). kOther is a line without "=", which is ignored.
struct Line {
  LineKind kind = LineKind::kBlank;
  std::string_view name;
  std::string_view value;
};

// `line` holds no line break.
Line ParseLine(std::string_view line);

// Splits the next line off `rest` (CR, LF and CR LF all end a line); false when none is left.
bool NextLine(std::string_view& rest, std::string_view& line);

// The entries of one group: the text after its header. Lookups stop at the next header.
struct Group {
  bool found = false;
  std::string_view body;
};

// The first group whose name matches case-insensitively. A UTF-8 byte-order mark at the start of
// `text` is skipped.
Group FindGroup(std::string_view text, std::string_view name);

// The raw value of the first entry of the group whose key matches case-insensitively.
std::optional<std::string_view> FindValue(const Group& group, std::string_view key);

std::string_view TrimTrailingBlanks(std::string_view text);
bool EqualsIgnoreCase(std::string_view a, std::string_view b);

// Optional blanks, an optional sign and decimal digits up to the first other character; the low
// 32 bits of the result. No digits gives 0.
std::int32_t ParsePlainInteger(std::string_view text);
// As ParsePlainInteger, but the digits may also be "$" and hexadecimal or "%" and binary.
std::int32_t ParseNumber(std::string_view text);
// "yes" in any case is true; everything else, the empty text too, is false.
bool ParseYesNo(std::string_view text);

// Lookups with the caller's fallback for a missing group or key.
std::int32_t ReadPlainInteger(const Group& group, std::string_view key, std::int32_t fallback);
// A string value has its trailing blanks removed.
std::string ReadString(const Group& group, std::string_view key, std::string_view fallback);
// A numeric key read as a string (so the fallback is text too) and converted by ParseNumber.
std::int32_t ReadNumber(const Group& group, std::string_view key, std::string_view fallback);
bool ReadYesNo(const Group& group, std::string_view key, bool fallback);

// Builds the text of a file: one CR LF ended line per item, in the order added.
class Writer {
 public:
  // "; " and the text; an empty comment is ";" and one space.
  void Comment(std::string_view text);
  void GroupHeader(std::string_view name);
  void Entry(std::string_view key, std::string_view value);
  void Entry(std::string_view key, std::int32_t value);
  void YesNoEntry(std::string_view key, bool yes);

  const std::string& Text() const { return text_; }

 private:
  void AppendLine(std::string_view text);
  std::string text_;
};

}  // namespace glint::ini
