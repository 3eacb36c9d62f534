#pragma once
// demo1's one process-wide set of the 31 engine fields, and the single
// procedure that passes the whole set to the engine.
//
// String fields are held at their fixed widths (blank-padded, cut when too
// long) in the system code page. After each call every string field is
// copied back from what the engine left in it (it may write the scale codes
// and the first 8 bytes of the text), and the integer result is kept.
#include <cstdint>
#include <string>
#include <string_view>

namespace kumi::samples {

// A blank-padded field of fixed width.
class FixedField {
 public:
  explicit FixedField(size_t width, std::string_view value = "") : value_(width, ' ') { set(value); }
  void set(std::string_view value);
  const std::string& value() const { return value_; }
  char* data() { return value_.data(); }

 private:
  std::string value_;
};

struct CallSet {
  FixedField command{2, ""}, resultSelector{2, ""}, sizeDownFlag{1, ""}, recordKind{2, ""};
  FixedField pageNumber{4, "0"}, charSize{3, ""}, fontCode{2, ""}, digitMode{1, "0"};
  FixedField keepTogether{1, "0"}, placeSize{3, ""}, widthScale{1, "0"}, heightScale{1, "0"};
  int32_t originX = 0, originY = 0, blockExtent = 0;
  FixedField blockAlign{1, "0"}, rubyOpen{2, ""};
  int32_t linePitch = 0, lineLength = 0, lineCounter = 0;
  FixedField rubyClose{2, ""}, breakChar{2, ""}, lineAlign{1, "B"}, spaceTrim{1, "N"};
  FixedField ruleType{1, ""}, ruleStyle{4, ""};
  int32_t coord1 = 0, coord2 = 0, coord3 = 0, coord4 = 0;
  std::string text = "  ";  // code page 932
  int32_t result = 0;

  CallSet();
  // Sets the text from UTF-8 (the engine reads code page 932).
  void setText(std::string_view utf8);
};

// Passes the whole set to the engine and copies the string fields back.
int32_t callEngine(CallSet& set);

}  // namespace kumi::samples
