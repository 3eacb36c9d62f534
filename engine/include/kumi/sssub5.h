/* kumi typesetting engine: the one entry point of libkumicore.
 *
 * A client opens a run (command 'O'), defines style tables, sends text, rule
 * and image calls, and closes the run (command 'C'). Character fields point at
 * fixed-width data that is not NUL-terminated; `text` is a writable,
 * NUL-terminated buffer of at least 8 bytes whose first 8 bytes receive the
 * four 16-bit result words on return. */
#ifndef KUMI_SSSUB5_H
#define KUMI_SSSUB5_H

#include <stdint.h>

#if defined(_WIN32)
#define KUMI_CALL __stdcall
#define KUMI_EXPORT __declspec(dllexport)
#else
#define KUMI_CALL
#define KUMI_EXPORT __attribute__((visibility("default")))
#endif

#ifdef __cplusplus
extern "C" {
#endif

KUMI_EXPORT int32_t KUMI_CALL sssub5(
    char* command, char* resultSelector, char* sizeDownFlag, char* recordKind,
    char* pageNumber, char* charSize, char* fontCode, char* digitMode,
    char* keepTogether, char* placeSize, char* widthScale, char* heightScale,
    int32_t originX, int32_t originY, int32_t blockExtent, char* blockAlign,
    char* rubyOpen, int32_t linePitch, int32_t lineLength, int32_t lineCounter,
    char* rubyClose, char* breakChar, char* lineAlign, char* spaceTrim,
    char* ruleType, char* ruleStyle, int32_t coord1, int32_t coord2,
    int32_t coord3, int32_t coord4, char* text);

#ifdef __cplusplus
}
#endif

#endif /* KUMI_SSSUB5_H */
