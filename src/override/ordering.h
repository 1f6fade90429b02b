// Value equality and the total order of override records. The order is lexicographic
// on (variant, lb, ub, third field, length), every `Override_enc_int` before every
// `Override_dec_int`. Nothing here allocates, and every walk stops at the first deciding pair.
#pragma once

#include "override/override.h"

namespace tarnwick::override {

// The result of a three-way comparison.
enum class Ordering { kLess, kEqual, kGreater };

// Whether `a` and `b` have the same variant and pairwise equal fields.
bool override_equal(const Override& a, const Override& b) noexcept;
// The negation of `override_equal`.
bool override_not_equal(const Override& a, const Override& b) noexcept;
// The order of `a` against `b`.
Ordering compare_override(const Override& a, const Override& b) noexcept;
// Whether `a` orders before `b`.
bool override_less(const Override& a, const Override& b) noexcept;
// Whether `a` orders before `b` or equals it.
bool override_less_equal(const Override& a, const Override& b) noexcept;
// Whether `a` orders after `b`.
bool override_greater(const Override& a, const Override& b) noexcept;
// Whether `a` orders after `b` or equals it.
bool override_greater_equal(const Override& a, const Override& b) noexcept;
// `a` when `a` is at most `b`, otherwise `b`; so `a` for equal records.
const Override& override_min(const Override& a, const Override& b) noexcept;
// `b` when `a` is at most `b`, otherwise `a`; so `b` for equal records.
const Override& override_max(const Override& a, const Override& b) noexcept;

}  // namespace tarnwick::override
