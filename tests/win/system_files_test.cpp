// Files through the real Win32 API.
#include <gtest/gtest.h>

#include <string>

#include "platform/win32/win32_system.h"
#include "win_test_support.h"

namespace glint {
namespace {

class SystemFilesTest : public ::testing::Test {
 protected:
  wintest::ScratchFolder folder_;
  Win32System system_;
};

TEST_F(SystemFilesTest, WriteSizeReadReplaceRemove) {
  const std::string a = folder_.Path("a.ini");
  const std::string b = folder_.Path("b.ini");
  const std::string bytes("x\0y\r\nz\n", 7);  // NUL and line ends pass untouched
  ASSERT_TRUE(system_.WriteFileFlushed(a, bytes));
  EXPECT_EQ(system_.FileSize(a), 7);
  std::string read;
  ASSERT_TRUE(system_.ReadWholeFile(a, read));
  EXPECT_EQ(read, bytes);

  ASSERT_TRUE(system_.WriteFileFlushed(a, "ab"));  // a shorter write truncates
  EXPECT_EQ(system_.FileSize(a), 2);

  ASSERT_TRUE(system_.WriteFileFlushed(b, "older and longer"));
  ASSERT_TRUE(system_.MoveFileOver(a, b));
  EXPECT_EQ(system_.FileSize(a), -1);
  ASSERT_TRUE(system_.ReadWholeFile(b, read));
  EXPECT_EQ(read, "ab");

  EXPECT_TRUE(system_.RemoveFile(b));
  EXPECT_EQ(system_.FileSize(b), -1);
  EXPECT_FALSE(system_.RemoveFile(b));
}

TEST_F(SystemFilesTest, EmptyAndMultiChunkFilesReadWhole) {
  const std::string empty = folder_.Path("empty");
  ASSERT_TRUE(system_.WriteFileFlushed(empty, ""));
  EXPECT_EQ(system_.FileSize(empty), 0);
  std::string read = "stale";
  ASSERT_TRUE(system_.ReadWholeFile(empty, read));
  EXPECT_EQ(read, "");

  std::string big(200001, '\0');  // several read chunks and an odd tail
  for (std::size_t i = 0; i < big.size(); ++i) big[i] = static_cast<char>(i * 7 + i / 251);
  const std::string path = folder_.Path("big");
  ASSERT_TRUE(system_.WriteFileFlushed(path, big));
  EXPECT_EQ(system_.FileSize(path), 200001);
  ASSERT_TRUE(system_.ReadWholeFile(path, read));
  EXPECT_TRUE(read == big);
}

TEST_F(SystemFilesTest, FailuresChangeNothing) {
  const std::string missingFolder = folder_.Path("no such folder\\");
  EXPECT_FALSE(system_.WriteFileFlushed(missingFolder + "x.ini", "data"));
  EXPECT_EQ(system_.FileSize(missingFolder), -1);
  EXPECT_EQ(system_.FileSize(folder_.Path()), -2);
  EXPECT_EQ(system_.FileSize(folder_.Path().substr(0, folder_.Path().size() - 1)), -2);

  std::string read = "untouched";
  EXPECT_FALSE(system_.ReadWholeFile(folder_.Path("missing.ini"), read));
  EXPECT_FALSE(system_.ReadWholeFile(folder_.Path(), read));  // a folder
  EXPECT_EQ(read, "untouched");

  // A directory in the way of the file.
  ASSERT_TRUE(CreateDirectoryA(folder_.Path("taken").c_str(), nullptr));
  EXPECT_FALSE(system_.WriteFileFlushed(folder_.Path("taken"), "data"));
  EXPECT_EQ(system_.FileSize(folder_.Path("taken")), -2);

  const std::string target = folder_.Path("target.ini");
  ASSERT_TRUE(system_.WriteFileFlushed(target, "keep"));
  EXPECT_FALSE(system_.MoveFileOver(folder_.Path("missing.tmp"), target));
  EXPECT_FALSE(system_.MoveFileOver(target, missingFolder + "target.ini"));
  ASSERT_TRUE(system_.ReadWholeFile(target, read));
  EXPECT_EQ(read, "keep");
}

}  // namespace
}  // namespace glint
