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

// Length of the first line of `text`, in one linear scan: find_first_of("\r\n") makes a memchr
// call per byte, and a search for LF before one for CR would rescan to the end on every line of
// a file of bare CRs.
std::size_t LineLength(std::string_view text) {
  std::size_t n = 0;
  while (n < text.size() && text[n] != '\r' && text[n] != '\n') ++n;
  return n;
}

std::string_view TrimLeadingBlanks(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && IsBlank(text[i])) ++i;
  return text.substr(i);
}

// Value of a hexadecimal digit of either case; none for any other character.
std::optional<std::uint32_t> DigitValue(char c) {
  if (c >= '0' && c <= '9') return static_cast<std::uint32_t>(c - '0');
  if (c >= 'a' && c <= 'f') return static_cast<std::uint32_t>(c - 'a' + 10);
  if (c >= 'A' && c <= 'F') return static_cast<std::uint32_t>(c - 'A' + 10);
  return std::nullopt;
}

// Digits of `base` from the start of `text`; stops at the first other character. Unsigned so
// that long digit strings wrap to their low 32 bits.
std::uint32_t ParseDigits(std::string_view text, unsigned base) {
  std::uint32_t value = 0;
  for (char c : text) {
    const std::optional<std::uint32_t> d = DigitValue(c);
    if (!d || *d >= base) break;
    value = value * base + *d;
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
  const std::size_t end = LineLength(rest);
  if (end == rest.size()) {
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

std::string DecodeText(std::string_view raw) {
  if (raw.substr(0, kUtf8Bom.size()) != kUtf8Bom) return std::string(raw);
  raw.remove_prefix(kUtf8Bom.size());
  std::string out;
  out.reserve(raw.size());
  std::size_t i = 0;
  while (i < raw.size()) {
    const auto lead = static_cast<unsigned char>(raw[i]);
    if (lead < 0x80) {
      out += static_cast<char>(lead);
      ++i;
      continue;
    }
    // The length of the sequence; 0 for a byte that starts none.
    const std::size_t length = lead >= 0xF0 && lead < 0xF5   ? 4
                               : lead >= 0xE0 && lead < 0xF0 ? 3
                               : lead >= 0xC2 && lead < 0xE0 ? 2
                                                             : 0;
    // The bits a two-byte form's first byte carries: only that form holds U+0080..U+00FF.
    std::uint32_t code = lead & 0x1Fu;
    std::size_t taken = 1;
    while (taken < length && i + taken < raw.size() &&
           (static_cast<unsigned char>(raw[i + taken]) & 0xC0) == 0x80) {
      code = (code << 6) | (static_cast<unsigned char>(raw[i + taken]) & 0x3Fu);
      ++taken;
    }
    if (length == 0 || taken < length) {
      out += '?';  // a broken sequence: one "?" for its first byte, the rest read afresh
      ++i;
      continue;
    }
    // A longer form is a character past U+00FF or an overlong one, which is no character.
    out += length == 2 && code <= 0xFF ? static_cast<char>(code) : '?';
    i += length;
  }
  return out;
}

Group FindGroup(std::string_view text, std::string_view name) {
  if (text.substr(0, kUtf8Bom.size()) == kUtf8Bom) text.remove_prefix(kUtf8Bom.size());
  std::string_view line;
  while (NextLine(text, line)) {
    const Line parsed = ParseLine(line);
    if (parsed.kind == LineKind::kGroup && EqualsIgnoreCase(parsed.name, name)) {
      Group group{true, {}};
      group.entries.reserve(32);  // a whole settings file without regrowing
      while (NextLine(text, line)) {
        const Line entry = ParseLine(line);
        if (entry.kind == LineKind::kGroup) break;
        if (entry.kind == LineKind::kEntry) group.entries.push_back(entry);
      }
      return group;
    }
  }
  return {};
}

std::optional<std::string_view> FindValue(const Group& group, std::string_view key) {
  for (const Line& entry : group.entries) {
    if (EqualsIgnoreCase(entry.name, key)) return entry.value;
  }
  return std::nullopt;
}

std::string_view TrimTrailingBlanks(std::string_view text) {
  return text.substr(0, text.find_last_not_of(" \t") + 1);  // npos + 1 is 0: only blanks
}

bool EqualsIgnoreCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
  }
  return true;
}

char AsciiUpper(char c) {
  return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

std::string AsciiUpper(std::string text) {
  for (char& c : text) c = AsciiUpper(c);
  return text;
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

void Writer::AppendLine(std::initializer_list<std::string_view> parts) {
  // A line break inside an item would split it into lines the reader sees differently: the line
  // ends at the first break.
  for (std::string_view part : parts) {
    const std::size_t length = LineLength(part);
    text_ += part.substr(0, length);
    if (length < part.size()) break;
  }
  text_ += "\r\n";
}

void Writer::Comment(std::string_view text) {
  AppendLine({"; ", text});
}

void Writer::GroupHeader(std::string_view name) {
  AppendLine({"[", name, "]"});
}

void Writer::Entry(std::string_view key, std::string_view value) {
  AppendLine({key, " = ", value});
}

void Writer::Entry(std::string_view key, std::int32_t value) {
  Entry(key, std::to_string(value));
}

void Writer::YesNoEntry(std::string_view key, bool yes) {
  Entry(key, yes ? "Yes" : "No");
}

}  // namespace glint::ini
