#pragma once
// Windows Metafiles for the player's tests, built record by record.
#include <cstdint>
#include <initializer_list>
#include <optional>
#include <vector>

#include "platform/emf/byte_io.h"
#include "platform/player/wmf_reader.h"

namespace kumi::platform::player::testing {

class WmfBuilder {
 public:
  explicit WmfBuilder(uint16_t objects = 4) : objects_(objects) {}

  // A record of 16-bit parameters, in the order they are stored.
  WmfBuilder& rec(wmf::Function f, std::initializer_list<int16_t> params) {
    std::vector<uint8_t> bytes;
    for (int16_t p : params) writeU16LE(bytes, static_cast<uint16_t>(p));
    return raw(f, bytes);
  }
  WmfBuilder& raw(wmf::Function f, const std::vector<uint8_t>& params) {
    const size_t words = 3 + (params.size() + 1) / 2;
    writeU32LE(body_, static_cast<uint32_t>(words));
    writeU16LE(body_, static_cast<uint16_t>(f));
    body_.insert(body_.end(), params.begin(), params.end());
    if (params.size() % 2 != 0) body_.push_back(0);
    return *this;
  }
  // A record whose size field says `words` whatever follows.
  WmfBuilder& lying(uint32_t words, uint16_t function) {
    writeU32LE(body_, words);
    writeU16LE(body_, function);
    return *this;
  }

  std::vector<uint8_t> finish(std::optional<wmf::Placeable> placeable = std::nullopt) const {
    std::vector<uint8_t> out;
    if (placeable) {
      writeU32LE(out, wmf::kPlaceableKey);
      writeU16LE(out, 0);
      for (int16_t v : {placeable->left, placeable->top, placeable->right, placeable->bottom}) {
        writeU16LE(out, static_cast<uint16_t>(v));
      }
      writeU16LE(out, placeable->inch);
      writeU32LE(out, 0);
      uint16_t sum = 0;
      for (size_t i = 0; i < 20; i += 2) sum ^= static_cast<uint16_t>(out[i] | (out[i + 1] << 8));
      writeU16LE(out, sum);
    }
    std::vector<uint8_t> records = body_;
    writeU32LE(records, 3);  // META_EOF
    writeU16LE(records, 0);
    writeU16LE(out, 1);       // in memory
    writeU16LE(out, 9);       // header words
    writeU16LE(out, 0x0300);  // version
    writeU32LE(out, static_cast<uint32_t>((18 + records.size()) / 2));
    writeU16LE(out, objects_);
    writeU32LE(out, 0);  // largest record, unused here
    writeU16LE(out, 0);
    out.insert(out.end(), records.begin(), records.end());
    return out;
  }

 private:
  uint16_t objects_;
  std::vector<uint8_t> body_;
};

inline std::vector<uint8_t> colorRefParams(uint32_t color, std::initializer_list<int16_t> after = {}) {
  std::vector<uint8_t> p;
  writeU32LE(p, color);
  for (int16_t v : after) writeU16LE(p, static_cast<uint16_t>(v));
  return p;
}

}  // namespace kumi::platform::player::testing
