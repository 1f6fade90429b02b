// Helpers shared by the override model's tests: texts, integers and records from short literals,
// and random records.
#pragma once

#include <cstdint>
#include <random>
#include <string>
#include <string_view>

#include "override/integer.h"
#include "override/override.h"

namespace tarnwick::override::testing {

// The ASCII text `ascii` as decoded text.
inline std::u32string widen(std::string_view ascii) { return std::u32string(ascii.begin(), ascii.end()); }

// `text` for a failure message: ASCII as it is, other code points as U+XXXX; long texts cut.
inline std::string describe(std::u32string_view text) {
  static constexpr char hex[] = "0123456789ABCDEF";
  std::string out;
  for (std::size_t i = 0; i < text.size() && i < 120; ++i) {
    const char32_t c = text[i];
    if (c >= 0x20 && c < 0x7F) {
      out.push_back(static_cast<char>(c));
      continue;
    }
    out += "U+";
    for (int shift = c > 0xFFFF ? 20 : 12; shift >= 0; shift -= 4) out.push_back(hex[(c >> shift) & 0xF]);
  }
  if (text.size() > 120) out += "...";
  return out;
}

// The integer of the decimal text `decimal`, with an optional leading "-".
inline Integer integer(std::string_view decimal) {
  const bool negative = !decimal.empty() && decimal.front() == '-';
  if (negative) decimal.remove_prefix(1);
  const Integer magnitude = Integer::from_digits(decimal, 10);
  return negative ? magnitude.negated() : magnitude;
}

// An `Override_enc_int` of four decimal texts.
inline Override enc(std::string_view lb, std::string_view ub, std::string_view dst_i, std::string_view length) {
  return Override_enc_int(integer(lb), integer(ub), integer(dst_i), integer(length));
}

// An `Override_dec_int` of four decimal texts.
inline Override dec(std::string_view lb, std::string_view ub, std::string_view src_i, std::string_view length) {
  return Override_dec_int(integer(lb), integer(ub), integer(src_i), integer(length));
}

// A random integer: small, at the edges of the 64-bit range, or of up to 60 digits; of either sign.
inline Integer random_integer(std::mt19937_64& rng) {
  std::string digits;
  switch (rng() % 4) {
    case 0: digits = std::to_string(rng() % 300); break;
    case 1: digits = std::to_string(rng()); break;
    case 2: digits = std::to_string(9223372036854775806ULL + rng() % 4); break;
    default: {
      const std::size_t count = 1 + rng() % 60;
      for (std::size_t i = 0; i < count; ++i) digits.push_back(static_cast<char>('0' + rng() % 10));
      break;
    }
  }
  const Integer magnitude = Integer::from_digits(digits, 10);
  return rng() % 2 == 0 ? magnitude : magnitude.negated();
}

// A random record of either variant with random fields.
inline Override random_override(std::mt19937_64& rng) {
  Integer f[4] = {random_integer(rng), random_integer(rng), random_integer(rng), random_integer(rng)};
  if (rng() % 2 == 0) return Override_enc_int(f[0], f[1], f[2], f[3]);
  return Override_dec_int(f[0], f[1], f[2], f[3]);
}

// A random record whose fields come from the three values -1, 0 and 2^64, so that equal
// records and records equal up to one field are frequent.
inline Override random_override_from_few(std::mt19937_64& rng) {
  const Integer values[3] = {Integer(-1), Integer(0), integer("18446744073709551616")};
  const Integer& a = values[rng() % 3];
  const Integer& b = values[rng() % 3];
  const Integer& c = values[rng() % 3];
  const Integer& d = values[rng() % 3];
  if (rng() % 2 == 0) return Override_enc_int(a, b, c, d);
  return Override_dec_int(a, b, c, d);
}

}  // namespace tarnwick::override::testing
