#pragma once
// Little-endian bytes in and out, for the metafile formats. Writing appends
// to a vector; reading goes through a bounds-checked view that refuses to
// step outside its span (callers ask need() before they touch).
#include <bit>
#include <cstdint>
#include <cstring>
#include <span>
#include <vector>

namespace kumi::platform {

inline void writeU16LE(std::vector<uint8_t>& out, uint16_t v) {
  out.push_back(static_cast<uint8_t>(v));
  out.push_back(static_cast<uint8_t>(v >> 8));
}
inline void writeU32LE(std::vector<uint8_t>& out, uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}
inline void writeI32LE(std::vector<uint8_t>& out, int32_t v) {
  writeU32LE(out, static_cast<uint32_t>(v));
}
inline void writeF32LE(std::vector<uint8_t>& out, float v) {
  writeU32LE(out, std::bit_cast<uint32_t>(v));
}
inline void putU32LE(std::span<uint8_t> out, size_t pos, uint32_t v) {
  for (size_t i = 0; i < 4; ++i) out[pos + i] = static_cast<uint8_t>(v >> (8 * i));
}
inline void putU16LE(std::span<uint8_t> out, size_t pos, uint16_t v) {
  out[pos] = static_cast<uint8_t>(v);
  out[pos + 1] = static_cast<uint8_t>(v >> 8);
}

// A read-only view over untrusted bytes. Every getter checks its range and
// returns 0 outside it, so a caller that forgot need() reads zeros, never
// past the end; need() is how callers say "this record is too short".
class ByteView {
 public:
  ByteView() = default;
  explicit ByteView(std::span<const uint8_t> bytes) : bytes_(bytes) {}

  size_t size() const { return bytes_.size(); }
  std::span<const uint8_t> bytes() const { return bytes_; }
  // True when [pos, pos + n) lies inside the view (overflow-safe).
  bool need(size_t pos, size_t n) const { return pos <= bytes_.size() && n <= bytes_.size() - pos; }
  // [pos, pos + count × unit) inside the view, without overflow.
  bool needArray(size_t pos, uint64_t count, size_t unit) const {
    if (unit != 0 && count > (uint64_t{SIZE_MAX} / unit)) return false;
    return need(pos, static_cast<size_t>(count * unit));
  }

  uint8_t u8(size_t pos) const { return need(pos, 1) ? bytes_[pos] : 0; }
  uint16_t u16(size_t pos) const {
    return need(pos, 2) ? static_cast<uint16_t>(bytes_[pos] | (bytes_[pos + 1] << 8)) : 0;
  }
  int16_t i16(size_t pos) const { return static_cast<int16_t>(u16(pos)); }
  uint32_t u32(size_t pos) const {
    if (!need(pos, 4)) return 0;
    return static_cast<uint32_t>(bytes_[pos]) | (static_cast<uint32_t>(bytes_[pos + 1]) << 8) |
           (static_cast<uint32_t>(bytes_[pos + 2]) << 16) |
           (static_cast<uint32_t>(bytes_[pos + 3]) << 24);
  }
  int32_t i32(size_t pos) const { return static_cast<int32_t>(u32(pos)); }
  float f32(size_t pos) const { return std::bit_cast<float>(u32(pos)); }
  std::span<const uint8_t> sub(size_t pos, size_t n) const {
    return need(pos, n) ? bytes_.subspan(pos, n) : std::span<const uint8_t>{};
  }

 private:
  std::span<const uint8_t> bytes_;
};

}  // namespace kumi::platform
