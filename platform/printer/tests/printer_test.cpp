#include "platform/printer/printer.h"

#include <gtest/gtest.h>

namespace kumi::platform {
namespace {

TEST(DefaultPrinterEntry, ProfileThenCupsThenTheVirtualPrinter) {
  const IniFile withEntry = IniFile::parse("[windows]\ndevice=Laser,winspool,LPT1:\n");
  const IniFile without = IniFile::parse("[Windows]\nother=1\n");
  EXPECT_EQ(defaultPrinterEntry(withEntry, "office"), "Laser,winspool,LPT1:");
  EXPECT_EQ(defaultPrinterEntry(without, "office"), "office,CUPS,office:");
  EXPECT_EQ(defaultPrinterEntry(without, std::nullopt), "KUMI PDF,KUMIPDF,FILE:");
  // An empty entry is still the profile's word: the programs report it.
  EXPECT_EQ(defaultPrinterEntry(IniFile::parse("[Windows]\ndevice=\n"), "office"), "");
}

TEST(PrinterCapsFromProfile, TakesEveryKeyGiven) {
  const IniFile p = IniFile::parse(
      "[Printer Wide]\nPHYSICALWIDTH=9000\nPHYSICALHEIGHT=5000\nPHYSICALOFFSETX=50\n"
      "PHYSICALOFFSETY=60\nHORZRES=8800\nVERTRES=4800\nHORZSIZE=745\nVERTSIZE=406\n"
      "LOGPIXELSX=300\nLOGPIXELSY=300\norientation=landscape\n");
  ASSERT_TRUE(profileHasPrinter(p, "Wide"));
  const auto caps = printerCapsFromProfile(p, "Wide");
  ASSERT_TRUE(caps);
  EXPECT_EQ(*caps, (PrinterCaps{9000, 5000, 50, 60, 8800, 4800, 745, 406, 300, 300,
                                PrinterOrientation::Landscape}));
}

TEST(PrinterCapsFromProfile, DerivesWhatIsNotGiven) {
  const IniFile p = IniFile::parse(
      "[Printer Small]\nPHYSICALWIDTH=2480\nPHYSICALHEIGHT=3508\nPHYSICALOFFSETX=40\n"
      "LOGPIXELSX=300\n");
  const auto caps = printerCapsFromProfile(p, "small");  // names match without case
  ASSERT_TRUE(caps);
  EXPECT_EQ(*caps, (PrinterCaps{2480, 3508, 40, 0, 2400, 3508, 203, 297, 300, 300,
                                PrinterOrientation::Portrait}));
}

TEST(PrinterCapsFromProfile, RefusesUnusableSections) {
  const char* cases[] = {
      "PHYSICALHEIGHT=100\nLOGPIXELSX=100\n",                       // no width
      "PHYSICALWIDTH=100\nPHYSICALHEIGHT=100\n",                    // no resolution
      "PHYSICALWIDTH=100\nPHYSICALHEIGHT=100\nLOGPIXELSX=0\n",      // zero resolution
      "PHYSICALWIDTH=1oo\nPHYSICALHEIGHT=100\nLOGPIXELSX=100\n",    // no number
      "PHYSICALWIDTH=100\nPHYSICALHEIGHT=100\nLOGPIXELSX=100\nPHYSICALOFFSETX=60\n",
      "PHYSICALWIDTH=100\nPHYSICALHEIGHT=100\nLOGPIXELSX=100\nHORZRES=101\n",
      "PHYSICALWIDTH=2147483647\nPHYSICALHEIGHT=100\nLOGPIXELSX=100\nPHYSICALOFFSETX=-2147483647\n",
      "PHYSICALWIDTH=100\nPHYSICALHEIGHT=100\nLOGPIXELSX=100\norientation=sideways\n",
  };
  for (const char* keys : cases) {
    const IniFile p = IniFile::parse(std::string("[Printer Bad]\n") + keys);
    EXPECT_TRUE(profileHasPrinter(p, "Bad"));
    EXPECT_FALSE(printerCapsFromProfile(p, "Bad")) << keys;
  }
  EXPECT_FALSE(profileHasPrinter(IniFile::parse(""), "Bad"));
}

TEST(PrinterCaps, TheVirtualPrinterIsA4At600Dpi) {
  EXPECT_TRUE(isVirtualPrinter("KUMI PDF"));
  EXPECT_EQ(virtualPrinterCaps(), (PrinterCaps{4960, 7014, 100, 100, 4760, 6814, 201, 288, 600,
                                               600, PrinterOrientation::Portrait}));
}

TEST(CapsFromSheet, TurnsCupsMediaIntoDevicePixels) {
  // A4 with 4.23 mm margins all round, at 600 dpi.
  const PrinterCaps c = capsFromSheet(21000, 29700, 423, 423, 423, 423, 600);
  EXPECT_EQ(c.physicalWidth, 4961);
  EXPECT_EQ(c.physicalHeight, 7016);
  EXPECT_EQ(c.physicalOffsetX, 100);
  EXPECT_EQ(c.horzRes, 4761);
  EXPECT_EQ(c.horzSize, 201);
  EXPECT_EQ(c.vertSize, 288);
  EXPECT_EQ(c.orientation, PrinterOrientation::Portrait);
  EXPECT_EQ(capsFromSheet(29700, 21000, 0, 0, 0, 0, 300).orientation,
            PrinterOrientation::Landscape);
}

}  // namespace
}  // namespace kumi::platform
