#include "settings/ini.h"

namespace glint::ini {

namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

char AsciiLower(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

std::string_view TrimLeadingBlanks(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && IsBlank(text[i])) ++i;
  return text.substr(i);
}

// Value of a digit in `base`, or -1.
int DigitValue(char c, unsigned base) {
  int d = -1;
  if (c >= '0' && c <= '9') {
    d = c - '0';
  } else if (c >= 'a' && c <= 'f') {
    d = c - 'a' + 10;
  } else if (c >= 'A' && c <= 'F') {
    d = c - 'A' + 10;
  }
  return d >= 0 && static_cast<unsigned>(d) < base ? d : -1;
}

// Digits of `base` from the start of `text`; stops at the first other character. Unsigned so
// that long digit strings wrap to their low 32 bits.
std::uint32_t ParseDigits(std::string_view text, unsigned base) {
  std::uint32_t value = 0;
  for (char c : text) {
    const int d = DigitValue(c, base);
    if (d < 0) break;
    value = value * base + static_cast<std::uint32_t>(d);
  }
  return value;
}

// Blanks and a sign; returns true for "-" and leaves `text` after them.
bool TakeSign(std::string_view& text) {
  text = TrimLeadingBlanks(text);
  if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
    const bool negative = text.front() == '-';
    text.remove_prefix(1);
    return negative;
  }
  return false;
}

std::int32_t Signed(std::uint32_t magnitude, bool negative) {
  return static_cast<std::int32_t>(negative ? 0u - magnitude : magnitude);
}

}  // namespace

bool NextLine(std::string_view& rest, std::string_view& line) {
  if (rest.empty()) return false;
  const std::size_t end = rest.find_first_of("\r\n");
  if (end == std::string_view::npos) {
    line = rest;
    rest = {};
    return true;
  }
  line = rest.substr(0, end);
  const bool crLf = rest[end] == '\r' && end + 1 < rest.size() && rest[end + 1] == '\n';
  rest.remove_prefix(end + (crLf ? 2 : 1));
  return true;
}

Line ParseLine(std::string_view line) {
  line = TrimLeadingBlanks(line);
  if (line.empty()) return {};
  if (line.front() == ';') {
    std::string_view text = line.substr(1);
    if (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    return {LineKind::kComment, text, {}};
  }
  if (line.front() == '[') {
    const std::string_view rest = line.substr(1);
    return {LineKind::kGroup, rest.substr(0, rest.find(']')), {}};
  }
  const std::size_t equals = line.find('=');
  if (equals == std::string_view::npos) return {LineKind::kOther, line, {}};
  return {LineKind::kEntry, TrimTrailingBlanks(line.substr(0, equals)),
          TrimLeadingBlanks(line.substr(equals + 1))};
}

Group FindGroup(std::string_view text, std::string_view name) {
  if (text.substr(0, kUtf8Bom.size()) == kUtf8Bom) text.remove_prefix(kUtf8Bom.size());
  std::string_view line;
  while (NextLine(text, line)) {
    const Line parsed = ParseLine(line);
    if (parsed.kind == LineKind::kGroup && EqualsIgnoreCase(parsed.name, name)) {
      return {true, text};
    }
  }
  return {};
}

std::optional<std::string_view> FindValue(const Group& group, std::string_view key) {
  if (!group.found) return std::nullopt;
  std::string_view rest = group.body;
  std::string_view line;
  while (NextLine(rest, line)) {
    const Line parsed = ParseLine(line);
    if (parsed.kind == LineKind::kGroup) break;
    if (parsed.kind == LineKind::kEntry && EqualsIgnoreCase(parsed.name, key)) {
      return parsed.value;
    }
  }
  return std::nullopt;
}

std::string_view TrimTrailingBlanks(std::string_view text) {
  std::size_t n = text.size();
  while (n > 0 && IsBlank(text[n - 1])) --n;
  return text.substr(0, n);
}

bool EqualsIgnoreCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
  }
  return true;
}

std::int32_t ParsePlainInteger(std::string_view text) {
  const bool negative = TakeSign(text);
  return Signed(ParseDigits(text, 10), negative);
}

std::int32_t ParseNumber(std::string_view text) {
  const bool negative = TakeSign(text);
  unsigned base = 10;
  if (!text.empty() && text.front() == '$') {
    base = 16;
    text.remove_prefix(1);
  } else if (!text.empty() && text.front() == '%') {
    base = 2;
    text.remove_prefix(1);
  }
  return Signed(ParseDigits(text, base), negative);
}

bool ParseYesNo(std::string_view text) {
  return EqualsIgnoreCase(TrimTrailingBlanks(text), "yes");
}

std::int32_t ReadPlainInteger(const Group& group, std::string_view key, std::int32_t fallback) {
  const auto value = FindValue(group, key);
  return value ? ParsePlainInteger(*value) : fallback;
}

std::string ReadString(const Group& group, std::string_view key, std::string_view fallback) {
  const auto value = FindValue(group, key);
  return std::string(value ? TrimTrailingBlanks(*value) : fallback);
}

std::int32_t ReadNumber(const Group& group, std::string_view key, std::string_view fallback) {
  return ParseNumber(ReadString(group, key, fallback));
}

bool ReadYesNo(const Group& group, std::string_view key, bool fallback) {
  const auto value = FindValue(group, key);
  return value ? ParseYesNo(*value) : fallback;
}

void Writer::AppendLine(std::string_view text) {
  // A line break inside an item would split it into lines the reader sees differently.
  text = text.substr(0, text.find_first_of("\r\n"));
  text_ += text;
  text_ += "\r\n";
}

void Writer::Comment(std::string_view text) {
  AppendLine("; " + std::string(text));
}

void Writer::GroupHeader(std::string_view name) {
  AppendLine("[" + std::string(name) + "]");
}

void Writer::Entry(std::string_view key, std::string_view value) {
  AppendLine(std::string(key) + " = " + std::string(value));
}

void Writer::Entry(std::string_view key, std::int32_t value) {
  Entry(key, std::to_string(value));
}

void Writer::YesNoEntry(std::string_view key, bool yes) {
  Entry(key, yes ? "Yes" : "No");
}

}  // namespace glint::ini
