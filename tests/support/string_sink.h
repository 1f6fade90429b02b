// A sink for tests that collects what is written to it.
#pragma once

#include <string>
#include <string_view>

#include "support/text_sink.h"

namespace brackwen {

// A sink that collects the text in a string.
class StringSink : public TextSink {
 public:
  void write(std::string_view text) override { text_.append(text); }
  // The text written so far.
  const std::string& text() const noexcept { return text_; }

 private:
  std::string text_;
};

}  // namespace brackwen
