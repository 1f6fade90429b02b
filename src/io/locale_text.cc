#include "io/locale_text.h"

#include <cwchar>

namespace brackwen {

static_assert(sizeof(wchar_t) == 4, "wide characters must hold a code point");
#ifndef __STDC_ISO_10646__
#error "wide characters must be ISO 10646 code points"
#endif

LocaleDecoder::LocaleDecoder() : ascii_is_itself_(true) {
  for (int b = 0; b < 0x80; ++b) {
    std::mbstate_t state{};
    wchar_t c = 0;
    const char byte = static_cast<char>(b);
    const std::size_t n = std::mbrtowc(&c, &byte, 1, &state);
    if (n > 1 || static_cast<int>(c) != b) {
      ascii_is_itself_ = false;
      return;
    }
  }
}

template <class Emit>
bool LocaleDecoder::for_each_character(std::string_view bytes, Emit emit) const {
  std::mbstate_t state{};
  std::size_t i = 0;
  while (i < bytes.size()) {
    const auto byte = static_cast<unsigned char>(bytes[i]);
    if (byte < 0x80 && ascii_is_itself_) {
      if (!emit(char32_t{byte})) return true;
      ++i;
      continue;
    }
    wchar_t c = 0;
    const std::size_t n = std::mbrtowc(&c, bytes.data() + i, bytes.size() - i, &state);
    if (n == static_cast<std::size_t>(-1) || n == static_cast<std::size_t>(-2)) return false;
    // Some decoders take forms that stand for no character: past U+10FFFF, or a surrogate.
    const auto code = static_cast<char32_t>(c);
    if (code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return false;
    if (!emit(code)) return true;
    i += n == 0 ? 1 : n;
  }
  return true;
}

bool LocaleDecoder::decode(std::string_view bytes, std::u32string& out) const {
  out.clear();
  out.reserve(bytes.size());
  return for_each_character(bytes, [&out](char32_t c) {
    out.push_back(c);
    return true;
  });
}

bool LocaleDecoder::is_valid(std::string_view bytes) const {
  return for_each_character(bytes, [](char32_t) { return true; });
}

bool LocaleDecoder::first_character_is_valid(std::string_view bytes) const {
  return for_each_character(bytes, [](char32_t) { return false; });
}

}  // namespace brackwen
