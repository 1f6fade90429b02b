// The input pipeline: from the argument texts and the input lines to the blocks of the script.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "brackwen/input_stream.h"
#include "brackwen/locale_text.h"
#include "brackwen/script.h"
#include "override/override.h"

namespace brackwen {

// The one value that the whole of `text` holds, with white space allowed around it; throws a
// `Failure` with the no-parse message otherwise. Defined for `Integer` and `Override`.
template <class T>
T read_whole(std::u32string_view text);

template <>
tarnwick::override::Integer read_whole(std::u32string_view text);
template <>
tarnwick::override::Override read_whole(std::u32string_view text);

// A buffer size read from its argument text when it is first needed, and only once.
class BufferSize {
 public:
  // The size that `argument` holds; `name` names it when the text cannot be decoded.
  BufferSize(std::string name, std::string argument, LocaleDecoder decoder);
  // The value, read now if not read yet; throws a `Failure` when it cannot be read.
  const tarnwick::override::Integer& value();

 private:
  std::string name_;
  std::string argument_;
  LocaleDecoder decoder_;
  std::unique_ptr<tarnwick::override::Integer> value_;
};

// The result names and blocks of the script for the buffer-size texts `dst_n` and `src_n` and
// the lines of `input`: the input's distinct overrides in input order, numbered from 0. Nothing
// is read until the rendering takes an entry of a sequence, and then only as far as it needs.
BlockSequences override_pipeline(std::string_view dst_n, std::string_view src_n,
                                 std::shared_ptr<LineSource> input, LocaleDecoder decoder);

// The script document for the two buffer-size texts and the lines of `input`.
Doc gen_script(std::string_view dst_n, std::string_view src_n, std::shared_ptr<LineSource> input,
               LocaleDecoder decoder);

}  // namespace brackwen
