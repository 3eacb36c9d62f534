#include "platform/base/paths.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>

#include <unistd.h>

namespace kumi::platform {
namespace {

TEST(Paths, NativeFormDropsTheDriveAndTurnsBackslashes) {
  struct Case { const char* stored; const char* native; };
  const Case cases[] = {
      {"C:\\kumi\\data\\", "/kumi/data/"},
      {"c:\\sk.dat", "/sk.dat"},
      {"/tmp/kumi/", "/tmp/kumi/"},
      {"data\\sk.dat", "data/sk.dat"},
      {"", ""},
      {"C:", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(nativePath(c.stored), c.native) << c.stored;
}

TEST(Paths, ClosingSeparatorIsAddedOnlyWhereMissing) {
  struct Case { std::string dir; std::string closed; };
  const Case cases[] = {
      {"C:\\kumi\\", "C:\\kumi\\"},
      {"/tmp/x/", "/tmp/x/"},
      {"C:\\kumi", "C:\\kumi\\"},
      {"C:\\\x95\x5C", "C:\\\x95\x5C\\"},  // 表 ends in 0x5C: no separator
      {"C:\\\x95\x5C\\", "C:\\\x95\x5C\\"},
      {"\x95", "\x95\\"},  // a lone lead byte at the end
      {"", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(withClosingSeparator(c.dir), c.closed) << c.dir;
}

TEST(Paths, SplitsDirectoryAndName) {
  EXPECT_EQ(directoryOf("C:\\kumi\\WINPRM.cfg"), "C:\\kumi\\");
  EXPECT_EQ(fileNameOf("C:\\kumi\\WINPRM.cfg"), "WINPRM.cfg");
  EXPECT_EQ(directoryOf("name"), "");
  EXPECT_EQ(fileNameOf("/a/b/"), "");
}

TEST(Paths, ListsAndDeletesFilesThroughStoredValues) {
  const std::string dir = ::testing::TempDir() + "paths_test_dir_" + std::to_string(::getpid()) + "/";
  std::filesystem::create_directories(dir);
  std::ofstream(dir + "b.emf") << "x";
  std::ofstream(dir + "a.emf") << "x";
  std::string stored = dir;
  std::replace(stored.begin(), stored.end(), '/', '\\');
  EXPECT_TRUE(directoryExists(stored));
  EXPECT_EQ(listFiles(stored), (std::vector<std::string>{"a.emf", "b.emf"}));
  EXPECT_TRUE(deleteFile(stored + "a.emf"));
  EXPECT_FALSE(fileExists(stored + "a.emf"));
  EXPECT_FALSE(deleteFile(stored + "a.emf"));
  std::filesystem::create_directories(dir + "empty");
  EXPECT_FALSE(deleteFile(stored + "empty"));
  EXPECT_TRUE(directoryExists(stored + "empty"));
  std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace kumi::platform

namespace kumi::platform {
namespace {

TEST(Paths, OpenableFormIsUtf8AndKeepsTrailBytes) {
  // 表 is 0x95 0x5C in CP932: its trail byte is not a separator.
  EXPECT_EQ(openablePath("C:\\\x95\x5C\\sk.dat"), "/表/sk.dat");
  EXPECT_EQ(openablePath("data\\\xff"), "data/\xff");  // not CP932: byte for byte
}

TEST(Paths, FindsAFileWithoutRegardToCase) {
  const std::string dir = ::testing::TempDir() + "paths_case_dir_" + std::to_string(::getpid()) + "/";
  std::filesystem::create_directories(dir);
  std::ofstream(dir + "winprm.cfg") << "x";
  EXPECT_EQ(fileInDirectory(dir, "WINPRM.cfg"), dir + "winprm.cfg");
  EXPECT_EQ(fileInDirectory(dir, "WINCTL.cfg"), dir + "WINCTL.cfg");
  std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace kumi::platform
