#include "renderer/drawing/character_drawing.h"

#include <gtest/gtest.h>

#include "platform/base/cp932.h"
#include "platform/emf/emf_writer.h"
#include "tools/emfdump/emfdump_format.h"

namespace kumi::renderer::drawing {
namespace {

using pagefile::CharacterRecord;
using platform::rgb;

const platform::ReferenceDevice kA4{4760, 6814, 201, 288, 0, 0};
constexpr PageUnits kStandard{100, 1, 1.0};
constexpr PageUnits kLarge{10, 10, 1.03};

// 組 at 100 mm across, 50 mm down; 12 Q, face A, horizontal, black.
CharacterRecord kumi() {
  CharacterRecord r;
  r.page = {'0', '0', '0', '1'};
  r.x = 1600;
  r.y = 800;
  r.code[0] = 0x91;
  r.code[1] = 0x67;
  r.fontLetter = 'A';
  r.sizeCode = 0xC1;
  r.cls = 'K';
  r.colour[0] = '1';
  r.direction = 'Y';
  r.style = '\0';
  return r;
}

class Page {
 public:
  explicit Page(PageUnits units = kStandard) : units_(units), writer_(kA4, {0, 0, 21000, 29700}, "") {
    writer_.setMapMode(units.pageScale == 100 ? platform::MapMode::HiMetric
                                              : platform::MapMode::LoMetric);
  }
  void draw(const CharacterRecord& r) {
    drawer.draw(r, {writer_, units_, settings, outline, painter});
  }
  // The records the characters made, one dump line each.
  std::string dump() {
    const std::string all = tools::formatEmf(writer_.finish());
    const size_t start = all.find("SETMAPMODE");
    const size_t body = all.find('\n', start) + 1;
    return all.substr(body, all.rfind("EOF\n") - body);
  }

  CharacterSettings settings;
  RuleOutline outline;
  ImageFillPainter* painter = nullptr;
  CharacterDrawer drawer;

