#pragma once

#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The INI dialect of the settings file: ";" comments, "[group]" headers and "key = value"
// entries, one per line. Reading is a set of pure functions over the file's text; a group's
// entries are split off once, when the group is found, and point into that text.
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

// The kEntry lines of one group, in file order, up to the next header. Parsed once, so that a
// lookup is a pass over the entries, not a new pass over the text for every key.
struct Group {
  bool found = false;
  std::vector<Line> entries;
};

// The file's text as the reader works on it: one char per character. A file that starts with the
// UTF-8 byte-order mark is UTF-8: the mark goes and every character becomes one char (ASCII as it
// is, U+0080..U+00FF as its Latin-1 byte, anything else, overlong forms and broken sequences as
// "?"), so that lengths count characters. Any other file is the code page's already and stays as
// it is.
std::string DecodeText(std::string_view raw);

// The first group whose name matches case-insensitively. A UTF-8 byte-order mark at the start of
// `text` is skipped.
Group FindGroup(std::string_view text, std::string_view name);

// The raw value of the first entry of the group whose key matches case-insensitively.
std::optional<std::string_view> FindValue(const Group& group, std::string_view key);

std::string_view TrimTrailingBlanks(std::string_view text);
bool EqualsIgnoreCase(std::string_view a, std::string_view b);
// ASCII letters only: the file's other characters are the code page's and stay as they are.
char AsciiUpper(char c);
std::string AsciiUpper(std::string text);

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
  // The parts joined without temporaries: a save writes some thirty lines.
  void AppendLine(std::initializer_list<std::string_view> parts);
  std::string text_;
};

}  // namespace glint::ini
