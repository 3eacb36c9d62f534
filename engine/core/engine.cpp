#include "engine/core/engine.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>

#include "engine/compose/composer.h"
#include "engine/shapes/shapes.h"
#include "platform/base/cp932.h"
#include "platform/base/message_box.h"
#include "platform/base/paths.h"

namespace kumi::engine {
namespace {

constexpr const char* kPathNotFound = "パスが見つかりません。";

[[noreturn]] void fatalPathNotFound(const char* caption) {
  platform::messageBox(kPathNotFound, caption);
  std::exit(1);
}

void refuse(const char* text, const char* caption) { platform::messageBox(text, caption); }

}  // namespace

std::string dataDirFromWinprmLine(std::string_view line) {
  if (line.size() < 4 || line[0] != '3') return {};
  std::string_view rest = line.substr(3);
  const size_t quote = rest.find('"');
  if (quote != std::string_view::npos) rest = rest.substr(0, quote);
  return std::string(rest);
}

std::string pageFilePath(std::string_view dir) {
  // The closing separator, "\" or "/", becomes the "\" before the name.
  std::string path = platform::withClosingSeparator(dir);
  if (!path.empty()) path.back() = '\\';
  return path + "sk.dat";
}

void Engine::openRun() {
  std::ifstream in(platform::fileInDirectory("", "WINPRM.cfg"), std::ios::binary);
  if (!in) fatalPathNotFound("WINPRM.CFG");
  char line[257] = {};
  in.getline(line, sizeof line);
  in.close();
  std::string_view first(line);
  if (!first.empty() && first.back() == '\r') first.remove_suffix(1);
  const std::string dir = dataDirFromWinprmLine(first);
  // A first line that is not the data-directory record is as useless as no file.
  if (dir.empty()) fatalPathNotFound("WINPRM.CFG");
  if (!pageFile_.open(platform::openablePath(pageFilePath(dir)))) fatalPathNotFound("SK.DAT");
}

bool Engine::refuseVerticalCall() {
  if (!record_.isVertical()) return false;
  if (record_.digitMode == '1') {
    refuse("縦組みではＰ７のセット値１は使用できません。", "Ｐ７エラー");
    return true;
  }
  if (record_.digitMode == '2') {
    refuse("縦組みではＰ７のセット値２は使用できません。", "Ｐ７エラー");
    return true;
  }
  if (record_.sizeDownFlag == 'S') {
    refuse("縦組みではサイズダウン処理はできません。", "Ｐ２Ｂエラー");
    return true;
  }
  return false;
}

void Engine::intakeText() {
  cells_.fill(CharCell{});
  cells_[0].line = -1;
  if (record_.textCodeFlag == 'J' || record_.textCodeFlag == 'Z') {
    intakeJisText(record_.textView(), record_.textCodeFlag == 'Z', text_);
  } else {
    intakeSjisText(record_.textView(), record_.secondFamily(), text_);
  }
}

void Engine::defineTable() {
  const DefineOutcome outcome = tables_.define(record_.textView());
  if (outcome.boundaryError) {
    const std::string name = platform::cp932ToUtf8Lossy(outcome.tableName);
    platform::messageBox(name + "テーブルにバウンダリエラーがあります。", "エラー");
  }
  if (!outcome.matched) {
    // Not a table name: the text is a caption like any other.
    intakeText();
    composeText(*this);
  }
}

int32_t Engine::resultValue() const {
  switch (record_.resultSelector) {
    case 'P': return results_.naturalLength;
    case 'D': return results_.lineCount;
    case 'X': return results_.cursorY;
    case 'Y': return results_.cursorX;
    default: return record_.coord4;
  }
}

void Engine::writeResultWords(char* text) const {
  if (text == nullptr) return;
  const int32_t words[4] = {results_.naturalLength, results_.lineCount, results_.cursorY,
                            results_.cursorX};
  for (int i = 0; i < 4; ++i) {
    const auto w = static_cast<uint16_t>(words[i]);
    text[2 * i] = static_cast<char>(w & 0xFF);
    text[2 * i + 1] = static_cast<char>(w >> 8);
  }
}

int32_t Engine::call(const CallArgs& args) {
  intakeFlags(args, record_);
  if (record_.command != 'O' && record_.command != 'C') {
    intakeArguments(args, record_);
    if (refuseVerticalCall()) return 0;
  }

  if (record_.command == 'O') {
    openRun();
  } else if (record_.command == 'C') {
    pageFile_.close();
  } else if (record_.kindLetter() == 'K') {
    composeRule(*this);
  } else if (record_.kindLetter() == 'G') {
    composeImage(*this);
  } else if (record_.kindLetter() == 'P') {
    defineTable();
  } else {
    intakeText();
    composeText(*this);
  }

  writeResultWords(args.text);
  return resultValue();
}

}  // namespace kumi::engine
