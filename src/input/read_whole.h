// Reading a value from a whole text.
#pragma once

#include "override/decoded_text.h"
#include "override/integer.h"
#include "override/override.h"

namespace brackwen {

// The one value that the whole of `text` holds, with white space allowed before and after it;
// throws a `Failure` with the no-parse message otherwise, unless the reading first needs a
// character that `text` could not decode. Defined for `Integer` and `Override`.
template <class T>
T read_whole(const tarnwick::override::DecodedText& text);

template <>
tarnwick::override::Integer read_whole(const tarnwick::override::DecodedText& text);
template <>
tarnwick::override::Override read_whole(const tarnwick::override::DecodedText& text);

}  // namespace brackwen
