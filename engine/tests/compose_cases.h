#pragma once
// Whole compositions through Engine::call, checked on the sk.dat they write.
//
// One case a line: text; options; the records written; the results. Options
// change the call (kind, sizes, origin, length, alignment ...) or define a
// table before it. Records read "Y,X字", a page change "[0002]", a glyph
// direction other than Y "/T", on request a width code other than 0 "~2";
// image records "G1:Y,X", "G3:name", "G2:Y,X,HxW".
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "call_builder.h"
#include "engine/core/engine.h"
#include "engine/pagefile/page_file_reader.h"
#include "msgbox_log.h"
#include "platform/base/cp932.h"
#include "run_dir.h"

namespace kumi::engine::testing {

inline std::string sjis(const std::string& utf8) { return platform::utf8ToCp932Lossy(utf8); }

inline std::vector<std::string> split(const std::string& s, char sep) {
  std::vector<std::string> out;
  std::istringstream in(s);
  std::string item;
  while (std::getline(in, item, sep)) out.push_back(item);
  return out;
}

// A table definition from "GT=）、" (characters), "TB=S:200:240,..."
// (four-byte fields separated by ':'; a CA substitute takes twelve bytes) or
// "DB=..." (entries given byte for byte, '_' for a blank, separated by ',').
inline std::string tableDefinition(const std::string& name, const std::string& value) {
  std::string def = name + "  ";
  const bool fielded = value.find(':') != std::string::npos;
  if (name == "DB") {
    for (std::string entry : split(value, ',')) {
      for (char& ch : entry) if (ch == '_') ch = ' ';
      def += sjis(entry);
    }
  } else if (!fielded) {
    const std::string chars = sjis(value);
    for (size_t i = 0; i + 1 < chars.size(); i += 2) def += chars.substr(i, 2) + "  ";
  } else {
    for (const std::string& entry : split(value, ',')) {
      const std::vector<std::string> fields = split(entry, ':');
      for (size_t i = 0; i < fields.size(); ++i) {
        std::string f = sjis(fields[i]);
        f.resize(name == "CA" && i == 2 ? 12 : ((f.size() + 3) / 4) * 4, ' ');
        def += f.empty() ? "    " : f;
      }
    }
  }
  return def + "FF";
}

// The call of a case: the builder's defaults with a left-set line of ten
// Q12 characters at (100, 1000), pitch 80.
inline CallBuilder callOf(const std::string& text, const std::string& options, std::vector<std::string>& tables) {
  CallBuilder b;
  b.originX = 100;
  b.originY = 1000;
  b.linePitch = 80;
  b.lineLength = 480;
  b.lineAlign = "B";
  std::istringstream in(options);
  std::string opt;
  while (in >> opt) {
    const std::string key = opt.substr(0, opt.find('='));
    const std::string v = opt.substr(opt.find('=') + 1);
    if (key == "cmd") b.command[0] = v[0];
    else if (key == "fam") b.command[1] = v[0];
    else if (key == "sel") b.resultSelector[0] = v[0];
    else if (key == "tcode") b.resultSelector[1] = v[0];
    else if (key == "kind") b.recordKind = v;
    else if (key == "page") b.pageNumber = (v + "    ").substr(0, 4);
    else if (key == "q") b.charSize = b.placeSize = (v + "   ").substr(0, 3);
    else if (key == "digit") b.digitMode = v;
    else if (key == "keep") b.keepTogether = v;
    else if (key == "hs") b.heightScale = v;
    else if (key == "ws") b.widthScale = v;
    else if (key == "x") b.originX = std::stoi(v);
    else if (key == "y") b.originY = std::stoi(v);
    else if (key == "extent") b.blockExtent = std::stoi(v);
    else if (key == "balign") b.blockAlign = v;
    else if (key == "pitch") b.linePitch = std::stoi(v);
    else if (key == "len") b.lineLength = std::stoi(v);
    else if (key == "counter") b.lineCounter = std::stoi(v);
    else if (key == "align") b.lineAlign = v;
    else if (key == "trim") b.spaceTrim = v;
    else if (key == "c1") b.coord1 = std::stoi(v);
    else if (key == "c2") b.coord2 = std::stoi(v);
    else tables.push_back(tableDefinition(key, v));
  }
  b.withText(sjis(text));
  return b;
}

inline std::string glyphText(const pagefile::CharacterRecord& c) {
  if (c.cls == 'A') return platform::cp932ToUtf8Lossy(std::string(1, static_cast<char>(c.singleByte)));
  const char bytes[2] = {static_cast<char>(c.code[0]), static_cast<char>(c.code[1])};
  return platform::cp932ToUtf8Lossy(std::string_view(bytes, 2));
}

inline std::string dump(const std::vector<pagefile::RecordBytes>& records, bool widthCodes = false) {
  std::ostringstream out;
  std::string page = "0001";
  for (const pagefile::RecordBytes& r : records) {
    const pagefile::PageName p = pagefile::pageOf(r);
    if (std::string(p.data(), 4) != page) {
      page.assign(p.data(), 4);
      out << " [" << page << "]";
    }
    out << ' ';
    switch (pagefile::kindOf(r)) {
      case pagefile::RecordKind::Character: {
        const pagefile::CharacterRecord c = pagefile::decodeCharacter(r);
        out << c.y << ',' << c.x << glyphText(c);
        if (c.direction != 'Y') out << '/' << c.direction;
        if (widthCodes && c.widthScale != '0') out << '~' << c.widthScale;
        break;
      }
      case pagefile::RecordKind::ImagePlace: {
        const pagefile::ImagePlaceRecord g = pagefile::decodeImagePlace(r);
        out << "G1:" << g.y << ',' << g.x;
        break;
      }
      case pagefile::RecordKind::ImageName: out << "G3:" << pagefile::imageFileName(pagefile::decodeImageName(r)); break;
      case pagefile::RecordKind::ImageSize: {
        const pagefile::ImageSizeRecord g = pagefile::decodeImageSize(r);
        out << "G2:" << g.y << ',' << g.x << ',' << g.height << 'x' << g.width;
        break;
      }
      default: out << "rule"; break;
    }
  }
  const std::string s = out.str();
  return s.empty() ? s : s.substr(1);
}

inline std::string resultsOf(const Engine& e) {
  const CompositionResults& r = e.results();
  std::ostringstream out;
  out << "P=" << r.naturalLength << " D=" << r.lineCount << " X=" << r.cursorY << " Y=" << r.cursorX;
  return out.str();
}

// Runs in an open run; the records written by the calls between open and close.
class ComposeRun {
 public:
  explicit ComposeRun(const char* name) : dir_(name) {
    dir_.writeWinprm(dir_.windowsPath());
    CallBuilder open;
    open.command = "O ";
    engine_.call(open.args());
  }

