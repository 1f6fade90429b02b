// Where written text goes: a sink, and a sink that holds a buffer that text can be written in.
#pragma once

#include <cstddef>
#include <string_view>

namespace brackwen {

// Receives text in order, as it is produced.
class TextSink {
 public:
  virtual ~TextSink() = default;
  // Appends `text`.
  virtual void write(std::string_view text) = 0;
};

// A sink with a buffer, which also takes text written in place.
class BufferedSink : public TextSink {
 public:
  // Room for `n` characters written in place, of which `commit(k)` then appends the first k;
  // nothing else may be written between the two.
  virtual char* reserve(std::size_t n) = 0;
  // Appends the first `k` characters written at the place that `reserve` gave.
  virtual void commit(std::size_t k) = 0;
};

}  // namespace brackwen
