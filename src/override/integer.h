// Arbitrary-precision signed integers, with the values of the 64-bit range held inline.
#pragma once

#include <compare>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

#include <gmpxx.h>

namespace tarnwick::override {

// An exact signed integer of any size, inline when it fits in 64 bits and in a GNU MP integer
// otherwise, so that equal values have the same form.
class Integer {
 public:
  // Zero.
  Integer() noexcept = default;
  // The value `value`.
  Integer(std::int64_t value) noexcept : small_(value) {}  // NOLINT: integers convert implicitly
  // The value of `value`.
  explicit Integer(const mpz_class& value);
  // The value of a non-empty run of digits in `base` (8, 10 or 16), most significant first.
  // Every character of `digits` must be a digit of that base; leading zeros are allowed.
  static Integer from_digits(std::string_view digits, int base);

  Integer(const Integer& other) : small_(other.small_), big_(other.big_ ? copy_big(*other.big_) : nullptr) {}
  Integer(Integer&& other) noexcept : small_(other.small_), big_(std::exchange(other.big_, nullptr)) {}
  Integer& operator=(const Integer& other);
  Integer& operator=(Integer&& other) noexcept {
    std::swap(small_, other.small_);
    std::swap(big_, other.big_);
    return *this;
  }
  ~Integer() {
    if (big_ != nullptr) destroy_big(big_);
  }

  // The value as a GNU MP integer.
  mpz_class to_mpz() const;
  // Minus the value.
  Integer negated() const;

  // Exact equality of the values.
  friend bool operator==(const Integer& a, const Integer& b) noexcept;
  // Exact order of the values.
  friend std::strong_ordering operator<=>(const Integer& a, const Integer& b) noexcept;

  // A hash of the value: equal values hash equal.
  std::size_t hash() const noexcept;
  // Appends the decimal text of the value to `out`: digits without leading zeros, "-" first
  // when negative.
  void append_decimal(std::string& out) const;
  // The decimal text of the value.
  std::string to_decimal() const;

 private:
  static const mpz_class* copy_big(const mpz_class& value);
  static void destroy_big(const mpz_class* value) noexcept;

  std::int64_t small_ = 0;
  const mpz_class* big_ = nullptr;  // owned; set exactly when the value is outside the 64-bit range
};

}  // namespace tarnwick::override
