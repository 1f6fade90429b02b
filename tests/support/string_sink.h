// A sink for tests that collects what is written to it.
#pragma once

#include <string>
#include <string_view>

#include "support/text_sink.h"

namespace brackwen {

// A sink that collects the text in a string.
class StringSink : public BufferedSink {
 public:
  void write(std::string_view text) override { text_.append(text); }
  char* reserve(std::size_t n) override {
    staging_.resize(n);
    return staging_.data();
  }
  void commit(std::size_t k) override { text_.append(staging_, 0, k); }
  // The text written so far.
  const std::string& text() const noexcept { return text_; }

 private:
  std::string text_;
  std::string staging_;  // the room for text written in place
};

}  // namespace brackwen
