// Texts whose storage goes on past their ends, so that they can be copied in whole words.
#pragma once

#include <cstddef>
#include <cstring>
#include <string_view>

namespace brackwen {

// How far past its end a padded text may be read.
inline constexpr std::size_t kTextPadding = 32;

// Copies the padded `text` to `to`, a short one in whole words with no branch on its length up
// to 32, writing up to `kTextPadding` bytes past the copy's end; gives the end of the copy.
[[gnu::always_inline]] inline char* put_padded(char* to, std::string_view text) {
  // Long texts go to the library's copy, which moves them faster than word by word.
  if (text.size() > 256) {
    std::memcpy(to, text.data(), text.size());
    return to + text.size();
  }
  for (std::size_t done = 0; done < text.size(); done += 32) {
    std::memcpy(to + done, text.data() + done, 16);
    std::memcpy(to + done + 16, text.data() + done + 16, 16);
  }
  return to + text.size();
}

}  // namespace brackwen
