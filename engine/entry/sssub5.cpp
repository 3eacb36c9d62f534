// The C entry point: unpacks the 31 arguments and hands them to the one
// process-wide Engine. Nothing throws across this boundary.
#include "kumi/sssub5.h"

#include "engine/core/engine.h"

namespace {

kumi::engine::Engine& processEngine() {
  // Created on first use, so loading the library has no side effects.
  static kumi::engine::Engine* engine = new kumi::engine::Engine();
  return *engine;
}

}  // namespace

extern "C" KUMI_EXPORT int32_t KUMI_CALL sssub5(
    char* command, char* resultSelector, char* sizeDownFlag, char* recordKind,
    char* pageNumber, char* charSize, char* fontCode, char* digitMode,
    char* keepTogether, char* placeSize, char* widthScale, char* heightScale,
    int32_t originX, int32_t originY, int32_t blockExtent, char* blockAlign,
    char* rubyOpen, int32_t linePitch, int32_t lineLength, int32_t lineCounter,
    char* rubyClose, char* breakChar, char* lineAlign, char* spaceTrim,
    char* ruleType, char* ruleStyle, int32_t coord1, int32_t coord2,
    int32_t coord3, int32_t coord4, char* text) {
  const kumi::engine::CallArgs args{
      command,   resultSelector, sizeDownFlag, recordKind, pageNumber, charSize,  fontCode,
      digitMode, keepTogether,   placeSize,    widthScale, heightScale, originX,  originY,
      blockExtent, blockAlign,   rubyOpen,     linePitch,  lineLength,  lineCounter, rubyClose,
      breakChar, lineAlign,      spaceTrim,    ruleType,   ruleStyle,   coord1,   coord2,
      coord3,    coord4,         text};
  try {
    return processEngine().call(args);
  } catch (...) {
    // Out of memory is the only thing that can throw here; the caller gets
    // the neutral result rather than a crash across the C boundary.
    return 0;
  }
}
