// A record's variant and field texts as plain strings, whichever reader or store gave them, for
// tests that compare them.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <utility>

namespace tarnwick::override::testing {

// Whether a record is an encoder's, and the texts of its four fields in order.
using RecordStrings = std::pair<bool, std::array<std::string, 4>>;

// The variant and the field texts of `texts`: anything with a flag `encoder` and four `values`
// that are texts, such as the fast reader's texts or an override as the script writes it.
template <class Texts>
RecordStrings strings_of(const Texts& texts) {
  RecordStrings strings{texts.encoder, {}};
  for (std::size_t i = 0; i < 4; ++i) strings.second[i] = std::string(std::string_view(texts.values[i]));
  return strings;
}

}  // namespace tarnwick::override::testing
