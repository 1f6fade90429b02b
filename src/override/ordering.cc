#include "override/ordering.h"

#include <compare>

namespace tarnwick::override {
namespace {

// The order of the first differing pair among variant, lb, ub and third field; equal when all
// of them are equal, and `length` is left to the caller.
std::strong_ordering compare_all_but_length(const Override& a, const Override& b) noexcept {
  if (a.index() != b.index()) return a.index() <=> b.index();
  if (auto c = lb(a) <=> lb(b); c != 0) return c;
  if (auto c = ub(a) <=> ub(b); c != 0) return c;
  return third_field(a) <=> third_field(b);
}

}  // namespace

bool override_equal(const Override& a, const Override& b) noexcept {
  return a.index() == b.index() && lb(a) == lb(b) && ub(a) == ub(b) && third_field(a) == third_field(b) &&
         length(a) == length(b);
}

bool override_not_equal(const Override& a, const Override& b) noexcept { return !override_equal(a, b); }

Ordering compare_override(const Override& a, const Override& b) noexcept {
  std::strong_ordering c = compare_all_but_length(a, b);
  if (c == 0) c = length(a) <=> length(b);
  if (c < 0) return Ordering::kLess;
  if (c > 0) return Ordering::kGreater;
  return Ordering::kEqual;
}

bool override_less(const Override& a, const Override& b) noexcept {
  const std::strong_ordering c = compare_all_but_length(a, b);
  return c != 0 ? c < 0 : length(a) < length(b);
}

bool override_less_equal(const Override& a, const Override& b) noexcept {
  const std::strong_ordering c = compare_all_but_length(a, b);
  return c != 0 ? c < 0 : length(a) <= length(b);
}

bool override_greater(const Override& a, const Override& b) noexcept {
  const std::strong_ordering c = compare_all_but_length(a, b);
  return c != 0 ? c > 0 : length(a) > length(b);
}

bool override_greater_equal(const Override& a, const Override& b) noexcept {
  const std::strong_ordering c = compare_all_but_length(a, b);
  return c != 0 ? c > 0 : length(a) >= length(b);
}

const Override& override_min(const Override& a, const Override& b) noexcept {
  return override_less_equal(a, b) ? a : b;
}

const Override& override_max(const Override& a, const Override& b) noexcept {
  return override_less_equal(a, b) ? b : a;
}

}  // namespace tarnwick::override
