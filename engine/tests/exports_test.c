/* The public header compiles as C and its one export links from C. */
#include "kumi/sssub5.h"

typedef int32_t (KUMI_CALL *Sssub5Fn)(
    char*, char*, char*, char*, char*, char*, char*, char*, char*, char*, char*, char*,
    int32_t, int32_t, int32_t, char*, char*, int32_t, int32_t, int32_t, char*, char*,
    char*, char*, char*, char*, int32_t, int32_t, int32_t, int32_t, char*);

Sssub5Fn kumiExportedEntry(void) { return &sssub5; }
