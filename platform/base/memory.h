#pragma once
// Allocator settings for programs that build a large buffer again and again
// (a page metafile of some hundred kilobytes for every page of a run).
namespace kumi::platform {

// Keeps freed memory in the heap for the next page instead of returning it
// to the system and faulting it back in: with the C library's defaults a
// run spent as long in the kernel as in drawing. A no-op where the C
// library offers no such setting.
void keepFreedMemoryForReuse();

}  // namespace kumi::platform
