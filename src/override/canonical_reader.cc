#include "override/canonical_reader.h"

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace tarnwick::override {
namespace {

constexpr std::size_t kMaxDigits = 18;  // every run this long is read here; longer ones by GNU MP

// Reads what `line` holds at `pos` and moves past it: a fixed text, or a decimal value.
class Cursor {
 public:
  explicit Cursor(std::string_view line) : line_(line) {}

  [[gnu::always_inline]] bool expect(std::string_view text) {
    if (line_.size() - pos_ < text.size() || std::memcmp(line_.data() + pos_, text.data(), text.size()) != 0) {
      return false;
    }
    pos_ += text.size();
    return true;
  }

  // An optional minus sign and a run of decimal digits.
  std::optional<Integer> read_value() {
    const char* const begin = line_.data();
    const char* const end = begin + line_.size();
    const char* p = begin + pos_;
    const bool negative = p < end && *p == '-';
    if (negative) ++p;
    const char* const first = p;
    const char* const limit = end - p > static_cast<std::ptrdiff_t>(kMaxDigits) ? p + kMaxDigits : end;
    std::int64_t value = 0;
    for (; p < limit; ++p) {
      const auto digit = static_cast<unsigned>(*p - '0');
      if (digit > 9) break;
      value = value * 10 + static_cast<std::int64_t>(digit);
    }
    if (p == first) return std::nullopt;
    if (p < end && static_cast<unsigned>(*p - '0') <= 9) {
      // A longer run goes to the exact conversion of long digit runs.
      while (p < end && static_cast<unsigned>(*p - '0') <= 9) ++p;
      const Integer magnitude = Integer::from_digits(std::string_view(first, static_cast<std::size_t>(p - first)), 10);
      pos_ = static_cast<std::size_t>(p - begin);
      return negative ? magnitude.negated() : magnitude;
    }
    pos_ = static_cast<std::size_t>(p - begin);
    return Integer(negative ? -value : value);
  }

  // Whether nothing but ASCII white space follows.
  bool only_white_space_left() const {
    for (std::size_t i = pos_; i < line_.size(); ++i) {
      const char c = line_[i];
      if (c != ' ' && (c < '\t' || c > '\r')) return false;
    }
    return true;
  }

 private:
  std::string_view line_;
  std::size_t pos_ = 0;
};

}  // namespace

std::optional<Override> read_canonical_override(std::string_view line) {
  Cursor cursor(line);
  bool encoder;
  if (cursor.expect("Override_enc_int {lb = ")) {
    encoder = true;
  } else if (cursor.expect("Override_dec_int {lb = ")) {
    encoder = false;
  } else {
    return std::nullopt;
  }
  const auto lb = cursor.read_value();
  if (!lb || !cursor.expect(", ub = ")) return std::nullopt;
  const auto ub = cursor.read_value();
  if (!ub || !cursor.expect(encoder ? ", dst_i = " : ", src_i = ")) return std::nullopt;
  const auto third = cursor.read_value();
  if (!third || !cursor.expect(", length = ")) return std::nullopt;
  const auto length = cursor.read_value();
  if (!length || !cursor.expect("}") || !cursor.only_white_space_left()) return std::nullopt;
  if (encoder) return Override(Override_enc_int(*lb, *ub, *third, *length));
  return Override(Override_dec_int(*lb, *ub, *third, *length));
}

}  // namespace tarnwick::override
