#include "override/canonical_reader.h"

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

  std::optional<Integer> read_value() {
    const bool negative = pos_ < line_.size() && line_[pos_] == '-';
    std::size_t i = pos_ + (negative ? 1 : 0);
    const std::size_t first = i;
    std::int64_t value = 0;
    while (i < line_.size() && line_[i] >= '0' && line_[i] <= '9' && i - first < kMaxDigits) {
      value = value * 10 + (line_[i] - '0');
      ++i;
    }
    if (i == first) return std::nullopt;
    if (i < line_.size() && line_[i] >= '0' && line_[i] <= '9') {
      // A longer run goes to the exact conversion of long digit runs.
      while (i < line_.size() && line_[i] >= '0' && line_[i] <= '9') ++i;
      const Integer magnitude = Integer::from_digits(line_.substr(first, i - first), 10);
      pos_ = i;
      return negative ? magnitude.negated() : magnitude;
    }
    pos_ = i;
    return Integer(negative ? -value : value);
  }

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
