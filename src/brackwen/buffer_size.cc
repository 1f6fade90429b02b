#include "brackwen/buffer_size.h"

#include <utility>

#include "brackwen/failure.h"
#include "brackwen/read_whole.h"

namespace brackwen {

using tarnwick::override::Integer;

BufferSize::BufferSize(std::string name, std::string argument, LocaleDecoder decoder)
    : name_(std::move(name)), argument_(std::move(argument)), decoder_(decoder) {}

const Integer& BufferSize::value() {
  if (!value_) {
    std::u32string characters;
    if (!decoder_.decode(argument_, characters)) throw Failure(name_ + ": invalid byte sequence");
    value_ = std::make_unique<Integer>(read_whole<Integer>(characters));
    decimal_ = value_->to_decimal();
  }
  return *value_;
}

std::string_view BufferSize::decimal() {
  value();
  return decimal_;
}

}  // namespace brackwen
