// Reading a value from a whole text.
#pragma once

#include <string_view>

#include "override/integer.h"
#include "override/override.h"

namespace brackwen {

// The one value that the whole of `text` holds, with white space allowed before and after it;
// throws a `Failure` with the no-parse message otherwise. Defined for `Integer` and `Override`.
template <class T>
T read_whole(std::u32string_view text);

template <>
tarnwick::override::Integer read_whole(std::u32string_view text);
template <>
tarnwick::override::Override read_whole(std::u32string_view text);

}  // namespace brackwen