  // Defines the case's tables, then composes its text.
  void compose(const std::string& text, const std::string& options) {
    std::vector<std::string> tables;
    CallBuilder b = callOf(text, options, tables);
    for (const std::string& t : tables) {
      CallBuilder def;
      def.recordKind = "P ";
      def.withText(t);
      engine_.call(def.args());
    }
    engine_.call(b.args());
  }

  std::string records(bool widthCodes = false) {
    CallBuilder close;
    close.command = "C ";
    engine_.call(close.args());
    pagefile::PageFileContents contents;
    EXPECT_TRUE(pagefile::readPageFile(dir_.skDat().string(), contents));
    return dump(contents.records, widthCodes);
  }

  Engine& engine() { return engine_; }

 private:
  RunDirectory dir_;
  Engine engine_;
};

struct Case {
  const char* text;
  const char* options;
  const char* records;
  const char* results;
};

inline void check(const Case& c, const char* runName = "compose_e2e") {
  MessageLog log;  // keeps a boundary message off the terminal
  ComposeRun run(runName);
  run.compose(c.text, c.options);
  const std::string results = resultsOf(run.engine());
  EXPECT_EQ(run.records(), c.records) << c.text << "; " << c.options;
  EXPECT_EQ(results, c.results) << c.text << "; " << c.options;
}

}  // namespace kumi::engine::testing