 private:
  PageUnits units_;
  platform::EmfWriter writer_;
};

TEST(CharacterDrawing, HorizontalCharacter) {
  Page page;
  CharacterRecord r = kumi();
  r.colour[0] = '5';
  page.draw(r);
  EXPECT_EQ(page.dump(),
            "SETBKMODE TRANSPARENT\n"
            "SETTEXTCOLOR rgb(255,0,0)\n"
            "EXTCREATEFONTINDIRECTW #1 face=\"ＭＳ 明朝\" height=300 width=150 escapement=0 "
            "orientation=0 weight=0 charset=1 quality=2\n"
            "SELECTOBJECT #1\n"
            "EXTTEXTOUTW (10000,-5000) \"組\" dx=300\n");
}

// One line a case: what the record changes, and the font and text lines it
// must give.
struct FontCase {
  const char* name;
  void (*change)(CharacterRecord&, CharacterSettings&);
  PageUnits units;
  const char* font;  // the EXTCREATEFONTINDIRECTW fields after the handle
  const char* text;  // the EXTTEXTOUTW line
};

class CharacterFont : public ::testing::TestWithParam<FontCase> {};

TEST_P(CharacterFont, MakesTheFontAndPlacesTheText) {
  const FontCase& c = GetParam();
  Page page(c.units);
  CharacterRecord r = kumi();
  c.change(r, page.settings);
  page.draw(r);
  const std::string dump = page.dump();
  EXPECT_NE(dump.find(std::string("EXTCREATEFONTINDIRECTW #1 ") + c.font), std::string::npos) << dump;
  EXPECT_NE(dump.find(c.text), std::string::npos) << dump;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CharacterFont,
    ::testing::Values(
        FontCase{"empty_font_entry_draws_in_default_face",
                 [](CharacterRecord& r, CharacterSettings&) { r.fontLetter = '4'; }, kStandard,
                 "face=\"ＭＳ 明朝\" height=300 width=150 escapement=0 orientation=0 weight=0",
                 "EXTTEXTOUTW (10000,-5000) \"組\""},
        FontCase{"font_entry_face",
                 [](CharacterRecord& r, CharacterSettings& s) {
                   r.fontLetter = '2';
                   s.fontFaces[1] = platform::utf8ToCp932Lossy("ＭＳ ゴシック");
                 },
                 kStandard, "face=\"ＭＳ ゴシック\" height=300", "EXTTEXTOUTW (10000,-5000)"},
        // Turned: the vertical face at 900, one em (48 units, 3 mm) right.
        FontCase{"turned_face",
                 [](CharacterRecord& r, CharacterSettings&) { r.direction = 'T'; }, kStandard,
                 "face=\"@ＭＳ 明朝\" height=300 width=150 escapement=900 orientation=900",
                 "EXTTEXTOUTW (10300,-5000) \"組\""},
        // The second family stands upright as the first does: V like Y, W like T.
        FontCase{"second_family_horizontal_is_upright",
                 [](CharacterRecord& r, CharacterSettings&) { r.direction = 'V'; }, kStandard,
                 "face=\"ＭＳ 明朝\" height=300 width=150 escapement=0 orientation=0",
                 "EXTTEXTOUTW (10000,-5000) \"組\""},
        FontCase{"second_family_vertical_is_turned_upright",
                 [](CharacterRecord& r, CharacterSettings&) { r.direction = 'W'; }, kStandard,
                 "face=\"@ＭＳ 明朝\" height=300 width=150 escapement=900 orientation=900",
                 "EXTTEXTOUTW (10300,-5000) \"組\""},
        FontCase{"unknown_direction_is_drawn_vertical_as_written",
                 [](CharacterRecord& r, CharacterSettings&) { r.direction = 'Q'; }, kStandard,
                 "face=\"@ＭＳ 明朝\" height=300 width=150 escapement=2700 orientation=2700",
                 "EXTTEXTOUTW (10300,-5000) \"組\""},
        FontCase{"vertical_entry_gets_one_at",
                 [](CharacterRecord& r, CharacterSettings& s) {
                   r.direction = 'W';
                   r.fontLetter = '1';
                   s.fontFaces[0] = "@Face";
                 },
                 kStandard, "face=\"@Face\" height=300", "EXTTEXTOUTW (10300,-5000)"},
        FontCase{"style_V_adds_nothing",
                 [](CharacterRecord& r, CharacterSettings&) { r.style = 'V'; }, kStandard,
                 "face=\"ＭＳ 明朝\" height=300 width=150 escapement=0 orientation=0 weight=0 "
                 "charset=1",
                 "EXTTEXTOUTW (10000,-5000)"},
        FontCase{"bold_italic",
                 [](CharacterRecord& r, CharacterSettings&) { r.style = '7'; }, kStandard,
                 "face=\"ＭＳ 明朝\" height=300 width=150 escapement=0 orientation=0 weight=800 "
                 "italic",
                 "EXTTEXTOUTW (10000,-5000)"},
        FontCase{"scales",
                 [](CharacterRecord& r, CharacterSettings&) {
                   r.widthScale = '3';
                   r.heightScale = '5';
                 },
                 kStandard, "face=\"ＭＳ 明朝\" height=165 width=112 ", "EXTTEXTOUTW (10000,-5000)"},
        FontCase{"unlisted_size_is_5Q",
                 [](CharacterRecord& r, CharacterSettings&) { r.sizeCode = 0xCB; }, kStandard,
                 "face=\"ＭＳ 明朝\" height=125 width=62 ", "EXTTEXTOUTW (10000,-5000)"},
        // Large page: trunc(125 / 10 × 1.03) = 12, positions in 0.1 mm.
        FontCase{"large_page_5Q",
                 [](CharacterRecord& r, CharacterSettings&) { r.sizeCode = 0xB3; }, kLarge,
                 "face=\"ＭＳ 明朝\" height=12 width=6 ", "EXTTEXTOUTW (1000,-500)"},
        FontCase{"single_byte",
                 [](CharacterRecord& r, CharacterSettings&) {
                   r.cls = 'A';
                   r.singleByte = 0xB6;  // ｶ
                 },
                 kStandard, "face=\"ＭＳ 明朝\"", "EXTTEXTOUTW (10000,-5000) \"ｶ\" dx=150"},
        FontCase{"single_byte_X_draws_double_byte_form",
                 [](CharacterRecord& r, CharacterSettings&) {
                   r.cls = 'A';
                   r.singleByte = 0xB6;
                   r.style = 'X';
                 },
                 kStandard, "face=\"ＭＳ 明朝\"", "EXTTEXTOUTW (10000,-5000) \"組\" dx=300"},
        FontCase{"negative_position_after_shift",
                 [](CharacterRecord& r, CharacterSettings&) {
                   r.x = -17;
                   r.y = -33;
                 },
                 kStandard, "face=\"ＭＳ 明朝\"", "EXTTEXTOUTW (-106,206)"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(CharacterDrawing, FilledDrawsTheDoubleByteFormInAnOpaquePath) {
  Page page;
  CharacterRecord r = kumi();
  r.cls = 'A';
  r.singleByte = 'a';
  r.style = 'N';
  r.colour[0] = '2';
  page.draw(r);
  const std::string d = page.dump();
  const size_t text = d.find("EXTTEXTOUTW");
  EXPECT_EQ(d.substr(d.find("SELECTOBJECT #1\n") + 16),
            "BEGINPATH\n"
            "CREATEPEN #2 style=SOLID width=1 color=rgb(0,0,255)\n"
            "CREATEBRUSHINDIRECT #3 style=SOLID color=rgb(0,0,255)\n"
            "SETBKMODE OPAQUE\n"
            "EXTTEXTOUTW (10000,-5000) \"組\" dx=300\n"
            "ENDPATH\n"
            "SELECTOBJECT #3\n"
            "SELECTOBJECT #2\n"
            "STROKEANDFILLPATH\n"
            "SELECTOBJECT WHITE_BRUSH\n"
            "SELECTOBJECT BLACK_PEN\n"
            "DELETEOBJECT #3\n"
            "DELETEOBJECT #2\n"
            "ABORTPATH\n")
      << d;
  EXPECT_EQ(d.find("EXTTEXTOUTW", text + 1), std::string::npos) << "drawn once";
}

TEST(CharacterDrawing, HollowStrokesTheOutlineOnly) {
  Page page;
  CharacterRecord r = kumi();
  r.style = 'O';
  page.draw(r);
  const std::string d = page.dump();
  EXPECT_NE(d.find("BEGINPATH\n"
                   "CREATEPEN #2 style=SOLID width=1 color=rgb(0,0,0)\n"
                   "CREATEBRUSHINDIRECT #3 style=SOLID color=rgb(0,0,0)\n"
                   "EXTTEXTOUTW (10000,-5000) \"組\" dx=300\n"
                   "ENDPATH\n"
                   "SELECTOBJECT #2\n"
                   "STROKEPATH\n"
                   "SELECTOBJECT BLACK_PEN\n"
                   "DELETEOBJECT #2\n"
                   "DELETEOBJECT #3\n"
                   "ABORTPATH\n"),
            std::string::npos)
      << d;
  EXPECT_EQ(d.find("OPAQUE"), std::string::npos);
}

TEST(CharacterDrawing, ShadowIsGreyOneMillimetreDownAndRight) {
  for (const PageUnits& units : {kStandard, kLarge}) {
    Page page(units);
    CharacterRecord r = kumi();
    r.style = 'S';
    r.colour[0] = '3';
    page.draw(r);
    const std::string d = page.dump();
    const std::string at = units.pageScale == 100 ? "(10100,-5100)" : "(1010,-510)";
    const std::string main = units.pageScale == 100 ? "(10000,-5000)" : "(1000,-500)";
    EXPECT_NE(d.find("SETTEXTCOLOR rgb(191,191,191)\nEXTTEXTOUTW " + at +
                     " \"組\"" + (units.pageScale == 100 ? " dx=300" : " dx=30") +
                     "\nSETTEXTCOLOR rgb(0,255,0)\nEXTTEXTOUTW " + main),
              std::string::npos)
        << d;
  }
}

TEST(CharacterDrawing, BorderedStrokesWithTheRuleOutline) {
  struct Case {
    RuleOutline outline;
    const char* pen;
  };
  // RW 30 (a file width of 3 on a standard page): trunc(30 × 38.1 / 56.7 × 10) = 201.
  for (const Case& c : {Case{{30, false, rgb(255, 0, 0)}, "width=201 color=rgb(255,0,0)"},
                        Case{{30, true, rgb(255, 0, 0)}, "width=201 color=rgb(231,231,231)"},
                        Case{{}, "width=0 color=rgb(0,0,0)"}}) {
    Page page;
    page.outline = c.outline;
    CharacterRecord r = kumi();
    r.style = 'Y';
    page.draw(r);
    const std::string d = page.dump();
    EXPECT_NE(d.find(std::string("BEGINPATH\n"
                                 "EXTTEXTOUTW (10000,-5000) \"組\" dx=300\n"
                                 "ENDPATH\n"
                                 "CREATEPEN #2 style=SOLID ") +
                     c.pen +
                     "\n"
                     "SELECTOBJECT #2\n"
                     "STROKEPATH\n"
                     "SELECTOBJECT BLACK_PEN\n"
                     "DELETEOBJECT #2\n"
                     "ABORTPATH\n"
                     "EXTTEXTOUTW (10000,-5000) \"組\" dx=300\n"),
              std::string::npos)
        << d;
  }
}

TEST(CharacterDrawing, ImageFilledClipsThePictureToTheGlyph) {
  struct Recorder : ImageFillPainter {
    void drawImageFill(platform::DeviceContext& dc, const std::string& p, int32_t x, int32_t y,
                       int32_t w, int32_t h) override {
      path = p;
      box = {x, y, w, h};
      dc.rectangle({x, -y, x + w, -(y + h)});  // stands for the bitmap
    }
    std::string path;
    platform::BlitRect box;
  } recorder;
  Page page;
  page.painter = &recorder;
  CharacterRecord r = kumi();
  r.style = 'Z';
  page.draw(r);
  EXPECT_EQ(recorder.box, (platform::BlitRect{10000, 5000, 300, 300}));
  const std::string name = platform::utf8ToCp932Lossy("雲.bmp");
  EXPECT_EQ(recorder.path.substr(recorder.path.size() - name.size()), name);
  EXPECT_NE(page.dump().find("BEGINPATH\n"
                             "EXTTEXTOUTW (10000,-5000) \"組\" dx=300\n"
                             "ENDPATH\n"
                             "SELECTCLIPPATH COPY\n"
                             "RECTANGLE (10000,-5000,10300,-5300)\n"
                             "EXTSELECTCLIPRGN COPY default\n"
                             "ABORTPATH\n"),
            std::string::npos);

  // A turned glyph hangs from one em right of its cell but stands inside the
  // cell: the picture fills the cell, or the clip would leave nothing of it.
  Page vertical;
  vertical.painter = &recorder;
  r.direction = 'T';
  vertical.draw(r);
  EXPECT_EQ(recorder.box, (platform::BlitRect{10000, 5000, 300, 300}));
  EXPECT_NE(vertical.dump().find("EXTTEXTOUTW (10300,-5000) \"組\""), std::string::npos);
}

TEST(CharacterDrawing, FontCacheMakesAFontOnlyWhenAValueChanges) {
  Page page;
  CharacterRecord r = kumi();
  page.draw(r);
  r.x += 48;
  r.colour[0] = '5';  // colour is no font value
  page.draw(r);
  EXPECT_EQ(page.drawer.fontsCreated(), 1);
  r.sizeCode = 0xC9;
  page.draw(r);
  EXPECT_EQ(page.drawer.fontsCreated(), 2);
  // A run of turned characters keeps its one font.
  r.direction = 'T';
  page.draw(r);
  page.draw(r);
  page.draw(r);
  EXPECT_EQ(page.drawer.fontsCreated(), 3);
  // A new page starts without a font.
  page.drawer.pageOpened();
  page.draw(r);
  EXPECT_EQ(page.drawer.fontsCreated(), 4);
  const std::string d = page.dump();
  // The old font goes once the new one is selected, never while selected.
  EXPECT_NE(d.find("EXTCREATEFONTINDIRECTW #2 face=\"ＭＳ 明朝\" height=400"), std::string::npos) << d;
  EXPECT_NE(d.find("SELECTOBJECT #2\nDELETEOBJECT #1\n"), std::string::npos) << d;
}

TEST(CharacterDrawing, FacesDifferingAfterFortyBytesShareAFont) {
  Page page;
  CharacterRecord r = kumi();
  r.fontLetter = '1';
  page.settings.fontFaces[0] = std::string(40, 'F') + "one";
  page.draw(r);
  page.settings.fontFaces[0] = std::string(40, 'F') + "two";
  page.draw(r);
  EXPECT_EQ(page.drawer.fontsCreated(), 1);
  page.settings.fontFaces[0] = std::string(39, 'F') + "G";
  page.draw(r);
  EXPECT_EQ(page.drawer.fontsCreated(), 2);
}

TEST(CharacterDrawing, FontSizeArithmetic) {
  FontKey key;
  key.height = 300.0;
  key.width = 150.0;
  key.heightScale = 0.55;
  key.widthScale = 0.95;
  const platform::LogFont f = fontFor(key, kStandard);
  EXPECT_EQ(f.height, 165);  // 300 × 0.55 = 165.00000000000003
  EXPECT_EQ(f.width, 142);   // 0.95 × 150 = 142.5
  key.height = 2500.0;
  key.width = 1250.0;
  key.heightScale = key.widthScale = 1.0;
  const platform::LogFont g = fontFor(key, kLarge);
  EXPECT_EQ(g.height, 257);  // 250 × 1.03 = 257.5
  EXPECT_EQ(g.width, 128);   // 125 × 1.03 = 128.75
}

}  // namespace
}  // namespace kumi::renderer::drawing
