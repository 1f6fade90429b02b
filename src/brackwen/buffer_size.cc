#include "brackwen/buffer_size.h"

#include <utility>

#include "brackwen/failure.h"
#include "brackwen/padded_text.h"
#include "brackwen/read_whole.h"

namespace brackwen {

using tarnwick::override::Integer;

BufferSize::BufferSize(std::string argument, LocaleDecoder decoder)
    : argument_(std::move(argument)), decoder_(decoder) {}

const Integer& BufferSize::value() {
  if (!value_) {
    std::u32string characters;
    // A text that is not valid in the locale's encoding holds no integer either.
    if (!decoder_.decode(argument_, characters)) throw Failure(kNoParse);
    value_ = std::make_unique<Integer>(read_whole<Integer>(characters));
    decimal_ = value_->to_decimal();
    decimal_.append(kTextPadding, '\0');
  }
  return *value_;
}

std::string_view BufferSize::decimal() {
  value();
  return std::string_view(decimal_).substr(0, decimal_.size() - kTextPadding);
}

}  // namespace brackwen
