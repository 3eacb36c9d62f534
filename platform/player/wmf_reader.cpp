#include "platform/player/wmf_reader.h"

namespace kumi::platform::wmf {

std::optional<WmfHeader> readWmfHeader(std::span<const uint8_t> file, std::string* why) {
  auto fail = [why](const char* reason) -> std::optional<WmfHeader> {
    if (why != nullptr) *why = reason;
    return std::nullopt;
  };
  const ByteView v(file);
  WmfHeader h;
  size_t at = 0;
  if (v.need(0, 4) && v.u32(0) == kPlaceableKey) {
    if (!v.need(0, kPlaceableSize)) return fail("the placeable header is cut off");
    h.placeable = Placeable{v.i16(6), v.i16(8), v.i16(10), v.i16(12), v.u16(14)};
    at = kPlaceableSize;
  }
  // META_HEADER ([MS-WMF] 2.3.2.2): Type 1 (memory) or 2 (disk), HeaderSize
  // 9 words, Version 0x0100 or 0x0300.
  if (!v.need(at, kMetaHeaderSize)) return fail("too short for a metafile header");
  const uint16_t type = v.u16(at), headerWords = v.u16(at + 2), version = v.u16(at + 4);
  if ((type != 1 && type != 2) || headerWords != 9 || (version != 0x0100 && version != 0x0300)) {
    return fail("not a Windows metafile header");
  }
  h.sizeWords = v.u32(at + 6);
  h.objects = v.u16(at + 10);
  h.recordsAt = at + kMetaHeaderSize;
  return h;
}

WmfRecordLoop::WmfRecordLoop(std::span<const uint8_t> file) : file_(file) {
  std::string why;
  header_ = readWmfHeader(file, &why);
  if (!header_) {
    done_ = true;
    error_ = why;
    return;
  }
  pos_ = header_->recordsAt;
}

std::optional<WmfRecord> WmfRecordLoop::next() {
  if (done_) return std::nullopt;
  auto stop = [this](const char* why) -> std::optional<WmfRecord> {
    done_ = true;
    error_ = why;
    return std::nullopt;
  };
  const ByteView v(file_);
  if (!v.need(pos_, 6)) return stop("the file ends without META_EOF");
  const uint64_t bytes = uint64_t{v.u32(pos_)} * 2;
  const uint16_t function = v.u16(pos_ + 4);
  if (bytes < 6) return stop("a record's size is below 3 words");
  if (bytes > file_.size() - pos_) return stop("a record runs past the end of the file");
  WmfRecord r{function, pos_, file_.subspan(pos_, static_cast<size_t>(bytes))};
  pos_ += static_cast<size_t>(bytes);
  if (function == static_cast<uint16_t>(Function::Eof)) {
    sawEof_ = true;
    done_ = true;
  }
  return r;
}

}  // namespace kumi::platform::wmf
