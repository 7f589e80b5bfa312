#include "settings/ini.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

namespace glint::ini {
namespace {

TEST(IniLineTest, ParseLine) {
  struct Case {
    std::string line;
    LineKind kind;
    std::string name;
    std::string value;
  } cases[] = {
      {"", LineKind::kBlank, "", ""},
      {" \t ", LineKind::kBlank, "", ""},
      {"; text", LineKind::kComment, "text", ""},
      {";text", LineKind::kComment, "text", ""},
      {";  two", LineKind::kComment, " two", ""},  // only one space belongs to the marker
      {"; ", LineKind::kComment, "", ""},
      {"\t; WinX = 5", LineKind::kComment, "WinX = 5", ""},
      {"[Settings]", LineKind::kGroup, "Settings", ""},
      {"  [Settings] junk", LineKind::kGroup, "Settings", ""},
      {"[Settings", LineKind::kGroup, "Settings", ""},
      {"[]", LineKind::kGroup, "", ""},
      {"WinX = 5", LineKind::kEntry, "WinX", "5"},
      {"  WinX\t \t=\t  5  ", LineKind::kEntry, "WinX", "5  "},  // string reads trim the end
      {"Key=a=b", LineKind::kEntry, "Key", "a=b"},
      {"Key =", LineKind::kEntry, "Key", ""},
      {"= value", LineKind::kEntry, "", "value"},
      {"Drives 1111", LineKind::kOther, "Drives 1111", ""},
  };
  for (const Case& c : cases) {
    const Line got = ParseLine(c.line);
    EXPECT_EQ(got.kind, c.kind) << '"' << c.line << '"';
    EXPECT_EQ(got.name, c.name) << '"' << c.line << '"';
    EXPECT_EQ(got.value, c.value) << '"' << c.line << '"';
  }
}

TEST(IniLineTest, NextLineAcceptsEveryLineEnd) {
  struct Case {
    std::string text;
    std::vector<std::string> lines;
  } cases[] = {
      {"", {}},
      {"a", {"a"}},
      {"a\r\nb\r\n", {"a", "b"}},
      {"a\nb", {"a", "b"}},
      {"a\rb\r", {"a", "b"}},
      {"a\r\rb", {"a", "", "b"}},
      {"a\n\r\nb", {"a", "", "b"}},
      {"a\r\n\nb", {"a", "", "b"}},
  };
  for (const Case& c : cases) {
    std::string_view rest = c.text;
    std::string_view line;
    std::vector<std::string> got;
    while (NextLine(rest, line)) got.emplace_back(line);
    EXPECT_EQ(got, c.lines);
  }
}

struct LookupCase {
  const char* what;
  std::string text;
  std::optional<std::string> value;  // of "WinX" in group "Settings"
};

TEST(IniLookupTest, FindsTheFirstMatchInTheFirstMatchingGroup) {
  const LookupCase cases[] = {
      {"plain", "[Settings]\r\nWinX = 5\r\n", "5"},
      {"key in another case", "[Settings]\r\nwinx = 5\r\n", "5"},
      {"group in another case", "[SETTINGS]\r\nWINX = 5\r\n", "5"},
      {"first duplicate wins", "[Settings]\r\nWinX = 1\r\nWinX = 2\r\n", "1"},
      {"key in another group", "[Other]\r\nWinX = 1\r\n", std::nullopt},
      {"key after the group ends", "[Settings]\r\n[Other]\r\nWinX = 1\r\n", std::nullopt},
      {"key before any group", "WinX = 1\r\n[Settings]\r\n", std::nullopt},
      {"first group wins", "[Settings]\r\nWinY = 0\r\n[Settings]\r\nWinX = 2\r\n", std::nullopt},
      {"other group between", "[A]\r\nWinX = 1\r\n[Settings]\r\nWinX = 2\r\n[B]\r\nWinX = 3", "2"},
      {"no group at all", "WinX = 1\r\n", std::nullopt},
      {"empty text", "", std::nullopt},
      {"comment skipped", "[Settings]\r\n; WinX = 1\r\nWinX = 2\r\n", "2"},
      {"line without = skipped", "[Settings]\r\nWinX\r\nWinX = 2\r\n", "2"},
      {"prefix of a key", "[Settings]\r\nWinXY = 1\r\nWin = 2\r\n", std::nullopt},
      {"another first letter", "[Settings]\r\nVinX = 1\r\n", std::nullopt},
      {"byte-order mark", "\xEF\xBB\xBF[Settings]\r\nWinX = 7\r\n", "7"},
      {"mark not at the start", "x\xEF\xBB\xBF[Settings]\r\nWinX = 7\r\n", std::nullopt},
      {"bare CR", "[Settings]\rWinY = 1\rWinX = 7\r", "7"},
      {"bare LF", "[Settings]\nWinX = 7", "7"},
      {"indented", "  [Settings]\r\n\t  WinX\t= \t7 \t", "7 \t"},
      {"empty value", "[Settings]\r\nWinX =\r\nWinX = 3", ""},
      {"header with junk", "[settings] ; main\r\nWinX = 4", "4"},
      {"header with blanks", "[ Settings ]\r\nWinX = 4", std::nullopt},
  };
  for (const LookupCase& c : cases) {
    const auto got = FindValue(FindGroup(c.text, "Settings"), "WinX");
    EXPECT_EQ(got.has_value(), c.value.has_value()) << c.what;
    if (got && c.value) EXPECT_EQ(*got, *c.value) << c.what;
  }
}

TEST(IniLookupTest, AMarkedFileIsDecodedToOneCharPerCharacter) {
  const std::string bom = "\xEF\xBB\xBF";
  const struct {
    std::string raw, text;
  } cases[] = {
      {"a\xC3\xA9", "a\xC3\xA9"},  // no mark: the code page's bytes, untouched
      {bom + "a=1\x7F\r\n", "a=1\x7F\r\n"},
      {bom + "\xC3\xA9\xC2\xA0", "\xE9\xA0"},  // Latin-1 characters keep their byte
      // Others are one "?" each, however long their form.
      {bom + "\xE2\x82\xAC\xF0\x9F\x98\x80\xD0\xB1\xE8\x80\xB1\xC4\x80", "?????"},
      {bom + "\xDF\xBF" + "A\xEF\xBF\xBD" + "A\xF4\x8F\xBF\xBF" + "A", "?A?A?A"},
      // Broken sequences, and overlong forms of the ASCII they would stand for.
      {bom + "\xC3" + "A\x80\xC0\x80\xC1\xBF\xE0\x80\xB1\xF0\x80\x80\xB1", "?A???????"},
      {bom + "\xE2\x82", "??"},                         // cut off at the end
      {bom + "\xC3\xBF\xC3\xA9\x80", "\xFF\xE9?"},      // the last Latin-1 one; a byte too many
      {bom + "\xE0\xA0\x80\xF5\x80\x80\x80", "?????"},  // the first 3-byte one; no 0xF5 lead
  };
  for (const auto& c : cases) EXPECT_EQ(DecodeText(c.raw), c.text) << c.raw;
}

TEST(IniLookupTest, TypedReadsUseTheFallbackOnlyWhenTheKeyIsMissing) {
  const std::string text =
      "[Settings]\r\nFlag = YES  \r\nEmpty =\r\nAZ Name = ab c \t\r\nCount = $1F\r\n";
  const Group g = FindGroup(text, "settings");
  EXPECT_TRUE(ReadYesNo(g, "flag", false));
  EXPECT_FALSE(ReadYesNo(g, "Empty", true));
  EXPECT_TRUE(ReadYesNo(g, "Missing", true));
  EXPECT_EQ(ReadString(g, "az name", "x"), "ab c");  // A to Z in either case
  EXPECT_EQ(ReadString(g, "Empty", "x"), "");
  EXPECT_EQ(ReadString(g, "Missing", "x"), "x");
  EXPECT_EQ(ReadNumber(g, "Count", "3"), 31);
  EXPECT_EQ(ReadNumber(g, "Missing", "$10"), 16);
  EXPECT_EQ(ReadPlainInteger(g, "Count", 3), 0);  // no hex for plain integers
  EXPECT_EQ(ReadPlainInteger(g, "Missing", -4), -4);

  const Group none = FindGroup(text, "Other");
  EXPECT_FALSE(none.found);
  EXPECT_TRUE(ReadYesNo(none, "Flag", true));
  EXPECT_EQ(ReadString(none, "AZ Name", "fb"), "fb");
}

TEST(IniNumberTest, NumberRule) {
  struct Case {
    std::string text;
    std::int32_t expected;
  } cases[] = {
      {"", 0},
      {"12", 12},
      {"  -12", -12},
      {"\t+12", 12},
      {"12abc", 12},
      {"@abc", 0},
      {"-", 0},
      {"$", 0},
      {"$ff", 255},
      {"$FF", 255},
      {"$fg", 15},
      {"$aA", 170},
      {"-$10", -16},
      {"$FFFFFFFF", -1},
      {"$100000001", 1},
      {"%101", 5},
      {"%102", 2},
      {"%", 0},
      {"%2", 0},
      {"- 5", 0},
      {"1 2", 1},
      {"4294967296", 0},
      {"4294967297", 1},
      {"2147483647", INT_MAX},
      {"2147483648", INT_MIN},
      {"-2147483648", INT_MIN},
      {"1" + std::string(1000, '0'), 0},  // 10^1000 is a multiple of 2^32
      {"1" + std::string(1000, '0') + "7", 7},
  };
  for (const Case& c : cases) EXPECT_EQ(ParseNumber(c.text), c.expected) << '"' << c.text << '"';
}

TEST(IniNumberTest, PlainIntegerRule) {
  struct Case {
    std::string text;
    std::int32_t expected;
  } cases[] = {
      {"", 0},
      {"400", 400},
      {" -25", -25},
      {"+7", 7},
      {"12px", 12},
      {"$10", 0},
      {"%1", 0},
      {"x1", 0},
      {"- 1", 0},
      {"4294967297", 1},
      {"-2147483648", INT_MIN},
      {std::string(5000, '9'), ParseNumber(std::string(5000, '9'))},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ParsePlainInteger(c.text), c.expected) << '"' << c.text << '"';
  }
}

TEST(IniNumberTest, YesNo) {
  for (const char* yes : {"yes", "Yes", "YES", "yEs", "Yes \t"})
    EXPECT_TRUE(ParseYesNo(yes)) << yes;
  for (const char* no : {"", "no", "No", "true", "1", "y", "yes please", "ye", "yess"}) {
    EXPECT_FALSE(ParseYesNo(no)) << no;
  }
}

TEST(IniWriterTest, WritesOneCrLfLinePerItemAndReadsBack) {
  Writer w;
  w.Comment("made by hand");
  w.Comment("");
  w.GroupHeader("Settings");
  w.Entry("WinX", -12);
  w.YesNoEntry("Locked", true);
  w.YesNoEntry("Vertical Mode", false);
  w.Entry("Drives", "0011");
  w.Entry("Bad", "a\r\n[Other]");  // a line break must not split the entry
  EXPECT_EQ(w.Text(),
            "; made by hand\r\n"
            "; \r\n"
            "[Settings]\r\n"
            "WinX = -12\r\n"
            "Locked = Yes\r\n"
            "Vertical Mode = No\r\n"
            "Drives = 0011\r\n"
            "Bad = a\r\n");

  const Group g = FindGroup(w.Text(), "Settings");
  EXPECT_EQ(ReadPlainInteger(g, "WinX", 0), -12);
  EXPECT_TRUE(ReadYesNo(g, "Locked", false));
  EXPECT_FALSE(ReadYesNo(g, "Vertical Mode", true));
  EXPECT_EQ(ReadString(g, "Drives", ""), "0011");
}

}  // namespace
}  // namespace glint::ini
