#include "engine/compose/horizontal/text_flow.h"

#include <cstdint>

#include "engine/core/engine.h"

namespace kumi::engine {

std::array<char, 4> nextPageName(const std::array<char, 4>& page) {
  int value = 0;
  for (char c : page) value = value * 10 + (c >= '0' && c <= '9' ? c - '0' : 0);
  value = (value + 1) % 10000;
  std::array<char, 4> out{};
  for (int i = 3; i >= 0; --i) {
    out[static_cast<size_t>(i)] = static_cast<char>('0' + value % 10);
    value /= 10;
  }
  return out;
}

HorizontalFlow::HorizontalFlow(Engine& engine) : engine_(engine) {
  CallRecord& call = engine_.record();
  pageAtStart_ = call.pageName;
  if (call.recordKind[0] == 'U' && call.recordKind[1] == '0') {
    kind_ = Kind::Tiers;
    return;
  }
  if (call.recordKind[0] != 'V' || call.recordKind[1] != '0') return;
  kind_ = Kind::Pages;
  FlowState& flow = engine_.flow();
  if (!flow.horizontalLatched) {
    flow.horizontalLatched = true;
    flow.latchedOriginY = call.originY;
    flow.horizontalExtent = call.blockExtent;
    flow.horizontalTiersPerPage = call.lineCounter;
    tier_ = 0;
  } else {
    tier_ = call.lineCounter;
  }
}

void HorizontalFlow::startLine(LineFormat& format) {
  if (kind_ == Kind::None) return;
  CallRecord& call = engine_.record();
  // Positions wrap like the records' 32-bit integers; hostile values must not overflow.
  if (!format.fromTable && tier_ > 0) format.startX = static_cast<int32_t>(format.startX + int64_t{tier_} * call.coord1);
  const FlowState& flow = engine_.flow();
  // A page of no tiers would put every line on a page of its own: a count of
  // 0 or less sets no page limit.
  if (kind_ == Kind::Pages && flow.horizontalTiersPerPage > 0 && tier_ >= flow.horizontalTiersPerPage) {
    call.pageName = nextPageName(call.pageName);
    format.startX = call.originX;
    format.length = call.lineLength;
    call.blockExtent = flow.horizontalExtent;
    call.originY = flow.latchedOriginY;
    tier_ = 0;
  }
}

int32_t HorizontalFlow::nextLineY(int32_t lineY, int32_t lineSize) {
  const CallRecord& call = engine_.record();
  const auto next = static_cast<int32_t>(int64_t{lineY} + call.linePitch);
  if (kind_ == Kind::None) return next;
  if (int64_t{next} + lineSize < int64_t{call.originY} + call.blockExtent) return next;
  if (tier_ < INT32_MAX) ++tier_;
  if (kind_ == Kind::Tiers) return call.originY;
  return static_cast<int32_t>(int64_t{call.coord2} + engine_.flow().latchedOriginY);
}

void HorizontalFlow::finish() {
  if (kind_ != Kind::Pages) return;
  CallRecord& call = engine_.record();
  if (call.measureOnly()) {
    call.pageName = pageAtStart_;
  } else {
    call.lineCounter = tier_;
  }
}

}  // namespace kumi::engine
