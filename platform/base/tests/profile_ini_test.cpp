#include "platform/base/profile_ini.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace kumi::platform {
namespace {

TEST(IniFile, FindsValuesWithoutRegardToCase) {
  const IniFile ini = IniFile::parse(
      "; the profile\r\n"
      "[Windows]\r\n"
      "device = KUMI PDF,KUMIPDF,FILE:\r\n"
      "Device=second is ignored\r\n"
      "orphan line\r\n"
      "[Printer KUMI PDF]\n"
      "LOGPIXELSX=600\n");
  EXPECT_EQ(ini.value("windows", "DEVICE"), "KUMI PDF,KUMIPDF,FILE:");
  EXPECT_EQ(ini.value("printer kumi pdf", "logpixelsx"), "600");
  EXPECT_FALSE(ini.value("Windows", "missing").has_value());
  EXPECT_EQ(ini.valueOr("Nowhere", "x", "fallback"), "fallback");
  EXPECT_TRUE(ini.hasSection("PRINTER KUMI PDF"));
}

TEST(IniFile, KeysBeforeAnySectionOrUnclosedHeadersAreIgnored) {
  const IniFile ini = IniFile::parse("a=1\n[broken\nb=2\n[ok]\nc=3");
  EXPECT_FALSE(ini.value("", "a").has_value());
  EXPECT_EQ(ini.value("ok", "c"), "3");
}

TEST(IniFile, AByteOrderMarkDoesNotHideTheFirstSection) {
  const IniFile ini = IniFile::parse("\xEF\xBB\xBF[Windows]\r\ndevice=P,CUPS,P:\r\n");
  EXPECT_EQ(ini.value("Windows", "device"), "P,CUPS,P:");
}

TEST(ProfilePath, FollowsTheEnvironment) {
  setenv("KUMI_PROFILE", "/x/p.ini", 1);
  EXPECT_EQ(profilePath(), "/x/p.ini");
  unsetenv("KUMI_PROFILE");
  setenv("XDG_CONFIG_HOME", "/cfg", 1);
  EXPECT_EQ(profilePath(), "/cfg/kumi/profile.ini");
  unsetenv("XDG_CONFIG_HOME");
  setenv("HOME", "/home/u", 1);
  EXPECT_EQ(profilePath(), "/home/u/.config/kumi/profile.ini");
}

TEST(ProfilePath, MissingFileIsAnEmptyProfile) {
  EXPECT_FALSE(IniFile::load("/nonexistent/kumi.ini").hasSection("Windows"));
}

}  // namespace
}  // namespace kumi::platform
