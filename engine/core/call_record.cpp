#include "engine/core/call_record.h"

#include <cstdio>
#include <cstring>

#include "engine/core/size_code.h"
#include "engine/text/internal_text.h"

namespace kumi::engine {
namespace {

char byteAt(const char* field, size_t i) { return field == nullptr ? '\0' : field[i]; }

template <size_t N>
std::array<char, N> copyField(const char* field) {
  std::array<char, N> out{};
  for (size_t i = 0; i < N; ++i) out[i] = byteAt(field, i);
  return out;
}

// A blank or NUL scale code becomes '0', in the caller's storage too.
char normaliseScale(char* field) {
  if (field == nullptr) return '0';
  if (*field == ' ' || *field == '\0') *field = '0';
  return *field;
}

}  // namespace

std::array<char, 4> normalisePageName(const std::array<char, 4>& p) {
  if (p[1] == ' ' && p[2] == ' ' && p[3] == ' ') return {'0', '0', '0', p[0]};
  if (p[2] == ' ' && p[3] == ' ') return {'0', '0', p[0], p[1]};
  if (p[3] == ' ') return {'0', p[0], p[1], p[2]};
  return p;
}

std::array<char, 4> counterTextOf(int32_t value) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "%d", value);
  std::array<char, 4> out{};
  for (size_t i = 0; i < out.size() && buf[i] != '\0'; ++i) out[i] = buf[i];
  return out;
}

void intakeFlags(const CallArgs& a, CallRecord& r) {
  r.command = byteAt(a.command, 0);
  r.family = byteAt(a.command, 1);
  r.resultSelector = byteAt(a.resultSelector, 0);
  r.textCodeFlag = byteAt(a.resultSelector, 1);
  r.sizeDownFlag = byteAt(a.sizeDownFlag, 0);
}

void intakeArguments(const CallArgs& a, CallRecord& r) {
  r.recordKind = copyField<2>(a.recordKind);
  r.pageName = normalisePageName(copyField<4>(a.pageNumber));

  const auto charSize = copyField<3>(a.charSize);
  r.charSizeCode = sizeCodeFromText({charSize.data(), charSize.size()});
  r.fontCode = copyField<2>(a.fontCode);
  if (r.fontCode[1] == ' ') r.fontCode[1] = '0';
  r.digitMode = byteAt(a.digitMode, 0);
  r.keepTogether = byteAt(a.keepTogether, 0);

  r.widthScale = normaliseScale(a.widthScale);
  r.heightScale = normaliseScale(a.heightScale);
  const auto placeSize = copyField<3>(a.placeSize);
  r.placeSizeCode = sizeCodeFromText({placeSize.data(), placeSize.size()});
  r.attributes = {'1', '0', '0', '0', '0', '0', '0'};
  r.attributes[2] = static_cast<char>(r.placeSizeCode);
  r.attributes[5] = r.widthScale;
  r.attributes[6] = r.heightScale;

  r.originX = a.originX;
  r.originY = a.originY;
  r.blockExtent = a.blockExtent;
  r.blockAlign = byteAt(a.blockAlign, 0);
  r.rubyOpen = copyField<2>(a.rubyOpen);
  r.linePitch = a.linePitch;
  r.lineLength = a.lineLength;
  r.lineCounter = a.lineCounter;
  r.counterText = counterTextOf(a.lineCounter);
  r.rubyClose = copyField<2>(a.rubyClose);
  r.breakChar = intakeCharField(static_cast<uint8_t>(byteAt(a.breakChar, 0)),
                                static_cast<uint8_t>(byteAt(a.breakChar, 1)));
  r.lineAlign = byteAt(a.lineAlign, 0);
  r.spaceTrim = byteAt(a.spaceTrim, 0);
  r.ruleType = byteAt(a.ruleType, 0);
  r.ruleStyle = copyField<4>(a.ruleStyle);
  r.coord1 = a.coord1;
  r.coord2 = a.coord2;
  r.coord3 = a.coord3;
  r.coord4 = a.coord4;

  // Texts without a NUL in their first 2000 bytes are cut there.
  r.textLength = a.text == nullptr ? 0 : strnlen(a.text, kMaxTextBytes);
  if (r.textLength > 0) std::memcpy(r.text.data(), a.text, r.textLength);
  r.text[r.textLength] = '\0';
}

}  // namespace kumi::engine
