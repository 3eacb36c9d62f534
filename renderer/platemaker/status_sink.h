#pragma once
// Where the conversion writes its progress: the status window, or nowhere
// in a batch run.
#include <string_view>

namespace kumi::renderer {

class StatusSink {
 public:
  virtual ~StatusSink() = default;
  // Replaces the status line with `utf8` at once.
  virtual void show(std::string_view utf8) = 0;
};

class NoStatus final : public StatusSink {
 public:
  void show(std::string_view) override {}
};

}  // namespace kumi::renderer
