#include "input/read_whole.h"

#include <utility>

#include "override/lexer.h"
#include "override/reader.h"
#include "support/failure.h"

namespace brackwen {
namespace {

// Whether only white space follows `end` in `text`.
bool only_white_space_after(const tarnwick::override::DecodedText& text, std::size_t end) {
  return tarnwick::override::skip_white_space(text, end) == text.size();
}

}  // namespace

template <>
tarnwick::override::Integer read_whole(const tarnwick::override::DecodedText& text) {
  auto read = tarnwick::override::read_integer(text, 0);
  if (!read || !only_white_space_after(text, read->end)) throw Failure(kNoParse);
  return std::move(read->value);
}

template <>
tarnwick::override::Override read_whole(const tarnwick::override::DecodedText& text) {
  auto read = tarnwick::override::read_override(text, 0);
  if (!read || !only_white_space_after(text, read->rest)) throw Failure(kNoParse);
  return std::move(read->value);
}

}  // namespace brackwen
