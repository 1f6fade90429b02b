#include "override/integer.h"

#include <charconv>
#include <limits>
#include <system_error>

namespace tarnwick::override {
namespace {

// The number of digits of `base` that always fit in a signed 64-bit value.
std::size_t safe_digit_count(int base) {
  switch (base) {
    case 8: return 20;   // 8^20 = 2^60
    case 16: return 15;  // 16^15 = 2^60
    default: return 18;  // 10^18 < 2^63
  }
}

}  // namespace

Integer::Integer(const mpz_class& value) {
  const mpz_srcptr z = value.get_mpz_t();
  // The magnitude is moved as one 64-bit word, whatever the width of the library's `long`.
  const std::size_t bits = mpz_sizeinbase(z, 2);
  const bool is_min = mpz_sgn(z) < 0 && bits == 64 && mpz_scan1(z, 0) == 63;
  if (bits > 63 && !is_min) {
    big_ = copy_big(value);
    return;
  }
  std::uint64_t magnitude = 0;
  mpz_export(&magnitude, nullptr, -1, sizeof magnitude, 0, 0, z);
  small_ = static_cast<std::int64_t>(mpz_sgn(z) < 0 ? 0 - magnitude : magnitude);
}

Integer Integer::from_digits(std::string_view digits, int base) {
  std::size_t first = digits.find_first_not_of('0');
  if (first == std::string_view::npos) return Integer();
  digits.remove_prefix(first);
  if (digits.size() <= safe_digit_count(base)) {
    std::int64_t value = 0;
    std::from_chars(digits.data(), digits.data() + digits.size(), value, base);
    return Integer(value);
  }
  mpz_class value;
  value.set_str(std::string(digits), base);
  return Integer(value);
}

const mpz_class* Integer::copy_big(const mpz_class& value) { return new const mpz_class(value); }

void Integer::destroy_big(const mpz_class* value) noexcept { delete value; }

Integer& Integer::operator=(const Integer& other) {
  if (this != &other) *this = Integer(other);
  return *this;
}

mpz_class Integer::to_mpz() const {
  if (big_) return *big_;
  const auto bits = static_cast<std::uint64_t>(small_);
  const std::uint64_t magnitude = small_ < 0 ? 0 - bits : bits;
  mpz_class value;
  mpz_import(value.get_mpz_t(), 1, -1, sizeof magnitude, 0, 0, &magnitude);
  if (small_ < 0) mpz_neg(value.get_mpz_t(), value.get_mpz_t());
  return value;
}

Integer Integer::negated() const {
  if (big_ == nullptr && small_ != std::numeric_limits<std::int64_t>::min()) return Integer(-small_);
  return Integer(mpz_class(-to_mpz()));
}

bool operator==(const Integer& a, const Integer& b) noexcept {
  if (a.big_ == nullptr || b.big_ == nullptr) {
    return a.big_ == nullptr && b.big_ == nullptr && a.small_ == b.small_;
  }
  return mpz_cmp(a.big_->get_mpz_t(), b.big_->get_mpz_t()) == 0;
}

std::strong_ordering operator<=>(const Integer& a, const Integer& b) noexcept {
  if (a.big_ == nullptr && b.big_ == nullptr) return a.small_ <=> b.small_;
  // A value outside the 64-bit range lies beyond every inline value, on the side of its sign.
  if (a.big_ == nullptr)
    return mpz_sgn(b.big_->get_mpz_t()) > 0 ? std::strong_ordering::less : std::strong_ordering::greater;
  if (b.big_ == nullptr)
    return mpz_sgn(a.big_->get_mpz_t()) > 0 ? std::strong_ordering::greater : std::strong_ordering::less;
  return mpz_cmp(a.big_->get_mpz_t(), b.big_->get_mpz_t()) <=> 0;
}

std::size_t Integer::hash() const noexcept {
  if (big_ == nullptr) return std::hash<std::int64_t>{}(small_);
  const mpz_srcptr z = big_->get_mpz_t();
  std::size_t h = static_cast<std::size_t>(mpz_sgn(z)) * 0x9e3779b97f4a7c15ULL;
  const std::size_t limbs = mpz_size(z);
  for (std::size_t i = 0; i < limbs; ++i) {
    h = (h ^ static_cast<std::size_t>(mpz_getlimbn(z, i))) * 0x100000001b3ULL;
  }
  return h;
}

void Integer::append_decimal(std::string& out) const {
  if (big_ == nullptr) {
    char buffer[24];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, small_);
    out.append(buffer, result.ptr);
    return;
  }
  const std::size_t old_size = out.size();
  out.resize(old_size + mpz_sizeinbase(big_->get_mpz_t(), 10) + 2);
  mpz_get_str(out.data() + old_size, 10, big_->get_mpz_t());
  out.resize(old_size + std::char_traits<char>::length(out.data() + old_size));
}

std::string Integer::to_decimal() const {
  std::string text;
  append_decimal(text);
  return text;
}

}  // namespace tarnwick::override
