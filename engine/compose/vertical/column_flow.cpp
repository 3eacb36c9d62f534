#include "engine/compose/vertical/column_flow.h"

#include "engine/compose/horizontal/text_flow.h"
#include "engine/compose/saturate.h"
#include "engine/core/engine.h"

namespace kumi::engine {

VerticalFlow::VerticalFlow(Engine& engine) : engine_(engine) {
  const CallRecord& call = engine_.record();
  pageAtStart_ = call.pageName;
  if (call.recordKind[0] != 'J') return;
  if (call.recordKind[1] == 'U') {
    kind_ = Kind::Tiers;
    return;
  }
  if (call.recordKind[1] != 'V') return;
  kind_ = Kind::Pages;
  FlowState& flow = engine_.flow();
  if (!flow.verticalLatched) {
    flow.verticalLatched = true;
    flow.latchedOriginX = call.originX;
    flow.latchedExtent = call.blockExtent;
    flow.verticalTiersPerPage = call.lineCounter;
    tier_ = 0;
  } else {
    tier_ = call.lineCounter;
  }
}

void VerticalFlow::startColumn(ColumnFormat& format) {
  if (kind_ == Kind::None) return;
  CallRecord& call = engine_.record();
  if (!format.fromTable && tier_ > 0) format.startY = wrapAdd(format.startY, int64_t{tier_} * call.coord1);
  const FlowState& flow = engine_.flow();
  if (kind_ == Kind::Pages && flow.verticalTiersPerPage > 0 && tier_ >= flow.verticalTiersPerPage) {
    call.pageName = nextPageName(call.pageName);
    format.startY = call.originY;
    format.length = call.lineLength;
    call.originX = flow.latchedOriginX;
    call.blockExtent = flow.latchedExtent;
    tier_ = 0;
  }
}

int32_t VerticalFlow::nextColumnX(int32_t columnX, int32_t columnSize) {
  const CallRecord& call = engine_.record();
  const int32_t next = wrapAdd(columnX, -int64_t{call.linePitch});
  if (kind_ == Kind::None) return next;
  if (int64_t{next} - columnSize > int64_t{call.originX} - call.blockExtent) return next;
  if (tier_ < INT32_MAX) ++tier_;
  if (kind_ == Kind::Tiers) return call.originX;
  return wrapAdd(call.coord2, engine_.flow().latchedOriginX);
}

void VerticalFlow::finish() {
  if (kind_ != Kind::Pages) return;
  CallRecord& call = engine_.record();
  if (call.measureOnly()) {
    call.pageName = pageAtStart_;
  } else {
    call.lineCounter = tier_;
  }
}

}  // namespace kumi::engine
