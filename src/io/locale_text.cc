#include "io/locale_text.h"

#include <cerrno>
#include <string>

#include <iconv.h>
#include <langinfo.h>

#include "support/failure.h"

namespace brackwen {

static_assert(sizeof(wchar_t) == 4, "wide characters must hold a code point");
#ifndef __STDC_ISO_10646__
#error "wide characters must be ISO 10646 code points"
#endif

namespace {

constexpr std::size_t kConversionFailed = static_cast<std::size_t>(-1);
const iconv_t kNoConverter = reinterpret_cast<iconv_t>(-1);
// The encoding of the C locale, by the C library's name for it.
constexpr const char* kCLocaleEncoding = "ANSI_X3.4-1968";

// Whether `code` stands for a character: some converters take forms past U+10FFFF, or
// surrogates, which stand for none.
bool is_character(wchar_t code) {
  const auto c = static_cast<char32_t>(code);
  return c <= 0x10FFFF && (c < 0xD800 || c > 0xDFFF);
}

// Whether the converter `cd` makes of the ASCII byte `byte`, alone, its own character before it
// has seen anything after it.
bool stands_for_itself_at_once(iconv_t cd, char byte) {
  iconv(cd, nullptr, nullptr, nullptr, nullptr);
  char* in = &byte;
  std::size_t in_left = 1;
  wchar_t c = 0;
  char* out = reinterpret_cast<char*>(&c);
  std::size_t room = sizeof c;
  return iconv(cd, &in, &in_left, &out, &room) != kConversionFailed && room == 0 && c == byte;
}

// The failure for an encoding the program cannot work in, for `reason`.
Failure unsupported(const char* encoding, const char* reason) {
  return Failure("the locale's character encoding " + std::string(encoding) + " is not supported: " + reason);
}

}  // namespace

LocaleDecoder::LocaleDecoder() {
  const char* encoding = nl_langinfo(CODESET);
  iconv_t cd = iconv_open("WCHAR_T", encoding);
  // Where the C library has no converter for a locale's encoding, its own decoding takes the
  // C locale's instead; so does this.
  if (cd == kNoConverter) cd = iconv_open("WCHAR_T", kCLocaleEncoding);
  if (cd == kNoConverter) throw unsupported(encoding, "the C library has no converter for it");
  converter_ = std::shared_ptr<void>(cd, [](void* c) { iconv_close(static_cast<iconv_t>(c)); });
  bool at_once = true;
  for (int code = 0; code < 0x80; ++code) at_once = at_once && stands_for_itself_at_once(cd, static_cast<char>(code));
  ascii_is_itself_ = at_once;
  // The script, the usage text and the failure lines are written, and the input split into
  // lines, in the ASCII bytes of the line feed and the printable characters.
  std::string written = "\n";
  for (char c = ' '; c <= '~'; ++c) written += c;
  std::u32string decoded;
  for (const char byte : written) {
    if (!decode(std::string_view(&byte, 1), decoded) || decoded != std::u32string(1, static_cast<char32_t>(byte))) {
      throw unsupported(encoding, "it does not write ASCII characters as ASCII bytes");
    }
  }
}

template <class Emit>
bool LocaleDecoder::for_each_character(std::string_view bytes, Emit emit) const {
  std::size_t ascii = 0;
  if (ascii_is_itself_) {
    for (; ascii < bytes.size() && static_cast<unsigned char>(bytes[ascii]) < 0x80; ++ascii) {
      if (!emit(static_cast<char32_t>(bytes[ascii]))) return true;
    }
  }
  return ascii == bytes.size() || convert(bytes.substr(ascii), emit);
}

template <class Emit>
bool LocaleDecoder::convert(std::string_view bytes, Emit emit) const {
  const auto cd = static_cast<iconv_t>(converter_.get());
  iconv(cd, nullptr, nullptr, nullptr, nullptr);
  // iconv takes its input through a pointer to non-const, but only reads it.
  char* in = const_cast<char*>(bytes.data());
  std::size_t in_left = bytes.size();
  bool valid = true;
  // The characters of the bytes up to the end or the first invalid or incomplete sequence, and
  // then, with no more input, those that the converter held back.
  for (bool flushing = false;;) {
    wchar_t chunk[64];
    char* out = reinterpret_cast<char*>(chunk);
    std::size_t room = sizeof chunk;
    const std::size_t result = flushing ? iconv(cd, nullptr, nullptr, &out, &room) : iconv(cd, &in, &in_left, &out, &room);
    const int error = result == kConversionFailed ? errno : 0;
    for (const wchar_t* c = chunk; c != reinterpret_cast<const wchar_t*>(out); ++c) {
      if (!is_character(*c)) return false;
      if (!emit(static_cast<char32_t>(*c))) return true;
    }
    if (error == E2BIG) continue;
    if (flushing) return valid && error == 0;
    valid = error == 0;
    flushing = true;
  }
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
