// A buffer size given on the command line, read when it is first needed.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "io/locale_text.h"
#include "override/integer.h"
#include "support/padded_text.h"

namespace brackwen {

// A buffer size read from its argument text when it is first needed, and only once.
class BufferSize {
 public:
  // The size that `argument` holds, decoded by `decoder`.
  BufferSize(std::string argument, LocaleDecoder decoder);
  // The value, read now if not read yet; throws a `Failure` when it cannot be read.
  const tarnwick::override::Integer& value();
  // The decimal text of the value, read now if not read yet.
  PaddedText decimal();

 private:
  // Reads the value and its decimal text from the argument.
  void read();

  std::string argument_;
  LocaleDecoder decoder_;
  std::unique_ptr<tarnwick::override::Integer> value_;
  PaddedString decimal_;
};

}  // namespace brackwen
