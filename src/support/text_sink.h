// Where rendered text goes.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

namespace brackwen {

// Receives text in order, as it is produced.
class TextSink {
 public:
  virtual ~TextSink() = default;
  // Appends `text`.
  virtual void write(std::string_view text) = 0;
  // Room for `n` characters to be written in place; `commit(k)` then appends the first k of
  // them. Nothing else may be written between the two. Only a sink that holds a buffer takes
  // text in place.
  virtual char* reserve(std::size_t n) {
    throw std::logic_error("room for " + std::to_string(n) + " characters asked of a sink without a buffer");
  }
  // Appends the first `k` characters written at the place that `reserve` gave.
  virtual void commit(std::size_t k) {
    throw std::logic_error(std::to_string(k) + " characters committed to a sink without a buffer");
  }
  // Receives the hole `slot` of a template document; only a sink that lays out templates takes one.
  virtual void write_hole(int slot) {
    throw std::logic_error("a hole for slot " + std::to_string(slot) + " reached a sink of plain text");
  }
};

}  // namespace brackwen
