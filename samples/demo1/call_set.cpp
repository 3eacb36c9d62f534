#include "samples/demo1/call_set.h"

#include <algorithm>
#include <vector>

#include "kumi/sssub5.h"
#include "platform/base/cp932.h"

namespace kumi::samples {

void FixedField::set(std::string_view value) {
  std::fill(value_.begin(), value_.end(), ' ');
  std::copy_n(value.begin(), std::min(value.size(), value_.size()), value_.begin());
}

CallSet::CallSet() { breakChar.set(platform::utf8ToCp932Lossy("＠")); }

void CallSet::setText(std::string_view utf8) { text = platform::utf8ToCp932Lossy(utf8); }

int32_t callEngine(CallSet& s) {
  // The engine reads up to a NUL and writes 8 result bytes: give it room.
  std::vector<char> buffer(s.text.begin(), s.text.end());
  buffer.resize(std::max<size_t>(s.text.size() + 1, 16), '\0');
  s.result = sssub5(s.command.data(), s.resultSelector.data(), s.sizeDownFlag.data(),
                    s.recordKind.data(), s.pageNumber.data(), s.charSize.data(), s.fontCode.data(),
                    s.digitMode.data(), s.keepTogether.data(), s.placeSize.data(),
                    s.widthScale.data(), s.heightScale.data(), s.originX, s.originY, s.blockExtent,
                    s.blockAlign.data(), s.rubyOpen.data(), s.linePitch, s.lineLength,
                    s.lineCounter, s.rubyClose.data(), s.breakChar.data(), s.lineAlign.data(),
                    s.spaceTrim.data(), s.ruleType.data(), s.ruleStyle.data(), s.coord1, s.coord2,
                    s.coord3, s.coord4, buffer.data());
  // The string fields were written in place; the text comes back as the engine left it.
  s.text.assign(buffer.data(), s.text.size());
  return s.result;
}

}  // namespace kumi::samples
