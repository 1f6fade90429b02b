#include "override/canonical_reader.h"

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "override/char_class.h"

namespace tarnwick::override {
namespace {

// The end of the run of decimal digits that begins at `p` and ends by `end`, read eight
// characters at a time while eight are left.
const char* skip_digits(const char* p, const char* end) {
  // Saves 4% of the instructions on 1,000,000 distinct overrides, 21% on one field of 1,000,000 digits.
  if constexpr (std::endian::native == std::endian::little) {
    while (end - p >= 8) {
      std::uint64_t word;
      std::memcpy(&word, p, 8);
      // The high bit of a byte is set when it is no digit, if the bytes before it are digits:
      // adding 0x46 carries a byte above '9' into it, subtracting 0x30 borrows a byte below '0'.
      const std::uint64_t not_digits =
          ((word + 0x4646464646464646ULL) | (word - 0x3030303030303030ULL)) & 0x8080808080808080ULL;
      if (not_digits != 0) return p + std::countr_zero(not_digits) / 8;
      p += 8;
    }
  }
  while (p < end && static_cast<unsigned>(*p - '0') <= 9) ++p;
  return p;
}

// Reads what a text holds at its position and moves past it: a fixed text, or a value.
class Cursor {
 public:
  explicit Cursor(std::string_view text) : start_(text.data()), next_(text.data()), end_(text.data() + text.size()) {}

  // Moves past the literal `text` if the line holds it here.
  template <std::size_t kSize>
  bool expect(const char (&text)[kSize]) {
    constexpr std::size_t n = kSize - 1;
    if (static_cast<std::size_t>(end_ - next_) < n || std::memcmp(next_, text, n) != 0) return false;
    next_ += n;
    return true;
  }

  // Moves past the decimal text of a value: an optional minus sign and digits, without a
  // leading zero unless the value is 0, and no "-0". Inlined by force for clang++, which calls it
  // otherwise and then runs 1.2% more instructions on 1,000,000 distinct overrides.
  [[gnu::always_inline]] bool read_value(std::string_view& text) {
    const char* p = next_;
    if (p < end_ && *p == '-') ++p;
    const char* const first = p;
    p = skip_digits(p, end_);
    const std::size_t digits = static_cast<std::size_t>(p - first);
    if (digits == 0 || (*first == '0' && (digits > 1 || first != next_))) return false;
    text = std::string_view(next_, static_cast<std::size_t>(p - next_));
    next_ = p;
    return true;
  }

  // How many characters have been read.
  std::size_t read_length() const { return static_cast<std::size_t>(next_ - start_); }

 private:
  const char* const start_;
  const char* next_;
  const char* const end_;
};

// Whether `text` holds nothing but ASCII white space.
bool only_white_space_in(std::string_view text) {
  for (const char c : text) {
    if (!is_ascii_white_space(static_cast<unsigned char>(c))) return false;
  }
  return true;
}

}  // namespace

std::size_t read_canonical_record(std::string_view text, CanonicalTexts& texts) {
  Cursor cursor(text);
  if (cursor.expect("Override_enc_int {lb = ")) {
    texts.encoder = true;
  } else if (cursor.expect("Override_dec_int {lb = ")) {
    texts.encoder = false;
  } else {
    return 0;
  }
  std::array<std::string_view, 4>& v = texts.values;
  if (!cursor.read_value(v[0]) || !cursor.expect(", ub = ") || !cursor.read_value(v[1]) ||
      !(texts.encoder ? cursor.expect(", dst_i = ") : cursor.expect(", src_i = ")) || !cursor.read_value(v[2]) ||
      !cursor.expect(", length = ") || !cursor.read_value(v[3]) || !cursor.expect("}")) {
    return 0;
  }
  return cursor.read_length();
}

bool read_canonical_texts(std::string_view line, CanonicalTexts& texts) {
  const std::size_t length = read_canonical_record(line, texts);
  return length != 0 && only_white_space_in(line.substr(length));
}

}  // namespace tarnwick::override
