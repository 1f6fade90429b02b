// Turning fuzz input bytes into decoded text for the override model's readers.
//
// The bytes are read as UTF-8 the way the C library's UTF-8 locale reads it, only leniently:
// every well-formed sequence of two to six bytes gives its code point, up to U+7FFFFFFF as that
// decoder allows (and encoded surrogates too, which it refuses, so the readers also see code
// points that it never hands them); every other byte gives the code point of its own value,
// U+0000 to U+00FF. So every byte string is some text, ASCII stays ASCII, and the fuzzer
// reaches any code point by writing its UTF-8 form. Whether the program's decoder would have
// taken the bytes (no fallback byte, no surrogate, nothing past U+10FFFF) is told on the side.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace brackwen::fuzz {

// The text of `bytes` as described above; `*strict` (when given) tells whether the locale
// decoder takes the bytes, in which case the text is what it decodes.
inline std::u32string decode_lenient(std::string_view bytes, bool* strict = nullptr) {
  bool all_strict = true;
  std::u32string text;
  text.reserve(bytes.size());
  const auto byte = [&](std::size_t i) { return static_cast<std::uint8_t>(bytes[i]); };
  for (std::size_t i = 0; i < bytes.size();) {
    const std::uint8_t lead = byte(i);
    std::size_t length = 0;
    char32_t c = 0;
    char32_t least = 0;
    if (lead >= 0xC0 && lead < 0xE0) {
      length = 2, c = lead & 0x1F, least = 0x80;
    } else if (lead >= 0xE0 && lead < 0xF0) {
      length = 3, c = lead & 0x0F, least = 0x800;
    } else if (lead >= 0xF0 && lead < 0xF8) {
      length = 4, c = lead & 0x07, least = 0x10000;
    } else if (lead >= 0xF8 && lead < 0xFC) {
      length = 5, c = lead & 0x03, least = 0x200000;
    } else if (lead >= 0xFC && lead < 0xFE) {
      length = 6, c = lead & 0x01, least = 0x4000000;
    }
    bool whole = length > 0 && i + length <= bytes.size();
    for (std::size_t k = 1; whole && k < length; ++k) {
      whole = (byte(i + k) & 0xC0) == 0x80;
      c = (c << 6) | (byte(i + k) & 0x3F);
    }
    if (whole && c >= least) {
      if ((c >= 0xD800 && c <= 0xDFFF) || c > 0x10FFFF) all_strict = false;
      text.push_back(c);
      i += length;
    } else {
      if (lead >= 0x80) all_strict = false;
      text.push_back(lead);
      i += 1;
    }
  }
  if (strict != nullptr) *strict = all_strict;
  return text;
}

}  // namespace brackwen::fuzz
